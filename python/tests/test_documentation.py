"""help(tarvel) is of use: every public function and class has numpydoc sections that agree with
its signature, and the examples, here and in the README, give what they say."""

import doctest
import re

import pytest
from numpydoc.docscrape import FunctionDoc
from numpydoc.validate import validate

import tarvel
from conftest import SOURCE
from tarvel import _altitude, _calculate, _climate, _comfort, _design, _frame, _results, _weather

# What numpydoc's validation may report here: the summary on the opening line (GL01), no extended
# summary (ES01) and no See Also (SA01), which are matters of style; a class's fields are its
# Attributes, not parameters of a constructor that the module calls itself (PR01 on classes).
ALLOWED = {"GL01", "ES01", "SA01"}
FUNCTIONS = ["calculate", "calculate_frame", "climate", "design", "pmv", "pressure_at_altitude",
             "read_number", "read_weather", "typed_text", "ArrayResult.to_frame"]
CLASSES = ["Result", "ArrayResult", "Comfort"]


@pytest.mark.parametrize("module", [tarvel, _calculate, _results, _altitude, _design, _frame,
                                    _weather, _climate, _comfort])
def test_examples(module):
    failures, _ = doctest.testmod(module, raise_on_error=False)
    assert failures == 0


@pytest.mark.parametrize("name", FUNCTIONS + CLASSES + [""])
def test_numpydoc_sections_agree_with_the_signature(name):
    allowed = ALLOWED | ({"PR01"} if name in CLASSES else set())
    errors = [(code, text) for code, text in validate("tarvel." + name if name else "tarvel")
              ["errors"] if code not in allowed]
    assert errors == []


@pytest.mark.parametrize("name", FUNCTIONS)
def test_functions_say_what_they_raise(name):
    thing = tarvel
    for part in name.split("."):
        thing = getattr(thing, part)
    assert FunctionDoc(thing)["Raises"], name


def test_readme_examples(monkeypatch):
    monkeypatch.chdir(SOURCE)  # the examples name files as the repository holds them
    text = (SOURCE / "README.md").read_text()
    # Every fenced block, whatever its language tag, so that a tagged one does not pair the fences
    # after it the wrong way round.
    blocks = [b for b in re.findall(r"^```[^\n]*\n(.*?)^```$", text, re.S | re.M) if ">>> " in b]
    runner = doctest.DocTestRunner(optionflags=doctest.NORMALIZE_WHITESPACE)
    names = {}
    for number, block in enumerate(blocks):
        test = doctest.DocTestParser().get_doctest(block, names, "README %d" % number, None, 0)
        runner.run(test, clear_globs=False)
        names = test.globs  # the next block goes on from this one
    results = runner.summarize(verbose=False)
    assert len(blocks) >= 5 and results.attempted >= 10 and results.failed == 0
