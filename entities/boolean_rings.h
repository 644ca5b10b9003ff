// Point lists handed to the clipping engine as rings, and its contours back as point lists: the
// entity booleans' way around GPC's C structs, with the same results as through them.
#pragma once

#include <geo/point3d.h>

#include <vector>

#include "platform/gpc/clip_engine.h"

namespace boolean_detail {

// Plan copies of point lists, kept alive for the rings that borrow them.
class PlanRings {
public:
    // Adds the list's x and y unless it has fewer than 3 points, as a GPC contour would.
    void add(const std::vector<CPoint3d>& pts);
    bool empty() const { return rings_.empty(); }
    std::vector<gpc_detail::RingView> views() const;

private:
    std::vector<std::vector<gpc::gpc_vertex>> rings_;
};

// The contour's vertices at z = 0.
std::vector<CPoint3d> PointsOf(const gpc_detail::ResultContour& contour);

}  // namespace boolean_detail
