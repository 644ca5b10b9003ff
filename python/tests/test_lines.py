"""LineStrings against Shapely."""
import numpy as np
import pytest
import shapely.geometry as sg

import geo

PATH = [(0, 0), (4, 0), (4, 3), (8, 3)]


def test_length_and_interpolate_match_shapely():
    line, s = geo.LineString(PATH), sg.LineString(PATH)
    assert line.length == s.length
    for d in [0, 2.5, 4, 5.5, 11, 20, -1]:
        assert line.interpolate(d) == pytest.approx(s.interpolate(max(d, 0)).coords[0])


def test_substring_matches_shapely():
    from shapely.ops import substring

    part = geo.LineString(PATH).substring(2, 9)
    assert np.allclose(part.coords, np.asarray(substring(sg.LineString(PATH), 2, 9).coords))


@pytest.mark.parametrize("d,side", [(1.0, "left"), (-0.5, "right")])
def test_offset_matches_a_mitred_parallel_offset(d, side):
    expected = sg.LineString(PATH).parallel_offset(abs(d), side, join_style=2, mitre_limit=10)
    assert np.allclose(geo.LineString(PATH).offset(d).coords, np.asarray(expected.coords))


def test_coordinates_are_copies_owned_by_python():
    line = geo.LineString(np.array(PATH, dtype=np.int32))
    coords = line.coords
    coords[0, 0] = 99
    assert line.coords[0, 0] == 0 and coords.dtype == np.float64
    assert not line.is_closed and geo.LineString(PATH + [PATH[0]]).is_closed
