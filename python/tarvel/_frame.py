"""calculate_frame: a pandas table of air states answered as tarvel-batch answers a CSV table."""

from __future__ import annotations

from typing import TYPE_CHECKING

import numpy as np

from . import _arguments, _tarvel
from ._arguments import ARGUMENT_NAMES, ENGLISH_COLUMNS, PRESSURE, Scalar

if TYPE_CHECKING:
    import pandas as pd

_PRESSURE = ARGUMENT_NAMES.index(PRESSURE)
# A field is called by its key throughout the module, in a table too (moisture content is
# `moisture`); where tarvel-batch's English column name differs (moisture_content), that is read as
# well. A header is read by tarvel-batch's own rules, which know the latter only.
_BATCH_NAMES = {key: column for key, column in zip(ARGUMENT_NAMES, ENGLISH_COLUMNS)
                if key != column}


def is_number_column(column):
    import pandas as pd

    return pd.api.types.is_numeric_dtype(column.dtype) and not pd.api.types.is_bool_dtype(
        column.dtype)


def column_values(column, numbers):
    """A column's cells as calculate types them: numbers as numbers, anything else cell by cell;
    a missing cell (None, nan, pandas' NA) is an empty field."""
    if numbers:
        return column.to_numpy(dtype=np.float64, na_value=np.nan)
    return column.to_numpy(dtype=object, na_value=None)


def label(name):
    """A column's name as a message shows it: a lone surrogate, which no message can hold, as its
    escape."""
    return str(name).encode("utf-8", "backslashreplace").decode("utf-8")


def layout(names):
    """tarvel-batch's reading of the header, with a key read as its column name (`moisture` as
    moisture_content), and the appended columns named in the header's language: the window's
    captions, or calculate's argument names."""
    read = [_BATCH_NAMES.get(name.strip(" \t").lower(), name) for name in names]
    try:
        found = _tarvel.map_columns(read)
    except ValueError as error:
        message = str(error)
        for i, (name, batch_name) in enumerate(zip(names, read)):
            if batch_name != name:  # the column as the caller named it
                message = message.replace("第%d列“%s”" % (i + 1, batch_name),
                                          "第%d列“%s”" % (i + 1, name))
        raise ValueError(message) from None
    if not found["chinese"]:
        found["appended"] = [(f, ARGUMENT_NAMES[f]) for f, _ in found["appended"]]
    return found


def calculate_frame(frame: pd.DataFrame, pressure: Scalar = None, *,
                    threads: int | None = None) -> pd.DataFrame:
    """Answer every row of a pandas DataFrame as tarvel-batch answers every row of a CSV table.

    Columns are found by the names tarvel-batch accepts: the window's captions 当地大气压力,
    干球温度, 湿球温度, 相对湿度, 露点温度, 含湿量, 湿空气焓 or pressure, dry_bulb, wet_bulb,
    rel_humidity, dew_point, moisture_content, enthalpy (any case, blanks around them ignored),
    and calculate's own name for the moisture content, moisture; the message column is 提示 or
    message; other columns pass through. Each row's cells are typed into the fields as calculate
    types its arguments, the calculate command runs, and the row's field cells then hold the
    fields, as the window shows them.

    Parameters
    ----------
    frame : pandas.DataFrame
        The table; any partition of a larger one alike, so dask.dataframe's map_partitions can run
        it on a cluster.
    pressure : str, float, int or None, default None
        The pressure in kPa (a number or a plain decimal str) typed where a row's own pressure
        cell is empty or the table has no pressure column, as tarvel-batch's --pressure is.
    threads : int or None, default None
        The most threads to calculate on, as for calculate.

    Returns
    -------
    pandas.DataFrame
        A new table: the input's columns, then the fields the input lacks (the pressure first,
        then the parameters in the window's order) named in the language of the input's first
        known name (the window's captions, or calculate's argument names: pressure, dry_bulb,
        wet_bulb, rel_humidity, dew_point, moisture, enthalpy), then the message column "提示" or
        "message" if the input has none. The message column holds each row's messages, joined by
        "；", and "" where there was none.

        Numbers in, numbers out: when every field column the table has holds numbers (int or float
        dtypes), the field columns of the answer are float64, each cell the window's reading of
        its field and nan for an empty one. Otherwise they hold the fields' texts, cell for cell
        the text tarvel-batch writes: a table read with pd.read_csv(path, dtype=str,
        keep_default_na=False) gets back exactly the cells tarvel-batch writes for that file.

    Raises
    ------
    TypeError
        When `frame` is not a DataFrame, or a cell holds what no field can be given.
    ValueError
        With tarvel-batch's own words, for a table with no known column or with two columns of one
        field; when there is no pressure at all, `pressure` is no plain number, or a cell holds an
        infinity.
    KeyboardInterrupt
        When Ctrl-C is pressed during the calculation.

    Examples
    --------
    >>> import pandas as pd
    >>> log = pd.DataFrame({"time": ["08:00", "09:00"], "dry_bulb": [18.5, 35.2],
    ...                     "rel_humidity": [72.0, None]})
    >>> answer = calculate_frame(log, pressure=101.325)
    >>> list(answer.columns)
    ['time', 'dry_bulb', 'rel_humidity', 'pressure', 'wet_bulb', 'dew_point', 'moisture', 'enthalpy', 'message']
    >>> answer["moisture"].tolist(), answer["message"].tolist()
    ([9.56, nan], ['', '请输入两个以上空气参数'])
    """
    import pandas as pd

    if not isinstance(frame, pd.DataFrame):
        raise TypeError("frame must be a pandas DataFrame, not %s" % type(frame).__name__)
    header = layout([label(name) for name in frame.columns])
    columns = header["field_columns"]
    fallback = None
    if pressure is not None:
        fallback = _tarvel.typed_text(pressure)
        if not _tarvel.is_plain_number(fallback):
            raise ValueError("pressure %r is not a number of kPa, such as 101.325" % (pressure,))
    elif columns[_PRESSURE] < 0:
        raise ValueError("the table has no pressure column (当地大气压力 or pressure): give the "
                         "pressure in kPa, such as pressure=101.325")

    numbers = all(is_number_column(frame.iloc[:, c]) for c in columns if c >= 0)
    arguments = [None if c < 0 else column_values(frame.iloc[:, c], numbers) for c in columns]
    # A cell no field can hold is reported under its column's name.
    names = [ARGUMENT_NAMES[f] if c < 0 else label(frame.columns[c])
             for f, c in enumerate(columns)]
    # A table of numbers gets the values back; its texts are not made at all.
    values, texts, messages, _ = _tarvel.calculate_arrays(
        _arguments.prepared(names, arguments), names, len(ARGUMENT_NAMES), fallback, threads,
        texts=not numbers)
    if numbers:
        cells = list(values)
    else:
        if isinstance(texts, _tarvel.DeferredTexts):
            texts = texts.make()
        assert texts is not None  # they were asked for
        cells = [column.astype(object) for column in np.moveaxis(texts, -1, 0)]

    answer = frame.copy()
    for f, column in enumerate(columns):
        if column >= 0:
            answer.isetitem(column, cells[f])
    for f, name in header["appended"]:
        answer.insert(len(answer.columns), name, cells[f], allow_duplicates=True)
    messages = messages.astype(object)
    if header["message_column"] >= 0:
        answer.isetitem(header["message_column"], messages)
    else:
        answer.insert(len(answer.columns), header["message_name"], messages, allow_duplicates=True)
    return answer
