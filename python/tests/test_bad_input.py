"""Bad input raises ValueError or TypeError naming the problem, never a crash."""
import numpy as np
import pytest

import geo
from conftest import SQUARE

NAN_SQUARE = [(0, 0), (1, np.nan), (1, 1)]
P = geo.Polygon(SQUARE)

CASES = [
    (lambda: geo.Polygon(np.zeros((4, 4))), ValueError, r"\(n, 2\) or \(n, 3\), got \(4, 4\)"),
    (lambda: geo.Polygon(np.zeros(6)), ValueError, r"got \(6,\)"),
    (lambda: geo.Polygon([(0, 0), (1, 1)]), ValueError, "2 points, at least 3"),
    (lambda: geo.Polygon([(0, 0), (1, 1), (0, 0)]), ValueError, "fewer than 3 distinct"),
    (lambda: geo.Polygon([]), ValueError, "0 points"),
    (lambda: geo.Polygon(NAN_SQUARE), ValueError, "coordinate 1 is not finite"),
    (lambda: geo.Polygon([["a", "b"], ["c", "d"], ["e", "f"]]), TypeError, "dtype <U1"),
    (lambda: geo.Polygon("0 0 1 1"), TypeError, "got a string"),
    (lambda: geo.Polygon([[0, 0], [1], [1, 1]]), ValueError, "not a rectangular array"),
    (lambda: geo.Polygon(SQUARE, [NAN_SQUARE]), ValueError, "hole 0: coordinate 1"),
    (lambda: geo.LineString([(0, 0)]), ValueError, "at least 2"),
    (lambda: geo.MultiPolygon([geo.Polygon()]), ValueError, "polygon 0 is empty"),
    (lambda: P.union(SQUARE), TypeError, "other must be a geo.Polygon"),
    (lambda: P.offset(np.nan), ValueError, "not finite"),
    (lambda: P.contains_xy([1, 2], [1]), ValueError, "differ in length"),
    (lambda: P.contains_xy(["a"], ["b"]), TypeError, "x must hold numbers"),
    (lambda: P.split(geo.LineString([(0, 0), (1, 1), (2, 0)])), ValueError, "2 points"),
    (lambda: geo.union_all([P, 3]), TypeError, "polygon 1 must be"),
    (lambda: geo.shade([(0, 0), (0.001, 0), (0, 0.001)], (1, 1)), ValueError, "0.01 apart"),
    (lambda: geo.contours(np.ones(4), 0, 0, 1, 1, 1), ValueError, "2D array"),
    (lambda: geo.contours([[0, 1], [np.nan, 1]], 0, 0, 1, 1, 1), ValueError, "sample 2"),
    (lambda: geo.contours([[0, 1], [2, 3]], 0, 0, 0, 1, 1), ValueError, "dx must be"),
    (lambda: geo.contours([[0, 1], [2, 3]], 0, 0, 1, 1, 1e-9), ValueError, "100000 levels"),
    (lambda: geo.wall_lines([(0, 0)], 1), ValueError, "at least 2"),
    (lambda: geo.road_lines([(0, 0), (1, 0)], np.inf), ValueError, "distance is not finite"),
    (lambda: geo.in_panel_shadow([(0, 0)], np.nan, 1, 0, SQUARE, 3), ValueError, "azimuth"),
    (lambda: geo.triangulate(SQUARE), TypeError, "polygon must be"),
    (lambda: geo.read_entity("CPolygon", "text"), TypeError, ""),
]


@pytest.mark.parametrize("call,error,message", CASES)
def test_bad_input_raises_a_named_error(call, error, message):
    with pytest.raises(error, match=message):
        call()
