#!/usr/bin/env python3
"""Runs two tarvel-batch programs on the same random tables and requires byte-identical output.

    compare_batches.py [--tables N] [--rows R] [--seed S] BATCH_A BATCH_B

Each table has its own layout: Chinese or English names, the seven fields in any order with some
left out (with --pressure when the pressure is), other columns, a message column or none, comma,
semicolon or tab, LF or CRLF, a BOM or none. Its rows hold texts as people type them (two
decimals, whole numbers, longer ones, blanks, words), some quoted (with separators, quotes and
line breaks inside), some rows short of cells, some with too many, some unterminated. Both
programs must give the same bytes on standard output and the same exit status; on a difference
the table is kept and named, and the exit status is 1. Standard library only.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile

CHINESE = ["当地大气压力", "干球温度", "湿球温度", "相对湿度", "露点温度", "含湿量", "湿空气焓"]
ENGLISH = ["pressure", "dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture_content",
           "enthalpy"]
RANGES = [(85, 105), (-40, 50), (-40, 45), (5, 100), (-50, 45), (0, 60), (-40, 200)]


def number(rng, field):
    low, high = RANGES[field]
    x = rng.uniform(low, high)
    style = rng.random()
    if style < 0.5:
        return "%.2f" % x
    if style < 0.7:
        return "%d" % round(x)
    if style < 0.85:
        return ("%%.%df" % rng.randint(3, 6)) % x
    return rng.choice(["", " 20", "abc", "1e1", "&H10", "-0", "20.", ".5", "1,5", "9" * 30])


def cell(rng, text, separator):
    roll = rng.random()
    if roll < 0.05:
        return '"' + text.replace('"', '""') + '"'
    if roll < 0.07:
        return '"' + text + separator + 'x""y\nz"'
    return text


def table(rng, rows):
    names = rng.choice([CHINESE, ENGLISH])
    separator = rng.choice([",", ";", "\t"])
    line_break = rng.choice(["\n", "\r\n"])
    fields = [f for f in range(7) if rng.random() < 0.7]
    if len([f for f in fields if f > 0]) < 2:
        fields = sorted(set(fields) | {1, 3})
    columns = [("field", f) for f in fields]
    columns += [("other", i) for i in range(rng.randint(0, 2))]
    if rng.random() < 0.3:
        columns.append(("message", 0))
    rng.shuffle(columns)
    header = []
    for kind, which in columns:
        if kind == "field":
            header.append(names[which])
        elif kind == "other":
            header.append("note%d" % which)
        else:
            header.append("提示" if names is CHINESE else "message")
    lines = [separator.join(header)]
    for _ in range(rows):
        given = set(rng.sample([f for f in fields if f > 0], min(2, len(fields) - 1)))
        if rng.random() < 0.1:
            given |= {rng.choice(fields)}
        cells = []
        for kind, which in columns:
            if kind == "field":
                text = number(rng, which) if which in given or which == 0 else ""
            elif kind == "other":
                text = rng.choice(["", "x", "a b", "编号%d" % rng.randint(0, 99)])
            else:
                text = rng.choice(["", "", "old message"])
            cells.append(cell(rng, text, separator))
        roll = rng.random()
        if roll < 0.05:
            cells = cells[:rng.randint(1, len(cells))]
        elif roll < 0.07:
            cells.append("extra")
        elif roll < 0.08:
            cells[-1] = '"12"5'
        lines.append(separator.join(cells))
    text = line_break.join(lines)
    if rng.random() < 0.9:
        text += line_break
    elif rng.random() < 0.5:
        text += '"open'
    if rng.random() < 0.2:
        text = "\ufeff" + text
    options = [] if 0 in fields and rng.random() < 0.8 else ["--pressure", "101.325"]
    return text, options


def run(batch, path, options):
    done = subprocess.run([batch] + options + [path], capture_output=True)
    return done.returncode, done.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tables", type=int, default=200)
    parser.add_argument("--rows", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("batch_a")
    parser.add_argument("batch_b")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    for t in range(args.tables):
        text, options = table(rng, args.rows)
        handle, path = tempfile.mkstemp(suffix=".csv")
        with os.fdopen(handle, "w", encoding="utf-8", newline="") as f:
            f.write(text)
        if run(args.batch_a, path, options) != run(args.batch_b, path, options):
            print("table %d differs: %s (options %s)" % (t, path, " ".join(options)))
            return 1
        os.remove(path)
    print("%d tables of %d rows: identical" % (args.tables, args.rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
