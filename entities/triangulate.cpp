// Ear-clipping triangulation of closed outlines and its index form on polygons.
#include <geo/containment.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include "entities/polylines_common.h"

#include <cmath>

using namespace polylines_detail;

namespace {

// Plan cross products below this make three vertices collinear.
constexpr double kCollinearTol = 1e-6;

enum class EarStep { kCutEar, kDroppedCollinear, kNone };

// Whether U, V, W are collinear in plan.
bool PlanCollinear(const CPoint3d& u, const CPoint3d& v, const CPoint3d& w) {
    return std::fabs((v.y - u.y) * (w.x - u.x) - (w.y - u.y) * (v.x - u.x)) < kCollinearTol;
}

// Twice the signed plan area of (a, b, p): positive when p is left of a->b.
double PlanCross(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

bool SamePlanPoint(const CPoint3d& a, const CPoint3d& b) {
    return std::fabs(a.x - b.x) <= kPointTol && std::fabs(a.y - b.y) <= kPointTol;
}

// Whether some other vertex lies strictly inside the triangle (u, v, w). A chain that
// reaches into the ear through u or w (a bridged hole, a pinch) never crosses the diagonal,
// so the diagonal and midpoint tests alone would cut an ear over the hole.
bool EarHoldsAVertex(const std::vector<CPoint3d>& pts, const CPoint3d& u, const CPoint3d& v,
                     const CPoint3d& w) {
    const double turn = PlanCross(u, v, w) > 0 ? 1.0 : -1.0;
    for (const CPoint3d& p : pts) {
        if (SamePlanPoint(p, u) || SamePlanPoint(p, v) || SamePlanPoint(p, w)) {
            continue;
        }
        if (turn * PlanCross(u, v, p) > 0 && turn * PlanCross(v, w, p) > 0 &&
            turn * PlanCross(w, u, p) > 0) {
            return true;
        }
    }
    return false;
}

// One scan from index 0: cuts the first ear (or drops the first collinear vertex) found.
EarStep CutOneEar(std::vector<CPoint3d>& pts, std::vector<Triangle>& tris) {
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const CPoint3d u = pts[i];
        const size_t vi = (i + 1) % n;
        const CPoint3d v = pts[vi];
        const CPoint3d w = pts[(i + 2) % n];
        if (PlanCollinear(u, v, w)) {
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(vi));
            return EarStep::kDroppedCollinear;
        }
        if (IsIntersectWith(u, w, pts)) {
            continue;
        }
        if (PtInArea(GetMidPoint(u, w), pts, kPointTol, true) && !EarHoldsAVertex(pts, u, v, w)) {
            tris.emplace_back(u, v, w);
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(vi));
            return EarStep::kCutEar;
        }
    }
    return EarStep::kNone;
}

// Index of the first vertex equal to p within kPointTol on every axis, or -1.
long FirstMatchingVertex(const std::vector<CPoint3d>& pts, const CPoint3d& p) {
    for (size_t i = 0; i < pts.size(); ++i) {
        if (pts[i].isEqualTo(p, kPointTol)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace

// Each pass restarts the scan at index 0 on the shortened list; a loop rather than
// recursion keeps the stack flat for outlines of any size.
void DivideTriangle(std::vector<CPoint3d>& pts, std::vector<Triangle>& tris) {
    while (pts.size() > 3) {
        if (CutOneEar(pts, tris) == EarStep::kNone) {
            return;
        }
    }
    if (pts.size() == 3) {
        tris.emplace_back(pts[0], pts[1], pts[2]);
        pts.clear();
    }
}

std::vector<unsigned int> CPolygon::indexTriangles() const {
    std::vector<unsigned int> indices;
    if (pts.size() < 3) {
        return indices;
    }
    std::vector<CPoint3d> work = pts;
    std::vector<Triangle> tris;
    DivideTriangle(work, tris);
    for (const Triangle& t : tris) {
        const long a = FirstMatchingVertex(pts, t.vertA);
        const long b = FirstMatchingVertex(pts, t.vertB);
        const long c = FirstMatchingVertex(pts, t.vertC);
        if (a < 0 || b < 0 || c < 0) {
            continue;
        }
        indices.push_back(static_cast<unsigned int>(a));
        indices.push_back(static_cast<unsigned int>(b));
        indices.push_back(static_cast<unsigned int>(c));
    }
    return indices;
}
