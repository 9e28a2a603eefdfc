// Every name said once: the fields' keys, the processes' keys and Chinese names and the columns'
// names are read back by every reader that meets them, and the texts built from them are the
// system's own texts.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "panel/field_names.h"
#include "panel/form_layout.h"
#include "process/air_parameter.h"
#include "process/design_messages.h"
#include "process/process_names.h"
#include "tables/column_map.h"
#include "tables/design_line.h"

namespace tarvel {
namespace {

using nlohmann::json;

// A design request reads each parameter by its key, and the answer names the inputs by it.
TEST(Names, EachParameterKeyIsReadAndWrittenBack) {
  for (int i = 0; i < kParameterCount; ++i) {
    for (int j = i + 1; j < kParameterCount; ++j) {
      const std::string a(KeyOf(ParameterField(i))), b(KeyOf(ParameterField(j)));
      const json request = {
          {"pressure", "101.325"},
          {"points",
           {{{"name", "N"}, {"state", {{"dry_bulb", "20"}, {"rel_humidity", "50"}}}},
            {{"name", "P"},
             {"state", {{a + std::string(process::kCopiedSuffix), "N"}, {b, "7"}}}}}}};
      const json answer = json::parse(tables::DesignAnswerLine(request.dump()));
      const json& inputs = answer["points"][1]["inputs"];
      EXPECT_TRUE(inputs.contains(a) && inputs.contains(b)) << a << " with " << b << ": " << inputs;
      EXPECT_EQ(inputs.value(a, ""), answer["points"][0]["fields"][i]) << a << " copied from N";
    }
  }
}

// Every process the names list is read by its key, and a step is named by its process's key.
TEST(Names, EachProcessKeyIsReadAndNamesItsStep) {
  const json bodies = {
      {"state", {{"dry_bulb", "20"}, {"rel_humidity", "50"}}},
      {"mix", {{{"point", "N"}, {"flow", "1"}}, {{"point", "W"}, {"flow", "1"}}}},
      {"heat", {{"point", "N"}, {"dry_bulb", "30"}}},
      {"coil", {{"point", "N"}, {"rel_humidity", "95"}, {"moisture", "5"}}},
      {"spray", {{"point", "N"}, {"rel_humidity", "70"}}},
      {"steam", {{"point", "N"}, {"rel_humidity", "70"}}},
      {"supply",
       {{"room", "N"}, {"heat_load", "12"}, {"moisture_load", "1.2"}, {"difference", "6"}}},
  };
  ASSERT_EQ(bodies.size(), std::size(process::kProcessNames));
  for (const process::ProcessName& process : process::kProcessNames) {
    const std::string key(process.key);
    ASSERT_TRUE(bodies.contains(key)) << key;
    const json request = {
        {"pressure", "101.325"},
        {"points",
         {{{"name", "N"}, {"state", {{"dry_bulb", "23"}, {"rel_humidity", "60"}}}},
          {{"name", "W"}, {"state", {{"dry_bulb", "10"}, {"rel_humidity", "60"}}}},
          {{"name", "P"}, {key, bodies[key]}}}}};
    const json answer = json::parse(tables::DesignAnswerLine(request.dump()));
    EXPECT_EQ(answer["points"][2]["messages"], json::array()) << key;
    const bool makes_step =
        process.kind != process::ProcessKind::State && process.kind != process::ProcessKind::Supply;
    ASSERT_EQ(answer["steps"].size(), makes_step ? 1u : 0u) << key;
    if (makes_step) {
      EXPECT_EQ(answer["steps"][0]["process"], key);
    }
    // A state is made by no process; every other process has a Chinese name.
    EXPECT_EQ(process.name.empty(), process.kind == process::ProcessKind::State) << key;
  }
}

// A table's header names each field by its caption or by its English name, and reads both back.
TEST(Names, EachColumnNameIsReadBackAsItsField) {
  for (int f = 0; f < kFieldCount; ++f) {
    const AirField field = static_cast<AirField>(f);
    EXPECT_EQ(tables::FieldColumnName(field, tables::HeaderLanguage::Chinese),
              form::FieldCaption(field));
    for (const auto language : {tables::HeaderLanguage::Chinese, tables::HeaderLanguage::English}) {
      const std::string_view name = tables::FieldColumnName(field, language);
      const std::optional<tables::NamedRole> role = tables::RoleOfName(name);
      ASSERT_TRUE(role) << name;
      EXPECT_EQ(role->role.field, field) << name;
      EXPECT_EQ(role->language, language) << name;
    }
  }
  // The one English column name that is not the field's key.
  EXPECT_EQ(tables::FieldColumnName(AirField::MoistureContent, tables::HeaderLanguage::English),
            "moisture_content");
  EXPECT_EQ(KeyOf(AirField::MoistureContent), "moisture");
}

// Texts built from the names and the searches' bounds are the system's texts, word for word.
TEST(Names, TextsBuiltFromNamesAreTheSystemsOwn) {
  EXPECT_EQ(process::messages::NoProcess(),
            "请给出状态点的参数或过程（state、mix、heat、coil、spray、steam、supply 之一）");
  EXPECT_EQ(process::messages::SupplyOutOfRange(), "送风温度超出计算范围（−99～100 ℃）");
  EXPECT_EQ(process::CopiedParameterKey(AirField::DewPoint), "dew_point_of");
  EXPECT_EQ(process::CopiedParameterKey(AirField::Pressure), "");
}

}  // namespace
}  // namespace tarvel
