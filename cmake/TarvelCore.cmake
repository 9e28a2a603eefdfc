# The computing core: one static library per layer (cmake/TarvelLayers.cmake), and tarvel_core,
# the whole of it, which the programs, tests, benchmarks and fuzzers link. Nothing in it knows of
# Qt or of the front end it serves.
include(${CMAKE_CURRENT_LIST_DIR}/TarvelLayers.cmake)
# The nlohmann-json the code is tested with (Debian 12's), required wherever it is found. Requests
# come from users: before 3.7.2 a parsed document was destroyed by recursion, one call per level of
# nesting, so a request of a few hundred kilobytes of "[" overflowed the stack (and 3.7.2 destroyed
# some documents in quadratic time). Parsing and destroying are iterative now; copying a value and
# dump() still recurse, so nothing here copies or writes any part of a request.
set(TARVEL_NLOHMANN_JSON_VERSION 3.11.2)
add_subdirectory(physics)
add_subdirectory(panel)
add_subdirectory(solver)
add_subdirectory(process)
add_subdirectory(chart)
add_subdirectory(tables)
add_subdirectory(climate)

add_library(tarvel_core INTERFACE)
target_link_libraries(tarvel_core INTERFACE tarvel_tables tarvel_climate)

# The front ends' C++ over the core, checked by core.layers like the layers themselves: the page's
# entries and the Python module reach the whole core, weather files included, and the node replay
# the replay session too; tarvel-batch's parts the layers up to the tables.
tarvel_add_front_end_rule(web BELOW tarvel_tables tarvel_climate ALSO app/replay_session.h)
tarvel_add_front_end_rule(python/src BELOW tarvel_tables tarvel_climate)
tarvel_add_front_end_rule(app/batch BELOW tarvel_tables)
