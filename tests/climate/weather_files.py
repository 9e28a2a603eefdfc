#!/usr/bin/env python3
"""Weather files for the tests and benchmarks of tarvel-climate, made up from a seed.

    weather_files.py epw|csv [--years N] [--first-year Y] [--seed S] [--per-hour K]
                             [--clock 0|1] > FILE

The hours follow a plausible climate (a yearly and a daily swing of the dry bulb, a dew point
below it, a relative humidity that goes with them, a station pressure near 101 kPa) with random
noise, so that the statistics have something to rank; the numbers are written as weather files
write them (one decimal for temperatures, whole percents and pascals). Nothing here computes
what Tarvel computes: the tests compare tarvel-climate with tarvel-replay or with values worked
out by hand. Standard library only.
"""

import argparse
import calendar
import math
import random
import sys

EPW_HEADER = [
    "LOCATION,Testville,Test Province,CHN,Generated,999999,31.17,121.43,8.0,4.5",
    "DESIGN CONDITIONS,0",
    "TYPICAL/EXTREME PERIODS,0",
    "GROUND TEMPERATURES,0",
    "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0",
    "COMMENTS 1,Made up by tests/climate/weather_files.py",
    "COMMENTS 2,",
    "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31",
]
# The fields of an EPW data line after the station pressure, as most files write them.
EPW_TAIL = "0,0,300,0,0,0,0,0,0,0,180,2.0,5,5,16.1,77777,9,999999999,0,0.1,0,88,0.0,0.0,0.0"


def hours(years, first_year, seed, per_hour=1, clock=1):
    """Yields (year, month, day, hour, minute, dry_bulb, dew_point, rel_humidity, pressure_pa),
    hour 1 to 24 (clock=1, the hour ending then) or 0 to 23 (clock=0)."""
    rng = random.Random(seed)
    day_of_record = 0
    for year in range(first_year, first_year + years):
        for month in range(1, 13):
            for day in range(1, calendar.monthrange(year, month)[1] + 1):
                day_of_record += 1
                season = -math.cos(2 * math.pi * (day_of_record % 365.25 - 15) / 365.25)
                mean = 16 + 13 * season + rng.gauss(0, 2.5)
                for hour in range(clock, 24 + clock):
                    for step in range(per_hour):
                        minute = 60 * (step + 1) // per_hour if clock else 60 * step // per_hour
                        if clock and minute == 60 and per_hour == 1:
                            minute = 0
                        swing = -math.cos(2 * math.pi * (hour - 4) / 24)
                        t = round(mean + 5 * swing + rng.gauss(0, 0.6), 1)
                        depression = max(0.0, 3 + 4 * swing + 3 * (1 - season) + rng.gauss(0, 1.5))
                        dew = round(t - depression, 1)
                        rh = round(100 * math.exp(17.62 * dew / (243.12 + dew)
                                                  - 17.62 * t / (243.12 + t)))
                        pressure = round(101325 - 900 * season + rng.gauss(0, 250))
                        yield year, month, day, hour, minute, t, dew, min(rh, 100), pressure


def epw_line(h):
    year, month, day, hour, minute, t, dew, rh, pressure = h
    return "%d,%d,%d,%d,%d,?9?9?9?9E0?9?9?9?9?9?9?9?9?9?9?9?9?9?9*_*9*9*9*9*9,%.1f,%.1f,%d,%d,%s" % (
        year, month, day, hour, minute, t, dew, rh, pressure, EPW_TAIL)


def csv_line(h):
    year, month, day, hour, minute, t, dew, rh, pressure = h
    kpa = "%d.%03d" % divmod(pressure, 1000)
    return "%04d-%02d-%02d %02d:%02d,%s,%.1f,%.1f,%d" % (year, month, day, hour, minute, kpa, t,
                                                         dew, rh)


def epw_text(years=1, first_year=2001, seed=1, per_hour=1):
    lines = EPW_HEADER + [epw_line(h) for h in hours(years, first_year, seed, per_hour)]
    return "\n".join(lines) + "\n"


def csv_text(years=1, first_year=2001, seed=1, per_hour=1, clock=1):
    lines = ["time,pressure,dry_bulb,dew_point,rel_humidity"]
    lines += [csv_line(h) for h in hours(years, first_year, seed, per_hour, clock)]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("format", choices=["epw", "csv"])
    parser.add_argument("--years", type=int, default=1)
    parser.add_argument("--first-year", type=int, default=2001)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--per-hour", type=int, default=1)
    parser.add_argument("--clock", type=int, choices=[0, 1], default=1)
    args = parser.parse_args()
    if args.format == "epw":
        text = epw_text(args.years, args.first_year, args.seed, args.per_hour)
    else:
        text = csv_text(args.years, args.first_year, args.seed, args.per_hour, args.clock)
    sys.stdout.write(text)


if __name__ == "__main__":
    main()
