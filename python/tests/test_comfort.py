"""pmv gives ISO 7730's (GB/T 18049's) PMV and PPD, on numbers and on broadcast arrays, and is the
PMV by which climate counts the hours of its PMV zones."""

import math

import numpy as np
import pandas as pd
import pytest

import tarvel
from conftest import SOURCE

# ISO 7730:2005 Annex D, Table D.1 (GB/T 18049-2017 prints the same): run, air and mean radiant
# temperature (°C), air speed (m/s), relative humidity (%), met, clo, and the PMV and PPD it prints.
TABLE_D1 = [
    (1, 22, 22, 0.1, 60, 1.2, 0.5, -0.75, 17), (2, 27, 27, 0.1, 60, 1.2, 0.5, 0.77, 17),
    (3, 27, 27, 0.3, 60, 1.2, 0.5, 0.44, 9), (4, 23.5, 25.5, 0.1, 60, 1.2, 0.5, -0.01, 5),
    (5, 23.5, 25.5, 0.3, 60, 1.2, 0.5, -0.55, 11), (6, 19, 19, 0.1, 40, 1.2, 1.0, -0.60, 13),
    (8, 23.5, 23.5, 0.3, 40, 1.2, 1.0, 0.12, 5), (9, 23, 21, 0.1, 40, 1.2, 1.0, 0.05, 5),
    (10, 23, 21, 0.3, 40, 1.2, 1.0, -0.16, 6), (11, 22, 22, 0.1, 60, 1.6, 0.5, 0.05, 5),
    (12, 27, 27, 0.1, 60, 1.6, 0.5, 1.17, 34), (13, 27, 27, 0.3, 60, 1.6, 0.5, 0.95, 24),
]


@pytest.mark.parametrize("run, ta, tr, speed, rh, met, clo, printed_pmv, printed_ppd", TABLE_D1,
                         ids=["run %d" % row[0] for row in TABLE_D1])
def test_the_standards_worked_values(run, ta, tr, speed, rh, met, clo, printed_pmv, printed_ppd):
    comfort = tarvel.pmv(ta, rh, met=met, clo=clo, air_speed=speed, radiant=tr)
    assert round(comfort.ppd) == printed_ppd
    # The standard's program rounds runs 3 (0.4338) and 10 (−0.1662) one unit away from what the
    # table prints; every other PMV is the printed one to its two decimals.
    assert abs(comfort.pmv - printed_pmv) <= 0.01
    assert (round(comfort.pmv, 2) == printed_pmv) == (run not in (3, 10))


def test_run_7_is_the_programs_answer():
    # The table prints 0.50 and 10 % for 23.5 °C, 0.1 m/s, 40 %, 1.2 met, 1.0 clo, which the
    # standard's own program does not give however its start and tolerance are chosen (it gives
    # 0.50 and 10 % at 60 %): the answer is the program's.
    comfort = tarvel.pmv(23.5, 40, met=1.2, clo=1.0, air_speed=0.1, radiant=23.5)
    assert round(comfort.pmv, 2) == 0.36 and round(comfort.ppd) == 8
    assert round(tarvel.pmv(23.5, 60, clo=1.0).pmv, 1) == 0.5


def test_numbers_give_floats_and_arrays_broadcast():
    one = tarvel.pmv(24, 50)
    assert isinstance(one, tarvel.Comfort) and type(one.pmv) is float and type(one.ppd) is float
    pmv, ppd = one
    assert (pmv, ppd) == (one.pmv, one.ppd) and ppd >= 5
    grid = tarvel.pmv([[20], [24], [28]], pd.Series([30.0, 50.0, 70.0, 90.0]), clo=np.float32(0.5))
    assert grid.pmv.shape == grid.ppd.shape == (3, 4) and grid.pmv.dtype == np.float64
    for (i, j), value in np.ndenumerate(grid.pmv):
        assert value == tarvel.pmv(20 + 4 * i, 30 + 20 * j).pmv
    assert tarvel.pmv(np.float64(24), 50).pmv == one.pmv
    assert tarvel.pmv(np.array(24.0), 50).pmv.shape == ()
    assert tarvel.pmv(24, 50, radiant=24) == one, "the mean radiant temperature is the air's"
    assert tarvel.pmv(24, 50, radiant=20).pmv < one.pmv, "cold walls feel colder"
    speeds = tarvel.pmv(28, 50, air_speed=[0.1, 0.3, 1.0]).pmv
    assert speeds[0] > speeds[1] > speeds[2], "moving air cools"
    missing = tarvel.pmv([24, math.nan], [50, 50])
    assert math.isnan(missing.pmv[1]) and math.isnan(missing.ppd[1])
    assert missing.pmv[0] == one.pmv
    assert math.isnan(tarvel.pmv(1e300, 50).pmv), "no answer far outside any room's air"


@pytest.mark.parametrize("kwargs, error, words", [
    ({"dry_bulb": True}, TypeError, "bool"),
    ({"dry_bulb": "24"}, TypeError, "numbers"),
    ({"rel_humidity": [50, None]}, TypeError, "numbers"),
    ({"rel_humidity": 50j}, TypeError, "numbers"),
    ({"dry_bulb": np.longdouble(24)}, TypeError, "numbers"),
    ({"dry_bulb": math.inf}, ValueError, "finite"),
    ({"radiant": [20, -math.inf]}, ValueError, "radiant"),
    ({"met": 0}, ValueError, "met must be finite and above 0, not 0"),
    ({"met": [1.2, math.nan]}, ValueError, "met"),
    ({"clo": -0.1}, ValueError, "clo must be finite and at least 0"),
    ({"air_speed": math.inf}, ValueError, "air_speed"),
    ({"dry_bulb": [20, 24, 28], "rel_humidity": [50, 60]}, ValueError, "broadcast"),
])
def test_what_is_no_such_number_is_refused(kwargs, error, words):
    with pytest.raises(error, match=words):
        tarvel.pmv(**{"dry_bulb": 24, "rel_humidity": 50, **kwargs})


@pytest.mark.parametrize("settings", [None, (1.0, 0.7, 0.2)])
def test_the_pmv_zones_count_the_hours_within(settings):
    hours = tarvel.read_weather(SOURCE / "docs" / "weather" / "chicago.epw")
    states = hours[hours["message"] == ""]
    met, clo, speed = settings or (1.2, 0.5, 0.1)
    votes = tarvel.pmv(states["dry_bulb"], states["rel_humidity"], met, clo, speed).pmv
    zones = {z["name"]: z["hours"] for z in tarvel.climate(hours, pmv=settings)["zones"]}
    assert zones["PMV I级"] == np.count_nonzero(np.abs(votes) <= 0.5) > 0
    assert zones["PMV II级"] == np.count_nonzero(np.abs(votes) <= 1)

