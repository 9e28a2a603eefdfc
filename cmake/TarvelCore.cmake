# The computing core: one static library per layer (cmake/TarvelLayers.cmake), and tarvel_core,
# the whole of it, which the programs, tests, benchmarks and fuzzers link. Nothing in it knows of
# Qt or of the front end it serves.
include(${CMAKE_CURRENT_LIST_DIR}/TarvelLayers.cmake)
add_subdirectory(physics)
add_subdirectory(panel)
add_subdirectory(solver)
add_subdirectory(chart)
add_subdirectory(process)
add_subdirectory(tables)
add_subdirectory(climate)

add_library(tarvel_core INTERFACE)
target_link_libraries(tarvel_core INTERFACE tarvel_chart tarvel_tables tarvel_climate)
