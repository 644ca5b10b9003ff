// Convex hull, least-area rectangle and the four sides of an outline.
#include <geo/hull.h>
#include <geo/measures.h>

#include "support/boost_geometry.h"
#include "support/random_points.h"
#include "toolkit/hull_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Pts = std::vector<CPoint3d>;

Pts xy(std::initializer_list<std::pair<double, double>> list) {
    Pts pts;
    for (const auto& p : list) {
        pts.emplace_back(p.first, p.second, 0.0);
    }
    return pts;
}

void expectSamePoints(const Pts& got, const Pts& want, double tol = 1e-9) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, want[i].x, tol) << "point " << i;
        EXPECT_NEAR(got[i].y, want[i].y, tol) << "point " << i;
        EXPECT_NEAR(got[i].z, want[i].z, tol) << "point " << i;
    }
}

Pts hullOf(const Pts& pts) {
    Pts hull{CPoint3d(9, 9, 9)};  // stale content that must go
    ConvexHull(pts, hull);
    return hull;
}

// ---- ConvexHull ----------------------------------------------------------------------------

TEST(ConvexHull, ClockwiseFromTheFirstPointInXOrderKeepingStraightStretches) {
    const struct {
        const char* name;
        Pts in, want;
    } cases[] = {
        {"square and centre", xy({{10, 10}, {5, 5}, {0, 0}, {10, 0}, {0, 10}}),
         xy({{0, 0}, {0, 10}, {10, 10}, {10, 0}})},
        {"collinear there and back", xy({{2, 2}, {0, 0}, {1, 1}}),
         xy({{0, 0}, {1, 1}, {2, 2}, {1, 1}})},
        {"point on an edge kept", xy({{0, 0}, {4, 0}, {2, 0}, {2, 3}}),
         xy({{0, 0}, {2, 3}, {4, 0}, {2, 0}})},
        {"two distinct points", xy({{1, 1}, {3, 1}, {1, 1}}), xy({{1, 1}, {3, 1}})},
        {"repeats within 1e-6 count once", xy({{0, 0}, {1, 0}, {0, 1}, {5e-7, 5e-7}}),
         xy({{0, 0}, {0, 1}, {1, 0}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSamePoints(hullOf(c.in), c.want);
    }
}

TEST(ConvexHull, ReturnsTheInputPointsWithTheirHeights) {
    const Pts in{CPoint3d(0, 0, 1), CPoint3d(1, 0, 2), CPoint3d(0, 1, 3)};
    expectSamePoints(hullOf(in), {in[0], in[2], in[1]});
}

TEST(ConvexHull, DegenerateOrNonFiniteInputGivesAnEmptyHull) {
    const Pts cases[] = {
        {},
        xy({{0, 0}, {1, 1}}),
        xy({{3, 3}, {3, 3}, {3, 3}, {3, 3 + 1e-7}}),
        xy({{0, 0}, {1, 0}, {kNaN, 1}}),
        xy({{0, 0}, {1, 0}, {0, kInf}}),
    };
    for (const Pts& in : cases) {
        EXPECT_TRUE(hullOf(in).empty());
    }
}

// Many x-values within 1e-6 of each other: the tolerant x order is then no strict weak order.
// The hull must still be the hull, start at the lowest point of the leftmost run, and not
// read outside the list (the sanitizer build checks the last).
TEST(ConvexHull, XValuesWithinTheToleranceSortWellDefined) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> tiny(0.0, 1e-6), y(-5.0, 5.0);
    for (int round = 0; round < 50; ++round) {
        Pts pts;
        for (int i = 0; i < 400; ++i) {
            // Chains of x-values 0.3e-6 apart, and a few separated clusters.
            const double x = (i % 4 == 0) ? 0.3e-6 * i : 10.0 * (i % 3) + tiny(rng);
            pts.emplace_back(x, y(rng), 0.0);
        }
        const Pts hull = hullOf(pts);
        ASSERT_GE(hull.size(), 3u);
        for (size_t i = 0; i < hull.size(); ++i) {
            const CPoint3d &a = hull[i], &b = hull[(i + 1) % hull.size()],
                           &c = hull[(i + 2) % hull.size()];
            EXPECT_LE((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x), 1e-9);
        }
    }
    // A consistent case: a run of three x-values within 1e-6 comes first, ordered by y.
    const Pts hull = hullOf(xy({{1e-7, 5}, {0, 3}, {5e-7, 1}, {10, 0}, {5, 10}}));
    ASSERT_FALSE(hull.empty());
    EXPECT_EQ(hull[0].y, 1.0);
}

double boostHullArea(const Pts& pts, std::vector<BPoint>& corners) {
    bg::model::multi_point<BPoint> mp;
    for (const CPoint3d& p : pts) {
        mp.emplace_back(p.x, p.y);
    }
    BPolygon hull;
    bg::convex_hull(mp, hull);
    corners.assign(hull.outer().begin(), hull.outer().end());
    return std::fabs(bg::area(hull));
}

bool hasPoint(const Pts& pts, const BPoint& p) {
    for (const CPoint3d& q : pts) {
        if (q.x == p.x() && q.y == p.y()) {
            return true;
        }
    }
    return false;
}

TEST(ConvexHull, AgreesWithBoostGeometryOnRandomInput) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const size_t n = 3 + rng() % 500;
        const Pts pts = round % 3 == 0   ? testpts::onGrid(rng, n, 12)
                        : round % 3 == 1 ? testpts::inDisc(rng, n, 100.0, 3e5, -2e5)
                                         : testpts::onCircle(rng, n, 50.0);
        std::vector<BPoint> corners;
        const double area = boostHullArea(pts, corners);
        const Pts hull = hullOf(pts);
        ASSERT_GE(hull.size(), 3u);
        EXPECT_NEAR(CalPolyArea(hull), area, 1e-9 * (1.0 + area));
        EXPECT_TRUE(PolyIsClockWise(hull));
        for (const BPoint& c : corners) {
            EXPECT_TRUE(hasPoint(hull, c)) << "boost corner " << c.x() << "," << c.y();
        }
    }
}

// The radix sort and plan-first duplicate test must give exactly the comparison-sorted hull:
// large inputs (radix path), runs of x within 1e-6, exact repeats with other heights, zeros
// of both signs.
TEST(ConvexHull, FastSortMatchesTheComparisonSort) {
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int round = 0; round < 60; ++round) {
        const size_t n = 500 + rng() % 5000;
        Pts pts = round % 3 == 0   ? testpts::inDisc(rng, n, 1e3, -5e3)
                  : round % 3 == 1 ? testpts::onCircle(rng, n, 1.0)
                                   : testpts::onGrid(rng, n, 30);
        for (size_t i = 0; i < n / 10; ++i) {
            CPoint3d p = pts[rng() % n];
            p.x += 4e-7 * unit(rng);  // near repeats and chained runs
            p.z = static_cast<double>(i % 3);
            pts.push_back(p);
        }
        pts.emplace_back(-0.0, 2.0, 0.0);
        pts.emplace_back(0.0, -2.0, 0.0);
        Pts fast, literal;
        ConvexHull(pts, fast);
        reference::ConvexHull(pts, literal);
        ASSERT_EQ(fast.size(), literal.size()) << "round " << round;
        for (size_t i = 0; i < fast.size(); ++i) {
            ASSERT_TRUE(fast[i].x == literal[i].x && fast[i].y == literal[i].y &&
                        fast[i].z == literal[i].z)
                << "round " << round << " point " << i;
        }
    }
}

// ---- GetMinBesiegeRect ---------------------------------------------------------------------

TEST(GetMinBesiegeRect, FollowsATurnedSquareAndFailsOnCollinearOrMissingInput) {
    Pts square = testpts::regular(4, 5.0 * std::sqrt(2.0), 0.25 * 3.141592653589793 + 0.5236);
    Pts rect{CPoint3d(1, 1, 1)};
    ASSERT_TRUE(GetMinBesiegeRect(square, rect));
    ASSERT_EQ(rect.size(), 4u);
    EXPECT_NEAR(CalPolyArea(rect), 100.0, 1e-9);
    for (const CPoint3d& c : rect) {
        EXPECT_NEAR(GetDistPt2PL(c, square), 0.0, 1e-9);  // each corner is a corner of the square
    }
    EXPECT_FALSE(PolyIsClockWise(rect));

    EXPECT_FALSE(GetMinBesiegeRect(xy({{0, 0}, {1, 1}, {3, 3}}), rect));
    EXPECT_FALSE(GetMinBesiegeRect(Pts{}, rect));
    EXPECT_TRUE(rect.empty());
    EXPECT_FALSE(GetMinBesiegeRect(xy({{0, 0}, {kNaN, 1}, {3, 3}}), rect));
    EXPECT_TRUE(rect.empty());
    EXPECT_FALSE(GetMinBesiegeRect(static_cast<CPolygon*>(nullptr), rect));
    CPolygon polygon(square, true);
    EXPECT_TRUE(GetMinBesiegeRect(&polygon, rect));
    EXPECT_NEAR(CalPolyArea(rect), 100.0, 1e-9);
}

// The calipers must give exactly what turning the hull for every candidate gives, ties
// included: regular polygons, grids and far-off coordinates among the random hulls.
TEST(GetMinBesiegeRect, CalipersMatchTheLiteralRule) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> phase(0.0, 6.283185307179586);
    for (int round = 0; round < 3000; ++round) {
        Pts pts;
        switch (round % 5) {
            case 0:
                pts = testpts::regular(3 + rng() % 60, 10.0, phase(rng));
                break;
            case 1:
                pts = testpts::inDisc(rng, 20 + rng() % 2000, 30.0);
                break;
            case 2:
                pts = testpts::onCircle(rng, 16 + rng() % 100, 5.0, 4e6, 1e6);
                break;
            case 3:
                pts = testpts::onGrid(rng, 30 + rng() % 200, 20);
                break;
            default:
                pts = testpts::regular(16 + rng() % 40, 1e3, 0.0, -7e5, 2e5);
                break;
        }
        Pts fast, literal;
        const bool ok = GetMinBesiegeRect(pts, fast);
        ASSERT_EQ(ok, reference::GetMinBesiegeRect(pts, literal)) << "round " << round;
        ASSERT_EQ(fast.size(), literal.size()) << "round " << round;
        for (size_t i = 0; i < fast.size(); ++i) {
            ASSERT_TRUE(fast[i].x == literal[i].x && fast[i].y == literal[i].y &&
                        fast[i].z == literal[i].z)
                << "round " << round << " corner " << i;
        }
    }
}

// ---- IsEchelonOrDiamond --------------------------------------------------------------------

TEST(IsEchelonOrDiamond, NeedsFourPointsWithOneParallelPair) {
    const struct {
        Pts pts;
        bool want;
    } cases[] = {
        {xy({{0, 0}, {10, 0}, {7, 5}, {2, 5}}), true},    // trapezoid
        {xy({{0, 0}, {10, 0}, {13, 5}, {3, 5}}), true},   // parallelogram
        {xy({{0, 0}, {4, 3}, {0, 10}, {-4, 3}}), false},  // kite
        {xy({{0, 0}, {10, 0}, {5, 5}}), false},           // three points
        {xy({{0, 0}, {10, 0}, {10, 5}, {5, 8}, {0, 5}}), false},
    };
    for (auto c : cases) {
        EXPECT_EQ(IsEchelonOrDiamond(c.pts), c.want);
    }
}

// ---- GetFourEdgeOfGon and GetFourEdge ------------------------------------------------------

TEST(GetFourEdge, CutsTheOutlineAtTheCornersFacingItsRectangle) {
    // A long rectangle with extra vertices on its sides, starting mid-side.
    CPolygon polygon(xy({{10, 0}, {20, 0}, {20, 5}, {20, 8}, {0, 8}, {0, 0}}), false);
    int c[4] = {-1, -1, -1, -1};
    bool elongated = false;
    ASSERT_TRUE(GetFourEdgeOfGon(&polygon, c[0], c[1], c[2], c[3], elongated));
    EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{1, 3, 4, 5}));

    Pts s0, s1, s2, s3, rect;
    ASSERT_TRUE(GetFourEdge(&polygon, s0, s1, s2, s3, elongated, rect));
    expectSamePoints(s0, xy({{20, 0}, {20, 5}, {20, 8}}));
    expectSamePoints(s1, xy({{20, 8}, {0, 8}}));
    expectSamePoints(s2, xy({{0, 8}, {0, 0}}));
    expectSamePoints(s3, xy({{0, 0}, {10, 0}, {20, 0}}));
    EXPECT_NEAR(CalPolyArea(rect), 160.0, 1e-9);
}

// Elongation is the rectangle's side ratio, whatever its orientation and corner order.
TEST(GetFourEdge, ElongatedMeansSidesMoreThanOneAndAHalfApart) {
    const struct {
        double w, h, turn;
        bool want;
    } cases[] = {{10, 10, 0.0, false}, {10, 10, 0.5236, false}, {20, 8, 0.0, true},
                 {20, 8, 1.1, true},   {8, 20, 2.0, true},      {14, 10, 0.3, false}};
    for (const auto& c : cases) {
        CPolygon rect(xy({{0, 0}, {c.w, 0}, {c.w, c.h}, {0, c.h}}), true);
        rect.rotate(CPoint3d(3, 4, 0), c.turn);
        int c0, c1, c2, c3;
        bool elongated = !c.want;
        ASSERT_TRUE(GetFourEdgeOfGon(&rect, c0, c1, c2, c3, elongated));
        EXPECT_EQ(elongated, c.want) << c.w << " x " << c.h << " turned " << c.turn;
    }
}

TEST(GetFourEdge, NullDegenerateOrThreeCorneredOutlinesFail) {
    int c0 = -1, c1 = -1, c2 = -1, c3 = -1;
    bool elongated = false;
    Pts s0, s1, s2, s3, rect;
    EXPECT_FALSE(GetFourEdgeOfGon(nullptr, c0, c1, c2, c3, elongated));
    EXPECT_FALSE(GetFourEdge(nullptr, s0, s1, s2, s3, elongated, rect));
    CPolygon empty;
    EXPECT_FALSE(GetFourEdge(&empty, s0, s1, s2, s3, elongated, rect));
    CPolygon line(xy({{0, 0}, {5, 0}, {10, 0}}), false);
    EXPECT_FALSE(GetFourEdgeOfGon(&line, c0, c1, c2, c3, elongated));
    CPolygon triangle(xy({{0, 0}, {10, 0}, {5, 8}}), true);
    EXPECT_FALSE(GetFourEdge(&triangle, s0, s1, s2, s3, elongated, rect));
    EXPECT_EQ(c0, -1);
    EXPECT_TRUE(s0.empty());
}

}  // namespace
