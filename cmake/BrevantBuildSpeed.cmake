# Build speed. ccache when it is installed (the set-up script installs it), shared by every
# checkout of the tree: paths under the source folder are hashed relative to it.
#
# Precompiled headers were measured and left out: with GCC 12 they saved nothing once the
# tests' debug information is line tables only (the bulk of a test's compile time is code
# and debug information, not parsing), and each weighed 150 to 270 MB on disk.
option(BREVANT_CCACHE "Compile through ccache when it is installed" ON)

if(BREVANT_CCACHE)
  find_program(BREVANT_CCACHE_PROGRAM ccache)
  if(BREVANT_CCACHE_PROGRAM)
    set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
                 ${BREVANT_CCACHE_PROGRAM})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
  endif()
endif()

# brevant_line_tables_only(): the targets of the calling folder (and below) carry only the
# line tables of debug information: stack traces and sanitizer reports still name files and
# lines, and a test compiles about a quarter faster than with full debug information.
macro(brevant_line_tables_only)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-g1)
  endif()
endmacro()
