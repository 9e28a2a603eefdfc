#!/usr/bin/env python3
"""Every hour of a made-up year through tarvel-climate and tarvel-replay: the answers must agree.

    climate_vs_replay.py --climate CLIMATE --replay REPLAY [--seed S]

A year of EPW lines and one of CSV rows (weather_files.py) are roughened here and there: a dew
point above its dry bulb (the command ends with a message), a missing dew point (the relative
humidity is typed instead), a dry bulb written with many decimals, a station pressure with a
fraction of a pascal, missing values. tarvel-climate writes every hour (--hours); for each hour
this script forms, on its own, the texts the window is typed (the pressure in Pa moved three
places as text, the dry bulb, the dew point or else the relative humidity) and asks tarvel-replay
for the calculate command's answer. The six fields and the messages (joined with "；") of every
hour must be replay's, byte for byte; an hour with a missing value must say so and be computed by
neither. Standard library only.
"""

import argparse
import csv
import json
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import weather_files  # noqa: E402

MISSING = {"dry_bulb": 99.9, "dew_point": 99.9, "rel_humidity": 999.0, "pressure": 999999.0}


def kilopascal_text(pascal):
    whole, _, fraction = pascal.partition(".")
    whole = whole.rjust(3, "0")
    return (whole[:-3] or "0") + "." + whole[-3:] + fraction


def roughen(rows, rng):
    """rows: [year, month, day, hour, minute, t, dew, rh, pa] as texts; changes some in place."""
    for row in rows:
        kind = rng.random()
        if kind < 0.01:
            row[6] = "%.1f" % (float(row[5]) + 5)  # dew point above dry bulb
        elif kind < 0.02:
            row[6] = "99.9"
        elif kind < 0.025:
            row[6], row[7] = "99.9", "999"
        elif kind < 0.03:
            row[5] = "99.9"
        elif kind < 0.04:
            row[5] = "%.3f" % (float(row[5]) + rng.random())
        elif kind < 0.05:
            row[8] = "%d.%d" % (int(row[8]), rng.randrange(10))
        elif kind < 0.055:
            row[8] = "999999"


def typed(row):
    """The texts the window is typed for a row, or None when the hour is missing."""
    t, dew, rh, pa = row[5:9]
    if float(t) == MISSING["dry_bulb"] or float(pa) == MISSING["pressure"]:
        return None
    fields = [t, "", "", "", "", ""]
    if float(dew) != MISSING["dew_point"]:
        fields[3] = dew
    elif float(rh) != MISSING["rel_humidity"]:
        fields[2] = rh
    else:
        return None
    return {"fields": fields, "pressure": kilopascal_text(pa), "command": "calculate"}


def compare(name, rows, table, replay, failures):
    requests = [typed(row) for row in rows]
    asked = [r for r in requests if r]
    done = subprocess.run([replay], input="".join(json.dumps(r) + "\n" for r in asked),
                          capture_output=True, text=True, check=True)
    answers = iter(json.loads(line) for line in done.stdout.splitlines())
    read = list(csv.reader(open(table, encoding="utf-8", newline="")))
    if len(read) != len(rows) + 1:
        failures.append("%s: %d rows in the table of hours for %d hours" % (name, len(read) - 1, len(rows)))
        return
    compared = messages = 0
    for row, request, cells in zip(rows, requests, read[1:]):
        time = "%04d-%02d-%02d %02d:00" % tuple(int(x) for x in row[:4])
        if cells[0] != time:
            failures.append("%s: time %s for %s" % (name, cells[0], time))
        if request is None:
            if "缺测" not in cells[8] or any(cells[2:8]):
                failures.append("%s %s: missing hour written as %r" % (name, time, cells))
            continue
        answer = next(answers)
        expected = [request["pressure"]] + answer["fields"] + [
            "；".join(m["text"] for m in answer["messages"])]
        compared += 1
        messages += bool(answer["messages"])
        if cells[1:] != expected:
            failures.append("%s %s: %r, replay %r" % (name, time, cells[1:], expected))
    if compared < 8000 or messages < 20:
        failures.append("%s: only %d hours compared, %d with messages" % (name, compared, messages))
    print("%s: %d hours identical to tarvel-replay, %d of them with messages" % (name, compared, messages))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--climate", required=True)
    parser.add_argument("--replay", required=True)
    parser.add_argument("--seed", type=int, default=7)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    rows = [[str(x) if not isinstance(x, float) else "%.1f" % x for x in h]
            for h in weather_files.hours(1, 2004, args.seed)]
    roughen(rows, rng)
    failures = []
    with tempfile.TemporaryDirectory() as work:
        epw = os.path.join(work, "year.epw")
        with open(epw, "w") as f:
            f.write("\n".join(weather_files.EPW_HEADER) + "\n")
            f.writelines(",".join(r[:5] + ["flags"] + r[5:9] + [weather_files.EPW_TAIL]) + "\n"
                         for r in rows)
        table = os.path.join(work, "hours.csv")
        subprocess.run([args.climate, "--hours", table, epw], capture_output=True, check=False)
        compare("EPW", rows, table, args.replay, failures)

        # The same hours as CSV rows on the clock 0:00 to 23:00, the pressure in kPa as text.
        csv_path = os.path.join(work, "year.csv")
        with open(csv_path, "w") as f:
            f.write("时间,当地大气压力,干球温度,露点温度,相对湿度\n")
            for r in rows:
                dew = "" if float(r[6]) == MISSING["dew_point"] else r[6]
                rh = "" if float(r[7]) == MISSING["rel_humidity"] else r[7]
                t = "" if float(r[5]) == MISSING["dry_bulb"] else r[5]
                pa = "" if float(r[8]) == MISSING["pressure"] else kilopascal_text(r[8])
                f.write("%s-%02d-%02d %02d:00,%s,%s,%s,%s\n" % (r[0], int(r[1]), int(r[2]),
                                                                int(r[3]) - 1, pa, t, dew, rh))
        subprocess.run([args.climate, "--hours", table, csv_path], capture_output=True, check=False)
        shifted = [r[:3] + [str(int(r[3]) - 1)] + r[4:] for r in rows]
        compare("CSV", shifted, table, args.replay, failures)
    for failure in failures[:20]:
        print("FAIL " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
