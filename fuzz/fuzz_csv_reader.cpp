// The CSV reading of tarvel-batch on arbitrary bytes. The first byte picks the separator and the
// sizes in which the input is read and cut into blocks; the rest is the table's rows. Whatever the
// bytes, the reading ends (libFuzzer's -timeout catches one that does not), and:
// - the blocks that the reading thread cuts are the input, in order, each made of whole records:
//   the same records that reading the whole input at once gives, so none is lost or invented;
// - a record read without a problem, written again cell by cell, reads back as the same texts;
// - answering the rows gives exactly one output record per input record, every one of them
//   readable and as wide as the output's header.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/csv_record.h"
#include "app/batch/record_blocks.h"
#include "app/batch/row_runner.h"
#include "app/batch/table_header.h"
#include "fuzz/number_form.h"
#include "tables/csv_cell.h"

namespace {

using tarvel::batch::CsvRecord;
using tarvel::batch::ReadRecord;
using tarvel::fuzz::Require;

struct ReadRow {
  std::vector<std::string> texts;
  tarvel::batch::RecordProblem problem;
  bool operator==(const ReadRow&) const = default;
};

std::vector<ReadRow> ReadAll(std::string_view data, char separator) {
  std::vector<ReadRow> rows;
  CsvRecord record;
  while (!data.empty()) {
    const std::size_t length = ReadRecord(data, separator, record);
    Require(length > 0 && length <= data.size(), "a record takes at least a byte of the input");
    rows.push_back({CellTexts(record), record.problem});
    data.remove_prefix(length);
  }
  return rows;
}

// The blocks that the reading thread hands to the workers, from a file holding `data`.
std::vector<std::pair<std::string, std::int64_t>> Blocks(std::string_view data, char separator,
                                                         std::size_t block_bytes,
                                                         std::size_t read_bytes) {
  const int fd = memfd_create("fuzz_csv_reader", MFD_CLOEXEC);
  Require(fd >= 0 && write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size()) &&
              lseek(fd, 0, SEEK_SET) == 0,
          "the input file is made");
  std::vector<std::pair<std::string, std::int64_t>> blocks;
  {
    tarvel::batch::RecordBlockReader reader(fd, separator, "", 2, {block_bytes, read_bytes});
    std::string block;
    std::int64_t first_line;
    while (reader.Next(block, first_line))
      blocks.emplace_back(block, first_line);
  }
  close(fd);
  return blocks;
}

void CheckRoundTrip(const std::vector<ReadRow>& rows, char separator) {
  for (const ReadRow& row : rows) {
    if (row.problem != tarvel::batch::RecordProblem::None)
      continue;
    std::string line;
    for (std::size_t i = 0; i < row.texts.size(); ++i) {
      if (i > 0)
        line.push_back(separator);
      tarvel::tables::AppendCell(line, row.texts[i], separator);
    }
    line.push_back('\n');
    Require(ReadAll(line, separator) == std::vector<ReadRow>{row}, "written cells read back", line);
  }
}

void CheckAnswers(std::string_view data, char separator, std::size_t records) {
  const std::string header_text = std::string("dry_bulb") + separator + "rel_humidity" + separator +
                                  "note" + separator + "pressure\n";
  const auto header = tarvel::batch::ReadHeader(header_text, true);
  Require(header && header->dialect.separator == separator, "the header is read");
  const tarvel::batch::TableLayout layout{header->dialect, header->columns, "101.325"};
  std::string output;
  tarvel::batch::AppendHeaderLine(layout, header->text, output);
  tarvel::batch::RowRunner runner(layout);
  const tarvel::batch::RowCounts counts = runner.Run(data, 2, output);
  Require(static_cast<std::size_t>(counts.answered + counts.unreadable) == records,
          "every row is answered or kept");
  CsvRecord record;
  const std::size_t width =
      header->columns.InputColumns() + header->columns.appended_fields.size() + 1;
  std::size_t output_records = 0;
  for (std::string_view rest = output; !rest.empty(); ++output_records) {
    rest.remove_prefix(ReadRecord(rest, separator, record));
    Require(record.problem != tarvel::batch::RecordProblem::UnterminatedQuote,
            "no output record is left open", record.text);
    Require(record.cells.size() >= width, "an output row is as wide as the header", record.text);
  }
  Require(output_records == records + 1, "one output record per input record", output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0)
    return 0;
  const char separator = ",;\t"[bytes[0] % 3];
  const std::size_t block_bytes = 1 + (bytes[0] >> 2) % 8;
  const std::size_t read_bytes = 1 + (bytes[0] >> 5);
  const std::string_view data(reinterpret_cast<const char*>(bytes) + 1, size - 1);

  const std::vector<ReadRow> rows = ReadAll(data, separator);
  std::string joined;
  std::vector<ReadRow> block_rows;
  std::int64_t line = 2;
  for (const auto& [block, first_line] : Blocks(data, separator, block_bytes, read_bytes)) {
    Require(first_line == line, "a block knows the line it starts on");
    line += std::count(block.begin(), block.end(), '\n');
    joined += block;
    for (ReadRow& row : ReadAll(block, separator))
      block_rows.push_back(std::move(row));
  }
  Require(joined == data, "the blocks are the input");
  Require(block_rows == rows, "blocks hold whole records: the same ones as the whole input");
  CheckRoundTrip(rows, separator);
  CheckAnswers(data, separator, rows.size());
  return 0;
}
