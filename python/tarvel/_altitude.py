"""pressure_at_altitude: the standard atmosphere's pressure, for the pressure field."""

import numpy as np

from . import _tarvel


def pressure_at_altitude(metres):
    """The standard atmosphere's pressure in kPa at `metres` above sea level (negative below it):
    p = 101.325 · (1 − 2.25577 × 10⁻⁵ · Z)^5.2559, computed in the core's own correctly rounded
    arithmetic, so that it is the same bits on every machine (and on the web page).

    `metres` is a number (a float is returned) or an array, or anything numpy.asarray takes, of
    numbers (a float64 array of its shape is returned). Above about 44 331 m, where the formula has
    no value, the pressure is nan.

    >>> round(pressure_at_altitude(1000), 3)
    89.875
    """
    if isinstance(metres, (bool, np.bool_)):
        raise TypeError("metres must be a number, not bool")
    array = np.asarray(metres)
    if array.dtype.kind not in "fiu" or array.dtype.itemsize > 8 and array.dtype.kind == "f":
        raise TypeError("metres must be numbers, not %s" % array.dtype)
    pressure = _tarvel.pressure_at_altitudes(array.astype(np.float64, copy=False))
    if isinstance(metres, np.ndarray) or array.ndim > 0:
        return pressure
    return float(pressure)
