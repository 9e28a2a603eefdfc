#!/usr/bin/env python3
"""Every row through tarvel-batch and tarvel-replay: the answers must agree.

    batch_vs_replay.py --batch BATCH --replay REPLAY [--input FILE.jsonl]... [--count N]

The calculate requests of each --input file and N random requests (tests/tools/random_requests.py)
are answered by tarvel-replay. The same requests become the rows of CSV tables in several dialects
(comma, semicolon and tab; LF and CR LF; with and without a byte-order mark; Chinese and English
names in shuffled order, with blanks and odd case), beside an id and a note column of messy texts
(separators, quotes, line breaks, blanks at both ends), cells quoted where they must be and now and
then where they need not be, and trailing empty cells sometimes left out as spreadsheets do.
tarvel-batch answers each table, and its output must be, byte for byte, the table that replay's
answers give: the input's cells kept as they were unless the command wrote them, the written
texts, the appended columns and the messages joined with "；". Python's csv module then reads the
output back as an independent check. Standard library only.
"""

import argparse
import csv
import io
import json
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import random_requests  # noqa: E402

CHINESE = ["干球温度", "湿球温度", "相对湿度", "露点温度", "含湿量", "湿空气焓", "当地大气压力"]
ENGLISH = ["dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture_content", "enthalpy",
           "pressure"]
PRESSURE = 6  # the index of the pressure among the seven columns above
NOTES = ["", " ", "plain", "a,b", "a;b", "a\tb", 'say "hi"', '"', '""', "line\nbreak",
         "cr\r\nlf", " both ends ", "\t", "备注，中文", "trailing,", ",leading", "x\ry"]

# (name, separator, line break, byte-order mark, English names)
DIALECTS = [
    ("comma_lf", ",", "\n", False, False),
    ("semicolon_crlf", ";", "\r\n", False, True),
    ("tab_lf_bom", "\t", "\n", True, False),
    ("comma_crlf_bom", ",", "\r\n", True, True),
]


def replay_answers(replay, requests):
    """Replay's seven texts after the command, and its messages joined with "；", per request."""
    lines = "".join(json.dumps({"fields": t[:6], "pressure": t[6], "command": "calculate"},
                               ensure_ascii=False) + "\n" for t in requests)
    done = subprocess.run([replay], input=lines.encode("utf-8"), capture_output=True, check=True)
    answers = []
    for line in done.stdout.decode("utf-8").splitlines():
        answer = json.loads(line)
        if "error" in answer:
            sys.exit("replay refused a request: %s" % line)
        answers.append((answer["fields"] + [answer["pressure"]],
                        "；".join(m["text"] for m in answer["messages"])))
    if len(answers) != len(requests):
        sys.exit("replay gave %d answers to %d requests" % (len(answers), len(requests)))
    return answers


def cell(rng, text, separator):
    """The text as one CSV cell: quoted when it must be, and sometimes when it need not be."""
    if any(c in text for c in (separator, '"', "\n", "\r")) or rng.random() < 0.1:
        return '"' + text.replace('"', '""') + '"'
    return text


def header_name(rng, index, english):
    if not english:
        return CHINESE[index]
    name = ENGLISH[index]
    name = "".join(c.upper() if rng.random() < 0.3 else c for c in name)
    return rng.choice(["", " ", "\t"]) * (rng.random() < 0.3) + name + " " * (rng.random() < 0.3)


def table(rng, dialect, dropped, requests, answers):
    """The CSV input for `dialect` and the output tarvel-batch must give for it, as bytes. The
    column `dropped` (or None) is left out of the input."""
    _, separator, line_break, bom, english = dialect
    # The seven columns and two pass-through ones in a random order.
    columns = [c for c in list(range(7)) + ["id", "note"] if c != dropped]
    rng.shuffle(columns)
    names = [c if isinstance(c, str) else header_name(rng, c, english) for c in columns]
    header = separator.join(cell(rng, n, separator) if n != "note" else n for n in names)
    appended = [] if dropped is None else [dropped]
    message_name = "message" if english else "提示"
    out_header = header + "".join(
        separator + (ENGLISH if english else CHINESE)[i] for i in [a for a in [PRESSURE] + list(
            range(6)) if a in appended]) + separator + message_name

    rows_in, rows_out = [header], [out_header]
    for number, (texts, (after, message)) in enumerate(zip(requests, answers)):
        note = rng.choice(NOTES)
        raw = {"id": str(number), "note": cell(rng, note, separator)}
        for i in range(7):
            raw[i] = cell(rng, texts[i], separator)
        cells = [raw[c] for c in columns]
        # Spreadsheets leave out empty cells at a row's end.
        kept = len(cells)
        while kept > 1 and cells[kept - 1] == "" and rng.random() < 0.5:
            kept -= 1
        rows_in.append(separator.join(cells[:kept]))
        out = []
        for position, c in enumerate(columns):
            if isinstance(c, int) and after[c] != texts[c]:
                out.append(after[c])  # written: a number, which needs no quotes
            else:
                out.append(cells[position] if position < kept else "")
        out += [after[i] for i in appended]
        out.append(message)
        rows_out.append(separator.join(out))
    mark = "\ufeff" if bom else ""
    encode = lambda rows: (mark + "".join(r + line_break for r in rows)).encode("utf-8")
    return encode(rows_in), encode(rows_out), columns, appended


def check_with_csv_module(output, dialect, columns, appended, answers):
    """Reads the output with Python's csv module: every row's seven cells and messages."""
    _, separator, _, bom, _ = dialect
    text = output.decode("utf-8")
    if text.startswith("\ufeff") != bom:
        return "the byte-order mark is %s" % ("missing" if bom else "added")
    rows = list(csv.reader(io.StringIO(text.lstrip("\ufeff"), newline=""),
                           delimiter=separator, strict=True))
    if len(rows) != len(answers) + 1:
        return "%d rows read back, expected %d" % (len(rows) - 1, len(answers))
    for number, (row, (after, message)) in enumerate(zip(rows[1:], answers)):
        positions = {c: p for p, c in enumerate(columns)}
        for i, a in enumerate(appended):
            positions[a] = len(columns) + i
        got = [row[positions[i]] for i in range(7)]
        if got != after or row[-1] != message:
            return "row %d reads back as %r, replay answered %r %r" % (number, row, after, message)
    return None


def first_difference(actual, expected, line_break):
    a = actual.split(line_break.encode())
    e = expected.split(line_break.encode())
    for i, (x, y) in enumerate(zip(a, e)):
        if x != y:
            return "piece %d:\n  batch:    %r\n  expected: %r" % (i, x, y)
    return "%d pieces from batch, %d expected" % (len(a), len(e))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--batch", required=True)
    parser.add_argument("--replay", required=True)
    parser.add_argument("--input", action="append", default=[])
    parser.add_argument("--count", type=int, default=0)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    lines = []
    for name in args.input:
        with open(name, "rb") as f:
            lines += f.read().splitlines()
    lines += random_requests.requests(args.count, args.seed)
    all_requests = random_requests.calculate_texts(lines)
    rng = random.Random(args.seed)
    failed = False
    with tempfile.TemporaryDirectory() as work:
        for number, dialect in enumerate(DIALECTS):
            # Every other table lacks a column, which the output appends: the dew point (typed
            # empty in every row), then the pressure (typed from --pressure).
            dropped = [None, 3, None, PRESSURE][number]
            option = ["--pressure", "101.325"] if dropped == PRESSURE else []
            typed = option[1] if option else ""
            requests = [[(typed if i == dropped else t) for i, t in enumerate(texts)]
                        for texts in all_requests]
            answers = replay_answers(args.replay, requests)
            source, expected, columns, appended = table(rng, dialect, dropped, requests, answers)
            path = os.path.join(work, dialect[0] + ".csv")
            with open(path, "wb") as f:
                f.write(source)
            done = subprocess.run([args.batch, *option, path], capture_output=True)
            problem = None
            if done.returncode != 0:
                problem = "exit status %d: %s" % (done.returncode, done.stderr.decode())
            elif done.stdout != expected:
                problem = first_difference(done.stdout, expected, dialect[2])
            else:
                problem = check_with_csv_module(done.stdout, dialect, columns, appended, answers)
            if problem:
                failed = True
                print("%s: %s" % (dialect[0], problem))
            else:
                print("%s: %d rows agree with replay byte for byte" % (dialect[0], len(requests)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
