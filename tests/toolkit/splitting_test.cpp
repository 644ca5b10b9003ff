// Splitting and trimming of polylines, and cutting polygons by a segment.
#include <geo/measures.h>
#include <geo/splitting.h>

#include "foundation/numeric.h"
#include "support/plan_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace plan_test;

namespace {

// A U open at the top: two arms of width 1 on a base of height 1.
const XYList kU{{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}};

double totalArea(const std::vector<CPolygon>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), 0.0,
                           [](double s, const CPolygon& p) { return s + p.area(); });
}

}  // namespace

TEST(SplitAtCrossing, FirstCrossingOnlyAndNoDoubledVertex) {
    struct Case {
        XYList line;
        CPoint3d a, b;
        bool ok;
        XYList first, second;
    } const cases[] = {
        // Crossed twice: only the first crossing cuts.
        {kOpenSquare,
         at(5, -1),
         at(5, 1),
         true,
         {{0, 0}, {5, 0}},
         {{5, 0}, {10, 0}, {10, 10}, {0, 10}}},
        // Through an interior vertex: the vertex ends first and starts second, once each.
        {kElbow, at(9, -1), at(11, 1), true, {{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}},
        // Through the first vertex: first keeps one point.
        {kElbow, at(0, -1), at(0, 1), false, {{0, 0}}, {{0, 0}, {10, 0}, {10, 10}}},
        // A miss: second stays empty.
        {kElbow, at(-1, 0), at(-1, 1), false, {{0, 0}, {10, 0}}, {}},
        {{{0, 0}}, at(0, -1), at(0, 1), false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> first{at(7, 7)}, second{at(7, 7)};
        EXPECT_EQ(SplitPLineWithLine(pts(c.line), CLine(c.a, c.b), first, second), c.ok);
        expectXY(first, c.first);
        expectXY(second, c.second);
    }
    // A segment cutter must reach the polyline.
    std::vector<CPoint3d> first, second;
    EXPECT_FALSE(SplitPlineWithLineSeg(pts(kElbow), CLineSeg(at(5, 1), at(5, 2)), first, second));
    EXPECT_TRUE(SplitPlineWithLineSeg(pts(kElbow), CLineSeg(at(5, -1), at(5, 1)), first, second));
    expectXY(first, {{0, 0}, {5, 0}});
    expectXY(second, {{5, 0}, {10, 0}, {10, 10}});
}

TEST(PointSplit, CutsAtThePointAndRefusesEnds) {
    struct Case {
        CPoint3d pt;
        bool ok;
        XYList first, second;
    } const cases[] = {
        {at(5, 0), true, {{0, 0}, {5, 0}}, {{5, 0}, {10, 0}, {10, 10}}},
        {at(10, 0), true, {{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}},
        {at(0, 0), false, {}, {}},
        {at(10, 10), false, {}, {}},
        {at(5, 5), false, kElbow, {}},
        {at(kNaN, 0), false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> first, second;
        EXPECT_EQ(ptSpiltPolyline(c.pt, pts(kElbow), first, second, 1e-6), c.ok);
        expectXY(first, c.first);
        expectXY(second, c.second);
    }
}

TEST(SubPolylineByTwoPoints, KeepsThePolylinesOwnOrder) {
    struct Case {
        CPoint3d p1, p2;
        bool ok;
        XYList out;
    } const cases[] = {
        {at(5, 0), at(10, 5), true, {{5, 0}, {10, 0}, {10, 5}}},
        {at(10, 5), at(5, 0), true, {{5, 0}, {10, 0}, {10, 5}}},
        {at(8, 0), at(2, 0), true, {{2, 0}, {8, 0}}},      // one segment: nearer its start first
        {at(0, 0), at(10, 10), true, kElbow},              // from the first vertex to the last
        {at(10, 0), at(10, 5), true, {{10, 0}, {10, 5}}},  // a point at a vertex is not doubled
        // A second point off the polyline leaves the stretch from the first to the end.
        {at(5, 0), at(5, 5), true, {{5, 0}, {10, 0}, {10, 10}}},
        {at(5, 5), at(6, 6), false, {}},
        {at(kNaN, 0), at(5, 0), false, {}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> out;
        EXPECT_EQ(GetSubPLineBy2Pt(pts(kElbow), c.p1, c.p2, out, 1e-6), c.ok);
        expectXY(out, c.out);
    }
    // A point found at a vertex is followed by that vertex when the walk goes on past it.
    std::vector<CPoint3d> out;
    EXPECT_TRUE(GetSubPLineBy2Pt(pts(kOpenSquare), at(10, 0), at(5, 10), out, 1e-6));
    expectXY(out, {{10, 0}, {10, 0}, {10, 10}, {5, 10}});
}

TEST(ClosedRingSplit, ArcsSortedByLengthAndTiesGoLonger) {
    struct Case {
        std::vector<CPoint3d> ring;
        CPoint3d p1, p2;
        bool ok;
        XYList shorter, longer;
    } const cases[] = {
        {closedSquare(),
         at(5, 0),
         at(10, 5),
         true,
         {{5, 0}, {10, 0}, {10, 5}},
         {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {5, 0}}},
        // Equal lengths: the arc from p2 back to p1 is the longer one.
        {closedSquare(),
         at(5, 0),
         at(5, 10),
         true,
         {{5, 0}, {10, 0}, {10, 10}, {5, 10}},
         {{5, 10}, {0, 10}, {0, 0}, {5, 0}}},
        {pts(kOpenSquare), at(5, 0), at(5, 10), false, {}, {}},
        {closedSquare(), at(5, 0), at(5, 0), false, {}, {}},
        {closedSquare(), at(5, 5), at(5, 10), false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<CPoint3d> shorter, longer;
        EXPECT_EQ(SplitClosedPlineBy2pt(c.ring, c.p1, c.p2, shorter, longer, 1e-6), c.ok);
        expectXY(shorter, c.shorter);
        expectXY(longer, c.longer);
    }
}

TEST(TrimWithLine, KeepsRunsLeftOfOrOnTheLine) {
    std::vector<CPolyline> pls{CPolyline(pts({{0, 5}, {4, -3}})),
                               CPolyline(pts({{0, -1}, {5, -2}})),  // wholly right: dropped
                               CPolyline(pts({{1, 0}, {3, 0}})),    // on the line: kept
                               CPolyline(pts({{0, 1}, {2, -1}, {4, 1}}))};
    TrimPLWithLine(CLine(at(0, 0), at(10, 0)), pls);
    ASSERT_EQ(pls.size(), 4u);
    expectXY(pls[0].getPoints(), {{0, 5}, {2.5, 0}});
    expectXY(pls[1].getPoints(), {{1, 0}, {3, 0}});
    expectXY(pls[2].getPoints(), {{0, 1}, {1, 0}});
    expectXY(pls[3].getPoints(), {{3, 0}, {4, 1}});
}

TEST(PolygonCut, SquareHalvesNormalisedAndMissLeavesPiecesAlone) {
    CPolygon square(pts(kOpenSquare), false);
    CLineSeg cutter(at(5, -1), at(5, 11));
    std::vector<CPolygon> pieces;
    EXPECT_EQ(LineSegSplitPolyGon(&cutter, &square, pieces), 1);
    ASSERT_EQ(pieces.size(), 2u);
    for (const CPolygon& piece : pieces) {
        EXPECT_NEAR(piece.area(), 50.0, 1e-9);
        EXPECT_FALSE(PolyIsClockWise(piece.getPoints()));
    }
    std::vector<CPolygon> twoParts;
    EXPECT_EQ(LineSegSplitPolyGonTo2Part(&cutter, &square, twoParts), 1);
    ASSERT_EQ(twoParts.size(), 2u);
    EXPECT_EQ(twoParts[0].getPoints(), pieces[0].getPoints());
    EXPECT_EQ(twoParts[1].getPoints(), pieces[1].getPoints());

    CLineSeg miss(at(20, -1), at(20, 11));
    EXPECT_EQ(LineSegSplitPolyGon(&miss, &square, pieces), 0);
    EXPECT_EQ(pieces.size(), 2u);
    EXPECT_EQ(LineSegSplitPolyGonTo2Part(&miss, &square, pieces), 0);
    EXPECT_EQ(pieces.size(), 2u);
}

// More than two crossings: cutting between consecutive crossings once lost the U's base.
TEST(PolygonCut, ManyCrossingsKeepEveryPiece) {
    CPolygon u(pts(kU), true);
    CLineSeg cutter(at(-1, 2), at(4, 2));
    std::vector<CPolygon> pieces, twoParts;
    EXPECT_EQ(LineSegSplitPolyGon(&cutter, &u, pieces), 1);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_NEAR(totalArea(pieces), u.area(), 1e-9);
    EXPECT_EQ(LineSegSplitPolyGonTo2Part(&cutter, &u, twoParts), 1);
    ASSERT_EQ(twoParts.size(), pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(twoParts[i].getPoints(), pieces[i].getPoints());
    }
    // The polygon may itself be an element of the output list.
    std::vector<CPolygon> inPlace{u};
    EXPECT_EQ(LineSegSplitPolyGon(&cutter, &inPlace[0], inPlace), 1);
    EXPECT_NEAR(totalArea(inPlace), u.area(), 1e-9);
}

TEST(PolygonCut, BadInputGivesZero) {
    CPolygon square(pts(kOpenSquare), false), empty;
    CPolygon nanGon(pts({{0, 0}, {kNaN, 0}, {10, 10}, {0, 10}}), false);
    CLineSeg cutter(at(5, -1), at(5, 11)), nanCutter(at(kNaN, -1), at(5, 11));
    for (auto* split : {&LineSegSplitPolyGon, &LineSegSplitPolyGonTo2Part}) {
        std::vector<CPolygon> pieces;
        EXPECT_EQ(split(nullptr, &square, pieces), 0);
        EXPECT_EQ(split(&cutter, nullptr, pieces), 0);
        EXPECT_EQ(split(&nanCutter, &square, pieces), 0);
        EXPECT_EQ(split(&cutter, &nanGon, pieces), 0);
        EXPECT_EQ(split(&cutter, &empty, pieces), 0);
        EXPECT_TRUE(pieces.empty());
    }
}

namespace {

// A comb: a base 1 high under `teeth` teeth 1 wide and 2 high, 1 apart.
std::vector<CPoint3d> comb(int teeth) {
    std::vector<CPoint3d> out{at(0, 0), at(2.0 * teeth - 1, 0)};
    for (int t = teeth - 1; t >= 0; --t) {
        out.push_back(at(2.0 * t + 1, 3));
        out.push_back(at(2.0 * t, 3));
        if (t > 0) {
            out.push_back(at(2.0 * t, 1));
            out.push_back(at(2.0 * t - 1, 1));
        }
    }
    return out;
}

}  // namespace

TEST(PolygonCut, ManyVerticesOrCrossingsKeepTheArea) {
    std::vector<CPoint3d> round;  // vertices 0.06 apart: more than normalisation merges
    const double turn = 2e-5 * geo_detail::kPi;
    for (int i = 0; i < 100000; ++i) {
        round.push_back(at(1000 * std::cos(i * turn), 1000 * std::sin(i * turn)));
    }
    CPolygon disc(round, false);
    CLineSeg diameter(at(-2000, 0.1), at(2000, 0.1));
    std::vector<CPolygon> halves;
    EXPECT_EQ(LineSegSplitPolyGon(&diameter, &disc, halves), 1);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_NEAR(totalArea(halves), disc.area(), 1e-9 * disc.area());

    for (int teeth : {2, 50, 300}) {
        CPolygon gon(comb(teeth), true);
        CLineSeg cutter(at(-1, 2), at(2.0 * teeth + 1, 2));
        std::vector<CPolygon> pieces, twoParts;
        EXPECT_EQ(LineSegSplitPolyGon(&cutter, &gon, pieces), 1);
        EXPECT_EQ(pieces.size(), static_cast<size_t>(teeth) + 1);
        EXPECT_NEAR(totalArea(pieces), gon.area(), 1e-6);
        EXPECT_EQ(LineSegSplitPolyGonTo2Part(&cutter, &gon, twoParts), 1);
        EXPECT_EQ(twoParts.size(), pieces.size());
    }
}
