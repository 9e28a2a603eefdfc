// Reading and writing CSV records: RFC 4180 quoting read as spreadsheets read it, the problems a
// row can have, and the cheap boundary scan agreeing with the full reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/batch/csv_record.h"
#include "app/batch/utf8.h"
#include "tables/csv_cell.h"

namespace tarvel::batch {
namespace {

TEST(BatchCsv, RecordsReadAsSpreadsheetsReadThem) {
  struct Case {
    std::string data;
    std::vector<std::string> texts;
    std::size_t length;
    LineBreak line_break;
    RecordProblem problem;
  };
  const Case cases[] = {
      {"a,b\nc", {"a", "b"}, 4, LineBreak::Lf, RecordProblem::None},
      {"a,b\r\nc", {"a", "b"}, 5, LineBreak::CrLf, RecordProblem::None},
      {"a,b", {"a", "b"}, 3, LineBreak::None, RecordProblem::None},
      {"a,\r", {"a", ""}, 3, LineBreak::Cr, RecordProblem::None},
      {"\n", {""}, 1, LineBreak::Lf, RecordProblem::None},
      {" a , b ,\n", {" a ", " b ", ""}, 9, LineBreak::Lf, RecordProblem::None},
      {"\"x,y\",\"say \"\"hi\"\"\"\n",
       {"x,y", "say \"hi\""},
       19,
       LineBreak::Lf,
       RecordProblem::None},
      {"\"line\nbreak\",\"cr\r\nlf\"\r\n",
       {"line\nbreak", "cr\r\nlf"},
       23,
       LineBreak::CrLf,
       RecordProblem::None},
      {"\"\",\"\"\"\"\n", {"", "\""}, 8, LineBreak::Lf, RecordProblem::None},
      {"5\",a\"b,x\ry\n", {"5\"", "a\"b", "x\ry"}, 11, LineBreak::Lf, RecordProblem::None},
      {"\"12\"5,a\n", {"125", "a"}, 8, LineBreak::Lf, RecordProblem::TextAfterQuote},
      {"a,\"open\nrest,\"\"x\n",
       {"a", "open\nrest,\"x\n"},
       17,
       LineBreak::None,
       RecordProblem::UnterminatedQuote},
  };
  CsvRecord record;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(ReadRecord(c.data, ',', record), c.length);
    EXPECT_EQ(CellTexts(record), c.texts);
    EXPECT_EQ(record.line_break, c.line_break);
    EXPECT_EQ(record.problem, c.problem);
  }
}

// The reading thread cuts the input where RecordBoundaries says records end; the workers then
// read the pieces with ReadRecord. Both must see the same records however the input arrives.
TEST(BatchCsv, BoundaryScanAgreesWithReadingInPiecesOfEverySize) {
  const std::string inputs[] = {
      "a,b\n\"x\ny\",\"q\"\"\n\"\n\"12\"5\n5\"\n\"\n\",\"\"\n\r\n;\"a\nb\"\n",
      "\"\"\"\n\"\n\"a\"\r\n\"b\n\"\"c\"\n,\"\n\"\n",
  };
  for (const std::string& input : inputs) {
    for (const char separator : {',', ';'}) {
      // Where records end at a line break (not at the input's end).
      std::vector<std::size_t> read_ends;
      CsvRecord record;
      for (std::size_t at = 0; at < input.size();) {
        at += ReadRecord(std::string_view(input).substr(at), separator, record);
        if (record.line_break != LineBreak::None)
          read_ends.push_back(at);
      }
      for (std::size_t piece = 1; piece <= input.size(); ++piece) {
        RecordBoundaries boundaries(separator);
        std::vector<std::size_t> scanned_ends;
        for (std::size_t at = 0; at < input.size(); at += piece) {
          const std::size_t end = boundaries.Scan(std::string_view(input).substr(at, piece));
          if (end != std::string_view::npos)
            scanned_ends.push_back(at + end);
        }
        // Each scanned end is a record's end, and the last one is the last record's end.
        for (const std::size_t end : scanned_ends) {
          EXPECT_NE(std::find(read_ends.begin(), read_ends.end(), end), read_ends.end())
              << "separator " << separator << ", pieces of " << piece << ": " << end;
        }
        EXPECT_EQ(scanned_ends.back(), read_ends.back())
            << "separator " << separator << ", pieces of " << piece;
      }
    }
  }
}

TEST(BatchCsv, WrittenCellsReadBackAsTheirText) {
  const std::string texts[] = {"",   "plain",       " blanks ", "a,b", "a;b",       "say \"hi\"",
                               "\"", "line\nbreak", "cr\r",     "\t",  "中文，全角"};
  for (const char separator : {',', ';', '\t'}) {
    std::string line;
    for (const std::string& text : texts) {
      if (!line.empty() || &text != &texts[0])
        line.push_back(separator);
      tables::AppendCell(line, text, separator);
    }
    CsvRecord record;
    EXPECT_EQ(ReadRecord(line, separator, record), line.size());
    EXPECT_EQ(CellTexts(record), std::vector<std::string>(std::begin(texts), std::end(texts)))
        << line;
  }
  std::string plain;
  tables::AppendCell(plain, " 12.5 ", ',');
  EXPECT_EQ(plain, " 12.5 ") << "blanks need no quotes";
}

TEST(BatchCsv, Utf8) {
  EXPECT_TRUE(IsUtf8("ascii only, long enough for the fast path"));
  EXPECT_TRUE(IsUtf8("干球温度 ℃ ％ 😀"));
  EXPECT_TRUE(IsUtf8(std::string_view("\0", 1)));
  for (const char* bad : {"\xB8\xC9\xC7\xF2", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xE5\xB9", "ok then \xFF", "\x80"}) {
    EXPECT_FALSE(IsUtf8(bad)) << testing::PrintToString(std::string(bad));
  }
}

}  // namespace
}  // namespace tarvel::batch
