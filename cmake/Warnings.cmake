# Warnings for our own targets (third-party code is added with SYSTEM).
function(suite_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
