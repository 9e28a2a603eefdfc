#include "tables/column_map.h"

#include <string>

#include "panel/field_names.h"
#include "panel/form_layout.h"
#include "tables/table_error.h"

namespace tarvel::tables {
namespace {

// In the order in which the output appends missing columns: the pressure, then Text(0) to Text(5).
constexpr AirField kColumnOrder[] = {
    AirField::Pressure, AirField::DryBulb,         AirField::WetBulb, AirField::RelHumidity,
    AirField::DewPoint, AirField::MoistureContent, AirField::Enthalpy};

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

std::string_view Language(HeaderLanguage language, std::string_view chinese,
                          std::string_view english) {
  return language == HeaderLanguage::Chinese ? chinese : english;
}

// "第3列“dry_bulb”"
std::string ColumnLabel(int index, std::string_view name) {
  return "第" + std::to_string(index + 1) + "列“" + std::string(name) + "”";
}

// "表头（第一行）中没有参数的列名：列名应为 当地大气压力、…、湿空气焓，或 pressure、…、enthalpy"
std::string NoFieldNamed() {
  std::string chinese, english;
  for (const AirField field : kColumnOrder) {
    chinese.append(chinese.empty() ? "" : "、")
        .append(FieldColumnName(field, HeaderLanguage::Chinese));
    english.append(english.empty() ? "" : "、")
        .append(FieldColumnName(field, HeaderLanguage::English));
  }
  return "表头（第一行）中没有参数的列名：列名应为 " + chinese + "，或 " + english;
}

}  // namespace

std::string_view FieldColumnName(AirField field, HeaderLanguage language) {
  if (language == HeaderLanguage::Chinese)
    return form::FieldCaption(field);
  return field == AirField::MoistureContent ? kMoistureColumnEnglish : KeyOf(field);
}

std::string_view MessageColumnName(HeaderLanguage language) {
  return Language(language, kMessageColumnChinese, kMessageColumnEnglish);
}

std::optional<NamedRole> RoleOfName(std::string_view name) {
  name = TrimBlanks(name);
  for (const AirField field : kColumnOrder) {
    const ColumnRole role{ColumnRole::Kind::Field, field};
    if (name == FieldColumnName(field, HeaderLanguage::Chinese))
      return NamedRole{role, HeaderLanguage::Chinese};
    if (EqualIgnoringAsciiCase(name, FieldColumnName(field, HeaderLanguage::English)))
      return NamedRole{role, HeaderLanguage::English};
  }
  const ColumnRole message{ColumnRole::Kind::Message};
  if (name == kMessageColumnChinese)
    return NamedRole{message, HeaderLanguage::Chinese};
  if (EqualIgnoringAsciiCase(name, kMessageColumnEnglish))
    return NamedRole{message, HeaderLanguage::English};
  return std::nullopt;
}

ColumnMap MapColumns(const std::vector<std::string>& names) {
  ColumnMap map;
  map.field_column.fill(-1);
  bool any_field = false;
  bool language_known = false;
  for (int column = 0; column < static_cast<int>(names.size()); ++column) {
    const std::optional<NamedRole> named = RoleOfName(names[column]);
    map.input_roles.push_back(named ? named->role : ColumnRole{});
    if (!named)
      continue;
    if (!language_known) {
      map.language = named->language;
      language_known = true;
    }
    int& slot = named->role.kind == ColumnRole::Kind::Message
                    ? map.message_column
                    : map.field_column[FieldIndex(named->role.field)];
    if (slot >= 0) {
      throw TableError("表头中" + ColumnLabel(slot, names[slot]) + "和" +
                       ColumnLabel(column, names[column]) +
                       "是同一个参数；每个参数只能有一列，请删去或改名其中一列");
    }
    slot = column;
    any_field = any_field || named->role.kind == ColumnRole::Kind::Field;
  }
  if (!any_field)
    throw TableError(NoFieldNamed());
  for (const AirField field : kColumnOrder) {
    if (!map.HasField(field))
      map.appended_fields.push_back(field);
  }
  return map;
}

}  // namespace tarvel::tables
