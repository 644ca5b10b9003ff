#include "support/boost_overlay.h"

#include <cmath>

#include "support/boost_geometry.h"

namespace geo_test {
namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BMulti = bg::model::multi_polygon<BPolygon>;

void appendRing(const PlanRing& from, bg::model::ring<BPoint>& to) {
    for (const PlanXY& p : from) {
        to.emplace_back(p.x, p.y);
    }
}

BMulti toBoost(const PlanPolygons& polygons) {
    BMulti multi;
    for (const PlanPolygon& rings : polygons) {
        BPolygon& poly = multi.emplace_back();
        for (std::size_t r = 0; r < rings.size(); ++r) {
            appendRing(rings[r], r == 0 ? poly.outer() : poly.inners().emplace_back());
        }
    }
    bg::correct(multi);
    return multi;
}

}  // namespace

BoostOverlayAreas boostOverlayAreas(int op, const PlanPolygons& a, const PlanPolygons& b) {
    BMulti out;
    boostOverlay(op, toBoost(a), toBoost(b), out);
    BoostOverlayAreas areas{bg::area(out), 0.0};
    for (const BPolygon& p : out) {
        areas.outers += std::fabs(bg::area(p.outer()));
    }
    return areas;
}

bool boostIsValid(const PlanPolygons& polygons) {
    return bg::is_valid(toBoost(polygons));
}

BoostHull boostConvexHull(const std::vector<PlanXY>& pts) {
    bg::model::multi_point<BPoint> mp;
    for (const PlanXY& p : pts) {
        mp.emplace_back(p.x, p.y);
    }
    BPolygon hull;
    bg::convex_hull(mp, hull);
    BoostHull out{{}, std::fabs(bg::area(hull))};
    for (const BPoint& c : hull.outer()) {
        out.ring.push_back({c.x(), c.y()});
    }
    return out;
}

}  // namespace geo_test
