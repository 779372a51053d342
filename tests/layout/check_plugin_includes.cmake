# Fails when plugin code includes a stand-in or tool header; run as cmake -DROOT=<source> -P <this>.
# The plugin must build against the real host framework alone, where neither folder exists.

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source directory> -P check_plugin_includes.cmake")
endif()

set(plugin_folders host core config log plugin)
set(forbidden "#[ \t]*include[ \t]*[\"<](standin|tools)/[^\">]*[\">]")

set(found "")
foreach(folder IN LISTS plugin_folders)
  # plugin/ is not there in every checkout; a missing folder has nothing to check.
  file(GLOB_RECURSE sources LIST_DIRECTORIES false "${ROOT}/${folder}/*")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(h|hpp|cpp|cc|inc)$")
      continue()
    endif()
    file(STRINGS "${source}" lines REGEX "${forbidden}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH relative "${ROOT}" "${source}")
      string(STRIP "${line}" line)
      list(APPEND found "${relative}: ${line}")
    endforeach()
  endforeach()
endforeach()

if(found)
  list(JOIN found "\n  " report)
  message(FATAL_ERROR "plugin code includes stand-in or tool headers:\n  ${report}")
endif()
message(STATUS "plugin code includes no stand-in or tool header")
