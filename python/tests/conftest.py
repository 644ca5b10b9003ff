"""Shared shapes and checks of the module's tests."""
import math

import numpy as np
import pytest
import shapely.geometry as sg

import geo

SQUARE = [(0, 0), (4, 0), (4, 4), (0, 4)]
HOLE = [(1, 1), (1, 2), (2, 2), (2, 1)]
L_SHAPE = [(0, 0), (6, 0), (6, 2), (2, 2), (2, 5), (0, 5)]


def star(n, r_in, r_out, cx=0.0, cy=0.0, phase=0.0):
    """A star outline of n points: alternate vertices on two circles."""
    t = np.arange(2 * n) * math.pi / n + phase
    r = np.where(np.arange(2 * n) % 2 == 0, r_out, r_in)
    return np.column_stack([cx + r * np.cos(t), cy + r * np.sin(t)])


def to_shapely(g):
    return sg.shape(g.__geo_interface__)


def assert_area(actual, expected):
    assert actual == pytest.approx(expected, rel=1e-9, abs=1e-9)


@pytest.fixture
def holed():
    return geo.Polygon(SQUARE, [HOLE])
