"""What tarvel.design adds to the core's design answer: a request given as a dict (however deep),
as JSON text or as bytes reaches the core as the same line, the answer comes back as plain dicts,
lists, str and floats, and a request the core refuses raises ValueError with its words."""

import json
import math

import pytest

import tarvel
from conftest import SOURCE, random_requests
from tarvel import _design


def golden_requests():
    lines = []
    for path in sorted((SOURCE / "tests" / "golden").glob("design_*.jsonl")):
        lines += path.read_bytes().splitlines()
    requests = []
    for line in lines:
        try:
            requests.append(json.loads(line))
        except ValueError:  # a line of the replay's bad input, which is no request at all
            continue
    return requests


def random_design_requests(count):
    requests = []
    for line in random_requests.requests(20000, 11):
        try:
            request = json.loads(line)
        except ValueError:
            continue
        if isinstance(request, dict) and request.get("command") == "design":
            requests.append(request)
    return requests[:count]


def check_point(point):
    assert isinstance(point["name"], str)
    assert isinstance(point["inputs"], dict) and all(
        isinstance(k, str) and isinstance(v, str) for k, v in point["inputs"].items())
    assert len(point["fields"]) == 6 and all(isinstance(f, str) for f in point["fields"])
    for message in point["messages"]:
        assert set(message) == {"text", "icon", "title"}
    for figure in ("volume", "density"):
        assert isinstance(point.get(figure, 0.0), float) and math.isfinite(point.get(figure, 0.0))
    assert isinstance(point.get("figures", {}), dict)


def test_answers_are_plain_python_objects():
    requests = golden_requests() + random_design_requests(300)
    assert len(requests) > 200
    refused = 0
    for request in requests:
        try:
            answer = tarvel.design(request)
        except ValueError as error:
            assert str(error) and not str(error).startswith("{"), request
            refused += 1
            continue
        assert set(answer) <= {"points", "flow", "steps", "messages"} and "points" in answer, request
        for point in answer["points"]:
            check_point(point)
        assert isinstance(answer["steps"], list)
        assert isinstance(answer.get("flow", 1.0), float)
    assert 0 < refused < len(requests) / 2


def outcome(request):
    try:
        return tarvel.design(request)
    except ValueError as error:
        return str(error)


def test_dict_text_and_bytes_are_the_same_request():
    for request in golden_requests():
        line = json.dumps(request, ensure_ascii=False)
        forms = [request, line, line.encode()]
        if isinstance(request, dict):
            forms.append({k: v for k, v in request.items() if k != "command"})
        answers = [outcome(r) for r in forms]
        assert all(a == answers[0] for a in answers), line


@pytest.mark.parametrize("request_, words", [
    ({"points": []}, "缺少“pressure”"),
    ({"pressure": 101.325, "points": []}, "“pressure”须为文本"),
    ([1, 2], "设计请求须是一个 JSON 对象"),
    ("{", "设计请求不是有效的 JSON"),
    (b"\xff", "设计请求不是有效的 JSON"),
    ('{"pressure":"101.325","points":[]}\0junk', "设计请求不是有效的 JSON（在第 35 个字节处）"),
], ids=["no pressure", "a number", "a list", "no JSON", "not UTF-8", "NUL"])
def test_refused_requests_raise_the_cores_words(request_, words):
    with pytest.raises(ValueError) as raised:
        tarvel.design(request_)
    assert words in str(raised.value)


def test_a_lone_surrogate_is_read_as_the_window_reads_it():
    # A str can hold half of a UTF-16 pair, which UTF-8 cannot carry; the window hands the core
    # "?" for it, and so does every other surface.
    answer = tarvel.design({"pressure": "101.325", "points": [
        {"name": "a\ud800", "state": {"dry_bulb": "20", "rel_humidity": "50"}},
        {"name": "b", "heat": {"point": "a?", "dry_bulb": "30"}}]})
    assert [p["name"] for p in answer["points"]] == ["a?", "b"]
    assert [s["from"] for s in answer["steps"]] == ["a?"]
    assert tarvel.design('{"pressure":"\udfff","points":[]}')["points"] == []


def loop():
    request = {"pressure": "101.325", "points": []}
    request["points"].append(request)
    return request


@pytest.mark.parametrize("request_", [
    {"pressure": object()}, {"pressure": float("nan")}, {"flow": math.inf}, {"pressure": b"101"},
    {"points": {1, 2}}, {("a", 1): "x"}, loop(),
], ids=["object", "nan", "inf", "bytes", "set", "tuple key", "loop"])
def test_what_is_no_json_raises_type_error(request_):
    with pytest.raises(TypeError, match="cannot be written as JSON"):
        tarvel.design(request_)


def nested(depth, inner):
    for _ in range(depth):
        inner = [inner]
    return inner


def test_requests_deeper_than_python_recursion():
    deep = {"pressure": "101.325", "points": nested(100000, [])}
    point = tarvel.design(deep)["points"][0]
    assert point["messages"][0]["text"] == "状态点须是一个对象"
    text = '{"pressure":"101.325","points":' + "[" * 100000 + "]" * 100000 + "}"
    assert tarvel.design(text) == tarvel.design(deep)


@pytest.mark.parametrize("value", [
    {"a": [1, 2.5, -0.0, 1e308, 5e-324, True, False, None, "x\u0000y", "名"], "b": {}, "c": []},
    {1: "int key", 2.5: "float key", False: "bool key", None: "none key", "s": ("a", "tuple")},
    [[[], [{}]], {"k": [[{"k": []}]]}, "\"quoted\"\n\\"],
] + [r for r in golden_requests()], ids=lambda v: str(v)[:30])
def test_deep_writer_writes_what_json_writes(value):
    assert _design._deep_dumps(value) == _design._dumps(value)


def test_deep_writer_refuses_what_json_refuses():
    for value, error in [(loop(), ValueError), ({"x": object()}, TypeError),
                         ({"x": math.nan}, ValueError), ({(1,): 2}, TypeError)]:
        with pytest.raises(error):
            _design._deep_dumps(value)
    # The same dict twice is no loop.
    shared = {"k": "v"}
    assert _design._deep_dumps([shared, shared]) == '[{"k":"v"},{"k":"v"}]'
