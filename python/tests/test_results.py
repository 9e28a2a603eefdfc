"""What the Python surface adds around the core's answers: a Result is a frozen value with
equality and a repr of its floats, an ArrayResult becomes a DataFrame, and moisture content has
one name in calculate, calculate_frame and design."""

import dataclasses
import inspect
import math
import pickle

import numpy as np
import pandas as pd
import pytest

import tarvel


def test_result_is_a_frozen_value():
    r = tarvel.calculate(101.325, dry_bulb=20, rel_humidity=50)
    assert repr(r) == ("Result(dry_bulb=20.0, wet_bulb=13.9, rel_humidity=50.0, dew_point=9.28, "
                       "moisture=7.26, enthalpy=38.52, message=None, inputs=('dry_bulb', "
                       "'rel_humidity'))")
    assert eval(repr(r).replace("Result(", "dict("))["wet_bulb"] == r.wet_bulb
    with pytest.raises(dataclasses.FrozenInstanceError):
        r.wet_bulb = 0.0
    assert pickle.loads(pickle.dumps(r)) == r
    assert dataclasses.asdict(r)["texts"] == ("20", "13.9", "50", "9.28", "7.26", "38.52")


@pytest.mark.parametrize("same, other", [
    # The same typed texts however given: equal, and equal hashes.
    ((101.325, {"dry_bulb": 20, "rel_humidity": 50}),
     ("101.325", {"dry_bulb": "20", "rel_humidity": 50.0})),
    # Empty fields (nan values) do not make a result unequal to itself.
    ((101.325, {"dry_bulb": 20}), (101.325, {"dry_bulb": "20"})),
    ((None, {"dry_bulb": 20, "rel_humidity": 50}), ("", {"dry_bulb": 20.0, "rel_humidity": "50"})),
])
def test_equal_results(same, other):
    a, b = (tarvel.calculate(p, **kw) for p, kw in (same, other))
    assert a == b and hash(a) == hash(b) and len({a, b}) == 1


@pytest.mark.parametrize("kwargs", [
    {"dry_bulb": "20.0", "rel_humidity": 50},  # the text kept differs, the values agree
    {"dry_bulb": 20, "dew_point": 9.28},  # other inputs
    {"dry_bulb": 20, "rel_humidity": 51},
])
def test_unequal_results(kwargs):
    reference = tarvel.calculate(101.325, dry_bulb=20, rel_humidity=50)
    assert tarvel.calculate(101.325, **kwargs) != reference


def test_repr_of_a_message_and_empty_fields():
    r = tarvel.calculate(101.325, dry_bulb=24, wet_bulb=27)
    assert "message='超出区域范围'" in repr(r) and "dew_point=nan" in repr(r)
    assert r.texts[3] == "" and math.isnan(r.dew_point)


@pytest.mark.parametrize("shape, index", [
    ((), [0]),
    ((3,), [0, 1, 2]),
    ((2, 3), [(i, j) for i in range(2) for j in range(3)]),
])
def test_to_frame_shapes(shape, index):
    dry = np.arange(np.prod(shape), dtype=float).reshape(shape) + 15
    a = tarvel.calculate(np.array(101.325), dry_bulb=dry, rel_humidity=50.0)
    frame = a.to_frame()
    assert list(frame.index) == index
    assert list(frame.columns) == list(tarvel.FIELDS) + ["message"]
    assert frame["wet_bulb"].dtype == np.float64
    np.testing.assert_array_equal(frame["moisture"], a.moisture.reshape(-1))
    texts = a.to_frame(texts=True)
    assert texts["enthalpy"].tolist() == a.texts[..., 5].reshape(-1).tolist()


def test_to_frame_keeps_messages_and_empty_fields():
    a = tarvel.calculate(101.325, dry_bulb=[20, 24], wet_bulb=[15, 27])
    frame = a.to_frame()
    assert frame["message"].tolist() == ["", "超出区域范围"]
    assert math.isnan(frame.loc[1, "dew_point"])
    assert a.to_frame(texts=True).loc[1, "dew_point"] == ""


def test_moisture_has_one_name():
    one = tarvel.calculate(101.325, dry_bulb=20, moisture=7.26)
    assert one.inputs == ("dry_bulb", "moisture") and one.moisture == 7.26
    answer = tarvel.design({"pressure": "101.325", "points": [
        {"name": "N", "state": {"dry_bulb": "20", "moisture": "7.26"}}]})
    assert answer["points"][0]["inputs"] == {"dry_bulb": "20", "moisture": "7.26"}
    for column in ("moisture", " Moisture ", "moisture_content", "含湿量"):
        frame = pd.DataFrame({"dry_bulb": [20.0], column: [7.26]})
        result = tarvel.calculate_frame(frame, pressure=101.325)
        assert result[column].tolist() == [7.26], column
        assert result["rel_humidity"].tolist() == [49.99], column
    appended = tarvel.calculate_frame(pd.DataFrame({"dry_bulb": [20.0], "rel_humidity": [50.0]}),
                                      pressure=101.325)
    assert list(appended.columns) == ["dry_bulb", "rel_humidity", "pressure", "wet_bulb",
                                      "dew_point", "moisture", "enthalpy", "message"]
    chinese = tarvel.calculate_frame(pd.DataFrame({"干球温度": [20.0], "rel_humidity": [50.0]}),
                                     pressure=101.325)
    assert "含湿量" in chinese.columns


def test_two_moisture_columns_are_refused_by_their_own_names():
    frame = pd.DataFrame([[20.0, 7.0, 7.1]], columns=["dry_bulb", "Moisture", "moisture_content"])
    with pytest.raises(ValueError, match="第2列“Moisture”和第3列“moisture_content”是同一个参数"):
        tarvel.calculate_frame(frame, pressure=101.325)


def test_the_surface_speaks_the_cores_names():
    # The keys come from the core; the attributes, arguments and columns that users type must be
    # those keys, in the core's field order, so a key renamed there cannot leave one behind here.
    names = tarvel._tarvel.names()
    keys = names["keys"]
    assert list(tarvel.FIELDS) + ["pressure"] == keys
    assert [f.name for f in dataclasses.fields(tarvel.Result)][:6] == keys[:6]
    assert set(inspect.signature(tarvel.calculate).parameters) >= set(keys)
    frame = tarvel.calculate(101.325, dry_bulb=[20], rel_humidity=50).to_frame()
    assert list(frame.columns) == keys[:6] + [names["message_columns"][1]]
    answer = tarvel.calculate_frame(pd.DataFrame({names["columns"][1][0]: [20.0]}), pressure=99)
    assert list(answer.columns) == keys[:1] + keys[6:] + keys[1:6] + [names["message_columns"][1]]
