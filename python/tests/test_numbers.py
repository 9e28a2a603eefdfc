"""Numbers given to calculate are typed as the shortest text that the window reads back as exactly
that double (repr's digits, no ".0"); the pressure of the standard atmosphere."""

import math
import random
import struct

import numpy as np
import pytest

import tarvel


def random_doubles(count, seed=5):
    """Finite doubles of every kind: any bits, and shortest texts of 17 digits, from 1e16 up and
    below 1e-5 (subnormals among them)."""
    rng = random.Random(seed)
    kinds = [
        lambda: struct.unpack("<d", rng.getrandbits(64).to_bytes(8, "little"))[0],
        lambda: rng.uniform(-100, 100),
        lambda: rng.uniform(1e16, 1e22) * rng.choice([1, 1e100]),
        lambda: rng.uniform(0, 1e-5) * rng.choice([1, 1e-200, 1e-310]),
        lambda: round(rng.uniform(-50, 150), rng.randint(0, 3)),
        # Four to six decimals, as loggers and unit conversions give them, up to 2^33 and down to
        # the smallest that repr writes plainly, 1e-4.
        lambda: round(rng.uniform(-1, 1) * rng.choice([1e-3, 1, 1e5, 2.0**33]), rng.randint(4, 6)),
    ]
    values = []
    while len(values) < count:
        x = rng.choice(kinds)()
        if math.isfinite(x):
            values.append(rng.choice([x, -x]))
    return values


def repr_without_point_zero(x):
    text = repr(x)
    return text[:-2] if text.endswith(".0") else text


def test_typed_text_reads_back_as_the_same_double():
    values = random_doubles(200000)
    digits = [len(repr(abs(x)).split("e")[0].replace(".", "").strip("0")) for x in values]
    assert digits.count(17) > 10000
    assert sum(abs(x) >= 1e16 for x in values) > 10000 and sum(abs(x) < 1e-5 for x in values) > 10000
    for x in values + [0.0, -0.0, 5e-324, 1.7976931348623157e308, 0.1, 1e16, 1e-5, 2.0**46]:
        text = tarvel.typed_text(x)
        assert text == repr_without_point_zero(x)
        assert struct.pack("<d", tarvel.read_number(text)) == struct.pack("<d", x), text


def test_calculate_types_numbers_as_their_text():
    values = random_doubles(20000, seed=6)
    array = np.array(values)
    result = tarvel.calculate(101.325, dry_bulb=array, rel_humidity=50)
    assert result.texts[:, 0].tolist() == [repr_without_point_zero(x) for x in values]
    for x in values[:2000]:
        one = tarvel.calculate(101.325, dry_bulb=x, rel_humidity=50)
        assert one.texts[0] == repr_without_point_zero(x)
        assert struct.pack("<d", one.dry_bulb) == struct.pack("<d", x)
    integers = [0, -7, 2**53 + 1, -(2**63), 10**30]
    assert list(tarvel.calculate(101.325, dry_bulb=integers, rel_humidity=50).texts[:, 0]) == [
        str(i) for i in integers]
    assert tarvel.calculate(101.325, dry_bulb=np.uint64(2**64 - 1), rel_humidity=50).texts[0] == (
        str(2**64 - 1))


def test_values_are_the_texts_read_back():
    """Each field's value is its text as the window reads it, to the bit: the texts typed and the
    texts the command wrote, on random states given by random pairs."""
    rng = np.random.default_rng(8)
    count = 20000
    dry = np.array([round(x, int(d)) for x, d in zip(rng.uniform(-40, 50, count),
                                                     rng.integers(0, 7, count))])
    rh = np.round(rng.uniform(5, 100, count), 2)
    result = tarvel.calculate(np.round(rng.uniform(85, 105, count), 3), dry_bulb=dry,
                              rel_humidity=rh)
    other = tarvel.calculate(101.325, dew_point=result.dew_point, enthalpy=result.enthalpy)
    for r in (result, other):
        values = np.stack([getattr(r, name) for name in tarvel.FIELDS], -1).reshape(-1)
        texts = r.texts.reshape(-1).tolist()
        read = np.array([tarvel.read_number(t) if t else np.nan for t in texts])
        differ = np.flatnonzero(values.view(np.uint64) != read.view(np.uint64))
        assert differ.size == 0, [(texts[i], values[i]) for i in differ[:5]]


def test_pressure_at_altitude():
    assert round(tarvel.pressure_at_altitude(1000), 3) == 89.875
    assert tarvel.pressure_at_altitude(0) == 101.325
    metres = np.linspace(-500, 11000, 1001).reshape(7, 143)
    pressure = tarvel.pressure_at_altitude(metres)
    assert pressure.shape == metres.shape and pressure.dtype == np.float64
    exact = 101.325 * (1 - 2.25577e-5 * metres) ** 5.2559
    assert np.allclose(pressure, exact, rtol=1e-14, atol=0)
    assert [tarvel.pressure_at_altitude(m) for m in metres.flat[::97]] == list(pressure.flat[::97])
    assert math.isnan(tarvel.pressure_at_altitude(50000))
    for wrong in ("1000", True, [1j]):
        with pytest.raises(TypeError):
            tarvel.pressure_at_altitude(wrong)
