// Booleans over polygon pairs and lists, and the balanced union of many polygons.
#include <geo/region_sets.h>

#include <geo/gpc_contours.h>
#include <geo/measures.h>

#include "foundation/numeric.h"
#include "toolkit/gpc_owned.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

using geo_detail::GpcGon;

namespace {

// A boolean whose outer contours cover no more than this counts as empty.
constexpr double kBooleanMinArea = 0.01;

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
    if (a.boxMin.x != b.boxMin.x)
        return a.boxMin.x < b.boxMin.x;
    if (a.boxMin.y != b.boxMin.y)
        return a.boxMin.y < b.boxMin.y;
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
