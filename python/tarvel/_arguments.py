"""How the arguments of a calculation become what the compiled part types into the fields."""

from __future__ import annotations

from typing import TYPE_CHECKING, Union

import numpy as np

from . import _tarvel

if TYPE_CHECKING:
    import numpy.typing as npt

# What one field may be given: its text, a number typed as its text, or nothing (an empty field).
Scalar = Union[str, float, int, np.floating, np.integer, None]
# One value, or values of any shape that broadcast with the other arguments.
Argument = Union[Scalar, "npt.ArrayLike"]

# The core's names, said once there: each field's key (calculate's argument names, the attributes
# of its results, the columns of the module's frames), and tarvel-batch's column names.
_NAMES = _tarvel.names()
# The fields by key in field order, Text(0) to Text(5), then the pressure; the compiled part takes
# the arguments in this order.
ARGUMENT_NAMES: tuple[str, ...] = tuple(_NAMES["keys"])
FIELDS: tuple[str, ...] = ARGUMENT_NAMES[:-1]
PRESSURE = ARGUMENT_NAMES[-1]
# tarvel-batch's column names by field (as ARGUMENT_NAMES), and its message column's, in the
# window's Chinese and in English.
CHINESE_COLUMNS: tuple[str, ...] = tuple(_NAMES["columns"][0])
ENGLISH_COLUMNS: tuple[str, ...] = tuple(_NAMES["columns"][1])
CHINESE_MESSAGE_COLUMN, ENGLISH_MESSAGE_COLUMN = _NAMES["message_columns"]

# The two fields of each pair code, 3 to 17, which number the pairs (i, j), i < j, in order.
PAIRS = dict(zip(range(3, 18), ((FIELDS[i], FIELDS[j]) for i in range(len(FIELDS))
                                for j in range(i + 1, len(FIELDS)))))


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
