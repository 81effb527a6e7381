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
# A line "# signed: yes" signs both installers after packing (see below).
# A line "# filler: PATH BYTES" writes a file of BYTES letters at PATH in
# the product's folder before packing (a large file the repository need not
# hold). Every item's place in setup.exe is given as ${NAME_offset} and
# ${NAME_last} (its last byte), NAME being the first word of its name in
# the packer's listing (splash, icon, about, licence, f1, ...), and
# ${data_start} as well, and ${NAME_half}, the offset of its middle byte. A
# line "# pack: ARGS" passes ARGS to the packer for both installers. A line
# "# installer: FILE" makes setup.exe a copy of FILE in PREBUILT (an
# installer another test made, such as the CMake sample's) and packs none.
# Wine: inside a session of scripts/wine-session.sh (as the test scripts run
# ctest) WINE_EXEC joins it; otherwise it starts a session for this case. A
# case that compares the machine before and after says "# session: own" and
# always gets a fresh session, which no other test writes to meanwhile. A
# line "# host-cut" lets the case cut files short from the Linux side
# during the run (scripts/with-host-cut.sh, driver command "host-cut"). A
# line "# drive: LETTER SIZE" gives the case a fresh session whose drive
# LETTER is a tmpfs of SIZE (scripts/with-small-drive.sh); where none can be
# mounted the case fails with a line "SKIPPED: ...", which ctest counts as
# skipped. A line "# locked-file: PATH | SOURCE" does the same with a copy
# of SOURCE (relative to the work folder) at PATH (a Unix path below drive
# C) that nobody may write (scripts/with-locked-file.sh). A line
# "# locale: NAME" (ja_JP.UTF-8, say) gives the case a fresh session in that
# locale, from which Wine takes its ANSI and OEM code pages. A line
# "# dpi: DPI" (144, say) gives the case a fresh session whose screen has
# DPI pixels per inch (scripts/with-dpi.sh).
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
  file(STRINGS "${CASE}" _filler REGEX "^# filler: " LIMIT_COUNT 1)
  if(_filler)
    if(NOT _filler MATCHES "^# filler: +([^ ]+) +([0-9]+)$")
      message(FATAL_ERROR "${CASE}: write \"# filler: PATH BYTES\"")
    endif()
    get_filename_component(_product_dir "${PRODUCT}" DIRECTORY)
    # Written in pieces of at most 16 MiB, so that a large filler never
    # stands whole in memory.
    set(_filler_path "${_product_dir}/${CMAKE_MATCH_1}")
    set(_filler_left ${CMAKE_MATCH_2})
    file(WRITE "${_filler_path}" "")
    string(REPEAT "x" 16777216 _piece)
    while(_filler_left GREATER 16777216)
      file(APPEND "${_filler_path}" "${_piece}")
      math(EXPR _filler_left "${_filler_left} - 16777216")
    endwhile()
    string(REPEAT "x" ${_filler_left} _letters)
    file(APPEND "${_filler_path}" "${_letters}")
    unset(_piece)
    unset(_letters)
  endif()
  file(STRINGS "${CASE}" _program REGEX "^# program: " LIMIT_COUNT 1 ENCODING UTF-8)
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
file(STRINGS "${CASE}" _prebuilt REGEX "^# installer: " LIMIT_COUNT 1)
if(_prebuilt)
  string(REGEX REPLACE "^# installer: *" "" _prebuilt "${_prebuilt}")
  if(NOT EXISTS "${PREBUILT}/${_prebuilt}")
    message(FATAL_ERROR "${CASE}: the installer ${PREBUILT}/${_prebuilt} is missing; the test "
                        "that makes it failed or did not run")
  endif()
  file(COPY_FILE "${PREBUILT}/${_prebuilt}" "${WORK}/setup.exe")
else()
  file(STRINGS "${CASE}" _pack_args REGEX "^# pack: " LIMIT_COUNT 1)
  string(REGEX REPLACE "^# pack: *" "" _pack_args "${_pack_args}")
  separate_arguments(_pack_args UNIX_COMMAND "${_pack_args}")
  pack(setup.exe ${_pack_args})
  pack(setup-scrambled.exe --scrambled ${_pack_args})
endif()

# A line "# signed: yes" signs both installers with osslsigncode and a test
# certificate made for the case, as a vendor signs after packing; the
# packer's verify must pass on the signed files.
file(STRINGS "${CASE}" _signed REGEX "^# signed: yes" LIMIT_COUNT 1)
if(_signed)
  execute_process(
    COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tidemark Test"
            -keyout "${WORK}/test-key.pem" -out "${WORK}/test-cert.pem"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "making the test certificate failed (${rc}):\n${out}")
  endif()
  foreach(_installer setup.exe setup-scrambled.exe)
    execute_process(
      COMMAND osslsigncode sign -certs "${WORK}/test-cert.pem" -key "${WORK}/test-key.pem"
              -in "${WORK}/${_installer}" -out "${WORK}/signed-${_installer}"
      COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
    file(RENAME "${WORK}/signed-${_installer}" "${WORK}/${_installer}")
    execute_process(COMMAND "${PACKER}" verify "${WORK}/${_installer}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR NOT out MATCHES "signed \\(certificate table of [0-9]+ bytes")
      message(FATAL_ERROR "tidemark verify on the signed ${_installer} (${rc}):\n${out}")
    endif()
  endforeach()
endif()

execute_process(COMMAND "${PACKER}" list "${WORK}/setup.exe" OUTPUT_VARIABLE _listing)
set(_variables "")
# ${today}: the date the installer registers as InstallDate (YYYYMMDD).
string(TIMESTAMP _today "%Y%m%d")
list(APPEND _variables --set "today=${_today}")
string(REGEX MATCH "PayloadStart ([0-9]+)" _ "${_listing}")
list(APPEND _variables --set "payload_start=${CMAKE_MATCH_1}")
string(REGEX MATCH "DataStart ([0-9]+)" _ "${_listing}")
list(APPEND _variables --set "data_start=${CMAKE_MATCH_1}")
string(REGEX MATCHALL "\n  [a-z0-9]+ [^\n]*offset +[0-9]+ +stored +[0-9]+" _items "${_listing}")
foreach(_item IN LISTS _items)
  string(REGEX MATCH "^\n  ([a-z0-9]+) [^\n]*offset +([0-9]+) +stored +([0-9]+)" _ "${_item}")
  math(EXPR _last "${CMAKE_MATCH_2} + ${CMAKE_MATCH_3} - 1")
  math(EXPR _half "${CMAKE_MATCH_2} + ${CMAKE_MATCH_3} / 2")
  list(APPEND _variables --set "${CMAKE_MATCH_1}_offset=${CMAKE_MATCH_2}"
                         --set "${CMAKE_MATCH_1}_last=${_last}"
                         --set "${CMAKE_MATCH_1}_half=${_half}")
endforeach()

# Preparations of the machine that only the host can make, each by a
# script that runs the driver and undoes its work afterwards.
get_filename_component(_scripts "${WINE_EXEC}" DIRECTORY)
set(_host_setup "")
# Whether the case has a header line "# NAME: ..."; when it has, the line
# must match PATTERN (else the case is refused with USAGE) and
# CMAKE_MATCH_<n> hold its parts.
macro(case_header name pattern usage found)
  file(STRINGS "${CASE}" ${found} REGEX "^# ${name}: " LIMIT_COUNT 1)
  if(${found} AND NOT ${found} MATCHES "^# ${name}: +${pattern}$")
    message(FATAL_ERROR "${CASE}: write \"# ${name}: ${usage}\"")
  endif()
endmacro()
case_header(drive "([A-Za-z]) +([0-9]+[kmg]?)" "LETTER SIZE" _drive)
if(_drive)
  list(APPEND _host_setup "${_scripts}/with-small-drive.sh" "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
endif()
case_header(locked-file "([^|]*[^ |]) +[|] +(.+)" "PATH BELOW DRIVE C | SOURCE IN THE WORK FOLDER" _locked)
if(_locked)
  list(APPEND _host_setup "${_scripts}/with-locked-file.sh" "${CMAKE_MATCH_1}" "${WORK}/${CMAKE_MATCH_2}")
endif()

case_header(dpi "([0-9]+)" "DPI" _dpi)
if(_dpi)
  list(APPEND _host_setup "${_scripts}/with-dpi.sh" "${CMAKE_MATCH_1}")
endif()

case_header(locale "([A-Za-z_]+([.@][A-Za-z0-9_-]+)*)" "NAME" _locale)
set(_environment "")
if(_locale)
  set(_locale "${CMAKE_MATCH_1}")
  # Without the locale in glibc, Wine finds no file whose name is not ASCII.
  execute_process(COMMAND locale -a OUTPUT_VARIABLE _locales)
  string(TOLOWER "${_locale}" _wanted)
  string(REPLACE "utf-8" "utf8" _wanted "${_wanted}")
  string(TOLOWER "${_locales}" _locales)
  string(REPLACE "utf-8" "utf8" _locales "${_locales}")
  string(REGEX MATCHALL "[^\n]+" _locales "${_locales}")
  list(FIND _locales "${_wanted}" _found)
  if(_found EQUAL -1)
    message(FATAL_ERROR "the locale ${_locale} is missing; scripts/bootstrap.sh generates it")
  endif()
  set(_environment "LANG=${_locale}" "LC_ALL=${_locale}")
endif()

file(STRINGS "${CASE}" _own_session REGEX "^# session: own" LIMIT_COUNT 1)
set(_launcher "")
if(_host_setup)
  # The session's prefix must exist before the host can prepare it.
  set(_launcher "${CMAKE_COMMAND}" -E env --unset=TIDEMARK_WINE_SESSION ${_environment}
                "${_scripts}/wine-session.sh" ${_host_setup})
elseif(_own_session OR _locale)
  set(_launcher "${CMAKE_COMMAND}" -E env --unset=TIDEMARK_WINE_SESSION ${_environment})
endif()

file(STRINGS "${CASE}" _host_cut REGEX "^# host-cut$" LIMIT_COUNT 1)
if(_host_cut)
  list(APPEND _launcher "${_scripts}/with-host-cut.sh")
endif()

execute_process(
  COMMAND ${_launcher} "${WINE_EXEC}" "${DRIVER}" --screenshots "${SCREENSHOTS}"
          ${_variables} "${CASE}"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc)
if(_host_setup AND rc EQUAL 77)
  message(FATAL_ERROR "SKIPPED: case ${CASE} needs a machine prepared by the host (see the reason above)")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "case ${CASE} failed (driver exit code ${rc}); screenshots in ${SCREENSHOTS}")
endif()
