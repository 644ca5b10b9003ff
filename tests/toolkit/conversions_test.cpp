// Point conversions, curve vertex lists and the small curve measures.
#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/conversions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/numeric.h"
#include "support/expect.h"

namespace {

using point_expect::expectXyz;

TEST(PointConversion, SinglePointsKeepOrDropZ) {
    expectXyz(AcPnt2dToPnt3d(AcGePoint2d(1, 2)), 1, 2, 0);
    const AcGePoint3d lifted = AcPt2dToAcPt3d(AcGePoint2d(1, 2), 5);
    EXPECT_EQ(lifted.z, 5);
    EXPECT_EQ(Pnt3dToAcPnt2d(CPoint3d(3, 4, 9)).y, 4);
    EXPECT_EQ(AcPt3dToAcPt2d(AcGePoint3d(3, 4, 9)).x, 3);
    EXPECT_EQ(Pnt3dToAcPnt3d(CPoint3d(3, 4, 9)).z, 9);
    expectXyz(AcPnt3dToPnt3d(AcGePoint3d(3, 4, 9)), 3, 4, 9);
}

TEST(PointConversion, ListsAreReplacedByTheInput) {
    const std::vector<CPoint3d> pts{CPoint3d(1, 2, 3), CPoint3d(4, 5, 6)};
    std::vector<AcGePoint2d> flat(10, AcGePoint2d(9, 9));
    pts3dTo2d(pts, flat);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[1].x, 4);

    AcArray<AcGePoint3d> acPts;
    acPts.append(AcGePoint3d(7, 7, 7));
    acPts.append(AcGePoint3d(7, 7, 7));
    acPts.append(AcGePoint3d(7, 7, 7));
    Pnt3dToAcPnt3d_Ary(pts, acPts);
    ASSERT_EQ(acPts.length(), 2);
    EXPECT_EQ(acPts[1].z, 6);
    AcArray<AcGePoint2d> ac2d;
    Pnt3dToAcPnt2d_Ary(pts, ac2d);
    ASSERT_EQ(ac2d.length(), 2);

    std::vector<CPoint3d> back(5);
    AcPnt3dToPnt3d_Ary(acPts, back);
    ASSERT_EQ(back.size(), 2u);
    expectXyz(back[0], 1, 2, 3);
    AcPnt2dToPnt3d_Ary(ac2d, back);
    expectXyz(back[1], 4, 5, 0);

    std::vector<AcGePoint3d> ge;
    acVecPts2VecgePts(pts, ge);
    ASSERT_EQ(ge.size(), 2u);
    vecgePts2AcVecPts(std::vector<AcGePoint3d>{}, back);
    EXPECT_TRUE(back.empty());
    vecgePts2AcVecPts(ge, back);
    expectXyz(back[1], 4, 5, 6);

    pts2dTo3d(flat, back, 2.5);
    expectXyz(back[0], 1, 2, 2.5);
    pts2dTo3d(flat, ge, -1);
    EXPECT_EQ(ge[1].z, -1);
    pts3dTo2d(ge, flat);
    EXPECT_EQ(flat[0].y, 2);
}

TEST(CurveVertices, SegmentsGiveTheirTwoEnds) {
    const AcGeLineSeg3d seg3(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 5));
    std::vector<CPoint3d> out(7);
    EXPECT_EQ(AcGeLineSeg3dToPts(&seg3, out), 2);
    ASSERT_EQ(out.size(), 2u);
    expectXyz(out[0], 0, 0, 1);
    expectXyz(out[1], 1, 0, 5);
    std::vector<AcGePoint3d> acOut(3);
    EXPECT_EQ(AcGeCurve3dToPts(&seg3, acOut), 2);
    EXPECT_EQ(acOut[1].z, 5);

    const AcGeLineSeg2d seg2(AcGePoint2d(3, 4), AcGePoint2d(5, 6));
    EXPECT_EQ(AcGeCurve2dToPts(&seg2, out), 2);
    expectXyz(out[1], 5, 6, 0);
    EXPECT_EQ(AcGeLineSeg2dToPts(nullptr, out), 0);
    EXPECT_EQ(out.size(), 2u);
}

TEST(CurveVertices, CompositesGivePieceStartsAndLastEnd) {
    const AcGePoint2d a(0, 0), b(4, 0), c(4, 3);
    AcGeLineSeg2d ab(a, b), bc(b, c), ca(c, a);
    AcArray<AcGeCurve2d*> triangle;
    triangle.append(&ab);
    triangle.append(&bc);
    triangle.append(&ca);
    const AcGeCompositeCurve2d closed(triangle);
    std::vector<CPoint3d> out;
    EXPECT_EQ(AcGeCurve2dToPts(&closed, out), 4);
    ASSERT_EQ(out.size(), 4u);
    expectXyz(out[2], 4, 3, 0);
    expectXyz(out[3], 0, 0, 0);

    // An arc inside a composite contributes its two ends only.
    AcGeCircArc2d quarter(AcGePoint2d(0, 0), 1.0, 0.0, geo_detail::kHalfPi);
    AcArray<AcGeCurve2d*> arcOnly;
    arcOnly.append(&quarter);
    const AcGeCompositeCurve2d arcCurve(arcOnly);
    EXPECT_EQ(AcGeCompositeCurve2dToPts(&arcCurve, out), 2);
    expectXyz(out[0], 1, 0, 0);
    expectXyz(out[1], 0, 1, 0);
    // An arc on its own is not a listed type: the output stays as it was.
    EXPECT_EQ(AcGeCurve2dToPts(&quarter, out), 2);
    expectXyz(out[1], 0, 1, 0);
    EXPECT_EQ(AcGeCurve2dToPts(nullptr, out), 0);
    EXPECT_EQ(AcGeCompositeCurve2dToPts(nullptr, out), 0);
    EXPECT_EQ(out.size(), 2u);
    const AcGeCompositeCurve2d empty;
    EXPECT_EQ(AcGeCompositeCurve2dToPts(&empty, out), 0);
    EXPECT_TRUE(out.empty());
}

TEST(CurveVertices, Curve3dDispatchesToBothOutputKinds) {
    AcGeLineSeg3d ab(AcGePoint3d(0, 0, 2), AcGePoint3d(4, 0, 2));
    AcGeLineSeg3d bc(AcGePoint3d(4, 0, 2), AcGePoint3d(4, 3, 7));
    AcArray<AcGeCurve3d*> pieces;
    pieces.append(&ab);
    pieces.append(&bc);
    const AcGeCompositeCurve3d path(pieces);
    std::vector<CPoint3d> out;
    EXPECT_EQ(AcGeCurve3dToPts(&path, out), 3);
    ASSERT_EQ(out.size(), 3u);
    expectXyz(out[2], 4, 3, 7);
    std::vector<AcGePoint3d> acOut;
    EXPECT_EQ(AcGeCurve3dToPts(&path, acOut), 3);
    ASSERT_EQ(acOut.size(), 3u);
    EXPECT_EQ(acOut[2].z, 7);

    // Other curve types and null leave the output as it was.
    const AcGeCircArc3d circle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 1.0);
    EXPECT_EQ(AcGeCurve3dToPts(&circle, out), 3);
    EXPECT_EQ(AcGeCurve3dToPts(nullptr, acOut), 0);
    EXPECT_EQ(acOut.size(), 3u);
}

TEST(CurveVertices, SpatialCompositesKeepOrDropZ) {
    AcGeLineSeg3d up(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 2));
    AcGeCircArc3d arc(AcGePoint3d(1, 1, 2), AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0), 1.0, 0.0,
                      3.0);
    AcGeLineSeg3d last(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0));
    AcGePoint3d arcStart, arcEnd;
    ASSERT_TRUE(arc.hasStartPoint(arcStart));
    ASSERT_TRUE(arc.hasEndPoint(arcEnd));
    up.set(AcGePoint3d(0, 0, 0), arcStart);
    last.set(arcEnd, AcGePoint3d(5, 5, 7));
    AcArray<AcGeCurve3d*> pieces;
    pieces.append(&up);
    pieces.append(&arc);
    pieces.append(&last);
    const AcGeCompositeCurve3d curve(pieces);

    std::vector<CPoint3d> out;
    EXPECT_EQ(AcGeCurve3dToPts(&curve, out), 4);
    expectXyz(out[1], arcStart.x, arcStart.y, 2);
    expectXyz(out[3], 5, 5, 7);
    EXPECT_EQ(AcGeCompositeCurve3dToPts(&curve, out), 4);
    expectXyz(out[3], 5, 5, 0);
    std::vector<AcGePoint3d> acOut;
    EXPECT_EQ(AcGeCurve3dToPts(&curve, acOut), 4);
    EXPECT_EQ(acOut[3].z, 7);
    EXPECT_EQ(AcGeCurve3dToPts(&arc, acOut), 4);
}

TEST(CurveMeasures, CurveAndPolylineDistances) {
    const AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    AcGePoint2d nearest(-1, -1);
    EXPECT_NEAR(DistCurve2dToPnt(&seg, AcGePoint2d(5, 3), nearest), 3, 1e-9);
    EXPECT_NEAR(nearest.x, 5, 1e-9);
    const AcGeCircArc2d circle(AcGePoint2d(0, 0), 1.0);
    EXPECT_NEAR(DistCurve2dToPnt(&circle, AcGePoint2d(0, 2), nearest), 1, 1e-9);
    EXPECT_EQ(DistCurve2dToPnt(nullptr, AcGePoint2d(0, 2), nearest), 0);

    const std::vector<CPoint3d> hook{CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 10, 0)};
    CPoint3d at(-1, -1, -1);
    EXPECT_NEAR(DistPoylineToPnt(hook, CPoint3d(12, 5, 0), at), 2, 1e-12);
    expectXyz(at, 10, 5, 0);
    // The open list has no closing edge back to (0, 0).
    EXPECT_NEAR(DistPoylineToPnt(hook, CPoint3d(4, 5, 0), at), 5, 1e-12);
    expectXyz(at, 4, 0, 0);
    // Equal distances: the earlier segment keeps the nearest point.
    const std::vector<CPoint3d> vee{CPoint3d(-5, 5, 0), CPoint3d(0, 0, 0), CPoint3d(5, 5, 0)};
    DistPoylineToPnt(vee, CPoint3d(0, 10, 0), at);
    EXPECT_LT(at.x, 0);

    at.set(7, 7, 7);
    EXPECT_EQ(DistPoylineToPnt({CPoint3d(1, 1, 1)}, CPoint3d(0, 0, 0), at), 0);
    EXPECT_EQ(DistPoylineToPnt({}, CPoint3d(0, 0, 0), at), 0);
    expectXyz(at, 7, 7, 7);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    DistPoylineToPnt(hook, CPoint3d(nan, 0, 0), at);
    expectXyz(at, 7, 7, 7);
}

TEST(CurveMeasures, NormalOfThreePoints) {
    expectXyz(GetNormal(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 1, 0)), 0, 0, 1);
    expectXyz(GetNormal(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0), CPoint3d(1, 0, 0)), 0, 0, -1);
    expectXyz(GetNormal(CPoint3d(0, 0, 0), CPoint3d(1, 1, 1), CPoint3d(2, 2, 2)), 0, 0, 0);
    expectXyz(GetNormal(CPoint3d(0, 0, 0), CPoint3d(0, 3, 0), CPoint3d(0, 3, 4)), 1, 0, 0);
}

}  // namespace
