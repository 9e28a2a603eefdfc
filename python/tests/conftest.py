"""What the tests of the module share: this build's tarvel-replay, tarvel-batch and tarvel-climate,
and requests."""

import json
import os
import pathlib
import subprocess
import sys

import pytest

import tarvel

SOURCE = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "tools"))
sys.path.insert(0, str(SOURCE / "tests" / "climate"))
import random_requests  # noqa: E402


def _program(variable, name):
    """A program of this build: named by the environment (CTest), else beside the module."""
    path = os.environ.get(variable) or pathlib.Path(tarvel.__file__).parents[2] / "app" / name
    if not os.access(path, os.X_OK):
        pytest.fail("%s not found: set %s" % (name, variable))
    return str(path)


@pytest.fixture(scope="session")
def batch():
    return _program("TARVEL_BATCH", "tarvel-batch")


@pytest.fixture(scope="session")
def climate_program():
    return _program("TARVEL_CLIMATE", "tarvel-climate")


@pytest.fixture(scope="session")
def replay():
    """Answers calculate requests [six texts, pressure] with tarvel-replay: for each, the six texts
    after the command and the messages joined as tarvel-batch joins them, or None."""
    program = _program("TARVEL_REPLAY", "tarvel-replay")

    def answer(requests):
        lines = "".join(json.dumps({"fields": r[:6], "pressure": r[6], "command": "calculate"})
                        + "\n" for r in requests)
        done = subprocess.run([program], input=lines.encode(), capture_output=True, check=True)
        answers = [json.loads(line) for line in done.stdout.decode().splitlines()]
        assert len(answers) == len(requests) and not any("error" in a for a in answers)
        return [(a["fields"], "；".join(m["text"] for m in a["messages"]) or None) for a in answers]

    return answer


@pytest.fixture(scope="session")
def requests():
    """The golden calculate requests and those of 10^5 random request lines."""
    lines = []
    for path in sorted((SOURCE / "tests" / "golden").glob("*.jsonl")):
        lines += path.read_bytes().splitlines()
    return random_requests.calculate_texts(lines + random_requests.requests(100000, 7))
