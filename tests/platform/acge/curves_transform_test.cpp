// Transforms of curves, arc editing, intervals and points on curves.

#include <gtest/gtest.h>

#include <cmath>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/geintrvl.h>
#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepoly2d.h>
#include <geo/acge/geponc2d.h>
#include <geo/acge/geray3d.h>

#include "foundation/numeric.h"
#include "support/acge_points.h"

namespace {

constexpr double kEps = 1e-12;
using geo_detail::kPi;

const acge_test::PointExpect expectAt{kEps};

}  // namespace

TEST(CurveTransforms, MirroredArcRunsTheOtherWayRound) {
    AcGeCircArc2d arc(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    arc.transformBy(AcGeMatrix2d::mirroring(AcGeLine2d::kXAxis));
    EXPECT_TRUE(arc.isClockWise());
    expectAt(arc.startPoint(), 1, 0);
    expectAt(arc.endPoint(), -1, 0);
    EXPECT_TRUE(arc.isOn(AcGePoint2d(0, -1)));
    EXPECT_FALSE(arc.isOn(AcGePoint2d(0, 1)));

    AcGeCircArc2d scaled(AcGePoint2d(1, 1), 1.0);
    scaled.transformBy(AcGeMatrix2d::scaling(3.0, AcGePoint2d(0, 0)));
    expectAt(scaled.center(), 3, 3);
    EXPECT_NEAR(scaled.radius(), 3.0, kEps);
}

TEST(CurveTransforms, LinesKeepUnitParametersAndSegmentsTheirEnds) {
    AcGeLine2d line(AcGePoint2d(0, 0), AcGeVector2d(1, 0));
    line.transformBy(AcGeMatrix2d::scaling(4.0));
    expectAt(line.evalPoint(1.0), 1, 0);  // still distance along the line
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(1, 0));
    seg.transformBy(AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(0, 0)));
    expectAt(seg.endPoint(), 0, 1);
    AcGePolyline2d poly;
    AcGePoint2dArray pts;
    pts.append(AcGePoint2d(1, 0));
    pts.append(AcGePoint2d(2, 0));
    poly.setFitPoints(pts);
    poly.transformBy(AcGeMatrix2d::translation(AcGeVector2d(0, 5)));
    expectAt(poly.fitPointAt(1), 2, 5);

    AcArray<AcGeCurve2d*> list;
    list.append(&seg);
    AcGeCompositeCurve2d comp(list);
    comp.transformBy(AcGeMatrix2d::scaling(2.0));
    AcGeInterval range;
    comp.getInterval(range);
    EXPECT_NEAR(range.upperBound(), 2.0, kEps);  // parameter follows the new length
}

TEST(CurveTransforms, ArcIn3dFollowsRotationsAndReflections) {
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 2.0);
    arc.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d(1, 0, 0)));
    EXPECT_NEAR(arc.normal().y, -1.0, kEps);
    EXPECT_NEAR(arc.startPoint().distanceTo(AcGePoint3d(2, 0, 0)), 0.0, kEps);
    AcGeCircArc3d upper(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
    upper.transformBy(
        AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0))));
    expectAt(upper.startPoint(), 1, 0, 0);
    expectAt(upper.evalPoint((upper.startAng() + upper.endAng()) / 2), 0, -1, 0);
    expectAt(upper.endPoint(), -1, 0, 0);
}

TEST(CircArc2dEditing, AnglesComplementAndTangent) {
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0, 0.0, kPi / 2);
    arc.setAngles(kPi / 2, 0.0);  // end before start: taken the long way round
    EXPECT_NEAR(arc.endAng() - arc.startAng(), 1.5 * kPi, kEps);
    arc.setToComplement();
    expectAt(arc.startPoint(), 2, 0);
    expectAt(arc.endPoint(), 0, 2);
    AcGeLine2d tangent;
    ASSERT_TRUE(arc.tangent(AcGePoint2d(std::sqrt(2.0), std::sqrt(2.0)), tangent));
    EXPECT_NEAR(tangent.direction().x, -std::sqrt(0.5), kEps);
    EXPECT_NEAR(tangent.direction().y, std::sqrt(0.5), kEps);
    EXPECT_FALSE(arc.tangent(AcGePoint2d(-2, 0), tangent));
    EXPECT_TRUE(arc.isInside(AcGePoint2d(0.5, 0.5)));
    EXPECT_FALSE(arc.isInside(AcGePoint2d(2, 0)));
}

TEST(CircArc3d, CoplanarArcsMeetAndOthersDoNot) {
    AcGeCircArc3d a(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 1), 1.0);
    AcGeCircArc3d b(AcGePoint3d(1, 0, 1), AcGeVector3d(0, 0, -1), 1.0);
    int n = 0;
    AcGePoint3d p1, p2;
    ASSERT_TRUE(a.intersectWith(b, n, p1, p2));
    ASSERT_EQ(n, 2);
    EXPECT_NEAR(p1.x, 0.5, kEps);
    EXPECT_NEAR(std::fabs(p1.y), std::sqrt(0.75), kEps);
    EXPECT_NEAR(p1.z, 1.0, kEps);
    AcGeCircArc3d lifted(AcGePoint3d(1, 0, 2), AcGeVector3d(0, 0, 1), 1.0);
    EXPECT_FALSE(a.intersectWith(lifted, n, p1, p2));
    EXPECT_EQ(n, 0);
}

TEST(LinearEntity3d, ReverseRaysAndLinesAndIsOn) {
    AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 2));
    seg.reverseParam();
    expectAt(seg.startPoint(), 0, 0, 2);
    double param = 0;
    ASSERT_TRUE(seg.isOn(AcGePoint3d(0, 0, 0.5), param));
    EXPECT_NEAR(param, 0.75, kEps);
    AcGeRay3d ray(AcGePoint3d(1, 1, 1), AcGeVector3d(0, 2, 0));
    EXPECT_TRUE(ray.isOn(AcGePoint3d(1, 50, 1)));
    EXPECT_FALSE(ray.isOn(AcGePoint3d(1, 0, 1)));
    ray.reverseParam();  // a ray keeps its point set
    EXPECT_TRUE(ray.isOn(AcGePoint3d(1, 50, 1)));
    expectAt(ray.closestPointTo(AcGePoint3d(1, -5, 1)), 1, 1, 1);
}

TEST(IntervalAndPointOnCurve, BoundsAndCachedPoints) {
    AcGeInterval range(3.0, 1.0);
    EXPECT_DOUBLE_EQ(range.lowerBound(), 1.0);
    EXPECT_DOUBLE_EQ(range.length(), 2.0);
    EXPECT_TRUE(range.contains(3.0));
    EXPECT_FALSE(range.contains(3.1));
    AcGeInterval half(true, 2.0);
    EXPECT_FALSE(half.isBounded());
    EXPECT_TRUE(half.contains(1e300));
    EXPECT_FALSE(half.contains(1.0));
    EXPECT_DOUBLE_EQ(half.length(), -1.0);

    AcGePointOnCurve2d none;
    expectAt(none.point(), 0, 0);
    expectAt(none.point(5.0), 0, 0);
    AcGePointOnCurve2d on;
    {
        AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(4, 0));
        on.setCurve(seg).setParameter(0.25);
    }
    expectAt(on.point(), 1, 0);  // the point outlives the curve it came from
    EXPECT_TRUE(on.isKindOf(AcGe::kPointEnt2d));
    EXPECT_EQ(on.type(), AcGe::kPointOnCurve2d);
}

TEST(CompositeCurve2d, PolylinePiecesMapParametersByLength) {
    AcGePoint2dArray pts;
    pts.append(AcGePoint2d(0, 0));
    pts.append(AcGePoint2d(1, 0));
    pts.append(AcGePoint2d(1, 9));
    AcGePolyline2d poly(pts);
    AcGeLineSeg2d tail(AcGePoint2d(1, 9), AcGePoint2d(3, 9));
    AcArray<AcGeCurve2d*> list;
    list.append(&poly);
    list.append(&tail);
    AcGeCompositeCurve2d comp(list);
    AcGeInterval range;
    comp.getInterval(range);
    EXPECT_NEAR(range.upperBound(), 12.0, kEps);
    EXPECT_NEAR(comp.length(0.0, 11.0), 11.0, kEps);
    EXPECT_NEAR(comp.paramAtLength(1.0, 10.0), 11.0, kEps);
    expectAt(comp.evalPoint(11.0), 2, 9);
}
