// LineString: open or closed chains over the library's polyline functions.
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/sub_polylines.h>

#include <algorithm>
#include <cmath>

#include "bindings.h"
#include "convert.h"

namespace geopy {
namespace {

// The point at a distance along the line, the distance clamped to the line's length.
CPoint3d PointAt(const LineString& line, double distance) {
    Require(!std::isnan(distance), "distance is NaN");
    const double length = GetTotalLength(line.pts);
    CPoint3d p;
    if (distance >= length) {
        return line.pts.back();
    }
    if (distance <= 0.0 || !GetPtAtLength(line.pts, distance, p, nullptr, kTol)) {
        return line.pts.front();
    }
    return p;
}

LineString Substring(const LineString& line, double start, double end) {
    const CPoint3d a = PointAt(line, start);
    const CPoint3d b = PointAt(line, end);
    LineString out{{}, line.hasZ};
    Require(
        getPtsFromPolyline(line.pts, out.pts, a, b, kTol) && out.pts.size() >= 2,
        "no stretch of the line between " + std::to_string(start) + " and " + std::to_string(end));
    return out;
}

LineString Offset(const LineString& line, double distance) {
    Require(std::isfinite(distance), "offset distance is not finite");
    LineString out{{}, false};
    {
        py::gil_scoped_release unlocked;
        OffsetPline(line.pts, out.pts, distance, 0.0);
    }
    for (const CPoint3d& p : out.pts) {
        Require(std::isfinite(p.x) && std::isfinite(p.y), "the line turns straight back on itself");
    }
    return out;
}

py::tuple Bounds(const Points& pts) {
    auto [xlo, xhi] =
        std::minmax_element(pts.begin(), pts.end(), [](auto& a, auto& b) { return a.x < b.x; });
    auto [ylo, yhi] =
        std::minmax_element(pts.begin(), pts.end(), [](auto& a, auto& b) { return a.y < b.y; });
    return py::make_tuple(xlo->x, ylo->y, xhi->x, yhi->y);
}

}  // namespace

void BindLines(py::module_& m) {
    py::class_<LineString>(m, "LineString", "An open or closed chain of vertices.")
        .def(py::init([](py::handle coords) {
                 LineString line;
                 line.pts = ToPoints(coords, "coordinates", 2, &line.hasZ);
                 return line;
             }),
             py::arg("coordinates"), "(n, 2) or (n, 3) coordinates, n >= 2.")
        .def_property_readonly(
            "coords", [](const LineString& l) { return ToArray(l.pts, l.hasZ); },
            "The vertices as an (n, 2) or (n, 3) float64 array (a copy).")
        .def_property_readonly("length", [](const LineString& l) { return GetTotalLength(l.pts); })
        .def_property_readonly("bounds", [](const LineString& l) { return Bounds(l.pts); })
        .def_property_readonly("has_z", [](const LineString& l) { return l.hasZ; })
        .def_property_readonly("is_closed",
                               [](const LineString& l) {
                                   return l.pts.size() > 2 && l.pts.front().x == l.pts.back().x &&
                                          l.pts.front().y == l.pts.back().y;
                               })
        .def(
            "interpolate",
            [](const LineString& l, double d) { return PointTuple(PointAt(l, d), l.hasZ); },
            py::arg("distance"),
            "The point at that distance from the start, clamped to the line's ends.")
        .def("substring", &Substring, py::arg("start"), py::arg("end"),
             "The stretch between two distances along the line.")
        .def("offset", &Offset, py::arg("distance"),
             "Every vertex moved along its corner bisector so the edges lie distance to the "
             "left (right when negative), corners mitred.")
        .def_property_readonly("geom_type", [](const LineString&) { return "LineString"; })
        .def_property_readonly("__geo_interface__", [](const LineString& l) {
            return GeoInterface("LineString", PointTuples(l.pts, l.hasZ));
        });
}

}  // namespace geopy
