# Fails when a layer of the core includes a header of a layer it is not built on.
# Usage: cmake -DSOURCE_DIR=<repository> "-DRULES=<folder>=<folder>,<folder>;..." -P this
# Each rule names a layer's folder and every folder it may include from: its own and those of the
# layers below it (cmake/TarvelLayers.cmake writes the rules from the layers' links). An include
# is `#include "<folder>/..."`; the standard and system headers (<...>) are not looked at.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT RULES)
  message(FATAL_ERROR "layers: SOURCE_DIR and RULES must be given")
endif()

set(failures "")
set(checked 0)
foreach(rule IN LISTS RULES)
  if(NOT rule MATCHES "^([a-z_]+)=([a-z_,]+)$")
    message(FATAL_ERROR "layers: malformed rule '${rule}'")
  endif()
  set(folder ${CMAKE_MATCH_1})
  set(reach_text "${CMAKE_MATCH_2}")
  string(REPLACE "," ";" reach "${reach_text}")
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  if(NOT sources)
    message(FATAL_ERROR "layers: no sources in ${folder}/")
  endif()
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*\"")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"([^/\"]+)/[^\"]*\"" AND NOT CMAKE_MATCH_1 IN_LIST reach)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        string(STRIP "${line}" line)
        list(APPEND failures "${name}: ${line} (${folder}/ builds on ${reach_text} only)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "A layer includes from a layer it is not built on:\n  ${text}")
endif()
message(STATUS "layers: the ${checked} files of the layers include only from the layers below")
