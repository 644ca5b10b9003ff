// The entity booleans hand their rings to the clipping engine directly; they must give exactly
// what the way through GPC's structs gives: the same contours, points, flags, boxes and verdicts.
#include <geo/gpc_contours.h>
#include <geo/polylines.h>
#include <geo/region.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/bumpy_star.h"
#include "support/point_lists.h"

namespace {

using point_lists::expectIdentical;
using point_lists::plan;
using point_lists::Pts;

// The smallest total area a polygon boolean reports as a result.
constexpr double kBooleanMinArea = 0.01;
const gpc::gpc_op kOps[] = {gpc::GPC_DIFF, gpc::GPC_INT, gpc::GPC_XOR, gpc::GPC_UNION,
                            static_cast<gpc::gpc_op>(7)};

Pts square(double x, double y, double size) {
    return plan({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}});
}

// Operand pairs that take either engine, with holes, short and NaN-carrying contours.
std::vector<std::pair<CRegion, CRegion>> regionPairs() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CRegion holed({square(0, 0, 10)}, {square(4, 4, 2)});
    CRegion junk({square(3, 3, 5), plan({{0, 0}, {1, 1}}), plan({{nan, 0}, {1, 0}, {1, 1}})});
    return {{holed, CRegion(square(5, 5, 10))},
            {junk, holed},
            {CRegion(support::bumpyStar(7, 400)), CRegion(support::bumpyStar(8, 400, 300))},
            {CRegion(square(0, 0, 1)), CRegion(square(5, 5, 1))},
            {CRegion(), holed}};
}

// The region boolean the way it used to run: through GPC's structs.
bool regionViaGpc(const CRegion& a, const CRegion& b, CRegion& out, gpc::gpc_op op) {
    gpc::gpc_polygon s = a.GetGpcGon(), c = b.GetGpcGon(), r{0, nullptr, nullptr};
    gpc::gpc_polygon_clip(op, &s, &c, &r);
    out = CRegion(r);
    const bool any = r.num_contours > 0;
    for (gpc::gpc_polygon* p : {&s, &c, &r}) {
        gpc::gpc_free_polygon(p);
    }
    return any;
}

// The polygon boolean's outers the way it used to build them; true when their area counts as a
// result.
bool polygonViaGpc(const CPolygon& a, const CPolygon& b, std::vector<CPolygon>& out,
                   gpc::gpc_op op) {
    gpc::gpc_polygon s{0, nullptr, nullptr}, c{0, nullptr, nullptr}, r{0, nullptr, nullptr};
    AddPtarrToPolygon(a.getPoints(), &s, 0);
    AddPtarrToPolygon(b.getPoints(), &c, 0);
    gpc::gpc_polygon_clip(op, &s, &c, &r);
    double total = 0;
    const bool firstIsOuter = r.num_contours > 0 && r.hole[0] == 0;
    for (const Pts& outline : firstIsOuter ? GpcContoursOfKind(r, false) : std::vector<Pts>{}) {
        out.emplace_back(outline, true);
        total += out.back().area();
    }
    for (gpc::gpc_polygon* p : {&s, &c, &r}) {
        gpc::gpc_free_polygon(p);
    }
    return total > kBooleanMinArea;
}

TEST(EntityBooleans, RegionMatchesTheWayThroughGpc) {
    for (const auto& [a, b] : regionPairs()) {
        for (gpc::gpc_op op : kOps) {
            CRegion got, want;
            EXPECT_EQ(a.booleanOper(b, got, op), regionViaGpc(a, b, want, op));
            ASSERT_EQ(got.contours.size(), want.contours.size());
            for (size_t i = 0; i < got.contours.size(); ++i) {
                EXPECT_EQ(got.contours[i].isOuter, want.contours[i].isOuter);
                expectIdentical(got.contours[i].pts, want.contours[i].pts);
            }
            CPoint3d gotMin, gotMax, wantMin, wantMax;
            got.getBox(gotMin, gotMax);
            want.getBox(wantMin, wantMax);
            expectIdentical({gotMin, gotMax}, {wantMin, wantMax});
        }
    }
}

TEST(EntityBooleans, PolygonMatchesTheWayThroughGpc) {
    for (const auto& [ra, rb] : regionPairs()) {
        if (ra.contours.empty() || rb.contours.empty()) {
            continue;
        }
        const CPolygon a(ra.contours.front().pts, true), b(rb.contours.front().pts, true);
        for (gpc::gpc_op op : kOps) {
            std::vector<CPolygon> got, want;
            EXPECT_EQ(a.booleanOper(b, got, op), polygonViaGpc(a, b, want, op));
            ASSERT_EQ(got.size(), want.size());
            for (size_t i = 0; i < got.size(); ++i) {
                expectIdentical(got[i].getPoints(), want[i].getPoints());
            }
        }
    }
}

}  // namespace
