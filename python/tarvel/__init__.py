"""Tarvel, the moist-air (psychrometric) calculator, in Python: the window's digits everywhere.

Tarvel's window takes the local atmospheric pressure (kPa) and any two of six air parameters —
dry-bulb and wet-bulb temperature (°C), relative humidity (%), dew-point temperature (°C),
moisture content (g/kg dry air) and enthalpy (kJ/kg dry air) — and derives the others, each
rounded to two decimals. This module is the same C++ core: every answer is the one the window
gives for the same typed texts, to the last digit, on every machine. The parameters have one name
each throughout: dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy (FIELDS), and
pressure.

calculate(pressure, dry_bulb=..., rel_humidity=..., ...)
    One state (a Result), or NumPy arrays of states broadcast together (an ArrayResult, which
    to_frame makes a pandas DataFrame), calculated without the GIL on every core.
calculate_frame(frame, pressure=None)
    A pandas DataFrame answered row by row as tarvel-batch answers a CSV table; with
    dask.dataframe's map_partitions, a table of any size on a cluster.
design(request)
    An air-conditioning design (room and outdoor states, the supply state from the room loads,
    mixing, coils, heating, humidifiers), every state the window's own answer to two texts: the
    replay tool's design answer as dicts and lists.
read_weather(path)
    A weather file (EPW, or a CSV table of hours) as a DataFrame indexed by time: every hour the
    window's answer to the file's numbers, as tarvel-climate --hours writes it.
climate(path_or_frame, month=None, hour=None, zone=None, pmv=None)
    The outdoor design conditions, the outdoor states W and the comfort zones' hours of a weather
    file or table: tarvel-climate --json's answer as dicts and lists.
pmv(dry_bulb, rel_humidity, met=1.2, clo=0.5, air_speed=0.1, radiant=None)
    Fanger's PMV and PPD (ISO 7730, GB/T 18049), as the comfort zones count them (a Comfort).
pressure_at_altitude(metres)
    The standard atmosphere's pressure in kPa, for the pressure argument.
typed_text(value), read_number(text)
    The text an argument is typed into a field as, and a field's text as the window reads it.

What the window answers with a message is answered with that message, never an exception; what no
field or request can hold raises TypeError or ValueError with a message, and Ctrl-C stops a long
calculation.

Examples
--------
>>> import tarvel
>>> r = tarvel.calculate(101.325, dry_bulb=20, rel_humidity=50)
>>> r.wet_bulb, r.dew_point, r.moisture, r.enthalpy
(13.9, 9.28, 7.26, 38.52)
>>> tarvel.calculate(101.325, dry_bulb=24, wet_bulb=27).message
'超出区域范围'
"""

from . import _tarvel
from ._altitude import pressure_at_altitude
from ._arguments import FIELDS
from ._calculate import calculate, read_number, typed_text
from ._climate import climate
from ._comfort import Comfort, pmv
from ._design import design
from ._frame import calculate_frame
from ._results import ArrayResult, Result
from ._version import __version__
from ._weather import read_weather

__all__ = ["ArrayResult", "Comfort", "FIELDS", "Result", "calculate", "calculate_frame", "climate",
           "design", "pmv", "pressure_at_altitude", "read_number", "read_weather", "typed_text",
           "__version__"]
