#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/air_field.h"

namespace tarvel::tables {

// The language of a header's names, in which the columns that the output adds are named.
enum class HeaderLanguage { Chinese, English };

// What a column holds: one of the seven fields, the messages, or something else that passes
// through.
struct ColumnRole {
  enum class Kind { Field, Message, Other };
  Kind kind = Kind::Other;
  AirField field = AirField::Pressure;  // Field only
  bool operator==(const ColumnRole&) const = default;
};

// The role and language of a header name: the window's captions and "提示", or the English names
// and "message" in any case, with blanks and tabs around them ignored. Nullopt for any other name.
struct NamedRole {
  ColumnRole role;
  HeaderLanguage language;
};
std::optional<NamedRole> RoleOfName(std::string_view name);

// The name of a field's column in a language: its caption ("干球温度", "当地大气压力") or its key
// ("dry_bulb", "pressure"), but for the moisture content, whose English column tarvel-batch has
// always called "moisture_content" (the design request's key is "moisture").
inline constexpr std::string_view kMoistureColumnEnglish = "moisture_content";
std::string_view FieldColumnName(AirField field, HeaderLanguage language);

// The name of the message column.
inline constexpr std::string_view kMessageColumnChinese = "提示";
inline constexpr std::string_view kMessageColumnEnglish = "message";
std::string_view MessageColumnName(HeaderLanguage language);

// Where each of the seven fields and the messages stand in a table's input and output.
struct ColumnMap {
  std::vector<ColumnRole> input_roles;  // one per header cell, in input order
  // The input column of each field (by FieldIndex), or -1 when the output appends it.
  std::array<int, kFieldCount> field_column{};
  int message_column = -1;  // the input column of the messages, or -1
  HeaderLanguage language = HeaderLanguage::Chinese;
  // The fields that the output appends after the input's columns: the pressure first, then
  // Text(0) to Text(5), as the window lists them. The message column follows them when the input
  // has none.
  std::vector<AirField> appended_fields;

  bool HasField(AirField field) const { return field_column[FieldIndex(field)] >= 0; }
  int InputColumns() const { return static_cast<int>(input_roles.size()); }
};

// Maps the header's names. The language is that of the first name the calculator knows. Throws
// TableError when no name is one of the seven, or when two columns name the same field (or both
// are message columns); other names may repeat.
ColumnMap MapColumns(const std::vector<std::string>& names);

}  // namespace tarvel::tables
