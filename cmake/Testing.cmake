# tidemark_add_gtest(NAME SOURCES src... LIBS lib...)
# One GoogleTest program, registered with CTest.
#
# Native tree: each test case is its own CTest test (discovered before the
# run). Windows tree: the program is one CTest test, run once under Wine
# through CMAKE_CROSSCOMPILING_EMULATOR; a Wine start per case would cost
# far more than the cases, and Windows programs print CR LF, which CMake's
# discovery does not parse. Select cases with
#   ctest -R <program> and GTEST_FILTER=..., or run the program through
#   scripts/wine-exec.sh with --gtest_filter=...
function(tidemark_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# The native packer, for Windows-tree tests that build installers (the
# Windows tree cannot build a native program itself). scripts/test.sh sets it.
set(TIDEMARK_PACKER "" CACHE FILEPATH "Native tidemark packer used by Windows end-to-end tests")
