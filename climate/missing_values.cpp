#include "climate/missing_values.h"

#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "panel/number_text.h"
#include "tables/column_map.h"
#include "tables/plain_number.h"

namespace tarvel::climate {

std::string ValueProblem(const GivenValue& value) {
  const std::string name(tables::FieldColumnName(value.field, tables::HeaderLanguage::Chinese));
  const std::string_view text = TrimBlanks(value.text);
  if (text.empty())
    return name + "缺测（空）";
  if (!tables::IsPlainNumber(text))
    return name + Quoted(value.text) + "不是数";
  if (value.missing_mark && ParseNumber(text) == *value.missing_mark)
    return name + "缺测（" + std::string(text) + "）";
  return {};
}

}  // namespace tarvel::climate
