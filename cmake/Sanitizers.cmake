# Instrumented native trees. Included before the folders, so that every
# library and program of the tree is built alike.
#
#   TIDEMARK_SANITIZE=ON  AddressSanitizer and UndefinedBehaviorSanitizer on
#                         the whole tree (gcc or clang); any finding ends the
#                         program, so a test that meets one fails.
#   TIDEMARK_FUZZ=ON      clang only: the same sanitizers plus libFuzzer's
#                         coverage, and the fuzz targets in fuzz/.
option(TIDEMARK_SANITIZE "Build the native tree with ASan and UBSan" OFF)
option(TIDEMARK_FUZZ "Build the libFuzzer targets (clang only)" OFF)

# -g: findings name files and lines.
set(_tidemark_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer -g)

if(TIDEMARK_SANITIZE OR TIDEMARK_FUZZ)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "TIDEMARK_SANITIZE and TIDEMARK_FUZZ are for the native tree only")
  endif()
  add_compile_options(${_tidemark_sanitizers})
  add_link_options(-fsanitize=address,undefined)
endif()

if(TIDEMARK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TIDEMARK_FUZZ needs clang (libFuzzer): configure with "
                        "-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage for every object; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
