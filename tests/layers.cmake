# Fails when a layer of the core, or a front end's C++ over it, includes a header it is not built
# on.
# Usage: cmake -DSOURCE_DIR=<repository> "-DRULES=<folder>=<reach>,<reach>;..." -P this
# Each rule names a folder (a layer's, or a front end's such as python/src) and everything its
# files may include: folders, whose headers all count, and single headers. A layer's reach is its
# own folder and those of the layers below it; cmake/TarvelLayers.cmake writes the rules from the
# targets' links. An include is `#include "<path>"`; the standard and system headers (<...>) are
# not looked at. The rules' folders are checked file by file, sub-folders included.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT RULES)
  message(FATAL_ERROR "layers: SOURCE_DIR and RULES must be given")
endif()

# Whether the included path lies in one of the reach's folders or is one of its headers.
function(within_reach path reach out)
  foreach(entry IN LISTS reach)
    string(LENGTH "${entry}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(path STREQUAL entry OR head STREQUAL "${entry}/")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

set(failures "")
set(checked 0)
foreach(rule IN LISTS RULES)
  if(NOT rule MATCHES "^([a-z_/]+)=([a-z_,./]+)$")
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
      if(NOT line MATCHES "\"([^\"]+/[^\"]*)\"")
        continue()  # a header beside the file, such as a generated one
      endif()
      within_reach("${CMAKE_MATCH_1}" "${reach}" allowed)
      if(NOT allowed)
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
