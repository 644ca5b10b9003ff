// WKT and GeoJSON through the command-line tool's readers and writers.
#include <geojson.h>
#include <wkt.h>

#include "bindings.h"
#include "convert.h"

namespace geopy {
namespace {

bool AnyZ(const Points& pts) {
    for (const CPoint3d& p : pts) {
        if (p.z != 0.0) {
            return true;
        }
    }
    return false;
}

CRegion RegionOfRings(const geoio::RingSet& rings, bool& hasZ) {
    std::vector<Points> outers, holes;
    for (size_t i = 0; i < rings.size(); ++i) {
        Points ring = rings[i];
        hasZ = hasZ || AnyZ(ring);
        if (ring.size() > 1) {
            ring.pop_back();
        }
        (i == 0 ? outers : holes).push_back(std::move(ring));
    }
    return CRegion(outers, holes);
}

py::object FromShape(const geoio::Shape& shape) {
    if (shape.kind == geoio::ShapeKind::Point) {
        if (shape.pts.empty()) {
            return py::none();
        }
        const CPoint3d& p = shape.pts.front();
        return p.z != 0.0 ? py::make_tuple(p.x, p.y, p.z) : py::make_tuple(p.x, p.y);
    }
    if (shape.kind == geoio::ShapeKind::Line) {
        Require(shape.pts.size() >= 2, "a line string needs at least 2 points");
        return py::cast(LineString{shape.pts, AnyZ(shape.pts)});
    }
    MultiPolygon multi;
    for (const geoio::RingSet& rings : shape.polygons) {
        multi.parts.push_back(RegionOfRings(rings, multi.hasZ));
    }
    if (shape.multi || multi.parts.size() > 1) {
        return py::cast(std::move(multi));
    }
    Polygon polygon{multi.parts.empty() ? CRegion() : multi.parts.front(), multi.hasZ};
    return py::cast(std::move(polygon));
}

geoio::Ring ClosedRing(Points pts) {
    pts.push_back(pts.front());
    return pts;
}

geoio::RingSet RingsOfPart(const CRegion& part) {
    geoio::RingSet rings;
    for (const RegionContour& c : part.contours) {
        if (c.isOuter) {
            rings.insert(rings.begin(), ClosedRing(c.pts));
        } else {
            rings.push_back(ClosedRing(c.pts));
        }
    }
    return rings;
}

geoio::Shape ShapeOf(py::handle obj) {
    if (py::isinstance<LineString>(obj)) {
        return geoio::Shape::line(obj.cast<const LineString&>().pts);
    }
    const bool multi = py::isinstance<MultiPolygon>(obj);
    std::vector<geoio::RingSet> polygons;
    for (const CRegion& part : ToParts(obj, "geometry")) {
        polygons.push_back(RingsOfPart(part));
    }
    geoio::Shape shape = geoio::Shape::area(std::move(polygons));
    shape.multi = multi;
    return shape;
}

// Every geometry of the text: the one geometry, or a list when there are several.
template <typename Reader>
py::object ReadAll(const std::string& text, Reader read) {
    std::vector<geoio::Shape> shapes;
    try {
        py::gil_scoped_release unlocked;
        read(text, [&](geoio::Shape&& s) { shapes.push_back(std::move(s)); });
    } catch (const geoio::InputError& e) {
        throw py::value_error(geoio::Describe(e.place(), e.message()));
    }
    if (shapes.size() == 1) {
        return FromShape(shapes.front());
    }
    py::list out;
    for (const geoio::Shape& s : shapes) {
        out.append(FromShape(s));
    }
    return out;
}

}  // namespace

void BindInterchange(py::module_& m) {
    m.def(
        "from_wkt",
        [](const std::string& text) {
            return ReadAll(text, [](const std::string& t, const geoio::ShapeSink& sink) {
                geoio::ReadWkt(std::string_view(t), "wkt", sink);
            });
        },
        py::arg("text"),
        "The geometry of well-known text (a list when it holds several: collections and "
        "multi-lines are read as their members). Points come back as tuples. ValueError names "
        "the line and column of a fault.");
    m.def(
        "from_geojson",
        [](const std::string& text) {
            return ReadAll(text, [](const std::string& t, const geoio::ShapeSink& sink) {
                geoio::ReadGeoJson(std::string_view(t), "geojson", sink);
            });
        },
        py::arg("text"), "The geometry of a GeoJSON geometry, Feature or FeatureCollection text.");
    m.def(
        "to_wkt", [](py::handle g) { return geoio::ToWkt(ShapeOf(g)); }, py::arg("geometry"),
        "Well-known text with the shortest numbers that read back exactly.");
    m.def(
        "to_geojson", [](py::handle g) { return geoio::ToGeoJson(ShapeOf(g)); },
        py::arg("geometry"), "A GeoJSON geometry object as text.");
}

}  // namespace geopy
