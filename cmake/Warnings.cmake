# One warning policy for every target of our own: warnings are errors.
function(dabiro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
