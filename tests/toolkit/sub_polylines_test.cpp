// Sub-polylines and the distance from a point to a closed outline.
#include <geo/measures.h>
#include <geo/sub_polylines.h>

#include "support/plan_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plan_test;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(StretchBetweenPoints, WalksFromTheFirstPointTowardsTheSecond) {
    struct Case {
        CPoint3d p1, p2;
        bool ok;
        XYList out;
    } const cases[] = {
        {at(5, 0), at(10, 5), true, {{5, 0}, {10, 0}, {10, 5}}},
        {at(10, 5), at(5, 0), true, {{10, 5}, {10, 0}, {5, 0}}},
        {at(2, 0), at(8, 0), true, {{2, 0}, {8, 0}}},
        {at(10, 0), at(10, 5), true, {{10, 0}, {10, 5}}},  // repeated points skipped
        {at(5, 0), at(5, 5), false, {}},
        {at(5, 0), at(5, 0), false, {{5, 0}}},
        {at(kNaN, 0), at(5, 0), false, {}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> out{at(9, 9)};
        EXPECT_EQ(getPtsFromPolyline(pts(kElbow), out, c.p1, c.p2, 1e-6), c.ok);
        expectXY(out, c.out);
    }
}

TEST(StretchAroundRing, ForwardsOrBackwardsAndRoundWhenNeeded) {
    struct Case {
        CPoint3d p1, p2;
        bool forward;
        XYList out;
    } const cases[] = {
        {at(5, 0), at(5, 10), true, {{5, 0}, {10, 0}, {10, 10}, {5, 10}}},
        {at(5, 0), at(5, 10), false, {{5, 0}, {0, 0}, {0, 10}, {5, 10}}},
        {at(5, 10), at(5, 0), true, {{5, 10}, {0, 10}, {0, 0}, {5, 0}}},
        {at(2, 0), at(8, 0), true, {{2, 0}, {8, 0}}},
        {at(8, 0), at(2, 0), false, {{8, 0}, {2, 0}}},
        {at(8, 0), at(2, 0), true, {{8, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {2, 0}}},
        {at(10, 0), at(0, 10), false, {{10, 0}, {0, 0}, {0, 10}}},  // from a vertex
    };
    for (const Case& c : cases) {
        for (const auto& ring : {pts(kOpenSquare), closedSquare()}) {
            std::vector<CPoint3d> out;
            EXPECT_TRUE(getPtsFromPolyline(ring, out, c.p1, c.p2, c.forward, 1e-6));
            expectXY(out, c.out);
        }
    }
    std::vector<CPoint3d> out;
    EXPECT_FALSE(getPtsFromPolyline(pts(kOpenSquare), out, at(5, 5), at(5, 0), true, 1e-6));
    EXPECT_FALSE(getPtsFromPolyline(pts({{0, 0}, {1, 0}}), out, at(0, 0), at(1, 0), true, 1e-6));
    EXPECT_TRUE(out.empty());
}

TEST(EqualPieces, CutsByStepAndTheRestIsTheLastPiece) {
    struct Case {
        XYList line;
        double step;
        bool ok;
        std::vector<XYList> pieces;
    } const cases[] = {
        {{{0, 0}, {10, 0}}, 4, true, {{{0, 0}, {4, 0}}, {{4, 0}, {8, 0}}, {{8, 0}, {10, 0}}}},
        {kElbow,
         5,
         true,
         {{{0, 0}, {5, 0}}, {{5, 0}, {10, 0}}, {{10, 0}, {10, 5}}, {{10, 5}, {10, 10}}}},
        {kElbow, 8, true, {{{0, 0}, {8, 0}}, {{8, 0}, {10, 0}, {10, 6}}, {{10, 6}, {10, 10}}}},
        // A step of the whole length gives the polyline itself.
        {kElbow, 20, true, {kElbow}},
        // Near multiples leave no sliver at the end.
        {{{0, 0}, {10, 0}},
         10.0 / 3,
         true,
         {{{0, 0}, {10.0 / 3, 0}}, {{10.0 / 3, 0}, {20.0 / 3, 0}}, {{20.0 / 3, 0}, {10, 0}}}},
        {kElbow, 25, false, {}},
        {kElbow, 0, false, {}},
        {kElbow, -1, false, {}},
        {kElbow, kNaN, false, {}},
        {kElbow, kInf, false, {}},
        {kElbow, 1e-5, false, {}},  // two million pieces are refused
        {{{0, 0}}, 1, false, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<CPoint3d>> pieces;
        EXPECT_EQ(getPtsFromPolyline(pts(c.line), c.step, pieces, 1e-6), c.ok) << c.step;
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.step;
        for (size_t i = 0; i < pieces.size(); ++i) {
            expectXY(pieces[i], c.pieces[i], 1e-9);
        }
    }
    std::vector<std::vector<CPoint3d>> pieces{pts(kElbow)};
    EXPECT_TRUE(getPtsFromPolyline(pts(kElbow), 10, pieces, 1e-6));
    EXPECT_EQ(pieces.size(), 3u);  // appended to
}

TEST(RingStretchByEdges, ForwardAndWrapping) {
    struct Case {
        int edgeA;
        CPoint3d p1;
        int edgeB;
        CPoint3d p2;
        bool ok;
        XYList out;
    } const cases[] = {
        {0, at(5, 0), 2, at(5, 10), true, {{5, 0}, {10, 0}, {10, 10}, {5, 10}}},
        {2, at(5, 10), 0, at(5, 0), true, {{5, 10}, {0, 10}, {0, 0}, {5, 0}}},
        {0, at(2, 0), 0, at(8, 0), true, {{2, 0}, {8, 0}}},
        {0, at(8, 0), 0, at(2, 0), true, {{8, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {2, 0}}},
        {2, at(5, 10), 1, at(10, 5), true, {{5, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}}},
        {-1, at(5, 0), 2, at(5, 10), false, {{9, 9}}},
        {0, at(5, 0), 5, at(5, 10), false, {{9, 9}}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> out{at(9, 9)};
        EXPECT_EQ(GetPts(out, closedSquare(), c.edgeA, c.p1, c.edgeB, c.p2), c.ok);
        expectXY(out, c.out);
    }
}

TEST(DistanceToOutline, NearestEdgeNotItsLine) {
    struct Case {
        XYList outline;
        CPoint3d pt;
        double dist;
    } const cases[] = {
        {kOpenSquare, at(5, 5), 5},
        {kOpenSquare, at(5, -3), 3},
        {kOpenSquare, at(20, 0), 10},  // beyond the ends of the bottom edge
        {{{0, 0}, {10, 0}, {10, 10}}, at(0, 5), std::sqrt(12.5)},  // the closing edge counts
        {{{0, 0}, {10, 0}}, at(5, 5), 1e10},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(getDisFromPolyline(pts(c.outline), c.pt, 1e-6), c.dist, 1e-9);
    }
}
