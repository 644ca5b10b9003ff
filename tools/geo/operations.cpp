#include "operations.h"

#include "regions.h"

#include <geo/acge/gepnt3d.h>
#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/contour.h>
#include <geo/hull.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/offset.h>
#include <geo/polylines.h>
#include <geo/projection.h>
#include <geo/sampling.h>
#include <geo/splitting.h>

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
    out.lines.push_back(Number(s.kind == ShapeKind::Area ? geoio::ToRegion(s).area() : 0.0, args));
}

void Length(const Shape& s, const OpArgs& args, OpResult& out) {
    out.lines.push_back(Number(Perimeter(s), args));
}

// "cw,ccw" for the rings in order, and whether some ring crosses itself.
void DescribeRings(const Shape& s, std::string& orientation, bool& crossing) {
    for (const RingSet& polygon : s.polygons) {
        for (const Ring& ring : polygon) {
            const std::vector<CPoint3d> open = geoio::OpenRing(ring);
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
    out.lines.push_back(line + " polygons=" + std::to_string(s.polygons.size()) + " holes=" +
                        std::to_string(holes) + " vertices=" + std::to_string(vertices) +
                        " area=" + Number(geoio::ToRegion(s).area(), args) +
                        " length=" + Number(Perimeter(s), args) + " orientation=" + orientation +
                        " self-crossing=" + (crossing ? "yes" : "no"));
}

void Contains(const Shape& s, const OpArgs& args, OpResult& out) {
    const CPoint3d p(args.values[0], args.values[1], 0);
    const bool onEdgeIn = !args.strict;
    bool in = false;
    if (s.kind == ShapeKind::Area) {
        in = geoio::ToRegion(s).ptIn(p, onEdgeIn, kTol);
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
        CRegion region = geoio::ToRegion(s);
        if (region.Offset(d)) {
            out.shapes.push_back(geoio::FromRegion(region));
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
            pts = geoio::ClosedRing(std::move(pts));
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

std::vector<AcGePoint3d> AcGePoints(const std::vector<CPoint3d>& pts) {
    std::vector<AcGePoint3d> out;
    out.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        out.emplace_back(p.x, p.y, p.z);
    }
    return out;
}

// divTringle: the triangle strips of the outer less the holes.
void TriangulateWithHoles(const RingSet& polygon, OpResult& out) {
    std::vector<AcGePoint3d> outer = AcGePoints(geoio::OpenRing(polygon.front()));
    std::vector<std::vector<AcGePoint3d>> holes, triangles;
    for (std::size_t i = 1; i < polygon.size(); ++i) {
        holes.push_back(AcGePoints(geoio::OpenRing(polygon[i])));
    }
    divTringle(outer, holes, 0.0, triangles);
    for (const std::vector<AcGePoint3d>& t : triangles) {
        out.shapes.push_back(TriangleShape(CPoint3d(t[0]), CPoint3d(t[1]), CPoint3d(t[2])));
    }
}

// Ear clipping (DivideTriangle) of each polygon without holes, divTringle with them.
void Triangulate(const Shape& s, const OpArgs&, OpResult& out) {
    if (s.kind != ShapeKind::Area) {
        Refuse(s, "triangulate", "a Polygon or MultiPolygon");
    }
    for (const RingSet& polygon : s.polygons) {
        if (polygon.size() > 1) {
            TriangulateWithHoles(polygon, out);
            continue;
        }
        std::vector<CPoint3d> pts = geoio::OpenRing(polygon.front());
        std::vector<Triangle> tris;
        DivideTriangle(pts, tris);
        for (const Triangle& t : tris) {
            out.shapes.push_back(TriangleShape(t.vertA, t.vertB, t.vertC));
        }
    }
}

// An outline as a one-polygon area, closed.
Shape OutlineShape(std::vector<CPoint3d> pts) {
    return Shape::area({RingSet{geoio::ClosedRing(std::move(pts))}});
}

// ConvexHull of every vertex of the geometry.
void Hull(const Shape& s, const OpArgs&, OpResult& out) {
    std::vector<CPoint3d> hull;
    ConvexHull(AllVertices(s), hull);
    if (hull.size() >= 3) {
        out.shapes.push_back(OutlineShape(std::move(hull)));
    }
}

// GetMinBesiegeRect of every vertex of the geometry.
void Mbr(const Shape& s, const OpArgs&, OpResult& out) {
    std::vector<CPoint3d> rect;
    if (GetMinBesiegeRect(AllVertices(s), rect)) {
        out.shapes.push_back(OutlineShape(std::move(rect)));
    }
}

// GetEntShade of each polygon's outer along (DX, DY).
void Shade(const Shape& s, const OpArgs& args, OpResult& out) {
    if (s.kind != ShapeKind::Area) {
        Refuse(s, "shade", "a Polygon or MultiPolygon");
    }
    for (const RingSet& polygon : s.polygons) {
        std::vector<CPoint3d> shade;
        GetEntShade(geoio::OpenRing(polygon.front()), CVector3d(args.values[0], args.values[1], 0),
                    shade);
        if (shade.size() >= 3) {
            out.shapes.push_back(OutlineShape(std::move(shade)));
        }
    }
}

// LineSegSplitPolyGon of each polygon by the segment; a polygon the segment does not cut
// comes out whole. Holes have no place in the pieces, so polygons with holes are refused.
void Split(const Shape& s, const OpArgs& args, OpResult& out) {
    if (s.kind != ShapeKind::Area) {
        Refuse(s, "split", "a Polygon or MultiPolygon");
    }
    const std::vector<double>& v = args.values;
    CLineSeg cutter(CPoint3d(v[0], v[1], 0), CPoint3d(v[2], v[3], 0));
    for (const RingSet& polygon : s.polygons) {
        if (polygon.size() > 1) {
            throw geoio::InputError(s.place, "split needs polygons without holes");
        }
        CPolygon whole(geoio::OpenRing(polygon.front()), true);
        std::vector<CPolygon> pieces;
        if (LineSegSplitPolyGon(&cutter, &whole, pieces) == 0 && pieces.empty()) {
            pieces.push_back(whole);
        }
        for (const CPolygon& piece : pieces) {
            out.shapes.push_back(OutlineShape(piece.getPoints()));
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
    ops.push_back(EachShape("hull", "convex hull of each geometry", "geo hull site.wkt", {}, Hull));
    ops.push_back(EachShape("mbr", "least-area enclosing rectangle of each geometry",
                            "geo mbr site.wkt", {}, Mbr));
    ops.push_back(EachShape("shade", "area swept by each polygon moved by DX DY",
                            "geo shade 3 -2 building.wkt",
                            {{"DX", "shift x", Range::Any}, {"DY", "shift y", Range::Any}}, Shade));
    ops.push_back(EachShape("split", "each polygon cut by the segment X1 Y1 X2 Y2",
                            "geo split 0 5 20 5 site.wkt",
                            {{"X1", "segment start x", Range::Any},
                             {"Y1", "segment start y", Range::Any},
                             {"X2", "segment end x", Range::Any},
                             {"Y2", "segment end y", Range::Any}},
                            Split));
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
