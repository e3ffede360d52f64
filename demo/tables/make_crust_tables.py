#!/usr/bin/env python3
"""Builds the demo's regional travel-time tables P_g, S_g, P_n, S_n in this folder.

Model: flat layers over a mantle half-space, the crust of make_tables.py so
that the regional and the global tables of this folder agree near the source:

    upper crust   0-20 km   Vp 5.80  Vs 3.36 km/s
    lower crust  20-35 km   Vp 6.50  Vs 3.75 km/s
    mantle       below 35   Vp 8.09  Vs 4.54 km/s (the top mantle shell of make_tables.py)

The distance in km is the epicentral distance in degrees times 111.195 (the
arc at the surface); the layers are not curved, which is close enough out to
the 15 degrees the tables cover.

Phases (source depths 0-35 km, distances 0-15 degrees):

- Pg, Sg: the direct wave from the source up to the station. In the upper
  crust it is a straight line; from the lower crust it refracts at 20 km,
  and the ray parameter that reaches the distance is found by bisection.
- Pn, Sn: the head wave along the top of the mantle. It goes down from the
  source to the Moho at the critical angle, runs along the Moho at the
  mantle velocity and comes up to the surface at the critical angle:
      t = x / vn + sum over crustal legs of h * sqrt(1/v^2 - 1/vn^2)
  It exists from the critical distance x = sum of h * tan(asin(v / vn)) on;
  nearer distances hold -1, the missing-point mark.

The tables are named by their curve names (Pg -> P_g and so on), the names
the workstation looks for. Only the Python standard library is used. Run it
from any folder:
    python3 demo/tables/make_crust_tables.py
"""

import math
import os
import sys

sys.dont_write_bytecode = True  # keep the folder to its tables and scripts
from make_tables import CRUST, MOHO, mantle_layers

KM_PER_DEGREE = 111.195

# top depth (km), Vp, Vs (km/s) of the crustal layers; Vp, Vs of the mantle
LAYERS = CRUST
MANTLE = mantle_layers()[0][1:]

DEPTHS = [2.5 * k for k in range(15)]  # 0 to 35 km
DISTANCES = [round(0.05 * k, 2) for k in range(301)]  # 0 to 15 degrees


def crust_legs(depth, column):
    """(thickness km, velocity) of each crustal layer between the source and the surface."""
    legs = []
    for i, layer in enumerate(LAYERS):
        top = layer[0]
        bottom = LAYERS[i + 1][0] if i + 1 < len(LAYERS) else MOHO
        h = min(bottom, depth) - top
        if h > 0.0:
            legs.append((h, layer[column]))
    return legs


def below_source_legs(depth, column):
    """(thickness km, velocity) of each crustal layer between the source and the Moho."""
    legs = []
    for i, layer in enumerate(LAYERS):
        top = layer[0]
        bottom = LAYERS[i + 1][0] if i + 1 < len(LAYERS) else MOHO
        h = bottom - max(top, depth)
        if h > 0.0:
            legs.append((h, layer[column]))
    return legs


def direct_time(depth, x, column):
    """Travel time (s) of the direct wave from `depth` to the surface at `x` km."""
    legs = crust_legs(depth, column)
    if not legs:
        return x / LAYERS[0][column]
    if len(legs) == 1:
        h, v = legs[0]
        return math.hypot(x, h) / v
    v_max = max(v for _, v in legs)

    def offset(p):
        return sum(h * p * v / math.sqrt(1.0 - (p * v) ** 2) for h, v in legs)

    lo, hi = 0.0, 1.0 / v_max
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if offset(mid) < x:
            lo = mid
        else:
            hi = mid
    p = 0.5 * (lo + hi)
    return sum(h / (v * math.sqrt(1.0 - (p * v) ** 2)) for h, v in legs)


def head_time(depth, x, column):
    """Travel time (s) of the Moho head wave, or None inside its critical distance."""
    vn = MANTLE[column - 1]
    legs = crust_legs(MOHO, column) + below_source_legs(depth, column)
    critical = sum(h * math.tan(math.asin(v / vn)) for h, v in legs)
    if x < critical:
        return None
    return x / vn + sum(h * math.sqrt(1.0 / v ** 2 - 1.0 / vn ** 2) for h, v in legs)


def table(phase):
    column = 1 if phase[0] == "P" else 2
    time = direct_time if phase[1] == "g" else head_time
    rows = []
    for depth in DEPTHS:
        row = []
        for distance in DISTANCES:
            t = time(depth, distance * KM_PER_DEGREE, column)
            row.append(-1.0 if t is None else t)
        rows.append(row)
    return rows


def numbers(values, per_line, fmt):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append(" ".join(fmt % v for v in values[i:i + per_line]))
    return "\n".join(lines)


def write(phase, folder):
    rows = table(phase)
    text = [f"{phase} travel times (s) of the KRO demo layered crust, made by make_crust_tables.py",
            "# number of source depths, then the depths in km",
            str(len(DEPTHS)),
            numbers(DEPTHS, 15, "%g"),
            "# number of distances, then the distances in degrees",
            str(len(DISTANCES)),
            numbers(DISTANCES, 10, "%g")]
    for depth, row in zip(DEPTHS, rows):
        text.append(f"# depth {depth:g} km")
        text.append(numbers(row, 10, "%.3f"))
    with open(os.path.join(folder, phase[0] + "_" + phase[1]), "w", encoding="ascii") as f:
        f.write("\n".join(text) + "\n")


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for phase in ("Pg", "Sg", "Pn", "Sn"):
        write(phase, folder)


if __name__ == "__main__":
    main()
