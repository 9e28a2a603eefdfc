// The header of a table (separator, mark, line break, column names), the progress line, and the
// output file's fallback for file systems without unnamed files.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/batch/batch_error.h"
#include "app/batch/output_file.h"
#include "app/batch/progress.h"
#include "app/batch/table_header.h"

namespace tarvel::batch {
namespace {

TEST(BatchHeader, SeparatorMarkAndLineBreakComeFromTheHeader) {
  struct Case {
    std::string input;
    char separator;
    std::string_view line_break;
    bool mark;
    std::size_t length;
  };
  const Case cases[] = {
      {"dry_bulb,rel_humidity\n1", ',', "\n", false, 22},
      {"\xEF\xBB\xBF干球温度;相对湿度;a,b\r\n", ';', "\r\n", true, 34},
      {"id\tPRESSURE \t Dry_Bulb\n", '\t', "\n", false, 23},
      {"\"dew_point\nx\",pressure\n", ',', "\n", false, 23},
      {"pressure", ',', "\n", false, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const std::optional<TableHeader> header = ReadHeader(c.input, true);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->dialect.separator, c.separator);
    EXPECT_EQ(header->dialect.line_break, c.line_break);
    EXPECT_EQ(header->dialect.byte_order_mark, c.mark);
    EXPECT_EQ(header->length, c.length);
  }
  EXPECT_FALSE(ReadHeader("dry_bulb,rel", false)) << "the first line is not over yet";
  EXPECT_FALSE(ReadHeader("\"dry_bulb\n", false)) << "a quoted name is not over yet";
  EXPECT_THROW(ReadHeader("", true), BatchError);
}

TEST(BatchHeader, ColumnsAreMappedAndTheMissingOnesAppendedInTheHeadersLanguage) {
  const tables::ColumnMap english =
      ReadHeader("id, Dew_Point ,干球温度,MESSAGE,note\n", true)->columns;
  EXPECT_EQ(english.language, tables::HeaderLanguage::English);
  EXPECT_EQ(english.field_column[FieldIndex(AirField::DewPoint)], 1);
  EXPECT_EQ(english.field_column[FieldIndex(AirField::DryBulb)], 2);
  EXPECT_EQ(english.message_column, 3);
  EXPECT_EQ(english.appended_fields,
            (std::vector<AirField>{AirField::Pressure, AirField::WetBulb, AirField::RelHumidity,
                                   AirField::MoistureContent, AirField::Enthalpy}));
  const tables::ColumnMap chinese = ReadHeader("湿空气焓,pressure\n", true)->columns;
  EXPECT_EQ(chinese.language, tables::HeaderLanguage::Chinese);
  EXPECT_EQ(chinese.message_column, -1);
  EXPECT_EQ(tables::FieldColumnName(chinese.appended_fields.front(), chinese.language), "干球温度");
}

TEST(BatchProgress, ShareAndTimeLeftOnlyWhenTheyMeanSomething) {
  EXPECT_EQ(ProgressText(0, 0.1, 40, 1000), "已处理 0 行，每秒 0 行，完成 4%");
  EXPECT_EQ(ProgressText(500, 1, 500, 1000), "已处理 500 行，每秒 500 行，完成 50%，约剩 1 秒");
  EXPECT_EQ(ProgressText(10, 100, 100, 3826), "已处理 10 行，每秒 0 行，完成 2%，约剩 1 时 2 分");
  EXPECT_EQ(ProgressText(7, 2, 10, -1), "已处理 7 行，每秒 3 行") << "a pipe has no known size";
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class BatchOutputFile : public testing::Test {
 protected:
  void SetUp() override {
    directory_ =
        std::filesystem::temp_directory_path() / ("tarvel-batch-test-" + std::to_string(getpid()));
    std::filesystem::create_directory(directory_);
    target_ = directory_ / "out.csv";
    std::ofstream(target_) << "before";
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }
  std::size_t Files() const {
    return std::distance(std::filesystem::directory_iterator(directory_), {});
  }

  std::filesystem::path directory_;
  std::filesystem::path target_;
};

TEST_F(BatchOutputFile, NamedTemporaryIsRemovedUnlessCommitted) {
  for (const auto kind : {OutputFile::TemporaryKind::Unnamed, OutputFile::TemporaryKind::Named}) {
    {
      const auto output = OutputFile::Replacing(target_, kind);
      output->Write("half");
    }
    EXPECT_EQ(Contents(target_), "before");
    EXPECT_EQ(Files(), 1u);
    const auto output = OutputFile::Replacing(target_, kind);
    output->Write("after");
    output->Commit();
    EXPECT_EQ(Contents(target_), "after");
    EXPECT_EQ(Files(), 1u);
    std::ofstream(target_) << "before";
  }
}

TEST_F(BatchOutputFile, NamedTemporaryIsRemovedOnSignals) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    EXPECT_EXIT(
        {
          const auto output = OutputFile::Replacing(target_, OutputFile::TemporaryKind::Named);
          output->Write("half");
          raise(signal_number);
        },
        testing::KilledBySignal(signal_number), "");
    EXPECT_EQ(Contents(target_), "before");
    EXPECT_EQ(Files(), 1u) << "signal " << signal_number;
  }
}

}  // namespace
}  // namespace tarvel::batch
