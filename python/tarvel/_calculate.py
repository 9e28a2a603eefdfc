"""calculate: the window's calculate command on one state or on arrays of states."""

import numpy as np

from . import _arguments, _tarvel
from ._arguments import ARGUMENT_NAMES, FIELDS, PAIRS

# Each pair code's two fields as a row of str, and two empty ones for code 0 (no pair taken).
_INPUT_TABLE = np.array([PAIRS.get(code, ("", "")) for code in range(18)])


class Result:
    """The window's fields after one calculation.

    dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy
        Each field's text as the window reads it, a float; nan where the field is empty.
    texts
        The six fields' texts, a tuple of str: results rounded to two decimals as the window
        writes them, and the texts typed where the calculation kept them.
    message
        None, or the message the window showed (several would be joined by "；", as tarvel-batch
        joins them).
    inputs
        The two fields the calculation took as its inputs, such as ("dry_bulb", "rel_humidity"):
        the first two given in field order. None when it took none (no pressure, or fewer than two
        fields given).
    """

    __slots__ = FIELDS + ("texts", "message", "inputs")

    def __init__(self, values, texts, message, inputs):
        for name, value in zip(FIELDS, values):
            setattr(self, name, value)
        self.texts = texts
        self.message = message
        self.inputs = inputs

    def __repr__(self):
        fields = ", ".join("%s=%r" % (name, text) for name, text in zip(FIELDS, self.texts))
        return "Result(%s, message=%r, inputs=%r)" % (fields, self.message, self.inputs)


class ArrayResult:
    """The window's fields after the calculation of every state of broadcast arrays.

    dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy
        float64 arrays of the broadcast shape: each field's text as the window reads it, nan where
        the field is empty. They are read-only, as the texts may be made from them: copy one to
        change it.
    texts
        An array of str of the broadcast shape with a last axis of six, the fields' texts.
        Fixed-width str (dtype "<U8", or as wide as the widest text where that is wider) when every
        text is at most 64 characters and none ends in a NUL character (which fixed-width str
        cannot keep); otherwise an array of Python str objects. When every argument is a float
        array or a scalar, the values determine every text, and the texts are made (on the call's
        threads) when texts is first read: a caller who needs only the values does not wait or
        pay memory for them.
    message
        An array of str of the broadcast shape: each calculation's message, "" where none.
    inputs
        An array of str of the broadcast shape with a last axis of two: the two fields each
        calculation took as its inputs, "" and "" where it took none.
    shape
        The broadcast shape.
    """

    __slots__ = FIELDS + ("_texts", "message", "_codes")

    def __init__(self, values, texts, message, codes):
        for name, value in zip(FIELDS, values):
            setattr(self, name, value)
        self._texts = texts  # an array, or the _tarvel.DeferredTexts that makes it
        self.message = message
        self._codes = codes

    @property
    def texts(self):
        if isinstance(self._texts, _tarvel.DeferredTexts):
            self._texts = self._texts.make()
        return self._texts

    @property
    def inputs(self):
        return _INPUT_TABLE[self._codes]

    @property
    def shape(self):
        return self._codes.shape

    def __repr__(self):
        return "ArrayResult(shape=%r, messages=%d)" % (self.shape, np.count_nonzero(self.message))


def calculate(pressure, dry_bulb=None, wet_bulb=None, rel_humidity=None, dew_point=None,
              moisture=None, enthalpy=None, *, threads=None):
    """Calculate as the window does when these fields are typed and "湿空气参数计算" is pressed.

    pressure is the local atmospheric pressure in kPa; the others are the six air parameters: dry
    bulb and wet bulb (°C), relative humidity (%), dew point (°C), moisture content (g/kg dry air)
    and enthalpy (kJ/kg dry air). The window takes the first two given in this order and derives
    the rest, each rounded to two decimals.

    Each argument is what is typed into its field:
      - a str is typed as it is, whatever it holds ("" is an empty field);
      - a float is typed as the shortest text that the window reads back as exactly that double,
        the digits of repr(x) without its ".0" (20.0 as "20", 1e16 as "1e+16");
      - an int is typed as its decimal digits;
      - None, and a float nan, leave the field empty.
    bool, bytes, complex and infinities raise TypeError or ValueError. Anything the window
    answers with a message (no pressure, one parameter, a state outside the range) is answered
    with that message in the result, never with an exception.

    With scalars only, returns a Result. Any argument may instead be a NumPy array or anything
    numpy.asarray takes (lists, pandas Series); the arguments are then broadcast together and an
    ArrayResult is returned. Floats, ints and str in arrays are typed as above, nan is an empty
    field, and an array of objects types each element by its own type. The rows are calculated in
    C++ without the GIL, on `threads` threads (default: every core this process may use); each
    row's answer is the same bits whatever the number of threads.

    >>> r = calculate(101.325, dry_bulb=20, rel_humidity=50)
    >>> r.wet_bulb, r.texts, r.message, r.inputs
    (13.9, ('20', '13.9', '50', '9.28', '7.26', '38.52'), None, ('dry_bulb', 'rel_humidity'))
    """
    arguments = [dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy, pressure]
    threads = _arguments.thread_count(threads)
    if not any(_arguments.is_array(a) for a in arguments):
        values, texts, message, code = _tarvel.calculate_row(arguments, ARGUMENT_NAMES)
        return Result(values, texts, message, PAIRS.get(code))
    prepared, shape = _arguments.broadcast(ARGUMENT_NAMES, arguments)
    values, texts, messages, codes = _tarvel.calculate_arrays(
        prepared, ARGUMENT_NAMES, shape, len(FIELDS), None, threads)
    return ArrayResult(values, texts, messages, codes)


def typed_text(value):
    """The text `value` is typed into a field as, by the rules of calculate's arguments.

    >>> typed_text(20.0), typed_text(0.1 + 0.2), typed_text(1e16), typed_text(None)
    ('20', '0.30000000000000004', '1e+16', '')
    """
    return _tarvel.typed_text(value)


def read_number(text):
    """A field's text as the window reads it, a float: leading blanks are skipped and blanks
    inside ignored, '.' is the decimal point whatever the locale, E or D starts an exponent, &H
    and &O a hexadecimal or octal integer; reading stops at the first character that cannot go on
    with the number, and text without a number reads as 0.

    >>> read_number("25℃"), read_number("1,5"), read_number("&H1A"), read_number("abc")
    (25.0, 1.0, 26.0, 0.0)
    """
    if not isinstance(text, str):
        raise TypeError("text must be a str, not %s" % type(text).__name__)
    return _tarvel.read_number(text)
