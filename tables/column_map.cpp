#include "tables/column_map.h"

#include <string>

#include "tables/table_error.h"

namespace tarvel::tables {
namespace {

struct FieldNames {
  AirField field;
  std::string_view chinese;
  std::string_view english;
};

// In the order in which the output appends missing columns: the pressure, then Text(0) to Text(5).
constexpr FieldNames kFieldNames[] = {
    {AirField::Pressure, "当地大气压力", "pressure"},
    {AirField::DryBulb, "干球温度", "dry_bulb"},
    {AirField::WetBulb, "湿球温度", "wet_bulb"},
    {AirField::RelHumidity, "相对湿度", "rel_humidity"},
    {AirField::DewPoint, "露点温度", "dew_point"},
    {AirField::MoistureContent, "含湿量", "moisture_content"},
    {AirField::Enthalpy, "湿空气焓", "enthalpy"},
};
constexpr std::string_view kMessageChinese = "提示";
constexpr std::string_view kMessageEnglish = "message";

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

}  // namespace

std::optional<NamedRole> RoleOfName(std::string_view name) {
  name = TrimBlanks(name);
  for (const FieldNames& f : kFieldNames) {
    const ColumnRole role{ColumnRole::Kind::Field, f.field};
    if (name == f.chinese)
      return NamedRole{role, HeaderLanguage::Chinese};
    if (EqualIgnoringAsciiCase(name, f.english))
      return NamedRole{role, HeaderLanguage::English};
  }
  const ColumnRole message{ColumnRole::Kind::Message};
  if (name == kMessageChinese)
    return NamedRole{message, HeaderLanguage::Chinese};
  if (EqualIgnoringAsciiCase(name, kMessageEnglish))
    return NamedRole{message, HeaderLanguage::English};
  return std::nullopt;
}

std::string_view FieldColumnName(AirField field, HeaderLanguage language) {
  for (const FieldNames& f : kFieldNames) {
    if (f.field == field)
      return Language(language, f.chinese, f.english);
  }
  return {};
}

std::string_view MessageColumnName(HeaderLanguage language) {
  return Language(language, kMessageChinese, kMessageEnglish);
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
  if (!any_field) {
    throw TableError(
        "表头（第一行）中没有参数的列名：列名应为 当地大气压力、干球温度、湿球温度、相对湿度、"
        "露点温度、含湿量、湿空气焓，或 pressure、dry_bulb、wet_bulb、rel_humidity、dew_point、"
        "moisture_content、enthalpy");
  }
  for (const FieldNames& f : kFieldNames) {
    if (!map.HasField(f.field))
      map.appended_fields.push_back(f.field);
  }
  return map;
}

}  // namespace tarvel::tables
