# The sanitizer tree is for finding faults, not for speed or a debugger: -O1 as the
# sanitizers advise, and line tables, which their reports need, instead of full debug
# information.
if(BREVANT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -O1)
  # The code's own assertions hold in this tree too: the release type's NDEBUG would switch them off.
  add_compile_options(-UNDEBUG)
  add_link_options(-fsanitize=address,undefined)
  brevant_line_tables_only()
endif()
