# The stub is the fixed part of every installer, so its code and the
# libraries it links are built for size. The Windows linker keeps every
# function that has unwind data (.pdata is kept whole), so --gc-sections
# drops little; what counts is keeping objects out of the link and compiling
# what is linked small.

set(TIDEMARK_SMALL_CODE_OPTIONS -Os -ffunction-sections -fdata-sections)

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

# tidemark_small_program(target): links a program stripped, without unused
# sections.
function(tidemark_small_program target)
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()
