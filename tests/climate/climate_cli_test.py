#!/usr/bin/env python3
"""tarvel-climate as a user meets it: options, bad files, exit statuses, the table of hours, the
filters and zones, the same answers on any number of threads, and a real weather file.

    climate_cli_test.py CLIMATE REAL_EPW

Each case runs the program on a file made by weather_files.py (or by hand) and checks its exit
status, its standard error and its output. Standard library only.
"""

import decimal
import json
import os
import stat
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import weather_files  # noqa: E402

CLIMATE, REAL_EPW = sys.argv[1], sys.argv[2]
failures = []


def run(args, data=None):
    return subprocess.run([CLIMATE, *args], input=data, capture_output=True, timeout=300)


def check(name, condition, detail=""):
    if not condition:
        failures.append("%s: %s" % (name, detail))


def write(work, name, text):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        f.write(text.encode() if isinstance(text, str) else text)
    return path


def written(x):
    """A number as the window writes it: the double rounded to two decimals, ties to even on its
    exact binary value, without trailing zeros."""
    text = format(decimal.Decimal(x).quantize(decimal.Decimal("0.01"), decimal.ROUND_HALF_EVEN), "f")
    text = text.rstrip("0").rstrip(".") if "." in text else text
    return "0" if text in ("-0", "") else text


def holds(value, first, last):
    """Whether a range of months or hours holds a value, wrapping round when first > last."""
    return first <= value <= last if first <= last else value >= first or value <= last


def usage_and_bad_files(work):
    epw = write(work, "year.epw", weather_files.epw_text())
    directory = os.path.join(work, "dir")
    os.mkdir(directory)
    for name, args in [
            ("unknown option", ["--fast", epw]), ("no file", []), ("two files", [epw, epw]),
            ("month 13", ["--month", "13", epw]), ("hour 25", ["--hour", "1-25", epw]),
            ("zone without limits", ["--zone", "dry_bulb=..", epw]),
            ("pmv of two values", ["--pmv", "1.2,0.5", epw]), ("pmv of no met", ["--pmv", "0,0.5,0.1", epw]),
            ("pressure not a number", ["--pressure", "1,5", epw]),
            ("pressure and elevation", ["--pressure", "101", "--elevation", "10", epw]),
            ("elevation beyond the atmosphere", ["--elevation", "50000", epw]),
            ("threads 0", ["--threads", "0", epw]), ("option without value", [epw, "--hours"]),
            ("repeated option", ["--json", "--json", epw]), ("json with a value", ["--json=1", epw]),
            ("missing file", [os.path.join(work, "nope.epw")]), ("directory", [directory]),
            ("hours into a directory", ["--hours", directory, epw])]:
        done = run(args)
        err = done.stderr.decode()
        check(name, done.returncode == 2, "exit %d: %r" % (done.returncode, err))
        check(name, err.startswith("tarvel-climate: ") and err.count("\n") == 1, repr(err))
        check(name, done.stdout == b"", "wrote %r" % done.stdout[:100])
    for name, text, what in [
            ("empty", b"", "文件是空的"), ("not weather", b"a,b\n1,2\n", "不是 EPW 或 CSV 气象文件"),
            ("header alone", "\n".join(weather_files.EPW_HEADER).encode(), "只有文件头"),
            ("GBK header", "时间,干球温度\n".encode("gbk"), "GBK")]:
        done = run([write(work, "bad", text)])
        check(name, done.returncode == 2 and what in done.stderr.decode(),
              "exit %d: %r" % (done.returncode, done.stderr.decode()))
    done = run(["--help"])
    out = done.stdout.decode()
    check("help", done.returncode == 0 and all(
        word in out for word in ["用法", "Usage", "--zone", "11-2", "99.9", "⌊k·N⌋+1", "24:00"]), out[:200])
    check("version", run(["--version"]).stdout.startswith(b"tarvel-climate "), "")


def answers(work):
    text = weather_files.epw_text(seed=5)
    epw = write(work, "answers.epw", text)
    table = run([epw])
    out = table.stdout.decode()
    check("table", table.returncode == 0, table.stderr.decode())
    for word in ["气象站：Testville，CHN", "记录：1 年，8760 小时；不参加统计 0 小时",
                 "夏季空调室外计算干球温度", "供暖  99.6 %", "夏季  ", "GB 50174 数据中心"]:
        check("table has " + word, word in out, out[:400])
    check("table's summary", table.stderr.decode() ==
          "tarvel-climate: 已计算 8760 小时，其中 0 小时不参加统计\n", table.stderr.decode())

    hours_file = os.path.join(work, "hours.csv")
    one = run(["--json", "--threads", "1", "--hours", hours_file, epw])
    two = run(["--json", "--threads", "2", "--hours", hours_file + "2", epw])
    check("threads", one.stdout == two.stdout and open(hours_file, "rb").read() ==
          open(hours_file + "2", "rb").read(), "one and two threads differ")
    answer = json.loads(one.stdout)
    check("json keys", list(answer) == ["station", "years", "hours", "missing", "conditions",
                                        "outdoor", "zones"], list(answer))
    check("json counts", (answer["years"], answer["hours"], answer["missing"]) == (1, 8760, 0), "")
    check("summer W", answer["outdoor"]["summer"]["messages"] == [] and
          answer["outdoor"]["summer"]["inputs"] == {
              "dry_bulb": answer["conditions"]["summer_dry_bulb"],
              "wet_bulb": answer["conditions"]["summer_wet_bulb"]}, answer["outdoor"]["summer"])

    # The filters and the user's zone against the table of hours, counted here from its texts.
    rows = [line.split(",") for line in open(hours_file, encoding="utf-8").read().splitlines()]
    check("hours table", rows[0] == ["时间", "当地大气压力", "干球温度", "湿球温度", "相对湿度",
                                     "露点温度", "含湿量", "湿空气焓", "提示"] and len(rows) == 8761,
          rows[0])
    for months, hours, zone, inside in [
            ("6-8", "8-18", "dry_bulb=24..30,rel_humidity=..70",
             lambda t, phi, td, d: 24 <= t <= 30 and phi <= 70),
            ("11-2", "22-6", "dew_point=-5..,moisture=..6",
             lambda t, phi, td, d: td >= -5 and d <= 6)]:
        first, last = map(int, months.split("-"))
        low, high = map(int, hours.split("-"))
        selected = count = 0
        for row in rows[1:]:
            month, clock = int(row[0][5:7]), int(row[0][11:13]) % 24
            if not (holds(month, first, last) and holds(clock, low, high)):
                continue
            selected += 1
            count += inside(float(row[2]), float(row[4]), float(row[5]), float(row[6]))
        done = run(["--json", "--month", months, "--hour", hours, "--zone", zone, epw])
        zone_answer = json.loads(done.stdout)["zones"][-1]
        check("zone " + zone, zone_answer == {"name": "自定义区域", "hours": count,
                                              "share": written(count * 100 / selected)},
              "%r, expected %d of %d" % (zone_answer, count, selected))
    same = run(["--json", "--month", "1-12", "--hour", "1-24", epw])
    check("whole year filter", json.loads(same.stdout) == answer, "differs from no filter")
    pmv = json.loads(run(["--json", "--pmv", "1.0,1.0,0.1", epw]).stdout)["zones"]
    check("pmv settings count", pmv[5]["hours"] != answer["zones"][5]["hours"], "no change")

    # From standard input, and an existing table of hours kept when a run fails.
    check("stdin", run(["--json", "-"], text.encode()).stdout == one.stdout, "")
    os.chmod(hours_file, 0o640)
    check("hours rewritten", run(["--hours", hours_file, epw]).returncode == 0, "")
    check("hours keeps permissions", stat.S_IMODE(os.stat(hours_file).st_mode) == 0o640, "")
    before = open(hours_file, "rb").read()
    done = run(["--hours", hours_file, write(work, "bad.epw", b"nonsense")])
    check("failed run keeps hours", done.returncode == 2 and open(hours_file, "rb").read() == before, "")
    done = run(["--hours", epw, epw])
    check("never over the weather file", done.returncode == 2 and "只读不写" in done.stderr.decode() and
          open(epw).read() == text, done.stderr.decode())


def imperfect_records(work):
    lines = weather_files.epw_text(seed=9).splitlines()
    lines[8 + 100] = lines[8 + 100].replace(",", ";")  # an unreadable line
    fields = lines[8 + 200].split(",")
    fields[6] = "99.9"  # a missing dry bulb
    lines[8 + 200] = ",".join(fields)
    done = run(["--json", write(work, "imperfect.epw", "\n".join(lines) + "\n")])
    err = done.stderr.decode()
    check("unreadable line", done.returncode == 1, "exit %d" % done.returncode)
    check("imperfect counts", json.loads(done.stdout)["missing"] == 2 and
          "其中 2 小时不参加统计（缺测 1，计算有提示 0，无法读取 1）" in err, err)
    table = run([write(work, "imperfect.epw", "\n".join(lines) + "\n")]).stdout.decode()
    check("imperfect told", "第109行无法读取" in table and "干球温度缺测（99.9）" in table, table[:600])

    done = run(["--json", write(work, "quarter.epw", weather_files.epw_text(per_hour=4))])
    check("sub-hourly", done.returncode == 0 and json.loads(done.stdout)["hours"] == 8760 and
          "有26280行不在整点" in done.stderr.decode(), done.stderr.decode())

    csv = write(work, "thirty.csv", weather_files.csv_text(years=30, first_year=1990, clock=0))
    one = run(["--json", "--threads", "1", csv])
    two = run(["--json", "--threads", "2", csv])
    answer = json.loads(one.stdout)
    check("thirty years", one.returncode == 0 and answer["years"] == 30 and
          answer["hours"] == 30 * 8760 + 7 * 24 and one.stdout == two.stdout,
          "%s %s" % (answer.get("years"), answer.get("hours")))
    no_pressure = write(work, "no_pressure.csv", "time,dry_bulb,rel_humidity\n2020-07-01 14:00,30,50\n")
    done = run(["--json", "--elevation", "1000", no_pressure])
    check("elevation", done.returncode == 0 and json.loads(done.stdout)["station"]["elevation"] == "1000"
          and json.loads(done.stdout)["missing"] == 0, done.stderr.decode())


def real_file():
    done = run(["--json", REAL_EPW])
    answer = json.loads(done.stdout)
    check("real file", done.returncode == 0 and answer["station"]["name"] == "Chicago Ohare Intl Ap"
          and answer["hours"] == 8760 and answer["missing"] == 0, done.stderr.decode())
    check("real file's W", all(answer["outdoor"][season]["messages"] == [] for season in
                               ("summer", "winter")), answer["outdoor"])
    check("real file's zones", all(zone["share"] is not None for zone in answer["zones"]), "")


def main():
    with tempfile.TemporaryDirectory() as work:
        usage_and_bad_files(work)
        answers(work)
        imperfect_records(work)
        real_file()
    for failure in failures:
        print("FAIL " + failure)
    if failures:
        sys.exit(1)
    print("climate_cli_test: all cases passed")


if __name__ == "__main__":
    main()
