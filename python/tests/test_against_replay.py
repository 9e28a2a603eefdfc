"""calculate on scalars, arrays and broadcast arrays answers as the window does: byte for byte the
texts tarvel-replay answers for the same typed texts, its messages, and the values the texts read
as; the same bits on any number of threads."""

import math

import numpy as np
import pytest

import tarvel

NAMES = tarvel.FIELDS


def arguments(requests):
    """calculate's arguments for the requests, each an object array of the typed texts."""
    columns = np.array(requests, dtype=object).T
    return columns[6], dict(zip(NAMES, columns[:6]))


def check_values(values, texts):
    for value, text in zip(values, texts):
        expected = tarvel.read_number(text) if text else math.nan
        assert value == expected or math.isnan(value) and math.isnan(expected), (value, text)


def test_scalars(requests, replay):
    for request, (texts, message) in zip(requests, replay(requests)):
        result = tarvel.calculate(request[6], **dict(zip(NAMES, request)))
        assert (list(result.texts), result.message) == (texts, message), request
        check_values([getattr(result, name) for name in NAMES], texts)


def test_arrays(requests, replay):
    pressure, fields = arguments(requests)
    result = tarvel.calculate(pressure, **fields)
    answers = replay(requests)
    assert result.texts.tolist() == [texts for texts, _ in answers]
    assert result.message.tolist() == [message or "" for _, message in answers]
    sample = slice(0, None, 97)
    for row, texts in zip(np.stack([getattr(result, n) for n in NAMES], -1)[sample],
                          result.texts[sample]):
        check_values(row, texts)


def test_inputs_are_the_first_two_fields_given(requests):
    pressure, fields = arguments(requests[:3000])
    result = tarvel.calculate(pressure, **fields)
    for request, inputs in zip(requests, result.inputs.tolist()):
        given = [name for name, text in zip(NAMES, request) if text][:2]
        assert inputs == (given if len(given) == 2 and request[6] else ["", ""])


def test_broadcast_against_scalars():
    dry = np.array([[-20.0], [0.0], [21.5], [35.25]])
    humidity = np.array(["5", "50", " 97.5", "abc", ""])
    result = tarvel.calculate("101.325", dry_bulb=dry, rel_humidity=humidity)
    assert result.texts.shape == (4, 5, 6) and result.message.shape == (4, 5)
    for i, j in np.ndindex(4, 5):
        one = tarvel.calculate("101.325", dry_bulb=dry[i, 0], rel_humidity=humidity[j])
        assert result.texts[i, j].tolist() == list(one.texts)
        assert result.message[i, j] == (one.message or "")


@pytest.mark.parametrize("threads", [2, 3, 16])
def test_same_bits_on_any_number_of_threads(requests, threads):
    pressure, fields = arguments(requests[:20000])
    one, many = (tarvel.calculate(pressure, threads=n, **fields) for n in (1, threads))
    for name in NAMES:
        assert np.array_equal(getattr(one, name).view(np.uint64), getattr(many, name).view(np.uint64))
    assert np.array_equal(one.texts, many.texts) and np.array_equal(one.message, many.message)


@pytest.mark.parametrize("pressure", [101.325, "101.325"])
def test_texts_made_later_from_float_arrays_are_those_typed_now(pressure):
    """Float arrays and scalars: the texts are made from the values when first read. They must be
    those of the same numbers typed one by one (an object array takes the texts as it goes), in
    all three forms of the array: 8 wide, wider, and of objects."""
    rng = np.random.default_rng(3)
    dry = np.array([round(x, int(k)) for x, k in zip(rng.uniform(-60, 70, 3000),
                                                     rng.integers(0, 6, 3000))])
    dry[::97] = np.nan
    dry[5::101] = -0.0
    rh = rng.uniform(-5, 110, 3003)
    wide = np.array([1e300, 123456.789, 5e-324])
    for scalar_text in [None, "25℃", "9" * 70]:
        for dry_bulb in (dry, np.concatenate([dry, wide])):
            moisture = rh[: len(dry_bulb)] / 7
            later = tarvel.calculate(pressure, dry_bulb=dry_bulb, rel_humidity=rh[: len(dry_bulb)],
                                     moisture=moisture, enthalpy=scalar_text, threads=3)
            with pytest.raises(ValueError):
                later.dry_bulb[0] = 1.0
            now = tarvel.calculate(pressure, dry_bulb=dry_bulb.astype(object),
                                   rel_humidity=rh[: len(dry_bulb)].astype(object),
                                   moisture=moisture.astype(object), enthalpy=scalar_text)
            assert later.texts.dtype == now.texts.dtype
            assert later.texts.tolist() == now.texts.tolist()
            for name in NAMES:
                assert np.array_equal(getattr(later, name), getattr(now, name), equal_nan=True)
