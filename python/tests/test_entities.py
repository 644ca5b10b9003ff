"""Stored entity records: byte-for-byte round trips with the C++ side."""
import os
import subprocess

import pytest

import geo
from conftest import HOLE, SQUARE

RECORDS = os.environ.get("GEO_ENTITY_RECORDS")
needs_cpp = pytest.mark.skipif(not RECORDS, reason="GEO_ENTITY_RECORDS names the C++ helper")


@pytest.fixture(scope="module")
def cpp_records(tmp_path_factory):
    folder = tmp_path_factory.mktemp("records")
    subprocess.run([RECORDS, "write", str(folder)], check=True)
    return {name: (folder / f"{name}.bin").read_bytes() for name in geo.entity_classes}


def cpp_reads_whole(class_name, data, tmp_path):
    path = tmp_path / f"{class_name}.bin"
    path.write_bytes(data)
    return subprocess.run([RECORDS, "check", class_name, str(path)]).returncode == 0


@needs_cpp
@pytest.mark.parametrize("name", geo.entity_classes)
def test_every_class_round_trips_byte_for_byte(name, cpp_records, tmp_path):
    entity = geo.read_entity(name, cpp_records[name])
    assert entity.class_name == name
    data = geo.write_entity(entity)
    assert data == cpp_records[name] and cpp_reads_whole(name, data, tmp_path)


@needs_cpp
@pytest.mark.parametrize("g,name", [(geo.Polygon(SQUARE, [HOLE]), "CRegion"),
                                    (geo.MultiPolygon([SQUARE]), "CRegion"),
                                    (geo.LineString(SQUARE), "CPolyline")])
def test_geometries_are_stored_as_records_the_cpp_reader_takes(g, name, tmp_path):
    data = geo.write_entity(g)
    assert cpp_reads_whole(name, data, tmp_path)
    back = geo.read_entity(name, data).geometry
    assert back.length == g.length and getattr(back, "area", 0) == getattr(g, "area", 0)


@needs_cpp
def test_records_come_back_as_geometries(cpp_records):
    assert geo.read_entity("CRegion", cpp_records["CRegion"]).geometry.area == 12 - 0.5
    assert geo.read_entity("CPolygon", cpp_records["CPolygon"]).geometry.area == 12
    assert geo.read_entity("CPoint3d", cpp_records["CPoint3d"]).geometry == (1.25, -2.5, 3.75)
    assert geo.read_entity("CSphere", cpp_records["CSphere"]).geometry is None


@needs_cpp
@pytest.mark.parametrize("name", geo.entity_classes)
def test_cut_or_padded_records_raise_value_error(name, cpp_records):
    data = cpp_records[name]
    for cut in sorted({0, 1, len(data) // 2, len(data) - 1}):
        with pytest.raises(ValueError, match=f"record of {name}"):
            geo.read_entity(name, data[:cut])
    with pytest.raises(ValueError, match="left over"):
        geo.read_entity(name, data + b"\0")


def test_unknown_classes_and_wrong_objects_are_refused():
    with pytest.raises(ValueError, match="unknown entity class 'CThing'"):
        geo.read_entity("CThing", b"")
    with pytest.raises(TypeError):
        geo.write_entity(42)
