"""help(tarvel) is of use: every public name is documented, and the examples, here and in the
README, give what they say."""

import doctest
import re

import pytest

import tarvel
from conftest import SOURCE
from tarvel import _altitude, _calculate, _design, _frame


@pytest.mark.parametrize("module", [tarvel, _calculate, _altitude, _design, _frame])
def test_examples(module):
    failures, _ = doctest.testmod(module, raise_on_error=False)
    assert failures == 0


def test_every_public_name_is_documented():
    for name in tarvel.__all__:
        thing = getattr(tarvel, name)
        if callable(thing):
            assert thing.__doc__ and len(thing.__doc__) > 100, name


def test_readme_examples():
    text = (SOURCE / "README.md").read_text()
    blocks = [b for b in re.findall(r"```\n(.*?)```", text, re.S) if ">>> " in b]
    runner = doctest.DocTestRunner(optionflags=doctest.NORMALIZE_WHITESPACE)
    names = {}
    for number, block in enumerate(blocks):
        test = doctest.DocTestParser().get_doctest(block, names, "README %d" % number, None, 0)
        runner.run(test, clear_globs=False)
        names = test.globs  # the next block goes on from this one
    results = runner.summarize(verbose=False)
    assert len(blocks) >= 3 and results.attempted >= 10 and results.failed == 0
