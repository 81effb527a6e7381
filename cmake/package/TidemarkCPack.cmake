# The CPack External generator's script (tidemark_cpack_external() names
# it): builds the installer CPACK_PACKAGE_FILE_NAME.exe from the staged
# install tree. The product keys come from CPack's variables (the table in
# docs/building-in-ci.md); a product file named by
# CPACK_TIDEMARK_PRODUCT_FILE adds keys or overrides them, and
# CPACK_TIDEMARK_OPTIONS are further words for `tidemark build`.

foreach(_variable CPACK_TIDEMARK_EXECUTABLE CPACK_TIDEMARK_STUB CPACK_TEMPORARY_DIRECTORY)
  if(NOT ${_variable})
    message(FATAL_ERROR "Tidemark: ${_variable} is not set; call tidemark_cpack_external() "
                        "before include(CPack)")
  endif()
endforeach()

set(_staged "${CPACK_TEMPORARY_DIRECTORY}")
set(_work "${CPACK_TOPLEVEL_DIRECTORY}/tidemark-product")
file(REMOVE_RECURSE "${_work}")

# The keys as the product file gives them: _keys holds their names in
# lower case, _key_<name> the line as written and _value_<name> its value.
set(_keys)
function(_tidemark_set key value)
  string(TOLOWER "${key}" lower)
  set(keys ${_keys})
  if(NOT lower IN_LIST keys)
    list(APPEND keys "${lower}")
  endif()
  set(_keys "${keys}" PARENT_SCOPE)
  set(_key_${lower} "${key}" PARENT_SCOPE)
  set(_value_${lower} "${value}" PARENT_SCOPE)
endfunction()

# The keys that name a file or folder, which the vendor's product file gives
# relative to its own folder.
set(_path_keys splashfile iconfile aboutfile licensefile filesfolder setupiconfile)

# Finds the program NAME (without .exe) in the staged tree, in bin/ first as
# CPack's other generators expect it; its path with "\" between parts.
function(_tidemark_program name result)
  set(found)
  foreach(candidate "bin/${name}.exe" "${name}.exe")
    if(EXISTS "${_staged}/${candidate}")
      set(found "${candidate}")
      break()
    endif()
  endforeach()
  if(NOT found)
    file(GLOB_RECURSE anywhere RELATIVE "${_staged}" "${_staged}/*/${name}.exe")
    if(anywhere)
      list(SORT anywhere)
      list(GET anywhere 0 found)
    endif()
  endif()
  if(NOT found)
    message(FATAL_ERROR "Tidemark: CPACK_PACKAGE_EXECUTABLES names ${name}, but the install tree "
                        "holds no ${name}.exe")
  endif()
  string(REPLACE "/" "\\" found "${found}")
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

# The placeholder splash picture of a starter product.
execute_process(COMMAND "${CPACK_TIDEMARK_EXECUTABLE}" init "${_work}/starter"
                OUTPUT_QUIET ERROR_VARIABLE _error RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "Tidemark: tidemark init failed: ${_error}")
endif()

_tidemark_set(AppName "${CPACK_PACKAGE_NAME}")
if(CPACK_PACKAGE_VENDOR)
  _tidemark_set(AppCompany "by ${CPACK_PACKAGE_VENDOR}")
  _tidemark_set(AppPublisher "${CPACK_PACKAGE_VENDOR}")
  _tidemark_set(SetupCompanyName "${CPACK_PACKAGE_VENDOR}")
endif()
_tidemark_set(TargetFolder "%ProgramFiles%\\${CPACK_PACKAGE_INSTALL_DIRECTORY}")
if(CPACK_PACKAGE_VERSION)
  _tidemark_set(AppVersion "${CPACK_PACKAGE_VERSION}")
  if(CPACK_PACKAGE_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    _tidemark_set(SetupVersion "${CPACK_PACKAGE_VERSION}")
  endif()
endif()
_tidemark_set(SetupProductName "${CPACK_PACKAGE_NAME}")
if(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
  _tidemark_set(SetupDescription "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}")
endif()
# Pairs of program (without .exe) and shortcut name: the first is the main
# program, the others shortcuts 1, 2, ... in the program group.
set(_shortcut 0)
set(_executables ${CPACK_PACKAGE_EXECUTABLES})
while(_executables)
  list(POP_FRONT _executables _program _label)
  _tidemark_program("${_program}" _path)
  if(_shortcut EQUAL 0)
    _tidemark_set(ExeName "${_path}")
    _tidemark_set(ExeShortcut "${_label}")
  else()
    _tidemark_set(ShortcutName${_shortcut} "${_label}")
    _tidemark_set(ShortcutPath${_shortcut} "${_path}")
  endif()
  math(EXPR _shortcut "${_shortcut} + 1")
endwhile()
_tidemark_set(SplashFile "${_work}/starter/splash.jpg")
_tidemark_set(AboutFile "${CPACK_RESOURCE_FILE_README}")
_tidemark_set(LicenseFile "${CPACK_RESOURCE_FILE_LICENSE}")
_tidemark_set(FilesFolder "${_staged}")
if(CPACK_PACKAGE_ICON MATCHES "\\.[iI][cC][oO]$")
  _tidemark_set(SetupIconFile "${CPACK_PACKAGE_ICON}")
elseif(CPACK_PACKAGE_ICON MATCHES "\\.[jJ][pP][eE]?[gG]$")
  _tidemark_set(IconFile "${CPACK_PACKAGE_ICON}")
elseif(CPACK_PACKAGE_ICON)
  message(WARNING "Tidemark: CPACK_PACKAGE_ICON ${CPACK_PACKAGE_ICON} is neither an .ico (the "
                  "installer's icon) nor a JPEG (the wizard's icon picture); left out")
endif()

# The vendor's product file: its comments, blank lines and headings pass,
# every other line sets a key as the packer reads it.
if(CPACK_TIDEMARK_PRODUCT_FILE)
  get_filename_component(_vendor_folder "${CPACK_TIDEMARK_PRODUCT_FILE}" DIRECTORY)
  file(STRINGS "${CPACK_TIDEMARK_PRODUCT_FILE}" _lines ENCODING UTF-8)
  foreach(_line IN LISTS _lines)
    string(STRIP "${_line}" _line)
    if(_line STREQUAL "" OR _line MATCHES "^[;#[]")
      continue()
    endif()
    if(NOT _line MATCHES "^([^=]*[^= \t])[ \t]*=[ \t]*(.*)$")
      message(FATAL_ERROR "Tidemark: ${CPACK_TIDEMARK_PRODUCT_FILE}: \"${_line}\" is no "
                          "name=value line")
    endif()
    set(_name "${CMAKE_MATCH_1}")
    set(_value "${CMAKE_MATCH_2}")
    string(TOLOWER "${_name}" _lower)
    if(_lower IN_LIST _path_keys AND NOT _value STREQUAL "")
      get_filename_component(_value "${_value}" ABSOLUTE BASE_DIR "${_vendor_folder}")
    endif()
    _tidemark_set("${_name}" "${_value}")
  endforeach()
endif()

if(NOT "exename" IN_LIST _keys)
  message(FATAL_ERROR "Tidemark: no main program: set CPACK_PACKAGE_EXECUTABLES (pairs of program "
                      "without .exe and shortcut name), or give ExeName and ExeShortcut in "
                      "CPACK_TIDEMARK_PRODUCT_FILE")
endif()

set(_text "; Made by the Tidemark CPack generator from CPack's variables")
if(CPACK_TIDEMARK_PRODUCT_FILE)
  string(APPEND _text " and ${CPACK_TIDEMARK_PRODUCT_FILE}")
endif()
string(APPEND _text ".\n")
foreach(_lower IN LISTS _keys)
  string(APPEND _text "${_key_${_lower}}=${_value_${_lower}}\n")
endforeach()
file(WRITE "${_work}/product.ini" "${_text}")

set(_installer "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.exe")
execute_process(
  COMMAND "${CPACK_TIDEMARK_EXECUTABLE}" build --stub "${CPACK_TIDEMARK_STUB}"
          --product "${_work}/product.ini" --out "${_installer}" --quiet ${CPACK_TIDEMARK_OPTIONS}
  ERROR_VARIABLE _error RESULT_VARIABLE _result)
if(_error)
  message(STATUS "tidemark: ${_error}")
endif()
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "Tidemark: the installer could not be built from ${_work}/product.ini")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${_installer}")
