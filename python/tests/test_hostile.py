"""The Python surface's part of the hostile corpus (tests/hostile/python.jsonl): each case gets an
answer or a clear TypeError or ValueError, never a crash, a hang or pybind11's own words, and the
module answers as before afterwards.

A case is one JSON line: {"case": its name, "call": a function of tarvel, "args": [...],
"kwargs": {...}, "expect": "answer", "TypeError" or "ValueError", "match": a regular expression
the message holds, "check": {"path/to/item": the value there}}. Values JSON cannot write, or that
would make the file huge, are objects of one "$" key: {"$float": "nan"}, {"$int": "1000"},
{"$repeat": [value, n]}, {"$nest": [depth, value]} (lists), {"$nestdict": [depth, key, value]},
{"$concat": [texts]}, {"$bytes": latin-1 text}, {"$utf8": text}, {"$array": [values, dtype]},
{"$frame": columns}, {"$pairs": [[key, value], ...]} (a dict whose keys need not be str),
{"$cycle": key} (a dict that holds itself under that key), {"$file": bytes} (a binary file object
holding them) and {"$path": a path in the repository}.
"""

import builtins
import io
import json

import numpy as np
import pytest

import tarvel
from conftest import SOURCE


def nest(depth, value):
    for _ in range(depth):
        value = [value]
    return value


def nest_dict(depth, key, value):
    for _ in range(depth):
        value = {key: value}
    return value


def cycle(key):
    loop = {"pressure": "101.325"}
    loop[key] = [loop]
    return loop


def frame(columns):
    import pandas as pd

    return pd.DataFrame(columns)


TAGS = {
    "$float": float,
    "$int": int,
    "$repeat": lambda a: build(a[0]) * a[1],
    "$nest": lambda a: nest(a[0], build(a[1])),
    "$nestdict": lambda a: nest_dict(a[0], a[1], build(a[2])),
    "$concat": lambda parts: "".join(build(p) for p in parts),
    "$bytes": lambda text: build(text).encode("latin-1"),
    "$utf8": lambda text: build(text).encode("utf-8"),
    "$array": lambda a: np.array(build(a[0]), dtype=a[1]),
    "$frame": lambda columns: frame(build(columns)),
    "$pairs": lambda pairs: {build(k): build(v) for k, v in pairs},
    "$cycle": cycle,
    "$file": lambda data: io.BytesIO(build(data)),
    "$path": lambda path: str(SOURCE / path),
}


def build(value):
    if isinstance(value, list):
        return [build(v) for v in value]
    if isinstance(value, dict):
        if len(value) == 1 and next(iter(value)) in TAGS:
            tag, argument = next(iter(value.items()))
            return TAGS[tag](argument)
        return {key: build(v) for key, v in value.items()}
    return value


def item(answer, path):
    """The item of an answer at a path of keys, columns, indexes and attributes."""
    for part in path.split("/") if path else []:
        if hasattr(answer, "iloc") and not hasattr(answer, "columns"):
            answer = answer.iloc[int(part)]  # a Series
        elif isinstance(answer, dict) or hasattr(answer, "columns"):
            answer = answer[part]
        elif isinstance(answer, (list, tuple, np.ndarray)):
            answer = answer[int(part)]
        else:
            answer = getattr(answer, part)
    return answer.tolist() if isinstance(answer, np.ndarray) else answer


def plain(value):
    return list(value) if isinstance(value, tuple) else value


with open(SOURCE / "tests" / "hostile" / "python.jsonl", encoding="utf-8") as corpus:
    CASES = [json.loads(line) for line in corpus]


@pytest.mark.parametrize("case", CASES, ids=[c["case"] for c in CASES])
def test_hostile_case(case):
    function = getattr(tarvel, case["call"])
    args, kwargs = build(case["args"]), build(case["kwargs"])
    if case["expect"] == "answer":
        answer = function(*args, **kwargs)
        for path, expected in case.get("check", {}).items():
            assert plain(item(answer, path)) == build(expected), path
    else:
        with pytest.raises(getattr(builtins, case["expect"]), match=case.get("match")):
            function(*args, **kwargs)
    # Whatever came before, the module answers as ever.
    assert tarvel.calculate(101.325, dry_bulb=[20.0], rel_humidity=50).texts[0, 1] == "13.9"
    answer = tarvel.design({"pressure": "101.325", "points": [
        {"name": "N", "state": {"dry_bulb": "20", "rel_humidity": "50"}}]})
    assert answer["points"][0]["fields"][3] == "9.28"


def test_corpus_covers_every_call_and_outcome():
    calls = {c["call"] for c in CASES}
    every = ("calculate", "design", "calculate_frame", "read_weather", "climate", "pmv")
    assert set(every) <= calls
    for call in every:
        outcomes = {c["expect"] for c in CASES if c["call"] == call}
        assert outcomes >= {"answer", "ValueError"}, call
