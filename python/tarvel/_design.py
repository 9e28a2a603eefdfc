"""design: an air-conditioning design answered as the replay tool answers it."""

from __future__ import annotations

import functools
import json
from typing import Any

from . import _tarvel

# The request as the page writes it (JSON.stringify): no blanks, characters as they are. A lone
# surrogate, which UTF-8 cannot carry, is then written as its JSON escape, as every surface writes
# it, so that the core answers the same text the same way wherever it comes from.
_dumps = functools.partial(json.dumps, ensure_ascii=False, allow_nan=False,
                           separators=(",", ":"))
_END = object()


def _key_text(key):
    """A dict key as json.dumps writes it (it turns int, float, bool and None keys into str)."""
    return _dumps(key) if isinstance(key, str) else _dumps({key: 0})[1:-3]


def _deep_dumps(value):
    """_dumps's text for a value nested deeper than Python's recursion allows json to go: the
    containers are walked with a stack of their own, and everything else is written by json."""
    out = []
    stack = []  # [container's id, its items, whether it is a dict, its closing text, first?]
    open_ids = set()

    def write(item):
        if isinstance(item, (dict, list, tuple)):
            if id(item) in open_ids:
                raise ValueError("Circular reference detected")
            open_ids.add(id(item))
            is_dict = isinstance(item, dict)
            out.append("{" if is_dict else "[")
            stack.append([id(item), iter(item.items() if is_dict else item), is_dict,
                          "}" if is_dict else "]", True])
        else:
            out.append(_dumps(item))

    write(value)
    while stack:
        frame = stack[-1]
        item = next(frame[1], _END)
        if item is _END:
            stack.pop()
            open_ids.discard(frame[0])
            out.append(frame[3])
            continue
        if not frame[4]:
            out.append(",")
        frame[4] = False
        if frame[2]:
            out.append(_key_text(item[0]) + ":")
            item = item[1]
        write(item)
    return "".join(out)


def _request_line(request):
    """The request as the UTF-8 line the core reads."""
    if isinstance(request, (bytes, bytearray, memoryview)):
        return bytes(request)
    if isinstance(request, str):
        text = request
    else:
        try:
            try:
                text = _dumps(request)
            except RecursionError:
                text = _deep_dumps(request)
        except (TypeError, ValueError) as error:
            raise TypeError("the design request cannot be written as JSON: %s" % error) from None
    return text.encode("utf-8", "backslashreplace")


def design(request: dict[str, Any] | str | bytes) -> dict[str, Any]:
    """Answer an air-conditioning design: the replay tool's design answer as Python objects.

    Parameters
    ----------
    request : dict, str or bytes
        The design request (README, "The design request"): a dict as its JSON is written, or the
        JSON text itself (a str, or UTF-8 bytes as they are). It holds "pressure" (the pressure
        field's text), optionally "flow", and "points", a list of named states, each given by one
        process ("state", "mix", "heat", "coil", "spray", "steam", "supply") whose values are
        texts, read as the window reads its fields. The "command": "design" key may be present
        or not. However deep a dict is nested, and whatever its str hold, it is answered as the
        replay tool answers the line that json.dumps(request, ensure_ascii=False,
        separators=(",", ":")) writes, a lone surrogate as its JSON escape "\\udXXX" (which the
        core reads as "?", as the window reads such a character).

    Returns
    -------
    dict
        The answer: "points" (each with "name", "inputs", "fields", "messages", "volume",
        "density" and, for a supply state, "figures"), "flow" and "steps", and "messages" where
        the design as a whole has something to say (a given flow it did not use). A point's
        problem is a message on that point, as in the window, never an exception.

    Raises
    ------
    ValueError
        With the core's own words, for a request it refuses as a whole: text that is not JSON
        (bytes that are not UTF-8, a NUL byte), JSON that is not a design
        request.
    TypeError
        For a request that cannot be written as JSON: a value that is no JSON value (bytes,
        objects, nan and infinities), or a container that holds itself.

    Examples
    --------
    >>> import tarvel
    >>> answer = tarvel.design({"pressure": "101.325", "points": [
    ...     {"name": "N", "state": {"dry_bulb": "23", "rel_humidity": "60"}},
    ...     {"name": "H", "heat": {"point": "N", "dry_bulb": "30"}}]})
    >>> [p["fields"] for p in answer["points"]]
    [['23', '17.83', '60', '14.83', '10.52', '49.86'], ['30', '20.17', '39.74', '14.82', '10.52', '57.03']]
    >>> tarvel.design({"points": []})
    Traceback (most recent call last):
    ValueError: 缺少“pressure”
    """
    answer = json.loads(_tarvel.design_answer(_request_line(request)))
    if isinstance(answer, dict) and list(answer) == ["error"]:
        raise ValueError(answer["error"])
    return answer
