// Polylines and composite curves: parameters, lengths, closest points, piece lists.

#include <gtest/gtest.h>

#include <cmath>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/gecomp3d.h>
#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gepoly2d.h>
#include <geo/acge/gepoly3d.h>
#include <geo/acge/geponc3d.h>

#include "foundation/numeric.h"
#include "support/acge_points.h"

namespace {

constexpr double kEps = 1e-12;
using geo_detail::kPi;

const acge_test::PointExpect expectAt{kEps};

AcGePoint2dArray points2d(std::initializer_list<AcGePoint2d> list) {
    AcGePoint2dArray out;
    for (const AcGePoint2d& p : list) {
        out.append(p);
    }
    return out;
}

// The triangle (0,0) -> (4,0) -> (4,3) -> back, as three segments.
AcGeCompositeCurve2d triangle() {
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(4, 0));
    AcGeLineSeg2d b(AcGePoint2d(4, 0), AcGePoint2d(4, 3));
    AcGeLineSeg2d c(AcGePoint2d(4, 3), AcGePoint2d(0, 0));
    AcArray<AcGeCurve2d*> list;
    list.append(&a);
    list.append(&b);
    list.append(&c);
    return AcGeCompositeCurve2d(list);
}

}  // namespace

TEST(Polyline2d, VertexIAtParameterI) {
    AcGePolyline2d poly(points2d({{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(poly.type(), AcGe::kPolyline2d);
    EXPECT_EQ(poly.numFitPoints(), 3);
    expectAt(poly.evalPoint(1.0), 10, 0);
    expectAt(poly.evalPoint(1.5), 10, 5);
    expectAt(poly.evalPoint(2.0), 10, 10);
    EXPECT_NEAR(poly.paramOf(AcGePoint2d(10, 2.5)), 1.25, kEps);
    EXPECT_NEAR(poly.length(0.0, 2.0), 20.0, kEps);
    EXPECT_NEAR(poly.length(0.5, 1.5), 10.0, kEps);
    EXPECT_NEAR(poly.paramAtLength(0.0, 15.0), 1.5, kEps);
    EXPECT_NEAR(poly.paramAtLength(2.0, 15.0, false), 0.5, kEps);
    AcGePoint2d end;
    ASSERT_TRUE(poly.hasEndPoint(end));
    expectAt(end, 10, 10);
    EXPECT_FALSE(poly.isClosed());
    poly.reverseParam();
    expectAt(poly.evalPoint(0.0), 10, 10);
}

TEST(Polyline3d, ClosestPointOnTheNearestSegment) {
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(10, 0, 0));
    pts.append(AcGePoint3d(10, 10, 0));
    AcGePolyline3d poly(pts);
    AcGePointOnCurve3d foot;
    poly.getClosestPointTo(AcGePoint3d(12, 5, 0), foot);
    expectAt(foot.point(), 10, 5, 0);
    EXPECT_NEAR(foot.parameter(), 1.5, kEps);
    EXPECT_NEAR(poly.distanceTo(AcGePoint3d(12, 5, 0)), 2.0, kEps);
    // On a tie the earlier segment wins: (11, -1) is as near (10,0) from both.
    EXPECT_NEAR(poly.paramOf(AcGePoint3d(11, -1, 0)), 1.0, kEps);
    EXPECT_NEAR(poly.paramOf(AcGePoint3d(5, -3, 0)), 0.5, kEps);
}

TEST(Polyline2d, EmptyAndSinglePointPolylinesStayQuiet) {
    AcGePolyline2d empty;
    AcGePoint2d p(7, 7);
    EXPECT_FALSE(empty.hasStartPoint(p));
    expectAt(p, 7, 7);
    EXPECT_EQ(empty.length(0, 5), 0.0);
    AcArray<AcGeCurve2d*> offsets;
    empty.getTrimmedOffset(1.0, offsets, AcGe::kExtend);
    EXPECT_TRUE(offsets.isEmpty());
    AcGePolyline2d single(points2d({{3, 4}}));
    expectAt(single.evalPoint(2.0), 3, 4);
    expectAt(single.closestPointTo(AcGePoint2d(0, 0)), 3, 4);
    expectAt(single.fitPointAt(5), 0, 0);  // out of range: origin
}

TEST(CompositeCurve2d, PiecesListStartsAndClosure) {
    AcGeCompositeCurve2d tri = triangle();
    EXPECT_EQ(tri.type(), 46);
    AcGeVoidPointerArray list;
    tri.getCurveList(list);
    ASSERT_EQ(list.length(), 3);
    const double xs[] = {0, 4, 4}, ys[] = {0, 0, 3};
    for (int i = 0; i < 3; ++i) {
        AcGePoint2d start;
        ASSERT_TRUE(static_cast<AcGeCurve2d*>(list[i])->hasStartPoint(start));
        expectAt(start, xs[i], ys[i]);
    }
    AcGePoint2d end;
    ASSERT_TRUE(tri.hasEndPoint(end));
    expectAt(end, 0, 0);
    EXPECT_TRUE(tri.isClosed());
}

TEST(CompositeCurve2d, ParametersStartAtZeroAndGrowByLength) {
    AcGeCompositeCurve2d tri = triangle();
    AcGeInterval range;
    tri.getInterval(range);
    EXPECT_DOUBLE_EQ(range.lowerBound(), 0.0);
    EXPECT_NEAR(range.upperBound(), 12.0, kEps);
    expectAt(tri.evalPoint(4.0), 4, 0);
    expectAt(tri.evalPoint(5.5), 4, 1.5);
    expectAt(tri.evalPoint(9.5), 2, 1.5);
    for (double t = 0.0; t < 12.0; t += 0.7) {
        EXPECT_NEAR(tri.paramOf(tri.evalPoint(t)), t, 1e-9);
    }
    int piece = -1;
    EXPECT_NEAR(tri.globalToLocalParam(5.5, piece), 0.5, kEps);
    EXPECT_EQ(piece, 1);
    EXPECT_NEAR(tri.localToGlobalParam(0.5, 2), 9.5, kEps);
    EXPECT_NEAR(tri.length(2.0, 9.5), 7.5, kEps);
    EXPECT_NEAR(tri.paramAtLength(2.0, 7.5), 9.5, kEps);
    expectAt(tri.closestPointTo(AcGePoint2d(5, 1)), 4, 1);
}

TEST(CompositeCurve2d, ArcPiecesAndOwnership) {
    AcGeCircArc2d quarter(AcGePoint2d(1, 0), AcGePoint2d(std::sqrt(0.5), std::sqrt(0.5)),
                          AcGePoint2d(0, 1));
    AcGeLine2d unbounded;
    AcArray<AcGeCurve2d*> list;
    list.append(&quarter);
    list.append(&unbounded);  // an infinite line cannot be a piece
    list.append(nullptr);
    AcGeCompositeCurve2d comp(list);
    ASSERT_EQ(comp.numCurves(), 1);
    AcGePoint2d s, e;
    ASSERT_TRUE(comp.hasStartPoint(s));
    ASSERT_TRUE(comp.hasEndPoint(e));
    expectAt(s, 1, 0);
    expectAt(e, 0, 1);
    AcGeInterval range;
    comp.getInterval(range);
    EXPECT_NEAR(range.upperBound(), kPi / 2, 1e-12);
    EXPECT_NEAR(comp.length(0, range.upperBound()), kPi / 2, 1e-12);
    // The composite holds copies: changing the original changes nothing.
    quarter.setRadius(5.0);
    expectAt(comp.evalPoint(0.0), 1, 0);
    AcGeCompositeCurve2d copied(comp);
    AcGeCompositeCurve2d assigned;
    assigned = comp;
    comp.reverseParam();
    expectAt(copied.evalPoint(0.0), 1, 0);
    expectAt(assigned.evalPoint(0.0), 1, 0);
    expectAt(comp.evalPoint(0.0), 0, 1);
    AcArray<AcGeCurve2d*> own;
    comp.getCurveList(own);
    comp.setCurveList(own);  // its own pieces as the new list
    expectAt(comp.evalPoint(0.0), 0, 1, 1e-12);
}

TEST(CompositeCurve3d, TypeAndZKeptByPieces) {
    AcGeLineSeg3d a(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 5));
    AcGeCircArc3d arc(AcGePoint3d(1, 0, 5), AcGePoint3d(2, 1, 5), AcGePoint3d(3, 0, 5));
    AcArray<AcGeCurve3d*> list;
    list.append(&a);
    list.append(&arc);
    AcGeCompositeCurve3d comp(list);
    EXPECT_EQ(comp.type(), 47);
    EXPECT_TRUE(comp.isKindOf(AcGe::kCurve3d));
    AcGePoint3d e;
    ASSERT_TRUE(comp.hasEndPoint(e));
    expectAt(e, 3, 0, 5, 1e-12);
    AcGeInterval range;
    comp.getInterval(range);
    EXPECT_NEAR(comp.length(range.lowerBound(), range.upperBound()), std::sqrt(17.0) + kPi, 1e-12);
    expectAt(comp.evalPoint(std::sqrt(17.0) + kPi / 2), 2, 1, 5, 1e-12);
    AcGePoint3dArray pts;
    comp.getSamplePoints(3, pts);
    ASSERT_EQ(pts.length(), 3);
    expectAt(pts[0], 0, 0, 1);
    expectAt(pts[2], 3, 0, 5, 1e-12);
}
