#!/usr/bin/env python3
"""Builds the demo event: a station file and a phase list (.arr) whose P and
S arrival times come from the shell model of ../tables/make_tables.py for a
known hypocentre, computed by that model's ray tracing directly (not read
from the tables), so the locators are checked against the model itself.

Hypocentre: 42.50 N, 23.30 E, depth 33 km, origin 2011-02-03 04:05:06.000 UTC.

Distances use the geocentric latitude (flattening factor 0.993277) as the
workstation does. Run from any folder:
    python3 demo/event/make_event.py
"""

import calendar
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tables"))
import make_tables  # noqa: E402

EVENT = (42.50, 23.30, 33.0)
ORIGIN = calendar.timegm((2011, 2, 3, 4, 5, 6)) + 0.0

STATIONS = [
    ("DM01", 44.10, 26.10, 0.10), ("DM02", 41.00, 20.50, 0.45), ("DM03", 46.80, 19.20, 0.20),
    ("DM04", 38.20, 27.90, 0.30), ("DM05", 50.30, 30.60, 0.15), ("DM06", 35.50, 14.80, 0.05),
    ("DM07", 55.70, 12.60, 0.02), ("DM08", 40.00, 44.50, 1.10), ("DM09", 30.10, 31.20, 0.08),
    ("DM10", 60.20, 24.90, 0.04),
]


def geocentric(lat_deg):
    phi = math.radians(lat_deg)
    return math.atan(0.993277 * math.tan(phi))


def distance(lat1, lon1, lat2, lon2):
    p1, p2 = geocentric(lat1), geocentric(lat2)
    l1, l2 = math.radians(lon1), math.radians(lon2)
    v1 = (math.cos(p1) * math.cos(l1), math.cos(p1) * math.sin(l1), math.sin(p1))
    v2 = (math.cos(p2) * math.cos(l2), math.cos(p2) * math.sin(l2), math.sin(p2))
    c = (v1[1] * v2[2] - v1[2] * v2[1], v1[2] * v2[0] - v1[0] * v2[2], v1[0] * v2[1] - v1[1] * v2[0])
    return math.degrees(math.atan2(math.sqrt(sum(x * x for x in c)), sum(a * b for a, b in zip(v1, v2))))


def arr_line(sta, chan, phase, t):
    line = [" "] * 223

    def put(pos, text):
        for i, ch in enumerate(text):
            if pos + i < 223:
                line[pos + i] = ch

    tm = time_fields(t)
    put(0, "%3s" % sta)
    put(7, "%17.5f" % t)
    put(25, "%8d" % -1)
    put(34, "%07d" % (tm.tm_year * 1000 + tm.tm_yday))
    put(43, "-1")
    put(52, "-1")
    put(61, chan)
    put(70, phase)
    put(79, "-")
    put(81, "%6.3f" % 0.1)
    for pos in (88, 96, 104, 112, 120):
        put(pos, "%7.2f" % -1)
    put(128, "%7.3f" % -1)
    put(136, "%10.1f" % -1)
    put(147, "%7.2f" % -1)
    put(155, "%7.2f" % -1)
    put(163, "-")
    put(165, "-")
    put(168, "%10.2f" % -1)
    put(179, "i")
    put(181, "KRO 5.2")
    put(197, "%8d" % -1)
    put(206, "3-Feb-2011")
    return "".join(line)


def time_fields(t):
    import time
    return time.gmtime(int(t))


def main():
    lat, lon, depth = EVENT
    rays = {w: make_tables.branches(w, depth) for w in ("P", "S")}
    lines = []
    with open(os.path.join(HERE, "stations.txt"), "w", encoding="ascii") as f:
        f.write("# Demo stations: STA LAT LON ELEV_KM\n")
        for sta, slat, slon, elev in STATIONS:
            f.write("%s %.2f %.2f %.2f\n" % (sta, slat, slon, elev))
    picks = []
    for sta, slat, slon, _ in STATIONS:
        d = distance(slat, slon, lat, lon)
        for wave in ("P", "S"):
            t = make_tables.first_arrival(rays[wave], d)
            picks.append((ORIGIN + t, sta, wave))
    picks.sort()
    for t, sta, wave in picks:
        lines.append(arr_line(sta, "BHZ", wave, round(t, 2)))
    with open(os.path.join(HERE, "demo.arr"), "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
