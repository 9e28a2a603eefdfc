"""design answers as tarvel-replay answers the same design request: the golden designs and the
random ones among 10^5 random request lines."""

import json
import subprocess

import pytest

import tarvel
from conftest import SOURCE, _program, random_requests


def design_requests():
    lines = []
    for path in sorted((SOURCE / "tests" / "golden").glob("design_*.jsonl")):
        lines += path.read_bytes().splitlines()
    requests = []
    for line in lines + random_requests.requests(100000, 11):
        try:
            request = json.loads(line)
        except ValueError:
            continue
        if isinstance(request, dict) and request.get("command") == "design":
            requests.append(line)
    return requests


def test_design_answers_as_the_replay_tool():
    lines = design_requests()
    assert len(lines) > 1000
    done = subprocess.run([_program("TARVEL_REPLAY", "tarvel-replay")],
                          input=b"\n".join(lines) + b"\n", capture_output=True, check=True)
    answers = done.stdout.decode().splitlines()
    assert len(answers) == len(lines)
    for line, answer in zip(lines, answers):
        assert tarvel.design(json.loads(line)) == json.loads(answer), line


def test_design_without_the_command_key_and_bad_requests():
    request = {"pressure": "101.325", "points": [
        {"name": "<b>N</b>", "state": {"dry_bulb": "23", "rel_humidity": "60"}}]}
    assert tarvel.design(request)["points"][0]["fields"][5] == "49.86"
    assert "error" in tarvel.design({"points": []})
    assert "error" in tarvel.design([1, 2])
    with pytest.raises(TypeError):
        tarvel.design({"pressure": object()})
    with pytest.raises(TypeError):
        tarvel.design({"pressure": float("nan")})
