"""How the arguments of a calculation become what the compiled part types into the fields."""

from __future__ import annotations

from typing import TYPE_CHECKING, Union

import numpy as np

if TYPE_CHECKING:
    import numpy.typing as npt

# What one field may be given: its text, a number typed as its text, or nothing (an empty field).
Scalar = Union[str, float, int, np.floating, np.integer, None]
# One value, or values of any shape that broadcast with the other arguments.
Argument = Union[Scalar, "npt.ArrayLike"]

# The parameters in field order, Text(0) to Text(5), by the names of calculate's arguments; the
# compiled part takes them in this order with the pressure last.
FIELDS = ("dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture", "enthalpy")
ARGUMENT_NAMES = FIELDS + ("pressure",)

# The two fields of each pair code, 3 to 17, which number the pairs (i, j), i < j, in order.
PAIRS = dict(zip(range(3, 18), ((FIELDS[i], FIELDS[j]) for i in range(6) for j in range(i + 1, 6))))


def is_array(value):
    """Whether a value is an array or sequence of values rather than one value."""
    if isinstance(value, (str, bytes, np.generic)):
        return False
    return isinstance(value, (list, tuple, range, np.ndarray)) or hasattr(value, "__array__")


def as_array(name, value):
    """An array argument as an array the compiled part reads: float64, int64, uint64 or str in
    native byte order, or an array of objects, each typed by its own type."""
    array = value if isinstance(value, np.ndarray) else np.asarray(value)
    if not isinstance(value, np.ndarray) and array.dtype.kind in "US":
        # A sequence with str in it: each element is typed as itself, not as NumPy's str of it.
        array = np.asarray(value, dtype=object)
    kind = array.dtype.kind
    if kind == "f":
        if array.dtype.itemsize > 8:
            raise TypeError("%s: %s holds more than a double; convert it to float64 first"
                            % (name, array.dtype))
        return array.astype(np.float64, copy=False)
    if kind == "i":
        return array.astype(np.int64, copy=False)
    if kind == "u":
        return array.astype(np.uint64, copy=False)
    if kind == "U":
        return array.astype(array.dtype.newbyteorder("="), copy=False)
    if kind == "O":
        return array
    raise TypeError("%s: an array of %s cannot be typed into a field; give str or numbers"
                    % (name, array.dtype))


def prepared(names, values):
    """The values as the compiled part takes them: scalars as they are, arrays by as_array; the
    compiled part broadcasts the arrays together."""
    return [as_array(name, value) if is_array(value) else value
            for name, value in zip(names, values)]
