// Sweeps of outlines along a shift and the largest-loop reduction: the swept area against
// an independent union, the loop rules, the fast search against the plain recursive one.
#include <geo/measures.h>
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "support/geos_areas.h"
#include "support/point_lists.h"
#include "toolkit/shadow_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

using point_lists::plan;
using point_lists::Pts;

using geo_detail::kPi;

// Area of the outline, its translate and every edge's swept quadrilateral, united by GEOS.
double sweptAreaByUnion(const Pts& outline, const CVector3d& s) {
    std::vector<Pts> pieces{outline, {}};
    for (const CPoint3d& p : outline) {
        pieces[1].push_back(p + s);
    }
    for (size_t k = 0; k < outline.size(); ++k) {
        const CPoint3d& a = outline[k];
        const CPoint3d& b = outline[(k + 1) % outline.size()];
        pieces.push_back({a, b, b + s, a + s});
    }
    return geos_areas::unionArea(pieces);
}

// A star around the origin with the given radii at evenly turning angles.
Pts star(const std::vector<double>& radii) {
    Pts pts;
    const int n = static_cast<int>(radii.size());
    for (int k = 0; k < n; ++k) {
        const double a = 2 * kPi * k / n;
        pts.emplace_back(radii[k] * std::cos(a), radii[k] * std::sin(a), 0.0);
    }
    return pts;
}

TEST(GetEntShade, SweepsTheSquareWithItsOwnVerticesInEitherOrientation) {
    const Pts ccw = plan({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    const Pts want = plan({{0, 0}, {1, 0}, {3, 0}, {3, 1}, {2, 1}, {0, 1}});
    for (const Pts& outline : {ccw, Pts(ccw.rbegin(), ccw.rend())}) {
        Pts shade = plan({{9, 9}});
        GetEntShade(outline, CVector3d(2, 0, 0), shade);
        point_lists::expectPlan(shade, want);
    }
}

// Every direction of shift, downward ones included, sweeps the Minkowski sum of the outline
// and the shift segment.
TEST(GetEntShade, AreaIsTheMinkowskiSumForConvexAndStarOutlines) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> radius(1.0, 3.0);
    std::vector<Pts> outlines = {plan({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), star({3, 3, 3, 3, 3, 3}),
                                 plan({{0, 0}, {4, 1}, {1, 3}}),
                                 star({3, 1.2, 3, 1.2, 3, 1.2, 3, 1.2, 3, 1.2})};
    for (int k = 0; k < 4; ++k) {
        std::vector<double> radii(12);
        for (double& r : radii) {
            r = radius(rng);
        }
        outlines.push_back(star(radii));
    }
    for (size_t o = 0; o < outlines.size(); ++o) {
        for (int d = 0; d < 16; ++d) {
            for (double len : {0.5, 2.0, 6.0}) {
                const double a = d * kPi / 8 + (d % 2 == 0 ? 0.0 : 0.3);
                const CVector3d s(len * std::cos(a), len * std::sin(a), 0.0);
                Pts shade;
                GetEntShade(outlines[o], s, shade);
                EXPECT_NEAR(CalPolyArea(shade), sweptAreaByUnion(outlines[o], s), 1e-7)
                    << "outline " << o << " direction " << d << " length " << len;
            }
        }
    }
}

TEST(GetEntShade, DegenerateInputGivesNoShadeOrTheOutlineItself) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Pts square = plan({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    const struct {
        Pts outline;
        CVector3d shift;
        size_t points;
    } cases[] = {
        {{}, CVector3d(1, 0, 0), 0},
        {plan({{0, 0}, {0.005, 0}, {0.005, 0.005}, {1, 1}}), CVector3d(1, 0, 0), 0},
        {plan({{0, 0}, {nan, 0}, {1, 1}}), CVector3d(1, 0, 0), 0},
        {square, CVector3d(nan, 0, 0), 0},
        {square, CVector3d(0, 0, 0), 4},
    };
    for (const auto& c : cases) {
        Pts shade = plan({{5, 5}, {6, 6}});
        GetEntShade(c.outline, c.shift, shade);
        EXPECT_EQ(shade.size(), c.points);
    }
}

TEST(GetMaxPL, KeepsTheLargerLobeAndOnATieTheLoopFromTheCrossing) {
    // Lobes of area 1 (left) and 3 (right) meeting at (1, 1).
    Pts eight = plan({{0, 0}, {2, 2}, {3, 2}, {3, 0}, {2, 0}, {0, 2}});
    EXPECT_NEAR(GetMaxPL(eight, false), 3.0, 1e-12);
    point_lists::expectPlan(eight, plan({{1, 1}, {2, 2}, {3, 2}, {3, 0}, {2, 0}}));
    Pts even = plan({{0, 0}, {2, 2}, {2, 0}, {0, 2}});
    EXPECT_NEAR(GetMaxPL(even, false), 1.0, 1e-12);
    point_lists::expectPlan(even, plan({{1, 1}, {2, 2}, {2, 0}}));
}

TEST(GetMaxPL, ClockwiseLoopCountsAsNoneOnlyWhenAsked) {
    const Pts cw = plan({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    Pts kept = cw, dropped = cw;
    EXPECT_NEAR(GetMaxPL(kept, false), 1.0, 1e-12);
    EXPECT_EQ(kept.size(), 4u);
    EXPECT_EQ(GetMaxPL(dropped, true), 0.0);
    EXPECT_TRUE(dropped.empty());
    Pts bad = plan({{0, 0}, {1, std::numeric_limits<double>::infinity()}, {1, 1}});
    EXPECT_EQ(GetMaxPL(bad, false), 0.0);
    EXPECT_TRUE(bad.empty());
}

// Random self-crossing walks, sweeps and retraced outlines give the plain recursion's loop,
// bit for bit.
TEST(GetMaxPL, MatchesThePlainRecursion) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> grid(0, 6);
    std::uniform_real_distribution<double> real(-5.0, 5.0);
    std::vector<Pts> lists = {plan({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 1}}),
                              plan({{0, 0}, {2, 0}, {1, 0}, {3, 0}}), plan({{1, 1}, {1, 1}}),
                              plan({{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}})};
    for (int k = 0; k < 320; ++k) {
        Pts pts;
        const int n = k < 300 ? 3 + k % 40 : 200;
        for (int v = 0; v < n; ++v) {
            if (k % 3 == 0) {
                pts.emplace_back(grid(rng), grid(rng), 0.0);
            } else {
                pts.emplace_back(real(rng), real(rng), 0.0);
            }
        }
        lists.push_back(pts);
    }
    for (size_t k = 0; k < lists.size(); ++k) {
        for (bool drop : {false, true}) {
            Pts fast = lists[k], plain = lists[k];
            EXPECT_EQ(GetMaxPL(fast, drop), shadow_reference::GetMaxPL(plain, drop)) << k;
            point_lists::expectIdentical(fast, plain);
        }
    }
}

// A circle of 100 000 vertices with a small curl every 10 000 vertices: cuts in a row on a
// long list, and no exhausted stack.
TEST(GetMaxPL, LargeOutlineWithManyLoopsKeepsTheMainLoop) {
    const int n = 100000;
    const double r = 10000.0, h = 0.1;
    Pts pts;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * kPi * k / n;
        const CPoint3d p(r * std::cos(a), r * std::sin(a), 0.0);
        pts.push_back(p);
        if (k % 10000 == 0) {
            const CVector3d t(-std::sin(a), std::cos(a), 0.0), u(-std::cos(a), -std::sin(a), 0);
            pts.push_back(p + t * (2 * h));
            pts.push_back(p + t * (2 * h) + u * h);
            pts.push_back(p + t * h + u * h);
            pts.push_back(p + t * h - u * h);
        }
    }
    const double area = GetMaxPL(pts, false);
    EXPECT_NEAR(area, kPi * r * r, 1e-5 * kPi * r * r);
    EXPECT_LT(pts.size(), static_cast<size_t>(n + 50));
}

}  // namespace
