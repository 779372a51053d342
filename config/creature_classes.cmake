# Writes the names of creature-classes.txt as C++ string literals, one a line, for
# creature_classes.cpp to include. A build step: cmake -DIN=<list> -DOUT=<file> -P <this>.
# Only letters, digits and _ pass, so that no line of the list can become code.
file(STRINGS "${IN}" lines)
set(literals "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  if(name STREQUAL "" OR name MATCHES "^#")
    continue()
  endif()
  if(NOT name MATCHES "^[A-Za-z0-9_]+$")
    message(FATAL_ERROR "${IN}: \"${name}\" is no class name (letters, digits and _ only)")
  endif()
  string(LENGTH "${name}" length)
  if(length GREATER 64)
    # The near-name search keeps one row of 65 cells on the stack.
    message(FATAL_ERROR "${IN}: \"${name}\" is longer than 64 letters")
  endif()
  string(APPEND literals "\"${name}\",\n")
endforeach()
if(literals STREQUAL "")
  message(FATAL_ERROR "${IN} lists no class name")
endif()
file(WRITE "${OUT}" "${literals}")
