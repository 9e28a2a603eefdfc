"""read_weather and climate against tarvel-climate on the same made-up files: the hours cell for
cell as --hours writes them, the answer as --json prints it for filters, zones and PMV settings,
frames answering as the files they were read from, and the refusals a user meets."""

import io
import json
import math
import random
import subprocess

import numpy as np
import pandas as pd
import pytest

import climate_vs_replay
import tarvel
import weather_files
from conftest import SOURCE

MISSING_MARKS = {5: 99.9, 6: 99.9, 7: 999.0, 8: 999999.0}  # dry bulb, dew point, RH, Pa


def hour_rows(years, first_year, seed):
    """Made-up hours [year, month, day, hour 1-24, minute, t, dew, rh, Pa] as texts, roughened
    with messages, missing values, long decimals and fractions of a pascal."""
    rows = [[str(x) if not isinstance(x, float) else "%.1f" % x for x in h]
            for h in weather_files.hours(years, first_year, seed)]
    climate_vs_replay.roughen(rows, random.Random(seed))
    return rows


def typical_year_rows(seed):
    """A typical year: each month taken from another year, as TMY files are made."""
    rows = []
    for month in range(1, 13):
        year = 1991 + (month * 7) % 12
        rows += [r for r in hour_rows(1, year, seed + month) if r[1] == str(month)
                 and not (r[2] == "29" and month == 2)]
    return rows


def epw_text(rows, flawed=False):
    """An EPW file of the hours; a flawed one has a line that cannot be read after its 100th hour
    and its 200th hour written twice."""
    lines = [",".join(r[:5] + ["flags"] + r[5:9] + [weather_files.EPW_TAIL]) for r in rows]
    if flawed:
        lines[200:200] = [lines[199]]
        lines[100:100] = ["2004,1,5,4,0,x"]
    return "\n".join(weather_files.EPW_HEADER + lines) + "\n"


def csv_text(rows, clock, pressure=True):
    """The hours as a CSV table on the clock 1:00-24:00 (clock=1) or 0:00-23:00 (clock=0), the
    pressure in kPa as text, a missing value as an empty cell."""
    out = ["time,pressure,dry_bulb,dew_point,rel_humidity" if pressure
           else "time,dry_bulb,dew_point,rel_humidity"]
    for r in rows:
        cells = ["" if float(r[i]) == mark else r[i] for i, mark in MISSING_MARKS.items()]
        if cells[3]:
            cells[3] = climate_vs_replay.kilopascal_text(cells[3])
        time = "%s-%02d-%02d %02d:00" % (r[0], int(r[1]), int(r[2]), int(r[3]) - 1 + clock)
        out.append(",".join([time] + ([cells[3]] if pressure else []) + cells[:3]))
    return "\n".join(out) + "\n"


# Each file with the options it needs; the EPW year has a line that cannot be read and one whose
# hour repeats the line before. Beside them, the real typical year the README shows.
FILES = {
    "epw": lambda: epw_text(hour_rows(1, 2004, 7), flawed=True),
    "typical year": lambda: epw_text(typical_year_rows(3)),
    "csv 24:00, two years": lambda: csv_text(hour_rows(2, 2001, 5), clock=1),
    "csv 0:00": lambda: csv_text(hour_rows(1, 2003, 9), clock=0),
    "csv without pressure": lambda: csv_text(hour_rows(1, 2005, 11), clock=0, pressure=False),
    "chicago": lambda: (SOURCE / "docs" / "weather" / "chicago.epw").read_text(),
}
READING = {"csv without pressure": ({"elevation": 1000}, ["--elevation", "1000"])}

# The same request in the module's forms and on the command line.
REQUESTS = [
    ({}, []),
    ({"month": "6-8", "hour": (8, 18)}, ["--month", "6-8", "--hour", "8-18"]),
    ({"month": (11, 2), "hour": "22-6", "zone": {"dry_bulb": (None, 10), "moisture": (1.5, None)}},
     ["--month", "11-2", "--hour", "22-6", "--zone", "dry_bulb=..10,moisture=1.5.."]),
    ({"month": 7, "zone": "rel_humidity=40..60,dew_point=..15", "pmv": (1.0, 0.7, 0.2)},
     ["--month", "7", "--zone", "rel_humidity=40..60,dew_point=..15", "--pmv", "1,0.7,0.2"]),
    ({"hour": 14, "pmv": {"clo": 1.0}, "zone": {"干球温度": (18.5, 27)}},
     ["--hour", "14", "--pmv", "1.2,1.0,0.1", "--zone", "干球温度=18.5..27"]),
]


@pytest.fixture(scope="module")
def files(tmp_path_factory):
    folder = tmp_path_factory.mktemp("weather")
    paths = {}
    for name, make in FILES.items():
        paths[name] = folder / (name.replace(" ", "_").replace(",", "").replace(":", "")
                                + (".epw" if name in ("epw", "typical year", "chicago") else ".csv"))
        paths[name].write_text(make())
    return paths


def run(program, *args):
    done = subprocess.run([program, *map(str, args)], capture_output=True)
    assert done.returncode in (0, 1), done.stderr.decode()
    return done.stdout.decode()


def time_texts(frame):
    """The time column of the table of hours, from the frame's index: 24:00 of the day before
    where the file's days run from 1:00 to 24:00."""
    texts = []
    for moment in frame.index:
        if pd.isna(moment):
            texts.append("")
        elif frame.attrs["first_hour"] == 1 and moment.hour == 0:
            texts.append((moment - pd.Timedelta(hours=1)).strftime("%Y-%m-%d") + " 24:00")
        else:
            texts.append(moment.strftime("%Y-%m-%d %H:%M"))
    return texts


@pytest.mark.parametrize("name", FILES)
def test_hours_are_the_commands_table_of_hours(climate_program, files, tmp_path, name):
    kwargs, args = READING.get(name, ({}, []))
    run(climate_program, "--hours", tmp_path / "hours.csv", *args, files[name])
    table = pd.read_csv(tmp_path / "hours.csv", dtype=str, keep_default_na=False)
    texts = tarvel.read_weather(files[name], texts=True, **kwargs)
    assert time_texts(texts) == table["时间"].tolist()
    assert texts.to_numpy().tolist() == table.iloc[:, 1:].to_numpy().tolist()
    assert (texts["message"].str.contains("缺测").sum() > 50) == (name != "chicago")
    values = tarvel.read_weather(files[name], threads=1, **kwargs)
    assert values.index.equals(texts.index) and values.attrs == texts.attrs
    for column in values.columns[:-1]:
        read = [math.nan if t == "" else tarvel.read_number(t) for t in texts[column]]
        np.testing.assert_array_equal(values[column].to_numpy(), read, err_msg=column)


@pytest.mark.parametrize("name", FILES)
@pytest.mark.parametrize("request_number", range(len(REQUESTS)))
def test_climate_is_the_commands_answer(climate_program, files, name, request_number):
    reading, reading_args = READING.get(name, ({}, []))
    kwargs, args = REQUESTS[request_number]
    expected = json.loads(run(climate_program, "--json", *reading_args, *args, files[name]))
    assert tarvel.climate(files[name], **reading, **kwargs) == expected
    frame = tarvel.read_weather(files[name], **reading)
    assert tarvel.climate(frame, **kwargs) == expected, "a frame of the file's hours"
    texts = tarvel.read_weather(files[name], texts=True, **reading)
    assert tarvel.climate(texts, **kwargs, threads=1) == expected, "a frame of their texts"


def test_the_record_and_its_station(files):
    epw = tarvel.read_weather(files["epw"])
    assert epw.attrs["station"] == {"name": "Testville", "country": "CHN", "latitude": "31.17",
                                    "longitude": "121.43", "elevation": "4.5"}
    assert epw.attrs["first_hour"] == 1 and len(epw) == 8784 + 2
    assert epw.index[0] == pd.Timestamp("2004-01-01 01:00") and epw.index.name == "time"
    assert epw.index[-1] == pd.Timestamp("2005-01-01 00:00"), "hour 24 is 0:00 of the next day"
    unreadable = epw["message"].str.startswith("第")
    assert unreadable.sum() == 2 and epw.index[unreadable].isna().sum() == 1
    assert any("闰日" in note for note in epw.attrs["notes"])
    typical = tarvel.read_weather(files["typical year"])
    assert len(typical) == 8760 and not typical.index.is_monotonic_increasing
    assert sorted(set(typical.index.year)) != [typical.index.year[0]], "each month keeps its year"
    csv = tarvel.read_weather(files["csv without pressure"], elevation="1000")
    assert csv.attrs["station"]["elevation"] == "1000" and csv.attrs["first_hour"] == 0
    assert set(csv["pressure"].dropna()) == {89.875}
    assert tarvel.read_weather(io.BytesIO(files["epw"].read_bytes())).equals(epw)


def test_a_frame_without_its_attrs(files):
    """A frame that lost its attrs (to_parquet, many a pandas operation) answers as its file but
    for the station: a table beginning at 1:00 counts 0:00 as the end of the day before."""
    for name in ("epw", "csv 24:00, two years", "csv 0:00"):
        frame = tarvel.read_weather(files[name])
        frame.attrs.clear()
        answer = tarvel.climate(frame, month=12)
        expected = tarvel.climate(files[name], month=12)
        assert answer["station"] == dict.fromkeys(expected["station"])
        assert {**answer, "station": None} == {**expected, "station": None}, name
        frame.attrs["first_hour"] = 1 - tarvel.read_weather(files[name]).attrs["first_hour"]
        assert tarvel.climate(frame, month=12) != answer, name + ": midnight moved"


def test_a_frame_of_inputs_answers_as_its_table(climate_program, files, tmp_path):
    path = files["csv 0:00"]
    expected = json.loads(run(climate_program, "--json", "--month", "5-9", path))
    texts = pd.read_csv(path, dtype=str, keep_default_na=False)
    texts.index = pd.to_datetime(texts.pop("time"))
    numbers = pd.read_csv(path, index_col="time", parse_dates=True)
    for frame in (texts, numbers, numbers.astype(object)):
        assert tarvel.climate(frame, month="5-9") == expected
    # Without the dew point, each hour types the relative humidity, as the table would.
    humid = numbers.drop(columns="dew_point").rename(columns={"rel_humidity": "相对湿度"})
    humid.to_csv(tmp_path / "humid.csv", index_label="时间", date_format="%Y-%m-%d %H:%M")
    expected = json.loads(run(climate_program, "--json", tmp_path / "humid.csv"))
    assert tarvel.climate(humid) == expected
    # A frame of inputs in UTC answers on its wall clock; rows between hours are skipped.
    utc = humid.tz_localize("UTC")
    assert tarvel.climate(utc) == expected
    between = pd.concat([humid, humid.iloc[:5].set_axis(humid.index[:5] + pd.Timedelta("30min"))])
    assert tarvel.climate(between.sort_index()) == expected


@pytest.mark.parametrize("same", [
    [{"month": 7}, {"month": "7"}, {"month": (7, 7)}, {"month": [7, 7]}, {"month": np.int64(7)}],
    [{"hour": (22, 6)}, {"hour": "22-6"}, {"hour": (np.int8(22), np.uint64(6))}],
    [{}, {"month": (3, 2)}, {"hour": (0, 24)}, {"hour": "1-24"}],
    [{"zone": {"dry_bulb": (20, 26)}}, {"zone": "dry_bulb=20..26"}, {"zone": {"dry_bulb": ("20", 26.0)}}],
    [{"pmv": None}, {"pmv": (1.2, 0.5, 0.1)}, {"pmv": {}}, {"pmv": {"met": 1.2, "air_speed": 0.1}}],
], ids=["month", "hour", "whole", "zone", "pmv"])
def test_every_form_of_a_request_answers_alike(files, same):
    answers = [tarvel.climate(files["csv 0:00"], **kwargs) for kwargs in same]
    assert all(answer == answers[0] for answer in answers[1:])


def test_a_year_pandas_cannot_hold(tmp_path):
    path = tmp_path / "old.epw"
    path.write_text(epw_text([["1500", "1", "1", str(h)] + ["0", "20.0", "10.0", "50", "101325"]
                              for h in range(1, 25)]))
    with pytest.raises(ValueError, match="line 9: the time 1500-01-01 01:00 is outside"):
        tarvel.read_weather(path)
    assert tarvel.climate(path)["hours"] == 24


EMPTY = pd.DataFrame({"dry_bulb": [20.0]}, index=pd.DatetimeIndex(["2001-01-01 01:00"]))


@pytest.mark.parametrize("call, error, words", [
    (lambda p: tarvel.climate(p["empty"]), ValueError, "文件是空的"),
    (lambda p: tarvel.read_weather(p["not weather"]), ValueError, "不是 EPW 或 CSV 气象文件"),
    (lambda p: tarvel.climate(p["missing"]), FileNotFoundError, "nope.epw"),
    (lambda p: tarvel.read_weather(p["folder"]), IsADirectoryError, ""),
    (lambda p: tarvel.climate(p["epw"].read_bytes()), TypeError, "io.BytesIO"),
    (lambda p: tarvel.read_weather(open(p["epw"])), TypeError, "mode 'rb'"),
    (lambda p: tarvel.read_weather(42), TypeError, "path or a file object"),
    (lambda p: tarvel.read_weather(p["epw"], texts="yes"), TypeError, "texts"),
    (lambda p: tarvel.climate(EMPTY.reset_index()), TypeError, "DatetimeIndex"),
    (lambda p: tarvel.climate(EMPTY), ValueError, "湿度"),
    (lambda p: tarvel.climate(EMPTY.assign(dew_point=[5.0])), ValueError, "当地大气压力"),
    (lambda p: tarvel.climate(EMPTY.assign(note=[True], x=1).rename(columns={"dry_bulb": "t"})),
     ValueError, "表头"),
    (lambda p: tarvel.climate(EMPTY.assign(dew_point=[math.inf]), pressure=100), ValueError,
     "dew_point: inf"),
    (lambda p: tarvel.climate(p["epw"], month=13), ValueError, "月份“13”应是 1 到 12"),
    (lambda p: tarvel.climate(p["epw"], hour="1-25"), ValueError, "时刻“1-25”"),
    (lambda p: tarvel.climate(p["epw"], month=(6,)), TypeError, "month"),
    (lambda p: tarvel.climate(p["epw"], hour=8.5), TypeError, "hour"),
    (lambda p: tarvel.climate(p["epw"], month=True), TypeError, "bool"),
    (lambda p: tarvel.climate(p["epw"], zone={"dry_bulb": (30, 20)}), ValueError, "区域"),
    (lambda p: tarvel.climate(p["epw"], zone={}), ValueError, "区域"),
    (lambda p: tarvel.climate(p["epw"], zone={"speed": (1, 2)}), ValueError, "不是可限定的参数"),
    (lambda p: tarvel.climate(p["epw"], zone={"dry_bulb=1..2,rel_humidity": (None, 60)}),
     ValueError, "not the name"),
    (lambda p: tarvel.climate(p["epw"], zone={"dry_bulb": ("1..2,dew_point=3", None)}),
     ValueError, "plain decimal"),
    (lambda p: tarvel.climate(p["epw"], zone={"dry_bulb": 20}), TypeError, "lower, upper"),
    (lambda p: tarvel.climate(p["epw"], zone=[("dry_bulb", 1, 2)]), TypeError, "dict"),
    (lambda p: tarvel.climate(p["epw"], pmv={"met": 0}), ValueError, "met"),
    (lambda p: tarvel.climate(p["epw"], pmv=(1.2, -0.5, 0.1)), ValueError, "clo"),
    (lambda p: tarvel.climate(p["epw"], pmv={"speed": 1}), TypeError, "speed"),
    (lambda p: tarvel.climate(p["epw"], pmv=(1.2, 0.5)), TypeError, "met, clo, air_speed"),
    (lambda p: tarvel.climate(p["epw"], pressure=100, elevation=10), ValueError, "not both"),
    (lambda p: tarvel.read_weather(p["epw"], pressure="1,5"), ValueError, "plain decimal"),
    (lambda p: tarvel.read_weather(p["epw"], pressure=-1), ValueError, "positive"),
    (lambda p: tarvel.read_weather(p["epw"], elevation=50000), ValueError, "standard atmosphere"),
    (lambda p: tarvel.read_weather(p["epw"], elevation=True), TypeError, "elevation"),
    (lambda p: tarvel.climate(p["epw"], threads=0), ValueError, "threads"),
])
def test_what_cannot_be_answered_is_refused(files, tmp_path, call, error, words):
    paths = dict(files, empty=tmp_path / "empty.csv", missing=tmp_path / "nope.epw",
                 folder=tmp_path)
    paths["empty"].write_bytes(b"")
    paths["not weather"] = tmp_path / "table.csv"
    paths["not weather"].write_text("a,b\n1,2\n")
    with pytest.raises(error, match=words):
        call(paths)
    assert tarvel.climate(files["csv 0:00"], month=7)["hours"] == 8760
