"""calculate_frame answers a DataFrame row for row as tarvel-batch answers the same table."""

import csv
import io
import math
import random
import subprocess

import numpy as np
import pandas as pd
import pytest

import tarvel
from conftest import SOURCE

CHINESE = ["干球温度", "湿球温度", "相对湿度", "露点温度", "含湿量", "湿空气焓", "当地大气压力"]
ENGLISH = ["dry_bulb", "wet_bulb", "rel_humidity", "dew_point", "moisture_content", "enthalpy",
           "Pressure "]
EXAMPLE = SOURCE / "docs" / "batch-example.csv"


def run_batch(batch, path, pressure):
    done = subprocess.run([batch, "--pressure", pressure, str(path)], capture_output=True,
                          check=True)
    return done.stdout.decode()


def as_texts(csv_text):
    return pd.read_csv(io.StringIO(csv_text), dtype=str, keep_default_na=False)


def test_example_as_texts_and_as_numbers(batch):
    answer = run_batch(batch, EXAMPLE, "101.325")
    texts = tarvel.calculate_frame(as_texts(EXAMPLE.read_text()), pressure="101.325")
    pd.testing.assert_frame_equal(texts, as_texts(answer))
    numbers = tarvel.calculate_frame(pd.read_csv(EXAMPLE), pressure=101.325)
    expected = pd.read_csv(io.StringIO(answer))
    assert list(numbers.columns) == list(expected.columns)
    for name in CHINESE:
        assert numbers[name].dtype == np.float64
        np.testing.assert_array_equal(numbers[name], expected[name].astype(float))
    assert numbers["提示"].tolist() == as_texts(answer)["提示"].tolist()


def shuffled_table(requests, rng):
    """A CSV table of the requests with the seven columns shuffled among an id, a note and a
    message column, named in either language; about one pressure cell in ten left empty."""
    names = [rng.choice(pair) for pair in zip(CHINESE, ENGLISH)] + ["id", "note", "message"]
    order = rng.sample(range(len(names)), len(names))
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\n")
    writer.writerow([names[i] for i in order])
    for n, request in enumerate(requests):
        cells = request[:6] + ["" if rng.random() < 0.1 else request[6], str(n),
                               rng.choice(["", " a,b ", 'say "hi"', "x\ny"]), "old"]
        writer.writerow([cells[i] for i in order])
    return out.getvalue()


def test_shuffled_table_with_messy_cells(batch, requests, tmp_path):
    rng = random.Random(11)
    # Texts that a CSV file read by pandas cannot hold as they are: NULs and bare carriage returns.
    usable = [r for r in requests if not any("\0" in t or "\r" in t for t in r)]
    table = shuffled_table(rng.sample(usable, 5000), rng)
    path = tmp_path / "table.csv"
    path.write_text(table)
    expected = as_texts(run_batch(batch, path, "99.5"))
    answer = tarvel.calculate_frame(as_texts(table), pressure=99.5, threads=3)
    pd.testing.assert_frame_equal(answer, expected)


def test_numbers_frame_keeps_its_index_and_fills_the_pressure():
    frame = pd.DataFrame({"dry_bulb": [20, 25, np.nan], "rel_humidity": [50.0, 60.0, 70.0],
                          "pressure": [101.325, np.nan, 90.0]}, index=[7, 3, 5])
    answer = tarvel.calculate_frame(frame, pressure=95)
    assert list(answer.index) == [7, 3, 5]
    assert answer["pressure"].tolist() == [101.325, 95.0, 90.0]
    assert list(answer.columns[3:]) == ["wet_bulb", "dew_point", "moisture", "enthalpy",
                                        "message"]
    one = tarvel.calculate(95, dry_bulb=25, rel_humidity=60)
    assert answer.loc[3, "wet_bulb"] == one.wet_bulb
    assert math.isnan(answer.loc[5, "wet_bulb"]) and answer.loc[5, "message"] == "请输入两个以上空气参数"
    assert answer.loc[7, "message"] == ""
    assert tarvel.calculate_frame(frame.iloc[:0], pressure=95).shape == (0, 8)


@pytest.mark.parametrize("frame, pressure, words", [
    (pd.DataFrame({"time": ["08:00"], "note": ["x"]}), 101.325, "表头"),
    (pd.DataFrame({"dry_bulb": [20], "rel_humidity": [50]}), None, "pressure"),
    (pd.DataFrame([[20, 21]], columns=["dry_bulb", "干球温度"]), 101.325, "同一个参数"),
    (pd.DataFrame({"dry_bulb": [20]}), "abc", "not a number"),
])
def test_tables_that_cannot_be_answered(frame, pressure, words):
    with pytest.raises(ValueError, match=words):
        tarvel.calculate_frame(frame, pressure=pressure)
    with pytest.raises(TypeError):
        tarvel.calculate_frame(frame.to_dict(), pressure=101.325)
