#!/usr/bin/env python3
"""Builds the demo travel-time tables P and S in this folder.

Earth model: a sphere of radius 6371 km made of concentric shells, each of
constant velocity (the table MODEL below: top depth in km, P and S velocity in
km/s). Two crustal layers over a mantle whose velocity rises in 50 km steps
down to the core at 2891 km depth. The core is not modelled: rays that would
enter it are dropped, so both tables end in missing points (-1) beyond the
distance where the deepest mantle ray emerges.

Method: in a shell of constant velocity a ray is a straight line, so for a
ray parameter p (s/rad) the distance and time through the shell follow in
closed form: with the turning radius rt = p * v, the arc between radii ra and
rb is acos(rt/ra) - acos(rt/rb) and the path length is
sqrt(ra^2 - rt^2) - sqrt(rb^2 - rt^2). For each source depth the script
sweeps p over the up-going ray (source to surface) and the down-going ray
(source to its turning point and back up to the surface), and the table value
at each distance is the first arrival over every branch, linearly
interpolated between neighbouring rays.

Only the Python standard library is used. Run it from any folder:
    python3 demo/tables/make_tables.py
"""

import math
import os

EARTH_RADIUS = 6371.0
CORE_DEPTH = 2891.0

# top depth (km), Vp, Vs (km/s)
CRUST = [(0.0, 5.8, 3.36), (20.0, 6.5, 3.75)]
MOHO = 35.0


def mantle_layers():
    """Mantle shells 50 km thick whose velocity grows with depth."""
    layers = []
    depth = MOHO
    while depth < CORE_DEPTH:
        mid = depth + 25.0
        vp = 8.04 + 5.6 * (mid - MOHO) / (CORE_DEPTH - MOHO) - 1.6 * ((mid - MOHO) / (CORE_DEPTH - MOHO)) ** 2
        vs = vp / 1.78
        layers.append((depth, vp, vs))
        depth += 50.0
    return layers


MODEL = CRUST + mantle_layers()

DEPTHS = [0.0, 15.0, 33.0, 70.0, 150.0, 300.0, 500.0, 700.0]
DISTANCES = [0.0, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0] + [float(d) for d in range(10, 121, 2)]


def shells(wave):
    """(outer radius, inner radius, velocity) from the surface down."""
    column = 1 if wave == "P" else 2
    result = []
    for i, layer in enumerate(MODEL):
        top = layer[0]
        bottom = MODEL[i + 1][0] if i + 1 < len(MODEL) else CORE_DEPTH
        result.append((EARTH_RADIUS - top, EARTH_RADIUS - bottom, layer[column]))
    return result


def split_at_source(layers, source_radius):
    """Shells above the source and below it, the source's shell cut in two."""
    above, below = [], []
    for outer, inner, v in layers:
        if inner >= source_radius:
            above.append((outer, inner, v))
        elif outer <= source_radius:
            below.append((outer, inner, v))
        else:
            above.append((outer, source_radius, v))
            below.append((source_radius, inner, v))
    return above, below


def segment(p, outer, inner, v):
    """Arc (rad) and time (s) of a straight ray from radius outer to inner."""
    rt = p * v
    arc = math.acos(min(1.0, rt / outer)) - math.acos(min(1.0, rt / inner))
    length = math.sqrt(max(0.0, outer * outer - rt * rt)) - math.sqrt(max(0.0, inner * inner - rt * rt))
    return arc, length / v


def up_leg(p, above):
    arc = time = 0.0
    for outer, inner, v in above:
        if p * v > inner + 1e-9:
            return None
        a, t = segment(p, outer, inner, v)
        arc += a
        time += t
    return arc, time


def down_leg(p, below):
    """Source to turning point; None when the ray reaches the core."""
    arc = time = 0.0
    for outer, inner, v in below:
        rt = p * v
        if rt >= outer:
            return arc, time
        if rt >= inner:
            a, t = segment(p, outer, rt, v)
            return arc + a, time + t
        a, t = segment(p, outer, inner, v)
        arc += a
        time += t
    return None


def branches(wave, depth):
    layers = shells(wave)
    source_radius = EARTH_RADIUS - depth
    above, below = split_at_source(layers, source_radius)
    v_source = below[0][2]
    p_max = source_radius / v_source
    steps = 40000
    up, down = [], []
    for k in range(steps + 1):
        p = p_max * k / steps
        leg = up_leg(p, above)
        if leg is None:
            continue
        up.append((math.degrees(leg[0]), leg[1]))
        bottom = down_leg(p, below)
        if bottom is not None:
            down.append((math.degrees(leg[0] + 2 * bottom[0]), leg[1] + 2 * bottom[1]))
    return [up, down]


def first_arrival(rays, distance):
    best = None
    for branch in rays:
        for (d0, t0), (d1, t1) in zip(branch, branch[1:]):
            lo, hi = min(d0, d1), max(d0, d1)
            if lo <= distance <= hi:
                t = t0 if hi == lo else t0 + (t1 - t0) * (distance - d0) / (d1 - d0)
                if best is None or t < best:
                    best = t
    return best


def table(wave):
    rows = []
    for depth in DEPTHS:
        rays = branches(wave, depth)
        row = []
        for distance in DISTANCES:
            t = first_arrival(rays, distance)
            row.append(-1.0 if t is None else t)
        rows.append(row)
    return rows


def numbers(values, per_line, fmt):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append(" ".join(fmt % v for v in values[i:i + per_line]))
    return "\n".join(lines)


def write(wave, folder):
    rows = table(wave)
    text = [f"{wave} travel times (s) of the KRO demo shell model, made by make_tables.py",
            "# number of source depths, then the depths in km",
            str(len(DEPTHS)),
            numbers(DEPTHS, 8, "%g"),
            "# number of distances, then the distances in degrees",
            str(len(DISTANCES)),
            numbers(DISTANCES, 10, "%g")]
    for depth, row in zip(DEPTHS, rows):
        text.append(f"# depth {depth:g} km")
        text.append(numbers(row, 10, "%.2f"))
    with open(os.path.join(folder, wave), "w", encoding="ascii") as f:
        f.write("\n".join(text) + "\n")


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for wave in ("P", "S"):
        write(wave, folder)


if __name__ == "__main__":
    main()
