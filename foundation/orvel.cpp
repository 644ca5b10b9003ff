// The kernel's point-in-outline test.
#include <geo/orvel.h>

#include <cmath>

#include "foundation/orvel_rule.h"

namespace {

using orvel_detail::crossesRay;
using orvel_detail::distanceToSegment;
using orvel_detail::PlanPoint;

PlanPoint planOf(const AcGePoint3d& p) {
    return {p.x, p.y};
}

// True when p lies within the boundary tolerance of any edge, closing edge included.
bool liesOnBoundary(PlanPoint p, const AcArray<AcGePoint3d>& outline) {
    const int n = outline.length();
    for (int i = 0; i < n; ++i) {
        const PlanPoint a = planOf(outline[i]);
        const PlanPoint b = planOf(outline[(i + 1) % n]);
        if (distanceToSegment(p, a, b) <= Orvel::kOnEdgeTol) {
            return true;
        }
    }
    return false;
}

// Even-odd rule: counts the edges crossed by the ray from p towards +X.
bool crossesOddTimes(PlanPoint p, const AcArray<AcGePoint3d>& outline) {
    const int n = outline.length();
    bool odd = false;
    for (int i = 0; i < n; ++i) {
        const PlanPoint a = planOf(outline[i]);
        const PlanPoint b = planOf(outline[(i + 1) % n]);
        if (crossesRay(p, a, b)) {
            odd = !odd;
        }
    }
    return odd;
}

}  // namespace

namespace Orvel {

bool isIn(AcGePoint3d p, AcArray<AcGePoint3d>& outline, bool onEdgeIsIn) {
    const PlanPoint q = planOf(p);
    if (outline.length() == 0 || std::isnan(q.x) || std::isnan(q.y)) {
        return false;
    }
    if (liesOnBoundary(q, outline)) {
        return onEdgeIsIn;
    }
    return crossesOddTimes(q, outline);
}

}  // namespace Orvel
