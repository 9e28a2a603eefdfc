"""The compiled part of the Python module tarvel, built by the project's CMake build for pip.

pyproject.toml holds the package's description; this file adds what setuptools cannot be told
there: that the extension _tarvel is the CMake target of python/CMakeLists.txt, built for the
python3 that runs the build, and the version, which CMakeLists.txt names once for everything.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = Path(__file__).resolve().parent
# A CMake build folder, already configured, to build the module in (the tests install their own
# build's module so); else one of setuptools' own, apart from the developers' (build*/).
CMAKE_BUILD = os.environ.get("TARVEL_CMAKE_BUILD")
SETUPTOOLS_BUILD = Path(CMAKE_BUILD) / "pip" if CMAKE_BUILD else SOURCE / "build-pip"


def project_version():
    text = (SOURCE / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(Tarvel VERSION ([0-9.]+)", text).group(1)


def configure(build):
    """Configures a Release build of the module alone for this python3."""
    command = ["cmake", "-S", str(SOURCE), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
               "-DTARVEL_BUILD_PYTHON=ON", "-DTARVEL_BUILD_WINDOW=OFF", "-DTARVEL_BUILD_TESTS=OFF",
               "-DTARVEL_BUILD_BENCH=OFF", "-DTARVEL_PYTHON=" + sys.executable]
    try:  # pybind11 installed by pip (an isolated build) brings its CMake files with it
        import pybind11

        command.append("-Dpybind11_DIR=" + pybind11.get_cmake_dir())
    except ImportError:
        pass
    subprocess.run(command, check=True)


class CMakeBuild(build_ext):
    """Builds the target _tarvel and puts it where setuptools packs the extension."""

    def build_extension(self, ext):
        if CMAKE_BUILD:
            build = Path(CMAKE_BUILD)
        else:
            build = Path(self.build_temp).resolve() / "cmake"
            configure(build)
        env = dict(os.environ)
        env.setdefault("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "--build", str(build), "--target", "_tarvel"], check=True, env=env)
        # The compiled module and the version file the build writes; build_py copies the rest.
        built = build / "python" / "tarvel"
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built / target.name, target)
        shutil.copyfile(built / "_version.py", target.parent / "_version.py")


SETUPTOOLS_BUILD.mkdir(parents=True, exist_ok=True)
setup(
    version=project_version(),
    ext_modules=[Extension("tarvel._tarvel", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": str(SETUPTOOLS_BUILD)},
             "egg_info": {"egg_base": str(SETUPTOOLS_BUILD)}},
)
