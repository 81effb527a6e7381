# zlib, libjpeg and GoogleTest for the tree being built. Both trees expose the
# same targets (ZLIB::ZLIB, JPEG::JPEG, GTest::gtest, GTest::gtest_main), so
# the folders' build files do not care which tree they are in.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(ZLIB REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(GTest REQUIRED)
  return()
endif()

# Where dependencies built from source are kept. Point several build trees
# at one folder to build them only once.
set(TIDEMARK_DEPS_CACHE "${CMAKE_BINARY_DIR}/_deps" CACHE PATH
    "Folder for dependencies built from source (shareable between trees)")

# zlib is compiled in the tree (static, so no zlib1.dll at run time).
include(${CMAKE_CURRENT_LIST_DIR}/MingwZlib.cmake)
tidemark_provide_mingw_zlib("${TIDEMARK_DEPS_CACHE}")

include(${CMAKE_CURRENT_LIST_DIR}/MingwJpegTurbo.cmake)
tidemark_provide_mingw_jpeg("${TIDEMARK_DEPS_CACHE}")

include(${CMAKE_CURRENT_LIST_DIR}/MingwGoogleTest.cmake)
