"""How the arguments of a calculation become what the compiled part types into the fields."""

import os

import numpy as np

from . import _tarvel

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


def thread_count(threads):
    """The number of threads to work on: `threads`, or every core this process may use."""
    if threads is None:
        try:
            return len(os.sched_getaffinity(0))
        except (AttributeError, OSError):
            return os.cpu_count() or 1
    if isinstance(threads, bool) or not isinstance(threads, (int, np.integer)):
        raise TypeError("threads must be an int, not %s" % type(threads).__name__)
    if threads < 1:
        raise ValueError("threads must be at least 1, not %d" % threads)
    return int(threads)


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
        array = array.astype(np.float64, copy=False)
        if np.isinf(array).any():
            raise ValueError("%s: an infinity is no number a field can hold; give finite numbers, "
                             "or nan for an empty field" % name)
    elif kind == "i":
        array = array.astype(np.int64, copy=False)
    elif kind == "u":
        array = array.astype(np.uint64, copy=False)
    elif kind == "U":
        array = array.astype(array.dtype.newbyteorder("="), copy=False)
    elif kind != "O":
        raise TypeError("%s: an array of %s cannot be typed into a field; give str or numbers"
                        % (name, array.dtype))
    return array


def broadcast(names, values):
    """The values (scalars stay as they are) as the compiled part takes them, and their shape."""
    arrays = {name: as_array(name, value) for name, value in zip(names, values) if is_array(value)}
    try:
        shape = np.broadcast_shapes(*(a.shape for a in arrays.values()))
    except ValueError:
        shapes = ", ".join("%s %s" % (name, a.shape) for name, a in arrays.items())
        raise ValueError("the arguments' shapes do not broadcast together: " + shapes) from None
    prepared = []
    for name, value in zip(names, values):
        array = arrays.get(name)
        if array is None:
            prepared.append(value)
        elif array.dtype.kind == "O":
            indexes = np.arange(array.size, dtype=np.int64).reshape(array.shape)
            prepared.append((np.ascontiguousarray(array).reshape(-1),
                             np.broadcast_to(indexes, shape)))
        else:
            prepared.append(np.broadcast_to(array, shape))
    return prepared, shape
