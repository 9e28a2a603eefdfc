"""calculate: the window's calculate command on one state or on arrays of states."""

from __future__ import annotations

from typing import overload

from . import _arguments, _tarvel
from ._arguments import ARGUMENT_NAMES, FIELDS, PAIRS, Argument, Scalar
from ._results import ArrayResult, Result


@overload
def calculate(  # type: ignore[misc]  # scalars alone give a Result, any array an ArrayResult
        pressure: Scalar, dry_bulb: Scalar = None, wet_bulb: Scalar = None,
        rel_humidity: Scalar = None, dew_point: Scalar = None, moisture: Scalar = None,
        enthalpy: Scalar = None, *, threads: int | None = None) -> Result: ...


@overload
def calculate(
        pressure: Argument, dry_bulb: Argument = None, wet_bulb: Argument = None,
        rel_humidity: Argument = None, dew_point: Argument = None, moisture: Argument = None,
        enthalpy: Argument = None, *, threads: int | None = None) -> ArrayResult: ...


def calculate(pressure, dry_bulb=None, wet_bulb=None, rel_humidity=None, dew_point=None,
              moisture=None, enthalpy=None, *, threads=None):
    """Calculate as the window does when these fields are typed and "湿空气参数计算" is pressed.

    The window takes the first two parameters given, in the order of the arguments below, and
    derives the rest, each rounded to two decimals. Anything the window answers with a message
    (no pressure, one parameter, a state outside the range) is answered with that message in the
    result, never with an exception.

    Parameters
    ----------
    pressure : str, float, int, None or array_like
        The local atmospheric pressure in kPa.
    dry_bulb, wet_bulb : str, float, int, None or array_like
        The dry-bulb and wet-bulb temperatures in °C.
    rel_humidity : str, float, int, None or array_like
        The relative humidity in %.
    dew_point : str, float, int, None or array_like
        The dew-point temperature in °C.
    moisture : str, float, int, None or array_like
        The moisture content in g/kg dry air.
    enthalpy : str, float, int, None or array_like
        The enthalpy in kJ/kg dry air.
    threads : int or None, default None
        For arrays: the most threads to calculate on; None for every core this process may use.
        No more threads are used than there are cores and blocks of 1024 rows. Each row's answer
        is the same bits whatever the number.

    Returns
    -------
    Result or ArrayResult
        A Result when every argument is a scalar; else an ArrayResult of the broadcast shape.

    Raises
    ------
    TypeError
        For an argument no field can be given: bool, bytes, complex, long double, or an array of
        such.
    ValueError
        For an infinity, a code point above U+10FFFF in an array of str, shapes that do not
        broadcast together, and `threads` that is not a positive int or None.
    KeyboardInterrupt
        When Ctrl-C is pressed during a calculation on arrays; no thread of it goes on.

    Notes
    -----
    Each argument is what is typed into its field: a str as it is, whatever it holds ("" is an
    empty field); a float as the shortest text that the window reads back as exactly that
    double, the digits of repr(x) without its ".0" (20.0 as "20", 1e16 as "1e+16"); an int as
    its decimal digits; None, a float nan and pandas' NA leave the field empty.

    Any argument may instead be a NumPy array or anything numpy.asarray takes (lists, pandas
    Series); the arguments are then broadcast together as NumPy broadcasts them, and the rows are
    calculated in C++ without the GIL. Floats, ints and str in arrays are typed as above, nan is
    an empty field, and an array of objects types each element by its own type. Ctrl-C stops a
    long call within a few milliseconds.

    Examples
    --------
    >>> r = calculate(101.325, dry_bulb=20, rel_humidity=50)
    >>> r.wet_bulb, r.texts, r.message, r.inputs
    (13.9, ('20', '13.9', '50', '9.28', '7.26', '38.52'), None, ('dry_bulb', 'rel_humidity'))
    >>> calculate(101.325, dry_bulb=24, wet_bulb=27).message
    '超出区域范围'
    >>> calculate(101.325, dry_bulb=[20, 25], rel_humidity=50).moisture
    array([7.26, 9.88])
    """
    given = locals()
    arguments = [given[name] for name in ARGUMENT_NAMES]  # in the core's field order
    if not any(_arguments.is_array(a) for a in arguments):
        values, texts, message, code = _tarvel.calculate_row(arguments, ARGUMENT_NAMES, threads)
        return Result(*values, texts=texts, message=message, inputs=PAIRS.get(code))
    values, texts, messages, codes = _tarvel.calculate_arrays(
        _arguments.prepared(ARGUMENT_NAMES, arguments), ARGUMENT_NAMES, len(FIELDS), None,
        threads)
    return ArrayResult(values, texts, messages, codes)


def typed_text(value: Scalar) -> str:
    """The text a value is typed into a field as, by the rules of calculate's arguments.

    Parameters
    ----------
    value : str, float, int or None
        One argument of calculate.

    Returns
    -------
    str
        The field's text: a str as it is, a float as the shortest text that reads back as it,
        an int as its digits, "" for None and nan.

    Raises
    ------
    TypeError
        For what no field can be given (bool, bytes, complex, ...).
    ValueError
        For an infinity.

    Examples
    --------
    >>> typed_text(20.0), typed_text(0.1 + 0.2), typed_text(1e16), typed_text(None)
    ('20', '0.30000000000000004', '1e+16', '')
    """
    return _tarvel.typed_text(value)


def read_number(text: str) -> float:
    """A field's text as the window reads it.

    Leading blanks are skipped and blanks inside ignored, "." is the decimal point whatever the
    locale, E or D starts an exponent, &H and &O a hexadecimal or octal integer; reading stops at
    the first character that cannot go on with the number, and text without a number reads as 0.

    Parameters
    ----------
    text : str
        A field's text.

    Returns
    -------
    float
        The double nearest to the number read; an infinity where it is too large for one.

    Raises
    ------
    TypeError
        When `text` is not a str.

    Examples
    --------
    >>> read_number("25℃"), read_number("1,5"), read_number("&H1A"), read_number("abc")
    (25.0, 1.0, 26.0, 0.0)
    """
    if not isinstance(text, str):
        raise TypeError("text must be a str, not %s" % type(text).__name__)
    return _tarvel.read_number(text)
