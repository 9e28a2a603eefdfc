"""pmv: Fanger's predicted mean vote and percentage of dissatisfied, as the comfort zones count them."""

from __future__ import annotations

from typing import TYPE_CHECKING, NamedTuple

import numpy as np

from . import _tarvel

if TYPE_CHECKING:
    import numpy.typing as npt

# The settings of the PMV zones unless given: seated office work in summer clothing, still air.
_MET, _CLO, _AIR_SPEED = _tarvel.pmv_defaults()


class Comfort(NamedTuple):
    """Fanger's thermal comfort indices of an air state.

    Attributes
    ----------
    pmv : float or numpy.ndarray
        The predicted mean vote, −3 (cold) to +3 (hot); nan where the model gives none.
    ppd : float or numpy.ndarray
        The predicted percentage of dissatisfied, 5 to 100 %; nan where the model gives none.

    Examples
    --------
    >>> import tarvel
    >>> comfort = tarvel.pmv(22, 60)
    >>> round(comfort.pmv, 2), round(comfort.ppd, 1)
    (-0.75, 16.9)
    """

    pmv: float | np.ndarray
    ppd: float | np.ndarray


def _numbers(name, value, setting):
    """An argument as a float64 array; settings must be finite, met above zero and the others at
    least zero, and temperatures and humidities finite or nan (no value)."""
    if isinstance(value, (bool, np.bool_)):
        raise TypeError("%s must be a number, not bool" % name)
    array = np.asarray(value)
    if array.dtype.kind not in "fiu" or array.dtype.kind == "f" and array.dtype.itemsize > 8:
        raise TypeError("%s must be numbers, not %s" % (name, array.dtype))
    array = array.astype(np.float64, copy=False)
    if setting:
        wrong = ~np.isfinite(array) | (array <= 0 if name == "met" else array < 0)
        if wrong.any():
            raise ValueError("%s must be finite and %s, not %r" % (
                name, "above 0" if name == "met" else "at least 0", array[wrong].flat[0]))
    elif np.isinf(array).any():
        raise ValueError("%s must be finite numbers, or nan for none" % name)
    return array


def pmv(dry_bulb: npt.ArrayLike, rel_humidity: npt.ArrayLike, met: npt.ArrayLike = _MET,
        clo: npt.ArrayLike = _CLO, air_speed: npt.ArrayLike = _AIR_SPEED,
        radiant: npt.ArrayLike | None = None) -> Comfort:
    """PMV and PPD of air, by Fanger's model as ISO 7730:2005 (GB/T 18049-2017) computes it.

    The same function gives the PMV of each hour of a weather file, for the comfort zones of
    climate (GB 50736 §3.0.4: I级 −0.5 ≤ PMV ≤ 0.5, II级 −1 ≤ PMV ≤ 1). It follows the
    standard's program of Annex D operation for operation: the vapour pressure from the relative
    humidity by the standard's own saturation formula, the clothing's surface temperature by its
    iteration, no external work. Its arithmetic is the core's correctly rounded one, so a PMV is
    the same bits on every machine.

    Parameters
    ----------
    dry_bulb : float, int or array_like
        The air temperature in °C.
    rel_humidity : float, int or array_like
        The relative humidity in %.
    met : float, int or array_like, default 1.2
        The metabolic rate in met (1 met = 58.15 W/m²); 1.2 is seated office work.
    clo : float, int or array_like, default 0.5
        The clothing's insulation in clo (1 clo = 0.155 m²·K/W); 0.5 is summer clothing.
    air_speed : float, int or array_like, default 0.1
        The relative air speed in m/s.
    radiant : float, int, array_like or None, default None
        The mean radiant temperature in °C; None for the air's, as the comfort zones take it.

    Returns
    -------
    Comfort
        (pmv, ppd): floats when every argument is a number; otherwise float64 arrays of the
        shape the arguments broadcast to, as NumPy broadcasts them. nan where a temperature or
        humidity is nan, or where the model has no answer (its iteration does not settle, far
        outside any room's air).

    Raises
    ------
    TypeError
        For anything but numbers: bool, str, complex, long double, objects.
    ValueError
        For an infinite temperature or humidity; a metabolic rate that is not above 0, clothing
        or air speed below 0, or a setting that is not finite; shapes that do not broadcast.

    Examples
    --------
    >>> p = pmv(27, 60, air_speed=0.3)
    >>> round(p.pmv, 2), round(p.ppd)
    (0.43, 9)
    >>> np.round(pmv([22, 24, 26], 50).pmv, 2)
    array([-0.81, -0.21,  0.38])
    """
    named = {"dry_bulb": dry_bulb, "rel_humidity": rel_humidity, "met": met, "clo": clo,
             "air_speed": air_speed}
    if radiant is not None:
        named["radiant"] = radiant
    arrays = {name: _numbers(name, value, name in ("met", "clo", "air_speed"))
              for name, value in named.items()}
    shaped = dict(zip(arrays, np.broadcast_arrays(*arrays.values())))
    values, dissatisfied = _tarvel.comfort(
        shaped["dry_bulb"], shaped["rel_humidity"], shaped["met"], shaped["clo"],
        shaped["air_speed"], shaped.get("radiant"))
    if all(a.ndim == 0 and not isinstance(v, np.ndarray) for a, v in
           zip(arrays.values(), named.values())):
        return Comfort(float(values), float(dissatisfied))
    return Comfort(values, dissatisfied)
