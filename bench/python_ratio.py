#!/usr/bin/env python3
"""tarvel.calculate on arrays of typical rows against the calculate command alone in C++.

    python_ratio.py --reference REFERENCE --table FILE [--repetitions N]

The table (tarvel-batch-reference generate) becomes seven float64 arrays, nan for an empty cell,
kept beside it as FILE.npy. Each turn times, one after the other so that load from elsewhere falls
on all of them alike: REFERENCE (tarvel-batch-reference) on the table's rows, the CPU time of the
calculate command alone on one core; tarvel.calculate on the arrays on one thread (the CPU time
of the process: the one worker thread's, and the calling thread's, which waits for it and looks
for Ctrl-C meanwhile; and its wall time); on two threads (wall time);
and, for the record, tarvel.calculate on one thread followed by reading its .texts, which a call
on float arrays makes only then. The medians of the turns' ratios give
the per-row time on one thread over the reference's (target at most 1.3) and the two-thread wall
time over the one-thread wall time (at most 0.75). A fresh process then measures the peak resident memory
of one call beyond its inputs and outputs, per row (at most 64 bytes). Exits 1 when a target is
missed. Run with the module on PYTHONPATH (scripts/bench-python).
"""

import argparse
import csv
import os
import statistics
import subprocess
import sys
import time

import numpy as np

import tarvel

COLUMNS = ["干球温度", "湿球温度", "相对湿度", "露点温度", "含湿量", "湿空气焓", "当地大气压力"]


def arrays(table):
    """The table's seven columns as float64 arrays, made once and kept beside the table."""
    path = table + ".npy"
    if not os.path.exists(path) or os.path.getmtime(path) < os.path.getmtime(table):
        with open(table, newline="", encoding="utf-8") as f:
            rows = csv.DictReader(f)
            cells = [[float(r[c]) if r[c] else np.nan for c in COLUMNS] for r in rows]
        np.save(path, np.array(cells).T.copy())
    return np.load(path)


def calculate(columns, threads):
    return tarvel.calculate(columns[6], threads=threads, **dict(zip(tarvel.FIELDS, columns[:6])))


def memory(table):
    """Peak resident bytes of one call beyond its inputs and outputs, per row (this process)."""
    columns = arrays(table)

    def status(key):
        with open("/proc/self/status") as f:
            return next(int(line.split()[1]) * 1024 for line in f if line.startswith(key))

    before = status("VmRSS:")
    with open("/proc/self/clear_refs", "w") as f:
        f.write("5")  # the peak starts again from here
    result = calculate(columns, None)
    texts = result.texts  # made now where the values determine them: outputs too
    peak = status("VmHWM:")
    rows = columns.shape[1]
    outputs = 6 * result.dry_bulb.nbytes + texts.nbytes + result.message.nbytes + rows
    return (peak - before - outputs) / rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--reference", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--memory-only", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.memory_only:
        print(memory(args.table))
        return 0

    columns = arrays(args.table)
    rows = columns.shape[1]
    calculate(columns, 1)  # once untimed: pages and caches warm for every turn alike
    reference, one, one_wall, two, with_texts = [], [], [], [], []
    for _ in range(args.repetitions):
        done = subprocess.run([args.reference, "time", args.table, "1"], capture_output=True,
                              text=True, check=True)
        reference.append(float(done.stdout.split("median_cpu_seconds")[1]))
        start, wall = time.process_time(), time.perf_counter()
        calculate(columns, 1)
        one.append(time.process_time() - start)
        one_wall.append(time.perf_counter() - wall)
        start = time.perf_counter()
        calculate(columns, 2)
        two.append(time.perf_counter() - start)
        start = time.process_time()
        calculate(columns, 1).texts
        with_texts.append(time.process_time() - start)
    done = subprocess.run([sys.executable, __file__, "--reference", args.reference, "--table",
                           args.table, "--memory-only"], capture_output=True, text=True, check=True)
    per_row = float(done.stdout)

    def ns(seconds):
        return "%.0f ns" % (seconds / rows * 1e9)

    ratio = statistics.median(o / r for o, r in zip(one, reference))
    speedup = statistics.median(t / o for t, o in zip(two, one_wall))
    print("rows %d; the calculate command alone in C++, one core: %s a row (median of %d: %s)"
          % (rows, ns(statistics.median(reference)), len(reference),
             " ".join(ns(t) for t in reference)))
    print("tarvel.calculate on one thread (CPU): %s a row (%s), ratio to the reference %.2f "
          "(median of the turns' ratios; target 1.3)"
          % (ns(statistics.median(one)), " ".join(ns(t) for t in one), ratio))
    print("tarvel.calculate and then its .texts on one thread (CPU): %s a row (%s), ratio %.2f "
          "(not a target: the texts are made when first read)"
          % (ns(statistics.median(with_texts)), " ".join(ns(t) for t in with_texts),
             statistics.median(w / r for w, r in zip(with_texts, reference))))
    print("tarvel.calculate on one thread (wall): %s a row (%s)"
          % (ns(statistics.median(one_wall)), " ".join(ns(t) for t in one_wall)))
    print("tarvel.calculate on two threads (wall): %s a row (%s), %.2f of one thread (median of "
          "the turns' ratios; target 0.75)"
          % (ns(statistics.median(two)), " ".join(ns(t) for t in two), speedup))
    print("memory beyond the inputs and outputs: %.1f bytes a row (target 64)" % per_row)
    missed = [name for name, value, target in [("one thread", ratio, 1.3),
                                               ("two threads", speedup, 0.75),
                                               ("memory", per_row, 64)] if value > target]
    if missed:
        print("missed: " + ", ".join(missed))
        return 1
    print("every target met")
    return 0


if __name__ == "__main__":
    sys.exit(main())
