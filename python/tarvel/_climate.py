"""climate: the outdoor design conditions and the comfort zones of a weather file or table."""

from __future__ import annotations

import json
import math
import numbers
import operator
import sys
from collections.abc import Mapping, Sequence
from typing import Any, Union

import numpy as np

from . import _arguments, _frame, _tarvel
from ._arguments import ARGUMENT_NAMES
from ._weather import Number, Source, plain_number_text, reading_options, source_bytes

# A range of months or clock hours: one, (first, last) with both included, or the command's
# text ("6-8", "22-6").
Range = Union[int, str, Sequence[int]]
# Lower and upper limits of a quantity, either None for no limit.
Limits = Sequence[Union[Number, None]]

_PMV_SETTINGS = ("met", "clo", "air_speed")
_PMV_DEFAULTS = dict(zip(_PMV_SETTINGS, _tarvel.pmv_defaults()))
# What would be read as the next limit or range of the zone's text, were it in a name.
_ZONE_SEPARATORS = "=,;"
_NANOSECONDS_AN_HOUR = 3600 * 10**9


def _range_text(name: str, value: Any) -> str | None:
    """A filter as tarvel-climate's option writes it ("6-8"); the core reads and checks it."""
    if value is None:
        return None
    if isinstance(value, str):
        return _frame.label(value)
    if isinstance(value, (bool, np.bool_)):
        raise TypeError("%s must be an int, (first, last) or a text such as '6-8', not bool"
                        % name)
    try:
        if isinstance(value, Sequence):
            if len(value) != 2 or any(isinstance(v, (bool, np.bool_)) for v in value):
                raise TypeError
            return "%d-%d" % (operator.index(value[0]), operator.index(value[1]))
        return "%d" % operator.index(value)
    except TypeError:
        raise TypeError("%s must be an int, (first, last) of ints or a text such as '6-8', not %r"
                        % (name, value)) from None


def _limit_text(name: str, limit: Any) -> str:
    if limit is None:
        return ""
    if isinstance(limit, (bool, np.bool_)) or not isinstance(limit, (str, numbers.Real)):
        raise TypeError("zone: the limits of %s must be numbers or None, not %s"
                        % (name, type(limit).__name__))
    text = plain_number_text(limit)
    if text is None:
        raise ValueError("zone: %r is no plain decimal number for a limit of %s" % (limit, name))
    return text


def _zone_text(zone: Mapping[str, Limits] | str | None) -> str | None:
    """The user's zone as tarvel-climate's --zone writes it: "dry_bulb=20..26,rel_humidity=..60"."""
    if zone is None:
        return None
    if isinstance(zone, str):
        return _frame.label(zone)
    if not isinstance(zone, Mapping):
        raise TypeError("zone must be a dict of limits, such as {'dry_bulb': (20, 26)}, or "
                        "tarvel-climate's text of them, not %s" % type(zone).__name__)
    parts = []
    for name, limits in zone.items():
        if not isinstance(name, str):
            raise TypeError("zone: a limit's name must be a str, not %s" % type(name).__name__)
        if any(c in name for c in _ZONE_SEPARATORS):
            raise ValueError("zone: %r is not the name of a quantity" % name)
        if isinstance(limits, (str, bytes)) or not isinstance(limits, Sequence) or len(limits) != 2:
            raise TypeError("zone: the limits of %s must be (lower, upper), either None for no "
                            "limit, not %r" % (name, limits))
        parts.append("%s=%s..%s" % (_frame.label(name), _limit_text(name, limits[0]),
                                    _limit_text(name, limits[1])))
    return ",".join(parts)


def _setting(name: str, value: Any) -> float:
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Real):
        raise TypeError("pmv: %s must be a number, not %s" % (name, type(value).__name__))
    try:
        number = float(value)
    except OverflowError:  # an int too large for a double
        number = math.inf
    if not math.isfinite(number) or number < 0 or (name == "met" and number == 0):
        raise ValueError("pmv: %s must be a finite number %s, not %r"
                         % (name, "above 0" if name == "met" else "of at least 0", value))
    return number


def _pmv_settings(pmv: Mapping[str, float] | Sequence[float] | None) -> list[float] | None:
    """The PMV zones' metabolic rate (met), clothing (clo) and air speed (m/s)."""
    if pmv is None:
        return None
    if isinstance(pmv, Mapping):
        unknown = set(pmv) - set(_PMV_SETTINGS)
        if unknown:
            raise TypeError("pmv has no setting %r; its settings are met, clo and air_speed"
                            % sorted(map(str, unknown))[0])
        given = {**_PMV_DEFAULTS, **pmv}
    elif isinstance(pmv, Sequence) and not isinstance(pmv, (str, bytes)) and len(pmv) == 3:
        given = dict(zip(_PMV_SETTINGS, pmv))
    else:
        raise TypeError("pmv must be (met, clo, air_speed) or a dict of them, not %r" % (pmv,))
    return [_setting(name, given[name]) for name in _PMV_SETTINGS]


def _station(frame: Any, elevation: str) -> dict[str, str | None]:
    """The station of a frame as read_weather keeps it, or an unnamed one at `elevation`."""
    keys = ("name", "country", "latitude", "longitude", "elevation")
    station = frame.attrs.get("station")
    if station is None:
        return {key: (elevation or None) if key == "elevation" else None for key in keys}
    if not isinstance(station, Mapping) or not all(
            isinstance(station.get(key), (str, type(None))) for key in keys):
        raise TypeError("frame.attrs['station'] must be a dict of the station's texts (name, "
                        "country, latitude, longitude, elevation), each a str or None")
    return {key: station.get(key) for key in keys}


def _first_hour(frame: Any, times: np.ndarray) -> int:
    """1 when the frame's days run from 1:00 to 24:00, so that a row at 0:00 ends the day before;
    0 when they run from 0:00 to 23:00."""
    first_hour = frame.attrs.get("first_hour")
    if first_hour is not None:
        if first_hour not in (0, 1) or isinstance(first_hour, bool):
            raise ValueError("frame.attrs['first_hour'] must be 0 or 1, not %r" % (first_hour,))
        return int(first_hour)
    # Without it, a table that begins at 1:00 counts its hours as the hour ending then, as an EPW
    # file and most hourly records do.
    timed = times[times != np.iinfo(np.int64).min]
    return int(len(timed) > 0 and timed[0] % (24 * _NANOSECONDS_AN_HOUR) == _NANOSECONDS_AN_HOUR)


def _frame_record(frame: Any, pressure: Number | None, elevation: Number | None,
                  threads: int | None) -> Any:
    import pandas as pd

    index = frame.index
    if not isinstance(index, pd.DatetimeIndex):
        raise TypeError("the frame's index must be its times, a DatetimeIndex (such as "
                        "frame.set_index(pd.to_datetime(frame['time']))), not %s"
                        % type(index).__name__)
    if index.tz is not None:
        index = index.tz_localize(None)  # the wall clock's times, as a weather file writes them
    times = index.asi8
    layout = _frame.layout([_frame.label(name) for name in frame.columns])
    columns = layout["field_columns"]
    message = layout["message_column"]
    # The six fields, the pressure and the messages: the window's answers, taken as they stand.
    answered = message >= 0 and all(c >= 0 for c in columns)
    # Each column's cells as calculate types them: numbers as numbers, anything else cell by cell.
    cells = [None if c < 0 else _frame.column_values(frame.iloc[:, c],
                                                     _frame.is_number_column(frame.iloc[:, c]))
             for c in columns]
    names = [ARGUMENT_NAMES[f] if c < 0 else _frame.label(frame.columns[c])
             for f, c in enumerate(columns)]
    messages = None if message < 0 else frame.iloc[:, message].to_numpy(dtype=object,
                                                                        na_value=None)
    fallback, metres = reading_options(pressure, elevation)
    return _tarvel.frame_record(times, _arguments.prepared(names, cells), names, messages,
                                answered, _first_hour(frame, times), _station(frame, metres),
                                fallback, metres, threads)


def climate(source: Source | Any, month: Range | None = None, hour: Range | None = None,
            zone: Mapping[str, Limits] | str | None = None,
            pmv: Mapping[str, float] | Sequence[float] | None = None, *,
            pressure: Number | None = None, elevation: Number | None = None,
            threads: int | None = None) -> dict[str, Any]:
    """The climate of a weather file or table: what tarvel-climate --json answers, as Python objects.

    Every hour is the window's answer to that hour's numbers (read_weather), and every figure is
    computed from those answers by the core, the same function that answers tarvel-climate and
    the page: the outdoor design conditions of GB 50736-2012 §4.1 and the annual percentiles of
    the whole record, the summer and winter outdoor states W, and the hours and shares of the
    comfort zones among the hours the filters select.

    Parameters
    ----------
    source : str, os.PathLike, binary file object or pandas.DataFrame
        A weather file (EPW or CSV), or a table of hours indexed by time (a DatetimeIndex). A
        frame with the six fields, the pressure and a message column, as read_weather and
        calculate_frame return it, holds the window's answers: a row without a message and with
        all seven values is an hour with that state, any other takes no part, and the answer is
        that of the file the frame was read from. Any other frame holds what the window is typed,
        in the columns tarvel-batch knows: each row is typed and calculated as a CSV table's row
        is (the dry bulb and the first of dew point, relative humidity, wet bulb, moisture
        content and enthalpy that has a value). A row at 0:00 is the last hour of the day before
        when frame.attrs["first_hour"] is 1 (read_weather sets it), or, without it, when the
        frame begins at 1:00; rows not on the hour are skipped and a NaT row takes no part.
    month : int, (first, last) or str, optional
        The months whose hours are counted in the zones: 7, (6, 8) or "6-8", both ends included;
        a range whose first is after its last wraps round the year ((11, 2) is November to
        February). The design conditions always take the whole record.
    hour : int, (first, last) or str, optional
        The clock hours counted in the zones, 0 to 24 (24 is 0:00): (8, 18), "22-6". An EPW hour
        24 is 0:00 on the clock.
    zone : dict or str, optional
        The user's zone, counted after the built-in ones as "自定义区域": limits of dry_bulb (℃),
        rel_humidity (%), dew_point (℃) and moisture (g/kg) as (lower, upper), both included,
        None for no limit: {"dry_bulb": (20, 26), "rel_humidity": (None, 60)}; or the text
        tarvel-climate's --zone takes, "dry_bulb=20..26,rel_humidity=..60".
    pmv : (met, clo, air_speed) or dict, optional
        The PMV zones' metabolic rate (met), clothing (clo) and air speed (m/s); a dict may give
        some of "met", "clo", "air_speed" and leaves the others at 1.2 met, 0.5 clo and 0.1 m/s.
    pressure, elevation : float, int or str, optional
        The pressure (kPa) or the elevation (m) for hours without a pressure, as for read_weather.
    threads : int or None, default None
        The most threads to calculate on; None for every core.

    Returns
    -------
    dict
        Exactly what tarvel-climate --json prints: "station", "years", "hours", "missing",
        "conditions" (texts as the window writes them, None where the record cannot give one;
        "cooling", "evaporation", "dehumidification" and "heating" as lists of dicts keyed by
        "percent"), "outdoor" ("summer" and "winter": the pressure and the state W as a design
        answer writes a point, or None) and "zones" (each "name", "hours" and "share").

    Raises
    ------
    OSError
        As open raises it for the path (FileNotFoundError, IsADirectoryError, PermissionError).
    ValueError
        With the core's own words for a file that read_weather refuses, for a filter or zone the
        core cannot read ("月份“13”应是 1 到 12 之间的一个数，……"), and for a table of inputs
        without a dry bulb, a humidity or a pressure; for PMV settings, a pressure or an
        elevation that are no such numbers.
    TypeError
        For a source that is no path, file or DataFrame, a frame not indexed by time, and
        arguments of the wrong type.

    Examples
    --------
    >>> import io
    >>> rows = ["%02d:00,101.325,%d,%d" % (h, 20 + h // 3, 12) for h in range(24)]
    >>> table = io.BytesIO(("time,pressure,dry_bulb,dew_point\\n" + "".join(
    ...     "2001-06-15 " + row + "\\n" for row in rows)).encode())
    >>> answer = climate(table, hour=(8, 18), zone={"dry_bulb": (None, 24)})
    >>> answer["hours"], answer["missing"], answer["conditions"]["cooling"][0]
    (24, 0, {'percent': '0.4', 'dry_bulb': '27', 'wet_bulb': '17.79'})
    >>> [(z["name"], z["hours"], z["share"]) for z in answer["zones"]][-3:]
    [('PMV I级', 7, '63.64'), ('PMV II级', 11, '100'), ('自定义区域', 7, '63.64')]
    """
    months, hours = _range_text("month", month), _range_text("hour", hour)
    zone_text = _zone_text(zone)
    settings = _pmv_settings(pmv)
    pandas = sys.modules.get("pandas")
    if pandas is not None and isinstance(source, pandas.DataFrame):
        record = _frame_record(source, pressure, elevation, threads)
    else:
        fallback, metres = reading_options(pressure, elevation)
        record = _tarvel.read_weather(source_bytes(source), fallback, metres, threads)
    return json.loads(record.climate_answer(months, hours, zone_text, settings))
