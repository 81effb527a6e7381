# tidemark_warnings(TARGET...): the one warning set of this project's own
# libraries and programs, -Wall -Wextra (GCC and Clang).
function(tidemark_warnings)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    foreach(_target IN LISTS ARGN)
      target_compile_options(${_target} PRIVATE -Wall -Wextra)
    endforeach()
  endif()
endfunction()
