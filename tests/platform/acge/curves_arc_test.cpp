// Circular arcs in 2D and 3D: construction, parameters, lengths, intersections, sampling.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/geline2d.h>
#include <geo/acge/geline3d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>

#include "foundation/numeric.h"
#include "support/acge_points.h"

namespace {

constexpr double kEps = 1e-9;
using geo_detail::kPi;

const acge_test::PointExpect expectAt{kEps};

// Distance from p to the circle of the arc, by the circle equation.
double offCircle(const AcGeCircArc2d& arc, const AcGePoint2d& p) {
    return std::fabs(std::hypot(p.x - arc.center().x, p.y - arc.center().y) - arc.radius());
}

double sweepOf(const AcGeCircArc2d& arc) {
    return arc.endAng() - arc.startAng();
}

}  // namespace

TEST(CircArc2d, CircleFromCentreStartsOnPlusXAndRunsCounterClockwise) {
    AcGeCircArc2d circle(AcGePoint2d(2, 3), 4.0);
    EXPECT_EQ(circle.type(), AcGe::kCircArc2d);
    EXPECT_TRUE(circle.isKindOf(AcGe::kCurve2d));
    expectAt(circle.startPoint(), 6, 3);
    expectAt(circle.endPoint(), 6, 3);
    expectAt(circle.evalPoint(kPi / 2), 2, 7);
    EXPECT_FALSE(circle.isClockWise());
    EXPECT_TRUE(circle.isClosed());
    EXPECT_NEAR(circle.length(circle.startAng(), circle.endAng()), 8 * kPi, kEps);
}

TEST(CircArc2d, ThreePointArcsPassThroughTheirPointsInOrder) {
    AcGeCircArc2d ccw(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    expectAt(ccw.center(), 0, 0);
    EXPECT_NEAR(ccw.radius(), 1.0, kEps);
    EXPECT_FALSE(ccw.isClockWise());
    EXPECT_NEAR(sweepOf(ccw), kPi, kEps);
    expectAt(ccw.startPoint(), 1, 0);
    expectAt(ccw.endPoint(), -1, 0);

    AcGeCircArc2d cw(AcGePoint2d(-1, 0), AcGePoint2d(0, 1), AcGePoint2d(1, 0));
    EXPECT_TRUE(cw.isClockWise());
    expectAt(cw.startPoint(), -1, 0);
    expectAt(cw.evalPoint(cw.startAng() + sweepOf(cw) / 2), 0, 1);
    expectAt(cw.endPoint(), 1, 0);

    // A major arc: the middle point lies on the long way round.
    AcGeCircArc2d major(AcGePoint2d(0, 1), AcGePoint2d(0, -1), AcGePoint2d(1, 0));
    EXPECT_NEAR(sweepOf(major), 1.5 * kPi, kEps);
    EXPECT_TRUE(major.isOn(AcGePoint2d(-1, 0)));
    EXPECT_FALSE(major.isOn(AcGePoint2d(std::sqrt(0.5), std::sqrt(0.5))));
}

TEST(CircArc2d, BulgeIsTheTangentOfAQuarterOfTheSweep) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-50, 50), bulge(-3, 3);
    for (int i = 0; i < 200; ++i) {
        const AcGePoint2d s(coord(rng), coord(rng)), e(coord(rng), coord(rng));
        const double b = bulge(rng);
        if (std::fabs(b) < 1e-3) {
            continue;
        }
        AcGeCircArc2d arc(s, e, b, false);
        EXPECT_NEAR(sweepOf(arc), 4 * std::atan(std::fabs(b)), 1e-9);
        EXPECT_EQ(arc.isClockWise(), b < 0);
        expectAt(arc.startPoint(), s.x, s.y, 1e-7);
        expectAt(arc.endPoint(), e.x, e.y, 1e-7);
        // Sagitta against the chord: |b| * chord / 2.
        const AcGePoint2d mid = arc.evalPoint(arc.startAng() + sweepOf(arc) / 2);
        const AcGePoint2d chordMid((s.x + e.x) / 2, (s.y + e.y) / 2);
        EXPECT_NEAR(mid.distanceTo(chordMid), std::fabs(b) * s.distanceTo(e) / 2, 1e-7);
        // Positive bulge: the arc's middle lies right of the chord direction.
        const double side = (e.x - s.x) * (mid.y - s.y) - (e.y - s.y) * (mid.x - s.x);
        EXPECT_EQ(side<0, b> 0);
    }
    AcGeCircArc2d half(AcGePoint2d(1, 0), AcGePoint2d(-1, 0), 1.0, false);
    expectAt(half.evalPoint(half.startAng() + kPi / 2), 0, 1);
    AcGeCircArc2d bySagitta(AcGePoint2d(1, 0), AcGePoint2d(-1, 0), 1.0, true);
    EXPECT_TRUE(bySagitta.isEqualTo(half));
}

TEST(CircArc2d, ParamOfInvertsEvalPointAndLengthsAreRadiusTimesAngle) {
    for (bool clockwise : {false, true}) {
        AcGeCircArc2d arc(AcGePoint2d(1, -2), 3.0, 0.5, 4.0, AcGeVector2d(0, 1), clockwise);
        for (double t = 0.5; t <= 4.0; t += 0.25) {
            EXPECT_NEAR(arc.paramOf(arc.evalPoint(t)), t, 1e-12);
            EXPECT_NEAR(offCircle(arc, arc.evalPoint(t)), 0.0, 1e-12);
        }
        EXPECT_NEAR(arc.length(1.0, 2.5), 4.5, 1e-12);
        EXPECT_NEAR(arc.paramAtLength(1.0, 4.5), 2.5, 1e-12);
        EXPECT_NEAR(arc.paramAtLength(2.5, 4.5, false), 1.0, 1e-12);
    }
    // The reference vector is where angle 0 lies; clockwise runs the other way from it.
    AcGeCircArc2d cw(AcGePoint2d(0, 0), 1.0, 0.0, kPi, AcGeVector2d(0, 1), true);
    expectAt(cw.evalPoint(kPi / 2), 1, 0);
}

TEST(CircArc2d, ClosestPointsProjectRadiallyOrFallOnTheNearerEnd) {
    AcGeCircArc2d upper(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    expectAt(upper.closestPointTo(AcGePoint2d(0, 3)), 0, 1);
    expectAt(upper.closestPointTo(AcGePoint2d(3, 3)), std::sqrt(0.5), std::sqrt(0.5));
    expectAt(upper.closestPointTo(AcGePoint2d(0.2, -3)), 1, 0);
    expectAt(upper.closestPointTo(AcGePoint2d(-0.2, -3)), -1, 0);
    EXPECT_NEAR(upper.distanceTo(AcGePoint2d(0, 0.25)), 0.75, kEps);
    double param = 0;
    EXPECT_TRUE(upper.isOn(AcGePoint2d(0, 1), param));
    EXPECT_NEAR(param, upper.startAng() + kPi / 2, kEps);
    EXPECT_FALSE(upper.isOn(AcGePoint2d(0, -1)));
}

TEST(CircArc2d, LineIntersectionsSatisfyBothEquations) {
    const AcGeCircArc2d circle(AcGePoint2d(1, 1), 2.0);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> coord(-4, 6), angle(0, 2 * kPi);
    for (int i = 0; i < 200; ++i) {
        const AcGePoint2d p(coord(rng), coord(rng));
        const double a = angle(rng);
        const AcGeLine2d line(p, AcGeVector2d(std::cos(a), std::sin(a)));
        int n = -1;
        AcGePoint2d p1, p2;
        const bool met = circle.intersectWith(line, n, p1, p2);
        const double h = line.distanceTo(circle.center());
        EXPECT_EQ(met, n > 0);
        EXPECT_EQ(n, h < 2.0 ? 2 : (h > 2.0 ? 0 : 1));
        const AcGePoint2d* found[2] = {&p1, &p2};
        for (int k = 0; k < n; ++k) {
            EXPECT_NEAR(offCircle(circle, *found[k]), 0.0, 1e-9);
            EXPECT_NEAR(line.distanceTo(*found[k]), 0.0, 1e-9);
        }
    }
    int n = 0;
    AcGePoint2d p1, p2;
    EXPECT_TRUE(
        circle.intersectWith(AcGeLine2d(AcGePoint2d(3, -5), AcGeVector2d(0, 1)), n, p1, p2));
    EXPECT_EQ(n, 1);  // tangent
    expectAt(p1, 3, 1);
    // Bounded pieces keep only the common points.
    AcGeCircArc2d upper(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    EXPECT_TRUE(upper.intersectWith(AcGeLine2d(AcGePoint2d(0, 0), AcGeVector2d(0, 1)), n, p1, p2));
    EXPECT_EQ(n, 1);
    expectAt(p1, 0, 1);
    AcGeLineSeg2d inside(AcGePoint2d(-0.5, 0.5), AcGePoint2d(0.5, 0.5));
    EXPECT_FALSE(upper.intersectWith(inside, n, p1, p2));
    EXPECT_EQ(n, 0);
}

TEST(CircArc2d, ArcIntersectionsSatisfyBothCircleEquations) {
    AcGeCircArc2d a(AcGePoint2d(0, 0), 1.0), b(AcGePoint2d(1, 0), 1.0);
    int n = 0;
    AcGePoint2d p1, p2;
    ASSERT_TRUE(a.intersectWith(b, n, p1, p2));
    ASSERT_EQ(n, 2);
    for (const AcGePoint2d& p : {p1, p2}) {
        EXPECT_NEAR(offCircle(a, p), 0.0, 1e-12);
        EXPECT_NEAR(offCircle(b, p), 0.0, 1e-12);
        EXPECT_NEAR(p.x, 0.5, 1e-12);
    }
    EXPECT_NEAR(p1.y + p2.y, 0.0, 1e-12);
    AcGeCircArc2d touching(AcGePoint2d(2, 0), 1.0);
    ASSERT_TRUE(a.intersectWith(touching, n, p1, p2));
    EXPECT_EQ(n, 1);
    expectAt(p1, 1, 0);
    EXPECT_FALSE(a.intersectWith(AcGeCircArc2d(AcGePoint2d(0, 0), 1.0), n, p1, p2));
    EXPECT_FALSE(a.intersectWith(AcGeCircArc2d(AcGePoint2d(0, 0), 0.5), n, p1, p2));
    EXPECT_FALSE(a.intersectWith(AcGeCircArc2d(AcGePoint2d(5, 0), 1.0), n, p1, p2));
    // The upper half of a meets b only at the upper point.
    AcGeCircArc2d upper(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    ASSERT_TRUE(upper.intersectWith(b, n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_GT(p1.y, 0.0);
}

TEST(CircArc2d, DegenerateDefinitionsGiveNoResults) {
    AcGeCircArc2d collinear(AcGePoint2d(0, 0), AcGePoint2d(1, 1), AcGePoint2d(2, 2));
    AcGeCircArc2d noBulge(AcGePoint2d(0, 0), AcGePoint2d(2, 0), 0.0, false);
    AcGeCircArc2d noChord(AcGePoint2d(3, 3), AcGePoint2d(3, 3), 1.0, false);
    AcGeCircArc2d noRadius(AcGePoint2d(3, 3), 0.0);
    AcGeCircArc2d nanBulge(AcGePoint2d(0, 0), AcGePoint2d(2, 0), std::nan(""), false);
    for (const AcGeCircArc2d* arc : {&collinear, &noBulge, &noChord, &noRadius, &nanBulge}) {
        EXPECT_EQ(arc->radius(), 0.0);
        int n = 7;
        AcGePoint2d p1, p2;
        EXPECT_FALSE(
            arc->intersectWith(AcGeLine2d(AcGePoint2d(0, 0), AcGeVector2d(1, 1)), n, p1, p2));
        EXPECT_EQ(n, 0);
        EXPECT_FALSE(arc->intersectWith(AcGeCircArc2d(AcGePoint2d(0, 0), 5.0), n, p1, p2));
        AcArray<AcGeCurve2d*> offsets;
        arc->getTrimmedOffset(1.0, offsets, AcGe::kExtend);
        EXPECT_TRUE(offsets.isEmpty());
    }
}

TEST(CircArc2d, SamplesOfAFullCircleCloseExactly) {
    AcGeCircArc2d circle(AcGePoint2d(5, 5), 2.0);
    AcGePoint2dArray pts;
    circle.getSamplePoints(20, pts);
    ASSERT_EQ(pts.length(), 20);
    EXPECT_EQ(pts.first().x, pts.last().x);
    EXPECT_EQ(pts.first().y, pts.last().y);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(offCircle(circle, pts[i]), 0.0, 1e-12);
        const double a = 2 * kPi * i / 19;
        expectAt(pts[i], 5 + 2 * std::cos(a), 5 + 2 * std::sin(a), 1e-12);
    }
    circle.getSamplePoints(-1, pts);
    EXPECT_TRUE(pts.isEmpty());
}

TEST(CircArc2d, ReverseParamKeepsThePointSet) {
    AcGeCircArc2d arc(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    const AcGePoint2d s = arc.startPoint(), e = arc.endPoint();
    arc.reverseParam();
    EXPECT_TRUE(arc.isClockWise());
    expectAt(arc.startPoint(), e.x, e.y);
    expectAt(arc.endPoint(), s.x, s.y);
    EXPECT_TRUE(arc.isOn(AcGePoint2d(0, 1)));
    EXPECT_FALSE(arc.isOn(AcGePoint2d(0, -1)));
}

TEST(CircArc3d, CircleStartsOnTheArbitraryAxisAndTurnsAboutTheNormal) {
    AcGeCircArc3d flat(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, 1), 2.0);
    EXPECT_EQ(flat.type(), AcGe::kCircArc3d);
    expectAt(flat.startPoint(), 3, 2, 3);
    expectAt(flat.evalPoint(kPi / 2), 1, 4, 3);
    // Normal +X: X axis = Z x N = +Y, Y axis = N x X = +Z.
    AcGeCircArc3d wall(AcGePoint3d(0, 0, 0), AcGeVector3d(2, 0, 0), 1.0);
    expectAt(wall.startPoint(), 0, 1, 0);
    expectAt(wall.evalPoint(kPi / 2), 0, 0, 1);

    AcGePoint3dArray pts;
    AcGeCircArc3d tilted(AcGePoint3d(1, 1, 1), AcGeVector3d(1, 2, 3), 5.0);
    tilted.getSamplePoints(20, pts);
    ASSERT_EQ(pts.length(), 20);
    EXPECT_EQ(pts.first().z, pts.last().z);
    const AcGeVector3d n = AcGeVector3d(1, 2, 3) / std::sqrt(14.0);
    for (const AcGePoint3d& p : pts) {
        const AcGeVector3d d = p - AcGePoint3d(1, 1, 1);
        EXPECT_NEAR(d.length(), 5.0, 1e-12);
        EXPECT_NEAR(d.x * n.x + d.y * n.y + d.z * n.z, 0.0, 1e-12);
    }
}

TEST(CircArc3d, ThreePointArcAndItsIntersections) {
    AcGeCircArc3d arc(AcGePoint3d(1, 0, 2), AcGePoint3d(0, 1, 2), AcGePoint3d(-1, 0, 2));
    expectAt(arc.center(), 0, 0, 2);
    EXPECT_NEAR(arc.radius(), 1.0, kEps);
    expectAt(arc.startPoint(), 1, 0, 2);
    expectAt(arc.endPoint(), -1, 0, 2);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, kEps);
    EXPECT_NEAR(arc.paramOf(AcGePoint3d(0, 1, 2)), arc.startAng() + kPi / 2, kEps);

    int n = 0;
    AcGePoint3d p1, p2;
    AcGeLineSeg3d across(AcGePoint3d(-2, 0.5, 2), AcGePoint3d(2, 0.5, 2));
    ASSERT_TRUE(arc.intersectWith(across, n, p1, p2));
    ASSERT_EQ(n, 2);
    EXPECT_NEAR(std::fabs(p1.x), std::sqrt(0.75), kEps);
    EXPECT_NEAR(p1.x + p2.x, 0.0, kEps);
    AcGeLine3d piercing(AcGePoint3d(0, 1, 0), AcGeVector3d(0, 0, 1));
    ASSERT_TRUE(arc.intersectWith(piercing, n, p1, p2));
    EXPECT_EQ(n, 1);
    expectAt(p1, 0, 1, 2);
    AcGeLine3d above(AcGePoint3d(-2, 0.5, 3), AcGeVector3d(1, 0, 0));
    EXPECT_FALSE(arc.intersectWith(above, n, p1, p2));

    AcGeCircArc3d collinear(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1), AcGePoint3d(2, 2, 2));
    EXPECT_EQ(collinear.radius(), 0.0);
    EXPECT_FALSE(collinear.intersectWith(piercing, n, p1, p2));
}
