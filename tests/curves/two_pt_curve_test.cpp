// Two-point curve: bulge conventions, construction, measures, classification, transforms,
// ordering, equality, the shared tolerance and the archive record.

#include <geo/two_pt_curve.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

namespace {

using point_expect::expectXy;

using geo_detail::kPi;
constexpr double kNear = 1e-9;

using P = AcGePoint2d;

// Keeps the shared tolerance as found, whatever a test sets.
class TwoPtCurveTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = C2PtCurve::getTol(); }
    void TearDown() override {
        C2PtCurve::setTol(saved_.equalPoint());
        ASSERT_EQ(saved_.equalPoint(), saved_.equalVector());
    }
    AcGeTol saved_;
};

// The counter-clockwise half circle from (1,0) to (-1,0).
C2PtCurve UpperHalf() {
    return C2PtCurve(P(1, 0), P(-1, 0), 1.0);
}

// Right-hand unit normal of the chord: the direction in which a positive bulge lies.
AcGeVector2d RightNormal(const P& s, const P& e) {
    const AcGeVector2d d = e - s;
    return AcGeVector2d(d.y, -d.x) / d.length();
}

// --------------------------------------------------------------------------------------------
// Bulge sign conventions and the relation to the polyline bulge

TEST_F(TwoPtCurveTest, PositiveBulgeIsCounterClockwiseWithMidpointRightOfChord) {
    const C2PtCurve up = UpperHalf();
    EXPECT_FALSE(up.IsClockWise());
    EXPECT_FALSE(up.IsLine());
    expectXy(up.GetMidPt(), 0, 1);
    const AcGeCircArc2d arc = up.GetArc();
    expectXy(arc.center(), 0, 0);
    EXPECT_NEAR(arc.radius(), 1.0, kNear);
    EXPECT_FALSE(arc.isClockWise());

    const C2PtCurve down(P(1, 0), P(-1, 0), -1.0);
    EXPECT_TRUE(down.IsClockWise());
    expectXy(down.GetMidPt(), 0, -1);
    EXPECT_TRUE(down.GetArc().isClockWise());
}

TEST_F(TwoPtCurveTest, MidpointLiesAtTheSagittaOnTheRightForAnyChord) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-50, 50), sag(-20, 20);
    for (int i = 0; i < 200; ++i) {
        const P s(coord(rng), coord(rng)), e(coord(rng), coord(rng));
        const double b = sag(rng);
        if (s.distanceTo(e) < 1e-3 || std::fabs(b) < 1e-3) {
            continue;
        }
        const C2PtCurve c(s, e, b);
        const P chordMid((s.x + e.x) / 2, (s.y + e.y) / 2);
        const AcGeVector2d offset = c.GetMidPt() - chordMid;
        EXPECT_NEAR(offset.dotProduct(RightNormal(s, e)), b, 1e-9 * (1 + std::fabs(b)));
        EXPECT_NEAR(offset.crossProduct(RightNormal(s, e)), 0.0, 1e-9 * (1 + std::fabs(b)));
        // Sense of travel from the signed area of start, midpoint, end.
        const double turn = (c.GetMidPt() - s).crossProduct(e - s);
        EXPECT_EQ(turn > 0, b > 0) << "bulge " << b;
        // Radius from chord and sagitta.
        const double h = s.distanceTo(e) / 2;
        const double radius = (h * h + b * b) / (2 * std::fabs(b));
        EXPECT_NEAR(c.GetArc().radius(), radius, 1e-9 * (1 + radius));
    }
}

TEST_F(TwoPtCurveTest, PolylineBulgeIsSagittaOverHalfChordBothWays) {
    const C2PtCurve half(AcGePoint3d(0, 0, 1), AcGePoint3d(2, 0, 0));
    EXPECT_NEAR(half.GetBugle(), 1.0, kNear);
    expectXy(half.GetMidPt(), 1, -1);
    AcGePoint3d a, b;
    half.Get3dPts(a, b);
    EXPECT_NEAR(a.z, 1.0, kNear);
    EXPECT_EQ(b.z, 0.0);
    UpperHalf().Get3dPts(a, b);
    EXPECT_NEAR(a.z, 1.0, kNear);
    EXPECT_NEAR(a.x, 1.0, 0.0);

    std::mt19937 rng(11);
    std::uniform_real_distribution<double> coord(-30, 30), q(-4, 4);
    for (int i = 0; i < 200; ++i) {
        const double poly = q(rng);
        const AcGePoint3d s(coord(rng), coord(rng), poly), e(coord(rng), coord(rng), 5.0);
        const double halfChord = std::hypot(e.x - s.x, e.y - s.y) / 2;
        if (halfChord < 1e-2 || std::fabs(poly) < 1e-3) {
            continue;
        }
        const C2PtCurve c(s, e);
        EXPECT_NEAR(c.GetBugle(), poly * halfChord, 1e-8 * (1 + std::fabs(poly) * halfChord));
        c.Get3dPts(a, b);
        EXPECT_NEAR(a.z, poly, 1e-8 * (1 + std::fabs(poly)));
        EXPECT_EQ(b.z, 0.0);
    }
}

TEST_F(TwoPtCurveTest, PolylineVertexConstructionEdgeCases) {
    // A polyline bulge below 1e-6 is straight.
    EXPECT_EQ(C2PtCurve(AcGePoint3d(0, 0, 5e-7), AcGePoint3d(2, 0, 0)).GetBugle(), 0.0);
    // A failed arc leaves a line, never the bulge held before.
    C2PtCurve c(P(0, 0), P(1, 0), 3.0);
    c.set(AcGePoint3d(4, 4, 1.0), AcGePoint3d(4, 4, 0));
    EXPECT_EQ(c.GetBugle(), 0.0);
    expectXy(c.GetStartPt(), 4, 4, 0);
    // An empty chord keeps the stored z at 0 instead of dividing by zero.
    AcGePoint3d a, b;
    C2PtCurve(P(2, 2), P(2, 2), 1.0).Get3dPts(a, b);
    EXPECT_EQ(a.z, 0.0);
}

// --------------------------------------------------------------------------------------------
// Tangent and three-point construction, arc adoption

TEST_F(TwoPtCurveTest, TangentConstruction) {
    EXPECT_NEAR(C2PtCurve(P(1, 0), P(-1, 0), AcGeVector2d(0, 1)).GetBugle(), 1.0, kNear);
    EXPECT_NEAR(C2PtCurve(P(1, 0), P(-1, 0), AcGeVector2d(0, -1)).GetBugle(), -1.0, kNear);
    EXPECT_EQ(C2PtCurve(P(1, 0), P(-1, 0), AcGeVector2d(-1, 0)).GetBugle(), 0.0);
    // A tangent leaning forward gives the minor arc, one leaning back the major arc.
    const double minor = C2PtCurve(P(0, 0), P(2, 0), AcGeVector2d(1, -1)).GetBugle();
    const double major = C2PtCurve(P(0, 0), P(2, 0), AcGeVector2d(-1, -1)).GetBugle();
    EXPECT_NEAR(minor, std::sqrt(2.0) - 1, kNear);
    EXPECT_NEAR(major, std::sqrt(2.0) + 1, kNear);
    // Non-finite tangent: a line, not a NaN bulge.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(C2PtCurve(P(0, 0), P(2, 0), AcGeVector2d(nan, 1)).GetBugle(), 0.0);
}

TEST_F(TwoPtCurveTest, TangentConstructionLeavesAlongTheTangent) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> coord(-10, 10), ang(0, 2 * kPi);
    for (int i = 0; i < 200; ++i) {
        const P s(coord(rng), coord(rng)), e(coord(rng), coord(rng));
        const double a = ang(rng);
        const AcGeVector2d t(std::cos(a), std::sin(a));
        if (s.distanceTo(e) < 0.1 || std::fabs(t.crossProduct((e - s) / s.distanceTo(e))) < 0.05) {
            continue;
        }
        const C2PtCurve c(s, e, t);
        // The outward direction at the start points against the travel.
        const AcGeVector2d back = c.GetCutVector(true);
        EXPECT_NEAR(back.normal().dotProduct(t), -1.0, 1e-7) << i;
    }
}

TEST_F(TwoPtCurveTest, ThreePointConstruction) {
    EXPECT_NEAR(C2PtCurve(P(1, 0), P(0, 1), P(-1, 0)).GetBugle(), 1.0, kNear);
    EXPECT_NEAR(C2PtCurve(P(1, 0), P(0, -1), P(-1, 0)).GetBugle(), -1.0, kNear);
    // Beyond a half circle: sagitta is radius plus centre distance.
    const C2PtCurve major(P(1, 0), P(0, -1), P(0, 1));
    EXPECT_NEAR(major.GetBugle(), -(1 + std::sqrt(0.5)), kNear);
    // A middle point within the point tolerance of the chord line makes a line.
    const C2PtCurve flat(P(0, 0), P(1, 0.0005), P(2, 0));
    EXPECT_EQ(flat.GetBugle(), 0.0);
    expectXy(flat.GetEndPt(), 2, 0, 0);
}

TEST_F(TwoPtCurveTest, ArcAdoption) {
    C2PtCurve c;
    // Three quarters of the unit circle, counter-clockwise from (1,0) to (0,-1).
    ASSERT_TRUE(c.SetAcgeGeo(AcGeCircArc2d(P(0, 0), 1.0, 0.0, 1.5 * kPi)));
    EXPECT_NEAR(c.GetBugle(), 1 + std::sqrt(0.5), kNear);
    expectXy(c.GetEndPt(), 0, -1);
    ASSERT_TRUE(c.SetAcgeGeo(
        AcGeCircArc2d(P(0, 0), 1.0, 0.0, 0.5 * kPi, AcGeVector2d(1, 0), Adesk::kTrue)));
    EXPECT_LT(c.GetBugle(), 0.0);
    expectXy(c.GetEndPt(), 0, -1);
    // A full circle and a zero-radius arc have no midpoint: the piece is untouched.
    const C2PtCurve before = c;
    EXPECT_FALSE(c.SetAcgeGeo(AcGeCircArc2d(P(5, 5), 2.0)));
    EXPECT_FALSE(c.SetAcgeGeo(AcGeCircArc2d(P(5, 5), 0.0)));
    EXPECT_EQ(c.GetBugle(), before.GetBugle());
    expectXy(c.GetStartPt(), before.GetStartPt().x, before.GetStartPt().y, 0);
    EXPECT_TRUE(c.SetAcgeGeo(AcGeLineSeg2d(P(0, 0), P(3, 4))));
    EXPECT_EQ(c.GetBugle(), 0.0);
}

// --------------------------------------------------------------------------------------------
// Line test, outward directions, closest point, point classification

TEST_F(TwoPtCurveTest, TinyBulgeIsALineEverywhereButKeepsItsValue) {
    const C2PtCurve c(P(0, 0), P(2, 0), 5e-7);
    EXPECT_TRUE(c.IsLine());
    EXPECT_EQ(c.GetBugle(), 5e-7);
    expectXy(c.GetMidPt(), 1, 0, 0);
    EXPECT_EQ(c.GetPtArr().size(), 2u);
    EXPECT_NEAR(c.length(), 2.0, kNear);
    EXPECT_EQ(c.JudgePtPos(P(1, 1)), -1);
    const auto bytes = test_support::StoreBytes([&](CArchive& ar) { C2PtCurve(c).Serialize(ar); });
    double stored = 0;
    ASSERT_EQ(bytes.size(), 48u);
    std::memcpy(&stored, bytes.data() + 8, 8);
    EXPECT_EQ(stored, 5e-7);
}

TEST_F(TwoPtCurveTest, CutVectorsPointAwayFromThePiece) {
    const C2PtCurve line(P(0, 0), P(3, 4), 0.0);
    expectXy(P(0, 0) + line.GetCutVector(true), -3, -4);
    expectXy(P(0, 0) + line.GetCutVector(false), 3, 4);
    // Counter-clockwise half circle: moving up at the start, down at the end.
    expectXy(P(0, 0) + UpperHalf().GetCutVector(true), 0, -1);
    expectXy(P(0, 0) + UpperHalf().GetCutVector(false), 0, -1);
    const C2PtCurve lower(P(1, 0), P(-1, 0), -1.0);
    expectXy(P(0, 0) + lower.GetCutVector(true), 0, 1);
    expectXy(P(0, 0) + lower.GetCutVector(false), 0, 1);
}

TEST_F(TwoPtCurveTest, ClosestPointStaysOnThePiece) {
    const C2PtCurve line(P(0, 0), P(2, 0), 0.0);
    expectXy(line.getColsestPt(P(1, 5)), 1, 0);
    expectXy(line.getColsestPt(P(-3, 1)), 0, 0);
    expectXy(UpperHalf().getColsestPt(P(0, 3)), 0, 1);
    expectXy(UpperHalf().getColsestPt(P(3, 3)), std::sqrt(0.5), std::sqrt(0.5));
    // Below the chord the nearest point of the upper half is an end.
    expectXy(UpperHalf().getColsestPt(P(0.9, -2)), 1, 0);
}

TEST_F(TwoPtCurveTest, JudgePtPosOnLines) {
    const C2PtCurve c(P(0, 0), P(1, 0), 0.0);
    EXPECT_EQ(c.JudgePtPos(P(0.5, 1)), -1);
    EXPECT_EQ(c.JudgePtPos(P(0.5, -1)), 1);
    EXPECT_EQ(c.JudgePtPos(P(5, 0)), 0);
    // The whole line counts, and the point tolerance decides "on".
    EXPECT_EQ(c.JudgePtPos(P(-7, 2)), -1);
    EXPECT_EQ(c.JudgePtPos(P(0.5, 0.0005)), 0);
    EXPECT_EQ(c.JudgePtPos(P(0.5, 0.002)), -1);
    C2PtCurve r = c;
    r.Reverse();
    EXPECT_EQ(r.JudgePtPos(P(0.5, 1)), 1);
    // A sloped line: left is the counter-clockwise side of the direction.
    const C2PtCurve slope(P(0, 0), P(-1, -1), 0.0);
    EXPECT_EQ(slope.JudgePtPos(P(0, -1)), -1);
    EXPECT_EQ(slope.JudgePtPos(P(-1, 0)), 1);
}

TEST_F(TwoPtCurveTest, JudgePtPosOnArcsOfBothOrientations) {
    const C2PtCurve ccw = UpperHalf();
    EXPECT_EQ(ccw.JudgePtPos(P(0, 0)), -1);
    EXPECT_EQ(ccw.JudgePtPos(P(0, -0.5)), -1);  // inside the circle, off the piece
    EXPECT_EQ(ccw.JudgePtPos(P(3, 0)), 1);
    EXPECT_EQ(ccw.JudgePtPos(P(0, -1)), 0);
    // The circle test uses 1e-6, not the point tolerance.
    EXPECT_EQ(ccw.JudgePtPos(P(0, 1.0005)), 1);
    EXPECT_EQ(ccw.JudgePtPos(P(0, 1.0000005)), 0);
    C2PtCurve cw = ccw;
    cw.Reverse();
    EXPECT_EQ(cw.JudgePtPos(P(0, 0)), 1);
    EXPECT_EQ(cw.JudgePtPos(P(3, 0)), -1);
    EXPECT_EQ(cw.JudgePtPos(P(0, 1)), 0);
}

// --------------------------------------------------------------------------------------------
// Lengths, parameters and fractions

TEST_F(TwoPtCurveTest, LengthsAndFractions) {
    C2PtCurve up = UpperHalf();
    EXPECT_NEAR(up.length(), kPi, kNear);
    EXPECT_NEAR(up.GetPropAtPt(P(0, 5)), 0.5, kNear);
    EXPECT_NEAR(up.GetPropAtPt(P(5, -1)), 0.0, kNear);
    expectXy(up.GetPtFromProp(0.5), 0, 1);
    expectXy(up.GetPtFromProp(1.0), -1, 0);
    expectXy(up.GetPtFromProp(0.25), std::sqrt(0.5), std::sqrt(0.5));
    C2PtCurve line(P(0, 0), P(4, 2), 0.0);
    expectXy(line.GetPtFromProp(0.5), 2, 1);
    expectXy(line.GetPtFromProp(1.5), 6, 3);  // not clamped
    EXPECT_NEAR(line.GetPropAtPt(P(1, 3)), std::hypot(2, 1) / std::hypot(4, 2), kNear);
    // Parameters exchanged with the same piece agree with its length.
    const double s = up.paramOf(up.GetStartPt());
    const double e = up.paramOf(up.GetEndPt());
    EXPECT_NEAR(up.length(s, e), kPi, kNear);
    expectXy(up.evalPoint(up.paramAtLength(s, kPi / 2, true)), 0, 1);
    EXPECT_TRUE(up.isOn(P(0, 1.0005)));
    EXPECT_FALSE(up.isOn(P(0, -1)));
}

TEST_F(TwoPtCurveTest, ShortPiecesMeasureNothing) {
    C2PtCurve tiny(P(1, 1), P(1 + 5e-7, 1), 0.0);
    EXPECT_TRUE(tiny.IsValid());
    EXPECT_EQ(tiny.GetPropAtPt(P(1, 1)), 0.0);
    expectXy(tiny.GetPtFromProp(0.5), 1, 1, 0);
    C2PtCurve empty(P(2, 3), P(2, 3), 0.0);
    expectXy(empty.GetPtFromProp(0.5), 2, 3, 0);
}

// --------------------------------------------------------------------------------------------
// Transforms

TEST_F(TwoPtCurveTest, ReverseTwiceRestoresAndEqualsItsReverse) {
    const C2PtCurve c(P(1, 2), P(4, -1), 0.7);
    C2PtCurve r = c;
    r.Reverse();
    EXPECT_EQ(r.GetBugle(), -0.7);
    expectXy(r.GetStartPt(), 4, -1, 0);
    expectXy(r.GetMidPt(), c.GetMidPt().x, c.GetMidPt().y);
    EXPECT_TRUE(r == c);
    EXPECT_TRUE(c == r);
    r.Reverse();
    EXPECT_EQ(r.GetBugle(), 0.7);
    expectXy(r.GetStartPt(), 1, 2, 0);
}

TEST_F(TwoPtCurveTest, MoveRotateMirrorKeepThePointSet) {
    const C2PtCurve c(P(1, 0), P(3, 1), 0.8);
    const P mid = c.GetMidPt();
    C2PtCurve moved = c;
    moved.move(AcGeVector2d(2, -3));
    expectXy(moved.GetMidPt(), mid.x + 2, mid.y - 3);
    C2PtCurve turned = c;
    turned.rotate(P(1, 1), kPi / 2);
    P expected = mid;
    expected.rotateBy(kPi / 2, P(1, 1));
    expectXy(turned.GetMidPt(), expected.x, expected.y);
    EXPECT_EQ(turned.GetBugle(), 0.8);
    C2PtCurve mirrored = c;
    const AcGeLine2d axis(P(0, 2), AcGeVector2d(1, 1));
    mirrored.mirror(axis);
    expected = mid;
    expected.mirror(axis);
    EXPECT_EQ(mirrored.GetBugle(), -0.8);
    expectXy(mirrored.GetMidPt(), expected.x, expected.y);
}

TEST_F(TwoPtCurveTest, ScaleMovesEndPointsAndKeepsTheBulge) {
    C2PtCurve c(P(2, 3), P(4, 5), 0.5);
    c.scale(P(1, 1), AcGeVector2d(2, 3));
    expectXy(c.GetStartPt(), 3, 7, 0);
    expectXy(c.GetEndPt(), 7, 13, 0);
    EXPECT_EQ(c.GetBugle(), 0.5);
}

// --------------------------------------------------------------------------------------------
// Ordering, equality and the three tolerances

TEST_F(TwoPtCurveTest, OrderingIsNotEqualityOnReversedCurves) {
    const C2PtCurve c(P(0, 0), P(2, 0), 0.5);
    C2PtCurve r = c;
    r.Reverse();
    EXPECT_TRUE(c == r);
    EXPECT_TRUE(c < r);
    EXPECT_FALSE(r < c);
    // Field order: start x, start y, end x, end y, bulge.
    EXPECT_TRUE(C2PtCurve(P(0, 9), P(9, 9), 9) < C2PtCurve(P(1, 0), P(0, 0), 0));
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(0, 9), 9) < C2PtCurve(P(0, 1), P(0, 0), 0));
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(1, 0), 9) < C2PtCurve(P(0, 0), P(2, 0), 0));
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(1, 0), 0.1) < C2PtCurve(P(0, 0), P(1, 0), 0.2));
    EXPECT_FALSE(c < c);
}

TEST_F(TwoPtCurveTest, SortingUsesThePointTolerance) {
    std::vector<C2PtCurve> v{C2PtCurve(P(3, 0), P(4, 0), 0), C2PtCurve(P(1, 0), P(2, 0), 0),
                             C2PtCurve(P(2, 0), P(3, 0), 0), C2PtCurve(P(1, 0), P(1, 5), 0)};
    std::sort(v.begin(), v.end());
    expectXy(v[0].GetEndPt(), 1, 5, 0);
    expectXy(v[1].GetEndPt(), 2, 0, 0);
    expectXy(v[3].GetStartPt(), 3, 0, 0);
    const C2PtCurve a(P(0, 0), P(1, 0), 0), b(P(0.0005, 0), P(1, 0), 0);
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_FALSE(a == b);  // equality compares points with AcGe's global tolerance
    C2PtCurve::setTol(1e-9);
    EXPECT_TRUE(a < b);
}

TEST_F(TwoPtCurveTest, EachOperationUsesItsOwnTolerance) {
    ASSERT_EQ(C2PtCurve::getTol().equalPoint(), 0.001);
    ASSERT_EQ(C2PtCurve::getTol().equalVector(), 0.001);
    // Validity: AcGe's global tolerance, not the shared one.
    EXPECT_TRUE(C2PtCurve(P(0, 0), P(1e-4, 0), 0).IsValid());
    EXPECT_FALSE(C2PtCurve(P(0, 0), P(1e-11, 0), 0).IsValid());
    // Equality: global tolerance for points, fixed 1e-6 for the bulge.
    const C2PtCurve c(P(0, 0), P(1, 0), 0.3);
    EXPECT_TRUE(c == C2PtCurve(P(0, 0), P(1, 0), 0.3 + 5e-7));
    EXPECT_FALSE(c == C2PtCurve(P(0, 0), P(1, 0), 0.3 + 5e-6));
    EXPECT_FALSE(c == C2PtCurve(P(0, 1e-8), P(1, 0), 0.3));
    // The line test of the bulge is fixed, whatever the shared tolerance.
    C2PtCurve::setTol(0.1);
    EXPECT_FALSE(C2PtCurve(P(0, 0), P(1, 0), 0.01).IsLine());
    // Classification against a line follows the shared tolerance.
    EXPECT_EQ(C2PtCurve(P(0, 0), P(1, 0), 0).JudgePtPos(P(0.5, 0.05)), 0);
    C2PtCurve::setTol(1e-9);
    EXPECT_EQ(C2PtCurve(P(0, 0), P(1, 0), 0).JudgePtPos(P(0.5, 1e-6)), -1);
}

// --------------------------------------------------------------------------------------------
// The shared tolerance across threads

TEST_F(TwoPtCurveTest, ToleranceReadsFromManyThreadsAreConsistent) {
    const C2PtCurve a(P(0, 0), P(1, 0), 0), b(P(0.0005, 0), P(1, 0), 0);
    std::atomic<int> failures{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                const AcGeTol tol = C2PtCurve::getTol();
                if (tol.equalPoint() != 0.001 || tol.equalVector() != 0.001 || a < b || b < a) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& th : readers) {
        th.join();
    }
    EXPECT_EQ(failures.load(), 0);
}

TEST_F(TwoPtCurveTest, ToleranceComponentsAreNeverTorn) {
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread writer([&] {
        for (int i = 0; !stop.load(); ++i) {
            C2PtCurve::setTol(i % 2 ? 0.25 : 0.5);
        }
    });
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t) {
        readers.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                const AcGeTol tol = C2PtCurve::getTol();
                for (double v : {tol.equalPoint(), tol.equalVector()}) {
                    if (v != 0.25 && v != 0.5 && v != 0.001) {
                        ++torn;
                    }
                }
            }
        });
    }
    for (std::thread& th : readers) {
        th.join();
    }
    stop = true;
    writer.join();
    EXPECT_EQ(torn.load(), 0);
}

// --------------------------------------------------------------------------------------------
// The archive record

// The 48 bytes of a record, laid out by hand.
test_support::Bytes Record(double version, double bulge, double sx, double sy, double ex,
                           double ey) {
    const double fields[6] = {version, bulge, sx, sy, ex, ey};
    test_support::Bytes bytes(48);
    std::memcpy(bytes.data(), fields, 48);
    return bytes;
}

TEST_F(TwoPtCurveTest, RecordIsFortyEightBytes) {
    C2PtCurve def;
    EXPECT_EQ(test_support::StoreBytes([&](CArchive& ar) { def.Serialize(ar); }),
              Record(1.0, 0, 0, 0, 0, 0));
    C2PtCurve c(P(1.5, -2.25), P(1e10, 3e-300), -0.125);
    EXPECT_EQ(test_support::StoreBytes([&](CArchive& ar) { c.Serialize(ar); }),
              Record(1.0, -0.125, 1.5, -2.25, 1e10, 3e-300));
}

TEST_F(TwoPtCurveTest, LoadingAssignsTheFieldsAndIgnoresTheVersion) {
    C2PtCurve c;
    test_support::LoadBytes(Record(7.0, 0.5, 1, 2, 3, 4), [&](CArchive& ar) { c.Serialize(ar); });
    EXPECT_EQ(c.GetBugle(), 0.5);
    expectXy(c.GetStartPt(), 1, 2, 0);
    expectXy(c.GetEndPt(), 3, 4, 0);
    // Hostile values are stored as read; the piece then reports itself invalid.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    test_support::LoadBytes(Record(1.0, nan, 1, 2, 3, 4), [&](CArchive& ar) { c.Serialize(ar); });
    EXPECT_TRUE(std::isnan(c.GetBugle()));
    EXPECT_FALSE(c.IsValid());
}

TEST_F(TwoPtCurveTest, ShortRecordRaisesAndLeavesThePieceUntouched) {
    C2PtCurve c(P(9, 8), P(7, 6), 0.5);
    test_support::Bytes bytes = Record(1.0, 2, 3, 4, 5, 6);
    bytes.resize(40);
    const int cause = test_support::ArchiveCause(
        [&] { test_support::LoadBytes(bytes, [&](CArchive& ar) { c.Serialize(ar); }); });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    EXPECT_EQ(c.GetBugle(), 0.5);
    expectXy(c.GetStartPt(), 9, 8, 0);
}

// --------------------------------------------------------------------------------------------
// Invalid and non-finite pieces

TEST_F(TwoPtCurveTest, InvalidPieceGivesNeutralResults) {
    C2PtCurve c(P(2, 3), P(2, 3), 1.0);
    EXPECT_FALSE(c.IsValid());
    expectXy(c.GetMidPt(), 2, 3, 0);
    EXPECT_EQ(c.GetArc().radius(), 0.0);
    EXPECT_EQ(c.GetCutVector(true).length(), 0.0);
    EXPECT_EQ(c.GetCutVector(false).length(), 0.0);
    expectXy(c.getColsestPt(P(10, 10)), 2, 3, 0);
    EXPECT_EQ(c.JudgePtPos(P(10, 10)), 0);
    EXPECT_EQ(c.length(), 0.0);
    EXPECT_EQ(c.length(0, 1), 0.0);
    EXPECT_EQ(c.paramAtLength(0.25, 3, true), 0.25);
    EXPECT_EQ(c.paramOf(P(5, 5)), 0.0);
    expectXy(c.evalPoint(0.7), 2, 3, 0);
    EXPECT_FALSE(c.isOn(P(2, 3)));
    EXPECT_EQ(c.GetPropAtPt(P(5, 5)), 0.0);
    expectXy(c.GetPtFromProp(0.5), 2, 3, 0);
}

TEST_F(TwoPtCurveTest, NonFiniteInputNeitherCrashesNorHangs) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const C2PtCurve pieces[] = {C2PtCurve(P(0, 0), P(1, 0), nan), C2PtCurve(P(0, 0), P(1, 0), inf),
                                C2PtCurve(P(nan, 0), P(1, 0), 0.5),
                                C2PtCurve(P(0, 0), P(inf, 0), 0.0)};
    for (C2PtCurve c : pieces) {
        EXPECT_FALSE(c.IsValid());
        EXPECT_EQ(c.length(), 0.0);
        EXPECT_EQ(c.JudgePtPos(P(0, 1)), 0);
        EXPECT_TRUE(c.GetPtArr().empty());
        EXPECT_EQ(c.GetPropAtPt(P(0, 1)), 0.0);
    }
    // Valid pieces asked about non-finite points or fractions.
    C2PtCurve up = UpperHalf();
    EXPECT_EQ(up.JudgePtPos(P(nan, 0)), 0);
    expectXy(up.GetPtFromProp(nan), 1, 0, 0);
    expectXy(up.GetPtFromProp(inf), 1, 0, 0);
    // A bulge so large that AcGe cannot place the centre gives no arc, not NaN.
    C2PtCurve huge(P(0, 0), P(1, 0), 1e200);
    EXPECT_TRUE(huge.IsValid());
    EXPECT_TRUE(huge.GetPtArr().empty());
    EXPECT_EQ(huge.length(), 0.0);
}

}  // namespace
