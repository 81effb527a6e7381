# Runs one end-to-end case (ctest calls it through `cmake -P`):
#   1. makes an empty work folder holding the installers a case may start:
#      stub.exe (the bare stub), setup.exe (plain container) and
#      setup-scrambled.exe, built from PRODUCT with the native packer;
#   2. runs the UI driver on CASE under Wine, in that folder, with its
#      screenshots going to SCREENSHOTS.
# A case may pick another product of PRODUCTS with a line "# product: NAME"
# and place the built sample program PROGRAM into its files with a line
# "# program: PATH" (relative to the files folder). The products are copied
# into the work folder as products/, so that a case compares installed files
# with products\NAME\files\...; ${payload_start} is the installers'
# PayloadStart (the uninstaller's length), as the packer lists it.
# Wine: inside a session of scripts/wine-session.sh (as the test scripts run
# ctest) WINE_EXEC joins it; otherwise it starts a session for this case. A
# case that compares the machine before and after says "# session: own" and
# always gets a fresh session, which no other test writes to meanwhile.
foreach(_input PACKER STUB DRIVER PRODUCT CASE WORK SCREENSHOTS WINE_EXEC)
  if(NOT DEFINED ${_input})
    message(FATAL_ERROR "run_case.cmake: -D${_input}=... is missing")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}" "${SCREENSHOTS}")
file(MAKE_DIRECTORY "${WORK}" "${SCREENSHOTS}")
file(COPY_FILE "${STUB}" "${WORK}/stub.exe")

if(DEFINED PRODUCTS)
  file(COPY "${PRODUCTS}/" DESTINATION "${WORK}/products")
  file(STRINGS "${CASE}" _product REGEX "^# product: " LIMIT_COUNT 1)
  if(_product)
    string(REGEX REPLACE "^# product: *" "" _product "${_product}")
    set(PRODUCT "${WORK}/products/${_product}/product.ini")
  endif()
  file(STRINGS "${CASE}" _program REGEX "^# program: " LIMIT_COUNT 1)
  if(_program)
    string(REGEX REPLACE "^# program: *" "" _program "${_program}")
    get_filename_component(_product_dir "${PRODUCT}" DIRECTORY)
    file(COPY_FILE "${PROGRAM}" "${_product_dir}/files/${_program}")
  endif()
endif()

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

execute_process(COMMAND "${PACKER}" list "${WORK}/setup.exe" OUTPUT_VARIABLE _listing)
string(REGEX MATCH "PayloadStart ([0-9]+)" _payload "${_listing}")

file(STRINGS "${CASE}" _own_session REGEX "^# session: own" LIMIT_COUNT 1)
set(_launcher "")
if(_own_session)
  set(_launcher "${CMAKE_COMMAND}" -E env --unset=TIDEMARK_WINE_SESSION)
endif()

execute_process(
  COMMAND ${_launcher} "${WINE_EXEC}" "${DRIVER}" --screenshots "${SCREENSHOTS}"
          --set "payload_start=${CMAKE_MATCH_1}" "${CASE}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "case ${CASE} failed (driver exit code ${rc}); screenshots in ${SCREENSHOTS}")
endif()
