// Padded plan boxes of a polyline's segments, and a sweep over the pairs of boxes that meet.
#pragma once

#include <geo/point3d.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numeric>
#include <vector>

#include "foundation/numeric.h"

namespace cleanup_detail {

// Box growth per unit of coordinate size, for rounding in the pair tests.
constexpr double kScalePad = 1e-8;
// Beyond this size coordinates may overflow in the pair tests: every pair is tested.
constexpr double kLargestScreened = 1e300;

// A closed plan box.
struct PlanBox {
    double loX, loY, hiX, hiY;

    bool meets(const PlanBox& o) const {
        return loX <= o.hiX && o.loX <= hiX && loY <= o.hiY && o.loY <= hiY;
    }
    void widen(const PlanBox& o) {
        loX = std::min(loX, o.loX);
        loY = std::min(loY, o.loY);
        hiX = std::max(hiX, o.hiX);
        hiY = std::max(hiY, o.hiY);
    }
};

// Largest absolute coordinate of the points; infinity when any is not finite.
template <class P>
double coordinateScale(const std::vector<P>& pts) {
    double scale = 0.0;
    for (const P& p : pts) {
        if (!geo_detail::isFiniteXYZ(p)) {
            return INFINITY;
        }
        scale = std::max({scale, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    }
    return scale;
}

// Plan extent |dx| + |dy| of the segment a-b.
template <class P>
double planExtent(const P& a, const P& b) {
    return std::fabs(b.x - a.x) + std::fabs(b.y - a.y);
}

// Box growth per unit of segment extent under which a segment crossing test with
// parallel tolerance tol (on the plan cross product of the direction vectors) accepts no
// pair whose grown boxes stay apart, for segments of plan extent up to maxExtent and
// coordinates up to scale. The crossing parameters carry a rounding error of about
// 4 eps maxExtent (maxExtent + 3 scale) / tol; the growth allows five times that.
// Infinity when no moderate growth does: a tiny or unusable tolerance lets segments that
// are collinear up to rounding through, with parameters that are noise.
inline double crossingSlope(double tol, double maxExtent, double scale) {
    constexpr double kLeast = 1e-4;
    constexpr double kMost = 0.1;
    const double need = 20 * DBL_EPSILON * maxExtent * (maxExtent + 3 * scale) / tol;
    if (!(tol > 0.0) || !(need <= kMost)) {
        return INFINITY;
    }
    return std::max(kLeast, need);
}

// Box of the segment a-b grown on every side by reach, plus `slope` times the
// segment's plan extent (room for parameter tolerances and rounding).
template <class P>
PlanBox paddedBox(const P& a, const P& b, double reach, double slope) {
    const double pad = reach + slope * (std::fabs(b.x - a.x) + std::fabs(b.y - a.y));
    return PlanBox{std::min(a.x, b.x) - pad, std::min(a.y, b.y) - pad, std::max(a.x, b.x) + pad,
                   std::max(a.y, b.y) + pad};
}

// Whether all of segment b lies on one side of the plan line through a, farther than r.
template <class P>
bool beyondLine(const P& a0, const P& a1, const P& b0, const P& b1, double r) {
    const double dx = a1.x - a0.x, dy = a1.y - a0.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0.0)) {
        return false;
    }
    const double s0 = (dx * (b0.y - a0.y) - dy * (b0.x - a0.x)) / len;
    const double s1 = (dx * (b1.y - a0.y) - dy * (b1.x - a0.x)) / len;
    return (s0 > r && s1 > r) || (s0 < -r && s1 < -r);
}

// A cheap proof that the two segments stay more than r apart in plan: one of them lies
// wholly beyond r on one side of the other's line. False proves nothing.
template <class P>
bool apartInPlan(const P& a0, const P& a1, const P& b0, const P& b1, double r) {
    return beyondLine(a0, a1, b0, b1, r) || beyondLine(b0, b1, a0, a1, r);
}

// Calls visit(a, b) with a < b for every pair of meeting boxes, in no particular order,
// until visit returns true; returns whether it did. Sweeps along the axis on which the
// boxes are thinner relative to their spread, so long runs along one axis stay cheap.
template <class Visit>
bool anyMeetingPair(const std::vector<PlanBox>& boxes, Visit visit) {
    if (boxes.size() < 2) {
        return false;
    }
    PlanBox all = boxes.front();
    double extentX = 0.0, extentY = 0.0;
    for (const PlanBox& b : boxes) {
        all.widen(b);
        extentX += b.hiX - b.loX;
        extentY += b.hiY - b.loY;
    }
    const bool alongX = extentX * (all.hiY - all.loY) <= extentY * (all.hiX - all.loX);
    auto lo = [&](size_t k) { return alongX ? boxes[k].loX : boxes[k].loY; };
    auto hi = [&](size_t k) { return alongX ? boxes[k].hiX : boxes[k].hiY; };
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lo(a) < lo(b); });
    for (size_t p = 0; p < order.size(); ++p) {
        const size_t a = order[p];
        for (size_t q = p + 1; q < order.size() && lo(order[q]) <= hi(a); ++q) {
            const size_t b = order[q];
            if (boxes[a].meets(boxes[b]) && visit(std::min(a, b), std::max(a, b))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace cleanup_detail
