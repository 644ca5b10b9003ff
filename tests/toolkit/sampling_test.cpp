// Sampling along polylines, lattices, arcs, circles, segment rectangles, wavy chains, triangles.
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/polylines.h>
#include <geo/sampling.h>

#include "support/point_lists.h"
#include "toolkit/pt_in_area_reference.h"
#include "toolkit/sampling_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using point_lists::plan;
using point_lists::Pts;

const Pts kSegment = plan({{0, 0}, {10, 0}});
const Pts kSquare = plan({{0, 0}, {10, 0}, {10, 10}, {0, 10}});

// ---- along polylines -----------------------------------------------------------------------

TEST(MeasurePolyline, StepsFromTheStartRoundingUpOnlyPastThreeTenths) {
    const struct {
        Pts pts;
        double step;
        Pts want;
    } cases[] = {
        {kSegment, 3, plan({{0, 0}, {3, 0}, {6, 0}, {9, 0}})},
        {kSegment, 4, plan({{0, 0}, {4, 0}, {8, 0}})},
        {kSegment, 5, plan({{0, 0}, {5, 0}})},
        {plan({{0, 0}, {4, 0}, {4, 4}}), 3, plan({{0, 0}, {3, 0}, {4, 2}})},   // round the corner
        {{CPoint3d(0, 0, 7), CPoint3d(10, 0, 7)}, 5, plan({{0, 0}, {5, 0}})},  // z becomes 0
    };
    for (const auto& c : cases) {
        Pts out = plan({{-1, -1}});  // appended to
        MeasurePolyline(c.pts, out, c.step);
        Pts want = plan({{-1, -1}});
        want.insert(want.end(), c.want.begin(), c.want.end());
        point_lists::expectPoints(out, want);
    }
}

// Sharing each segment's direction must not change a single point.
TEST(MeasurePolyline, SharedSegmentDirectionsMatchPolarPerPoint) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 200; ++round) {
        const Pts pts = reference::randomStar(rng, 3 + static_cast<int>(rng() % 40), 1e3, -5.0,
                                              50.0, round % 2 == 0 ? 1.0 : 0.0);
        const double step = 0.3 + 5.0 * unit(rng);
        Pts fast, literal;
        MeasurePolyline(pts, fast, step);
        reference::MeasurePolyline(pts, literal, step);
        SCOPED_TRACE(round);
        point_lists::expectIdentical(fast, literal);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(MeasurePolyline, KeepsEveryVertexInTheExtendedForm) {
    Pts out = plan({{-1, -1}});  // cleared
    MeasurePolylineEx(kSegment, out, 4);
    point_lists::expectPoints(out, plan({{0, 0}, {4, 0}, {8, 0}, {10, 0}}));
    MeasurePolylineEx(plan({{0, 0}, {3, 0}, {3, 2}}), out, 2);
    point_lists::expectPoints(out, plan({{0, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}}));
    // A length that is a whole number of steps ends with a division point and the last vertex.
    MeasurePolylineEx(plan({{0, 0}, {3, 0}, {3, 3}}), out, 2);
    point_lists::expectPoints(out, plan({{0, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 3}, {3, 3}}));
}

TEST(MeasurePolyline, EntitiesByTypeClosedWhereTheyAre) {
    Pts out;
    CPolygon square(kSquare, true);
    EXPECT_TRUE(MeasureGeometry(&square, 10, out));
    EXPECT_EQ(out.size(), 4u);  // the closing edge is measured
    CLineSeg seg(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0));
    EXPECT_TRUE(MeasureGeometry(&seg, 5, out));
    point_lists::expectPoints(out, plan({{0, 0}, {5, 0}}));
    CPolyline open(plan({{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_TRUE(MeasureGeometry(&open, 10, out));
    EXPECT_EQ(out.size(), 2u);
    CLine line(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0));
    EXPECT_FALSE(MeasureGeometry(&line, 1, out));
    EXPECT_FALSE(MeasureGeometry(nullptr, 1, out));
    EXPECT_TRUE(out.empty());
}

// Steps that would loop without end or exhaust memory, and non-finite input, give nothing.
TEST(MeasurePolyline, UnusableStepsGiveNothing) {
    for (double step : {0.0, -1.0, kNaN, kInf, 1e-12}) {
        Pts out = plan({{1, 1}});
        MeasurePolyline(kSegment, out, step);
        EXPECT_EQ(out.size(), 1u) << step;
        MeasurePolylineEx(kSegment, out, step);
        EXPECT_TRUE(out.empty()) << step;
        MesurePolygon(kSquare, out, step);
        EXPECT_TRUE(out.empty()) << step;
        int rows = 5, cols = 5;
        MesurePolygonWGF(kSquare, out, step, rows, cols);
        EXPECT_TRUE(out.empty() && rows == 0 && cols == 0) << step;
        Pts window = kSquare;
        EXPECT_FALSE(getWindowLatticePtArr(window, step, 1, out)) << step;
        EXPECT_TRUE(Circle(CPoint3d(), 1, step).empty()) << step;
    }
    Pts out;
    MeasurePolyline(plan({{0, 0}, {kInf, 0}}), out, 1);
    MeasurePolylineEx(plan({{0, 0}, {kNaN, 0}}), out, 1);
    for (const Pts& outline : {plan({{0, 0}, {10, 0}}), plan({{0, 0}, {10, 0}, {kNaN, 10}}),
                               plan({{0, 0}, {kInf, 0}, {0, 9}})}) {
        MesurePolygon(outline, out, 1);
    }
    EXPECT_TRUE(out.empty());
}

// ---- lattices ------------------------------------------------------------------------------

TEST(MesurePolygon, KeepsStrictlyInsideWorldAlignedLatticePoints) {
    Pts out = plan({{5, 5}, {50, 50}});  // earlier points are filtered too
    MesurePolygon(kSquare, out, 5);
    point_lists::expectPoints(out, plan({{5, 5}, {5, 5}}));

    int alongX = 0, alongY = 7;
    out.clear();
    MesurePolygon(plan({{-3, -3}, {12, -3}, {12, 7}, {-3, 7}}), out, 5, alongX, alongY);
    point_lists::expectPoints(out, plan({{0, 0}, {5, 0}, {10, 0}, {0, 5}, {5, 5}, {10, 5}}));
    EXPECT_EQ(alongX, 2);  // rows inside the box
    EXPECT_EQ(alongY, 3);  // columns inside the box

    int rows = -1, cols = -1;
    out.clear();
    MesurePolygonWGF(kSquare, out, 5, rows, cols);
    EXPECT_EQ(rows, 4);  // 5, 10, 15, 20: up to two steps past the box
    EXPECT_EQ(cols, 4);
    ASSERT_EQ(out.size(), 16u);
    point_lists::expectPoints({out[0], out[1], out[15]}, plan({{5, 5}, {10, 5}, {20, 20}}));
    MesurePolygonWGF(plan({{0, 0}, {1, 1}}), out, 5, rows, cols);
    EXPECT_EQ(rows + cols, 0);
}

// The row scan must give exactly what asking PtInArea for every lattice point gives: random
// outlines, some snapped to the lattice so that rows run through vertices and along edges.
TEST(MesurePolygon, RowScanMatchesThePointByPointRule) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 300; ++round) {
        const int n = 3 + static_cast<int>(rng() % 200);
        const double step = 1.5 + 2.0 * unit(rng);
        const double grid = round % 3 == 0 ? step : (round % 3 == 1 ? step / 2 : 0.0);
        const double cx = round % 4 == 0 ? 2e5 : -20.0;
        const Pts outline = reference::randomStar(rng, n, cx, 7.0, 60.0, grid);
        Pts fast = plan({{cx, 7}, {1e9, 0}}), literal = fast;
        MesurePolygon(outline, fast, step);
        reference::MesurePolygon(outline, literal, step);
        SCOPED_TRACE(round);
        point_lists::expectIdentical(fast, literal);
        if (HasFailure()) {
            return;
        }
    }
}

// ---- arcs, circles, rectangles -------------------------------------------------------------

TEST(GetChildArcPoints, SamplesTheArcOfTheGivenSweepRightOfTheChord) {
    Pts out = plan({{-1, -1}});
    GetChildArcPoints(CPoint3d(0, 0, 0), CPoint3d(2, 0, 0), 180.0, out);  // half circle below
    ASSERT_EQ(out.size(), 1u + 18u);                                      // pi / (pi / 18) points
    point_lists::expectPoints({out[1], out.back()}, plan({{0, 0}, {2, 0}}));
    for (size_t i = 1; i < out.size(); ++i) {
        EXPECT_NEAR(out[i].distanceTo(CPoint3d(1, 0, 0)), 1.0, 1e-9);
        EXPECT_LE(out[i].y, 1e-12);
    }
    // The fine form moves the middle of its own points to factor x the height.
    GetChildArcPoints(CPoint3d(0, 0, 0), CPoint3d(2, 0, 0), -180.0, 0.5, out);
    const size_t fine = out.size() - 19;
    EXPECT_EQ(fine, 144u);
    point_lists::expectPoints({out[19 + fine / 2]}, plan({{1, 0.5}}));
    EXPECT_EQ(out[0].x, -1.0);
    for (double angle : {0.0, 360.0 * 2, kNaN}) {
        Pts none;
        GetChildArcPoints(CPoint3d(0, 0, 0), CPoint3d(2, 0, 0), angle, 1.0, none);
        EXPECT_TRUE(none.empty()) << angle;
    }
    Pts none;
    GetChildArcPoints(CPoint3d(1, 1, 0), CPoint3d(1, 1, 0), 90.0, none);
    EXPECT_TRUE(none.empty());
}

TEST(Circle, RingFromAngleZeroRepeatingTheFirstPointWhenTheStepDivides) {
    const Pts ring = Circle(CPoint3d(1, 2, 3), 2, 90);
    ASSERT_EQ(ring.size(), 5u);
    point_lists::expectPoints(ring, {CPoint3d(3, 2, 3), CPoint3d(1, 4, 3), CPoint3d(-1, 2, 3),
                                     CPoint3d(1, 0, 3), CPoint3d(3, 2, 3)});
    EXPECT_EQ(Circle(CPoint3d(), 1, 100).size(), 4u);  // 0, 100, 200, 300
    EXPECT_TRUE(Circle(CPoint3d(), 1, 0.00005).empty());
}

TEST(GetCenterFromBulge, CentreLeftOfTheChordForPositiveBulge) {
    const struct {
        double bulge;
        CPoint3d want;
    } cases[] = {{1, CPoint3d(1, 0, 0)},
                 {-1, CPoint3d(1, 0, 0)},
                 {0.5, CPoint3d(1, 0.75, 0)},
                 {-0.5, CPoint3d(1, -0.75, 0)}};
    for (const auto& c : cases) {
        CPoint3d centre;
        ASSERT_TRUE(GetCenterFromBulge(CPoint3d(0, 0, 0), CPoint3d(2, 0, 0), c.bulge, centre));
        point_lists::expectPoints({centre}, {c.want});
    }
    CPoint3d untouched(9, 9, 9);
    for (const auto& [end, bulge] : {std::pair{0.0, 1.0}, {2.0, 1e-7}, {2.0, kNaN}, {kInf, 1.0}}) {
        EXPECT_FALSE(GetCenterFromBulge(CPoint3d(0, 0, 0), CPoint3d(end, 0, 0), bulge, untouched));
    }
    point_lists::expectPoints({untouched}, {CPoint3d(9, 9, 9)});
}

TEST(LineToRectPts, ClosedRingAroundTheSegment) {
    Pts out = plan({{-1, -1}});
    LineToRectPts(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), 2, out);
    point_lists::expectPoints(out, plan({{-1, -1}, {0, 1}, {10, 1}, {10, -1}, {0, -1}, {0, 1}}));
}

// ---- wavy chains ---------------------------------------------------------------------------

TEST(LineToArcPts, ChainsArcsOfTheChosenChordFromStartToEnd) {
    for (int mode : {0, 1}) {
        std::srand(17);
        Pts first;
        LineToArcPts(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), 4, first, mode);
        ASSERT_FALSE(first.empty());
        point_lists::expectPoints({first.front(), first.back()}, plan({{0, 0}, {10, 0}}));
        size_t onAxis = 0;  // arc ends: every chord's ends lie on the segment
        for (const CPoint3d& p : first) {
            onAxis += std::fabs(p.y) < 1e-9 ? 1 : 0;
        }
        EXPECT_EQ(onAxis, mode != 0 ? 10u : 20u);  // 5 chords of 2 or 10 of 1, two ends each
        std::srand(17);
        Pts again;
        LineToArcPts(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), 4, again, mode);
        point_lists::expectPoints(again, first, 0.0);  // the same seed gives the same chain
    }
    Pts wave;
    std::srand(3);
    LineToArcArcpts(CPoint3d(0, 0, 0), CPoint3d(0, 9, 0), 3, 90, wave);
    ASSERT_FALSE(wave.empty());
    point_lists::expectPoints({wave.front(), wave.back()}, plan({{0, 0}, {0, 9}}));
    for (double len : {0.0, -2.0, kNaN, kInf, 1e-9}) {
        Pts none;
        LineToArcPts(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), len, none, 1);
        LineToArcArcpts(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), len, 90, none);
        EXPECT_TRUE(none.empty()) << len;
    }
    // Ends differing only in height: the walk is bounded and still ends at the end point.
    LineToArcPts(CPoint3d(0, 0, 0), CPoint3d(0, 0, 10), 4, wave, 1);
    EXPECT_LE(wave.size(), 300u);
}

// ---- windows and triangles -----------------------------------------------------------------

TEST(getWindowLatticePtArr, ColumnsAlongTheSillRowsInward) {
    Pts window = plan({{0, 0}, {0, 3}, {4, 3}, {4, 0}});  // clockwise: reversed first
    Pts out = plan({{-1, -1}});
    ASSERT_TRUE(getWindowLatticePtArr(window, 1, 1, out));
    // Sill (0,0)-(4,0): columns 0..3, inside only at x 1..3, rows y 1..2.
    EXPECT_EQ(out.size(), 6u);
    for (const CPoint3d& p : out) {
        EXPECT_TRUE(p.x > 0 && p.x < 4 && p.y > 0 && p.y < 3);
    }
    Pts line = plan({{0, 0}, {1, 0}});
    EXPECT_FALSE(getWindowLatticePtArr(line, 1, 1, out));
    EXPECT_TRUE(out.empty());
}

// Total plan area of the triangles from index `from` on; each must have three corners at z.
double coveredArea(const std::vector<std::vector<AcGePoint3d>>& tris, size_t from, double z) {
    double area = 0.0;
    for (size_t i = from; i < tris.size(); ++i) {
        const auto& t = tris[i];
        EXPECT_TRUE(t.size() == 3 && t[0].z == z && t[2].z == z);
        area += 0.5 * std::fabs((t[1].x - t[0].x) * (t[2].y - t[0].y) -
                                (t[1].y - t[0].y) * (t[2].x - t[0].x));
    }
    return area;
}

TEST(divTringle, TrianglesCoverTheOutlinesLessTheHolesAtTheGivenHeight) {
    std::vector<AcGePoint3d> outer{AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0),
                                   AcGePoint3d(10, 10, 0), AcGePoint3d(0, 10, 0)};
    std::vector<std::vector<AcGePoint3d>> holes{
        {AcGePoint3d(2, 2, 0), AcGePoint3d(4, 2, 0), AcGePoint3d(4, 4, 0), AcGePoint3d(2, 4, 0)}};
    std::vector<std::vector<AcGePoint3d>> tris{{}};  // appended to
    divTringle(outer, holes, 5.0, tris);
    EXPECT_NEAR(coveredArea(tris, 1, 5.0), 96.0, 1e-9);

    std::vector<std::vector<AcGePoint3d>> outers{
        outer, {AcGePoint3d(20, 0, 0), AcGePoint3d(21, 0, 0), AcGePoint3d(21, 1, 0)}};
    std::vector<std::vector<AcGePoint3d>> none, twin;
    divTringle(outers, none, 0.0, twin);
    EXPECT_NEAR(coveredArea(twin, 0, 0.0), 100.5, 1e-9);
    outer[1].x = kNaN;
    twin.clear();
    divTringle(outer, holes, 0.0, twin);
    EXPECT_TRUE(twin.empty());
}

}  // namespace
