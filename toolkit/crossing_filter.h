// A conservative pre-check for segment crossings against one cutter (internal).
#pragma once

#include <geo/point3d.h>

#include "foundation/numeric.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cmath>

namespace geo_detail {

// Skips edges that cannot meet a cutter: padded plan boxes as the clean-up's box index
// builds them, the padding covering the crossing test's tolerances and its rounding, so no
// edge that the test would accept is skipped.
class CrossingFilter {
public:
    // For the cutter s-e and the n edges from at(i) to at((i + 1) mod n); at may read a list
    // or a polygon in place.
    template <class At>
    CrossingFilter(const CPoint3d& s, const CPoint3d& e, size_t n, At at) {
        double scale = std::max({std::fabs(s.x), std::fabs(s.y), std::fabs(e.x), std::fabs(e.y)});
        double extent = cleanup_detail::planExtent(s, e);
        for (size_t i = 0; i < n; ++i) {
            const CPoint3d& p = at(i);
            scale = std::max({scale, std::fabs(p.x), std::fabs(p.y)});
            extent = std::max(extent, cleanup_detail::planExtent(p, at((i + 1) % n)));
        }
        slope_ = cleanup_detail::crossingSlope(kPointTol, extent, scale);
        if (std::isfinite(slope_)) {
            cutterBox_ = cleanup_detail::paddedBox(s, e, kReach, slope_);
        }
    }

    bool mayCross(const CPoint3d& a, const CPoint3d& b) const {
        return !std::isfinite(slope_) ||
               cleanup_detail::paddedBox(a, b, kReach, slope_).meets(cutterBox_);
    }

private:
    // Touching and degenerate pieces meet within kPointTol of each other.
    static constexpr double kReach = 2 * kPointTol;
    double slope_ = INFINITY;
    cleanup_detail::PlanBox cutterBox_{0, 0, 0, 0};
};

}  // namespace geo_detail
