if(VEVADUR_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()

# ThreadSanitizer cannot share a build with AddressSanitizer.
if(VEVADUR_TSAN)
  if(VEVADUR_SANITIZE)
    message(FATAL_ERROR "VEVADUR_TSAN and VEVADUR_SANITIZE exclude each other")
  endif()
  set(_tsan -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${_tsan})
  add_link_options(${_tsan})
endif()

# Coverage for libFuzzer in everything; the fuzzers themselves link its driver (fuzz/).
if(VEVADUR_FUZZ)
  if(NOT VEVADUR_SANITIZE)
    message(FATAL_ERROR "VEVADUR_FUZZ runs under ASan+UBSan: set VEVADUR_SANITIZE too")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
