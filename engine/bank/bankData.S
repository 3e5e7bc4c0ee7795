/* The response bank's samples, linked in from the image the generator wrote at build time:
   33 tables of 69632 little-endian doubles, back to back, in a read-only section. */

#define VEVADUR_BANK_BYTES (33 * 69632 * 8)

    .section .rodata.vevadur_bank, "a", %progbits
    .balign 64
    .globl vevadur_bank_samples
    .hidden vevadur_bank_samples
    .type vevadur_bank_samples, %object
vevadur_bank_samples:
    .incbin VEVADUR_BANK_IMAGE
    /* A short or oversized image would put tables at the wrong places: refuse to build. */
    .if (. - vevadur_bank_samples) != VEVADUR_BANK_BYTES
    .error "the response bank image does not hold 33 tables of 69632 doubles"
    .endif
    .size vevadur_bank_samples, . - vevadur_bank_samples

    /* Data only: no executable stack wanted. */
    .section .note.GNU-stack, "", %progbits
