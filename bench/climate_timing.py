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
import subprocess
import sys
import tempfile
import time


def timed(command, output):
    """Wall seconds, CPU seconds and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    with open(output, "wb") as out:
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("%s failed" % " ".join(command))
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def measure(name, command, repetitions, target, output):
    runs = [timed(command, output) for _ in range(repetitions)]
    wall = statistics.median(r[0] for r in runs)
    cpu = statistics.median(r[1] for r in runs)
    peak = max(r[2] for r in runs)
    verdict = "ok" if wall <= target else "MISSED"
    print("%-34s wall %8.1f ms  cpu %8.1f ms  peak %6.1f MiB  target %6.0f ms  %s"
          % (name, wall * 1e3, cpu * 1e3, peak / 1024, target * 1e3, verdict))
    return wall <= target


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--climate", required=True)
    parser.add_argument("--year", required=True)
    parser.add_argument("--thirty", required=True)
    parser.add_argument("--repetitions", type=int, default=9)
    parser.add_argument("--year-target", type=float, default=0.050)
    parser.add_argument("--thirty-target", type=float, default=1.0)
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
