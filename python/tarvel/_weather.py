"""read_weather: a weather file's hours as a pandas DataFrame, each hour the window's answer."""

from __future__ import annotations

import numbers
import os
from typing import TYPE_CHECKING, Any, BinaryIO, Union

from . import _tarvel
from ._arguments import ENGLISH_MESSAGE_COLUMN, FIELDS, PRESSURE

if TYPE_CHECKING:
    import pandas as pd

# A weather file: its path, or a file object opened for reading bytes.
Source = Union[str, "os.PathLike[str]", BinaryIO]
# A number of kPa or metres, or its text.
Number = Union[str, float, int]
# The columns of the frame: as the table of hours of tarvel-climate --hours, the pressure first.
_COLUMNS = (PRESSURE,) + FIELDS


def source_bytes(source: Any) -> bytes:
    """The bytes of a weather file: a path is opened and read, a file object read."""
    if isinstance(source, (str, os.PathLike)):
        with open(source, "rb") as file:
            return file.read()
    if isinstance(source, (bytes, bytearray, memoryview)):
        raise TypeError("give a weather file's path, or its bytes as a file object "
                        "(io.BytesIO(data)), not %s" % type(source).__name__)
    read = getattr(source, "read", None)
    if not callable(read):
        raise TypeError("a weather file is a path or a file object, not %s"
                        % type(source).__name__)
    data = read()
    if not isinstance(data, bytes):
        raise TypeError("the weather file must be opened for bytes (mode 'rb'); its read() gave "
                        "%s" % type(data).__name__)
    return data


def plain_number_text(value: str | numbers.Real) -> str | None:
    """The text a number or a text is typed as, if it is a plain decimal number; None if not."""
    try:
        text = _tarvel.typed_text(value)
    except ValueError:  # an infinity, which no field holds
        return None
    return text if _tarvel.is_plain_number(text) else None


def _number_text(name: str, value: Any) -> str:
    if isinstance(value, bool) or not isinstance(value, (str, numbers.Real)):
        raise TypeError("%s must be a number or its text, not %s" % (name, type(value).__name__))
    text = plain_number_text(value)
    if text is None:
        raise ValueError("%s %r is not a plain decimal number" % (name, value))
    return text


def reading_options(pressure: Number | None, elevation: Number | None) -> tuple[str, str]:
    """The pressure text (kPa) for hours without one, and the elevation's text, as tarvel-climate
    takes --pressure and --elevation; empty texts for none."""
    if pressure is not None and elevation is not None:
        raise ValueError("give the pressure or the elevation, not both")
    if pressure is not None:
        text = _number_text("pressure", pressure)
        if not _tarvel.read_number(text) > 0:
            raise ValueError("pressure %r is not a positive number of kPa, such as 101.325"
                             % (pressure,))
        return text, ""
    if elevation is not None:
        text = _number_text("elevation", elevation)
        kpa = _tarvel.pressure_at_elevation(text)
        if kpa is None:
            raise ValueError("elevation %r has no pressure in the standard atmosphere; give "
                             "metres such as 1000" % (elevation,))
        return kpa, text
    return "", ""


def hours_frame(columns: dict[str, Any], texts: bool) -> pd.DataFrame:
    """The frame of a record's hours from their columns (the compiled part's WeatherRecord)."""
    import pandas as pd

    index = pd.DatetimeIndex(columns["times"].view("datetime64[ns]"), name="time")
    cells = columns["texts"]
    if texts:
        data = {name: cells[:, c].astype(object) for c, name in enumerate(_COLUMNS)}
    else:
        data = {name: columns["values"][c] for c, name in enumerate(_COLUMNS)}
    data[ENGLISH_MESSAGE_COLUMN] = cells[:, len(_COLUMNS)].astype(object)
    frame = pd.DataFrame(data, index=index)
    frame.attrs.update(station=columns["station"], notes=columns["notes"],
                       first_hour=columns["first_hour"])
    return frame


def read_weather(source: Source, *, texts: bool = False, pressure: Number | None = None,
                 elevation: Number | None = None, threads: int | None = None) -> pd.DataFrame:
    """Read a weather file and answer every hour as the window answers that hour's numbers.

    The file is read as tarvel-climate reads it: an EPW file (the hours typed with the station
    pressure moved from Pa to kPa as text, the dry bulb and the dew point, or the relative
    humidity where the dew point is missing), or a CSV table of hours (a time column, 时间 or
    time, and the columns tarvel-batch knows). Each hour is the calculate command run on those
    texts; an hour with a missing value is never calculated, and a line that cannot be read is
    named. The file is only read.

    Parameters
    ----------
    source : str, os.PathLike or binary file object
        The weather file: its path, or a file object opened for bytes.
    texts : bool, default False
        Whether the pressure and the six fields are their texts (str, "" where a field is empty)
        rather than the values the window reads from them (float64, nan where empty), as
        ArrayResult.to_frame and calculate_frame give either.
    pressure : float, int or str, optional
        The pressure in kPa for every hour whose file gives none (an EPW 999999, an empty cell, a
        CSV without a pressure column), as tarvel-climate's --pressure.
    elevation : float, int or str, optional
        Instead of `pressure`: the site's elevation in metres, whose standard-atmosphere pressure
        (to three decimals) stands for the missing ones, as tarvel-climate's --elevation.
    threads : int or None, default None
        The most threads to calculate on; None for every core. Every hour's answer is the same on
        any number.

    Returns
    -------
    pandas.DataFrame
        One row for each hour on the hour and each line that cannot be read, in file order,
        indexed by time: a DatetimeIndex named "time" of each hour's moment as the file writes it,
        on the clock (an EPW hour 24, or a CSV 24:00, is 0:00 of the next day); NaT for a line
        whose time could not be read. A typical year keeps each month's own year, as the file
        writes it. The columns are pressure, dry_bulb, wet_bulb, rel_humidity, dew_point,
        moisture, enthalpy and message, as tarvel-climate --hours writes them: the six fields the
        command left (empty for an hour not calculated) and the hour's messages, or why it takes
        no part ("" for an hour with a state). `attrs` holds "station" (name, country, latitude,
        longitude and elevation as the file writes them, or None), "notes" (what the record
        lacks, in Chinese) and "first_hour": 1 when the file's days run from 1:00 to 24:00, 0
        when from 0:00 to 23:00, so that climate puts a midnight row into its own day.

    Raises
    ------
    FileNotFoundError, IsADirectoryError, PermissionError
        As open raises them for the path.
    ValueError
        With the core's own words for a file that is not a weather file, is empty, unreadable or
        holds no hour; for `pressure` or `elevation` that is no such number, or both given; for a
        time before 1677 or after 2262, which pandas cannot hold.
    TypeError
        For a source that is neither a path nor a binary file, and numbers of the wrong type.

    Examples
    --------
    >>> import io
    >>> csv = (b"time,pressure,dry_bulb,dew_point\\n2001-07-01 14:00,100.5,31.2,22.4\\n"
    ...        b"2001-07-01 15:00,100.5,32.0,\\n2001-07-01 16:00,100.5,40,45\\n")
    >>> hours = read_weather(io.BytesIO(csv))
    >>> shown = ["dry_bulb", "wet_bulb", "rel_humidity", "moisture"]
    >>> print(hours[shown].to_string())  # doctest: +NORMALIZE_WHITESPACE
                         dry_bulb  wet_bulb  rel_humidity  moisture
    time
    2001-07-01 14:00:00      31.2     24.87         59.66     17.23
    2001-07-01 15:00:00       NaN       NaN           NaN       NaN
    2001-07-01 16:00:00      40.0       NaN        129.91       NaN
    >>> hours["message"].tolist()
    ['', '露点温度缺测（空）', '超出区域范围']
    """
    if not isinstance(texts, bool):
        raise TypeError("texts must be True or False, not %s" % type(texts).__name__)
    fallback, metres = reading_options(pressure, elevation)
    record = _tarvel.read_weather(source_bytes(source), fallback, metres, threads)
    return hours_frame(record.columns(threads), texts)
