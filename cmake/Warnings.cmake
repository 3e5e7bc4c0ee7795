# Warnings for our own targets only; third-party code (the SDK) is compiled without them.
function(vevadur_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
