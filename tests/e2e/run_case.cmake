# Runs one end-to-end case (ctest calls it through `cmake -P`):
#   1. makes an empty work folder holding the installers a case may start:
#      stub.exe (the bare stub), setup.exe (plain container) and
#      setup-scrambled.exe, built from PRODUCT with the native packer;
#   2. runs the UI driver on CASE under Wine, in that folder, with its
#      screenshots going to SCREENSHOTS.
# Wine: inside a session of scripts/wine-session.sh (as the test scripts run
# ctest) WINE_EXEC joins it; otherwise it starts a session for this case.
foreach(_input PACKER STUB DRIVER PRODUCT CASE WORK SCREENSHOTS WINE_EXEC)
  if(NOT DEFINED ${_input})
    message(FATAL_ERROR "run_case.cmake: -D${_input}=... is missing")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}" "${SCREENSHOTS}")
file(MAKE_DIRECTORY "${WORK}" "${SCREENSHOTS}")
file(COPY_FILE "${STUB}" "${WORK}/stub.exe")

function(pack output)
  execute_process(
    COMMAND "${PACKER}" build --stub "${STUB}" --product "${PRODUCT}" --out "${WORK}/${output}" ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "packing ${output} failed (${rc}):\n${out}")
  endif()
endfunction()
pack(setup.exe)
pack(setup-scrambled.exe --scrambled)

execute_process(
  COMMAND "${WINE_EXEC}" "${DRIVER}" --screenshots "${SCREENSHOTS}" "${CASE}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "case ${CASE} failed (driver exit code ${rc}); screenshots in ${SCREENSHOTS}")
endif()
