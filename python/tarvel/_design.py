"""design: the process design answer of the replay tool, as Python objects."""

import json

from . import _tarvel


def design(request):
    """Answer a design request, a dict as the replay tool's design request is written in JSON, with
    the replay tool's design answer as Python objects (dicts, lists, str, numbers)."""
    line = json.dumps(request, ensure_ascii=False, allow_nan=False)
    return json.loads(_tarvel.design_answer(line))
