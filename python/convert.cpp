// Conversions between Python values and point lists, regions and the module's geometries.
#include "convert.h"

#include <geo/measures.h>
#include <geo/prepared_area.h>

#include <cmath>

namespace geopy {
namespace {

std::string ShapeText(const py::array& arr) {
    std::string text = "(";
    for (py::ssize_t i = 0; i < arr.ndim(); ++i) {
        text += (i ? ", " : "") + std::to_string(arr.shape(i));
    }
    return text + (arr.ndim() == 1 ? ",)" : ")");
}

// The value as a numpy array of numbers (not booleans, strings or objects).
py::array AsNumeric(py::handle obj, const std::string& what) {
    if (py::isinstance<py::str>(obj) || py::isinstance<py::bytes>(obj)) {
        throw py::type_error(what + " must hold numbers, got a string");
    }
    py::object arr;
    try {
        arr = py::module_::import("numpy").attr("asarray")(obj);
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_ValueError)) {
            throw;
        }
        throw py::value_error(what + " is not a rectangular array of numbers: " + e.what());
    }
    py::array result = arr.cast<py::array>();
    const char kind = result.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f') {
        throw py::type_error(what + " must hold numbers, got dtype " +
                             py::str(result.dtype()).cast<std::string>());
    }
    return result;
}

bool SamePlanPoint(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

void Require(bool condition, const std::string& message) {
    if (!condition) {
        throw py::value_error(message);
    }
}

Points ToPoints(py::handle obj, const std::string& what, size_t minCount, bool* hasZ) {
    py::array arr = AsNumeric(obj, what);
    const bool emptyList = arr.ndim() == 1 && arr.shape(0) == 0;
    Require(emptyList || (arr.ndim() == 2 && (arr.shape(1) == 2 || arr.shape(1) == 3)),
            what + " must have shape (n, 2) or (n, 3), got " + ShapeText(arr));
    const size_t n = emptyList ? 0 : static_cast<size_t>(arr.shape(0));
    Require(n >= minCount, what + " has " + std::to_string(n) + " points, at least " +
                               std::to_string(minCount) + " needed");
    const int dims = emptyList ? 2 : static_cast<int>(arr.shape(1));
    auto values = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(arr);
    const double* v = values.data();
    Points pts;
    pts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double* row = v + i * dims;
        const double z = dims == 3 ? row[2] : 0.0;
        Require(std::isfinite(row[0]) && std::isfinite(row[1]) && std::isfinite(z),
                what + ": coordinate " + std::to_string(i) + " is not finite");
        pts.emplace_back(row[0], row[1], z);
    }
    if (hasZ) {
        *hasZ = dims == 3;
    }
    return pts;
}

Points ToRing(py::handle obj, const std::string& what, bool* hasZ) {
    Points pts = ToPoints(obj, what, 3, hasZ);
    if (SamePlanPoint(pts.front(), pts.back())) {
        pts.pop_back();
    }
    Require(pts.size() >= 3, what + " has fewer than 3 distinct points");
    return pts;
}

py::array_t<double> ToArray(const Points& pts, bool withZ) {
    const py::ssize_t dims = withZ ? 3 : 2;
    py::array_t<double> arr({static_cast<py::ssize_t>(pts.size()), dims});
    double* out = arr.mutable_data();
    for (const CPoint3d& p : pts) {
        *out++ = p.x;
        *out++ = p.y;
        if (withZ) {
            *out++ = p.z;
        }
    }
    return arr;
}

py::array_t<double> ToValues(py::handle obj, const std::string& what) {
    py::array arr = AsNumeric(obj, what);
    auto values = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(arr);
    return values.attr("reshape")(-1).cast<py::array_t<double>>();
}

py::tuple PointTuple(const CPoint3d& p, bool withZ) {
    return withZ ? py::make_tuple(p.x, p.y, p.z) : py::make_tuple(p.x, p.y);
}

py::tuple PointTuples(const Points& pts, bool withZ) {
    py::tuple out(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        out[i] = PointTuple(pts[i], withZ);
    }
    return out;
}

py::dict GeoInterface(const char* type, py::object coordinates) {
    py::dict d;
    d["type"] = type;
    d["coordinates"] = std::move(coordinates);
    return d;
}

CRegion RegionOf(Points shell, std::vector<Points> holes) {
    std::vector<Points> outers;
    outers.push_back(std::move(shell));
    return CRegion(outers, holes);
}

CRegion ToRegion(py::handle obj, const std::string& what) {
    if (py::isinstance<Polygon>(obj)) {
        return obj.cast<const Polygon&>().region;
    }
    if (py::isinstance<MultiPolygon>(obj)) {
        std::vector<Points> outers, holes;
        for (const CRegion& part : obj.cast<const MultiPolygon&>().parts) {
            for (const RegionContour& c : part.contours) {
                (c.isOuter ? outers : holes).push_back(c.pts);
            }
        }
        return CRegion(outers, holes);
    }
    throw py::type_error(what + " must be a geo.Polygon or geo.MultiPolygon, got " +
                         py::str(py::type::of(obj)).cast<std::string>());
}

bool AreaHasZ(py::handle obj) {
    if (py::isinstance<Polygon>(obj)) {
        return obj.cast<const Polygon&>().hasZ;
    }
    return py::isinstance<MultiPolygon>(obj) && obj.cast<const MultiPolygon&>().hasZ;
}

std::vector<CRegion> ToParts(py::handle obj, const std::string& what) {
    if (py::isinstance<MultiPolygon>(obj)) {
        return obj.cast<const MultiPolygon&>().parts;
    }
    CRegion region = ToRegion(obj, what);
    if (region.contours.empty()) {
        return {};
    }
    return {region};
}

namespace {

// A plan box; a contour inside another lies inside its box.
struct Box {
    CPoint3d min, max;
    bool holds(const Box& b) const {
        return b.min.x >= min.x - kTol && b.min.y >= min.y - kTol && b.max.x <= max.x + kTol &&
               b.max.y <= max.y + kTol;
    }
};

Box BoxOf(const Points& pts) {
    Box box;
    CalBox(pts, box.min, box.max);
    return box;
}

// Whether the hole lies in the prepared outer: its first vertex off the outer's boundary
// decides (a valid area's holes touch their outer at single points at most).
bool HoleIn(const Points& hole, const CPreparedArea& outer) {
    for (const CPoint3d& p : hole) {
        const int where = outer.locate(p);
        if (where != -1) {
            return where == 1;
        }
    }
    return true;
}

// The outers in order, each with the holes that lie in it and in no smaller outer; holes in
// no outer are dropped. One outer takes every hole without a test.
std::vector<CRegion> SplitParts(const CRegion& region) {
    std::vector<Points> outers, holes;
    for (const RegionContour& c : region.contours) {
        (c.isOuter ? outers : holes).push_back(c.pts);
    }
    std::vector<std::vector<Points>> partHoles(outers.size());
    if (outers.size() == 1) {
        partHoles[0] = std::move(holes);
    } else if (outers.size() > 1) {
        std::vector<CPreparedArea> prepared;
        std::vector<double> areas;
        std::vector<Box> boxes;
        for (const Points& outer : outers) {
            prepared.emplace_back(outer, kTol);
            areas.push_back(CalPolyArea(outer));
            boxes.push_back(BoxOf(outer));
        }
        for (Points& hole : holes) {
            const Box box = BoxOf(hole);
            size_t best = outers.size();
            for (size_t i = 0; i < outers.size(); ++i) {
                if ((best == outers.size() || areas[i] < areas[best]) && boxes[i].holds(box) &&
                    HoleIn(hole, prepared[i])) {
                    best = i;
                }
            }
            if (best < outers.size()) {
                partHoles[best].push_back(std::move(hole));
            }
        }
    }
    std::vector<CRegion> parts;
    for (size_t i = 0; i < outers.size(); ++i) {
        parts.push_back(RegionOf(std::move(outers[i]), std::move(partHoles[i])));
    }
    return parts;
}

}  // namespace

py::object FromRegion(const CRegion& region, bool hasZ) {
    std::vector<CRegion> parts = SplitParts(region);
    if (parts.size() > 1) {
        return py::cast(MultiPolygon{std::move(parts), hasZ});
    }
    Polygon polygon;
    polygon.hasZ = hasZ;
    if (!parts.empty()) {
        polygon.region = std::move(parts.front());
    }
    return py::cast(std::move(polygon));
}

}  // namespace geopy
