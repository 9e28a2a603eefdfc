"""calculate_frame: a pandas table of air states answered as tarvel-batch answers a CSV table."""

import numpy as np

from . import _arguments, _tarvel

# calculate_frame's arguments in the compiled part's order, named after the columns.
_COLUMN_ARGUMENTS = ("dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture_content",
                     "enthalpy", "pressure")
_PRESSURE = 6


def _is_number_column(column):
    import pandas as pd

    return pd.api.types.is_numeric_dtype(column.dtype) and not pd.api.types.is_bool_dtype(
        column.dtype)


def _column_values(column, numbers):
    """A column's cells as calculate types them: numbers as numbers, anything else cell by cell;
    a missing cell (None, nan, pandas' NA) is an empty field."""
    if numbers:
        return column.to_numpy(dtype=np.float64, na_value=np.nan)
    return column.to_numpy(dtype=object, na_value=None)


def calculate_frame(frame, pressure=None, *, threads=None):
    """Answer every row of a pandas DataFrame as tarvel-batch answers every row of a CSV table.

    Columns are found by the names tarvel-batch accepts: the window's captions 当地大气压力,
    干球温度, 湿球温度, 相对湿度, 露点温度, 含湿量, 湿空气焓 or pressure, dry_bulb, wet_bulb,
    rel_humidity, dew_point, moisture_content, enthalpy (any case, blanks around them ignored),
    and the message column 提示 or message; other columns pass through. Each row's cells are typed
    into the fields as calculate types its arguments, the calculate command runs, and the row's
    field cells then hold the fields, as the window shows them. `pressure` (kPa, a number or a
    plain decimal str) is typed where a row's own pressure cell is empty or the table has no
    pressure column, as tarvel-batch's --pressure is.

    Returns a new DataFrame: the input's columns, then the fields the input lacks (the pressure
    first, then the parameters in the window's order) named in the language of the input's first
    known name, then the message column "提示" or "message" if the input has none. The message
    column holds each row's messages, joined by "；", and "" where there was none.

    Numbers in, numbers out: when every field column the table has holds numbers (int or float
    dtypes), the field columns of the answer are float64, each cell the window's reading of its
    field and nan for an empty one. Otherwise they hold the fields' texts, cell for cell the text
    tarvel-batch writes; a table read with pd.read_csv(path, dtype=str, keep_default_na=False)
    gets back exactly the cells tarvel-batch writes for that file.

    Raises ValueError, with tarvel-batch's own words, for a table with no known column or with two
    columns of one field, and when there is no pressure at all. pandas is imported only here.
    Works on any partition of a larger table alike, so dask.dataframe's map_partitions can run it
    on a cluster.
    """
    import pandas as pd

    if not isinstance(frame, pd.DataFrame):
        raise TypeError("frame must be a pandas DataFrame, not %s" % type(frame).__name__)
    layout = _tarvel.map_columns([str(name) for name in frame.columns])
    columns = layout["field_columns"]
    fallback = None
    if pressure is not None:
        fallback = _tarvel.typed_text(pressure)
        if not _tarvel.is_plain_number(fallback):
            raise ValueError("pressure %r is not a number of kPa, such as 101.325" % (pressure,))
    elif columns[_PRESSURE] < 0:
        raise ValueError("the table has no pressure column (当地大气压力 or pressure): give the "
                         "pressure in kPa, such as pressure=101.325")
    threads = _arguments.thread_count(threads)

    numbers = all(_is_number_column(frame.iloc[:, c]) for c in columns if c >= 0)
    arguments = [None if c < 0 else _column_values(frame.iloc[:, c], numbers) for c in columns]
    prepared, shape = _arguments.broadcast(_COLUMN_ARGUMENTS, arguments)
    # A table of numbers gets the values back; its texts are not made at all.
    values, texts, messages, _ = _tarvel.calculate_arrays(
        prepared, _COLUMN_ARGUMENTS, shape, len(_COLUMN_ARGUMENTS), fallback, threads,
        texts=not numbers)

    answer = frame.copy()
    cells = [values[f] if numbers else texts[:, f].astype(object) for f in range(len(columns))]
    for f, column in enumerate(columns):
        if column >= 0:
            answer.isetitem(column, cells[f])
    for f, name in layout["appended"]:
        answer.insert(len(answer.columns), name, cells[f], allow_duplicates=True)
    messages = messages.astype(object)
    if layout["message_column"] >= 0:
        answer.isetitem(layout["message_column"], messages)
    else:
        answer.insert(len(answer.columns), layout["message_name"], messages, allow_duplicates=True)
    return answer
