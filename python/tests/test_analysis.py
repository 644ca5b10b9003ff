"""Unions of many footprints, shadows, contour lines, side lines and triangles."""
import numpy as np
import pytest
import shapely.geometry as sg
from shapely.ops import unary_union

import geo
from conftest import HOLE, L_SHAPE, SQUARE, assert_area, star, to_shapely


def footprints(n, seed=3):
    """Rectangles on a 0.1 grid: the union merges vertices closer than 0.01, as the
    library's polygons do, so finer slivers would part it from Shapely."""
    rng = np.random.default_rng(seed)
    out = []
    for cx, cy in np.round(rng.uniform(0, 40, (n, 2)), 1):
        w, h = np.round(rng.uniform(1, 4, 2), 1)
        out.append(geo.Polygon([(cx, cy), (cx + w, cy), (cx + w, cy + h), (cx, cy + h)]))
    return out


def test_union_all_matches_shapely():
    polys = footprints(300) + [geo.Polygon(np.array(SQUARE) + 50, [np.array(HOLE) + 50])]
    expected = unary_union([to_shapely(p) for p in polys])
    assert_area(geo.union_all(polys).area, expected.area)
    assert geo.union_all([]).is_empty


@pytest.mark.parametrize("shift", [(2, 0), (2, 2), (-1, 3)])
def test_shade_of_a_convex_outline_is_the_hull_of_both_places(shift):
    moved = [(x + shift[0], y + shift[1]) for x, y in SQUARE]
    expected = sg.MultiPoint(SQUARE + moved).convex_hull.area
    assert_area(geo.shade(geo.Polygon(SQUARE), shift).area, expected)
    assert_area(geo.shade(SQUARE, shift).area, expected)


def test_panel_shadow_falls_under_the_panel_and_along_one_direction():
    under = geo.in_panel_shadow([(2, 2), (9, 9)], 0.0, 0.0, 0.0, SQUARE, 10.0)
    assert list(under) == [True, False]
    around = geo.in_panel_shadow([(12, 2), (-8, 2), (2, 12), (2, -8)], 0.0, 1.0, 0.0, SQUARE, 10.0)
    assert around.sum() == 1


def test_contours_trace_closed_rings_of_a_cone_at_their_levels():
    x, y = np.meshgrid(np.linspace(-10, 10, 41), np.linspace(-10, 10, 41))
    z = 10 - np.hypot(x, y)
    lines = geo.contours(z, -10, -10, 0.5, 0.5, 2.0)
    assert lines
    first = lines[0].coords[0, 2]
    for line in lines:
        level = line.coords[0, 2]
        assert np.all(line.coords[:, 2] == level) and (level - first) % 2.0 == 0
    assert geo.contours(np.ones((5, 5)), 0, 0, 1, 1, 1.0) == []


def test_wall_lines_lie_at_the_distance_on_either_side():
    centre = [(0, 0), (10, 0)]
    assert np.allclose(geo.wall_lines(centre, 1.0).coords, [(0, 1), (10, 1)])
    assert np.allclose(geo.wall_lines(centre, 1.0, left=False).coords, [(0, -1), (10, -1)])


def test_road_lines_match_mitred_parallel_offsets():
    centre = [(0, 0), (4, 0), (4, 3), (8, 3)]
    left, right = geo.road_lines(centre, 0.5)
    s = sg.LineString(centre)
    assert np.allclose(left.coords, s.parallel_offset(0.5, "left", join_style=2).coords)
    assert np.allclose(right.coords, s.parallel_offset(0.5, "right", join_style=2).coords)


@pytest.mark.parametrize("polygon", [geo.Polygon(L_SHAPE), geo.Polygon(SQUARE, [HOLE]),
                                     geo.Polygon(star(9, 2, 5))])
def test_triangles_tile_the_polygon(polygon):
    triangles = geo.triangulate(polygon)
    assert_area(sum(t.area for t in triangles), polygon.area)
    centres = np.array([np.mean(t.exterior.coords[:3], axis=0) for t in triangles])
    assert polygon.contains_xy(centres[:, 0], centres[:, 1]).all()
