# zlib, libjpeg and GoogleTest for the tree being built. Both trees expose the
# same targets (ZLIB::ZLIB, JPEG::JPEG, GTest::gtest, GTest::gtest_main), so
# the folders' build files do not care which tree they are in. The native
# tree also has libdeflate (LibDeflate::LibDeflate), for the packer alone.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(ZLIB REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(GTest REQUIRED)
  find_path(TIDEMARK_LIBDEFLATE_INCLUDE_DIR libdeflate.h)
  find_library(TIDEMARK_LIBDEFLATE_LIBRARY deflate)
  if(NOT TIDEMARK_LIBDEFLATE_INCLUDE_DIR OR NOT TIDEMARK_LIBDEFLATE_LIBRARY)
    message(FATAL_ERROR "libdeflate not found (libdeflate.h and libdeflate.so): install "
                        "Debian's package libdeflate-dev (scripts/bootstrap.sh does)")
  endif()
  add_library(LibDeflate::LibDeflate UNKNOWN IMPORTED)
  set_target_properties(LibDeflate::LibDeflate PROPERTIES
    IMPORTED_LOCATION "${TIDEMARK_LIBDEFLATE_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${TIDEMARK_LIBDEFLATE_INCLUDE_DIR}")
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
