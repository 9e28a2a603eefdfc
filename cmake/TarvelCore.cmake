# The computing core: property model, solver, field-panel interface and number text.
# No GUI dependency; linked by the window, the replay tool, the tests, benchmarks and fuzzers.
add_library(tarvel_core STATIC
  physics/elementary/accurate.cpp
  physics/elementary/exp.cpp
  physics/elementary/integer_power.cpp
  physics/elementary/log.cpp
  physics/elementary/tables.cpp
  physics/checked_arithmetic.cpp
  physics/saturation_pressure.cpp
  physics/psychrometer.cpp
  physics/moist_air.cpp
  ui/number_text.cpp
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
)
target_include_directories(tarvel_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
