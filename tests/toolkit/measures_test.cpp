// Point-list measures and predicates.
#include <geo/measures.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/numeric.h"
#include "support/expect.h"

namespace {

using point_expect::expectXyz;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using geo_detail::kPi;

std::vector<CPoint3d> elbow() {  // (0,0)-(10,0)-(10,10)
    return {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 10, 0)};
}

std::vector<CPoint3d> unitSquare() {
    return {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 1, 0), CPoint3d(0, 1, 0)};
}

// ---- Distances and nearest points --------------------------------------------------------

TEST(Distances, PolylineDistanceThroughCurveAndOwnSegments) {
    CPoint3d closest(-1, -1, -1);
    EXPECT_DOUBLE_EQ(GetDistance(CPoint3d(0, 0, 0), CPoint3d(3, 4, 12)), 13.0);
    EXPECT_NEAR(GetDistPt2PL(CPoint3d(12, 5, 0), elbow(), closest), 2.0, 1e-9);
    expectXyz(closest, 10, 5, 0);
    EXPECT_NEAR(GetDistPt2PL(CPoint3d(5, -3, 0), elbow()), 3.0, 1e-9);
    closest.set(-1, -1, -1);
    EXPECT_EQ(GetDistPt2PL(CPoint3d(5, 5, 0), {}, closest), 0.0);
    expectXyz(closest, -1, -1, -1);
    EXPECT_NEAR(GetDistPt2Poly(CPoint3d(12, 5, 0), elbow(), closest), 2.0, 1e-12);
    expectXyz(closest, 10, 5, 0);
    closest.set(-1, -1, -1);
    EXPECT_EQ(GetDistPt2Poly(CPoint3d(12, 5, 0), {CPoint3d(1, 1, 1)}, closest), 0.0);
    expectXyz(closest, -1, -1, -1);
}

TEST(Distances, EqualDistancesKeepTheEarliestSegment) {
    // (5,5) is 5 from both segments of the elbow: the first one's foot stays.
    CPoint3d closest;
    EXPECT_NEAR(GetDistPt2Poly(CPoint3d(5, 5, 0), elbow(), closest), 5.0, 1e-12);
    expectXyz(closest, 5, 0, 0);
    int index = -5;
    expectXyz(getMinDisInPts(elbow(), CPoint3d(5, 5, 0), index), 5, 0, 0);
    EXPECT_EQ(index, 0);
    expectXyz(getMinDisInPts(elbow(), CPoint3d(11, 7, 0), index), 10, 7, 0);
    EXPECT_EQ(index, 1);
    expectXyz(getMinDisInPts({CPoint3d(1, 1, 0)}, CPoint3d(4, 4, 4), index), 4, 4, 4);
    EXPECT_EQ(index, -1);
}

TEST(Distances, TwoPolylinesNearestPair) {
    const std::vector<CPoint3d> a = {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)};
    const std::vector<CPoint3d> b = {CPoint3d(5, 3, 0), CPoint3d(5, 10, 0)};
    CPoint3d onA, onB;
    EXPECT_NEAR(GetMinDistWith2Pl(a, b, onA, onB), 3.0, 1e-12);
    expectXyz(onA, 5, 0, 0);
    expectXyz(onB, 5, 3, 0);
    // One point against a polyline: only the start pair is measured.
    EXPECT_NEAR(GetMinDistWith2Pl({CPoint3d(5, 3, 0)}, a, onA, onB), 5.0 * std::sqrt(1.36), 1e-12);
    expectXyz(onB, 0, 0, 0);
    onA.set(-1, -1, -1);
    EXPECT_EQ(GetMinDistWith2Pl({}, a, onA, onB), 0.0);
    expectXyz(onA, -1, -1, -1);
    // Crossing polylines stop at the first touching pair.
    const std::vector<CPoint3d> c = {CPoint3d(5, -5, 0), CPoint3d(5, 5, 0)};
    EXPECT_LT(GetMinDistWith2Pl(a, c, onA, onB), 1e-6);
    expectXyz(onA, 5, 0, 0);
}

TEST(Distances, SetsOfPolylinesSkipEmptyLists) {
    const std::vector<std::vector<CPoint3d>> as = {
        {}, {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)}, {CPoint3d(0, 20, 0), CPoint3d(10, 20, 0)}};
    const std::vector<std::vector<CPoint3d>> bs = {{CPoint3d(5, 23, 0), CPoint3d(5, 30, 0)}, {}};
    CPoint3d onA, onB;
    EXPECT_NEAR(GetMinDistWith2PtArrs(as, bs, onA, onB), 3.0, 1e-12);
    expectXyz(onA, 5, 20, 0);
    expectXyz(onB, 5, 23, 0);
    onA.set(-1, -1, -1);
    EXPECT_EQ(GetMinDistWith2PtArrs({{}}, bs, onA, onB), 0.0);
    expectXyz(onA, -1, -1, -1);
}

TEST(Distances, NearestVertexKeepsEarlierOnNearTies) {
    const std::vector<CPoint3d> pts = {CPoint3d(1, 0, 0), CPoint3d(-1 + 5e-7, 0, 0),
                                       CPoint3d(0, 3, 0)};
    expectXyz(GetClosestPtFromPts(pts, CPoint3d(0, 0, 0)), 1, 0, 0);
    expectXyz(GetClosestPtFromPts(pts, CPoint3d(0, 2, 0)), 0, 3, 0);
    expectXyz(GetClosestPtFromPts({}, CPoint3d(7, 8, 9)), 7, 8, 9);
}

TEST(Distances, PtCloseToPolylineTieRuleAndHeight) {
    // Distances 1 and 1 - 5e-7 differ by less than 1e-6: the earlier segment stays.
    const std::vector<CPoint3d> pts = {CPoint3d(0, 0, 2), CPoint3d(10, 0, 2),
                                       CPoint3d(10, 2 - 5e-7, 2), CPoint3d(0, 2 - 5e-7, 2)};
    CPoint3d closest;
    EXPECT_EQ(PtCloseToPolyline(CPoint3d(5, 1, 50), pts, closest), 0);
    expectXyz(closest, 5, 0, 2);  // the point was taken at the first vertex's height
    EXPECT_EQ(PtCloseToPolyline(CPoint3d(5, 2.5, 0), pts, closest), 2);
    closest.set(-1, -1, -1);
    EXPECT_EQ(PtCloseToPolyline(CPoint3d(5, 1, 0), {CPoint3d(0, 0, 0)}, closest), 0);
    expectXyz(closest, -1, -1, -1);
}

TEST(Distances, PtCloseOnPolylineNeedsAPerpendicularFoot) {
    CPoint3d closest;
    EXPECT_TRUE(PtCloseOnPolyline(CPoint3d(5, 3, 9), elbow(), closest));
    expectXyz(closest, 5, 0, 0);
    EXPECT_FALSE(PtCloseOnPolyline(CPoint3d(-3, -1, 0), elbow(), closest));
    expectXyz(closest, 0, 0, 0);  // the foot is still written
    EXPECT_FALSE(PtCloseOnPolyline(CPoint3d(1, 1, 0), {CPoint3d(0, 0, 0)}, closest));
    // A zero-length segment: its only point is the foot, without fault.
    PtCloseOnPolyline(CPoint3d(1, 1, 0), {CPoint3d(0, 0, 0), CPoint3d(0, 0, 0)}, closest);
    expectXyz(closest, 0, 0, 0);
}

// ---- Lengths and positions ---------------------------------------------------------------

TEST(Lengths, TotalLengthIn3D) {
    EXPECT_DOUBLE_EQ(GetTotalLength(elbow()), 20.0);
    EXPECT_DOUBLE_EQ(GetTotalLength({CPoint3d(0, 0, 0), CPoint3d(0, 3, 4)}), 5.0);
    EXPECT_EQ(GetTotalLength(std::vector<CPoint3d>{CPoint3d(1, 1, 1)}), 0.0);
    const std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0),
                                         AcGePoint3d(3, 4, 2)};
    EXPECT_DOUBLE_EQ(GetTotalLength(ac), 7.0);
}

TEST(Lengths, PointAtLength) {
    CPoint3d out(-1, -1, -1);
    int index = -1;
    ASSERT_TRUE(GetPtAtLength(elbow(), 15, out, &index, 1e-6));
    expectXyz(out, 10, 5, 0);
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(GetPtAtLength(elbow(), 0, out, &index, 1e-6));
    expectXyz(out, 0, 0, 0);
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(GetPtAtLength(elbow(), 10, out, nullptr, 1e-6));  // the corner ends segment 0
    expectXyz(out, 10, 0, 0);
    ASSERT_TRUE(GetPtAtLength(elbow(), 20 + 5e-7, out, &index, 1e-6));  // within tol of the end
    expectXyz(out, 10, 10, 0, 1e-6);
    out.set(-1, -1, -1);
    index = -9;
    for (double bad : {25.0, -0.5, kNaN, kInf}) {
        EXPECT_FALSE(GetPtAtLength(elbow(), bad, out, &index, 1e-6)) << bad;
    }
    expectXyz(out, -1, -1, -1);
    EXPECT_EQ(index, -9);
    EXPECT_FALSE(GetPtAtLength({}, 0, out, &index, 1e-6));
    ASSERT_TRUE(GetPtAtLength({CPoint3d(4, 4, 4)}, 5e-7, out, &index, 1e-6));
    expectXyz(out, 4, 4, 4);
    EXPECT_EQ(index, -9);  // one point: index not written
    EXPECT_FALSE(GetPtAtLength({CPoint3d(4, 4, 4)}, 1, out, &index, 1e-6));
}

TEST(Lengths, LengthAtPoint) {
    double len = -1;
    ASSERT_TRUE(GetLengthAtPt(elbow(), CPoint3d(10, 5, 0), len, 1e-6));
    EXPECT_NEAR(len, 15, 1e-12);
    ASSERT_TRUE(GetLengthAtPt(elbow(), CPoint3d(10, 0, 0), len, 1e-6));
    EXPECT_NEAR(len, 10, 1e-12);  // the first segment holding it
    len = -1;
    EXPECT_FALSE(GetLengthAtPt(elbow(), CPoint3d(5, 5, 0), len, 1e-6));
    EXPECT_EQ(len, 0.0);
    len = -1;
    EXPECT_FALSE(GetLengthAtPt({CPoint3d(0, 0, 0)}, CPoint3d(0, 0, 0), len, 1e-6));
    EXPECT_EQ(len, 0.0);  // always set
}

TEST(Lengths, PointAtDistanceFromTheStart) {
    auto pts = elbow();
    CPoint3d out(-1, -1, -1);
    ASSERT_TRUE(getPtOnPolBaseDis(pts, out, 5.0));
    expectXyz(out, 5, 0, 0, 1e-9);
    ASSERT_TRUE(getPtOnPolBaseDis(pts, out, std::sqrt(125.0)));  // on the second segment
    expectXyz(out, 10, 5, 0, 1e-9);
    out.set(-1, -1, -1);
    for (double bad : {50.0, 0.0, -5.0, kNaN}) {
        EXPECT_FALSE(getPtOnPolBaseDis(pts, out, bad)) << bad;
    }
    expectXyz(out, -1, -1, -1);
    std::vector<CPoint3d> one = {CPoint3d(0, 0, 0)};
    EXPECT_FALSE(getPtOnPolBaseDis(one, out, 1.0));
}

TEST(Lengths, MidpointByLength) {
    auto pts = elbow();
    expectXyz(GetPlMid(pts), 10, 0, 0);
    std::vector<CPoint3d> three = {CPoint3d(0, 0, 0), CPoint3d(4, 0, 0), CPoint3d(4, 8, 0)};
    expectXyz(GetPlMid(three), 4, 2, 0);
    std::vector<CPoint3d> still = {CPoint3d(2, 3, 4), CPoint3d(2, 3, 4)};
    expectXyz(GetPlMid(still), 2, 3, 4);
    std::vector<CPoint3d> none;
    expectXyz(GetPlMid(none), 0, 0, 0);
}

// ---- Area and orientation ----------------------------------------------------------------

TEST(Area, ShoelaceOpenOrClosed) {
    auto sq = unitSquare();
    EXPECT_DOUBLE_EQ(CalPolyArea(sq), 1.0);
    sq.push_back(sq.front());
    EXPECT_DOUBLE_EQ(CalPolyArea(sq), 1.0);
    std::reverse(sq.begin(), sq.end());
    EXPECT_DOUBLE_EQ(CalPolyArea(sq), 1.0);
    EXPECT_EQ(CalPolyArea({CPoint3d(0, 0, 0), CPoint3d(1, 1, 0), CPoint3d(2, 2, 0)}), 0.0);
    EXPECT_EQ(CalPolyArea({CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)}), 0.0);
    std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0), AcGePoint3d(2, 3, 0),
                                   AcGePoint3d(0, 3, 0)};
    EXPECT_DOUBLE_EQ(CalPolyArea(ac), 6.0);
    ac.push_back(ac.front());
    EXPECT_DOUBLE_EQ(CalPolyArea(ac), 6.0);
    EXPECT_EQ(CalPolyArea(std::vector<AcGePoint3d>{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                                   AcGePoint3d(3, 0, 0)}),
              0.0);
}

TEST(Area, ClockwiseIncludesZeroArea) {
    auto sq = unitSquare();
    EXPECT_FALSE(PolyIsClockWise(sq));
    std::reverse(sq.begin(), sq.end());
    EXPECT_TRUE(PolyIsClockWise(sq));
    EXPECT_TRUE(PolyIsClockWise({CPoint3d(0, 0, 0), CPoint3d(1, 1, 0), CPoint3d(2, 2, 0)}));
    EXPECT_FALSE(PolyIsClockWise({CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)}));
    // Closed triangle reduced to two distinct points: too short.
    EXPECT_FALSE(PolyIsClockWise({CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(0, 0, 0)}));
}

TEST(Area, AcGeClockwiseRestoresTheClosingVertexExactly) {
    std::vector<AcGePoint3d> ring = {AcGePoint3d(0, 0, 0), AcGePoint3d(0, 1, 0),
                                     AcGePoint3d(1, 1, 0), AcGePoint3d(1, 0, 0),
                                     AcGePoint3d(1e-12, 0, 0)};
    EXPECT_TRUE(PolyIsClockWise(ring));
    ASSERT_EQ(ring.size(), 5u);
    EXPECT_EQ(ring.back().x, 0.0);  // replaced by an exact copy of the first point
    std::vector<AcGePoint3d> open = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                     AcGePoint3d(1, 1, 0)};
    EXPECT_FALSE(PolyIsClockWise(open));
    EXPECT_EQ(open.size(), 3u);
    std::vector<AcGePoint3d> shortRing = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                          AcGePoint3d(0, 0, 0)};
    EXPECT_FALSE(PolyIsClockWise(shortRing));
    EXPECT_EQ(shortRing.size(), 3u);
}

TEST(Area, ClockwiseSeenAlongANormal) {
    const auto sq = unitSquare();
    EXPECT_FALSE(isPtsClockWise3D(sq, CVector3d(0, 0, 1)));
    EXPECT_TRUE(isPtsClockWise3D(sq, CVector3d(0, 0, -1)));
    // A wall in the XZ plane, counter-clockwise seen from -Y.
    const std::vector<CPoint3d> wall = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 0, 1),
                                        CPoint3d(0, 0, 1)};
    EXPECT_FALSE(isPtsClockWise3D(wall, CVector3d(0, -1, 0)));
    EXPECT_TRUE(isPtsClockWise3D(wall, CVector3d(0, 1, 0)));
    auto bent = wall;
    bent[2].y = 0.5;
    EXPECT_FALSE(isPtsClockWise3D(bent, CVector3d(0, 1, 0)));  // not planar
    EXPECT_FALSE(isPtsClockWise3D(wall, CVector3d(0, 0, 0)));
    std::vector<AcGePoint3d> acWall = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                       AcGePoint3d(1, 0, 1), AcGePoint3d(0, 0, 1)};
    EXPECT_FALSE(isPtsClockWise3D(acWall, AcGeVector3d(0, -1, 0)));
    EXPECT_TRUE(isPtsClockWise3D(acWall, AcGeVector3d(0, 1, 0)));
}

// ---- Boxes ---------------------------------------------------------------------------------

TEST(Boxes, PlanBoxKeepsTheFirstHeight) {
    CPoint3d lo(-1, -1, -1), hi(-1, -1, -1);
    ASSERT_TRUE(CalBox({CPoint3d(3, 1, 7), CPoint3d(-2, 5, -9), CPoint3d(4, -1, 20)}, lo, hi));
    expectXyz(lo, -2, -1, 7);
    expectXyz(hi, 4, 5, 7);
    lo.set(-1, -1, -1);
    EXPECT_FALSE(CalBox(std::vector<CPoint3d>{}, lo, hi));
    expectXyz(lo, -1, -1, -1);
    CalBox3D(std::vector<CPoint3d>{CPoint3d(3, 1, 7), CPoint3d(-2, 5, -9)}, lo, hi);
    expectXyz(lo, -2, 1, -9);
    expectXyz(hi, 3, 5, 7);
    CalBox3D(std::vector<CPoint3d>{}, lo, hi);  // unchanged
    expectXyz(lo, -2, 1, -9);
    AcGePoint3d alo, ahi;
    CalBox3D(std::vector<AcGePoint3d>{AcGePoint3d(1, 2, 3), AcGePoint3d(-1, 5, 0)}, alo, ahi);
    EXPECT_EQ(alo.x, -1);
    EXPECT_EQ(ahi.y, 5);
    EXPECT_EQ(alo.z, 0);
}

TEST(Boxes, BoxInTheOutlinesOwnPlane) {
    // A 4 x 2 rectangle tilted about the X axis: in its own plane it spans 4 by 2 from p0.
    const double c = std::cos(0.7), s = std::sin(0.7);
    const std::vector<AcGePoint3d> tilted = {AcGePoint3d(1, 1, 1), AcGePoint3d(5, 1, 1),
                                             AcGePoint3d(5, 1 + 2 * c, 1 + 2 * s),
                                             AcGePoint3d(1, 1 + 2 * c, 1 + 2 * s)};
    AcGePoint3d lo, hi;
    ASSERT_TRUE(CalBox(tilted, lo, hi));
    EXPECT_NEAR(hi.x - lo.x, 4.0, 1e-9);
    EXPECT_NEAR(hi.y - lo.y, 2.0, 1e-9);
    EXPECT_EQ(lo.z, 0.0);
    EXPECT_EQ(hi.z, 0.0);
    // A repeated first point: the first real edge gives the direction.
    std::vector<AcGePoint3d> repeated = tilted;
    repeated.insert(repeated.begin(), tilted[0]);
    ASSERT_TRUE(CalBox(repeated, lo, hi));
    EXPECT_NEAR(hi.x - lo.x, 4.0, 1e-9);
    lo.set(-7, -7, -7);
    EXPECT_FALSE(CalBox(
        std::vector<AcGePoint3d>{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1), AcGePoint3d(2, 2, 2)},
        lo, hi));
    EXPECT_FALSE(CalBox(
        std::vector<AcGePoint3d>{AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0)},
        lo, hi));
    EXPECT_EQ(lo.x, -7);
}

TEST(Boxes, StrictInclusionAndCorners) {
    const CPoint3d lo(0, 0, 0), hi(10, 10, 0);
    EXPECT_TRUE(ptInBox(CPoint3d(5, 5, 99), lo, hi));
    EXPECT_FALSE(ptInBox(CPoint3d(10, 5, 0), lo, hi));
    EXPECT_FALSE(ptInBox(CPoint3d(5, 0, 0), lo, hi));
    EXPECT_TRUE(ptArrInBox({}, lo, hi));
    EXPECT_FALSE(ptArrInBox({CPoint3d(5, 5, 0), CPoint3d(0, 5, 0)}, lo, hi));
    const auto v = GetBoxVertexs(CPoint3d(0, 0, 0), CPoint3d(1, 2, 3));
    const double expected[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 2, 0}, {0, 2, 0},
                                   {0, 0, 3}, {1, 0, 3}, {1, 2, 3}, {0, 2, 3}};
    ASSERT_EQ(v.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        expectXyz(v[i], expected[i][0], expected[i][1], expected[i][2], 0.0);
    }
}

// ---- Angles and directions -----------------------------------------------------------------

TEST(Angles, DirectionAngleInAFullTurn) {
    EXPECT_NEAR(GetAngle(CPoint3d(0, 0, 0), CPoint3d(0, -1, 0)), 4.71238898038469, 1e-12);
    EXPECT_EQ(GetAngle(CPoint3d(1, 1, 1), CPoint3d(1, 1 + 1e-9, 1)), 0.0);
    EXPECT_NEAR(GetAngle(CPoint3d(0, 0, 0), CPoint3d(-1, 0, 0)), kPi, 1e-12);
    EXPECT_NEAR(GetAngle(CPoint3d(0, 0, 0), CPoint3d(1, 1, 0)), kPi / 4, 1e-12);
}

TEST(Angles, AngleAtAVertex) {
    EXPECT_NEAR(PtAngel(CPoint3d(1, 0, 0), CPoint3d(0, 0, 0), CPoint3d(0, 1, 0)), kPi / 2, 1e-12);
    EXPECT_NEAR(PtAngel(CPoint3d(1, 0, 0), CPoint3d(0, 0, 0), CPoint3d(-1, 0, 0)), kPi, 1e-12);
    EXPECT_EQ(PtAngel(CPoint3d(0, 0, 0), CPoint3d(0, 0, 0), CPoint3d(0, 1, 0)), 0.0);
    EXPECT_NEAR(get_angle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(-1, 1e-9, 0)),
                kPi, 1e-8);
    EXPECT_NEAR(get_angle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(0, -1, 0)),
                kPi / 2, 1e-12);
}

TEST(Angles, PolarDirectionsAndMidpoints) {
    expectXyz(Polar(CPoint3d(1, 1, 5), kPi / 2, 2), 1, 3, 5, 1e-12);
    EXPECT_EQ(Polar(CPoint3d(0, 0, 5), 1.0, kInf).z, 5.0);  // the move stays in plan
    const CVector3d d = LineDir(CPoint3d(1, 1, 0), CPoint3d(4, 5, 0));
    EXPECT_NEAR(d.x, 0.6, 1e-12);
    EXPECT_NEAR(d.y, 0.8, 1e-12);
    const CVector3d n = LineVDir(CPoint3d(1, 1, 0), CPoint3d(4, 5, 0));
    EXPECT_NEAR(n.x, -0.8, 1e-12);
    EXPECT_NEAR(n.y, 0.6, 1e-12);
    const CVector3d zero = LineDir(CPoint3d(1, 1, 0), CPoint3d(1, 1, 0));
    EXPECT_EQ(zero.length(), 0.0);
    expectXyz(GetMidPoint(CPoint3d(0, 2, 4), CPoint3d(2, 4, 8)), 1, 3, 6, 0.0);
    const AcGePoint3d m = getMidPoint(AcGePoint3d(0, 2, 4), AcGePoint3d(2, 4, 8));
    EXPECT_EQ(m.z, 6.0);
    const AcGeVector3d nz =
        getNormal(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0), AcGePoint3d(2, 3, 0));
    EXPECT_EQ(nz.z, 6.0);  // not normalised
}

// ---- Predicates ----------------------------------------------------------------------------

TEST(Predicates, ClosedNeedsThreePointsAndARepeat) {
    std::vector<CPoint3d> tri = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(0, 1, 0),
                                 CPoint3d(0.0005, 0, 0)};
    EXPECT_TRUE(IsClosed(tri, 0.001));
    EXPECT_FALSE(IsClosed(tri, 1e-6));
    EXPECT_FALSE(IsClosed({CPoint3d(0, 0, 0), CPoint3d(0, 0, 0)}, 1e-6));
    std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                   AcGePoint3d(0, 0.0004, 0.0004)};
    EXPECT_TRUE(IsClosed(ac, 0.001));  // Euclidean: 0.00057
    EXPECT_FALSE(IsClosed(ac, 0.0005));
    std::vector<AcGePoint2d> ac2 = {AcGePoint2d(0, 0), AcGePoint2d(1, 0), AcGePoint2d(0, 0)};
    EXPECT_TRUE(IsClosed(ac2, 1e-6));
    ac2.pop_back();
    EXPECT_FALSE(IsClosed(ac2, 1e-6));
}

TEST(Predicates, EqualityIsStrictPerAxis) {
    EXPECT_TRUE(isEqual(CPoint3d(0, 0, 0), CPoint3d(0.0009, -0.0009, 0.0009)));
    EXPECT_FALSE(isEqual(CPoint3d(0, 0, 0), CPoint3d(0, 0, 0.001)));
    EXPECT_TRUE(isEqual(AcGePoint3d(1, 1, 1), AcGePoint3d(1.4, 1, 1), 0.5));
    EXPECT_FALSE(isEqual(AcGePoint3d(1, 1, 1), AcGePoint3d(1, 1, 1), 0.0));
}

TEST(Predicates, HeightsAndPlanarity) {
    EXPECT_FALSE(isallZequal({}, 1e-6));
    EXPECT_TRUE(isallZequal({CPoint3d(0, 0, 1), CPoint3d(5, 5, 1.0000005)}, 1e-6));
    // Only neighbours are compared: a slow drift passes.
    EXPECT_TRUE(isallZequal({CPoint3d(0, 0, 0), CPoint3d(0, 0, 0.6), CPoint3d(0, 0, 1.2)}, 0.7));
    EXPECT_FALSE(isallZequal({CPoint3d(0, 0, 0), CPoint3d(0, 0, 0.6)}, 0.5));
    double z = 2.0;
    EXPECT_TRUE(PtsIsLevel({CPoint3d(0, 0, 2), CPoint3d(1, 1, 2)}, &z));
    z = 3.0;
    EXPECT_FALSE(PtsIsLevel({CPoint3d(0, 0, 2), CPoint3d(1, 1, 2)}, &z));
    EXPECT_TRUE(PtsIsLevel({CPoint3d(0, 0, 2), CPoint3d(1, 1, 2)}, nullptr));
    EXPECT_FALSE(PtsIsLevel({}, nullptr));
    EXPECT_TRUE(isInPlane({CPoint3d(0, 0, 0), CPoint3d(5, 5, 5)}, 1e-6));
    EXPECT_TRUE(isInPlane(
        {CPoint3d(0, 0, 1), CPoint3d(1, 0, 2), CPoint3d(1, 1, 2), CPoint3d(0, 1, 1)}, 1e-6));
    EXPECT_FALSE(isInPlane(
        {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 1, 0), CPoint3d(0, 1, 0.01)}, 1e-6));
    EXPECT_TRUE(isInPlane(
        {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 1, 0), CPoint3d(0, 1, 0.01)}, 0.1));
}

TEST(Predicates, PlanarityWhenTheFirstThreePointsAreCollinear) {
    // A rectangle with an extra vertex on its first edge lies in a plane far from the origin.
    EXPECT_TRUE(isInPlane({CPoint3d(10, 10, 5), CPoint3d(15, 10, 5), CPoint3d(20, 10, 5),
                           CPoint3d(20, 20, 5), CPoint3d(10, 20, 5)},
                          1e-6));
    EXPECT_FALSE(isInPlane({CPoint3d(10, 10, 5), CPoint3d(15, 10, 5), CPoint3d(20, 10, 5),
                            CPoint3d(20, 20, 5), CPoint3d(10, 20, 6)},
                           1e-6));
    EXPECT_TRUE(isInPlane({CPoint3d(1, 1, 1), CPoint3d(2, 2, 2), CPoint3d(3, 3, 3)}, 1e-6));
}

TEST(Predicates, ValidAcGePoints) {
    EXPECT_TRUE(AgPtIsValid(AcGePoint3d(1e30, -1e30, 0)));
    EXPECT_FALSE(AgPtIsValid(AcGePoint3d(1.1e30, 0, 0)));
    EXPECT_FALSE(AgPtIsValid(AcGePoint3d(0, kNaN, 0)));
    EXPECT_FALSE(AgPtIsValid(AcGePoint3d(0, 0, -kInf)));
}

// ---- Side of a line ------------------------------------------------------------------------

TEST(PntPos, SideOfADirectedLine) {
    const CPoint3d s(0, 0, 0), e(1, 0, 0);
    EXPECT_EQ(PntPos(CPoint3d(0.5, 1, 0), s, e, 1e-6), 1);
    EXPECT_EQ(PntPos(CPoint3d(0.5, -1, 0), s, e, 1e-6), -1);
    EXPECT_EQ(PntPos(CPoint3d(2, 0, 0), s, e, 1e-6), 0);
    EXPECT_EQ(PntPos(CPoint3d(0.5, 5e-7, 0), s, e, 1e-6), 0);
    EXPECT_EQ(PntPos(AcGePoint3d(0.5, 1, 7), AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), 1e-6), 1);
}

TEST(PntPos, ListFormUsesTheNearestSegment) {
    EXPECT_EQ(PntPos({CPoint3d(0, 0, 0)}, CPoint3d(1, 1, 0), 1e-6), -2);
    EXPECT_EQ(PntPos(elbow(), CPoint3d(9, 3, 0), 1e-6), 1);    // nearest is segment 1: left
    EXPECT_EQ(PntPos(elbow(), CPoint3d(11, 3, 0), 1e-6), -1);  // right of segment 1
    EXPECT_EQ(PntPos(elbow(), CPoint3d(5, -1, 0), 1e-6), -1);  // right of segment 0
    // A segment doubling back: both are 1 away, they disagree, and the first one decides.
    const std::vector<CPoint3d> back = {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(0, 0, 0)};
    EXPECT_EQ(PntPos(back, CPoint3d(5, 1, 0), 1e-6), 1);
    EXPECT_EQ(PntPos(back, CPoint3d(5, 0, 0), 1e-6), 0);
    // Beyond the search's starting bound of 1e6 no segment is taken: the first one decides.
    EXPECT_EQ(PntPos(elbow(), CPoint3d(2e6, 5, 0), 1e-6), 1);
}

// ---- Parsing and bulk edits ----------------------------------------------------------------

TEST(Parsing, ThreeNumbersBetweenSemicolons) {
    CPoint3d out(9, 9, 9);
    EXPECT_EQ(Str2Point3d(CString("1.5;2;-3"), out), 1);
    expectXyz(out, 1.5, 2, -3, 0.0);
    out.set(9, 9, 9);
    EXPECT_EQ(Str2Point3d(CString("1.5;2"), out), 0);
    EXPECT_EQ(Str2Point3d(CString("no separators"), out), 0);
    expectXyz(out, 9, 9, 9, 0.0);
    EXPECT_EQ(Str2Point3d(CString("1;2;3;4"), out), 1);  // the middle runs first to last
    expectXyz(out, 1, 2, 4, 0.0);
    EXPECT_EQ(Str2Point3d(CString("x;;7e1"), out), 1);
    expectXyz(out, 0, 0, 70, 0.0);
}

TEST(BulkEdits, SetZOnEveryForm) {
    std::vector<CPoint3d> pts = elbow();
    SetZ(pts, 4.0);
    for (const auto& p : pts) {
        EXPECT_EQ(p.z, 4.0);
    }
    std::vector<std::vector<AcGePoint3d>> nested = {{AcGePoint3d(1, 1, 1)},
                                                    {AcGePoint3d(2, 2, 2), AcGePoint3d(3, 3, 3)}};
    SetZ(nested, -1.0);
    EXPECT_EQ(nested[1][1].z, -1.0);
    EXPECT_EQ(nested[1][1].x, 3.0);
}

TEST(BulkEdits, SortByDistanceAscending) {
    std::vector<CPoint3d> pts = {CPoint3d(5, 0, 0), CPoint3d(1, 0, 0), CPoint3d(3, 0, 0),
                                 CPoint3d(-2, 0, 0), CPoint3d(4, 0, 0)};
    SortPtsByDistance(CPoint3d(0, 0, 0), pts);
    const double expected[] = {1, -2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pts[i].x, expected[i]);
    }
}

TEST(BulkEdits, LowestPointIsTheFirstOfLeastHeight) {
    std::vector<CPoint3d> pts = {CPoint3d(0, 0, 3), CPoint3d(1, 0, -2), CPoint3d(2, 0, -2)};
    CPoint3d out(9, 9, 9);
    expectXyz(getLowestPt(pts, out), 1, 0, -2, 0.0);
    expectXyz(out, 1, 0, -2, 0.0);
    std::vector<CPoint3d> none;
    out.set(7, 7, 7);
    expectXyz(getLowestPt(none, out), 7, 7, 7, 0.0);
    std::vector<CPoint3d> withNaN = {CPoint3d(0, 0, kNaN), CPoint3d(1, 0, 5)};
    expectXyz(getLowestPt(withNaN, out), 1, 0, 5, 0.0);
}

}  // namespace
