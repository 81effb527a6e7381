# The stub is the fixed part of every installer, so its code and the
# libraries it links are built for size, and it is linked by lld when there
# is one: GNU ld keeps every function that has unwind data (its script keeps
# .pdata whole), so its --gc-sections drops next to nothing, while lld drops
# an unused function together with its unwind data (about 30 KB here).
#
# lld drops only COMDAT sections (inline functions, templates), and GCC does
# not make -ffunction-sections sections COMDAT on Windows, so a section per
# function or per object buys nothing here: it only pads every function to
# 16 bytes and, with -fdata-sections, puts zero-initialised objects into
# .data, where they take room in the file, instead of .bss (together about
# 6 KB). So neither is used.

# No RTTI: nothing in the stub asks for a type at run time (no
# dynamic_cast, no typeid); exceptions still carry the type information of
# what they throw, so catching by type works as before. No compiler ident
# either: GCC gives every object a 32-byte "GCC: (GNU) ..." string, which
# the linker keeps in .rdata (the stub's own objects, zlib and libjpeg
# together about 3 KB).
set(TIDEMARK_SMALL_CODE_OPTIONS -Os -fno-ident
    $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)

# tidemark_small_code(target...): compiles the targets for size (also in the
# test programs that link them, which then test the same code).
function(tidemark_small_code)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
  endif()
  foreach(target ${ARGN})
    target_compile_options(${target} PRIVATE ${TIDEMARK_SMALL_CODE_OPTIONS})
  endforeach()
endfunction()

find_program(TIDEMARK_LLD ld.lld DOC "lld, the linker for the stub (Debian package lld)")

# The packer rewrites the stub's resource section when a product gives the
# installer its own icon and version information (packer/stub/stub_resources.h),
# so the stub's layout must let that section grow: .rsrc is the last
# section but for .reloc, which both linkers put after it and which the
# packer moves along (nothing refers to the relocations' own place); no
# other section, debug data or signature may follow .rsrc. The packer
# refuses a stub that breaks the rule. Keep it when adding sections or
# linker options here.
#
# tidemark_small_program(target): links a program stripped, without unused
# sections, by lld if found. MinGW's GCC was built to call GNU ld by its full
# path, so -fuse-ld has no effect; a specs file names the linker instead (lld
# recognises the MinGW target from GCC's -m i386pep), and lld takes no GCC
# plugin options.
#
# Both linkers mark it Terminal Server aware, as Windows programs are: a
# Remote Desktop server then applies none of its compatibility mappings (a
# Windows folder per user, per-user INI files and registry) to it. The
# uninstaller it writes is the same program and carries the same flag.
function(tidemark_small_program target)
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections -Wl,--tsaware)
  if(NOT TIDEMARK_LLD)
    message(STATUS "ld.lld not found: ${target} is linked by GNU ld and comes out larger")
    return()
  endif()
  set(specs "${CMAKE_BINARY_DIR}/lld-linker.specs")
  file(WRITE "${specs}" "*linker:\n${TIDEMARK_LLD}\n\n")
  target_link_options(${target} PRIVATE "-specs=${specs}" -fno-use-linker-plugin)
  # The header as GNU ld writes it, where lld's defaults differ: subsystem
  # 5.2 (from 6.0 on, Windows measures window frames differently) and a
  # 2 MiB stack.
  target_link_options(${target} PRIVATE
    -Wl,--major-os-version,4,--minor-os-version,0
    -Wl,--major-subsystem-version,5,--minor-subsystem-version,2
    -Wl,--stack,0x200000)
endfunction()
