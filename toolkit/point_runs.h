// Building point runs without repeated points (internal).
#pragma once

#include <geo/point3d.h>

#include <vector>

namespace geo_detail {

// Appends pt unless it equals the last point of out within tol.
inline void appendDistinct(std::vector<CPoint3d>& out, const CPoint3d& pt, double tol) {
    if (out.empty() || !out.back().isEqualTo(pt, tol)) {
        out.push_back(pt);
    }
}

}  // namespace geo_detail
