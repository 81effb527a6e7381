# Writes the driver's table of control names from resources/control_ids.h:
# one {"name", tidemark::ids::kName} line per identifier. Names of
# kind-prefixed controls start in lower case (btnShowLicense, tabIntro);
# numbered ones keep their capital (Panel1, Label11).
function(tidemark_write_control_names header output)
  file(STRINGS "${header}" lines REGEX "^[ \t]*k[A-Z][A-Za-z0-9]*[ \t]*(=[^,]*)?,")
  set(table "// Generated from resources/control_ids.h; do not edit.\n")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*k([A-Za-z0-9]+).*$" "\\1" id "${line}")
    set(name "${id}")
    if(name MATCHES "^(Btn|Lab|Tab|Edt|Chk|Mtr|Img|Rich|Pan)[A-Z]")
      string(SUBSTRING "${name}" 0 1 first)
      string(SUBSTRING "${name}" 1 -1 rest)
      string(TOLOWER "${first}" first)
      set(name "${first}${rest}")
    endif()
    string(APPEND table "{\"${name}\", tidemark::ids::k${id}},\n")
  endforeach()
  file(CONFIGURE OUTPUT "${output}" CONTENT "${table}")
endfunction()
