// Conversions between Python values and the library's point lists, and the geometry objects
// the module hands to Python.
#pragma once

#include <geo/point3d.h>
#include <geo/region.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace geopy {

namespace py = pybind11;
using Points = std::vector<CPoint3d>;

// The library's point tolerance, used wherever a call takes one.
constexpr double kTol = 1e-6;

// An area with at most one outer boundary (none when empty) and its holes.
struct Polygon {
    CRegion region;
    bool hasZ = false;
};

// Areas side by side, each a region of one outer boundary and its holes.
struct MultiPolygon {
    std::vector<CRegion> parts;
    bool hasZ = false;
};

// An open or closed chain of vertices.
struct LineString {
    Points pts;
    bool hasZ = false;
};

// Reads an array-like of shape (n, 2) or (n, 3) of finite numbers into points; `what` names
// the argument in errors. Raises TypeError for a non-numeric dtype and ValueError for a wrong
// shape, a non-finite coordinate or fewer than minCount points. hasZ, when given, tells
// whether a third column was present.
Points ToPoints(py::handle obj, const std::string& what, size_t minCount, bool* hasZ = nullptr);

// A ring given with or without its closing repeat, returned without it; at least 3 points.
Points ToRing(py::handle obj, const std::string& what, bool* hasZ);

// The points as a float64 array of shape (n, 3) with z, else (n, 2).
py::array_t<double> ToArray(const Points& pts, bool withZ);

// A one-dimensional float64 copy of an array-like, for vectorised queries.
py::array_t<double> ToValues(py::handle obj, const std::string& what);

// The area a Python geometry stands for: a Polygon or a MultiPolygon, holes kept. Raises
// TypeError for anything else.
CRegion ToRegion(py::handle obj, const std::string& what);
// Whether a Polygon or MultiPolygon carries z.
bool AreaHasZ(py::handle obj);

// The regions of one outer boundary each, in the order of the area's parts.
std::vector<CRegion> ToParts(py::handle obj, const std::string& what);

// A region of any number of outers returned as a Polygon (one or no outer) or a
// MultiPolygon of the outers in order, each hole going to the smallest outer holding it;
// holes inside no outer are dropped.
py::object FromRegion(const CRegion& region, bool hasZ);

// A region of the outer ring and the holes, in that order.
CRegion RegionOf(Points shell, std::vector<Points> holes);

// (x, y, z) with z, else (x, y).
py::tuple PointTuple(const CPoint3d& p, bool withZ);
// The tuples of the points, as __geo_interface__ writes a line or a ring.
py::tuple PointTuples(const Points& pts, bool withZ);
// A __geo_interface__ mapping of the type and coordinates.
py::dict GeoInterface(const char* type, py::object coordinates);

// Raises ValueError with the message when the condition does not hold.
void Require(bool condition, const std::string& message);

}  // namespace geopy
