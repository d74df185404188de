# Warnings are errors in every target of ours.
function(brevant_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror
    -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
endfunction()
