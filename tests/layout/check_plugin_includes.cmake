# Fails when plugin code includes against its one-way layout: plugin/ uses config/, core/, log/
# and host/; config/ uses core/, log/ and host/; core/ and log/ use host/; host/ uses none of them;
# each uses text/, the text rules they share, which uses none.
# No plugin folder uses standin/, tools/ or the test folders: the plugin must build against the
# real host framework alone, where those do not exist. Run as cmake -DROOT=<source> -P <this>.

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source directory> -P check_plugin_includes.cmake")
endif()

# What each plugin folder may include from the project, besides itself.
set(may_use_text "")
set(may_use_host text)
set(may_use_core host text)
set(may_use_log host text)
set(may_use_config core log host text)
set(may_use_plugin config core log host text)
set(project_folders text host core log config plugin standin tools tests bench fuzz)

set(include_line "^[ \t]*#[ \t]*include[ \t]*[\"<]")
set(found "")
foreach(folder IN ITEMS text host core log config plugin)
  # A missing folder has nothing to check.
  file(GLOB_RECURSE sources LIST_DIRECTORIES false "${ROOT}/${folder}/*")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(h|hpp|cpp|cc|inc)$")
      continue()
    endif()
    file(RELATIVE_PATH relative "${ROOT}" "${source}")
    file(STRINGS "${source}" lines REGEX "${include_line}")
    foreach(line IN LISTS lines)
      string(STRIP "${line}" line)
      string(REGEX REPLACE "${include_line}([^\">]*).*" "\\1" path "${line}")
      # A path up and out of the folder would slip past the folder names below.
      if(path MATCHES "(^|/)\\.\\./")
        list(APPEND found "${relative}: ${line} (a relative path out of ${folder}/)")
        continue()
      endif()
      string(REGEX MATCH "^[^/]+" used "${path}")
      if(path MATCHES "/" AND used IN_LIST project_folders AND NOT used STREQUAL folder
         AND NOT used IN_LIST may_use_${folder})
        list(JOIN may_use_${folder} "/, " allowed)
        if(allowed)
          set(allowed "${allowed}/ and itself")
        else()
          set(allowed "only itself")
        endif()
        list(APPEND found "${relative}: ${line} (${folder}/ uses ${allowed})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(found)
  list(JOIN found "\n  " report)
  message(FATAL_ERROR "plugin code includes against the one-way layout:\n  ${report}")
endif()
message(STATUS "plugin code includes follow the one-way layout")
