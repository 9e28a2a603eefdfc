#include "app/batch/table_header.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/batch/batch_error.h"
#include "app/batch/csv_record.h"
#include "app/batch/utf8.h"
#include "tables/table_error.h"

namespace tarvel::batch {
namespace {

constexpr std::string_view kSaveAsUtf8 = "请把它另存为 UTF-8 编码的 CSV（电子表格中的“CSV UTF-8”）";

int KnownNames(std::string_view line, char separator) {
  CsvRecord record;
  ReadRecord(line, separator, record);
  const std::vector<std::string> names = CellTexts(record);
  return static_cast<int>(std::count_if(names.begin(), names.end(), [](const std::string& name) {
    return tables::RoleOfName(name).has_value();
  }));
}

char ChooseSeparator(std::string_view first_line) {
  char best = kSeparators[0];
  int best_count = -1;
  for (const char separator : kSeparators) {
    if (const int count = KnownNames(first_line, separator); count > best_count) {
      best = separator;
      best_count = count;
    }
  }
  return best;
}

void CheckEncoding(std::string_view text) {
  if (text.find('\0') != std::string_view::npos)
    throw BatchError("表头含有 NUL 字节，输入也许是 UTF-16 编码的文本；" +
                     std::string(kSaveAsUtf8));
  if (!IsUtf8(text)) {
    throw BatchError("输入不是 UTF-8 编码（也许是 GBK）；" + std::string(kSaveAsUtf8) +
                     "，或用 iconv -f GBK -t UTF-8 转换");
  }
}

void CheckRecord(const CsvRecord& record) {
  if (record.problem == RecordProblem::TextAfterQuote)
    throw BatchError("表头无法按 CSV 读取：一个列名的右引号后还有字符");
  if (record.problem == RecordProblem::UnterminatedQuote)
    throw BatchError("表头无法按 CSV 读取：引号没有闭合");
  for (const CsvCell& cell : record.cells) {
    if (!cell.quoted && cell.raw.find('\r') != std::string_view::npos) {
      throw BatchError("输入用单独的回车符（CR）换行；请把它另存为用 LF 或 CR LF 换行的 CSV");
    }
  }
}

}  // namespace

std::optional<TableHeader> ReadHeader(std::string_view start, bool whole) {
  TableHeader header;
  std::string_view rest = start;
  if (rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF"))
    throw BatchError("输入是 UTF-16 编码的文本；" + std::string(kSaveAsUtf8));
  const std::size_t first_line_end = rest.find('\n');
  if (first_line_end == std::string_view::npos && !whole)
    return std::nullopt;
  if (rest.starts_with(kByteOrderMark)) {
    header.dialect.byte_order_mark = true;
    rest.remove_prefix(kByteOrderMark.size());
  }
  if (rest.empty())
    throw BatchError("输入是空的：第一行应是表头（各列的名称）");

  const std::string_view first_line = rest.substr(0, rest.find('\n'));
  CheckEncoding(first_line);
  header.dialect.separator = ChooseSeparator(first_line);

  CsvRecord record;
  const std::size_t length = ReadRecord(rest, header.dialect.separator, record);
  if (record.line_break == LineBreak::None && !whole)
    return std::nullopt;  // a quoted name goes on past what has been read
  CheckEncoding(record.text);
  CheckRecord(record);
  try {
    header.columns = tables::MapColumns(CellTexts(record));
  } catch (const tables::TableError& e) {
    throw BatchError(e.what());
  }
  header.dialect.line_break = record.line_break == LineBreak::CrLf ? "\r\n" : "\n";
  header.text = record.text;
  header.length = static_cast<std::size_t>(rest.data() - start.data()) + length;
  header.lines = 1 + std::count(record.text.begin(), record.text.end(), '\n');
  return header;
}

}  // namespace tarvel::batch
