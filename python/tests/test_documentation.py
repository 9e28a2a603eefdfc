"""help(tarvel) is of use: every public name is documented, and the examples give what they say."""

import doctest

import pytest

import tarvel
from tarvel import _altitude, _calculate, _frame


@pytest.mark.parametrize("module", [tarvel, _calculate, _altitude, _frame])
def test_examples(module):
    failures, _ = doctest.testmod(module, raise_on_error=False)
    assert failures == 0


def test_every_public_name_is_documented():
    for name in tarvel.__all__:
        thing = getattr(tarvel, name)
        if callable(thing):
            assert thing.__doc__ and len(thing.__doc__) > 100, name
