#pragma once
// Boost.Geometry as a peer for the cross-checks, behind plain types: its overlay templates are
// compiled once, in boost_overlay.cpp, rather than in every test that asks it.
#include <vector>

namespace geo_test {

struct PlanXY {
    double x, y;
};
// A ring in either orientation; the closing edge is implicit.
using PlanRing = std::vector<PlanXY>;
// One polygon: its outer ring, then its holes.
using PlanPolygon = std::vector<PlanRing>;
using PlanPolygons = std::vector<PlanPolygon>;

// The plan ring of any list of points with x and y members.
template <class Points>
PlanRing planRingOf(const Points& pts) {
    PlanRing ring;
    for (const auto& p : pts) {
        ring.push_back({p.x, p.y});
    }
    return ring;
}

// Areas of Boost.Geometry's overlay of two polygon sets, orientation and closing corrected
// first. `op` is a gpc operation code: 0 difference, 1 intersection, 2 symmetric difference,
// 3 union.
struct BoostOverlayAreas {
    double net;     // outers less holes
    double outers;  // outer rings alone, holes not subtracted
};
BoostOverlayAreas boostOverlayAreas(int op, const PlanPolygons& a, const PlanPolygons& b);

// Whether Boost.Geometry finds the polygon set valid once its orientation is corrected.
bool boostIsValid(const PlanPolygons& polygons);

// Boost.Geometry's convex hull of the points: its ring (closed, the first vertex repeated last)
// and its area.
struct BoostHull {
    PlanRing ring;
    double area;
};
BoostHull boostConvexHull(const std::vector<PlanXY>& pts);

}  // namespace geo_test
