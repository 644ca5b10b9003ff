"""WKT, GeoJSON and the geo interface."""
import json

import pytest
import shapely.geometry as sg
import shapely.wkt

import geo
from conftest import HOLE, SQUARE, to_shapely

SAMPLES = [
    geo.Polygon(SQUARE, [HOLE]),
    geo.MultiPolygon([SQUARE, [(10, 0), (11, 0), (11, 1)]]),
    geo.LineString([(0, 0), (1.5, 2.25), (3, 0.1)]),
    geo.Polygon([(0, 0, 1), (1, 0, 2), (1, 1, 3)]),
]


@pytest.mark.parametrize("g", SAMPLES)
def test_wkt_and_geojson_round_trip_and_agree_with_shapely(g):
    s = to_shapely(g)
    for text, read in [(geo.to_wkt(g), geo.from_wkt), (geo.to_geojson(g), geo.from_geojson)]:
        back = read(text)
        assert back.geom_type == g.geom_type and back.__geo_interface__ == g.__geo_interface__
    assert shapely.wkt.loads(geo.to_wkt(g)).equals(s)
    assert sg.shape(json.loads(geo.to_geojson(g))).equals(s)


def test_readers_take_shapely_text_and_collections():
    p = geo.from_wkt(sg.Polygon(SQUARE, [HOLE]).wkt)
    assert p.area == 15
    members = geo.from_wkt("GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1))")
    assert members[0] == (1.0, 2.0) and members[1].length == pytest.approx(2**0.5)
    feature = {"type": "Feature", "properties": {}, "geometry": sg.mapping(sg.Polygon(SQUARE))}
    assert geo.from_geojson(json.dumps(feature)).area == 16


@pytest.mark.parametrize("text,read,where", [
    ("POLYGON ((0 0, 1 0, 1 1", geo.from_wkt, "1:"),
    ("LINESTRING (0 0, 1 x)", geo.from_wkt, "1:"),
    ('{"type": "Polygon", "coordinates": [[[0, 0], [1]]]}', geo.from_geojson, "coordinates"),
    ("{", geo.from_geojson, "1:"),
    ("", geo.from_wkt, ""),
])
def test_malformed_text_raises_value_error_naming_the_place(text, read, where):
    with pytest.raises(ValueError, match=where):
        read(text)
