#include "process/air_parameter.h"

#include <array>
#include <string>

#include "panel/field_names.h"

namespace tarvel::process {

std::string_view CopiedParameterKey(AirField field) {
  static const std::array<std::string, kParameterCount> keys = [] {
    std::array<std::string, kParameterCount> made;
    for (int i = 0; i < kParameterCount; ++i)
      made[i] = std::string(KeyOf(ParameterField(i))) + std::string(kCopiedSuffix);
    return made;
  }();
  const int index = FieldIndex(field);
  return index >= 0 && index < kParameterCount ? std::string_view(keys[index]) : std::string_view();
}

}  // namespace tarvel::process
