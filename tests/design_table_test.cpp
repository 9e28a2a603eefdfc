// The table of a design as the page shows it and "导出 CSV" saves it: the cells of known designs
// (the summer example, heating and cooling by a heat flow, steam, a state with messages, a name
// used twice), the CSV file as tarvel-batch writes one, and the page's JSON of it.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <variant>
#include <vector>

#include "process/design_outcome.h"
#include "tables/design_table.h"

namespace tarvel {
namespace {

using nlohmann::json;

process::DesignAnswer Answered(const json& request) {
  process::DesignOutcome outcome = process::AnswerDesign(request.dump());
  if (const std::string* problem = std::get_if<std::string>(&outcome))
    ADD_FAILURE() << *problem;
  return std::get<process::DesignAnswer>(outcome);
}

// The page's view of the table: its column names and its rows.
struct ShownTable {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;

  explicit ShownTable(const process::DesignAnswer& answer) {
    const json table = json::parse(tables::DesignTableJson(tables::DesignTableRows(answer)));
    for (const json& column : table["columns"])
      columns.push_back(column["name"]);
    rows = table["rows"].get<std::vector<std::vector<std::string>>>();
  }
  std::string Cell(std::size_t row, const std::string& column) const {
    for (std::size_t k = 0; k < columns.size(); ++k) {
      if (columns[k] == column)
        return rows.at(row).at(k);
    }
    ADD_FAILURE() << "no column " << column;
    return {};
  }
};

struct ExpectedCell {
  std::size_t row;
  const char* column;
  const char* text;
};

void ExpectCells(const ShownTable& table, const std::vector<ExpectedCell>& cells) {
  for (const ExpectedCell& cell : cells) {
    EXPECT_EQ(table.Cell(cell.row, cell.column), cell.text)
        << "row " << cell.row << ", column " << cell.column;
  }
}

const json kSummer = json::parse(R"({"pressure":"101.325","points":[
  {"name":"N","state":{"dry_bulb":"23","rel_humidity":"60"}},
  {"name":"W","state":{"dry_bulb":"34.8","wet_bulb":"26.7"}},
  {"name":"O","supply":{"room":"N","heat_load":"12","moisture_load":"1.2","difference":"6"}},
  {"name":"C","mix":[{"point":"W","flow":"0.2"},{"point":"N","flow":"0.8"}]},
  {"name":"L","coil":{"point":"C","rel_humidity":"95","moisture_of":"O"}},
  {"name":"R","heat":{"point":"L","dry_bulb_of":"O"}}]})");

// Cooling by a heat flow at the request's flow, steam, cooling below the dew point (two messages),
// a name used twice, and names that CSV must quote.
const json kOdd = json::parse(R"({"pressure":"101.325","flow":"2","points":[
  {"name":"N, \"A\"","state":{"dry_bulb":"30","rel_humidity":"40"}},
  {"name":"K","heat":{"point":"N, \"A\"","power":"-6"}},
  {"name":"S","steam":{"point":"K","rel_humidity":"60"}},
  {"name":"F","heat":{"point":"N, \"A\"","dry_bulb":"5"}},
  {"name":"K","state":{"dry_bulb":"20","rel_humidity":"50"}},
  {"name":"two\nlines","state":{"dry_bulb":"20","wet_bulb":"25"}}]})");

TEST(DesignTable, SummerExampleShowsEachProcessWithItsFlows) {
  const ShownTable table(Answered(kSummer));
  ASSERT_EQ(table.rows.size(), 6u);
  ExpectCells(table, {
                         {0, "名称", "N"},
                         {0, "干球温度", "23"},
                         {0, "湿球温度", "17.83"},
                         {0, "湿空气焓", "49.86"},
                         {0, "比容", "0.853"},
                         {0, "当地大气压力", "101.325"},
                         {0, "输入", "干球温度 23，相对湿度 60"},
                         {0, "过程", ""},
                         {0, "风量", ""},
                         {1, "输入", "干球温度 34.8，湿球温度 26.7"},
                         {2, "过程", "送风状态"},
                         {2, "热湿比", "10000"},
                         {2, "风量", "1.46"},
                         {2, "热量", ""},
                         {3, "过程", "混合"},
                         {3, "来自", "W（0.29），N（1.17）"},
                         {3, "输入", "含湿量 12.14，湿空气焓 56.42"},
                         {3, "热量", ""},
                         {4, "过程", "冷却去湿"},
                         {4, "来自", "C"},
                         {4, "热量", "-25.49"},
                         {4, "湿量", "-3.56"},
                         {5, "过程", "等湿加热"},
                         {5, "热量", "3.91"},
                         {5, "湿量", "0"},
                         {5, "提示", ""},
                     });
}

TEST(DesignTable, HeatingIsNamedByItsSignAndMessagesAreJoined) {
  const ShownTable table(Answered(kOdd));
  ASSERT_EQ(table.rows.size(), 6u);
  ExpectCells(table, {
                         {1, "过程", "等湿冷却"},
                         {1, "来自", "N, \"A\""},
                         {1, "风量", "2"},
                         {1, "热量", "-5.98"},
                         {2, "过程", "蒸汽加湿"},
                         {2, "湿量", "5.8"},
                         // A state with messages: what the command wrote, no step, no volume.
                         {3, "干球温度", "5"},
                         {3, "湿球温度", ""},
                         {3, "比容", ""},
                         {3, "过程", ""},
                         {3, "提示", "超出区域范围；冷却到露点温度以下，不是等湿冷却"},
                         // The second "K" is not the one the step reached.
                         {4, "过程", ""},
                         {4, "输入", ""},
                         {4, "当地大气压力", "101.325"},
                         {4, "提示", "状态点名称“K”重复"},
                     });
}

TEST(DesignTable, CsvIsWrittenAsTarvelBatchWritesATable) {
  const std::string csv = tables::DesignCsv(tables::DesignTableRows(Answered(kOdd)));
  // tarvel-batch's names where it has them, the others with their units; no byte-order mark.
  const std::string header =
      "名称,干球温度,湿球温度,相对湿度,露点温度,含湿量,湿空气焓,比容（m³/kg）,当地大气压力,输入,"
      "过程,来自,热湿比（kJ/kg）,风量（kg/s）,热量（kW）,湿量（g/s）,提示\n";
  ASSERT_EQ(csv.substr(0, header.size()), header);
  const std::vector<std::string> rows_begin = {
      "\"N, \"\"A\"\"\",30,20.23,40,14.92,10.59,57.21,0.873,101.325,干球温度 30，相对湿度 40,",
      "K,27.08,19.27,47.31,14.91,10.59,54.22,0.865,101.325,含湿量 10.59，湿空气焓 54.21,等湿冷却,"
      "\"N, \"\"A\"\"\",,2,-5.98,0,\n",
      "K,,,,,,,,101.325,,,,,,,,状态点名称“K”重复\n",
      "\"two\nlines\",20,25,",
  };
  for (const std::string& row : rows_begin)
    EXPECT_NE(csv.find(row), std::string::npos) << row;
  EXPECT_EQ(csv.back(), '\n');
  EXPECT_EQ(csv.find('\r'), std::string::npos);
}

TEST(DesignTable, JsonNamesEachColumnWithItsUnitAndKeepsAnyName) {
  std::vector<tables::TableRow> rows = tables::DesignTableRows(Answered(kSummer));
  // A name may hold any bytes (from a front end that does not check them): the page gets U+FFFD.
  rows[0][0] = "<b>N</b>\xff";
  const json table = json::parse(tables::DesignTableJson(rows));
  const std::vector<std::pair<std::string, std::string>> some_columns = {
      {"名称", ""},          {"干球温度", "℃"}, {"相对湿度", "％"},      {"含湿量", "g/kg"},
      {"湿空气焓", "kJ/kg"}, {"比容", "m³/kg"}, {"当地大气压力", "kPa"}, {"热湿比", "kJ/kg"},
      {"风量", "kg/s"},      {"热量", "kW"},    {"湿量", "g/s"},         {"提示", ""},
  };
  for (const auto& [name, unit] : some_columns) {
    bool found = false;
    for (const json& column : table["columns"])
      found = found || (column["name"] == name && column["unit"] == unit);
    EXPECT_TRUE(found) << name << " " << unit;
  }
  EXPECT_EQ(table["columns"].size(), rows[0].size());
  EXPECT_EQ(table["rows"][0][0], "<b>N</b>\uFFFD");
  EXPECT_EQ(table["rows"][5][1], "17");
}

// A flow of 10^308: a step whose heat would not be finite stays in the table, says so after what
// its point says, and its flow is written as the calculator writes it, every digit.
TEST(DesignTable, AStepSaysWhichFigureItCouldNotCompute) {
  const json request = json::parse(R"({"pressure":"101.325","flow":"1e308","points":[
    {"name":"N","state":{"dry_bulb":"23","rel_humidity":"60"}},
    {"name":"W","state":{"dry_bulb":"34.8","wet_bulb":"26.7"}},
    {"name":"H","heat":{"point":"N","dry_bulb":"30"}},
    {"name":"C","mix":[{"point":"N","flow":"2"},{"point":"W","flow":"1"}]}]})");
  const ShownTable table(Answered(request));
  ExpectCells(table, {
                         {2, "过程", "等湿加热"},
                         {2, "热量", ""},
                         {2, "湿量", "0"},
                         {2, "提示", "热量超出数值范围，无法计算"},
                         {3, "过程", "混合"},
                         {3, "提示", "气流“N”的风量超出数值范围，无法计算"},
                     });
  EXPECT_EQ(table.Cell(2, "风量"), "1" + std::string(308, '0'));
  EXPECT_TRUE(table.Cell(3, "来自").starts_with("N，W（3333")) << table.Cell(3, "来自");
}

}  // namespace
}  // namespace tarvel
