"""pressure_at_altitude: the standard atmosphere's pressure, for the pressure field."""

from __future__ import annotations

from typing import TYPE_CHECKING, overload

import numpy as np

from . import _tarvel

if TYPE_CHECKING:
    import numpy.typing as npt


@overload
def pressure_at_altitude(  # type: ignore[misc]  # a number gives a float, an array an array
        metres: float | np.floating | np.integer) -> float: ...


@overload
def pressure_at_altitude(metres: npt.ArrayLike) -> np.ndarray: ...


def pressure_at_altitude(metres):
    """The standard atmosphere's pressure in kPa at an altitude.

    p = 101.325 · (1 − 2.25577 × 10⁻⁵ · Z)^5.2559, computed in the core's own correctly rounded
    arithmetic, so that it is the same bits on every machine (and on the web page).

    Parameters
    ----------
    metres : float, int or array_like of them
        The altitude Z in metres above sea level (negative below it).

    Returns
    -------
    float or numpy.ndarray
        A float for a number; for an array, or anything numpy.asarray takes, a float64 array of
        its shape. Above about 44 331 m, where the formula has no value, the pressure is nan.

    Raises
    ------
    TypeError
        For anything but numbers: bool, str, complex, long double.

    Examples
    --------
    >>> round(pressure_at_altitude(1000), 3)
    89.875
    >>> pressure_at_altitude([0, 1500])
    array([101.325     ,  84.55593231])
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
