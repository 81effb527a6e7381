# tidemark_add_gtest(NAME SOURCES src... LIBS lib...)
# One GoogleTest program, registered with CTest test by test. In the Windows
# tree the programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(tidemark_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()
