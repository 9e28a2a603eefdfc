"""Result and ArrayResult: the window's fields after a calculation, as Python values."""

from __future__ import annotations

import dataclasses
from typing import TYPE_CHECKING

import numpy as np

from . import _tarvel
from ._arguments import ENGLISH_MESSAGE_COLUMN, FIELDS, PAIRS

if TYPE_CHECKING:
    import pandas as pd

# Each pair code's two fields as a row of str, and two empty ones for code 0 (no pair taken).
_INPUT_TABLE = np.array([PAIRS.get(code, ("", "")) for code in range(18)])


@dataclasses.dataclass(frozen=True, slots=True)
class Result:
    """The window's fields after one calculation.

    Two results are equal when their texts, message and inputs are (the values follow from the
    texts, and an empty field's nan is then no obstacle); results can be hashed.

    Attributes
    ----------
    dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy : float
        Each field's text as the window reads it; nan where the field is empty. Units: °C, °C, %,
        °C, g/kg dry air, kJ/kg dry air.
    texts : tuple of str
        The six fields' texts: results rounded to two decimals as the window writes them, and
        the texts typed where the calculation kept them.
    message : str or None
        None, or the message the window showed (several are joined by "；", as tarvel-batch joins
        them).
    inputs : tuple of two str, or None
        The two fields the calculation took as its inputs, such as ("dry_bulb", "rel_humidity"):
        the first two given in field order. None when it took none (no pressure, or fewer than
        two fields given).

    Examples
    --------
    >>> import tarvel
    >>> r = tarvel.calculate(101.325, dry_bulb=20, rel_humidity=50)
    >>> r
    Result(dry_bulb=20.0, wet_bulb=13.9, rel_humidity=50.0, dew_point=9.28, moisture=7.26, enthalpy=38.52, message=None, inputs=('dry_bulb', 'rel_humidity'))
    >>> r.texts
    ('20', '13.9', '50', '9.28', '7.26', '38.52')
    >>> r == tarvel.calculate("101.325", dry_bulb="20", rel_humidity=50.0)
    True
    """

    dry_bulb: float = dataclasses.field(compare=False)
    wet_bulb: float = dataclasses.field(compare=False)
    rel_humidity: float = dataclasses.field(compare=False)
    dew_point: float = dataclasses.field(compare=False)
    moisture: float = dataclasses.field(compare=False)
    enthalpy: float = dataclasses.field(compare=False)
    texts: tuple[str, ...] = dataclasses.field(repr=False)
    message: str | None
    inputs: tuple[str, str] | None


class ArrayResult:
    """The window's fields after the calculation of every state of broadcast arrays.

    Attributes
    ----------
    dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy : numpy.ndarray
        float64 arrays of the broadcast shape: each field's text as the window reads it, nan where
        the field is empty. They are read-only, as the texts may be made from them: copy one to
        change it.
    texts : numpy.ndarray
        An array of str of the broadcast shape with a last axis of six, the fields' texts.
        Fixed-width str (dtype "<U8", or as wide as the widest text where that is wider) when
        every text is at most 64 characters and none ends in a NUL character (which fixed-width
        str cannot keep); otherwise an array of Python str objects. When every argument is a
        float array or a scalar, the values determine every text, and the texts are made (on the
        call's threads) when texts is first read: a caller who needs only the values does not
        wait or pay memory for them.
    message : numpy.ndarray
        An array of str of the broadcast shape: each calculation's message, "" where none.
    inputs : numpy.ndarray
        An array of str of the broadcast shape with a last axis of two: the two fields each
        calculation took as its inputs, "" and "" where it took none.
    shape : tuple of int
        The broadcast shape.

    Examples
    --------
    >>> import tarvel
    >>> a = tarvel.calculate(101.325, dry_bulb=[20, 24], wet_bulb=[15, 27])
    >>> a
    ArrayResult(shape=(2,), messages=1)
    >>> a.rel_humidity, a.message
    (array([ 58.24, 126.51]), array(['', '超出区域范围'], dtype='<U6'))
    >>> a.texts[1].tolist(), a.inputs[1].tolist()
    (['24', '27', '126.51', '', '24.08', '85.38'], ['dry_bulb', 'wet_bulb'])
    """

    __slots__ = FIELDS + ("_texts", "message", "_codes")
    dry_bulb: np.ndarray
    wet_bulb: np.ndarray
    rel_humidity: np.ndarray
    dew_point: np.ndarray
    moisture: np.ndarray
    enthalpy: np.ndarray
    message: np.ndarray

    def __init__(self, values, texts, message, codes) -> None:
        for name, value in zip(FIELDS, values):
            setattr(self, name, value)
        self._texts = texts  # an array, or the _tarvel.DeferredTexts that makes it
        self.message = message
        self._codes = codes

    @property
    def texts(self) -> np.ndarray:
        if isinstance(self._texts, _tarvel.DeferredTexts):
            self._texts = self._texts.make()
        return self._texts

    @property
    def inputs(self) -> np.ndarray:
        return _INPUT_TABLE[self._codes]

    @property
    def shape(self) -> tuple[int, ...]:
        return self._codes.shape

    def to_frame(self, texts: bool = False) -> pd.DataFrame:
        """The states as a pandas DataFrame, one row each, in C order.

        Parameters
        ----------
        texts : bool, default False
            Whether the six field columns hold the fields' texts (str) rather than their values
            (float64).

        Returns
        -------
        pandas.DataFrame
            The columns dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy and
            message ("" where there was none). A one-dimensional result keeps its positions as
            the index; a result of more dimensions has a MultiIndex of the positions on each
            axis, a scalar one row.

        Raises
        ------
        ImportError
            When pandas is not installed; it is imported only here.

        Examples
        --------
        >>> import tarvel
        >>> a = tarvel.calculate(101.325, dry_bulb=[[20], [30]], rel_humidity=[40, 60])
        >>> print(a.to_frame()[["wet_bulb", "moisture", "enthalpy"]].to_string())
             wet_bulb  moisture  enthalpy
        0 0     12.50      5.80     34.81
          1     15.23      8.73     42.25
        1 0     20.23     10.59     57.21
          1     23.90     16.02     71.08
        >>> b = tarvel.calculate(101.325, dry_bulb=[20, 24], wet_bulb=[15, 27])
        >>> print(b.to_frame(texts=True).iloc[1].to_string())  # doctest: +NORMALIZE_WHITESPACE
        dry_bulb            24
        wet_bulb            27
        rel_humidity    126.51
        dew_point
        moisture         24.08
        enthalpy         85.38
        message         超出区域范围
        """
        import pandas as pd

        shape = self.shape
        if len(shape) == 1:
            index = pd.RangeIndex(shape[0])
        elif not shape:
            index = pd.RangeIndex(1)
        else:
            index = pd.MultiIndex.from_product([range(n) for n in shape])
        rows = int(np.prod(shape))
        if texts:
            cells = self.texts.reshape(rows, len(FIELDS)).astype(object)
            columns = {name: cells[:, f] for f, name in enumerate(FIELDS)}
        else:
            columns = {name: getattr(self, name).reshape(rows) for name in FIELDS}
        columns[ENGLISH_MESSAGE_COLUMN] = self.message.reshape(rows).astype(object)
        return pd.DataFrame(columns, index=index)

    def __repr__(self) -> str:
        return "ArrayResult(shape=%r, messages=%d)" % (self.shape, np.count_nonzero(self.message))
