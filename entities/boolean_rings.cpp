// Point lists to clipping rings and back.
#include "entities/boolean_rings.h"

#include <climits>
#include <cstddef>

namespace boolean_detail {
namespace {

// Fewer points than this make no area, so they never become a ring.
constexpr std::size_t kMinRingPoints = 3;

}  // namespace

void PlanRings::add(const std::vector<CPoint3d>& pts) {
    if (pts.size() < kMinRingPoints || pts.size() > static_cast<std::size_t>(INT_MAX)) {
        return;
    }
    std::vector<gpc::gpc_vertex>& ring = rings_.emplace_back();
    ring.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        ring.push_back({p.x, p.y});
    }
}

std::vector<gpc_detail::RingView> PlanRings::views() const {
    std::vector<gpc_detail::RingView> views;
    views.reserve(rings_.size());
    for (const std::vector<gpc::gpc_vertex>& r : rings_) {
        views.push_back({r.data(), static_cast<int>(r.size())});
    }
    return views;
}

std::vector<CPoint3d> PointsOf(const gpc_detail::ResultContour& contour) {
    std::vector<CPoint3d> pts;
    pts.reserve(contour.pts.size());
    for (const gpc::gpc_vertex& v : contour.pts) {
        pts.emplace_back(v.x, v.y, 0.0);
    }
    return pts;
}

}  // namespace boolean_detail
