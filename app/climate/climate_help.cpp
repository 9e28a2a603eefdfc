#include "app/climate/climate_help.h"

namespace tarvel::climate_app {

std::string_view ClimateHelpText() {
  return R"(用法：tarvel-climate [选项] 气象文件

读取逐时气象文件（EPW 或 CSV），把每一个小时都当作在 Tarvel 窗口中填入该小时的
数值、按下“湿空气参数计算”来计算，再由这些结果给出：气象站和记录的小时数，
GB 50736-2012 第 4.1 节的室外设计计算参数和年百分位参数，由计算命令求得的夏季
和冬季室外状态 W，以及各舒适区内的小时数和占比。文件只读不写；为 - 时读标准输入。

选项
  --json           输出一个 JSON 对象，而不是表格。
  --hours 文件     把每一个小时按 tarvel-batch 的表格写入这个 CSV 文件：时间、当地
                   大气压力、六个参数、提示。先写在旁边的临时文件中，全部写完才替换。
  --month 月-月    只统计这些月份的小时（区域的小时数和占比），如 6-8；首月大于末
                   月时跨年，如 11-2 是 11 月到次年 2 月。设计参数总用全部记录。
  --hour 时-时     只统计这些整点时刻，如 8-18（含两端）；跨午夜如 22-6。EPW 的第
                   24 小时和 CSV 的 24:00 都是 0 时。
  --zone 界限      自定义区域，如 dry_bulb=20..26,rel_humidity=..60：名称为干球温度
                   dry_bulb、相对湿度 rel_humidity、露点温度 dew_point、含湿量
                   moisture_content（或中文列名），范围 下限..上限，可省去一端，含两端。
  --pmv 代谢率,服装热阻,风速
                   PMV 区域的 met、clo 和 m/s，默认 1.2,0.5,0.1；平均辐射温度取干球温度。
  --pressure 千帕  文件中缺测或没有大气压力的小时所用的大气压力，如 101.325。
  --elevation 米   同上，但用标准大气在这一海拔的压力（取三位小数）。
  --threads 数     计算所用的线程数，默认用全部处理器核心；结果与线程数无关。
  -h, --help       显示本说明。
  --version        显示版本。

文件
  EPW：8 行文件头（第一行 LOCATION，第八行 DATA PERIODS），之后每小时一行。大气
    压力是以帕计的文本，小数点左移三位成为千帕（101325 → 101.325），不经浮点数。
    干球温度和露点温度按文件中的文本填入；露点缺测而相对湿度没有缺测时，改用相对
    湿度。缺测值 99.9（温度）、999（相对湿度）、999999（大气压力）不参加计算。
  CSV：UTF-8，逗号、分号或制表符分隔；时间列（时间 或 time，如 2020-07-01 14:00，
    日期和时间之间也可以是 T，可写 24:00）和 tarvel-batch 的列名：干球温度 dry_bulb，
    露点温度、相对湿度、湿球温度、含湿量、湿空气焓中至少一列（依此顺序取第一个有值
    的），当地大气压力 pressure（千帕）或 --pressure、--elevation。空单元格是缺测。
  分钟不为整点的行（次小时数据）跳过，只取整点的值。闰日照常计入。不足一年、不是
  整年或时间有间断的记录照常统计，并在“说明”中指出；缺的小时不补。

统计
  年数 N = 小时数 ÷ 8760 取整，至少 1。“每年平均不保证 k 小时”取第 ⌊k·N⌋+1 大的
  值；“每年平均不保证 k 天”取第 ⌊k·N⌋+1 小（夏季为大）的日平均温度（24 小时都有
  状态的日子）。年百分位 p % 取第 ⌊p·H/100⌋+1 个（H 为有状态的小时数）。平均值按
  文件顺序以双精度累加，按窗口的方式写成两位小数；大气压力以千帕写三位小数。计算以
  提示结束的小时、缺测的小时和无法读取的行都不参加统计。

退出状态：0 每一行都读到了（缺测和有提示的小时也算）；1 有的行无法读取（其余照常
统计，行号见“说明”或 --hours 的提示列）；2 用法错误、输入输出错误或不是气象文件，
标准错误上有一行说明。

Usage: tarvel-climate [OPTIONS] FILE

Reads an hourly weather file (EPW or CSV) and calculates every hour as the Tarvel
window does when the hour's values are typed into its fields and "湿空气参数计算"
is pressed. From those answers it reports the station and the hours of the
record, the outdoor design conditions of GB 50736-2012 §4.1 and the annual
percentiles, the summer and winter outdoor states W completed by the calculate
command, and the hours and shares of the comfort zones. The file is only read.
FILE - is standard input.

Options
  --json           Print one JSON object instead of the table.
  --hours FILE     Write every hour to FILE as tarvel-batch writes a table: time,
                   pressure, the six parameters, message. Written beside FILE
                   first, which it replaces only when complete.
  --month A-B      Count only the hours of these months in the zones, such as
                   6-8; A after B wraps round the year (11-2 is November to
                   February). The design conditions always take the whole record.
  --hour A-B       Count only these clock hours, both included, such as 8-18;
                   22-6 wraps round midnight. An EPW hour 24 and a CSV 24:00
                   are hour 0.
  --zone LIMITS    The user's zone, such as dry_bulb=20..26,rel_humidity=..60:
                   names dry_bulb, rel_humidity, dew_point, moisture_content (or
                   the Chinese column names), ranges LOW..HIGH with either end
                   left out, both ends included.
  --pmv MET,CLO,SPEED
                   Metabolic rate (met), clothing (clo) and air speed (m/s) of
                   the PMV zones, 1.2,0.5,0.1 by default; the mean radiant
                   temperature is the dry bulb.
  --pressure KPA   The pressure of hours whose file gives none, such as 101.325.
  --elevation M    The same from the standard atmosphere at that elevation (to
                   three decimals).
  --threads N      Threads to calculate on, all cores by default; the results do
                   not depend on it.
  -h, --help       Show this help.
  --version        Show the version.

Files
  EPW: 8 lines of header (LOCATION first, DATA PERIODS last), then a line an
    hour. The pressure in Pa becomes kPa by moving the decimal point three
    places as text (101325 → 101.325), never through a float. The dry bulb and
    the dew point are typed as the file writes them, the relative humidity
    where the dew point is missing. Missing values (99.9 for temperatures, 999
    for the relative humidity, 999999 for the pressure) are never calculated.
  CSV: UTF-8, separated by commas, semicolons or tabs, with a time column
    (时间 or time, such as 2020-07-01 14:00, a T allowed between date and time,
    24:00 allowed) and tarvel-batch's column names: dry_bulb, at least one of
    dew_point, rel_humidity, wet_bulb, moisture_content, enthalpy (the first with
    a value, in that order), and pressure (kPa) or --pressure or --elevation.
    An empty cell is a missing value.
  Lines between whole hours (sub-hourly data) are skipped: each hour takes its
  values on the hour. Leap days count as any day. A partial year, a record that
  is not a whole number of years or has gaps is reported as it is, under
  "说明"; missing hours are never filled in.

Statistics
  N = hours ÷ 8760 rounded down, at least 1. "Not exceeded by more than k hours
  a year" is the (⌊k·N⌋+1)-th largest value; "below on at most k days" the
  (⌊k·N⌋+1)-th smallest (largest in summer) daily mean of the days whose 24
  hours have a state. The annual percentile p % is rank ⌊p·H/100⌋+1 of the H
  hours with a state. Means are summed in file order in double and written with
  the window's two decimals; pressures in kPa to three decimals. Hours whose
  calculation ends with a message, missing values and unreadable lines take no
  part.

Exit status: 0 every line was read (hours with missing values or messages
included); 1 some lines could not be read (the rest are counted; their line
numbers are under "说明" and in the message column of --hours); 2 a usage or
input/output error, or not a weather file, told in one line on standard error.
)";
}

}  // namespace tarvel::climate_app
