// The kernel point test's rule for one edge, shared by the test itself and by outlines
// prepared for many points (internal).
#pragma once

#include <cmath>

namespace orvel_detail {

struct PlanPoint {
    double x;
    double y;
};

// Distance in XY from p to the segment a-b (to a when the segment has no length).
inline double distanceToSegment(PlanPoint p, PlanPoint a, PlanPoint b) {
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

// Whether the edge a-b crosses the ray from p towards +X. Half-open in y, so that a vertex on
// the ray is counted once.
inline bool crossesRay(PlanPoint p, PlanPoint a, PlanPoint b) {
    if ((a.y > p.y) == (b.y > p.y)) {
        return false;
    }
    const double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
    return p.x < xCross;
}

}  // namespace orvel_detail
