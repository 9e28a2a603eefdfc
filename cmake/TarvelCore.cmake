# The computing core: property model, solver, field-panel interface, number text and the
# psychrometric chart in physical units.
# No GUI dependency; linked by the window, the replay tool, the tests, benchmarks and fuzzers.
add_library(tarvel_core STATIC
  physics/elementary/accurate.cpp
  physics/elementary/exp.cpp
  physics/elementary/integer_power.cpp
  physics/elementary/log.cpp
  physics/elementary/tables.cpp
  physics/checked_arithmetic.cpp
  physics/saturation_pressure.cpp
  physics/saturation_table.cpp
  physics/psychrometer.cpp
  physics/moist_air.cpp
  physics/standard_atmosphere.cpp
  ui/number_reading.cpp
  ui/number_writing.cpp
  ui/shortest_digits.cpp
  ui/field_panel.cpp
  ui/memory_panel.cpp
  ui/clear_command.cpp
  solver/pair_code.cpp
  solver/from_dry_rh.cpp
  solver/from_dry_wet.cpp
  solver/pairs_dry_bulb.cpp
  solver/pairs_wet_bulb.cpp
  solver/pairs_rel_humidity.cpp
  solver/pairs_dew_moisture_enthalpy.cpp
  solver/solve_pair.cpp
  solver/calculate_command.cpp
  chart/chart_range.cpp
  chart/chart_pressure.cpp
  chart/chart_plane.cpp
  chart/chart_curves.cpp
  chart/chart_pick.cpp
)
target_include_directories(tarvel_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
# Every result must agree to the last bit whatever the build type and the machine: no fused
# multiply-add (which rounds once where the formula rounds twice), no fast-math, no host-specific
# instruction selection. PUBLIC, so that the tests, tools and front ends that compile the core's
# inline code (the checked operations, the searches' templates) do so in the same arithmetic.
target_compile_options(tarvel_core PUBLIC -ffp-contract=off)
# Number text uses two header-only libraries: fast_float (decimal text to double) and fmt (the
# shortest digits of a double, compiled in with FMT_HEADER_ONLY, never linked). They are found
# by their headers alone, so a cross build (WebAssembly) can point these cache variables at a
# copy of the headers.
find_path(TARVEL_FAST_FLOAT_INCLUDE_DIR fast_float/fast_float.h REQUIRED)
find_path(TARVEL_FMT_INCLUDE_DIR fmt/format.h REQUIRED)
target_include_directories(tarvel_core SYSTEM PRIVATE
  ${TARVEL_FAST_FLOAT_INCLUDE_DIR} ${TARVEL_FMT_INCLUDE_DIR})
