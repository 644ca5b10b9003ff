// Wire angle regularisation: snapping of direction classes, runs, open input and bad input.
#include <geo/wire_angle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "foundation/numeric.h"

namespace {

using P = AcGePoint2d;
using geo_detail::kPi;

// Undirected direction of a -> b folded into a quarter turn.
double Folded(const P& a, const P& b) {
    double t = std::atan2(b.y - a.y, b.x - a.x);
    t = std::fmod(t, kPi / 2);
    if (t < 0) {
        t += kPi / 2;
    }
    return t;
}

// Distance of two folded directions on a circle of a quarter turn.
double QuarterDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, kPi / 2 - d);
}

std::vector<P> Closed(std::vector<P> pts) {
    pts.push_back(pts.front());
    return pts;
}

// Folded directions of the result's edges.
std::vector<double> EdgeDirections(const std::vector<P>& pts) {
    std::vector<double> out;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        out.push_back(Folded(pts[i], pts[i + 1]));
    }
    return out;
}

// An outline whose edges run in classes 0 (two edges, exactly), 0.15 (two edges, exactly) and,
// when `extra` is set, 0.17 (one edge); the closing edge runs at about 0.08, within 0.1 of both
// main classes.
std::vector<P> TwoClassOutline(bool extra) {
    const P v(4 * std::cos(0.15), 4 * std::sin(0.15));
    const P d(3 * std::cos(0.17), 3 * std::sin(0.17));
    const double sy = 3 * v.y + (extra ? d.y : 0.0);
    const double sxOthers = 10 + 3 * v.x + (extra ? d.x : 0.0);
    const double l2 = sy / std::tan(0.08) - sxOthers;  // makes the closing edge run at 0.08
    std::vector<P> pts = {P(0, 0)};
    auto step = [&](double dx, double dy) {
        pts.push_back(P(pts.back().x + dx, pts.back().y + dy));
    };
    step(10, 0);
    step(v.x, v.y);
    step(l2, 0);
    step(2 * v.x, 2 * v.y);
    if (extra) {
        step(d.x, d.y);
    }
    return pts;  // open: the closing edge is implicit
}

}  // namespace

TEST(WireAngle, SkewedRectangleBecomesExactlyRectangularOnTheSmallestDirection) {
    const std::vector<P> input = Closed({P(0, 0), P(10, 0.05), P(9.97, 5.05), P(-0.02, 4.99)});
    const std::vector<P> out = CFixWireAngle(input, 0.02).GetResult();
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out.front().x, out.back().x);
    EXPECT_EQ(out.front().y, out.back().y);
    double smallest = 10;
    for (size_t i = 0; i + 1 < input.size(); ++i) {
        smallest = std::min(smallest, Folded(input[i], input[i + 1]));
    }
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        EXPECT_NEAR(QuarterDistance(Folded(out[i], out[i + 1]), smallest), 0.0, 1e-9) << i;
        const P& a = out[i];
        const P& b = out[i + 1];
        const P& c = out[(i + 2) % 4];
        const double dot = (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y);
        EXPECT_NEAR(dot, 0.0, 1e-8) << i;
        EXPECT_NEAR(out[i].x, input[i].x, 0.1);
        EXPECT_NEAR(out[i].y, input[i].y, 0.1);
    }
}

TEST(WireAngle, OpenInputKeepsItsPointCountAndMatchesTheClosedResult) {
    const std::vector<P> open = {P(0, 0), P(10, 0.05), P(9.97, 5.05), P(-0.02, 4.99)};
    const std::vector<P> fromOpen = CFixWireAngle(open, 0.02);
    const std::vector<P> fromClosed = CFixWireAngle(Closed(open), 0.02).GetResult();
    ASSERT_EQ(fromOpen.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fromOpen[i].x, fromClosed[i].x);
        EXPECT_EQ(fromOpen[i].y, fromClosed[i].y);
    }
}

TEST(WireAngle, EquallyFrequentClassesTieOnTheSmallerAngle) {
    // Classes 0 and 0.15 have two edges each and three edges within 0.1: the smaller wins first
    // and takes the closing edge at 0.08.
    const std::vector<double> dirs = EdgeDirections(CFixWireAngle(TwoClassOutline(false), 0.1));
    ASSERT_EQ(dirs.size(), 4u);  // open input: the closing edge is not in the result
    const std::vector<P> closedOut = CFixWireAngle(Closed(TwoClassOutline(false)), 0.1).GetResult();
    const std::vector<double> all = EdgeDirections(closedOut);
    ASSERT_EQ(all.size(), 5u);
    const double want[] = {0, 0.15, 0, 0.15, 0};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(QuarterDistance(all[i], want[i]), 0.0, 1e-9) << i;
    }
}

TEST(WireAngle, EquallyFrequentClassesPreferMoreEdgesWithinTolerance) {
    // An edge at 0.17 gives class 0.15 four edges within 0.1 against three: it wins first, and
    // the closing edge at 0.08 snaps to it rather than to 0.
    const std::vector<double> all =
        EdgeDirections(CFixWireAngle(Closed(TwoClassOutline(true)), 0.1).GetResult());
    ASSERT_EQ(all.size(), 6u);
    const double want[] = {0, 0.15, 0, 0.15, 0.15, 0.15};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_NEAR(QuarterDistance(all[i], want[i]), 0.0, 1e-9) << i;
    }
}

TEST(WireAngle, CollinearEdgesShareOneLineAndInnerVerticesAreProjected) {
    // The bottom side bends slightly at (4, 0.02) and (7, 0.01); with 0.01 of tolerance its three
    // edges join the horizontal class and form one run on the line through (4, 0.02), onto which
    // (7, 0.01) is projected.
    const std::vector<P> input =
        Closed({P(0, 0), P(4, 0.02), P(7, 0.01), P(10, 0), P(10, 5), P(0, 5)});
    const std::vector<P> out = CFixWireAngle(input, 0.01).GetResult();
    const std::vector<P> want = {P(0, 0.02), P(4, 0.02), P(7, 0.02), P(10, 0.02),
                                 P(10, 5),   P(0, 5),    P(0, 0.02)};
    ASSERT_EQ(out.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(out[i].x, want[i].x, 1e-9) << i;
        EXPECT_NEAR(out[i].y, want[i].y, 1e-9) << i;
    }
}

TEST(WireAngle, SingleEdgeRunTurnsAboutItsMidpoint) {
    // A quadrilateral whose right side leans by 0.005 rad: it turns upright about its midpoint.
    const std::vector<P> input = Closed({P(0, 0), P(10, 0), P(10.025, 5), P(0, 5)});
    const std::vector<P> out = CFixWireAngle(input, 0.01).GetResult();
    ASSERT_EQ(out.size(), 5u);
    EXPECT_NEAR(out[1].x, 10.0125, 1e-9);
    EXPECT_NEAR(out[1].y, 0.0, 1e-9);
    EXPECT_NEAR(out[2].x, 10.0125, 1e-9);
    EXPECT_NEAR(out[2].y, 5.0, 1e-9);
}

TEST(WireAngle, VerticesNoLinePairFixesKeepTheirInputPosition) {
    // With a zero tolerance no edge is restored to the steep half, so every edge line is
    // horizontal and the whole outline is one run: the closing vertex would have no value.
    const std::vector<P> input = Closed({P(1, 1), P(11, 1), P(11, 6), P(1, 6)});
    const std::vector<P> out = CFixWireAngle(input, 0.0).GetResult();
    ASSERT_EQ(out.size(), 5u);
    for (const P& p : out) {
        EXPECT_FALSE(p.x == 0.0 && p.y == 0.0);
    }
    EXPECT_EQ(out[4].x, 1.0);
    EXPECT_EQ(out[4].y, 1.0);
    EXPECT_EQ(out[0].x, out[4].x);
    EXPECT_EQ(out[0].y, out[4].y);
}

TEST(WireAngle, UnusableInputGivesAnEmptyResult) {
    const std::vector<P> square = Closed({P(0, 0), P(1, 0), P(1, 1), P(0, 1)});
    EXPECT_TRUE(CFixWireAngle({P(0, 0), P(1, 0)}, 0.01).GetResult().empty());
    EXPECT_TRUE(CFixWireAngle({}, 0.01).GetResult().empty());
    EXPECT_TRUE(CFixWireAngle(square, -0.01).GetResult().empty());
    EXPECT_TRUE(
        CFixWireAngle(square, std::numeric_limits<double>::quiet_NaN()).GetResult().empty());
    std::vector<P> bad = square;
    bad[2].x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(CFixWireAngle(bad, 0.01).GetResult().empty());
    bad[2].x = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(CFixWireAngle(bad, 0.01).GetResult().empty());
}

TEST(WireAngle, CopiesCarryTheResult) {
    const CFixWireAngle original(Closed({P(0, 0), P(10, 0.05), P(9.97, 5.05), P(-0.02, 4.99)}),
                                 0.02);
    CFixWireAngle assigned({P(0, 0), P(1, 0)}, 0.01);
    assigned = original;
    const CFixWireAngle copied(original);
    EXPECT_EQ(assigned.GetResult().size(), 5u);
    EXPECT_EQ(copied.GetResult().size(), 5u);
    EXPECT_EQ(copied.GetResult()[2].x, original.GetResult()[2].x);
}
