#!/usr/bin/env python3
"""Completed states asked again through every pair, as replay requests (JSON Lines).

    state_requests.py --states N [--seed S] --replay REPLAY > requests.jsonl

States are drawn from a dry bulb (-70 to 110 °C) and a relative humidity (-5 to 110 %) at one of
ten pressures, typed with two decimals, as whole numbers or with three to nine decimals, and
completed by REPLAY (a tarvel-replay: the one before a change, so that both replays are asked the
same). Each state that completes without a message is then asked again through each of the
fifteen pairs of its six values as written, one value in five retyped with more digits. With
compare_replays.py --input requests.jsonl the two replays must answer alike: every pair's search
on every branch of Pb, with the answers the calculator itself writes.
Standard library only.
"""

import argparse
import json
import random
import subprocess
import sys

PRESSURES = ["101.325", "95", "85.5", "70", "50.5", "105", "110.2", "30", "200", "101"]


def typed(rng, x):
    r = rng.random()
    if r < 0.5:
        return "%.2f" % x
    if r < 0.7:
        return "%d" % round(x)
    return repr(round(x, rng.randint(3, 9)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--states", type=int, required=True, help="number of states drawn")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--replay", required=True, help="the replay that completes the states")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    states = []
    for _ in range(args.states):
        fields = [typed(rng, rng.uniform(-70, 110)), "", typed(rng, rng.uniform(-5, 110)), "", "", ""]
        states.append({"fields": fields, "pressure": rng.choice(PRESSURES), "command": "calculate"})
    answers = subprocess.run([args.replay], input="".join(json.dumps(s) + "\n" for s in states),
                             capture_output=True, text=True, check=True).stdout.splitlines()
    out = []
    for state, answer in zip(states, answers):
        completed = json.loads(answer)
        if completed.get("fault") or completed.get("messages"):
            continue
        values = completed["fields"]
        for i in range(6):
            for j in range(i + 1, 6):
                fields = [""] * 6
                for k in (i, j):
                    fields[k] = values[k]
                    if rng.random() < 0.2:
                        fields[k] = repr(float(values[k]) + rng.uniform(-0.005, 0.005))
                out.append(json.dumps({"fields": fields, "pressure": state["pressure"],
                                       "command": "calculate"}))
    sys.stdout.write("\n".join(out) + "\n")
    print("%d states, %d requests" % (len(states), len(out)), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
