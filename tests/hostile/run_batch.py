#!/usr/bin/env python3
"""tarvel-batch against its hostile corpus (batch.jsonl): each case's file run on its own, its
exit status, its one line on standard error and its output checked; with -o, the output file
whole and no temporary file left beside it.

    run_batch.py build/app/tarvel-batch
"""

import csv
import io
import os
import subprocess
import sys
import tempfile

import corpus


def output_rows(data):
    """The output's rows, as CSV with the separator its header uses."""
    text = data.decode("utf-8", "surrogateescape").lstrip("\ufeff")
    header = text.split("\n", 1)[0]
    separator = max((";", "\t", ","), key=header.count)
    return list(csv.reader(io.StringIO(text, newline=""), delimiter=separator))


def run_case(batch, case, work):
    name = case["case"]
    source = os.path.join(work, "in.csv")
    target = os.path.join(work, "out.csv")
    with open(source, "wb") as f:
        f.write(corpus.as_bytes(corpus.expand(case["csv"])))
    args = [target if arg == "{output}" else corpus.expand(arg) for arg in case.get("args", [])]
    done = subprocess.run([batch, *args, source], capture_output=True, timeout=600)
    output = done.stdout
    if "{output}" in case.get("args", []):
        left = sorted(os.listdir(work))
        if left not in (["in.csv"], ["in.csv", "out.csv"]):
            return "%s: the directory holds %s" % (name, left)
        output = open(target, "rb").read() if "out.csv" in left else b""
    expected = corpus.expand(case["expect"])
    error = done.stderr.decode("utf-8", "replace")
    if done.returncode != expected["status"]:
        return "%s: exit status %d, expected %d (%s)" % (name, done.returncode,
                                                        expected["status"], error.strip())
    if expected.get("stderr", "") not in error or error.count("\n") != 1:
        return "%s: standard error %r, expected one line with %r" % (
            name, corpus.shorten(error), expected.get("stderr", ""))
    if "output" in expected and output != corpus.as_bytes(expected["output"]):
        return "%s: output %s" % (name, corpus.shorten(output.decode("utf-8", "replace")))
    if "rows" in expected or "messages" in expected:
        header, *rows = output_rows(output)
        if "rows" in expected and len(rows) != expected["rows"]:
            return "%s: %d rows, expected %d" % (name, len(rows), expected["rows"])
        column = max(i for i, cell in enumerate(header) if cell in ("提示", "message"))
        messages = [row[column] for row in rows[:len(expected.get("messages", []))]]
        return corpus.mismatch(expected.get("messages", []), messages, name + ": messages")
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    csv.field_size_limit(sys.maxsize)
    failures = []
    cases = corpus.cases("batch")
    for case in cases:
        with tempfile.TemporaryDirectory(prefix="tarvel-hostile-") as work:
            failure = run_case(sys.argv[1], case, work)
        if failure:
            failures.append(failure)
            print("FAIL", failure)
    print("%d cases, %d failures" % (len(cases), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
