# Fuzz targets: libFuzzer binaries, built with clang when BREVANT_FUZZ is on (scripts/fuzz.sh makes such
# a build folder). Every library of that build reports its coverage to libFuzzer.
if(BREVANT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "BREVANT_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# brevant_fuzz_target(<name> SOURCES ... LIBS ...): the libFuzzer binary <name>, in fuzz builds only.
function(brevant_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT BREVANT_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  brevant_warnings(${name})
endfunction()
