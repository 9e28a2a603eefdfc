# The core is built in layers, one folder and one static library each, every layer linked only to
# the layers below it:
#
#   tarvel_physics   physics/   the property model and its elementary functions
#   tarvel_panel     panel/     the seven fields, messages, number text, clear command
#   tarvel_solver    solver/    state completion and pair resolution, on the panel's operations
#   tarvel_process   process/   air-conditioning processes and designs: their states and figures
#   tarvel_chart     chart/     the psychrometric chart in physical units, a design's lines on it
#   tarvel_tables    tables/    results written out: tables, CSV, the replay protocol's answers
#   tarvel_climate   climate/   weather files: every hour calculated, design conditions, zones
#   tarvel_window    ui/        the Qt window
#
# tarvel_add_layer(<target> <folder> [BELOW <layer>...] SOURCES <file>...) makes one. The folders a
# layer may include from are its own and those of the layers it is linked to, directly or through
# another layer; the test core.layers reads every include of every layer's folder and fails on
# any other (tests/layers.cmake), so a dependency that runs the wrong way cannot land.
#
# tarvel_add_front_end_rule(<folder> BELOW <layer>... [ALSO <header>...]) holds the C++ of a front
# end (the page's entries, the Python module's, tarvel-batch's parts) to the same test: its folder
# may include from itself, the layers it is built on and the headers named, nothing else. The rule
# is stated whether or not this build makes that front end, so that every build checks it.
function(tarvel_add_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "BELOW;SOURCES")
  add_library(${target} STATIC ${arg_SOURCES})
  target_link_libraries(${target} PUBLIC ${arg_BELOW})
  set(reach ${folder})
  foreach(below IN LISTS arg_BELOW)
    get_property(below_reach TARGET ${below} PROPERTY TARVEL_LAYER_REACH)
    list(APPEND reach ${below_reach})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(TARGET ${target} PROPERTY TARVEL_LAYER_REACH ${reach})
  list(JOIN reach "," reach_text)
  set_property(GLOBAL APPEND PROPERTY TARVEL_LAYER_RULES "${folder}=${reach_text}")
  set_property(GLOBAL APPEND PROPERTY TARVEL_LAYER_TARGETS ${target})
endfunction()

function(tarvel_add_front_end_rule folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BELOW;ALSO")
  set(reach ${folder})
  foreach(below IN LISTS arg_BELOW)
    get_property(below_reach TARGET ${below} PROPERTY TARVEL_LAYER_REACH)
    list(APPEND reach ${below_reach})
  endforeach()
  list(APPEND reach ${arg_ALSO})
  list(REMOVE_DUPLICATES reach)
  list(JOIN reach "," reach_text)
  set_property(GLOBAL APPEND PROPERTY TARVEL_LAYER_RULES "${folder}=${reach_text}")
endfunction()
