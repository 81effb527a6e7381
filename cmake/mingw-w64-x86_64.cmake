# Cross-builds the Windows tree with MinGW-w64 (x86_64, win32 threads) and
# runs its programs under Wine. Everything is linked statically so that a
# test program or the stub runs in a bare Wine prefix without MinGW DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TIDEMARK_MINGW_TRIPLE x86_64-w64-mingw32)
# The "-win32" compilers use Windows threads rather than winpthreads.
set(CMAKE_C_COMPILER ${TIDEMARK_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TIDEMARK_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TIDEMARK_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

set(CMAKE_FIND_ROOT_PATH /usr/${TIDEMARK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# add_test() and test discovery run Windows programs through this wrapper;
# it joins the Wine session of scripts/wine-session.sh or makes its own.
get_filename_component(_tidemark_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_tidemark_root}/scripts/wine-exec.sh")
