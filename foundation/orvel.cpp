// The kernel's point-in-outline test.
#include <geo/orvel.h>

#include <cmath>

namespace {

struct PlanPoint {
    double x;
    double y;
};

PlanPoint planOf(const AcGePoint3d& p) {
    return {p.x, p.y};
}

// Distance in XY from p to the segment a-b (to a when the segment has no length).
double distanceToSegment(PlanPoint p, PlanPoint a, PlanPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 0.0) {
        t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
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
        // Half-open in y so that a vertex on the ray is counted once.
        if ((a.y > p.y) != (b.y > p.y)) {
            const double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < xCross) {
                odd = !odd;
            }
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
