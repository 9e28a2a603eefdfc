#!/usr/bin/env python3
"""tarvel-batch's wall time on a table of typical rows against the calculate command alone.

    batch_ratio.py --batch BATCH --reference REFERENCE --table FILE [--repetitions N]
                   [--stream-gigabytes G] [--target RATIO]

REFERENCE (tarvel-batch-reference) times the calculate command alone on the table's rows, held in
memory, on one core (CPU seconds). tarvel-batch then answers the table from the file: with its
output on standard output redirected to a file, and with -o (which syncs the file to disk before
putting it in place). Each is run N times; the medians and their ratio to the reference are
printed, and the exit status is 1 when the standard-output ratio is above the target. With
--stream-gigabytes, G GB of rows are also streamed through a pipe and the program's peak resident
memory is printed. Standard library only.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time


def wait(process):
    """The CPU seconds and peak resident memory (KiB) of a finished child."""
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("%s exited with status %d" % (" ".join(process.args), process.returncode))
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def timed(command, stdout):
    """Wall seconds, CPU seconds and peak resident memory (KiB) of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=stdout, stderr=subprocess.DEVNULL)
    cpu, peak = wait(process)
    return time.perf_counter() - start, cpu, peak


def stream(batch, gigabytes):
    """Peak memory while G GB of short rows go through tarvel-batch on a pipe."""
    row = b"101.325,20,," + b"x" * 200 + b"\n"
    chunk = row * (1 << 14)
    total = int(gigabytes * 1e9)
    process = subprocess.Popen([batch], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    process.stdin.write(b"pressure,dry_bulb,rel_humidity,note\n")
    written = 0
    while written < total:
        process.stdin.write(chunk)
        written += len(chunk)
    process.stdin.close()
    return written, wait(process)[1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--batch", required=True)
    parser.add_argument("--reference", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--stream-gigabytes", type=float, default=0)
    parser.add_argument("--target", type=float, default=0.75)
    args = parser.parse_args()

    done = subprocess.run([args.reference, "time", args.table, str(args.repetitions)],
                          capture_output=True, text=True, check=True)
    print(done.stdout, end="")
    reference = float(done.stdout.split("median_cpu_seconds")[1])
    rows = int(done.stdout.split()[1])

    output = args.table + ".answers"
    runs = {"stdout": [], "-o": []}
    peak = 0
    for _ in range(args.repetitions):
        with open(output, "wb") as sink:
            wall, cpu, run_peak = timed([args.batch, args.table], sink)
        runs["stdout"].append((wall, cpu))
        peak = max(peak, run_peak)
        wall, cpu, run_peak = timed([args.batch, "-o", output, args.table], subprocess.DEVNULL)
        runs["-o"].append((wall, cpu))
        peak = max(peak, run_peak)
    os.remove(output)

    print("rows %d, %d cores; calculate command alone on one core: %.3f s CPU (median)"
          % (rows, len(os.sched_getaffinity(0)), reference))
    ratios = {}
    for name, times in runs.items():
        wall = statistics.median(t[0] for t in times)
        cpu = statistics.median(t[1] for t in times)
        ratios[name] = wall / reference
        print("tarvel-batch, output %-6s wall %.3f s (median of %d: %s), CPU %.3f s, "
              "ratio to the reference %.2f"
              % (name, wall, len(times), " ".join("%.3f" % t[0] for t in times), cpu,
                 ratios[name]))
    print("peak resident memory of tarvel-batch on the table: %.1f MB" % (peak / 1024))
    if args.stream_gigabytes > 0:
        written, streamed_peak = stream(args.batch, args.stream_gigabytes)
        print("peak resident memory streaming %.1f GB through a pipe: %.1f MB"
              % (written / 1e9, streamed_peak / 1024))
    if ratios["stdout"] > args.target:
        print("ratio %.2f is above the target %.2f" % (ratios["stdout"], args.target))
        return 1
    print("ratio %.2f is within the target %.2f" % (ratios["stdout"], args.target))
    return 0


if __name__ == "__main__":
    sys.exit(main())
