// The kernel point-in-outline test.
#include <geo/orvel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "foundation/numeric.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

AcArray<AcGePoint3d> Outline(std::initializer_list<AcGePoint3d> pts) {
    AcArray<AcGePoint3d> out;
    for (const AcGePoint3d& p : pts) {
        out.append(p);
    }
    return out;
}

// A 10 x 10 square with a notch cut into its top edge (a concave outline).
AcArray<AcGePoint3d> NotchedSquare() {
    return Outline({AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, 10, 0),
                    AcGePoint3d(6, 10, 0), AcGePoint3d(5, 5, 0), AcGePoint3d(4, 10, 0),
                    AcGePoint3d(0, 10, 0)});
}

TEST(OrvelIsIn, InteriorAndExteriorOfAConcaveOutline) {
    AcArray<AcGePoint3d> outline = NotchedSquare();
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(2, 2, 0), outline, true));
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(2, 9, 0), outline, false));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(5, 8, 0), outline, true));  // inside the notch
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(11, 5, 0), outline, true));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-1, 10, 0), outline, true));
    EXPECT_EQ(outline.length(), 7);  // untouched
}

TEST(OrvelIsIn, HeightIsIgnored) {
    AcArray<AcGePoint3d> outline = NotchedSquare();
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(2, 2, 1000), outline, false));
    AcArray<AcGePoint3d> raised = Outline(
        {AcGePoint3d(0, 0, 7), AcGePoint3d(4, 0, -3), AcGePoint3d(4, 4, 9), AcGePoint3d(0, 4, 0)});
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(1, 1, 0), raised, false));
}

TEST(OrvelIsIn, BoundaryPointsFollowTheFlag) {
    AcArray<AcGePoint3d> outline = NotchedSquare();
    const AcGePoint3d onEdges[] = {AcGePoint3d(5, 0, 0),     AcGePoint3d(0, 5, 0),
                                   AcGePoint3d(10, 10, 0),   AcGePoint3d(5, 5, 0),
                                   AcGePoint3d(4.5, 7.5, 0), AcGePoint3d(0, 3 + 5e-7, 0),
                                   AcGePoint3d(-5e-7, 3, 0)};
    for (const AcGePoint3d& p : onEdges) {
        EXPECT_TRUE(Orvel::isIn(p, outline, true)) << p.x << "," << p.y;
        EXPECT_FALSE(Orvel::isIn(p, outline, false)) << p.x << "," << p.y;
    }
    // Just beyond the boundary tolerance the point is plainly outside.
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-2e-6, 3, 0), outline, true));
}

TEST(OrvelIsIn, RayThroughVerticesCountsEachCrossingOnce) {
    // A diamond: the ray from the centre passes exactly through the right vertex.
    AcArray<AcGePoint3d> diamond = Outline(
        {AcGePoint3d(0, -2, 0), AcGePoint3d(2, 0, 0), AcGePoint3d(0, 2, 0), AcGePoint3d(-2, 0, 0)});
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(0, 0, 0), diamond, false));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-3, 0, 0), diamond, false));
    // The ray from (5, 0) runs along no edge; a point level with a flat top edge.
    AcArray<AcGePoint3d> square = Outline(
        {AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), AcGePoint3d(4, 4, 0), AcGePoint3d(0, 4, 0)});
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-1, 4, 0), square, false));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-1, 0, 0), square, true));
}

TEST(OrvelIsIn, RepeatedClosingVertexChangesNothing) {
    AcArray<AcGePoint3d> closed = NotchedSquare();
    closed.append(AcGePoint3d(0, 0, 0));
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(2, 2, 0), closed, false));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(5, 8, 0), closed, false));
}

TEST(OrvelIsIn, DegenerateInputIsNeverInside) {
    AcArray<AcGePoint3d> empty;
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(0, 0, 0), empty, true));
    AcArray<AcGePoint3d> twoPoints = Outline({AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0)});
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(2, 1, 0), twoPoints, true));
    EXPECT_TRUE(Orvel::isIn(AcGePoint3d(2, 0, 0), twoPoints, true));  // on the segment
    AcArray<AcGePoint3d> square = Outline(
        {AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0), AcGePoint3d(4, 4, 0), AcGePoint3d(0, 4, 0)});
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(kNaN, 2, 0), square, true));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(2, kNaN, 0), square, true));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(kInf, 2, 0), square, true));
    EXPECT_FALSE(Orvel::isIn(AcGePoint3d(-kInf, 2, 0), square, true));
}

// Against the convex rule (left of every edge of a counter-clockwise outline) on
// random convex outlines and random points away from the boundary.
TEST(OrvelIsIn, AgreesWithTheConvexRuleOnRandomOutlines) {
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 200; ++round) {
        const int n = 3 + static_cast<int>(unit(rng) * 9);
        const double cx = unit(rng) * 200 - 100;
        const double cy = unit(rng) * 200 - 100;
        const double r = 0.5 + unit(rng) * 50;
        const double turn = unit(rng) * 6.28;
        AcArray<AcGePoint3d> outline;
        for (int i = 0; i < n; ++i) {
            const double a = turn + geo_detail::kTwoPi * i / n;
            outline.append(AcGePoint3d(cx + r * std::cos(a), cy + r * std::sin(a), 0));
        }
        for (int k = 0; k < 50; ++k) {
            const AcGePoint3d p(cx + (unit(rng) * 3 - 1.5) * r, cy + (unit(rng) * 3 - 1.5) * r, 0);
            double minCross = std::numeric_limits<double>::infinity();
            for (int i = 0; i < n; ++i) {
                const AcGePoint3d& a = outline[i];
                const AcGePoint3d& b = outline[(i + 1) % n];
                const double len = std::hypot(b.x - a.x, b.y - a.y);
                const double cross = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len;
                minCross = std::min(minCross, cross);
            }
            if (std::fabs(minCross) < 1e-4) {
                continue;  // too close to the boundary for the reference to be sure
            }
            EXPECT_EQ(Orvel::isIn(p, outline, false), minCross > 0) << round << "/" << k;
            EXPECT_EQ(Orvel::isIn(p, outline, true), minCross > 0) << round << "/" << k;
        }
    }
}

}  // namespace
