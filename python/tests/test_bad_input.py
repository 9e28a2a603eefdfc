"""What no field can be given raises TypeError or ValueError; anything else is typed and answered
as the window answers it, however odd."""

import math

import numpy as np
import pandas as pd
import pytest

import tarvel


@pytest.mark.parametrize("dry_bulb, error", [
    (True, TypeError), (b"20", TypeError), (1j, TypeError), ({20}, TypeError),
    (np.longdouble(20), TypeError), (np.array([True]), TypeError), (np.array([b"20"]), TypeError),
    (np.array([1j]), TypeError), (np.array(["2020-01-01"], dtype="datetime64[D]"), TypeError),
    (np.array([20, object()], dtype=object), TypeError), ([20, [21]], ValueError),
    (math.inf, ValueError), (np.array([1.0, -math.inf]), ValueError),
    (np.frombuffer(np.uint32(0x110000).tobytes(), dtype="<U1"), ValueError),
])
def test_wrong_arguments_raise(dry_bulb, error):
    with pytest.raises(error):
        tarvel.calculate(101.325, dry_bulb=dry_bulb, rel_humidity=[50, 60])
    with pytest.raises(error):
        tarvel.calculate(101.325, dry_bulb=dry_bulb, rel_humidity=50)


@pytest.mark.parametrize("threads", [0, -1, True, np.True_, 2.0, "2", [2]],
                         ids=repr)
def test_threads_that_are_no_positive_int_raise(threads):
    for dry_bulb in (20, [20], np.arange(5000.0)):
        with pytest.raises(ValueError, match="threads must be a positive int"):
            tarvel.calculate(101.325, dry_bulb=dry_bulb, rel_humidity=50, threads=threads)
    with pytest.raises(ValueError, match="threads must be a positive int"):
        tarvel.calculate_frame(pd.DataFrame({"dry_bulb": [20]}), pressure=101.325, threads=threads)


@pytest.mark.parametrize("threads", [1, 2, np.int8(3), 10**7, 2**31, 10**100])
def test_any_positive_number_of_threads_answers_alike(threads):
    dry = np.linspace(-20, 40, 5000)
    expected = tarvel.calculate(101.325, dry_bulb=dry, rel_humidity=50, threads=1)
    result = tarvel.calculate(101.325, dry_bulb=dry, rel_humidity=50, threads=threads)
    assert np.array_equal(result.texts, expected.texts)
    one = tarvel.calculate(101.325, dry_bulb=[20.5], rel_humidity="50", threads=threads)
    scalar = tarvel.calculate(101.325, dry_bulb=20.5, rel_humidity=50)
    assert one.texts[0].tolist() == list(scalar.texts)


def test_wrong_keywords_raise():
    with pytest.raises(TypeError):
        tarvel.calculate(101.325, dry=20)
    with pytest.raises(TypeError):
        tarvel.read_number(b"20")
    with pytest.raises(ValueError, match="dry_bulb .3,., rel_humidity .2,."):
        tarvel.calculate(101.325, dry_bulb=[1, 2, 3], rel_humidity=[50, 60])


ODD_VALUES = [None, math.nan, -0.0, 0.0, 1e300, -1e-300, 5e-324, 1.7976931348623157e308, 10**400,
              "", " ", "5\0", "\0 5", "\ud800", "２０", "1e99999", "2" * 10**7, pd.NA, np.float32(0.1)]


@pytest.mark.parametrize("dry_bulb", ODD_VALUES, ids=lambda v: repr(v)[:20])
def test_odd_values_are_answered_as_the_window_answers_their_text(dry_bulb, replay):
    text = tarvel.typed_text(dry_bulb)
    one = tarvel.calculate(101.325, dry_bulb=dry_bulb, rel_humidity="50")
    assert one.texts[0] == text
    array = tarvel.calculate([101.325, "101.325"], dry_bulb=np.array([dry_bulb] * 2, dtype=object),
                             rel_humidity="50")
    assert array.texts.tolist() == [list(one.texts)] * 2
    assert array.message.tolist() == [one.message or ""] * 2
    if "\ud800" not in text:
        assert replay([[text, "", "50", "", "", "", "101.325"]]) == [(list(one.texts), one.message)]


def test_arrays_of_every_layout_answer_alike():
    dry = np.linspace(-20, 40, 24)
    expected = tarvel.calculate(101.325, dry_bulb=dry, rel_humidity=50)
    layouts = [dry.astype(">f8"), np.repeat(dry, 3)[::3], list(dry), pd.Series(dry),
               dry.astype(object), np.array([tarvel.typed_text(x) for x in dry]).astype(">U20"),
               np.asfortranarray(dry.reshape(4, 6)), np.ascontiguousarray(dry.reshape(6, 4).T).T]
    for layout in layouts:
        result = tarvel.calculate(101.325, dry_bulb=layout, rel_humidity=50)
        shape = np.shape(layout)
        assert np.array_equal(result.texts, expected.texts.reshape(shape + (6,)))
        assert np.array_equal(result.wet_bulb, expected.wet_bulb.reshape(shape))


def test_empty_and_zero_size_broadcasts():
    empty = tarvel.calculate(101.325, dry_bulb=np.array([]), rel_humidity=50)
    assert empty.texts.shape == (0, 6) and empty.message.shape == (0,) and empty.dry_bulb.shape == (0,)
    zero = tarvel.calculate(np.ones((3, 1)), dry_bulb=np.zeros((0,)), rel_humidity=50)
    assert zero.texts.shape == (3, 0, 6) and zero.inputs.shape == (3, 0, 2)
    scalar = tarvel.calculate(np.array(101.325), dry_bulb=20, rel_humidity=50)
    assert scalar.texts.shape == (6,) and scalar.message.shape == () and scalar.message == ""


def test_texts_that_a_fixed_width_cannot_hold():
    result = tarvel.calculate(101.325, dry_bulb=["5\0", "2" * 10**7, "20"], rel_humidity=50)
    assert result.texts.dtype == object
    assert result.texts[:, 0].tolist() == ["5\0", "2" * 10**7, "20"]
    assert result.message.tolist() == ["", "数值运算错误", ""]
    assert tarvel.calculate(101.325, dry_bulb=["20", "x" * 64], rel_humidity=50).texts.dtype == "<U64"


def test_missing_cells_of_pandas_are_empty_fields():
    dry = pd.Series([20, None, 25], dtype="Int64")
    humidity = pd.Series(["50", pd.NA, None], dtype="string")
    result = tarvel.calculate(101.325, dry_bulb=dry, rel_humidity=humidity)
    assert result.texts[:, :3].tolist() == [["20", "13.9", "50"], ["", "", ""], ["25", "", ""]]
