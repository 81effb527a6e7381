# find_package(Tidemark): the installer builder for a CMake project.
#
# A host tool: a project cross-built for Windows finds it with
#   find_package(Tidemark REQUIRED NO_CMAKE_FIND_ROOT_PATH)
# It gives
#   Tidemark_EXECUTABLE    the packer, `tidemark`
#   Tidemark_STUB          the bare stub it writes in front of the container
#   Tidemark_CPACK_SCRIPT  the script of the CPack External generator
#   tidemark_add_installer(NAME PRODUCT product.ini OUTPUT setup.exe [ALL]
#                          [OPTIONS packer-options...] [DEPENDS files-or-targets...])
#       a target NAME that builds OUTPUT (relative: to the current binary
#       folder) from the product file (relative: to the current source
#       folder); it builds again when the product file or DEPENDS change.
#   tidemark_cpack_external()
#       before include(CPack): makes `cpack -G External` build the installer
#       from the staged install tree (docs/building-in-ci.md).

get_filename_component(_tidemark_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
set(Tidemark_EXECUTABLE "${_tidemark_prefix}/bin/tidemark")
set(Tidemark_STUB "${_tidemark_prefix}/share/tidemark/tidemark-stub.exe")
set(Tidemark_CPACK_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/TidemarkCPack.cmake")
unset(_tidemark_prefix)

foreach(_tidemark_file IN ITEMS "${Tidemark_EXECUTABLE}" "${Tidemark_STUB}")
  if(NOT EXISTS "${_tidemark_file}")
    set(Tidemark_FOUND FALSE)
    set(Tidemark_NOT_FOUND_MESSAGE "${_tidemark_file} is missing from this installation")
    return()
  endif()
endforeach()
unset(_tidemark_file)

function(tidemark_add_installer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ALL" "PRODUCT;OUTPUT" "OPTIONS;DEPENDS")
  if(NOT arg_PRODUCT OR NOT arg_OUTPUT OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tidemark_add_installer(${name}): write PRODUCT product.ini OUTPUT setup.exe"
                        " [ALL] [OPTIONS ...] [DEPENDS ...]; not understood: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  get_filename_component(product "${arg_PRODUCT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${arg_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${Tidemark_EXECUTABLE}" build --stub "${Tidemark_STUB}" --product "${product}"
            --out "${output}" --quiet ${arg_OPTIONS}
    DEPENDS "${product}" "${Tidemark_EXECUTABLE}" "${Tidemark_STUB}" ${arg_DEPENDS}
    COMMENT "Building the installer ${arg_OUTPUT}"
    VERBATIM)
  set(all)
  if(arg_ALL)
    set(all ALL)
  endif()
  add_custom_target(${name} ${all} DEPENDS "${output}")
endfunction()

macro(tidemark_cpack_external)
  set(CPACK_EXTERNAL_ENABLE_STAGING ON)
  set(CPACK_EXTERNAL_REQUESTED_VERSIONS "1.0")
  set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${Tidemark_CPACK_SCRIPT}")
  set(CPACK_TIDEMARK_EXECUTABLE "${Tidemark_EXECUTABLE}")
  set(CPACK_TIDEMARK_STUB "${Tidemark_STUB}")
endmacro()
