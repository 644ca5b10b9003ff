// Panel shadows, plane cuts and casts, inclined planes, coordinate maps and the small
// projections of points on lines and directions.
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "support/expect.h"
#include "support/point_lists.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using point_expect::expectXyz;

using point_lists::plan;
using point_lists::Pts;

using geo_detail::kPi;

TEST(IsPtInPanelShadow, ShadowIsThePanelMovedOrItsCrossingsWithTheBase) {
    const Pts square = plan({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    // A panel dipping through the base plane: its crossings outline x in [5, 10].
    const Pts dipping = {{0, 0, -1}, {10, 0, 1}, {10, 10, 1}, {0, 10, -1}, {0, 0, -1}, {10, 0, 1}};
    const struct {
        Pts panel;
        double azimuth, perHeight, base, height;
        double x, y;
        bool in;
    } cases[] = {
        {square, 0.0, 1.0, 0.0, 3.0, 12.0, 5.0, true},          // moved 3 along +x
        {square, 0.0, 1.0, 0.0, 3.0, 1.0, 5.0, false},          // left behind
        {square, kPi / 2, 2.0, 1.0, 3.0, 5.0, 13.0, true},      // moved 4 along +y
        {square, 0.0, 1.0, 3.0, 3.0 + 5e-6, 5.0, 5.0, true},    // level: its own outline
        {square, 0.0, 1.0, 3.0, 3.0 + 5e-6, 12.0, 5.0, false},  //
        {dipping, 0.0, 1.0, 0.0, -1.0, 5.0, 5.0, false},        // crossings only: a line
        {plan({{0, 0}, {1, 1}}), 0.0, 1.0, 0.0, 1.0, 0.5, 0.5, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPtInPanelShadow(CPoint3d(c.x, c.y, 0), c.azimuth, c.perHeight, c.base, c.panel,
                                    c.height),
                  c.in)
            << c.x << ", " << c.y;
    }
}

TEST(GetIntersectPt, CrossesOnlyStrictlyBetweenTheEnds) {
    const struct {
        CPoint3d a, b;
        double height;
        bool hit;
        CPoint3d want;
    } cases[] = {
        {{0, 0, 0}, {10, 0, 10}, 5.0, true, {5, 0, 5}},
        {{10, 0, 10}, {0, 0, 0}, 2.5, true, {2.5, 0, 2.5}},
        {{0, 0, 0}, {0, 10, 20}, 5.0, true, {0, 2.5, 5}},
        {{3, 4, 0}, {3, 4, 10}, 5.0, true, {3, 4, 5}},
        {{0, 0, 0}, {10, 0, 10}, 0.0, false, {}},
        {{0, 0, 0}, {10, 0, 10}, 10.0, false, {}},
        {{0, 0, 2}, {10, 0, 2}, 2.0, false, {}},
    };
    for (const auto& c : cases) {
        CPoint3d out(-1, -1, -1);
        EXPECT_EQ(GetIntersectPt(c.a, c.b, c.height, out), c.hit);
        const CPoint3d want = c.hit ? c.want : CPoint3d(-1, -1, -1);
        expectXyz(out, want.x, want.y, want.z);
    }
}

TEST(GetProjectPlane, CastsUpperVerticesAndCutsEdgesOfLowerOnes) {
    const Pts roof = {{0, 0, 10}, {4, 0, 10}, {4, 4, 10}};
    Pts out{{7, 7, 7}};
    EXPECT_TRUE(GetProjectPlane(roof, CVector3d(1, 0, -1), 0.0, out));
    point_lists::expectPlan(out, plan({{10, 0}, {14, 0}, {14, 4}}));
    // The middle vertex lies below z = 5: its two edges are cut instead.
    const Pts dip = {{0, 0, 10}, {10, 0, 0}, {10, 10, 10}};
    EXPECT_TRUE(GetProjectPlane(dip, CVector3d(0, 0, -1), 5.0, out));
    point_lists::expectPlan(out, plan({{0, 0}, {5, 0}, {10, 5}, {10, 10}}));
    EXPECT_FALSE(
        GetProjectPlane(Pts(roof.begin(), roof.begin() + 2), CVector3d(0, 0, -1), 0.0, out));
    EXPECT_EQ(out.size(), 2u);
}

TEST(InclinedPlane, HoldsTheLineAndIsLevelAcrossIt) {
    AcGePlane plane;
    EXPECT_FALSE(GetInclinedPlane(CPoint3d(1, 1, 0), CPoint3d(1, 1, 5), plane));
    ASSERT_TRUE(GetInclinedPlane(CPoint3d(0, 0, 0), CPoint3d(10, 0, 10), plane));
    CPoint3d on;
    ASSERT_TRUE(GetPtOnPlane(plane, CPoint3d(4, 7, 99), on));
    expectXyz(on, 4, 7, 4);
    EXPECT_FALSE(GetPtOnPlane(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0)),
                              CPoint3d(4, 7, 0), on));
    Pts out{{1, 2, 3}};
    AcGeVector3d normal;
    ASSERT_TRUE(PtsProjToInclinedPlane(CPoint3d(0, 0, 0), CPoint3d(0, 10, 5),
                                       {{1, 2, 0}, {3, 4, 0}}, out, normal));
    ASSERT_EQ(out.size(), 2u);
    expectXyz(out[1], 3, 4, 2);
    EXPECT_NEAR(std::fabs(normal.dotProduct(AcGeVector3d(0, 1, 0.5))), 0.0, 1e-12);
    EXPECT_FALSE(PtsProjToInclinedPlane(CPoint3d(0, 0, 0), CPoint3d(0, 0, 5), {}, out, normal));
    EXPECT_TRUE(out.empty());
}

TEST(GetAlignCoordSysMap, AllThreeFormsCarryTheSourceFrameOntoTheTarget) {
    // A frame turned by a quarter whose axes are two units long: coordinates count in them.
    const CPoint3d o(1, 2, 3), x(1, 4, 3), y(-1, 2, 3);
    const CVector3d z(0, 0, 1);
    const CPoint3d wo(0, 0, 0), wx(1, 0, 0), wy(0, 1, 0);
    const AcGeMatrix3d byPoints = GetAlignCoordSysMap(o, x, y, z, wo, wx, wy, z);
    const AcGeMatrix3d byVectors = GetAlignCoordSysMap(o, x - o, y - o, z, wo, wx - wo, wy - wo, z);
    const AcGeMatrix3d byAcGe = GetAlignCoordSysMap(
        o.toAcGePoint3d(), x.toAcGePoint3d(), y.toAcGePoint3d(), z.toAcGeVector3d(),
        wo.toAcGePoint3d(), wx.toAcGePoint3d(), wy.toAcGePoint3d(), z.toAcGeVector3d());
    for (const AcGeMatrix3d& m : {byPoints, byVectors, byAcGe}) {
        const std::vector<AcGePoint3d> mapped =
            PtsMultiMatrix({o.toAcGePoint3d(), AcGePoint3d(1, 3, 3), AcGePoint3d(0, 2, 4)}, m);
        expectXyz(mapped[0], 0, 0, 0);
        expectXyz(mapped[1], 0.5, 0, 0);
        expectXyz(mapped[2], 0, 0.5, 1);
    }
}

TEST(RotateGon, TurnsPointsAboutTheAxisThroughBaseAndTheNormalWithThem) {
    Pts pts = {{2, 0, 0}, {1, 0, 5}};
    CVector3d normal(1, 0, 0);
    RotateGon(pts, normal, CVector3d(0, 0, 1), CPoint3d(1, 0, 0), kPi / 2);
    expectXyz(pts[0], 1, 1, 0);
    expectXyz(pts[1], 1, 0, 5);
    expectXyz(CPoint3d(normal), 0, 1, 0);
}

TEST(GetNearFarPoint, PicksTheExtremesAlongTheDirectionEarlierOnTies) {
    const AcGePoint3d unset(-9, -9, -9);
    AcGePoint3d nearPt = unset, farPt = unset;
    GetNearFarPoint({}, AcGeVector3d(1, 0, 0), nearPt, farPt);
    expectXyz(nearPt, -9, -9, -9);
    GetNearFarPoint({AcGePoint3d(1, 2, 3)}, AcGeVector3d(1, 0, 0), nearPt, farPt);
    expectXyz(nearPt, 1, 2, 3);
    expectXyz(farPt, 1, 2, 3);
    const std::vector<AcGePoint3d> pts = {AcGePoint3d(3, 0, 0), AcGePoint3d(-2, 5, 0),
                                          AcGePoint3d(7, 1, 0), AcGePoint3d(-2, -5, 0),
                                          AcGePoint3d(7, -1, 0)};
    GetNearFarPoint(pts, AcGeVector3d(1, 0, 0), nearPt, farPt);
    expectXyz(nearPt, -2, 5, 0);
    expectXyz(farPt, 7, 1, 0);
    GetNearFarPoint(pts, AcGeVector3d(0, -2, 0), nearPt, farPt);
    expectXyz(nearPt, -2, 5, 0);
    expectXyz(farPt, -2, -5, 0);
    GetNearFarPoint(pts, AcGeVector3d(0, 0, 0), nearPt, farPt);  // no direction: all at 0
    expectXyz(nearPt, 3, 0, 0);
}

TEST(PointProjections, FootOnALineAndSignedLengthAlongADirection) {
    expectXyz(DroopPoint(CPoint3d(5, 5, 0), CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)), 5, 0, 0);
    expectXyz(DroopPoint(CPoint3d(0, 2, 0), CPoint3d(0, 0, 0), CPoint3d(2, 2, 0)), 1, 1, 0);
    expectXyz(DroopPoint(CPoint3d(5, 5, 0), CPoint3d(1, 1, 0), CPoint3d(1, 1, 0)), 0, 0, 0);
    const struct {
        CPoint3d to;
        CVector3d dir;
        double want;
    } cases[] = {
        {{3, 4, 0}, {1, 0, 0}, 3.0}, {{3, 4, 0}, {-2, 0, 0}, -3.0},  {{3, 4, 0}, {0, 0, 5}, 0.0},
        {{3, 4, 0}, {0, 0, 0}, 0.0}, {{0, 0, 5e-7}, {1, 0, 0}, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(GetDisPrjVec(CPoint3d(0, 0, 0), c.to, c.dir), c.want, 1e-12);
    }
}

TEST(GetPlumbClosetPnt, GivesEachSegmentsPointAboveThePlanCrossing) {
    CLineSeg a(CPoint3d(0, 0, 0), CPoint3d(10, 0, 10)), b(CPoint3d(5, -5, 3), CPoint3d(5, 5, 3));
    CPoint3d onA, onB;
    ASSERT_TRUE(GetPlumbClosetPnt(&a, &b, onA, onB));
    expectXyz(onA, 5, 0, 5);
    expectXyz(onB, 5, 0, 3);
    CLineSeg apart(CPoint3d(20, -5, 0), CPoint3d(20, 5, 0));
    CLineSeg vertical(CPoint3d(5, 0, 0), CPoint3d(5, 0, 9));
    onA = CPoint3d(-1, -1, -1);
    EXPECT_FALSE(GetPlumbClosetPnt(&a, &apart, onA, onB));
    EXPECT_FALSE(GetPlumbClosetPnt(&a, nullptr, onA, onB));
    EXPECT_FALSE(GetPlumbClosetPnt(&vertical, &a, onA, onB));
    expectXyz(onA, -1, -1, -1);
}

}  // namespace
