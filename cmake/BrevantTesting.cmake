find_package(GTest REQUIRED)
include(GoogleTest)

# brevant_add_test(<name> LABEL <folder label> [E2E] [QAPP] SOURCES ... [LIBS ...])
# Every test carries the label of its folder; tests that start the real program
# under Xvfb carry "e2e" as well. QAPP runs the tests inside a QApplication.
function(brevant_add_test name)
  cmake_parse_arguments(T "E2E;QAPP" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    message(FATAL_ERROR "brevant_add_test(${name}) needs a LABEL")
  endif()
  add_executable(${name} ${T_SOURCES})
  brevant_warnings(${name})
  if(T_QAPP)
    target_link_libraries(${name} PRIVATE ${T_LIBS} brevant_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  # Where the sources and the built program live, for tests that read files of the tree.
  target_compile_definitions(${name} PRIVATE
    BREVANT_SOURCE_DIR="${CMAKE_SOURCE_DIR}" BREVANT_RUNTIME_DIR="${BREVANT_RUNTIME_DIR}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(T_E2E)
    # A run of the real program is one test per suite: its cases share the program's
    # start-up cost, and they run alone so that the machine's load cannot slow the screen.
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${BREVANT_RUNTIME_DIR})
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABEL};e2e" TIMEOUT ${T_TIMEOUT} RUN_SERIAL TRUE
                                            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    return()
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${BREVANT_RUNTIME_DIR}
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
