// Polygon and MultiPolygon: areas over regions, with Shapely's names where the two overlap.
#include <geo/cleanup.h>
#include <geo/hull.h>
#include <geo/measures.h>
#include <geo/prepared_area.h>
#include <geo/splitting.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <thread>

#include "bindings.h"
#include "convert.h"

namespace geopy {
namespace {

// The ring with its closing repeat, as Shapely and GeoJSON write rings.
Points ClosedRing(Points pts) {
    if (!pts.empty() && !(pts.front().x == pts.back().x && pts.front().y == pts.back().y)) {
        pts.push_back(pts.front());
    }
    return pts;
}

double Perimeter(const Points& ring) {
    return GetTotalLength(ClosedRing(ring));
}

py::tuple Bounds(const CRegion& region) {
    double lo[2] = {std::numeric_limits<double>::infinity(),
                    std::numeric_limits<double>::infinity()};
    double hi[2] = {-lo[0], -lo[1]};
    for (const RegionContour& c : region.contours) {
        for (const CPoint3d& p : c.pts) {
            lo[0] = std::min(lo[0], p.x), lo[1] = std::min(lo[1], p.y);
            hi[0] = std::max(hi[0], p.x), hi[1] = std::max(hi[1], p.y);
        }
    }
    if (lo[0] > hi[0]) {
        return py::tuple();
    }
    return py::make_tuple(lo[0], lo[1], hi[0], hi[1]);
}

bool HasNoSelfCrossing(const CRegion& region) {
    for (const RegionContour& c : region.contours) {
        if (IsSelfIntersect(c.pts, true)) {
            return false;
        }
    }
    return true;
}

py::object Boolean(py::handle self, py::handle other, gpc::gpc_op op) {
    const CRegion a = ToRegion(self, "self");
    const CRegion b = ToRegion(other, "other");
    CRegion out;
    {
        py::gil_scoped_release unlocked;
        a.booleanOper(b, out, op);
    }
    return FromRegion(out, AreaHasZ(self) || AreaHasZ(other));
}

py::object Offset(py::handle self, double distance) {
    Require(std::isfinite(distance), "offset distance is not finite");
    CRegion region = ToRegion(self, "self");
    bool ok = false;
    {
        py::gil_scoped_release unlocked;
        ok = region.Offset(distance);
    }
    return FromRegion(ok ? region : CRegion(), AreaHasZ(self));
}

py::object Simplify(py::handle self, double tol) {
    Require(std::isfinite(tol) && tol >= 0.0, "simplify tolerance must be finite and >= 0");
    CRegion region = ToRegion(self, "self");
    std::vector<Points> outers, holes;
    for (RegionContour& c : region.contours) {
        RemoveRedundancyPts(c.pts, true, tol);
        if (c.pts.size() >= 3) {
            (c.isOuter ? outers : holes).push_back(std::move(c.pts));
        }
    }
    return FromRegion(CRegion(outers, holes), AreaHasZ(self));
}

Points OuterPoints(const CRegion& region) {
    Points pts;
    for (const RegionContour& c : region.contours) {
        if (c.isOuter) {
            pts.insert(pts.end(), c.pts.begin(), c.pts.end());
        }
    }
    return pts;
}

py::object ConvexHullOf(py::handle self) {
    Points hull;
    ConvexHull(OuterPoints(ToRegion(self, "self")), hull);
    return FromRegion(hull.size() >= 3 ? CRegion(hull) : CRegion(), AreaHasZ(self));
}

py::object MinimumRectangle(py::handle self) {
    Points rect;
    const bool ok = GetMinBesiegeRect(OuterPoints(ToRegion(self, "self")), rect);
    return FromRegion(ok ? CRegion(rect) : CRegion(), false);
}

py::list Split(py::handle self, const LineString& cut) {
    Require(cut.pts.size() == 2,
            "split takes a straight cut of 2 points, got " + std::to_string(cut.pts.size()));
    const CRegion region = ToRegion(self, "self");
    Points outer;
    for (const RegionContour& c : region.contours) {
        Require(c.isOuter, "split takes a polygon without holes");
        Require(outer.empty(), "split takes a single polygon");
        outer = c.pts;
    }
    Require(!outer.empty(), "split of an empty polygon");
    CLineSeg cutter(cut.pts[0], cut.pts[1]);
    CPolygon polygon(outer, false);
    std::vector<CPolygon> pieces;
    {
        py::gil_scoped_release unlocked;
        LineSegSplitPolyGon(&cutter, &polygon, pieces);
    }
    py::list out;
    if (pieces.empty()) {
        out.append(FromRegion(region, AreaHasZ(self)));
    }
    for (const CPolygon& piece : pieces) {
        out.append(FromRegion(CRegion(piece.getPoints()), AreaHasZ(self)));
    }
    return out;
}

// One part's outer and holes, prepared for many point questions.
struct PreparedPart {
    CPreparedArea outer;
    std::vector<CPreparedArea> holes;
};

std::vector<PreparedPart> Prepare(const std::vector<CRegion>& parts, double tol) {
    std::vector<PreparedPart> prepared;
    for (const CRegion& part : parts) {
        std::vector<CPreparedArea> holes;
        const Points* outer = nullptr;
        for (const RegionContour& c : part.contours) {
            if (c.isOuter) {
                outer = &c.pts;
            } else {
                holes.emplace_back(c.pts, tol);
            }
        }
        if (outer) {
            prepared.push_back({CPreparedArea(*outer, tol), std::move(holes)});
        }
    }
    return prepared;
}

bool InParts(const std::vector<PreparedPart>& parts, const CPoint3d& p, bool boundary) {
    for (const PreparedPart& part : parts) {
        if (!part.outer.ptIn(p, boundary)) {
            continue;
        }
        bool inHole = false;
        for (const CPreparedArea& hole : part.holes) {
            inHole = inHole || hole.ptIn(p, !boundary);
        }
        if (!inHole) {
            return true;
        }
    }
    return false;
}

// Runs work over [0, n) in a few contiguous slices on their own threads; small counts run
// on the calling thread.
void InParallel(size_t n, const std::function<void(size_t, size_t)>& work) {
    constexpr size_t kMinSlice = 65536;
    const size_t threads =
        std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), n / kMinSlice + 1);
    if (threads <= 1) {
        work(0, n);
        return;
    }
    std::vector<std::thread> pool;
    const size_t slice = (n + threads - 1) / threads;
    for (size_t begin = slice; begin < n; begin += slice) {
        pool.emplace_back(work, begin, std::min(n, begin + slice));
    }
    work(0, std::min(n, slice));
    for (std::thread& t : pool) {
        t.join();
    }
}

py::array ContainsXY(py::handle self, py::handle x, py::handle y, bool boundary, double tol) {
    Require(std::isfinite(tol) && tol >= 0.0, "tolerance must be finite and >= 0");
    const std::vector<CRegion> parts = ToParts(self, "self");
    py::array_t<double> xs = ToValues(x, "x"), ys = ToValues(y, "y");
    Require(xs.size() == ys.size(), "x and y differ in length: " + std::to_string(xs.size()) +
                                        " and " + std::to_string(ys.size()));
    py::array_t<bool> out(xs.size());
    const double* px = xs.data();
    const double* py_ = ys.data();
    bool* result = out.mutable_data();
    {
        py::gil_scoped_release unlocked;
        const std::vector<PreparedPart> prepared = Prepare(parts, tol);
        InParallel(static_cast<size_t>(xs.size()), [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                result[i] = InParts(prepared, CPoint3d(px[i], py_[i], 0.0), boundary);
            }
        });
    }
    return out.attr("reshape")(py::module_::import("numpy").attr("shape")(x));
}

py::list RingsOf(const CRegion& region, bool outer, bool hasZ) {
    py::list rings;
    for (const RegionContour& c : region.contours) {
        if (c.isOuter == outer) {
            rings.append(LineString{ClosedRing(c.pts), hasZ});
        }
    }
    return rings;
}

py::tuple RingCoords(const Points& ring, bool hasZ) {
    return PointTuples(ClosedRing(ring), hasZ);
}

// The rings of one part, outer first, as nested tuples.
py::tuple PartCoords(const CRegion& part, bool hasZ) {
    py::list rings;
    for (const RegionContour& c : part.contours) {
        if (c.isOuter) {
            rings.append(RingCoords(c.pts, hasZ));
        }
    }
    for (const RegionContour& c : part.contours) {
        if (!c.isOuter) {
            rings.append(RingCoords(c.pts, hasZ));
        }
    }
    return py::tuple(rings);
}

Polygon MakePolygon(py::object shell, py::iterable holes) {
    Polygon polygon;
    if (shell.is_none()) {
        Require(py::len(holes) == 0, "a polygon without a shell cannot have holes");
        return polygon;
    }
    Points outer = ToRing(shell, "shell", &polygon.hasZ);
    std::vector<Points> inner;
    for (py::handle hole : holes) {
        bool z = false;
        inner.push_back(ToRing(hole, "hole " + std::to_string(inner.size()), &z));
        polygon.hasZ = polygon.hasZ || z;
    }
    polygon.region = RegionOf(std::move(outer), std::move(inner));
    return polygon;
}

MultiPolygon MakeMultiPolygon(py::iterable polygons) {
    MultiPolygon multi;
    for (py::handle item : polygons) {
        const std::string what = "polygon " + std::to_string(multi.parts.size());
        if (py::isinstance<Polygon>(item)) {
            const Polygon& p = item.cast<const Polygon&>();
            Require(!p.region.contours.empty(), what + " is empty");
            multi.parts.push_back(p.region);
            multi.hasZ = multi.hasZ || p.hasZ;
            continue;
        }
        if (py::isinstance<py::tuple>(item) && py::len(item) == 2) {
            const Polygon p = MakePolygon(item[py::int_(0)], item[py::int_(1)]);
            multi.parts.push_back(p.region);
            multi.hasZ = multi.hasZ || p.hasZ;
            continue;
        }
        const Polygon p = MakePolygon(py::reinterpret_borrow<py::object>(item), py::tuple());
        multi.parts.push_back(p.region);
        multi.hasZ = multi.hasZ || p.hasZ;
    }
    return multi;
}

double TotalLength(const CRegion& region) {
    double sum = 0.0;
    for (const RegionContour& c : region.contours) {
        sum += Perimeter(c.pts);
    }
    return sum;
}

// The methods both area classes share, written once over the region they stand for.
template <typename T>
void BindAreaMethods(py::class_<T>& cls) {
    cls.def_property_readonly(
           "area", [](py::object s) { return ToRegion(s, "self").area(); },
           "Area of the outer boundaries less that of the holes.")
        .def_property_readonly(
            "length", [](py::object s) { return TotalLength(ToRegion(s, "self")); },
            "Perimeter of every boundary, holes included.")
        .def_property_readonly(
            "bounds", [](py::object s) { return Bounds(ToRegion(s, "self")); },
            "(minx, miny, maxx, maxy); an empty tuple when empty.")
        .def_property_readonly(
            "is_valid", [](py::object s) { return HasNoSelfCrossing(ToRegion(s, "self")); },
            "True when no boundary crosses or overlaps itself.")
        .def_property_readonly("is_empty",
                               [](py::object s) { return ToRegion(s, "self").contours.empty(); })
        .def_property_readonly("has_z", [](const T& s) { return s.hasZ; })
        .def(
            "union", [](py::object s, py::object o) { return Boolean(s, o, gpc::GPC_UNION); },
            py::arg("other"), "The area in either.")
        .def(
            "intersection", [](py::object s, py::object o) { return Boolean(s, o, gpc::GPC_INT); },
            py::arg("other"), "The area in both.")
        .def(
            "difference", [](py::object s, py::object o) { return Boolean(s, o, gpc::GPC_DIFF); },
            py::arg("other"), "The area in this one and not in other.")
        .def(
            "symmetric_difference",
            [](py::object s, py::object o) { return Boolean(s, o, gpc::GPC_XOR); },
            py::arg("other"), "The area in exactly one of the two.")
        .def("offset", &Offset, py::arg("distance"),
             "Every boundary moved outwards by distance (inwards when negative), corners "
             "joined by extension; an empty polygon when nothing is left. Parts that grow "
             "into each other are not united.")
        .def("simplify", &Simplify, py::arg("tolerance"),
             "Duplicate, collinear and folded-back vertices removed; tolerance is a length "
             "for points and an angle in radians for the straightness tests.")
        .def_property_readonly("convex_hull", &ConvexHullOf, "Convex hull of the outer boundaries.")
        .def_property_readonly("minimum_rotated_rectangle", &MinimumRectangle,
                               "Least-area rectangle of any orientation around the outer "
                               "boundaries; empty for collinear points.")
        .def("split", &Split, py::arg("line"),
             "The pieces the straight two-point line cuts a polygon without holes into; the "
             "polygon itself when the line does not cross it twice.")
        .def("contains_xy", &ContainsXY, py::arg("x"), py::arg("y"), py::arg("boundary") = false,
             py::arg("tolerance") = kTol,
             "Boolean array: whether each (x, y) lies inside. With boundary, points on a "
             "boundary count as inside.");
}

}  // namespace

void BindAreas(py::module_& m) {
    py::class_<Polygon> polygon(m, "Polygon",
                                "An area with one outer boundary and any number of holes.");
    polygon
        .def(py::init(&MakePolygon), py::arg("shell") = py::none(), py::arg("holes") = py::tuple(),
             "shell and each hole: (n, 2) or (n, 3) coordinates, closing repeat optional. "
             "Without a shell the polygon is empty.")
        .def_property_readonly(
            "exterior",
            [](const Polygon& p) -> py::object {
                py::list rings = RingsOf(p.region, true, p.hasZ);
                if (rings.empty()) {
                    return py::none();
                }
                return rings[0];
            },
            "The outer boundary as a closed LineString; None when empty.")
        .def_property_readonly(
            "interiors", [](const Polygon& p) { return RingsOf(p.region, false, p.hasZ); },
            "The holes as closed LineStrings.")
        .def_property_readonly("geom_type", [](const Polygon&) { return "Polygon"; })
        .def_property_readonly("__geo_interface__", [](const Polygon& p) {
            return GeoInterface("Polygon", PartCoords(p.region, p.hasZ));
        });
    BindAreaMethods(polygon);

    py::class_<MultiPolygon> multi(m, "MultiPolygon", "Areas side by side.");
    multi
        .def(py::init(&MakeMultiPolygon), py::arg("polygons") = py::list(),
             "Each item a Polygon, a (shell, holes) pair or a shell.")
        .def_property_readonly(
            "geoms",
            [](const MultiPolygon& mp) {
                py::list out;
                for (const CRegion& part : mp.parts) {
                    out.append(Polygon{part, mp.hasZ});
                }
                return out;
            },
            "The parts as Polygons.")
        .def("__len__", [](const MultiPolygon& mp) { return mp.parts.size(); })
        .def_property_readonly("geom_type", [](const MultiPolygon&) { return "MultiPolygon"; })
        .def_property_readonly("__geo_interface__", [](const MultiPolygon& mp) {
            py::list parts;
            for (const CRegion& part : mp.parts) {
                parts.append(PartCoords(part, mp.hasZ));
            }
            return GeoInterface("MultiPolygon", py::tuple(parts));
        });
    BindAreaMethods(multi);
}

}  // namespace geopy
