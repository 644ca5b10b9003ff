#include "operations.h"

#include "regions.h"

#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/contour.h>
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/polylines.h>

#include <cmath>

namespace geotool {
namespace {

using geoio::Ring;
using geoio::RingSet;
using geoio::Shape;
using geoio::ShapeKind;

// The point tolerance of the library's outline tests and offsets.
constexpr double kTol = 1e-6;

[[noreturn]] void Refuse(const Shape& s, const char* op, const char* wanted) {
    throw geoio::InputError(
        s.place, std::string(op) + " needs " + wanted + ", found a " + geoio::KindName(s));
}

std::string Number(double v, const OpArgs& args) {
    return geoio::FormatNumber(v, args.format);
}

double Perimeter(const Shape& s) {
    double sum = s.kind == ShapeKind::Line ? GetTotalLength(s.pts) : 0.0;
    for (const RingSet& polygon : s.polygons) {
        for (const Ring& ring : polygon) {
            sum += GetTotalLength(ring);
        }
    }
    return sum;
}

void Area(const Shape& s, const OpArgs& args, OpResult& out) {
    out.lines.push_back(Number(s.kind == ShapeKind::Area ? ToRegion(s).area() : 0.0, args));
}

void Length(const Shape& s, const OpArgs& args, OpResult& out) {
    out.lines.push_back(Number(Perimeter(s), args));
}

// "cw,ccw" for the rings in order, and whether some ring crosses itself.
void DescribeRings(const Shape& s, std::string& orientation, bool& crossing) {
    for (const RingSet& polygon : s.polygons) {
        for (const Ring& ring : polygon) {
            const std::vector<CPoint3d> open = OpenRing(ring);
            orientation += std::string(orientation.empty() ? "" : ",") +
                           (PolyIsClockWise(open) ? "cw" : "ccw");
            crossing = crossing || IsSelfIntersect(open, true);
        }
    }
}

void Info(const Shape& s, const OpArgs& args, OpResult& out) {
    std::string line = std::string("type=") + geoio::KindName(s);
    if (s.kind == ShapeKind::Point) {
        out.lines.push_back(line + " vertices=" + std::to_string(s.pts.size()));
        return;
    }
    if (s.kind == ShapeKind::Line) {
        const bool closed = s.pts.size() > 2 && IsClosed(s.pts, kTol);
        out.lines.push_back(line + " vertices=" + std::to_string(s.pts.size()) + " length=" +
                            Number(Perimeter(s), args) + " closed=" + (closed ? "yes" : "no") +
                            " self-crossing=" + (IsSelfIntersect(s.pts, false) ? "yes" : "no"));
        return;
    }
    std::size_t holes = 0, vertices = 0;
    for (const RingSet& polygon : s.polygons) {
        holes += polygon.size() - 1;
        for (const Ring& ring : polygon) {
            vertices += ring.size() - 1;
        }
    }
    std::string orientation;
    bool crossing = false;
    DescribeRings(s, orientation, crossing);
    out.lines.push_back(
        line + " polygons=" + std::to_string(s.polygons.size()) +
        " holes=" + std::to_string(holes) + " vertices=" + std::to_string(vertices) +
        " area=" + Number(ToRegion(s).area(), args) + " length=" + Number(Perimeter(s), args) +
        " orientation=" + orientation + " self-crossing=" + (crossing ? "yes" : "no"));
}

void Contains(const Shape& s, const OpArgs& args, OpResult& out) {
    const CPoint3d p(args.values[0], args.values[1], 0);
    const bool onEdgeIn = !args.strict;
    bool in = false;
    if (s.kind == ShapeKind::Area) {
        in = ToRegion(s).ptIn(p, onEdgeIn, kTol);
    } else if (s.kind == ShapeKind::Line) {
        in = onEdgeIn && PtOnPolyline(p, s.pts, kTol);
    } else {
        in = onEdgeIn && !s.pts.empty() && std::fabs(s.pts[0].x - p.x) < kTol &&
             std::fabs(s.pts[0].y - p.y) < kTol;
    }
    out.lines.push_back(in ? "true" : "false");
}

// Areas through CRegion::Offset (a positive distance grows them); lines through PlineOffset
// (a positive distance is left of travel).
void Offset(const Shape& s, const OpArgs& args, OpResult& out) {
    const double d = args.values[0];
    if (s.kind == ShapeKind::Area) {
        CRegion region = ToRegion(s);
        if (region.Offset(d)) {
            out.shapes.push_back(FromRegion(region));
        }
        return;
    }
    if (s.kind != ShapeKind::Line) {
        Refuse(s, "offset", "a LineString, Polygon or MultiPolygon");
    }
    std::vector<std::vector<CPoint3d>> lines;
    PlineOffset(s.pts, lines, d, kTol);
    for (std::vector<CPoint3d>& line : lines) {
        if (line.size() >= 2) {
            out.shapes.push_back(Shape::line(std::move(line)));
        }
    }
}

// RemoveRedundancyPts on each ring (as a ring) or on the line; rings left with fewer than 3
// vertices are dropped, and a polygon whose outer is dropped goes with its holes.
void Clean(const Shape& s, const OpArgs& args, OpResult& out) {
    const double tol = args.values[0];
    if (s.kind == ShapeKind::Point) {
        out.shapes.push_back(s);
        return;
    }
    if (s.kind == ShapeKind::Line) {
        std::vector<CPoint3d> pts = s.pts;
        RemoveRedundancyPts(pts, false, tol);
        if (pts.size() >= 2) {
            out.shapes.push_back(Shape::line(std::move(pts)));
        }
        return;
    }
    std::vector<RingSet> polygons;
    for (const RingSet& polygon : s.polygons) {
        RingSet kept;
        for (const Ring& ring : polygon) {
            Ring pts = ring;
            RemoveRedundancyPts(pts, true, tol);
            pts = ClosedRing(std::move(pts));
            if (pts.size() >= 4 && (!kept.empty() || &ring == &polygon.front())) {
                kept.push_back(std::move(pts));
            }
        }
        if (!kept.empty()) {
            polygons.push_back(std::move(kept));
        }
    }
    if (!polygons.empty()) {
        Shape cleaned = Shape::area(std::move(polygons));
        cleaned.multi = s.multi;
        out.shapes.push_back(std::move(cleaned));
    }
}

Shape TriangleShape(const CPoint3d& a, const CPoint3d& b, const CPoint3d& c) {
    return Shape::area({RingSet{Ring{a, b, c, a}}});
}

// The triangle strips of a polygon with holes, one triangle per strip.
void TriangulateWithHoles(const RingSet& polygon, OpResult& out) {
    Shape one = Shape::area({polygon});
    gpc::gpc_polygon gon = ToRegion(one).GetGpcGon();
    gpc::gpc_tristrip strips{0, nullptr};
    gpc::gpc_polygon_to_tristrip(&gon, &strips);
    for (int i = 0; i < strips.num_strips; ++i) {
        const gpc::gpc_vertex_list& strip = strips.strip[i];
        for (int k = 2; k < strip.num_vertices; ++k) {
            const gpc::gpc_vertex* v = strip.vertex + k - 2;
            out.shapes.push_back(TriangleShape(CPoint3d(v[0].x, v[0].y, 0),
                                               CPoint3d(v[1].x, v[1].y, 0),
                                               CPoint3d(v[2].x, v[2].y, 0)));
        }
    }
    gpc::gpc_free_tristrip(&strips);
    gpc::gpc_free_polygon(&gon);
}

// Ear clipping (DivideTriangle) of each polygon without holes, triangle strips with them.
void Triangulate(const Shape& s, const OpArgs&, OpResult& out) {
    if (s.kind != ShapeKind::Area) {
        Refuse(s, "triangulate", "a Polygon or MultiPolygon");
    }
    for (const RingSet& polygon : s.polygons) {
        if (polygon.size() > 1) {
            TriangulateWithHoles(polygon, out);
            continue;
        }
        std::vector<CPoint3d> pts = OpenRing(polygon.front());
        std::vector<Triangle> tris;
        DivideTriangle(pts, tris);
        for (const Triangle& t : tris) {
            out.shapes.push_back(TriangleShape(t.vertA, t.vertB, t.vertC));
        }
    }
}

// Contour lines of the grid, each at the height of its level.
void Contour(const geoio::Grid& grid, const OpArgs& args, OpResult& out) {
    const int rows = static_cast<int>(grid.rows.size());
    const int cols = static_cast<int>(grid.rows.front().size());
    CContourGenerator gen;
    gen.setParam(AcGePoint2d(args.origin[0], args.origin[1]),
                 AcGePoint2d(args.spacing[0], args.spacing[1]), rows - 1, cols - 1, args.values[0]);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            gen.setZ(AcGePoint3d(args.origin[0] + c * args.spacing[0],
                                 args.origin[1] + r * args.spacing[1], grid.rows[r][c]));
        }
    }
    gen.exeCalu();
    for (int i = 0; i < gen.lineSize(); ++i) {
        const CContourLine* line = gen.at(i);
        std::vector<CPoint3d> pts;
        for (INT_PTR k = 0; k < line->pts.GetSize(); ++k) {
            pts.emplace_back(line->pts[k].x, line->pts[k].y, line->elev);
        }
        out.shapes.push_back(Shape::line(std::move(pts)));
    }
}

Operation EachShape(const char* name, const char* summary, const char* example,
                    std::vector<Param> params,
                    void (*each)(const Shape&, const OpArgs&, OpResult&)) {
    Operation op{name, summary, example, std::move(params)};
    op.each = each;
    return op;
}

Operation Fold(const char* name, const char* summary, const char* example, gpc::gpc_op op,
               bool any) {
    Operation fold{name, summary, example, {}};
    fold.flow = Flow::Fold;
    fold.foldOp = op;
    fold.foldAny = any;
    return fold;
}

std::vector<Operation> BuildTable() {
    std::vector<Operation> ops;
    ops.push_back(EachShape("area", "area of each geometry (0 for points and lines)",
                            "geo area site.wkt", {}, Area));
    ops.push_back(EachShape("length", "length of each line, perimeter of each polygon",
                            "geo length site.wkt", {}, Length));
    ops.push_back(EachShape("info",
                            "vertex counts, area, ring orientation and self-crossing of each "
                            "geometry",
                            "geo info site.wkt", {}, Info));
    ops.push_back(
        Fold("union", "union of all geometries", "geo union a.wkt b.wkt", gpc::GPC_UNION, true));
    ops.push_back(Fold("intersection", "the first geometry intersected with the next ones",
                       "geo intersection a.wkt b.wkt", gpc::GPC_INT, false));
    ops.push_back(Fold("difference", "the first geometry less the next ones",
                       "geo difference site.wkt building.wkt", gpc::GPC_DIFF, false));
    ops.push_back(Fold("xor", "the parts covered by an odd number of the geometries",
                       "geo xor a.wkt b.wkt", gpc::GPC_XOR, false));
    ops.push_back(EachShape(
        "offset", "parallel offset: a positive D grows polygons and moves lines to their left",
        "geo offset 0.5 site.wkt", {{"D", "offset distance", Range::Any}}, Offset));
    ops.push_back(EachShape("clean", "remove duplicate, collinear and folded-back vertices",
                            "geo clean 0.001 site.wkt",
                            {{"TOL", "length and angle tolerance", Range::NonNegative}}, Clean));
    Operation contains =
        EachShape("contains", "true or false per geometry: whether it holds the point X Y",
                  "geo contains 2.5 1 site.wkt",
                  {{"X", "point x", Range::Any}, {"Y", "point y", Range::Any}}, Contains);
    contains.strictOption = true;
    ops.push_back(contains);
    ops.push_back(EachShape("triangulate", "triangles covering each polygon",
                            "geo triangulate site.wkt", {}, Triangulate));
    Operation contour{"contour",
                      "contour lines of a CSV grid of z values (one grid row per line, rows at "
                      "increasing y)",
                      "geo contour 1 --spacing 10 10 terrain.csv",
                      {{"INTERVAL", "height between levels", Range::Positive}}};
    contour.flow = Flow::Grid;
    contour.grid = Contour;
    contour.gridOptions = true;
    ops.push_back(contour);
    return ops;
}

}  // namespace

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> table = BuildTable();
    return table;
}

}  // namespace geotool
