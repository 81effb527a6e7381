# tidemark_warnings(TARGET...): the one warning set of this project's own
# libraries and programs, -Wall -Wextra (GCC and Clang), as errors unless
# TIDEMARK_WERROR is OFF: CI and every developer build with the same Debian
# compilers, so a warning is a fault to mend, not to scroll past.
option(TIDEMARK_WERROR "Treat the project's compiler warnings as errors" ON)

function(tidemark_warnings)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    foreach(_target IN LISTS ARGN)
      target_compile_options(${_target} PRIVATE -Wall -Wextra)
      if(TIDEMARK_WERROR)
        target_compile_options(${_target} PRIVATE -Werror)
      endif()
    endforeach()
  endif()
endfunction()
