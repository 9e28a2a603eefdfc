"""The module as users get it other than from this build's folder: installed by pip from the
sources (pyproject.toml over the CMake build, this build's module) into a virtual environment
without the network, and typed for type checkers."""

import json
import os
import pathlib
import subprocess
import sys

import pytest

import tarvel
from conftest import SOURCE

USE = """
import json, pathlib, tarvel
package = pathlib.Path(tarvel.__file__).parent
print(json.dumps({"file": tarvel.__file__, "version": tarvel.__version__,
                  "files": sorted(p.name for p in package.iterdir() if p.name != "__pycache__"),
                  "answer": tarvel.calculate(101.325, dry_bulb=20, rel_humidity=50).texts}))
"""

TYPED_USE = """
import numpy as np
import tarvel

one: tarvel.Result = tarvel.calculate(101.325, dry_bulb=20, rel_humidity="50")
many: tarvel.ArrayResult = tarvel.calculate(101.325, dry_bulb=np.arange(3.0), rel_humidity=50)
wet: float = one.wet_bulb
texts: np.ndarray = many.texts
answer: dict = tarvel.design({"pressure": "101.325", "points": []})
kpa: float = tarvel.pressure_at_altitude(1000)
"""


def clean_environment():
    return {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "PYTHONHOME")}


@pytest.mark.skipif("TARVEL_CMAKE_BUILD" not in os.environ, reason="run by CTest, in a build")
def test_pip_installs_the_module_from_the_sources(tmp_path):
    environment = tmp_path / "env"
    subprocess.run([sys.executable, "-m", "venv", "--system-site-packages", str(environment)],
                   check=True)
    python = str(environment / "bin" / "python")
    subprocess.run([python, "-m", "pip", "install", "--no-build-isolation", "--no-index",
                    "--no-cache-dir", "--quiet", str(SOURCE)],
                   check=True, env=clean_environment(), cwd=tmp_path)
    done = subprocess.run([python, "-c", USE], check=True, capture_output=True, text=True,
                          env=clean_environment(), cwd=tmp_path)
    installed = json.loads(done.stdout)
    assert installed["file"].startswith(str(environment)), installed
    assert installed["version"] == tarvel.__version__
    built = pathlib.Path(tarvel.__file__).parent
    assert installed["files"] == sorted(p.name for p in built.iterdir() if p.name != "__pycache__")
    assert {"py.typed", "_tarvel.pyi"} <= set(installed["files"])
    assert installed["answer"] == ["20", "13.9", "50", "9.28", "7.26", "38.52"]


def mypy(*arguments, cwd):
    return subprocess.run([sys.executable, "-m", "mypy", "--config-file",
                           str(SOURCE / "pyproject.toml"), "--cache-dir", str(cwd / "cache"),
                           *arguments], capture_output=True, text=True, cwd=cwd)


def test_the_package_and_its_stub_type_check(tmp_path):
    (tmp_path / "use.py").write_text(TYPED_USE)
    for what in (["-p", "tarvel"], ["use.py"]):
        done = mypy(*what, cwd=tmp_path)
        assert done.returncode == 0, done.stdout + done.stderr
    # The checker sees the module's own types: a misspelt argument and a wrong result are errors.
    (tmp_path / "wrong.py").write_text("import tarvel\n"
                                       "tarvel.calculate(101.325, dry=20)\n"
                                       "r: tarvel.ArrayResult = tarvel.calculate(101.325)\n")
    done = mypy("wrong.py", cwd=tmp_path)
    assert 'wrong.py:2: error: No overload variant of "calculate"' in done.stdout, done.stdout
    assert "wrong.py:3: error: Incompatible types in assignment" in done.stdout, done.stdout


def test_the_stub_names_what_the_compiled_part_holds(tmp_path):
    # A pybind11 class's metaclass is pybind11's own, which no stub names.
    (tmp_path / "allowed").write_text("tarvel._tarvel.DeferredTexts\ntarvel._tarvel.WeatherRecord\n")
    done = subprocess.run([sys.executable, "-m", "mypy.stubtest", "tarvel._tarvel",
                           "--mypy-config-file", str(SOURCE / "pyproject.toml"),
                           "--allowlist", str(tmp_path / "allowed")],
                          capture_output=True, text=True, cwd=tmp_path)
    assert done.returncode == 0, done.stdout + done.stderr
