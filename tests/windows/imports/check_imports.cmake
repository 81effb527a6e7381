# cmake -DOBJDUMP=... -DSTUB=... -P check_imports.cmake
cmake_minimum_required(VERSION 3.20)
# Fails when the stub imports a DLL outside the allowed list, or when its
# header lacks a flag Windows programs carry.
# comctl32 is not among them: it is loaded at run time (system/common_controls.h).
set(allowed advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
            shell32.dll user32.dll)
execute_process(COMMAND ${OBJDUMP} -p ${STUB} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${STUB} failed (${rc})")
endif()
foreach(flag IN ITEMS DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
  if(NOT dump MATCHES "DllCharacteristics[^\n]*\n([ \t]+[A-Z_]+\n)*[ \t]+${flag}\n")
    message(FATAL_ERROR "the stub's header lacks the DllCharacteristics flag ${flag}")
  endif()
endforeach()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no import table found in ${STUB}")
endif()
set(outside "")
foreach(entry IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${entry}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  message(STATUS "imports ${dll}")
  if(NOT dll IN_LIST allowed)
    list(APPEND outside ${dll})
  endif()
endforeach()
if(outside)
  message(FATAL_ERROR "the stub imports DLLs outside the known system DLLs: ${outside}. "
    "Load them with LoadLibraryExA(..., LOAD_LIBRARY_SEARCH_SYSTEM32) after start-up instead.")
endif()
