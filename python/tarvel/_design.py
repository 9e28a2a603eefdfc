"""design: an air-conditioning design answered as the replay tool answers it."""

import json

from . import _tarvel


def design(request):
    """Answer an air-conditioning design: the replay tool's design answer as Python objects.

    `request` is a dict written as the replay tool's design request is in JSON (README, "The
    design request"): "pressure" (the pressure field's text), optionally "flow", and "points", a
    list of named states, each given by one process ("state", "mix", "heat", "coil", "spray",
    "steam", "supply") whose values are texts, read as the window reads its fields. The
    "command": "design" key may be present or not.

    Returns the answer's dict: "points" (each with "name", "inputs", "fields", "messages",
    "volume", "density" and, for a supply state, "figures"), "flow" and "steps"; or {"error": ...}
    for a request that is not a design. A point's problem is a message on that point, as in the
    window, never an exception. Raises TypeError for a request that cannot be written as JSON.

    >>> import tarvel
    >>> answer = tarvel.design({"pressure": "101.325", "points": [
    ...     {"name": "N", "state": {"dry_bulb": "23", "rel_humidity": "60"}},
    ...     {"name": "H", "heat": {"point": "N", "dry_bulb": "30"}}]})
    >>> [p["fields"] for p in answer["points"]]
    [['23', '17.83', '60', '14.83', '10.52', '49.86'], ['30', '20.17', '39.74', '14.82', '10.52', '57.03']]
    """
    try:
        line = json.dumps(request, ensure_ascii=False, allow_nan=False)
    except ValueError as error:
        raise TypeError(f"the design request cannot be written as JSON: {error}") from None
    return json.loads(_tarvel.design_answer(line))
