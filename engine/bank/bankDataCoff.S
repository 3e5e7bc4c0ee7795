/* The response bank's samples for Windows objects (COFF): the same image as bankData.S, in a
   read-only data section. Not exported: the module's export list is fixed by its .def file. */

#define VEVADUR_BANK_BYTES (33 * 69632 * 8)

    .section .rdata$vevadur_bank, "dr"
    .balign 64
    .globl vevadur_bank_samples
vevadur_bank_samples:
    .incbin VEVADUR_BANK_IMAGE
    /* A short or oversized image would put tables at the wrong places: refuse to build. */
    .if (. - vevadur_bank_samples) != VEVADUR_BANK_BYTES
    .error "the response bank image does not hold 33 tables of 69632 doubles"
    .endif
