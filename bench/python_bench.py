#!/usr/bin/python3
"""Times the Python module against Shapely and against the same calls made from C++.

Run with Debian's interpreter from the repository root after a normal build:
    /usr/bin/python3 bench/python_bench.py [--build build/release] [--repeats 5]
The module is imported from BUILD/python unless it is already importable from elsewhere.
"""
import argparse
import math
import os
import subprocess
import sys
import time

import numpy as np


def star(n, r_in, r_out, cx=0.0, cy=0.0, phase=0.0):
    """An outline of 2n vertices alternating between two circles."""
    t = np.arange(2 * n) * math.pi / n + phase
    r = np.where(np.arange(2 * n) % 2 == 0, r_out, r_in)
    return np.column_stack([cx + r * np.cos(t), cy + r * np.sin(t)])


def footprints(n, seed=11):
    """n axis-aligned rectangles on a 0.1 grid, scattered so that many overlap (the union
    merges vertices closer than 0.01, so the grid keeps its result comparable)."""
    rng = np.random.default_rng(seed)
    side = math.sqrt(n) * 6
    corners = np.round(rng.uniform(0, side, (n, 2)), 1)
    sizes = np.round(rng.uniform(2, 8, (n, 2)), 1)
    out = []
    for (x, y), (w, h) in zip(corners, sizes):
        out.append(np.array([(x, y), (x + w, y), (x + w, y + h), (x, y + h)]))
    return out


def best(repeats, call):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


def cpp_seconds(exe, op, outlines, repeats):
    """Best time of the C++ call on the same outlines, measured by the helper program."""
    lines = [str(len(outlines))]
    for pts in outlines:
        lines.append(str(len(pts)))
        lines.append(" ".join(f"{x!r} {y!r}" for x, y in pts))
    text = "\n".join(lines) + "\n"
    done = subprocess.run([exe, op, str(repeats)], input=text, capture_output=True, text=True,
                          check=True)
    return float(done.stdout)


def report(name, seconds):
    geo_s = seconds["geo"]
    cells = [f"{name:<38}", f"geo {geo_s * 1e3:9.2f} ms"]
    for peer in ("C++", "Shapely"):
        if peer in seconds:
            ratio = geo_s / seconds[peer]
            cells.append(f"{peer} {seconds[peer] * 1e3:9.2f} ms (geo/{peer} {ratio:.2f})")
    print("  ".join(cells))


def bench_contains(geo, shapely_geometry, prep, vectorized, repeats):
    outline = star(512, 60, 100)
    area = geo.Polygon(outline)
    prepared = prep(shapely_geometry.Polygon(outline))
    rng = np.random.default_rng(5)
    x, y = rng.uniform(-100, 100, (2, 1_000_000))
    assert np.array_equal(area.contains_xy(x, y), vectorized.contains(prepared, x, y))
    report("contains_xy, 10^6 points, 1024 vertices", {
        "geo": best(repeats, lambda: area.contains_xy(x, y)),
        "Shapely": best(repeats, lambda: vectorized.contains(prepared, x, y)),
    })


def bench_pair(geo, shapely_geometry, exe, repeats):
    # Two wavy outlines that overlap by about two thirds and cross along two short stretches.
    a_pts = star(2048, 97, 100)
    b_pts = star(2048, 97, 100, cx=30, cy=10, phase=0.001)
    a, b = geo.Polygon(a_pts), geo.Polygon(b_pts)
    sa, sb = shapely_geometry.Polygon(a_pts), shapely_geometry.Polygon(b_pts)
    for op in ("union", "intersection"):
        assert math.isclose(getattr(a, op)(b).area, getattr(sa, op)(sb).area, rel_tol=1e-9)
        report(f"{op}, two 4096-vertex polygons", {
            "geo": best(repeats, lambda: getattr(a, op)(b)),
            "C++": cpp_seconds(exe, op, [a_pts, b_pts], repeats),
            "Shapely": best(repeats, lambda: getattr(sa, op)(sb)),
        })


def bench_union_all(geo, shapely_geometry, unary_union, exe, repeats):
    outlines = footprints(10_000)
    polygons = [geo.Polygon(p) for p in outlines]
    shapes = [shapely_geometry.Polygon(p) for p in outlines]
    assert math.isclose(geo.union_all(polygons).area, unary_union(shapes).area, rel_tol=1e-9)
    report("union_all, 10 000 footprints", {
        "geo": best(repeats, lambda: geo.union_all(polygons)),
        "C++": cpp_seconds(exe, "union_all", outlines, repeats),
        "Shapely": best(repeats, lambda: unary_union(shapes)),
    })


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build/release", help="the normal build's folder")
    parser.add_argument("--repeats", type=int, default=5, help="runs per call; the best counts")
    args = parser.parse_args()
    sys.path.insert(0, os.path.join(args.build, "python"))
    import geo
    import shapely
    import shapely.geometry as shapely_geometry
    import shapely.vectorized as vectorized
    from shapely.ops import unary_union
    from shapely.prepared import prep

    exe = os.path.join(args.build, "python", "geo_cpp_calls")
    print(f"geo module {geo.__file__}; Shapely {shapely.__version__}; best of {args.repeats}")
    bench_contains(geo, shapely_geometry, prep, vectorized, args.repeats)
    bench_pair(geo, shapely_geometry, exe, args.repeats)
    bench_union_all(geo, shapely_geometry, unary_union, exe, args.repeats)


if __name__ == "__main__":
    main()
