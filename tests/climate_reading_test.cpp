// Reading weather files: what each hour is typed into the window, what is missing and why, which
// lines cannot be read, and the files that are refused.
#include <gtest/gtest.h>

#include "climate/climate_error.h"
#include "climate/pressure_text.h"
#include "climate/weather_reading.h"
#include "weather_texts.h"

namespace tarvel::climate {
namespace {

using testing_support::EpwHeader;
using testing_support::EpwLine;

TEST(ClimatePressureText, PascalsBecomeKilopascalsAsText) {
  const struct {
    std::string_view pascal;
    std::optional<std::string> kpa;
  } cases[] = {
      {"101325", "101.325"},     {"99500", "99.500"},    {"1013.5", "1.0135"},
      {"50", "0.050"},           {"7", "0.007"},         {"0", "0.000"},
      {" 101325 ", "101.325"},   {"+101325", "101.325"}, {"-5000", "-5.000"},
      {"101325.", "101.325"},    {"", std::nullopt},     {"1e5", std::nullopt},
      {"10 1325", std::nullopt}, {"abc", std::nullopt},  {".", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KilopascalText(c.pascal), c.kpa) << "pascal text \"" << c.pascal << "\"";
  EXPECT_EQ(PressureTextAtElevation("1000"), "89.875") << "as the page's altitude helper";
  EXPECT_EQ(PressureTextAtElevation("0"), "101.325");
  EXPECT_EQ(PressureTextAtElevation("50000"), std::nullopt) << "above the formula's end";
}

// Each EPW line alone after a header: the texts typed, or what the hour is and why.
TEST(ClimateEpwReading, EachHourIsTypedAsTheFileWritesItOrSaysWhyNot) {
  const struct {
    std::string name;
    std::string line;
    HourStatus status;
    std::string pressure, dry_bulb, humidity;
    AirField humidity_field;
    std::string message;
  } cases[] = {
      {"dew point taken", EpwLine(2001, 7, 1, 14, "31.0", "22.5", "60", "100325"),
       HourStatus::Ready, "100.325", "31.0", "22.5", AirField::DewPoint, ""},
      {"relative humidity when the dew point is missing",
       EpwLine(2001, 7, 1, 14, "31.0", "99.9", "60", "100325"), HourStatus::Ready, "100.325",
       "31.0", "60", AirField::RelHumidity, ""},
      {"both humidities missing", EpwLine(2001, 7, 1, 14, "31.0", "99.9", "999", "100325"),
       HourStatus::Missing, "100.325", "", "", AirField::DewPoint,
       "露点温度缺测（99.9），相对湿度缺测（999）"},
      {"dry bulb missing", EpwLine(2001, 7, 1, 14, "99.9", "22.5", "60", "100325"),
       HourStatus::Missing, "100.325", "", "", AirField::DewPoint, "干球温度缺测（99.9）"},
      {"sentinel with trailing zero", EpwLine(2001, 7, 1, 14, "99.90", "22.5", "60", "100325"),
       HourStatus::Missing, "100.325", "", "", AirField::DewPoint, "干球温度缺测（99.90）"},
      {"pressure missing", EpwLine(2001, 7, 1, 14, "31.0", "22.5", "60", "999999"),
       HourStatus::Missing, "", "", "", AirField::DewPoint, "当地大气压力缺测（999999）"},
      {"empty and letters", EpwLine(2001, 7, 1, 14, "", "n/a", "60", "100325"), HourStatus::Missing,
       "100.325", "", "", AirField::DewPoint, "干球温度缺测（空）"},
      {"a pressure with an exponent is told, not shifted",
       EpwLine(2001, 7, 1, 14, "31.0", "22.5", "60", "1.01325e5"), HourStatus::Missing, "", "", "",
       AirField::DewPoint, "当地大气压力“1.01325e5”须写作不带指数的帕数"},
      {"every value missing", EpwLine(2001, 7, 1, 14, "99.9", "99.9", "999", "999999"),
       HourStatus::Missing, "", "", "", AirField::DewPoint,
       "当地大气压力缺测（999999）；干球温度缺测（99.9）；露点温度缺测（99."
       "9），相对湿度缺测（999）"},
      {"a value 99.9 that is no sentinel stays data",
       EpwLine(2001, 7, 1, 14, "31.0", "22.5", "99.9", "100325"), HourStatus::Ready, "100.325",
       "31.0", "22.5", AirField::DewPoint, ""},
      {"too few fields", "2001,7,1,14,0,flags,31.0,22.5\n", HourStatus::Unreadable, "", "", "",
       AirField::DewPoint, "第9行无法读取（只有8项，读不到第 10 项大气压力）"},
      {"month 13", EpwLine(2001, 13, 1, 14, "31.0", "22.5", "60", "100325"), HourStatus::Unreadable,
       "", "", "", AirField::DewPoint, "第9行无法读取（月份 13 不在 1 到 12 之间）"},
      {"hour 0", EpwLine(2001, 7, 1, 0, "31.0", "22.5", "60", "100325"), HourStatus::Unreadable, "",
       "", "", AirField::DewPoint, "第9行无法读取（小时 0 不在 1 到 24 之间）"},
      {"29 February of a common year", EpwLine(2001, 2, 29, 1, "1.0", "-2.5", "60", "100325"),
       HourStatus::Unreadable, "", "", "", AirField::DewPoint,
       "第9行无法读取（2001 年没有 2 月 29 日）"},
      {"a year that is no number", "19x6,7,1,14,0,f,31.0,22.5,60,100325\n", HourStatus::Unreadable,
       "", "", "", AirField::DewPoint, "第9行无法读取（年“19x6”不是整数）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WeatherRecord record = ReadWeather(EpwHeader() + c.line, {});
    ASSERT_EQ(record.hours.size(), 1u);
    const WeatherHour& hour = record.hours[0];
    EXPECT_EQ(hour.line, 9);
    EXPECT_EQ(hour.status, c.status);
    EXPECT_EQ(hour.message, c.message);
    EXPECT_EQ(hour.pressure, c.pressure);
    EXPECT_EQ(hour.dry_bulb_input, c.dry_bulb);
    EXPECT_EQ(hour.humidity_input, c.humidity);
    if (c.status == HourStatus::Ready) {
      EXPECT_EQ(hour.humidity, c.humidity_field);
    }
  }
}

TEST(ClimateEpwReading, StationFallbackPressureAndTruncatedLastLine) {
  const std::string text =
      EpwHeader("LOCATION, Chicago Ohare ,IL,USA,TMY3,725300,41.98,-87.92,-6.0,201.0") +
      EpwLine(1986, 1, 1, 1, "-12.2", "-16.1", "73", "999999") +
      EpwLine(1986, 1, 1, 2, "-11.7", "-15.6", "73", "99600").substr(0, 40);
  const WeatherRecord record = ReadWeather(text, {"98.5", ""});
  EXPECT_EQ(record.format, WeatherFormat::Epw);
  EXPECT_EQ(record.station.name, "Chicago Ohare");
  EXPECT_EQ(record.station.country, "USA");
  EXPECT_EQ(record.station.latitude, "41.98");
  EXPECT_EQ(record.station.longitude, "-87.92");
  EXPECT_EQ(record.station.elevation, "201.0");
  ASSERT_EQ(record.hours.size(), 2u);
  EXPECT_EQ(record.hours[0].status, HourStatus::Ready);
  EXPECT_EQ(record.hours[0].pressure, "98.5") << "the given pressure fills a missing one";
  EXPECT_EQ(record.hours[1].status, HourStatus::Unreadable);
  EXPECT_EQ(record.hours[1].message, "第10行无法读取（文件在这一行中途结束，被截断了）");
}

TEST(ClimateEpwReading, SubHourlyLinesGiveTheValuesOnTheHour) {
  std::string text = EpwHeader();
  for (int hour = 1; hour <= 2; ++hour) {
    for (const int minute : {15, 30, 45, 60})
      text += EpwLine(2001, 1, 1, hour, std::to_string(hour * 100 + minute), "0", "50", "101325",
                      minute);
  }
  const WeatherRecord record = ReadWeather(text, {});
  ASSERT_EQ(record.hours.size(), 2u);
  EXPECT_EQ(record.hours[0].dry_bulb_input, "160");
  EXPECT_EQ(record.hours[1].dry_bulb_input, "260");
  ASSERT_FALSE(record.notes.empty());
  EXPECT_EQ(record.notes[0], "有6行不在整点（分钟不是 0 或 60），已跳过：每小时只取整点的值");
}

TEST(ClimateCsvReading, TimesColumnsAndCellsAreReadAsTheTableWritesThem) {
  const std::string text =
      "\xEF\xBB\xBFtime;note;Dry_Bulb;rel_humidity;dew_point;pressure\r\n"
      "2020-07-01 13:00;a;30.5;55;;100.1\r\n"
      "2020-07-01T14:00;\"b;c\";31;;20;\r\n"
      "2020-07-01 14:30;;31;;20;100.1\r\n"
      "2020-07-01 24:00;;;;;100.1\r\n"
      "2020-07-01 25:00;;31;;20;100.1\r\n"
      "2020-07-02 01:00;;31;;20;100.1;extra\r\n"
      "\r\n"
      "2020-07-02 02:00;\"open;31;;20;100.1\r\n";
  const WeatherRecord record = ReadWeather(text, {"99", ""});
  EXPECT_EQ(record.format, WeatherFormat::Csv);
  ASSERT_EQ(record.hours.size(), 6u);
  const struct {
    std::int64_t line;
    HourStatus status;
    std::string pressure, dry_bulb, humidity, message;
  } expected[] = {
      {2, HourStatus::Ready, "100.1", "30.5", "55", ""},
      {3, HourStatus::Ready, "99", "31", "20", ""},
      {5, HourStatus::Missing, "100.1", "", "",
       "干球温度缺测（空）；露点温度缺测（空），相对湿度缺测（空）"},
      {6, HourStatus::Unreadable, "", "", "",
       "第6行无法读取（时间“2020-07-01 25:00”小时 25 不在 0 到 24 之间）"},
      {7, HourStatus::Unreadable, "", "", "", "第7行无法读取（有7个单元格，表头只有6列）"},
      {9, HourStatus::Unreadable, "", "", "", "第9行无法读取（引号没有闭合，一直到文件末尾）"},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("line " + std::to_string(expected[i].line));
    const WeatherHour& hour = record.hours[i];
    EXPECT_EQ(hour.line, expected[i].line);
    EXPECT_EQ(hour.status, expected[i].status);
    EXPECT_EQ(hour.pressure, expected[i].pressure);
    EXPECT_EQ(hour.dry_bulb_input, expected[i].dry_bulb);
    EXPECT_EQ(hour.humidity_input, expected[i].humidity);
    EXPECT_EQ(hour.message, expected[i].message);
  }
  EXPECT_EQ(record.hours[0].humidity, AirField::RelHumidity)
      << "an empty dew point gives way to the relative humidity";
  EXPECT_EQ(record.hours[1].humidity, AirField::DewPoint);
  EXPECT_EQ(record.hours[2].time.hour, 24) << "24:00 stays the last hour of its day";
}

TEST(ClimateWeatherReading, FilesThatAreNoWeatherRecordAreRefusedWithTheReason) {
  const struct {
    std::string name;
    std::string bytes;
    ReadingOptions options;
    std::string what;
  } cases[] = {
      {"empty", "", {}, "文件是空的"},
      {"blank lines", " \n\r\n", {}, "文件是空的"},
      {"UTF-16", "\xFF\xFEL\0O\0", {}, "文件是 UTF-16 编码：请另存为 UTF-8"},
      {"binary",
       std::string("PK\x03\x04\0\0", 6),
       {},
       "文件中有 NUL 字节，不是文本的气象文件（EPW 或 CSV）"},
      {"neither",
       "a,b\n1,2\n",
       {},
       "不是 EPW 或 CSV 气象文件：第一行“a,b”既不是 EPW 的 LOCATION 行，"
       "也不是有时间列（时间 或 time）和干球温度列（干球温度 或 dry_bulb）的表头"},
      {"GBK header",
       "\xCA\xB1\xBC\xE4,dry_bulb\n",
       {},
       "（这一行不是 UTF-8 编码，也许是 GBK：请另存为 UTF-8）"},
      {"header cut short",
       "LOCATION,x\nDESIGN CONDITIONS\n",
       {},
       "EPW 文件在第2行就结束了，文件头应有 8 行（文件被截断了？）"},
      {"eighth line",
       "LOCATION\n2\n3\n4\n5\n6\n7\n2001,1,1,1,0\n",
       {},
       "EPW 文件头的第 8 行应是 DATA PERIODS，却是“2001,1,1,1,0”"},
      {"header alone", EpwHeader(), {}, "文件中只有文件头，没有逐时数据"},
      {"no hour on the hour",
       EpwHeader() + EpwLine(2001, 1, 1, 1, "1", "0", "90", "101325", 30),
       {},
       "文件中没有整点的数据行"},
      {"CSV without pressure",
       "时间,干球温度,相对湿度\n2020-01-01 00:00,1,50\n",
       {},
       "表中没有当地大气压力列（当地大气压力 或 pressure），也没有给出大气压力或海拔"},
      {"CSV without humidity",
       "time,dry_bulb,pressure\n2020-01-01 00:00,1,100\n",
       {},
       "表头中没有湿度的列：露点温度、相对湿度、湿球温度、含湿量、湿空气焓至少要有一列"},
      {"CSV with a field twice", "time,dry_bulb,干球温度,dew_point\n", {"100", ""}, "是同一个参数"},
      {"CSV without a dry bulb",
       "时间,相对湿度\n2020-01-01 00:00,50\n",
       {"100", ""},
       "表头中没有干球温度列（干球温度 或 dry_bulb）"},
      {"lone carriage returns",
       "time,dry_bulb\r2020-01-01 00:00,1\r",
       {},
       "文件的换行符是单独的回车符（CR）：请另存为换行符是 LF 或 CR LF 的文件"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadWeather(c.bytes, c.options);
      ADD_FAILURE() << "read without complaint";
    } catch (const ClimateError& e) {
      EXPECT_NE(std::string(e.what()).find(c.what), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tarvel::climate
