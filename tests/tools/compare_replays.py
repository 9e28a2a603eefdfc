#!/usr/bin/env python3
"""Runs two replay commands on the same requests and requires byte-identical answers.

    compare_replays.py [--input FILE]... [--count N] [--seed S] -- COMMAND... -- COMMAND...

The requests are the lines of each --input file (e.g. tests/golden/*.jsonl), then N random
requests from random_requests.py. Each command reads all of them on standard input in one run
(both run at once) and must exit with status 0. On a difference the first differing requests are
shown with both answers and the exit status is 1. For example, the WebAssembly replay against the
desktop one, or the desktop one with and without a setting of the C library:

    compare_replays.py --count 100000 -- build/app/tarvel-replay -- node out/web/replay.mjs
    compare_replays.py --count 100000 -- build/app/tarvel-replay \\
        -- env GLIBC_TUNABLES=... build/app/tarvel-replay

Standard library only.
"""

import argparse
import collections
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_requests  # noqa: E402

SHOWN_DIFFERENCES = 5


def split_commands(argv):
    """The options before the first "--", and the two commands after it."""
    parts = [[]]
    for arg in argv:
        if arg == "--" and len(parts) < 3:
            parts.append([])
        else:
            parts[-1].append(arg)
    if len(parts) != 3 or not parts[1] or not parts[2]:
        if "-h" in parts[0] or "--help" in parts[0]:
            print(__doc__.strip())
            sys.exit(0)
        sys.exit("usage: compare_replays.py [options] -- COMMAND... -- COMMAND...")
    return parts


def summary(answers):
    """How the answers ended, counted: completed, each message text, faults, designs, protocol
    errors."""
    counts = collections.Counter()
    for line in answers:
        try:
            answer = json.loads(line)
        except ValueError:
            counts["not JSON"] += 1
            continue
        if "error" in answer:
            counts["request error"] += 1
        elif "points" in answer:
            counts["design"] += 1
        elif answer.get("fault"):
            counts["numeric fault"] += 1
        elif answer.get("messages"):
            counts[answer["messages"][0]["text"]] += 1
        else:
            counts["no message"] += 1
    return ", ".join("%s %d" % item for item in counts.most_common())


def show(label, data):
    return "  %s: %s" % (label, data.decode("utf-8", "backslashreplace"))


def main():
    options, first, second = split_commands(sys.argv[1:])
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1].strip())
    parser.add_argument("--input", action="append", default=[], help="a file of request lines")
    parser.add_argument("--count", type=int, default=0, help="number of random requests")
    parser.add_argument("--seed", type=int, default=1, help="seed of the random requests")
    parser.add_argument("--timeout", type=float, default=None, help="seconds per command")
    args = parser.parse_args(options)

    lines = []
    for name in args.input:
        with open(name, "rb") as f:
            data = f.read()
        lines.extend(data[:-1].split(b"\n") if data.endswith(b"\n") else data.split(b"\n"))
    lines.extend(random_requests.requests(args.count, args.seed))
    if not lines:
        sys.exit("compare_replays.py: no requests (give --input or --count)")

    with tempfile.TemporaryDirectory() as work:
        requests_file = os.path.join(work, "requests.jsonl")
        with open(requests_file, "wb") as f:
            f.write(b"".join(line + b"\n" for line in lines))
        outputs = []
        processes = []
        for index, command in enumerate((first, second)):
            output = os.path.join(work, "answers%d.jsonl" % index)
            with open(requests_file, "rb") as stdin, open(output, "wb") as stdout:
                processes.append(subprocess.Popen(command, stdin=stdin, stdout=stdout))
            outputs.append(output)
        failed = False
        for command, process in zip((first, second), processes):
            status = process.wait(timeout=args.timeout)
            if status != 0:
                print("%s exited with status %d" % (" ".join(command), status))
                failed = True
        answers = []
        for output in outputs:
            with open(output, "rb") as f:
                answers.append(f.read())
    if failed:
        return 1

    if answers[0] == answers[1]:
        count = answers[0].count(b"\n")
        print("%d requests, identical answers (%d lines): %s"
              % (len(lines), count, summary(answers[0].splitlines())))
        if count != len(lines):
            print("but there should be one answer line per request")
            return 1
        return 0

    first_lines = answers[0].split(b"\n")
    second_lines = answers[1].split(b"\n")
    differing = [i for i in range(max(len(first_lines), len(second_lines)))
                 if i >= len(first_lines) or i >= len(second_lines)
                 or first_lines[i] != second_lines[i]]
    print("%d of %d answers differ; the first %d:"
          % (len(differing), len(lines), min(len(differing), SHOWN_DIFFERENCES)))
    for i in differing[:SHOWN_DIFFERENCES]:
        print("request %d" % (i + 1))
        print(show("request", lines[i] if i < len(lines) else b"(none)"))
        print(show(" ".join(first), first_lines[i] if i < len(first_lines) else b"(none)"))
        print(show(" ".join(second), second_lines[i] if i < len(second_lines) else b"(none)"))
    return 1


if __name__ == "__main__":
    sys.exit(main())
