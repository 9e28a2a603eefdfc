#include "process/air_parameter.h"

#include <array>

namespace tarvel::process {
namespace {

constexpr std::array<std::string_view, kParameterCount> kKeys = {
    "dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture", "enthalpy"};

constexpr std::array<std::string_view, kParameterCount> kCopiedKeys = {
    "dry_bulb_of", "wet_bulb_of", "rel_humidity_of", "dew_point_of", "moisture_of", "enthalpy_of"};

}  // namespace

std::string_view ParameterKey(AirField field) {
  const int index = FieldIndex(field);
  return index >= 0 && index < kParameterCount ? kKeys[index] : std::string_view();
}

std::string_view CopiedParameterKey(AirField field) {
  const int index = FieldIndex(field);
  return index >= 0 && index < kParameterCount ? kCopiedKeys[index] : std::string_view();
}

}  // namespace tarvel::process
