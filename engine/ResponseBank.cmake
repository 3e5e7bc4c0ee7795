# The compiled-in response bank (vevadur_bank). tools/bankgen renders the tables into a binary
# image in the build tree; bankData.S links that image in as read-only data.
set(VEVADUR_BANK_IMAGE ${CMAKE_CURRENT_BINARY_DIR}/vevadur_bank.bin)

add_custom_command(
  OUTPUT ${VEVADUR_BANK_IMAGE}
  COMMAND $<TARGET_FILE:vevadur-bankgen> ${VEVADUR_BANK_IMAGE}
  DEPENDS vevadur-bankgen
  COMMENT "Rendering the room response bank"
  VERBATIM)

# Windows objects are COFF, whose assembler directives differ from ELF's.
if(WIN32)
  set(_bank_data ${CMAKE_CURRENT_SOURCE_DIR}/bankDataCoff.S)
else()
  set(_bank_data ${CMAKE_CURRENT_SOURCE_DIR}/bankData.S)
endif()
add_library(vevadur_bank STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ResponseBank.cpp
  ${_bank_data}
  ${VEVADUR_BANK_IMAGE})
# The image is not compiled, but the assembler source includes it: re-assemble when it changes.
set_source_files_properties(${_bank_data} PROPERTIES
  OBJECT_DEPENDS ${VEVADUR_BANK_IMAGE}
  COMPILE_DEFINITIONS "VEVADUR_BANK_IMAGE=\"${VEVADUR_BANK_IMAGE}\"")
target_include_directories(vevadur_bank PUBLIC ${PROJECT_SOURCE_DIR})
vevadur_warnings(vevadur_bank)
