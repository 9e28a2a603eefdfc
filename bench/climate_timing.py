#!/usr/bin/env python3
"""tarvel-climate's wall time on a year of hours on one core and on thirty years on two.

    climate_timing.py --climate CLIMATE --year FILE.epw --thirty FILE.csv [--repetitions N]
                      [--year-target S] [--thirty-target S]

Each file is read, every hour calculated and the answer written (--json, to a file) N times:
the year with --threads 1 on one core (taskset -c 0), the thirty years with --threads 2 on two
cores (taskset -c 0,1, where the machine has them). The medians of the wall time (the whole run
of the program, start-up included) and of its CPU time are printed with the peak resident memory,
and the exit status is 1 when a median misses its target (50 ms and 1 s). Standard library only.
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile

from batch_ratio import timed  # wall seconds, CPU seconds and peak memory (KiB) of one run


def measure(name, command, repetitions, target, output):
    with open(output, "wb") as out:
        runs = [timed(command, out) for _ in range(repetitions)]
    wall = statistics.median(r[0] for r in runs)
    cpu = statistics.median(r[1] for r in runs)
    peak = max(r[2] for r in runs)
    verdict = "ok" if wall <= target else "MISSED"
    print("%-34s wall %8.1f ms  cpu %8.1f ms  peak %6.1f MiB  target %6.0f ms  %s"
          % (name, wall * 1e3, cpu * 1e3, peak / 1024, target * 1e3, verdict))
    return wall <= target


# The command line: each option with its type and default (None: it must be given).
OPTIONS = [("--climate", str, None), ("--year", str, None), ("--thirty", str, None),
           ("--repetitions", int, 9), ("--year-target", float, 0.050),
           ("--thirty-target", float, 1.0)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for name, kind, default in OPTIONS:
        parser.add_argument(name, type=kind, default=default, required=default is None)
    args = parser.parse_args()
    cores = len(os.sched_getaffinity(0))
    pin = shutil.which("taskset")
    one = [pin, "-c", "0"] if pin else []
    two = [pin, "-c", "0,1"] if pin and cores >= 2 else []
    with tempfile.TemporaryDirectory() as work:
        output = os.path.join(work, "answer.json")
        ok = measure("a year (8760 hours), one core", one + [args.climate, "--json", "--threads",
                     "1", args.year], args.repetitions, args.year_target, output)
        ok &= measure("thirty years (262968 hours), two", two + [args.climate, "--json",
                      "--threads", "2", args.thirty], max(3, args.repetitions // 3),
                      args.thirty_target, output)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
