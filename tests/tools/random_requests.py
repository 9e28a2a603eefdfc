#!/usr/bin/env python3
"""Random requests for tarvel-replay's protocol (JSON Lines), to compare two replays.

    random_requests.py --count N [--seed S] > requests.jsonl

The same count and seed always give the same bytes. Most lines are calculate commands on one of
the fifteen pairs of parameters (sometimes with more fields filled, or too few), with texts typed
the way people type them and the way nobody should: blanks, signs, E and D exponents, &H and &O,
trailing units and letters, unicode, empty and blank fields, huge and tiny numbers, pressures that
read as zero or below. A few are clear commands, two in a hundred are designs of air
conditioning (random processes between random states, some of them broken), and about one in a
hundred is not a valid request (bad JSON, wrong types, broken UTF-8), since both replays must
answer those alike too.
Standard library only.
"""

import argparse
import json
import random
import sys

PARAMETERS = 6
PAIRS = [(i, j) for i in range(PARAMETERS) for j in range(i + 1, PARAMETERS)]

# Plausible ranges of dry bulb, wet bulb, relative humidity, dew point, moisture content and
# enthalpy; values outside them come from the odd texts below.
RANGES = [(-40, 60), (-40, 45), (0, 100), (-50, 40), (0, 40), (-30, 160)]

# Texts that are not plain numbers, each read by its own rule (or as 0).
ODD_TEXTS = [
    " ", "  ", "\t", "\n", "abc", "-", "+", ".", "-.", "+.", "1e", "1e+", "e5", "E", "D1",
    "1,5", "1.2.3", "--5", "+-5", "5-", "1e2", "1E-2", "1d2", "1D+2", "2.5e+1", ".5", "5.",
    "&H", "&O", "&h1A", "&o17", "&H7FFFFFFF", "&HFFFFFFFFFFFFFFFFFFFF", "&O777", "&O8", "&X1",
    "&", "& H10", "&H 1 0", "0x1A", "1_000", "NaN", "nan", "inf", "-Infinity", "１２", "٣",
    "\u00a05", "\u30005", "5\u200b", "\u00005", "5\u0000", "\u0001", "\u007f", "\r5", "25℃",
    "50％", "12 .5", " 1 2 . 5 ", "- 5", "1 e 2", "🌡️", "😀5", "5😀", "二十", "é", "\ufeff5",
    "1e308", "-1e308", "1.8e308", "1e309", "1e400", "-1e400", "1e-320", "4.9e-324", "1e-400",
    "2.5e-324", "1e99999999999999999999", "1e-99999999999999999999", "0.125", "0.375", "-0",
    "-0.001", "0.005", "0.015", "1.005", "99.995", "9" * 400, "0." + "0" * 330 + "1",
    "1" + "0" * 309, "3" * 40 + "." + "3" * 40,
]
ODD_PRESSURES = [
    "0", "0.0", "-0", "-101.325", "-1", "abc", " ", "kPa", "1e-300", "1e-320", "1e306",
    "1e308", "1e400", "0.001", "1", "1000", "&H65", "101,325", "101.325kPa", " 101.325 ",
    "1 01.325", "1.01325E2", "1.01325D+2", "１０１",
]
# Lines that are not valid requests.
BAD_LINES = [
    b"", b"not json", b"{", b"[1,2]", b"null", b"42", b'"text"', b"{}",
    b'{"fields":["","","","","",""],"pressure":"1"}',
    b'{"fields":["","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["",1,"","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["","","","","",""],"pressure":1,"command":"calculate"}',
    b'{"fields":["","","","","",""],"pressure":"1","command":"solve"}',
    b'{"fields":["","","","","",""],"pressure":"1","command":null}',
    b'{"fields":"","pressure":"1","command":"clear"}',
    b'{"fields":["","","","","",""],"pressure":"1","command":"clear"} trailing',
    b'{"fields":["","","","","",""],"pressure":"1","command":"clear"}{}',
    b'{"fields":["\xff","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\xc3","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\xed\xa0\x80","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\\ud800","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\\udc00x","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\\u00","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["\t","","","","",""],"pressure":"1","command":"calculate"}',
    b'{"fields":["a\x01","","","","",""],"pressure":"1","command":"calculate"}',
    b"\xef\xbb\xbf{}",
    b'{"fields":["","","","","",""],"pressure":"1","command":"calculate","fields":[]}',
]


def number_text(rng, value):
    """A number as someone might type it."""
    style = rng.random()
    if style < 0.55:
        return format(value, ".%df" % rng.choice([0, 1, 1, 2, 2, 2, 3, 6]))
    if style < 0.65:
        return repr(value)
    if style < 0.72:
        mantissa, exponent = ("%.*e" % (rng.randint(0, 5), value)).split("e")
        letter = rng.choice("EeDd")
        exponent = int(exponent)
        sign = rng.choice(["", "+"]) if exponent >= 0 else "-"
        return "%s%s%s%s" % (mantissa, letter, sign, abs(exponent))
    if style < 0.75:
        whole = int(abs(value))
        return rng.choice(["&H%X", "&h%x", "&O%o", "&o%o"]) % whole
    if style < 0.85:
        text = format(value, ".2f")
        return rng.choice([" ", "\t", "\n", "  "]) + text + rng.choice(["", " ", "\t"])
    if style < 0.90:
        text = format(value, ".2f")
        cut = rng.randint(0, len(text))
        return text[:cut] + " " + text[cut:]
    if style < 0.93:
        return ("+" if value >= 0 else "") + format(value, ".2f")
    text = format(value, ".2f")
    return text + rng.choice(["℃", "%", "％", "g/kg", "kJ/kg", "abc", ",5", "e", "E+", "😀"])


def field_text(rng, index):
    if rng.random() < 0.12:
        return rng.choice(ODD_TEXTS)
    low, high = RANGES[index]
    return number_text(rng, rng.uniform(low, high))


def pressure_text(rng):
    roll = rng.random()
    if roll < 0.03:
        return ""
    if roll < 0.10:
        return rng.choice(ODD_PRESSURES)
    return number_text(rng, rng.uniform(60, 110) if rng.random() < 0.9 else rng.uniform(-5, 1e4))


def given_fields(rng):
    """The indexes of the parameter fields to fill."""
    roll = rng.random()
    if roll < 0.04:
        return set(rng.sample(range(PARAMETERS), rng.randint(0, 1)))
    if roll < 0.08:
        return set(range(PARAMETERS))
    given = set(rng.choice(PAIRS))
    for index in range(PARAMETERS):
        if index not in given and rng.random() < 0.1:
            given.add(index)
    return given


def design_text(rng, low, high):
    """A value of a design, mostly plausible, sometimes odd."""
    if rng.random() < 0.05:
        return rng.choice(ODD_TEXTS)
    return number_text(rng, rng.uniform(low, high))


def design_point(rng, name, names):
    """A random process from random earlier states (which may be missing or broken)."""
    def earlier():
        return rng.choice(names) if rng.random() < 0.95 else rng.choice(["X", name, ""])
    kind = rng.randrange(7)
    if kind == 0:
        body = {"point": earlier(), "rel_humidity": design_text(rng, 85, 98),
                "moisture_of": earlier()}
        return {"name": name, "coil": body}
    if kind == 1:
        return {"name": name, "heat": {"point": earlier(), "dry_bulb_of": earlier()}}
    if kind == 2:
        body = {"point": earlier(), "power": design_text(rng, -20, 30)}
        if rng.random() < 0.5:
            body["flow"] = design_text(rng, 0.1, 3)
        return {"name": name, "heat": body}
    if kind == 3:
        target = ("rel_humidity", design_text(rng, 20, 98)) if rng.random() < 0.5 \
            else ("moisture_of", earlier())
        return {"name": name, rng.choice(["spray", "steam"]): {"point": earlier(),
                                                              target[0]: target[1]}}
    if kind == 4:
        return {"name": name, "mix": [{"point": earlier(), "flow": design_text(rng, 0.1, 2)}
                                      for _ in range(rng.randint(1, 3))]}
    if kind == 5:
        return {"name": name, "supply": {"room": earlier(),
                                         "heat_load": design_text(rng, -30, 40),
                                         "moisture_load": design_text(rng, 0, 4),
                                         "difference": design_text(rng, -12, 12)}}
    return {"name": name, "state": {"dry_bulb_of": earlier(),
                                    "rel_humidity": design_text(rng, 10, 100)}}


def design_request(rng):
    """A design: a room, outdoor air, then random processes."""
    points = [
        {"name": "N", "state": {"dry_bulb": design_text(rng, 16, 30),
                                "rel_humidity": design_text(rng, 30, 75)}},
        {"name": "W", "state": {"dry_bulb": design_text(rng, -25, 40),
                                "wet_bulb": design_text(rng, -25, 30)}},
    ]
    for index in range(rng.randint(1, 8)):
        points.append(design_point(rng, "P%d" % index, [p["name"] for p in points]))
    body = {"command": "design", "pressure": pressure_text(rng), "points": points}
    if rng.random() < 0.3:
        body["flow"] = number_text(rng, rng.uniform(0.2, 5))
    return json.dumps(body, ensure_ascii=rng.random() < 0.2).encode("utf-8")


def request(rng):
    if rng.random() < 0.01:
        return rng.choice(BAD_LINES)
    if rng.random() < 0.02:
        return design_request(rng)
    given = given_fields(rng)
    fields = [field_text(rng, index) if index in given else "" for index in range(PARAMETERS)]
    body = {
        "fields": fields,
        "pressure": pressure_text(rng),
        "command": "clear" if rng.random() < 0.06 else "calculate",
    }
    items = list(body.items())
    if rng.random() < 0.05:
        rng.shuffle(items)
    compact = rng.random() < 0.5
    text = json.dumps(dict(items), ensure_ascii=rng.random() < 0.2,
                      separators=(",", ":") if compact else (", ", ": "))
    line = text.encode("utf-8")
    return line + b"\r" if rng.random() < 0.01 else line


def requests(count, seed):
    """`count` request lines (bytes, without their line feed) for `seed`."""
    rng = random.Random(seed)
    return [request(rng) for _ in range(count)]


def calculate_texts(lines):
    """The seven texts (Text(0) to Text(5), then the pressure) of each line that is a valid
    calculate request whose texts are all UTF-8: a lone surrogate is no text for tarvel-replay's
    answer or for a CSV table."""
    requests = []
    for line in lines:
        try:
            request = json.loads(line)
            texts = request["fields"] + [request["pressure"]]
            if request["command"] != "calculate" or len(texts) != 7:
                continue
            if not all(isinstance(t, str) for t in texts):
                continue
            for t in texts:
                t.encode("utf-8")
        except (ValueError, KeyError, TypeError, UnicodeEncodeError, AttributeError):
            continue
        requests.append(texts)
    return requests


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, required=True, help="number of requests")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    args = parser.parse_args()
    out = sys.stdout.buffer
    for line in requests(args.count, args.seed):
        out.write(line + b"\n")


if __name__ == "__main__":
    main()
