# libjpeg-turbo for the Windows tree. Debian ships no MinGW build of it, so
# its Debian source package is fetched with `apt-get source` and cross-built
# once, as a static library, into the dependency cache. A stamp records the
# finished install; later configures only read it. A lock lets several
# trees share one cache safely.
#
# The library is built for size: it goes into the stub, which is the fixed
# part of every installer and only decodes two small pictures (splash and
# icon). So: no SIMD (its encoder and decoder kernels alone were about
# 380 KB), -Os, no forced inlining, no arithmetic decoding (about 4 KB;
# the packer refuses arithmetic-coded pictures instead), the decoder
# features the stub never asks for compiled out (see
# _tidemark_trim_jpeg_features and _tidemark_trim_jpeg_colour_conversion),
# no compiler ident strings (see StubSize.cmake), and it has no unwind
# tables (about 5 KB): nothing unwinds through it, since its errors
# come back by a longjmp that only restores registers (container/
# jpeg_item.cpp) and the callbacks it calls do not throw. No section per
# function or object either (see StubSize.cmake; about 2 KB). Only the
# objects a program references are linked from the static library, so the
# encoder costs the stub nothing.

include(${CMAKE_CURRENT_LIST_DIR}/DebianSource.cmake)

set(_tidemark_jpeg_toolchain "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")

function(_tidemark_run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "libjpeg-turbo: ${what} failed (${rc}):\n${out}")
  endif()
endfunction()

# Decoder features the stub does not use, all optional in jmorecfg.h: output
# scaling (the stub decodes at 1:1, where the scaled IDCTs are never picked),
# the fast and floating-point IDCTs (the default method is the accurate
# integer one), merged upsampling (only without fancy upsampling, which is on
# by default), colour quantisation (only for colour-mapped output) and
# keeping markers for the caller (only after jpeg_save_markers(), which the
# stub never calls; 800 bytes). The pixels the stub gets are the same as
# with the full library. The encoder
# keeps its default method, so the test programs can still write pictures.
set(_tidemark_jpeg_trimmed_features
  DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED IDCT_SCALING_SUPPORTED
  UPSAMPLE_MERGING_SUPPORTED QUANT_1PASS_SUPPORTED QUANT_2PASS_SUPPORTED
  SAVE_MARKERS_SUPPORTED)

function(_tidemark_trim_jpeg_features source)
  set(header "${source}/jmorecfg.h")
  file(READ "${header}" text)
  foreach(feature ${_tidemark_jpeg_trimmed_features})
    set(pattern "\n#define ${feature}[ \t]")
    if(NOT text MATCHES "${pattern}")
      message(FATAL_ERROR "libjpeg-turbo: ${feature} not found in ${header}")
    endif()
    string(REGEX REPLACE "${pattern}" "\n#undef  ${feature} " text "${text}")
  endforeach()
  file(WRITE "${header}" "${text}")
endfunction()

# Colour conversion to the classic output spaces only (RGB, grey, YCbCr,
# CMYK, YCCK; the stub asks for RGB): the extended RGB layouts (BGR, RGBX,
# ...) and RGB565 are refused with JERR_CONVERSION_NOTIMPL, so their six
# copies of the conversion code and the 565 code go (about 5.9 KB). The
# refusal is marked as not returning (libjpeg's error_exit must not return)
# so that the compiler drops the code the refused spaces reached; the
# extended layouts' dispatch then names the RGB code, which they never
# reach. RGB comes out as before.
function(_tidemark_trim_jpeg_colour_conversion source)
  set(file "${source}/jdcolor.c")
  file(READ "${file}" text)
  set(include_line "#include \"jdcolext.c\"")
  string(FIND "${text}" "${include_line}" first)
  set(guarded "useless computation.\n   */\n\n  switch (cinfo->out_color_space) {")
  string(FIND "${text}" "${guarded}" guard_at)
  if(first EQUAL -1 OR guard_at EQUAL -1)
    message(FATAL_ERROR "libjpeg-turbo: ${file} is not laid out as expected")
  endif()
  string(REPLACE "${guarded}" "useless computation.\n   */\n\n  if (cinfo->out_color_space > JCS_YCCK) {\n    ERREXIT(cinfo, JERR_CONVERSION_NOTIMPL);\n    __builtin_unreachable();\n  }\n  switch (cinfo->out_color_space) {" text "${text}")
  string(LENGTH "${include_line}" length)
  math(EXPR after "${first} + ${length}")
  string(SUBSTRING "${text}" 0 ${after} head)
  string(SUBSTRING "${text}" ${after} -1 tail)
  string(REPLACE "${include_line}" "" tail "${tail}")
  set(aliases "\n")
  foreach(layout rgb rgbx bgr bgrx xbgr xrgb)
    foreach(kind ycc gray rgb)
      string(APPEND aliases "#define ${kind}_ext${layout}_convert_internal ${kind}_rgb_convert_internal\n")
    endforeach()
  endforeach()
  file(WRITE "${file}" "${head}${aliases}${tail}")
endfunction()

function(_tidemark_configure_jpeg source build install)
  file(REMOVE_RECURSE "${build}")
  # NO_GETENV: the JPEGMEM variable is parsed with sscanf, which would bring
  # MinGW's whole scanf into the stub; an installer has no use for it. The
  # C runtime's own printf family formats libjpeg's messages (integers and
  # strings only) as well as MinGW's, which would add about 25 KB.
  _tidemark_run_step("configure" ${CMAKE_COMMAND} -S "${source}" -B "${build}"
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${_tidemark_jpeg_toolchain}
    -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_C_FLAGS_RELEASE=-Os -DNDEBUG"
    "-DCMAKE_C_FLAGS=-fno-asynchronous-unwind-tables -fno-ident -DNO_GETENV -D__USE_MINGW_ANSI_STDIO=0"
    -DCMAKE_INSTALL_PREFIX=${install}
    -DCMAKE_INSTALL_LIBDIR=lib
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_SIMD=OFF
    -DWITH_ARITH_DEC=OFF
    -DWITH_ARITH_ENC=OFF
    -DFORCE_INLINE=OFF)
endfunction()

function(_tidemark_build_jpeg root stamp)
  message(STATUS "libjpeg-turbo: building for MinGW in ${root} (once)")
  tidemark_fetch_debian_source(libjpeg-turbo "${root}/src" source)
  _tidemark_trim_jpeg_features("${source}")
  _tidemark_trim_jpeg_colour_conversion("${source}")
  _tidemark_configure_jpeg("${source}" "${root}/build" "${root}/install")
  # The library alone; its command-line tools are of no use here.
  set(jobs 2)
  if(DEFINED ENV{TIDEMARK_JOBS})
    set(jobs $ENV{TIDEMARK_JOBS})
  endif()
  _tidemark_run_step("build" ${CMAKE_COMMAND} --build "${root}/build" --target jpeg-static -- -j${jobs})
  set(install "${root}/install")
  file(MAKE_DIRECTORY "${install}/lib" "${install}/include")
  file(COPY "${root}/build/libjpeg.a" DESTINATION "${install}/lib")
  file(COPY "${root}/build/jconfig.h" DESTINATION "${install}/include")
  foreach(header jpeglib.h jmorecfg.h jerror.h)
    file(COPY "${source}/${header}" DESTINATION "${install}/include")
  endforeach()
  get_filename_component(version "${source}" NAME)
  file(WRITE "${stamp}" "${version} small RGB decoder build without arithmetic coding, saved markers, idents, unwind tables and sections\n")
  # The sources and objects are not needed any more.
  file(REMOVE_RECURSE "${root}/src" "${root}/build")
endfunction()

# Defines JPEG::JPEG (and JPEG_* variables) from the cache under `cache_dir`,
# building the library first when the cache does not hold it yet.
function(tidemark_provide_mingw_jpeg cache_dir)
  # Its own folder: trees configured before this build keep theirs.
  set(root "${cache_dir}/libjpeg-turbo-mingw64-small-rgb-noarith-nomarkers-noident-nounwind-nosections")
  set(stamp "${root}/installed.stamp")
  tidemark_run_once("${stamp}" "${cache_dir}/libjpeg-turbo.lock" 1800
                    _tidemark_build_jpeg "${root}" "${stamp}")
  file(READ "${stamp}" built)
  string(STRIP "${built}" built)
  message(STATUS "libjpeg-turbo for MinGW: ${built}")

  set(include_dir "${root}/install/include")
  set(library "${root}/install/lib/libjpeg.a")
  if(NOT TARGET JPEG::JPEG)
    add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
    set_target_properties(JPEG::JPEG PROPERTIES
      IMPORTED_LOCATION "${library}"
      INTERFACE_INCLUDE_DIRECTORIES "${include_dir}")
  endif()
  set(JPEG_FOUND TRUE PARENT_SCOPE)
  set(JPEG_INCLUDE_DIRS "${include_dir}" PARENT_SCOPE)
  set(JPEG_LIBRARIES JPEG::JPEG PARENT_SCOPE)
endfunction()
