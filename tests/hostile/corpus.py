"""The hostile corpus's data files (tests/hostile/<surface>.jsonl, described in README.md beside
this file): reading the cases, expanding their generators, writing a request as its JSON text and
matching an answer against what a case expects. Standard library only; imported by every runner.
"""

import json
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def cases(surface):
    """The cases of tests/hostile/<surface>.jsonl, in order, each a dict with its "case" name."""
    found = []
    path = HERE / (surface + ".jsonl")
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.strip():
            case = json.loads(line)
            if not isinstance(case, dict) or not isinstance(case.get("case"), str):
                raise ValueError("%s:%d: a case is an object with its name in \"case\""
                                 % (path, number))
            found.append(case)
    if not found:
        raise ValueError("%s holds no case" % path)
    return found


def expand(value):
    """A value of a case with its generators expanded:
    {"repeat": X, "times": N}  X N times: a text repeated, a list's items repeated, or N copies of X
    {"join": [X, ...]}         the texts one after the other, or the lists' items
    {"hex": "ff fe"}           bytes, as str holding them surrogate-escaped (see as_bytes)
    {"numbered": T, "from": A, "to": B}
                               the lines T with {n} as A, A + 1, ..., B, each with its line feed
    {"raw": X}                 only inside a request: the text X written into its JSON as it is
    Anything else is itself, with its members expanded."""
    if isinstance(value, list):
        return [expand(item) for item in value]
    if not isinstance(value, dict):
        return value
    if set(value) == {"repeat", "times"}:
        item = expand(value["repeat"])
        if isinstance(item, str):
            return item * value["times"]
        if isinstance(item, list):
            return item * value["times"]
        return [item] * value["times"]
    if set(value) == {"join"}:
        parts = [expand(item) for item in value["join"]]
        if all(isinstance(part, list) for part in parts):
            return [item for part in parts for item in part]
        return "".join(parts)
    if set(value) == {"numbered", "from", "to"}:
        template = expand(value["numbered"])
        return "".join(template.replace("{n}", str(n)) + "\n"
                       for n in range(value["from"], value["to"] + 1))
    if set(value) == {"hex"}:
        return bytes.fromhex(value["hex"]).decode("utf-8", "surrogateescape")
    if set(value) == {"raw"}:
        return Raw(expand(value["raw"]))
    return {key: expand(item) for key, item in value.items()}


class Raw(str):
    """Text written into a request's JSON text as it is (a nesting too deep to build as a value,
    a number JSON cannot hold)."""


def request_text(value):
    """The JSON text of an expanded request, compact, with its Raw parts as they are. Lone
    surrogates in texts are written as \\u escapes, as a JSON writer of UTF-16 strings does."""
    if isinstance(value, Raw):
        return str(value)
    if isinstance(value, dict):
        return "{" + ",".join(json.dumps(key) + ":" + request_text(item)
                              for key, item in value.items()) + "}"
    if isinstance(value, list):
        return "[" + ",".join(request_text(item) for item in value) + "]"
    return json.dumps(value, ensure_ascii=not isinstance(value, str) or has_lone_surrogate(value))


def has_lone_surrogate(text):
    return any(0xD800 <= ord(c) <= 0xDFFF for c in text)


def as_bytes(text):
    """A text as the bytes a file or a line holds: UTF-8, with the bytes of {"hex"} as they
    are."""
    return text.encode("utf-8", "surrogateescape")


def mismatch(expected, actual, where="answer"):
    """Where `actual` differs from what a case expects, in words, or None. An object expected
    names only the members that matter (others may be there); a list must have as many items,
    each as expected; {"starts": T} is a text that begins with T; anything else must be equal."""
    if isinstance(expected, dict) and set(expected) == {"starts"}:
        if isinstance(actual, str) and actual.startswith(expected["starts"]):
            return None
        return "%s: %s does not start with %r" % (where, shorten(actual), expected["starts"])
    if isinstance(expected, dict):
        if not isinstance(actual, dict):
            return "%s: %s is not an object" % (where, shorten(actual))
        for key, item in expected.items():
            if key not in actual:
                return "%s: no %r" % (where, key)
            found = mismatch(item, actual[key], "%s.%s" % (where, key))
            if found:
                return found
        return None
    if isinstance(expected, list):
        if not isinstance(actual, list) or len(actual) != len(expected):
            return "%s: %s is not a list of %d" % (where, shorten(actual), len(expected))
        for index, (item, got) in enumerate(zip(expected, actual)):
            found = mismatch(item, got, "%s[%d]" % (where, index))
            if found:
                return found
        return None
    if expected != actual or type(expected) is not type(actual):
        return "%s: %s, expected %s" % (where, shorten(actual), shorten(expected))
    return None


def shorten(value, most=300):
    text = json.dumps(value, ensure_ascii=False) if not isinstance(value, str) else repr(value)
    return text if len(text) <= most else text[:most] + "… (%d characters)" % len(text)
