# Fetching a Debian source package for the libraries the Windows tree builds
# from source (Debian ships no MinGW build of them).

# tidemark_fetch_debian_source(PACKAGE DIR OUT_VAR): runs `apt-get source
# PACKAGE` in DIR (emptied first); returns the unpacked tree, whose name
# starts with PACKAGE.
function(tidemark_fetch_debian_source package dir out_var)
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  execute_process(COMMAND apt-get source -qq ${package}
                  WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(GLOB trees LIST_DIRECTORIES true "${dir}/${package}-*")
  list(FILTER trees EXCLUDE REGEX "\\.(dsc|gz|xz|bz2)$")
  if(NOT rc EQUAL 0 OR NOT trees)
    message(FATAL_ERROR "${package}: `apt-get source ${package}` failed (${rc}). "
                        "Run scripts/bootstrap.sh (it enables Debian's source index).\n${out}")
  endif()
  list(GET trees 0 tree)
  set(${out_var} "${tree}" PARENT_SCOPE)
endfunction()

# tidemark_run_once(STAMP LOCK TIMEOUT COMMAND [ARG...]): calls the CMake
# function COMMAND with ARGs unless STAMP exists; COMMAND writes STAMP when
# it has finished. LOCK is held meanwhile, so trees sharing a dependency
# cache do the work once, one at a time.
function(tidemark_run_once stamp lock timeout)
  if(EXISTS "${stamp}")
    return()
  endif()
  get_filename_component(lock_dir "${lock}" DIRECTORY)
  file(MAKE_DIRECTORY "${lock_dir}")
  file(LOCK "${lock}" GUARD FUNCTION TIMEOUT ${timeout})
  if(NOT EXISTS "${stamp}")
    list(POP_FRONT ARGN command)
    cmake_language(CALL ${command} ${ARGN})
  endif()
endfunction()
