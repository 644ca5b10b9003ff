// Side lines, road bands, tapered side lines, outlines grown edge by edge, and the edits
// that shift one edge.
#include <geo/edge_offsets.h>
#include <geo/polylines.h>

#include "foundation/numeric.h"
#include "support/geos_areas.h"
#include "support/point_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

using point_lists::plan;
using point_lists::Pts;

const double kNan = std::numeric_limits<double>::quiet_NaN();
using geo_detail::kPi;

const Pts kElbow = plan({{0, 0}, {10, 0}, {10, 10}});
const Pts kSquare = plan({{0, 0}, {10, 0}, {10, 10}, {0, 10}});

TEST(CalcMline, MitresTheMovedEdgesOnTheChosenSide) {
    const struct {
        Pts centre;
        double d;
        bool left;
        int result;
        Pts want;
    } cases[] = {
        {kElbow, 1.0, true, 3, plan({{0, 1}, {9, 1}, {9, 10}})},
        {kElbow, 1.0, false, 3, plan({{0, -1}, {11, -1}, {11, 10}})},
        {plan({{0, 0}, {5, 0}, {10, 0}}), 1.0, true, 3, plan({{0, 1}, {5, 1}, {10, 1}})},
        {plan({{0, 0}, {10, 0}, {0, 0}}), 1.0, true, 2, plan({{0, 1}, {0, -1}})},
        {plan({{0, 0}, {4, 3}}), 5.0, true, 1, plan({{-3, 4}, {1, 7}})},
        {plan({{0, 0}}), 1.0, true, -1, {}},
        {plan({{0, 0}, {kNan, 1}, {2, 2}}), 1.0, true, -1, {}},
        {kElbow, kNan, true, -1, {}},
    };
    for (const auto& c : cases) {
        Pts out = plan({{7, 7}});
        EXPECT_EQ(CalcMline(c.centre, out, c.d, c.left), c.result);
        point_lists::expectPlan(out, c.want);
    }
}

TEST(RoadLineCalc, FillsBothSidesAndReportsTheirCommonResult) {
    Pts left, right;
    EXPECT_EQ(RoadLineCalc(kElbow, left, right, 1.0), 3);
    point_lists::expectPlan(left, plan({{0, 1}, {9, 1}, {9, 10}}));
    point_lists::expectPlan(right, plan({{0, -1}, {11, -1}, {11, 10}}));
    EXPECT_EQ(RoadLineCalc(plan({{0, 0}}), left, right, 1.0), -1);
}

// The polygon's vertices starting from the one nearest (x, y), to compare with a listing.
Pts fromNearest(const CPolygon& poly, double x, double y) {
    Pts pts = poly.getPoints();
    const auto nearest =
        std::min_element(pts.begin(), pts.end(), [&](const auto& a, const auto& b) {
            return std::hypot(a.x - x, a.y - y) < std::hypot(b.x - x, b.y - y);
        });
    std::rotate(pts.begin(), nearest, pts.end());
    return pts;
}

TEST(SplitRoadPolygon, CutsTheBandAtEveryCorner) {
    Pts centre = kElbow;
    std::vector<CPolygon> out(5);
    ASSERT_EQ(SplitRoadPolygon(centre, out, 2.0), 2);
    ASSERT_EQ(out.size(), 2u);
    point_lists::expectPlan(fromNearest(out[0], 0, -1), plan({{0, -1}, {11, -1}, {9, 1}, {0, 1}}));
    point_lists::expectPlan(fromNearest(out[1], 9, 1), plan({{9, 1}, {11, -1}, {11, 10}, {9, 10}}));
    Pts single = plan({{0, 0}});
    EXPECT_EQ(SplitRoadPolygon(single, out, 2.0), 0);
    EXPECT_EQ(out.size(), 2u);
}

TEST(OffsetPtsEx, TapersFromTheStartDistanceToTheEndDistance) {
    const struct {
        Pts pts;
        bool ok;
        Pts want;
    } cases[] = {
        {plan({{0, 0}, {10, 0}}), true, plan({{0, 1}, {10, 3}})},
        {kElbow, true, plan({{0, 1}, {7, 1}, {7, 10}})},
        {plan({{0, 0}, {10, 0}, {20, 0}, {20, 10}}), true,
         plan({{0, 1}, {17, 2}, {17, 10}})},  // parallel neighbours give no corner
        {plan({{0, 0}}), false, {}},
        {plan({{0, 0}, {kNan, 0}, {1, 1}}), false, {}},
    };
    for (const auto& c : cases) {
        Pts out = plan({{5, 5}});
        EXPECT_EQ(OffsetPtsEx(c.pts, out, 1.0, 3.0), c.ok);
        point_lists::expectPlan(out, c.want);
    }
}

TEST(offsetPolyGonByDistArr, GrowsEachEdgeByItsOwnDistanceInEitherOrientation) {
    const Pts grownBy1 = plan({{11, -1}, {11, 11}, {-1, 11}, {-1, -1}});
    Pts closed = kSquare;
    closed.push_back(kSquare[0]);
    for (const Pts& outline : {kSquare, Pts(kSquare.rbegin(), kSquare.rend()), closed}) {
        Pts out;
        offsetEntOutSide(outline, 1.0, out);
        point_lists::expectPlan(out, grownBy1);
    }
    Pts perEdge = kSquare;
    for (size_t k = 0; k < perEdge.size(); ++k) {
        perEdge[k].z = k % 2 == 0 ? 1.0 : 2.0;
    }
    Pts out;
    EXPECT_TRUE(offsetPolyGonByDistArr(perEdge, out));
    point_lists::expectPlan(out, plan({{12, -1}, {12, 11}, {-2, 11}, {-2, -1}}));
}

TEST(offsetPolyGonByDistArr, OutlineWithoutAreaFails) {
    // A 10 by 4 rectangle shrunk by 3 turns inside out and runs clockwise.
    Pts shrunk = plan({{0, 0}, {10, 0}, {10, 4}, {0, 4}});
    for (CPoint3d& p : shrunk) {
        p.z = -3.0;
    }
    // The square shrunk by 6 comes back turned about its centre, counter-clockwise.
    Pts inverted = kSquare;
    for (CPoint3d& p : inverted) {
        p.z = -6.0;
    }
    const Pts cases[] = {
        shrunk, inverted, {}, plan({{0, 0}, {1, 0}}), plan({{0, 0}, {kNan, 0}, {1, 1}})};
    for (const Pts& outline : cases) {
        Pts out = plan({{1, 1}});
        EXPECT_FALSE(offsetPolyGonByDistArr(outline, out));
        EXPECT_TRUE(out.empty());
    }
}

// Convex outlines grown by a distance cover what GEOS's mitred buffer covers.
TEST(offsetPolyGonByDistArr, ConvexGrowthMatchesAMitredBuffer) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> jitter(0.0, 0.8), radius(3.0, 8.0);
    for (int k = 0; k < 40; ++k) {
        const int n = 4 + k % 9;
        const double r = radius(rng);
        Pts outline;
        for (int v = 0; v < n; ++v) {
            const double a = 2 * kPi * (v + jitter(rng)) / n;
            outline.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
        }
        for (double d : {0.5, 2.0}) {
            Pts out;
            offsetEntOutSide(outline, d, out);
            EXPECT_NEAR(CPolygon(out, false).area(), geos_areas::mitredGrowthArea(outline, d), 1e-7)
                << k;
        }
    }
}

TEST(SideOff, MovesOneEdgeToItsLeft) {
    const struct {
        int index;
        double d;
        Pts want;
    } cases[] = {
        {0, 1.0, plan({{0, 1}, {10, 1}, {10, 10}})},
        {1, -2.0, plan({{0, 0}, {12, 0}, {12, 10}})},
        {2, 1.0, kElbow},
        {-1, 1.0, kElbow},
        {0, 1e-7, kElbow},
        {0, kNan, kElbow},
    };
    for (const auto& c : cases) {
        Pts pts = kElbow;
        SideOff(pts, c.index, c.d);
        point_lists::expectPlan(pts, c.want);
    }
}

TEST(MoveLineAlongPts, ShiftsOntoTheFarthestInteriorPointSquarelyOnTheSide) {
    const Pts pts = plan({{0, 0}, {2, 3}, {5, 7}, {12, 9}, {10, 0}});
    const struct {
        Pts line, pts;
        double side;
        Pts want;
    } cases[] = {
        {plan({{0, 0}, {10, 0}}), pts, 1.0, plan({{0, 7}, {10, 7}})},
        {plan({{0, 0}, {10, 0}}), pts, -1.0, plan({{0, 0}, {10, 0}})},
        {plan({{0, 0}, {10, 0}}), plan({{0, 0}, {5, -4}, {1, 0}}), -1.0, plan({{0, -4}, {10, -4}})},
        {plan({{0, 0}, {10, 0}}), plan({{5, 5}, {6, 6}}), 1.0, plan({{0, 0}, {10, 0}})},
        {plan({{0, 0}, {10, 0}, {20, 0}}), pts, 1.0, plan({{0, 0}, {10, 0}, {20, 0}})},
    };
    for (const auto& c : cases) {
        Pts line = c.line;
        MoveLineAlongPts(line, c.pts, c.side);
        point_lists::expectPlan(line, c.want);
    }
}

}  // namespace
