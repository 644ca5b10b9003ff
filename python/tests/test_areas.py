"""Polygons and MultiPolygons against Shapely where the two overlap."""
import numpy as np
import pytest
import shapely.geometry as sg
import shapely.vectorized

import geo
from conftest import HOLE, L_SHAPE, SQUARE, assert_area, star, to_shapely

PAIRS = [
    (geo.Polygon(SQUARE, [HOLE]), geo.Polygon([(2, 1), (6, 1), (6, 5), (2, 5)])),
    (geo.Polygon(star(16, 2, 5)), geo.Polygon(star(12, 1, 4, cx=2, cy=1, phase=0.3))),
    (geo.Polygon(L_SHAPE), geo.Polygon([(1, 1), (7, 1), (7, 3), (1, 3)])),
    (geo.Polygon(SQUARE), geo.Polygon([(10, 10), (11, 10), (11, 11)])),
]
OPS = ["union", "intersection", "difference", "symmetric_difference"]


@pytest.mark.parametrize("op", OPS)
@pytest.mark.parametrize("a,b", PAIRS)
def test_booleans_match_shapely(a, b, op):
    result = getattr(a, op)(b)
    assert_area(result.area, getattr(to_shapely(a), op)(to_shapely(b)).area)
    assert result.geom_type in ("Polygon", "MultiPolygon")


def test_measures_and_rings_match_shapely(holed):
    s = to_shapely(holed)
    assert (holed.area, holed.length, holed.bounds) == (s.area, s.length, s.bounds)
    assert np.array_equal(holed.exterior.coords, np.asarray(s.exterior.coords))
    assert [len(r.coords) for r in holed.interiors] == [5]
    assert geo.Polygon().is_empty and geo.Polygon().bounds == ()


@pytest.mark.parametrize("outline,d", [(SQUARE, 1.0), (SQUARE, -1.0), (L_SHAPE, 0.5)])
def test_offset_is_a_mitred_buffer(outline, d):
    expected = sg.Polygon(outline).buffer(d, join_style=2, mitre_limit=10).area
    assert_area(geo.Polygon(outline).offset(d).area, expected)


def test_offset_past_the_middle_leaves_nothing():
    assert geo.Polygon(SQUARE).offset(-3).is_empty


def test_contains_xy_matches_prepared_shapely():
    island = [(-0.5, -0.5), (0.5, -0.5), (0, 0.5)]
    area = geo.MultiPolygon([geo.Polygon(star(40, 3, 6), [star(10, 1, 2)]), island])
    rng = np.random.default_rng(7)
    x, y = rng.uniform(-7, 7, (2, 200000))  # enough for several threads
    expected = shapely.vectorized.contains(to_shapely(area), x, y)
    assert np.array_equal(area.contains_xy(x, y), expected)
    grid = area.contains_xy(x.reshape(1000, 200), y.reshape(1000, 200))
    assert grid.shape == (1000, 200) and grid.dtype == bool


def test_contains_xy_boundary_flag():
    p = geo.Polygon(SQUARE, [HOLE])
    x, y = [0.0, 1.0, 2.0, 3.0], [2.0, 1.5, 3.0, 3.0]
    assert list(p.contains_xy(x, y)) == [False, False, True, True]
    assert list(p.contains_xy(x, y, boundary=True)) == [True, True, True, True]


def test_simplify_drops_collinear_and_duplicate_vertices():
    p = geo.Polygon([(0, 0), (2, 0), (4, 0), (4, 0), (4, 4), (0, 4)]).simplify(1e-6)
    assert len(p.exterior.coords) == 5 and p.area == 16


def test_hull_and_rectangle_match_shapely():
    p = geo.Polygon(star(7, 2, 5, phase=0.2))
    s = to_shapely(p)
    assert_area(p.convex_hull.area, s.convex_hull.area)
    assert_area(p.minimum_rotated_rectangle.area, s.minimum_rotated_rectangle.area)


def test_split_cuts_into_pieces_of_the_same_total_area():
    pieces = geo.Polygon(L_SHAPE).split(geo.LineString([(1, -1), (1, 6)]))
    assert len(pieces) == 2
    assert_area(sum(p.area for p in pieces), geo.Polygon(L_SHAPE).area)
    assert len(geo.Polygon(SQUARE).split(geo.LineString([(9, 0), (9, 1)]))) == 1


def test_validity_is_no_self_crossing():
    assert geo.Polygon(SQUARE).is_valid
    assert not geo.Polygon([(0, 0), (2, 2), (2, 0), (0, 2)]).is_valid


def test_multipolygon_parts_keep_their_order_and_holes():
    mp = geo.MultiPolygon([([(10, 0), (11, 0), (11, 1)], []), geo.Polygon(SQUARE, [HOLE])])
    assert [g.area for g in mp.geoms] == [0.5, 15]
    assert_area(mp.area, to_shapely(mp).area)
    assert len(mp) == 2


def test_results_carry_z_only_when_an_input_did():
    flat = geo.Polygon(SQUARE)
    raised = geo.Polygon([(x, y, 3.0) for x, y in SQUARE])
    assert not flat.union(flat).has_z and raised.union(flat).has_z
    assert raised.exterior.coords.shape == (5, 3)


def test_result_holes_go_to_the_part_that_holds_them():
    frame = geo.Polygon([(0, 0), (10, 0), (10, 10), (0, 10)], [[(2, 2), (8, 2), (8, 8), (2, 8)]])
    island = geo.Polygon([(4, 4), (6, 4), (6, 6), (4, 6)], [[(4.5, 4.5), (5.5, 4.5), (5.5, 5.5)]])
    parts = frame.union(island).geoms
    assert sorted((p.area, len(p.interiors)) for p in parts) == [(3.5, 1), (64, 1)]
