#include "app/batch/batch_help.h"

namespace tarvel::batch {

std::string_view HelpText() {
  return R"(用法：tarvel-batch [--pressure 千帕] [-o 输出文件] [输入文件]

逐行计算 CSV 表格中的湿空气状态。每一行的结果，与在 Tarvel 窗口中填入该行的
数值、按下“湿空气参数计算”所得的完全相同。没有输入文件或输入文件为 - 时读
标准输入；没有 -o 或为 - 时写标准输出。

选项
  --pressure 千帕  表中没有“当地大气压力”列时，每一行都用这个大气压力；有这
                   一列时，只用于该列空着的单元格。须是一个数，如 101.325。
  -o, --output 文件
                   写入这个文件：先写在它旁边的临时文件中，全部写完才替换它。
                   出错或中断时，原来的文件不变，也不留下临时文件。
  -h, --help       显示本说明。
  --version        显示版本。

表格
  第一行是表头。七个参数的列名是窗口中的名称：当地大气压力、干球温度、湿球温
  度、相对湿度、露点温度、含湿量、湿空气焓，或英文 pressure、dry_bulb、
  wet_bulb、rel_humidity、dew_point、moisture_content、enthalpy（前后的空格不
  计，英文不分大小写）。其他列（编号、时间、备注）原样保留。
  文件须为 UTF-8 编码，可带 BOM。分隔符是逗号、分号或制表符，由表头判断。引
  号按 RFC 4180：带引号的单元格中可以有分隔符、引号（写两次）和换行。空单元
  格就是空的输入框；单元格中的空格和窗口中的一样，都算作输入。
  输出依次是输入的各列、输入缺少的参数列（用表头的语言命名），最后是“提示”
  列（英文表头为 message），写着该行计算时窗口显示的提示，多条用“；”隔开，
  没有提示时为空。行数和行序不变，计算没有改写的单元格一字不变。输出沿用输入
  的分隔符、换行符和 BOM。输入已有“提示”或 message 列时（例如对自己的输出再
  运行一次），改写这一列，不再加一列。

特殊的输入
  不是 UTF-8 的文件（如 GBK）：表头不是 UTF-8 时报错退出，请在电子表格中另存
    为“CSV UTF-8”；个别数据行不是 UTF-8 时，该行不计算，原样保留，提示列注明
    行号。UTF-16 编码的文件、表头中有 NUL 字节或单独的回车符：报错退出。
  表头中没有七个名称中的任何一个：报错退出。
  同一个参数有两列（如“干球温度”和 dry_bulb），或有两个提示列：报错退出。其
    他同名的列照常保留。
  比表头短的行：缺少的单元格当作空的（电子表格常省去行尾的空单元格）。
  比表头长的行、右引号后还有字符的行：不计算，原样保留，多出的单元格放在最
    后，提示列注明行号。
  文件末尾的引号没有闭合：从这个引号到文件末尾算作一个单元格，原样保留并补上
    右引号；这一行不计算，提示列注明行号。
  很长的行照常计算，但一行超过 32 MiB 时报错退出。
  单元格中的 NUL 字节是普通字符，和输入框中的一样。空行是各单元格都空的一行，
    得到窗口的提示。
  空文件：报错退出。只有表头的文件：输出表头，没有数据行。

进度：标准错误是终端时，每秒约十次显示已处理的行数、每秒的行数，以及输入文件
的完成比例和剩余时间；否则结束时只写一行总结。

退出状态：0 每一行都得到了回答（带提示的行也是回答）；1 有的行不能按 CSV 读
取；2 用法错误或输入输出错误，标准错误上有一行说明，用 -o 时输出文件不变。

Usage: tarvel-batch [--pressure KPA] [-o OUTPUT] [INPUT]

Calculates the moist-air state of every row of a CSV table. Each row is answered
exactly as the Tarvel window answers when its cells are typed into the fields
and "湿空气参数计算" is pressed. Reads INPUT, or standard input when INPUT is
absent or -; writes OUTPUT, or standard output when -o is absent or -.

Options
  --pressure KPA   The pressure of every row when the table has no pressure
                   column; with one, the pressure of the rows whose cell is
                   empty. Must be a number, such as 101.325.
  -o, --output OUTPUT
                   Write OUTPUT: first to a temporary file beside it, which
                   replaces it only when every row is written. An error or an
                   interruption leaves OUTPUT as it was and no temporary file.
  -h, --help       Show this help.
  --version        Show the version.

The table
  The first row is the header. The seven parameters' columns are named as in
  the window (当地大气压力, 干球温度, 湿球温度, 相对湿度, 露点温度, 含湿量,
  湿空气焓) or pressure, dry_bulb, wet_bulb, rel_humidity, dew_point,
  moisture_content and enthalpy (blanks around a name are ignored, English
  names match in any case). Other columns (an id, a time, a note) pass through.
  The file is UTF-8, with or without a byte-order mark. Cells are separated by
  commas, semicolons or tabs, as the header shows. Quotes follow RFC 4180: a
  quoted cell may hold separators, quotes (doubled) and line breaks. An empty
  cell is an empty field; blanks in a cell count as typed, as in the window.
  The output has the input's columns, then the parameters the input lacks
  (named in the header's language), then a message column, 提示 (message with
  English names), holding the messages the window showed for the row, joined
  with "；", or nothing. Rows keep their count and order, and a cell that the
  calculation does not write keeps every byte. The output keeps the input's
  separator, line break and byte-order mark. An input that has a 提示 or
  message column (such as this program's own output) gets that column
  rewritten, not a second one.

Bad input
  Not UTF-8 (such as GBK): a header that is not UTF-8 is an error; save the
    table as "CSV UTF-8". A data row that is not UTF-8 is kept as it was, not
    calculated, with its line number in the message column. A UTF-16 file, or
    NUL bytes or lone carriage returns in the header, are errors.
  A header without any of the seven names is an error.
  Two columns for one parameter (such as 干球温度 and dry_bulb), or two
    message columns, are an error. Other names may repeat.
  A row shorter than the header: its missing cells are empty (spreadsheets
    leave out empty cells at the end of a row).
  A row longer than the header, or with text after a closing quote: kept as it
    was, not calculated, its extra cells at the end, its line number in the
    message column.
  A quote still open at the end of the file: everything from it to the end is
    one cell, kept with a closing quote added; the row is not calculated, its
    line number is in the message column.
  Long rows are calculated as any other; a row over 32 MiB is an error.
  A NUL byte in a cell is a character like any other, as in a field. An empty
    line is a row of empty cells, and gets the window's message.
  An empty file is an error. A header alone gives the header and no rows.

Progress: when standard error is a terminal, the rows done, the rows a second
and, for a file, the share done and the time left are shown about ten times a
second; otherwise one summary line is written at the end.

Exit status: 0 every row was answered (a row with a message is an answer);
1 some rows could not be read as CSV; 2 a usage or input/output error, told in
one line on standard error (with -o, OUTPUT is left as it was).
)";
}

}  // namespace tarvel::batch
