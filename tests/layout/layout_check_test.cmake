# The layout check on a made-up tree: each include it must refuse is named, none it must allow is.
# Run as cmake -DCHECK=<check_plugin_includes.cmake> -DSCRATCH=<directory> -P <this>.
cmake_minimum_required(VERSION 3.25)

# file|include line|whether the check must name the file
set(cases
    "core/a.h|#include \"config/loader.h\"|refused"
    "log/b.h|#include \"core/delay_table.h\"|refused"
    "host/c.h|#include \"log/plugin_log.h\"|refused"
    "config/d.cpp|#include \"plugin/gates.h\"|refused"
    "plugin/e.cpp|#include <standin/clock.h>|refused"
    "config/sub/f.h|  #  include \"tools/check/check.h\"|refused"
    "core/g.cpp|#include \"../standin/clock.h\"|refused"
    "plugin/h.cpp|#include \"config/loader.h\"|allowed"
    "config/i.cpp|#include \"log/plugin_log.h\"|allowed"
    "log/j.cpp|#include \"host/fstring.h\"|allowed"
    "core/k.cpp|#include <fmt/format.h>|allowed"
    "text/l.cpp|#include \"host/utf8.h\"|refused"
    "host/m.cpp|#include \"text/printable.h\"|allowed")

file(REMOVE_RECURSE "${SCRATCH}")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 path)
  list(GET fields 1 line)
  file(WRITE "${SCRATCH}/${path}" "${line}\n")
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${SCRATCH} -P ${CHECK} RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(wrong "")
if(result EQUAL 0)
  list(APPEND wrong "the check passed")
endif()
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 path)
  list(GET fields 2 expected)
  string(FIND "${output}" "${path}:" at)
  if(at EQUAL -1)
    set(verdict allowed)
  else()
    set(verdict refused)
  endif()
  if(NOT verdict STREQUAL expected)
    list(APPEND wrong "${path}: ${verdict}, should be ${expected}")
  endif()
endforeach()
if(wrong)
  list(JOIN wrong "\n  " report)
  message(FATAL_ERROR "the layout check is wrong:\n  ${report}\nIts output:\n${output}")
endif()
