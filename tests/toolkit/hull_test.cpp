// Convex hull, least-area rectangle and the four sides of an outline.
#include <geo/hull.h>
#include <geo/measures.h>

#include "foundation/numeric.h"
#include "support/boost_overlay.h"
#include "support/point_lists.h"
#include "support/random_points.h"
#include "toolkit/hull_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

using point_lists::plan;
using point_lists::Pts;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Pts hullOf(const Pts& pts) {
    Pts hull{CPoint3d(9, 9, 9)};  // stale content that must go
    ConvexHull(pts, hull);
    return hull;
}

// A random set of one of several kinds: disc, circle, grid (repeats and collinear runs),
// regular polygon, far-off coordinates.
Pts randomSet(std::mt19937& rng, int kind) {
    std::uniform_real_distribution<double> phase(0.0, geo_detail::kTwoPi);
    switch (kind % 5) {
        case 0:
            return testpts::regular(3 + rng() % 60, 10.0, phase(rng));
        case 1:
            return testpts::inDisc(rng, 20 + rng() % 2000, 30.0);
        case 2:
            return testpts::onCircle(rng, 16 + rng() % 100, 5.0, 4e6, 1e6);
        case 3:
            return testpts::onGrid(rng, 30 + rng() % 200, 20);
        default:
            return testpts::regular(16 + rng() % 40, 1e3, 0.0, -7e5, 2e5);
    }
}

TEST(ConvexHull, ClockwiseFromTheFirstPointInXOrderKeepingStraightStretches) {
    const struct {
        Pts in, want;
    } cases[] = {
        {plan({{10, 10}, {5, 5}, {0, 0}, {10, 0}, {0, 10}}),
         plan({{0, 0}, {0, 10}, {10, 10}, {10, 0}})},
        {plan({{2, 2}, {0, 0}, {1, 1}}), plan({{0, 0}, {1, 1}, {2, 2}, {1, 1}})},  // there and back
        {plan({{0, 0}, {4, 0}, {2, 0}, {2, 3}}), plan({{0, 0}, {2, 3}, {4, 0}, {2, 0}})},
        {plan({{1, 1}, {3, 1}, {1, 1}}), plan({{1, 1}, {3, 1}})},
        {plan({{0, 0}, {1, 0}, {0, 1}, {5e-7, 5e-7}}), plan({{0, 0}, {0, 1}, {1, 0}})},
        // x within 1e-6 orders by y: the run's lowest point comes first
        {plan({{1e-7, 5}, {0, 3}, {5e-7, 1}, {10, 0}}),
         plan({{5e-7, 1}, {0, 3}, {1e-7, 5}, {10, 0}})},
        {{CPoint3d(0, 0, 1), CPoint3d(1, 0, 2), CPoint3d(0, 1, 3)},  // the input's own points
         {CPoint3d(0, 0, 1), CPoint3d(0, 1, 3), CPoint3d(1, 0, 2)}},
        // empty: too few points, one point repeated, non-finite coordinates
        {plan({{0, 0}, {1, 1}}), {}},
        {plan({{3, 3}, {3, 3}, {3, 3 + 1e-7}}), {}},
        {plan({{0, 0}, {1, 0}, {kNaN, 1}}), {}},
        {plan({{0, 0}, {1, 0}, {0, std::numeric_limits<double>::infinity()}}), {}},
    };
    for (const auto& c : cases) {
        point_lists::expectPoints(hullOf(c.in), c.want, 0.0);
    }
}

// Radix sort, plan-first repeat test and in-place chains must give exactly the comparison-
// sorted hull; the inputs add near repeats with other heights that chain runs of x within 1e-6
// (the tolerant order is then no strict weak order; the sanitizer build watches the reads).
TEST(ConvexHull, FastSortMatchesTheComparisonSort) {
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> jitter(-4e-7, 4e-7);
    for (int round = 0; round < 60; ++round) {
        Pts pts = round % 2 == 0 ? testpts::inDisc(rng, 500 + rng() % 5000, 1e3, -5e3)
                                 : randomSet(rng, round);
        const size_t n = pts.size();
        for (size_t i = 0; i < n / 5; ++i) {
            CPoint3d p = pts[rng() % n];
            p.x += jitter(rng);
            p.z = static_cast<double>(i % 3);
            pts.push_back(p);
        }
        pts.emplace_back(-0.0, 2.0, 0.0);
        pts.emplace_back(0.0, -2.0, 0.0);
        Pts literal;
        reference::ConvexHull(pts, literal);
        SCOPED_TRACE(round);
        point_lists::expectIdentical(hullOf(pts), literal);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(ConvexHull, AgreesWithBoostGeometryOnRandomInput) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const Pts pts = randomSet(rng, round);
        std::vector<geo_test::PlanXY> plan;
        for (const CPoint3d& p : pts) {
            plan.push_back({p.x, p.y});
        }
        const geo_test::BoostHull expected = geo_test::boostConvexHull(plan);
        const Pts hull = hullOf(pts);
        const double area = expected.area;
        EXPECT_NEAR(CalPolyArea(hull), area, 1e-9 * (1.0 + area)) << "round " << round;
        EXPECT_TRUE(PolyIsClockWise(hull));
        for (const geo_test::PlanXY& c : expected.ring) {
            EXPECT_TRUE(std::any_of(hull.begin(), hull.end(),
                                    [&](const CPoint3d& q) { return q.x == c.x && q.y == c.y; }))
                << "round " << round;
        }
    }
}

TEST(GetMinBesiegeRect, FollowsATurnedSquareAndFailsOnCollinearOrMissingInput) {
    const Pts square = testpts::regular(4, 5.0 * std::sqrt(2.0), 1.3090);
    CPolygon polygon(square, true);
    Pts rect{CPoint3d(1, 1, 1)};
    ASSERT_TRUE(GetMinBesiegeRect(&polygon, rect));
    ASSERT_EQ(rect.size(), 4u);
    EXPECT_NEAR(CalPolyArea(rect), 100.0, 1e-9);
    EXPECT_FALSE(PolyIsClockWise(rect));
    for (const CPoint3d& c : rect) {
        EXPECT_NEAR(GetDistPt2PL(c, square), 0.0, 1e-9);  // the square's own corners
    }
    EXPECT_FALSE(GetMinBesiegeRect(plan({{0, 0}, {1, 1}, {3, 3}}), rect));  // collinear
    for (const Pts& none : {Pts{}, plan({{0, 0}, {kNaN, 1}, {3, 3}})}) {
        EXPECT_FALSE(GetMinBesiegeRect(none, rect));
        EXPECT_TRUE(rect.empty());
    }
    EXPECT_FALSE(GetMinBesiegeRect(static_cast<CPolygon*>(nullptr), rect));
}

// The calipers must give exactly what turning the hull for every candidate gives, ties
// (regular polygons, grids) and far-off coordinates included.
TEST(GetMinBesiegeRect, CalipersMatchTheLiteralRule) {
    std::mt19937 rng(3);
    for (int round = 0; round < 2000; ++round) {
        const Pts pts = randomSet(rng, round);
        SCOPED_TRACE(round);
        Pts fast, literal;
        ASSERT_EQ(GetMinBesiegeRect(pts, fast), reference::GetMinBesiegeRect(pts, literal));
        point_lists::expectIdentical(fast, literal);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(IsEchelonOrDiamond, NeedsFourPointsWithOneParallelPair) {
    const struct {
        Pts pts;
        bool want;
    } cases[] = {
        {plan({{0, 0}, {10, 0}, {7, 5}, {2, 5}}), true},    // trapezoid
        {plan({{0, 0}, {10, 0}, {13, 5}, {3, 5}}), true},   // parallelogram
        {plan({{0, 0}, {4, 3}, {0, 10}, {-4, 3}}), false},  // kite
        {plan({{0, 0}, {10, 0}, {5, 5}}), false},
        {plan({{0, 0}, {10, 0}, {10, 5}, {5, 8}, {0, 5}}), false},
    };
    for (auto c : cases) {
        EXPECT_EQ(IsEchelonOrDiamond(c.pts), c.want);
    }
}

TEST(GetFourEdge, CutsTheOutlineAtTheCornersFacingItsRectangle) {
    // A long rectangle with extra vertices on its sides, starting mid-side.
    CPolygon polygon(plan({{10, 0}, {20, 0}, {20, 5}, {20, 8}, {0, 8}, {0, 0}}), false);
    Pts s0, s1, s2, s3, rect;
    bool elongated = false;
    ASSERT_TRUE(GetFourEdge(&polygon, s0, s1, s2, s3, elongated, rect));
    point_lists::expectPoints(s0, plan({{20, 0}, {20, 5}, {20, 8}}));
    point_lists::expectPoints(s1, plan({{20, 8}, {0, 8}}));
    point_lists::expectPoints(s2, plan({{0, 8}, {0, 0}}));
    point_lists::expectPoints(s3, plan({{0, 0}, {10, 0}, {20, 0}}));
    EXPECT_NEAR(CalPolyArea(rect), 160.0, 1e-9);

    int c0 = -1;
    CPolygon empty, line(plan({{0, 0}, {5, 0}, {10, 0}}), false);
    CPolygon triangle(plan({{0, 0}, {10, 0}, {5, 8}}), true);
    for (CPolygon* bad : {static_cast<CPolygon*>(nullptr), &empty, &line, &triangle}) {
        Pts t0;
        EXPECT_FALSE(GetFourEdgeOfGon(bad, c0, c0, c0, c0, elongated));
        EXPECT_FALSE(GetFourEdge(bad, t0, t0, t0, t0, elongated, rect));
        EXPECT_TRUE(c0 == -1 && t0.empty());
    }
    // Elongation comes from the rectangle, before the corners are sought.
    CPolygon sliver(plan({{0, 0}, {30, 0}, {15, 4}}), true);
    elongated = false;
    EXPECT_FALSE(GetFourEdgeOfGon(&sliver, c0, c0, c0, c0, elongated));
    EXPECT_TRUE(elongated && c0 == -1);
}

// Elongation reads the rectangle's diagonal: the ratio of its x to y extents, folded above 1,
// over 1.5. The ratio is signed, so the same 20 x 8 rectangle is elongated at some turns and
// not at others (upright, its diagonal runs down-right: negative, not elongated).
TEST(GetFourEdge, ElongatedReadsTheSignedDiagonalRatio) {
    const struct {
        double turn;
        bool want;
    } cases[] = {{0.0, false}, {0.3, false}, {0.5, true}, {1.1, true}, {2.5, false}, {-0.3, true}};
    for (const auto& c : cases) {
        CPolygon rect(plan({{0, 0}, {20, 0}, {20, 8}, {0, 8}}), true);
        rect.rotate(CPoint3d(0, 0, 0), c.turn);
        int c0, c1, c2, c3;
        bool elongated = !c.want;
        ASSERT_TRUE(GetFourEdgeOfGon(&rect, c0, c1, c2, c3, elongated));
        EXPECT_EQ(elongated, c.want) << "turned " << c.turn;
    }
}

}  // namespace
