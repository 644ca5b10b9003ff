// Booleans over polygon pairs and lists, and the balanced union of many polygons.
#include <geo/region_sets.h>

#include <geo/conversions.h>
#include <geo/gpc_contours.h>
#include <geo/measures.h>
#include <geo/offset.h>

#include "foundation/numeric.h"
#include "toolkit/gpc_owned.h"
#include "toolkit/polygon_outline.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

using geo_detail::GpcGon;

namespace {

// A boolean whose outer contours cover no more than this counts as empty.
constexpr double kBooleanMinArea = 0.01;
// How far PolygonUNION moves the outlines before uniting them and back after.
constexpr double kNearTouchGap = 0.1;
// Tolerance of the offsets of PolygonUNION.
constexpr double kOffsetTol = 1e-6;

// Plan boxes apart, as the early exit of the pair boolean tests them.
bool BoxesApart(const CPoint3d& minA, const CPoint3d& maxA, const CPoint3d& minB,
                const CPoint3d& maxB) {
    return minB.x > maxA.x || minB.y > maxA.y || minA.x > maxB.x || minA.y > maxB.y;
}

// Total area of the result's outer contours; holes are not subtracted.
double OuterContoursArea(const gpc::gpc_polygon& poly) {
    double area = 0.0;
    for (const std::vector<CPoint3d>& outline : GpcContoursOfKind(poly, false)) {
        area += CalPolyArea(outline);
    }
    return area;
}

// ((in[0] op in[1]) op in[2]) ... through the engine, the literal fold.
GpcGon FoldLeft(const std::vector<CPolygon>& in, gpc::gpc_op op) {
    GpcGon acc(in.front().getPoints());
    for (size_t i = 1; i < in.size(); ++i) {
        GpcGon next(in[i].getPoints());
        acc = geo_detail::Clip(op, acc, next);
    }
    return acc;
}

// Outers before their box's lower-left corner sorts later: x, then y, then larger area.
bool LowerLeftFirst(const CPolygon& a, const CPolygon& b) {
    if (a.boxMin.x != b.boxMin.x) {
        return a.boxMin.x < b.boxMin.x;
    }
    if (a.boxMin.y != b.boxMin.y) {
        return a.boxMin.y < b.boxMin.y;
    }
    return a.area() > b.area();
}

// Appends every contour of poly with at least one vertex as a normalised polygon, to holes
// or to outers by its hole flag.
void SplitContours(const gpc::gpc_polygon& poly, std::vector<CPolygon>& outers,
                   std::vector<CPolygon>& holes) {
    for (int c = 0; c < poly.num_contours; ++c) {
        if (poly.contour[c].num_vertices < 1) {
            continue;
        }
        const bool hole = poly.hole != nullptr && poly.hole[c] != 0;
        (hole ? holes : outers).emplace_back(GpcContourPoints(poly.contour[c]), true);
    }
}

// The polygon's points with the first appended when the last differs from it.
std::vector<CPoint3d> ClosedPoints(const CPolygon& gon) {
    std::vector<CPoint3d> pts = gon.getPoints();
    if (!pts.empty() && pts.front() != pts.back()) {
        pts.push_back(pts.front());
    }
    return pts;
}

// The single outline PlineOffset makes of the closed outline of gon; false for any other count.
bool SingleOffset(const CPolygon& gon, double dist, std::vector<CPoint3d>& out) {
    std::vector<std::vector<CPoint3d>> pieces;
    if (PlineOffset(ClosedPoints(gon), pieces, dist, kOffsetTol) != 1 || pieces.size() != 1) {
        return false;
    }
    out = std::move(pieces.front());
    return true;
}

// Points of an outline in a plane frame, at height 0.
std::vector<CPoint3d> InPlaneFrame(const geo_detail::PlaneFrame& frame, std::vector<CPoint3d> pts) {
    frame.toFrame(pts, 0.0);
    return pts;
}

}  // namespace

bool BooleanOper(CPolygon const* a, CPolygon const* b, double& area, gpc::gpc_op op) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    const std::vector<CPoint3d> ptsA = a->getPoints();
    const std::vector<CPoint3d> ptsB = b->getPoints();
    if (ptsA.size() < 3 || ptsB.size() < 3) {
        return false;
    }
    CPoint3d minA, maxA, minB, maxB;
    a->box(minA, maxA);
    b->box(minB, maxB);
    if (BoxesApart(minA, maxA, minB, maxB)) {
        area = 0.0;
        return false;
    }
    GpcGon subject(ptsA);
    GpcGon clip(ptsB);
    const GpcGon result = geo_detail::Clip(op, subject, clip);
    if (result.poly.num_contours <= 0) {
        return false;
    }
    area = OuterContoursArea(result.poly);
    return area > kBooleanMinArea;
}

bool BooleanOper(std::vector<CPolygon>& in, std::vector<CPolygon>& outers,
                 std::vector<CPolygon>& holes, gpc::gpc_op op) {
    if (&in == &outers || &in == &holes) {
        std::vector<CPolygon> copy = in;
        return BooleanOper(copy, outers, holes, op);
    }
    outers.clear();
    holes.clear();
    if (in.empty()) {
        return false;
    }
    if (in.size() == 1) {
        outers.push_back(in.front());
        return true;
    }
    if (op != gpc::GPC_UNION) {
        SplitContours(FoldLeft(in, op).poly, outers, holes);
        return !outers.empty() || !holes.empty();
    }
    SplitContours(geo_detail::UnionAll(in).poly, outers, holes);
    std::stable_sort(outers.begin(), outers.end(), LowerLeftFirst);
    std::stable_sort(holes.begin(), holes.end(), LowerLeftFirst);
    return !outers.empty() || !holes.empty();
}

void UnionPolygonArr(std::vector<CPolygon>& gons) {
    if (gons.size() < 2) {
        return;
    }
    const geo_detail::GpcGon united = geo_detail::UnionAll(gons);
    gons.clear();
    for (const std::vector<CPoint3d>& outline : GpcContoursOfKind(united.poly, false)) {
        gons.emplace_back(outline, true);
    }
    std::stable_sort(gons.begin(), gons.end(), LowerLeftFirst);
}

bool PolygonUNION(std::vector<CPolygon> const& gons, CPolygon& out) {
    if (gons.empty()) {
        return false;
    }
    if (gons.size() == 1) {
        out = gons.front();
        return true;
    }
    std::vector<CPolygon> moved;
    for (const CPolygon& gon : gons) {
        std::vector<CPoint3d> outline;
        if (!SingleOffset(gon, -kNearTouchGap, outline)) {
            return false;
        }
        moved.emplace_back(outline, true);
    }
    std::vector<CPolygon> outers, holes;
    BooleanOper(moved, outers, holes, gpc::GPC_UNION);
    std::vector<CPoint3d> back;
    if (outers.size() != 1 || !SingleOffset(outers.front(), kNearTouchGap, back)) {
        return false;
    }
    out.setPoints(back, true);
    return true;
}

void UnionGons2Region(std::vector<CPolygon> gons, CRegion& out) {
    if (gons.empty()) {
        return;
    }
    out = CRegion(gons.front());
    for (size_t i = 1; i < gons.size(); ++i) {
        out.booleanOper(gons[i], out, gpc::GPC_UNION);
    }
}

void UnionRgns2Region(std::vector<CRegion> rgns, CRegion& out) {
    if (rgns.empty()) {
        return;
    }
    out = rgns.front();
    for (size_t i = 1; i < rgns.size(); ++i) {
        out.booleanOper(rgns[i], out, gpc::GPC_UNION);
    }
}

bool PlanfirstSubtractsecondPlan(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b, CRegion& out) {
    if (a.size() < 3 || b.size() < 3) {
        return false;
    }
    const CVector3d na = GetNormal(a[0], a[1], a[2]);
    const CVector3d nb = GetNormal(b[0], b[1], b[2]);
    if (!(na == nb)) {
        return false;
    }
    const geo_detail::PlaneFrame planeA = geo_detail::polygonFrame(a, na);
    const geo_detail::PlaneFrame planeB = geo_detail::polygonFrame(b, nb);
    const bool level = planeA.normal == CVector3d::kZAxis && planeB.normal == CVector3d::kZAxis;
    const CRegion first(level ? a : InPlaneFrame(planeA, a));
    const CRegion second(level ? b : InPlaneFrame(planeB, b));
    CRegion diff;
    if (!first.booleanOper(second, diff, gpc::GPC_DIFF)) {
        return false;
    }
    out = diff;
    return true;
}
