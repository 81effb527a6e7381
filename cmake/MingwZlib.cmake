# zlib for the Windows tree, compiled in the tree from Debian's source
# package (fetched once into the dependency cache) rather than linked from
# libz-mingw-w64-dev, to keep the stub small:
#   NO_GZIP   the container holds zlib streams and raw deflate; without the
#             gzip wrapper inflate no longer links crc32 and its tables.
#             crc32() itself is still there for the programs that call it.
#   BUILDFIXED the tables of inflate's fixed codes are built on the first
#             use instead of being carried as 2 KB of constants. zlib warns
#             that this first use is not thread safe: the stub and its test
#             programs inflate on one thread only.
#   no unwind tables: nothing unwinds through zlib (it neither throws nor
#             calls back into code that does); no section per function or
#             object, which would only pad the code and put zeroed data into
#             the file (see StubSize.cmake); no compiler ident string
#             (see StubSize.cmake).
# The gz* file functions are left out (they need the gzip wrapper). -O2 as
# Debian builds it: inflating the product's files is the installer's work.

include(${CMAKE_CURRENT_LIST_DIR}/DebianSource.cmake)

set(_tidemark_zlib_sources
  adler32.c compress.c crc32.c deflate.c infback.c inffast.c inflate.c
  inftrees.c trees.c uncompr.c zutil.c)

function(_tidemark_fetch_zlib root stamp)
  message(STATUS "zlib: fetching Debian's sources into ${root} (once)")
  tidemark_fetch_debian_source(zlib "${root}" source)
  file(WRITE "${stamp}" "${source}\n")
endfunction()

# Defines ZLIB::ZLIB from the sources under `cache_dir`, fetching them first
# when the cache does not hold them yet.
function(tidemark_provide_mingw_zlib cache_dir)
  set(root "${cache_dir}/zlib-source")
  set(stamp "${root}/fetched.stamp")
  tidemark_run_once("${stamp}" "${cache_dir}/zlib.lock" 600
                    _tidemark_fetch_zlib "${root}" "${stamp}")
  file(READ "${stamp}" source)
  string(STRIP "${source}" source)
  message(STATUS "zlib for MinGW: ${source}")

  list(TRANSFORM _tidemark_zlib_sources PREPEND "${source}/" OUTPUT_VARIABLE sources)
  add_library(tidemark_zlib STATIC ${sources})
  target_include_directories(tidemark_zlib SYSTEM PUBLIC "${source}")
  target_compile_definitions(tidemark_zlib PRIVATE NO_GZIP BUILDFIXED)
  target_compile_options(tidemark_zlib PRIVATE -O2 -fno-asynchronous-unwind-tables
                         -fno-ident -w)
  add_library(ZLIB::ZLIB ALIAS tidemark_zlib)
  set(ZLIB_FOUND TRUE PARENT_SCOPE)
endfunction()
