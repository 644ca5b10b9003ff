// What scripts reach here and not in Shapely: unions of many footprints, shadows, contour
// lines, wall and road side lines, and triangulation.
#include <geo/contour.h>
#include <geo/edge_offsets.h>
#include <geo/measures.h>
#include <geo/projection.h>
#include <geo/region_sets.h>

#include <cmath>

#include "bindings.h"
#include "convert.h"

namespace geopy {
namespace {

// The most levels one contour call traces, so a tiny interval cannot run without end.
constexpr double kMaxContourLevels = 100000;

// Each part as one polygon, its holes bridged in; a lone outline is taken as it is.
void AppendBridged(py::handle area, std::vector<CPolygon>& out, const std::string& what) {
    if (py::isinstance<Polygon>(area)) {
        const CRegion& region = area.cast<const Polygon&>().region;
        if (region.contours.size() == 1) {
            out.emplace_back(region.contours.front().pts, false);
            return;
        }
    }
    for (const CRegion& part : ToParts(area, what)) {
        region2polygonWithHole(part, out);
    }
}

py::object UnionAll(py::iterable polygons) {
    std::vector<CPolygon> in, outers, holes;
    bool hasZ = false;
    for (py::handle item : polygons) {
        AppendBridged(item, in, "polygon " + std::to_string(in.size()));
        hasZ = hasZ || AreaHasZ(item);
    }
    {
        py::gil_scoped_release unlocked;
        BooleanOper(in, outers, holes, gpc::GPC_UNION);
    }
    std::vector<Points> outerPts, holePts;
    for (const CPolygon& p : outers) {
        outerPts.push_back(p.getPoints());
    }
    for (const CPolygon& p : holes) {
        holePts.push_back(p.getPoints());
    }
    return FromRegion(CRegion(outerPts, holePts), hasZ);
}

// An outline given as a Polygon without holes or as coordinates.
Points OutlineOf(py::handle obj, const std::string& what) {
    if (py::isinstance<Polygon>(obj)) {
        const CRegion& region = obj.cast<const Polygon&>().region;
        Require(region.contours.size() == 1, what + " must be a polygon without holes");
        return region.contours.front().pts;
    }
    bool hasZ = false;
    return ToRing(obj, what, &hasZ);
}

CVector3d VectorOf(py::handle obj, const std::string& what) {
    bool hasZ = false;
    py::object row = py::module_::import("numpy").attr("asarray")(obj).attr("reshape")(1, -1);
    Points pts = ToPoints(row, what, 1, &hasZ);
    return CVector3d(pts[0].x, pts[0].y, pts[0].z);
}

py::object Shade(py::handle outline, py::handle shift) {
    const Points pts = OutlineOf(outline, "outline");
    const CVector3d v = VectorOf(shift, "shift");
    Points shade;
    {
        py::gil_scoped_release unlocked;
        GetEntShade(pts, v, shade);
    }
    Require(shade.size() >= 3, "outline has fewer than 3 vertices at least 0.01 apart");
    return FromRegion(CRegion(shade), false);
}

void RequireFinite(double v, const std::string& what) {
    Require(std::isfinite(v), what + " is not finite");
}

py::array_t<bool> InPanelShadow(py::handle points, double azimuth, double lengthPerHeight,
                                double baseHeight, py::handle panel, double panelHeight) {
    RequireFinite(azimuth, "azimuth");
    RequireFinite(lengthPerHeight, "length_per_height");
    RequireFinite(baseHeight, "base_height");
    RequireFinite(panelHeight, "panel_height");
    const Points pts = ToPoints(points, "points", 0);
    const Points outline = OutlineOf(panel, "panel");
    py::array_t<bool> out(static_cast<py::ssize_t>(pts.size()));
    bool* result = out.mutable_data();
    {
        py::gil_scoped_release unlocked;
        for (size_t i = 0; i < pts.size(); ++i) {
            result[i] = IsPtInPanelShadow(pts[i], azimuth, lengthPerHeight, baseHeight, outline,
                                          panelHeight);
        }
    }
    return out;
}

// The grid's samples, checked: two dimensions of at least 2 x 2 finite numbers.
py::array_t<double> GridOf(py::handle z) {
    py::array_t<double> values = ToValues(z, "z");
    py::array shaped = py::module_::import("numpy").attr("asarray")(z);
    Require(shaped.ndim() == 2 && shaped.shape(0) >= 2 && shaped.shape(1) >= 2,
            "z must be a 2D array of at least 2 x 2 samples");
    const double* v = values.data();
    for (py::ssize_t i = 0; i < values.size(); ++i) {
        Require(std::isfinite(v[i]), "z: sample " + std::to_string(i) + " is not finite");
    }
    return values.attr("reshape")(shaped.shape(0), shaped.shape(1)).cast<py::array_t<double>>();
}

void RequireLevelCount(const py::array_t<double>& grid, double interval) {
    const double* v = grid.data();
    double lo = v[0], hi = v[0];
    for (py::ssize_t i = 1; i < grid.size(); ++i) {
        lo = std::min(lo, v[i]), hi = std::max(hi, v[i]);
    }
    Require((hi - lo) / interval <= kMaxContourLevels,
            "interval gives more than 100000 levels over the samples' range");
}

py::list Contours(py::handle z, double x0, double y0, double dx, double dy, double interval) {
    for (auto [v, name] : {std::pair{x0, "x0"}, {y0, "y0"}}) {
        RequireFinite(v, name);
    }
    for (auto [v, name] : {std::pair{dx, "dx"}, {dy, "dy"}, {interval, "interval"}}) {
        Require(std::isfinite(v) && v > 0.0, std::string(name) + " must be finite and > 0");
    }
    const py::array_t<double> grid = GridOf(z);
    RequireLevelCount(grid, interval);
    const int rows = static_cast<int>(grid.shape(0)), cols = static_cast<int>(grid.shape(1));
    std::vector<Points> lines;
    {
        py::gil_scoped_release unlocked;
        CContourGenerator gen;
        gen.setParam(AcGePoint2d(x0, y0), AcGePoint2d(dx, dy), rows - 1, cols - 1, interval);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                gen.setZ(AcGePoint3d(x0 + c * dx, y0 + r * dy, grid.data()[r * cols + c]));
            }
        }
        gen.exeCalu();
        for (int i = 0; i < gen.lineSize(); ++i) {
            const CContourLine* line = gen.at(i);
            Points pts;
            for (INT_PTR k = 0; k < line->pts.GetSize(); ++k) {
                pts.emplace_back(line->pts[k].x, line->pts[k].y, line->elev);
            }
            lines.push_back(std::move(pts));
        }
    }
    py::list out;
    for (Points& pts : lines) {
        out.append(LineString{std::move(pts), true});
    }
    return out;
}

LineString WallLine(py::handle centre, double distance, bool left) {
    RequireFinite(distance, "distance");
    bool hasZ = false;
    const Points pts = ToPoints(centre, "centre", 2, &hasZ);
    LineString out{{}, false};
    CalcMline(pts, out.pts, distance, left);
    Require(out.pts.size() >= 2, "centre gives no side line");
    return out;
}

py::tuple RoadLines(py::handle centre, double distance) {
    RequireFinite(distance, "distance");
    const Points pts = ToPoints(centre, "centre", 2);
    LineString left{{}, false}, right{{}, false};
    const int result = RoadLineCalc(pts, left.pts, right.pts, distance);
    Require(result >= 0 && left.pts.size() >= 2 && right.pts.size() >= 2,
            "centre gives no pair of side lines");
    return py::make_tuple(left, right);
}

// The triangles of the area's triangle strips (even-odd over all its boundaries).
std::vector<Points> TriangleStrips(const CRegion& region) {
    gpc::gpc_polygon polygon = region.GetGpcGon();
    gpc::gpc_tristrip strips{0, nullptr};
    gpc::gpc_polygon_to_tristrip(&polygon, &strips);
    std::vector<Points> triangles;
    for (int s = 0; s < strips.num_strips; ++s) {
        const gpc::gpc_vertex_list& strip = strips.strip[s];
        for (int i = 0; i + 2 < strip.num_vertices; ++i) {
            Points t;
            for (int k = 0; k < 3; ++k) {
                t.emplace_back(strip.vertex[i + k].x, strip.vertex[i + k].y, 0.0);
            }
            if (CalPolyArea(t) > 0.0) {  // strips may turn through flat triangles
                triangles.push_back(std::move(t));
            }
        }
    }
    gpc::gpc_free_tristrip(&strips);
    gpc::gpc_free_polygon(&polygon);
    return triangles;
}

py::list Triangulate(py::handle polygon) {
    const CRegion region = ToRegion(polygon, "polygon");
    std::vector<Points> triangles;
    {
        py::gil_scoped_release unlocked;
        triangles = TriangleStrips(region);
    }
    py::list out;
    for (Points& t : triangles) {
        out.append(Polygon{CRegion(t), false});
    }
    return out;
}

}  // namespace

void BindAnalysis(py::module_& m) {
    m.def("union_all", &UnionAll, py::arg("polygons"),
          "Union of any number of Polygons and MultiPolygons, united in a balanced tree. As "
          "the library's polygons do, the result merges vertices closer than 0.01.");
    m.def("shade", &Shade, py::arg("outline"), py::arg("shift"),
          "The plan area the outline sweeps when moved by shift (dx, dy): its shadow cast "
          "along a sun direction.");
    m.def("in_panel_shadow", &InPanelShadow, py::arg("points"), py::arg("azimuth"),
          py::arg("length_per_height"), py::arg("base_height"), py::arg("panel"),
          py::arg("panel_height"),
          "Boolean array: whether each point lies in the shadow that the horizontal panel at "
          "panel_height casts along the plan angle azimuth onto z = base_height.");
    m.def("contours", &Contours, py::arg("z"), py::arg("x0"), py::arg("y0"), py::arg("dx"),
          py::arg("dy"), py::arg("interval"),
          "Contour lines of the height grid z (rows along y from y0, columns along x from "
          "x0), one level every interval, as LineStrings whose z is their level.");
    m.def("wall_lines", &WallLine, py::arg("centre"), py::arg("distance"), py::arg("left") = true,
          "The side line of a wall centre line at distance, mitred.");
    m.def("road_lines", &RoadLines, py::arg("centre"), py::arg("distance"),
          "The (left, right) side lines of a road centre line at distance.");
    m.def("triangulate", &Triangulate, py::arg("polygon"),
          "Triangles (as Polygons) covering the area, holes left out.");
}

}  // namespace geopy
