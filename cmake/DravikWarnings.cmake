# Warnings on for the project's own targets.
function(dravik_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
