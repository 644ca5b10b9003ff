// Lines, segments and rays in 2D and 3D, and where planes meet them.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <geo/acge/geline2d.h>
#include <geo/acge/geline3d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/geponc2d.h>
#include <geo/acge/geray2d.h>
#include <geo/acge/geray3d.h>

#include "platform/acge/tol_of.h"
#include "support/acge_points.h"

using acge_detail::pointAndVectorTol;

namespace {

constexpr double kEps = 1e-12;

const acge_test::PointExpect expectAt{kEps};

}  // namespace

TEST(LinearEntityTypes, IdsKeepTheHostNumberingAndKinds) {
    AcGeLineSeg2d seg2;
    AcGeLineSeg3d seg3;
    EXPECT_EQ(seg2.type(), 22);
    EXPECT_EQ(seg3.type(), 23);
    EXPECT_EQ(AcGeLine2d().type(), AcGe::kLine2d);
    EXPECT_EQ(AcGeRay3d().type(), AcGe::kRay3d);
    EXPECT_TRUE(seg2.isKindOf(AcGe::kLinearEnt2d));
    EXPECT_TRUE(seg2.isKindOf(AcGe::kCurve2d));
    EXPECT_TRUE(seg2.isKindOf(AcGe::kEntity2d));
    EXPECT_FALSE(seg2.isKindOf(AcGe::kCircArc2d));
    EXPECT_FALSE(seg2.isKindOf(AcGe::kLine2d));
    EXPECT_TRUE(seg3.isKindOf(AcGe::kCurve3d));
    std::unique_ptr<AcGeEntity3d> copy(seg3.copy());
    EXPECT_EQ(copy->type(), AcGe::kLineSeg3d);
}

TEST(LineSeg2d, ParametersRunFromZeroAtStartToOneAtEnd) {
    AcGeLineSeg2d seg(AcGePoint2d(1, 2), AcGePoint2d(5, 5));
    expectAt(seg.evalPoint(0.0), 1, 2);
    expectAt(seg.evalPoint(1.0), 5, 5);
    expectAt(seg.midPoint(), 3, 3.5);
    EXPECT_NEAR(seg.paramOf(AcGePoint2d(3, 3.5)), 0.5, kEps);
    EXPECT_NEAR(seg.length(), 5.0, kEps);
    EXPECT_NEAR(seg.length(0.0, 0.4), 2.0, kEps);
    EXPECT_NEAR(seg.paramAtLength(0.0, 2.5), 0.5, kEps);
    EXPECT_NEAR(seg.paramAtLength(1.0, 2.5, false), 0.5, kEps);
    expectAt(AcGePoint2d(0, 0) + seg.direction(), 0.8, 0.6);
    AcGeInterval range;
    seg.getInterval(range);
    EXPECT_TRUE(range.isBounded());
    EXPECT_DOUBLE_EQ(range.upperBound(), 1.0);
}

TEST(LineSeg2d, ClosestPointsClampToTheEnds) {
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    expectAt(seg.closestPointTo(AcGePoint2d(4, 3)), 4, 0);
    expectAt(seg.closestPointTo(AcGePoint2d(-3, 4)), 0, 0);
    EXPECT_NEAR(seg.distanceTo(AcGePoint2d(-3, 4)), 5.0, kEps);
    expectAt(seg.closestPointTo(AcGePoint2d(13, -4)), 10, 0);
    AcGePointOnCurve2d onCurve;
    seg.getClosestPointTo(AcGePoint2d(7, 1), onCurve);
    expectAt(onCurve.point(), 7, 0);
    EXPECT_NEAR(onCurve.parameter(), 0.7, kEps);

    double param = -1.0;
    EXPECT_TRUE(seg.isOn(AcGePoint2d(2.5, 0), param));
    EXPECT_NEAR(param, 0.25, kEps);
    EXPECT_FALSE(seg.isOn(AcGePoint2d(11, 0)));
    EXPECT_TRUE(seg.isOn(AcGePoint2d(10 + 1e-4, 0), pointAndVectorTol(1e-3)));
    EXPECT_FALSE(seg.isOn(AcGePoint2d(5, 0.01), pointAndVectorTol(1e-3)));
}

TEST(LineSeg2d, IntersectionsRespectExtentsAndRejectParallels) {
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(2, 2));
    AcGeLineSeg2d b(AcGePoint2d(0, 2), AcGePoint2d(2, 0));
    AcGePoint2d hit;
    ASSERT_TRUE(a.intersectWith(b, hit));
    expectAt(hit, 1, 1);

    AcGeLineSeg2d shortA(AcGePoint2d(0, 0), AcGePoint2d(0.5, 0.5));
    EXPECT_FALSE(shortA.intersectWith(b, hit));
    AcGeLine2d lineA(AcGePoint2d(0, 0), AcGePoint2d(0.5, 0.5));
    AcGeLine2d lineB(AcGePoint2d(0, 2), AcGePoint2d(2, 0));
    ASSERT_TRUE(lineA.intersectWith(lineB, hit));
    expectAt(hit, 1, 1);

    // End-to-end touching counts, within the point tolerance.
    AcGeLineSeg2d c(AcGePoint2d(2, 2), AcGePoint2d(3, 0));
    EXPECT_TRUE(a.intersectWith(c, hit));
    AcGeLineSeg2d gap(AcGePoint2d(2.0005, 2.0005), AcGePoint2d(3, 0));
    EXPECT_FALSE(a.intersectWith(gap, hit));
    EXPECT_TRUE(a.intersectWith(gap, hit, pointAndVectorTol(1e-3)));

    AcGeLineSeg2d parallel(AcGePoint2d(0, 1), AcGePoint2d(2, 3));
    EXPECT_FALSE(a.intersectWith(parallel, hit));
    AcGeLineSeg2d colinear(AcGePoint2d(1, 1), AcGePoint2d(3, 3));
    EXPECT_FALSE(a.intersectWith(colinear, hit));
    AcGeLineSeg2d point(AcGePoint2d(1, 1), AcGePoint2d(1, 1));
    EXPECT_FALSE(a.intersectWith(point, hit));
}

TEST(Ray2d, ExtendsForwardOnly) {
    AcGeRay2d ray(AcGePoint2d(0, 0), AcGeVector2d(3, 0));
    expectAt(ray.evalPoint(2.0), 2, 0);  // parameter is distance
    AcGeLineSeg2d ahead(AcGePoint2d(5, -1), AcGePoint2d(5, 1));
    AcGeLineSeg2d behind(AcGePoint2d(-5, -1), AcGePoint2d(-5, 1));
    AcGePoint2d hit;
    EXPECT_TRUE(ray.intersectWith(ahead, hit));
    expectAt(hit, 5, 0);
    EXPECT_FALSE(ray.intersectWith(behind, hit));
    AcGePoint2d start;
    EXPECT_TRUE(ray.hasStartPoint(start));
    EXPECT_FALSE(ray.hasEndPoint(start));
}

TEST(LinearEntity2d, OverlapReturnsTheCommonStretch) {
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(2, 0));
    AcGeLinearEnt2d* common = nullptr;
    ASSERT_TRUE(a.overlap(AcGeLineSeg2d(AcGePoint2d(1, 0), AcGePoint2d(3, 0)), common));
    ASSERT_EQ(common->type(), AcGe::kLineSeg2d);
    expectAt(static_cast<AcGeLineSeg2d*>(common)->startPoint(), 1, 0);
    expectAt(static_cast<AcGeLineSeg2d*>(common)->endPoint(), 2, 0);
    delete common;

    ASSERT_TRUE(a.overlap(AcGeLineSeg2d(AcGePoint2d(3, 0), AcGePoint2d(1, 0)), common));
    expectAt(static_cast<AcGeLineSeg2d*>(common)->startPoint(), 1, 0);
    delete common;

    EXPECT_FALSE(a.overlap(AcGeLineSeg2d(AcGePoint2d(2, 0), AcGePoint2d(3, 0)), common));
    EXPECT_EQ(common, nullptr);
    EXPECT_FALSE(a.overlap(AcGeLineSeg2d(AcGePoint2d(0, 1), AcGePoint2d(2, 1)), common));

    AcGeLine2d line(AcGePoint2d(5, 0), AcGeVector2d(-1, 0));
    ASSERT_TRUE(line.overlap(AcGeRay2d(AcGePoint2d(1, 0), AcGeVector2d(1, 0)), common));
    EXPECT_EQ(common->type(), AcGe::kRay2d);
    AcGePoint2d start;
    ASSERT_TRUE(common->hasStartPoint(start));
    expectAt(start, 1, 0);
    EXPECT_TRUE(common->isOn(AcGePoint2d(100, 0)));
    delete common;
}

TEST(LinearEntity2d, RelationsAndEquality) {
    AcGeLine2d x(AcGePoint2d(0, 0), AcGeVector2d(1, 0));
    EXPECT_TRUE(x.isParallelTo(AcGeLineSeg2d(AcGePoint2d(0, 5), AcGePoint2d(-3, 5))));
    EXPECT_TRUE(x.isPerpendicularTo(AcGeRay2d(AcGePoint2d(2, 2), AcGeVector2d(0, -4))));
    EXPECT_TRUE(x.isColinearTo(AcGeLineSeg2d(AcGePoint2d(7, 0), AcGePoint2d(9, 0))));
    EXPECT_FALSE(x.isColinearTo(AcGeLineSeg2d(AcGePoint2d(7, 1e-3), AcGePoint2d(9, 1e-3))));
    EXPECT_TRUE(x == AcGeLine2d(AcGePoint2d(-4, 0), AcGePoint2d(-8, 0)));

    AcGeLineSeg2d s(AcGePoint2d(0, 0), AcGePoint2d(1, 1));
    EXPECT_TRUE(s == AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(1, 1)));
    EXPECT_FALSE(s == AcGeLineSeg2d(AcGePoint2d(1, 1), AcGePoint2d(0, 0)));
    s.reverseParam();
    expectAt(s.startPoint(), 1, 1);
    expectAt(s.endPoint(), 0, 0);
}

TEST(LineSeg2d, SamplesSpreadEvenlyAndBadCountsGiveNothing) {
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(4, 0));
    AcGePoint2dArray pts;
    seg.getSamplePoints(5, pts);
    ASSERT_EQ(pts.length(), 5);
    for (int i = 0; i < 5; ++i) {
        expectAt(pts[i], i, 0);
    }
    seg.getSamplePoints(1, pts);
    ASSERT_EQ(pts.length(), 1);
    expectAt(pts[0], 0, 0);
    seg.getSamplePoints(0, pts);
    EXPECT_TRUE(pts.isEmpty());
    seg.getSamplePoints(-7, pts);
    EXPECT_TRUE(pts.isEmpty());
    AcGeLine2d().getSamplePoints(3, pts);  // unbounded: no samples
    EXPECT_TRUE(pts.isEmpty());
}

TEST(LinearEntity3d, IntersectionsNeedCoplanarCarriers) {
    AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 2));
    AcGeLineSeg3d b(AcGePoint3d(0, 2, 0), AcGePoint3d(2, 0, 2));
    AcGePoint3d hit;
    ASSERT_TRUE(a.intersectWith(b, hit));
    expectAt(hit, 1, 1, 1);
    AcGeLineSeg3d skew(AcGePoint3d(0, 2, 0.5), AcGePoint3d(2, 0, 0.5));
    EXPECT_FALSE(a.intersectWith(skew, hit));
    AcGeRay3d ray(AcGePoint3d(1, 1, 1), AcGeVector3d(0, 0, 1));
    EXPECT_FALSE(
        ray.intersectWith(AcGeLineSeg3d(AcGePoint3d(-1, 1, 0), AcGePoint3d(3, 1, 0)), hit));
    EXPECT_TRUE(ray.intersectWith(AcGeLineSeg3d(AcGePoint3d(-1, 1, 4), AcGePoint3d(3, 1, 4)), hit));
    expectAt(hit, 1, 1, 4);

    AcGeLinearEnt3d* common = nullptr;
    ASSERT_TRUE(a.overlap(AcGeLineSeg3d(AcGePoint3d(1, 1, 1), AcGePoint3d(5, 5, 5)), common));
    EXPECT_NEAR(common->length(0, 1), std::sqrt(3.0), kEps);
    delete common;
    EXPECT_NEAR(a.distanceTo(AcGePoint3d(0, 0, 3)), std::sqrt(6.0), kEps);
}

TEST(PlaneIntersections, LinesAndPlanesMeetWhereBothEquationsHold) {
    AcGePlane plane(AcGePoint3d(0, 0, 2), AcGeVector3d(0, 0, 1));
    AcGePoint3d hit;
    AcGeLineSeg3d through(AcGePoint3d(1, 1, 0), AcGePoint3d(3, 5, 4));
    ASSERT_TRUE(plane.intersectWith(through, hit));
    expectAt(hit, 2, 3, 2);
    AcGeLineSeg3d shortOne(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 3, 1));
    EXPECT_FALSE(plane.intersectWith(shortOne, hit));
    AcGeLine3d along(AcGePoint3d(0, 0, 5), AcGeVector3d(1, 1, 0));
    EXPECT_FALSE(plane.intersectWith(along, hit));

    AcGePlane tilted(AcGePoint3d(1, 0, 0), AcGeVector3d(1, 0, 1));
    AcGeLine3d meet;
    ASSERT_TRUE(plane.intersectWith(tilted, meet));
    for (double t : {-3.0, 0.0, 2.5}) {
        const AcGePoint3d p = meet.evalPoint(t);
        EXPECT_NEAR(p.z, 2.0, 1e-12);
        EXPECT_NEAR(p.x + p.z, 1.0, 1e-12);  // x + z = 1 is the tilted plane
    }
    AcGePlane parallel(AcGePoint3d(0, 0, 7), AcGeVector3d(0, 0, -1));
    EXPECT_FALSE(plane.intersectWith(parallel, meet));
}
