"""Ctrl-C stops a long calculation on arrays: KeyboardInterrupt is raised while the work is under
way, long before it could have ended, and no thread of it is left running. Each case runs in a
process of its own, which sends itself SIGINT as a terminal does."""

import json
import subprocess
import sys

import pytest

SCRIPT = r"""
import json, os, signal, sys, threading, time
import numpy as np
import tarvel

def threads_now():
    return len(os.listdir("/proc/self/task"))

rows, threads, phase = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
dry = np.linspace(-20.0, 40.0, rows)
calculate = lambda: tarvel.calculate(101.325, dry_bulb=dry, rel_humidity=50, threads=threads)
result = calculate() if phase == "texts" else None
before = threads_now()
sent = []

def interrupt():
    time.sleep(0.3)
    sent.append(time.perf_counter())
    os.kill(os.getpid(), signal.SIGINT)

sender = threading.Thread(target=interrupt)
sender.start()
try:
    if phase == "texts":
        result.texts
    else:
        calculate()
    outcome = "finished"
except KeyboardInterrupt:
    outcome = "interrupted"
ended = time.perf_counter()
sender.join()
print(json.dumps({
    "outcome": outcome, "after_signal": ended - sent[0] if sent else None,
    "threads_before": before, "threads_after": threads_now(),
    "still_answers": tarvel.calculate(101.325, dry_bulb=[20.0], rel_humidity=50).texts[0, 1]}))
"""


@pytest.mark.parametrize("threads, phase", [(1, "calculate"), (2, "calculate"), (1, "texts")])
def test_ctrl_c_stops_the_call_and_its_threads(threads, phase):
    # Four million rows take seconds on any machine; the signal comes after 0.3 s.
    done = subprocess.run([sys.executable, "-c", SCRIPT, "4000000", str(threads), phase],
                          capture_output=True, text=True, timeout=300)
    assert done.returncode == 0, done.stderr
    report = json.loads(done.stdout)
    assert report["outcome"] == "interrupted", report
    # Answered within a few milliseconds; a second is the generous bound of a busy machine.
    assert report["after_signal"] < 1.0, report
    assert report["threads_after"] == report["threads_before"], report
    assert report["still_answers"] == "13.9"
