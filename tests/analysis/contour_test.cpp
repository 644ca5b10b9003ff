// Contour generator: smoothing, levels, start passes, tracing, joining, removal and bad input.
#include <geo/contour.h>
#include <geo/float_comp.h>
#include <geo/mfc/exceptions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <vector>

using Grid = std::vector<std::vector<double>>;

// Reaches the generator's private state and operations.
struct ContourGeneratorTestAccess {
    static Grid& grid(CContourGenerator& g) { return g.grid; }
    static double minZ(const CContourGenerator& g) { return g.minZ; }
    static double maxZ(const CContourGenerator& g) { return g.maxZ; }
    static void prepareFlags(CContourGenerator& g) {
        g.hFlags.assign(g.rows, std::vector<BYTE>(g.cols - 1, 0));
        g.vFlags.assign(g.rows - 1, std::vector<BYTE>(g.cols, 0));
    }
    static BYTE& hFlag(CContourGenerator& g, int r, int c) { return g.hFlags[r][c]; }
    static BYTE& vFlag(CContourGenerator& g, int r, int c) { return g.vFlags[r][c]; }
    static temple recruScan(CContourGenerator& g, CContourLine* line, temple t, double v) {
        return g.RecruScan(line, t, v, g.grid);
    }
    static void addLine(CContourGenerator& g, CContourLine* line) { g.lines.Add(line); }
    static void integration(CContourGenerator& g, int n) { g.Integration(n); }
    static void removeErrorLine(CContourGenerator& g) { g.removeErrorLine(); }
};
using Access = ContourGeneratorTestAccess;

namespace {

// A generator over `values` (values[r][c]) with nodes at base + (c, r) * step.
void Load(CContourGenerator& gen, const Grid& values, AcGePoint2d base = {0, 0},
          AcGePoint2d step = {1, 1}, double interval = 1.0) {
    const int rows = static_cast<int>(values.size());
    const int cols = static_cast<int>(values[0].size());
    gen.setParam(base, step, rows - 1, cols - 1, interval);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            gen.setZ(AcGePoint3d(base.x + c * step.x, base.y + r * step.y, values[r][c]));
        }
    }
}

// One in-place pass of the 3x3 binomial filter, written out independently.
Grid Smoothed(Grid g) {
    const int rows = static_cast<int>(g.size());
    const int cols = static_cast<int>(g[0].size());
    for (int r = 1; r + 1 < rows; ++r) {
        for (int c = 1; c + 1 < cols; ++c) {
            const double cross = g[r - 1][c] + g[r][c - 1] + g[r][c + 1] + g[r + 1][c];
            g[r][c] = (4 * g[r][c] + 2 * cross + g[r - 1][c - 1] + g[r - 1][c + 1] +
                       g[r + 1][c - 1] + g[r + 1][c + 1]) *
                      0.0625;
        }
    }
    return g;
}

std::vector<AcGePoint2d> Points(const CContourLine* line) {
    std::vector<AcGePoint2d> out;
    for (INT_PTR i = 0; i < line->pts.GetSize(); ++i) {
        out.push_back(line->pts[i]);
    }
    return out;
}

CContourLine* MakeLine(double elev, const std::vector<AcGePoint2d>& pts) {
    auto* line = new CContourLine;
    line->elev = elev;
    for (const AcGePoint2d& p : pts) {
        line->pts.Add(p);
    }
    return line;
}

// Whether p lies on a grid edge (unit grid from the origin) at the level's interpolated place.
bool OnEdgeAtLevel(const AcGePoint2d& p, const Grid& g, double level) {
    const double kTol = 1e-9;
    const int rows = static_cast<int>(g.size());
    const int cols = static_cast<int>(g[0].size());
    const double ry = std::round(p.y);
    if (std::fabs(p.y - ry) < kTol && ry >= 0 && ry < rows) {
        const int r = static_cast<int>(ry);
        const int c = std::min(static_cast<int>(std::floor(p.x)), cols - 2);
        if (c >= 0) {
            const double x = c + (level - g[r][c]) / (g[r][c + 1] - g[r][c]);
            if (std::fabs(x - p.x) < kTol) {
                return true;
            }
        }
    }
    const double rx = std::round(p.x);
    if (std::fabs(p.x - rx) < kTol && rx >= 0 && rx < cols) {
        const int c = static_cast<int>(rx);
        const int r = std::min(static_cast<int>(std::floor(p.y)), rows - 2);
        if (r >= 0) {
            const double y = r + (level - g[r][c]) / (g[r + 1][c] - g[r][c]);
            if (std::fabs(y - p.y) < kTol) {
                return true;
            }
        }
    }
    return false;
}

// A round hill of the given height at the middle of an n x n grid.
Grid Hill(int n, double height, double radius) {
    Grid g(n, std::vector<double>(n));
    const double mid = (n - 1) / 2.0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const double d2 = (r - mid) * (r - mid) + (c - mid) * (c - mid);
            g[r][c] = height * std::exp(-d2 / (radius * radius));
        }
    }
    return g;
}

using P = AcGePoint2d;

bool SamePoint(const AcGePoint2d& a, const AcGePoint2d& b) {
    return a.x == b.x && a.y == b.y;
}

}  // namespace

// ---- grid set-up and samples ----

TEST(ContourSetup, SamplesMapByAbsoluteDistanceAndExtremesTakeEveryAcceptedValue) {
    CContourGenerator gen;
    gen.setParam(AcGePoint2d(10, 20), AcGePoint2d(2, 5), 3, 4, 1.0);
    gen.setZ(AcGePoint3d(14, 30, 7.0));          // row 2, column 2
    gen.setZ(AcGePoint3d(6, 10, -3.0));          // mirrored: row 2, column 2 again (overwrites)
    gen.setZ(AcGePoint3d(13.9999999, 20, 1.5));  // biased onto column 2
    gen.setZ(AcGePoint3d(40, 20, 99.0));         // column 15: outside, ignored
    gen.setZ(AcGePoint3d(10, 45, 99.0));         // row 5: outside, ignored
    const Grid& g = Access::grid(gen);
    ASSERT_EQ(g.size(), 4u);
    ASSERT_EQ(g[0].size(), 5u);
    EXPECT_EQ(g[2][2], -3.0);
    EXPECT_EQ(g[0][2], 1.5);
    EXPECT_EQ(g[1][1], 0.0);
    EXPECT_EQ(Access::maxZ(gen), 7.0);
    EXPECT_EQ(Access::minZ(gen), -3.0);
}

TEST(ContourSetup, NonFiniteSamplesAreIgnored) {
    CContourGenerator gen;
    gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 2, 2, 1.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    gen.setZ(AcGePoint3d(1, 1, nan));
    gen.setZ(AcGePoint3d(nan, 1, 5.0));
    gen.setZ(AcGePoint3d(1, inf, 5.0));
    EXPECT_TRUE(Access::grid(gen).empty());
    gen.setZ(AcGePoint3d(1, 1, 2.0));
    gen.setZ(AcGePoint3d(0, 0, -inf));
    EXPECT_EQ(Access::minZ(gen), 2.0);
    EXPECT_EQ(Access::maxZ(gen), 2.0);
    EXPECT_EQ(Access::grid(gen)[0][0], 0.0);
}

TEST(ContourSetup, NewCountsDiscardTheGridSameCountsKeepIt) {
    CContourGenerator gen;
    Load(gen, Hill(5, 10, 1.5));
    gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 4, 4, 2.0);  // same counts
    EXPECT_EQ(Access::grid(gen).size(), 5u);
    gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 6, 4, 2.0);
    EXPECT_TRUE(Access::grid(gen).empty());
    gen.setZ(AcGePoint3d(0, 6, 1.0));
    ASSERT_EQ(Access::grid(gen).size(), 7u);
    EXPECT_EQ(Access::grid(gen)[6][0], 1.0);
}

TEST(ContourSetup, LineIndexOutsideRaisesInvalidArgument) {
    CContourGenerator gen;
    Load(gen, Hill(9, 10, 2.5));
    gen.caluElev(5.0);
    ASSERT_EQ(gen.lineSize(), 1);
    EXPECT_NE(gen.at(0), nullptr);
    for (int bad : {-1, 1, 1000}) {
        try {
            gen.at(bad);
            ADD_FAILURE() << "no exception for index " << bad;
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    }
    EXPECT_EQ(gen.lineSize(), 1);
}

// ---- smoothing ----

TEST(ContourSmoothing, InPlaceFilterAccumulatesOverRunsAndLeavesTheBorder) {
    Grid values = Hill(6, 8, 1.7);
    values[2][3] += 3.0;
    CContourGenerator gen;
    Load(gen, values);
    gen.caluElev(100.0);  // above everything: no nudge
    const Grid once = Smoothed(values);
    EXPECT_EQ(Access::grid(gen), once);
    // The in-place order matters: a filter of an untouched copy gives another centre value.
    EXPECT_NE(once[2][2],
              (4 * values[2][2] + 2 * (values[1][2] + values[2][1] + values[2][3] + values[3][2]) +
               values[1][1] + values[1][3] + values[3][1] + values[3][3]) *
                  0.0625);
    gen.caluElev(100.0);
    EXPECT_EQ(Access::grid(gen), Smoothed(once));
    EXPECT_EQ(Access::grid(gen)[0], values[0]);
    EXPECT_EQ(Access::grid(gen)[5][4], values[5][4]);
}

// ---- levels ----

TEST(ContourLevels, ExeCaluTracesFromRoundedMinimumPlusIntervalBelowMaximum) {
    // A ramp along x from 3.7 to 10: the filter keeps it, every level gives one line.
    const int n = 8;
    Grid g(n, std::vector<double>(n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            g[r][c] = 3.7 + c * (6.3 / (n - 1));
        }
        g[r][n - 1] = 10.0;
    }
    CContourGenerator gen;
    Load(gen, g, {0, 0}, {1, 1}, 2.0);
    gen.exeCalu();
    std::multiset<double> levels;
    for (int i = 0; i < gen.lineSize(); ++i) {
        levels.insert(gen.at(i)->elev);
    }
    EXPECT_EQ(levels, (std::multiset<double>{6.0, 8.0}));
    for (int i = 0; i < gen.lineSize(); ++i) {
        const CContourLine* line = gen.at(i);
        EXPECT_EQ(line->pts.GetSize(), n);
        for (const AcGePoint2d& p : Points(line)) {
            EXPECT_TRUE(OnEdgeAtLevel(p, Access::grid(gen), line->elev)) << p.x << "," << p.y;
        }
    }
}

TEST(ContourLevels, LevelOnNodeValuesIsNudgedAndTheNudgeStays) {
    // Column 2 holds exactly the level; the ramp survives the filter unchanged.
    Grid g(5, std::vector<double>{0, 1, 2, 3, 4});
    CContourGenerator gen;
    Load(gen, g);
    gen.caluElev(2.0);
    ASSERT_EQ(gen.lineSize(), 1);
    const CContourLine* line = gen.at(0);
    EXPECT_EQ(line->elev, 2.0);
    const double x = 1.0 + 1.0 / (2.0 + 2e-6 - 1.0);
    ASSERT_EQ(line->pts.GetSize(), 5);
    for (int r = 0; r < 5; ++r) {
        EXPECT_NEAR(line->pts[r].x, x, 1e-12);
        EXPECT_LT(line->pts[r].x, 2.0);
        EXPECT_EQ(line->pts[r].y, r);  // bottom border to top border, row by row
    }
    for (int r = 0; r < 5; ++r) {
        EXPECT_DOUBLE_EQ(Access::grid(gen)[r][2], 2.0 + 2e-6);
    }
}

// ---- start passes and tracing ----

TEST(ContourTracing, SingleHillIsFoundInsideAndClosed) {
    const Grid values = Hill(9, 10, 2.5);
    CContourGenerator gen;
    Load(gen, values);
    gen.caluElev(5.0);
    ASSERT_EQ(gen.lineSize(), 1);
    const std::vector<AcGePoint2d> pts = Points(gen.at(0));
    const Grid& g = Access::grid(gen);
    ASSERT_GT(pts.size(), 4u);
    EXPECT_TRUE(SamePoint(pts.front(), pts.back()));
    EXPECT_FALSE(SamePoint(pts[pts.size() - 2], pts.back()));  // a lone line is not closed twice
    // The start is the first crossed horizontal edge of the interior rows, in row order.
    bool found = false;
    for (int r = 1; r < 8 && !found; ++r) {
        for (int c = 0; c < 8 && !found; ++c) {
            if ((5.0 - g[r][c]) * (5.0 - g[r][c + 1]) < 0) {
                EXPECT_EQ(pts.front().y, r);
                EXPECT_NEAR(pts.front().x, c + (5.0 - g[r][c]) / (g[r][c + 1] - g[r][c]), 1e-12);
                found = true;
            }
        }
    }
    EXPECT_TRUE(found);
    for (const AcGePoint2d& p : pts) {
        EXPECT_TRUE(OnEdgeAtLevel(p, g, 5.0));
    }
}

TEST(ContourTracing, HillFollowedByAnotherLineOfItsLevelIsClosedOnceMore) {
    // Two hills side by side: both closed by the interior pass; joining visits the longer one
    // (first in the ordering) and appends its first point again; the last line is left alone.
    Grid values(9, std::vector<double>(19));
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 19; ++c) {
            const double d1 = (r - 4) * (r - 4) + (c - 5) * (c - 5);
            const double d2 = (r - 4) * (r - 4) + (c - 13) * (c - 13);
            values[r][c] = 14 * std::exp(-d1 / 6.25) + 10 * std::exp(-d2 / 6.25);
        }
    }
    CContourGenerator gen;
    Load(gen, values);
    gen.caluElev(5.0);
    ASSERT_EQ(gen.lineSize(), 2);
    const std::vector<AcGePoint2d> big = Points(gen.at(0));
    const std::vector<AcGePoint2d> small = Points(gen.at(1));
    ASSERT_GT(big.size(), small.size());
    EXPECT_LT(big.front().x, 9.0);  // the higher hill, on the left
    const size_t n = big.size();
    EXPECT_TRUE(SamePoint(big[n - 1], big.front()));
    EXPECT_TRUE(SamePoint(big[n - 2], big.front()));
    EXPECT_FALSE(SamePoint(big[n - 3], big.front()));
    EXPECT_TRUE(SamePoint(small.back(), small.front()));
    EXPECT_FALSE(SamePoint(small[small.size() - 2], small.front()));
}

TEST(ContourTracing, LineLeavesThroughTwoBordersOpen) {
    // A plane rising along the diagonal (the filter keeps it): the level r + c = 3.5 runs from
    // the bottom border to the left border, one crossing per edge.
    const int n = 7;
    Grid values(n, std::vector<double>(n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            values[r][c] = 2.0 * (r + c);
        }
    }
    CContourGenerator gen;
    Load(gen, values);
    gen.caluElev(7.0);
    ASSERT_EQ(gen.lineSize(), 1);
    const std::vector<AcGePoint2d> pts = Points(gen.at(0));
    const Grid& g = Access::grid(gen);
    const std::vector<AcGePoint2d> want = {P(3.5, 0), P(3, 0.5), P(2.5, 1), P(2, 1.5),
                                           P(1.5, 2), P(1, 2.5), P(0.5, 3), P(0, 3.5)};
    ASSERT_EQ(pts.size(), want.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_TRUE(SamePoint(pts[i], want[i])) << i;
    }
    for (const AcGePoint2d& p : pts) {
        EXPECT_TRUE(OnEdgeAtLevel(p, g, 7.0));
    }
}

TEST(ContourTracing, RandomTerrainPointsLieOnEdgesAtTheirLevel) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(0.0, 10.0);
    for (int trial = 0; trial < 20; ++trial) {
        const int rows = 6 + trial % 7;
        const int cols = 5 + trial % 5;
        Grid values(rows, std::vector<double>(cols));
        for (auto& row : values) {
            for (double& v : row) {
                v = u(rng);
            }
        }
        CContourGenerator gen;
        Load(gen, values);
        gen.caluElev(5.0);
        const Grid& g = Access::grid(gen);
        for (int i = 0; i < gen.lineSize(); ++i) {
            const CContourLine* line = gen.at(i);
            EXPECT_GT(line->pts.GetSize(), 3);
            for (const AcGePoint2d& p : Points(line)) {
                EXPECT_TRUE(OnEdgeAtLevel(p, g, line->elev)) << trial << ": " << p.x << "," << p.y;
            }
        }
    }
}

class ContourStep : public ::testing::Test {
protected:
    // A 3 x 4 node grid; the current edge is horizontal (1, 1), the level 5.
    void SetUp() override {
        Load(gen, Grid(3, std::vector<double>(4, 0.0)));
        Access::prepareFlags(gen);
        line = MakeLine(5.0, {AcGePoint2d(1.5, 1.0)});
    }
    void TearDown() override { delete line; }
    void Set(int r, int c, double v) { Access::grid(gen)[r][c] = v; }

    CContourGenerator gen;
    CContourLine* line = nullptr;
};

TEST_F(ContourStep, SideEdgesArePreferredOverNearerFacingEdgesAndAllCrossedAreFlagged) {
    // From (1.5, 1): facing edges H(0,1) and H(2,1) cross at distance 1; side edges V(0,1) and
    // V(0,2) cross near y = 0, at distance 1.1 each.
    Set(0, 1, 4.9);
    Set(0, 2, 5.1);
    Set(1, 1, 10);
    Set(2, 1, 10);
    const temple next = Access::recruScan(gen, line, {1, 1, 1}, 5.0);
    EXPECT_EQ(next.edge, 2);  // candidate 0, V(0,1), ties with candidate 2 and keeps its place
    EXPECT_EQ(next.row, 0);
    EXPECT_EQ(next.col, 1);
    EXPECT_EQ(Access::hFlag(gen, 0, 1), 1);  // crossed candidates are flagged though not chosen
    EXPECT_EQ(Access::hFlag(gen, 2, 1), 1);
    EXPECT_EQ(Access::vFlag(gen, 0, 1), 1);
    EXPECT_EQ(Access::vFlag(gen, 0, 2), 1);
    EXPECT_EQ(Access::vFlag(gen, 1, 1), 0);  // not crossed
}

TEST_F(ContourStep, EqualDistancesKeepTheLowerCandidate) {
    // Candidates 3 V(1,2) and 5 V(1,1) cross at the same distance from (1.5, 1).
    Set(2, 1, 10);
    Set(2, 2, 10);
    const temple next = Access::recruScan(gen, line, {1, 1, 1}, 5.0);
    EXPECT_EQ(next.edge, 2);
    EXPECT_EQ(next.row, 1);
    EXPECT_EQ(next.col, 2);  // candidate 3 beats candidate 5
}

TEST_F(ContourStep, FacingEdgeIsTakenOnlyWhenNoSideEdgeIsCrossedAndFlaggedEdgesEndTheTrace) {
    Set(0, 0, 10);  // crosses H(0,0), V(0,0): neither is a candidate of H(1,1)
    Set(2, 2, 10);  // crosses H(2,1) (facing, candidate 4), H(2,2), V(1,2) (candidate 3)
    Access::vFlag(gen, 1, 2) = 1;  // side edge already used
    const temple next = Access::recruScan(gen, line, {1, 1, 1}, 5.0);
    EXPECT_EQ(next.edge, 1);
    EXPECT_EQ(next.row, 2);
    EXPECT_EQ(next.col, 1);
    const temple end = Access::recruScan(gen, line, {1, 1, 1}, 5.0);
    EXPECT_EQ(end.edge, 0);
    EXPECT_EQ(end.row, 1);
    EXPECT_EQ(end.col, 1);
}

// ---- joining ----

class ContourJoin : public ::testing::Test {
protected:
    void SetUp() override { gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 20, 20, 1.0); }
    std::vector<AcGePoint2d> Line(int i) { return Points(gen.at(i)); }
    CContourGenerator gen;
};

TEST_F(ContourJoin, EachOrientationJoinsAsOrdered) {
    const std::vector<P> a = {P(0, 0), P(1, 0), P(2, 0), P(3, 0)};
    struct Case {
        std::vector<P> b;
        std::vector<P> joined;
    } cases[] = {
        {{P(4, 0), P(5, 0), P(6, 0)},  // a.last - b.first
         {P(0, 0), P(1, 0), P(2, 0), P(3, 0), P(4, 0), P(5, 0), P(6, 0)}},
        {{P(6, 0), P(5, 0), P(4, 0)},  // a.last - b.last: b reversed after a
         {P(0, 0), P(1, 0), P(2, 0), P(3, 0), P(4, 0), P(5, 0), P(6, 0)}},
        {{P(-1, 0), P(-2, 0), P(-3, 0)},  // a.first - b.first: b reversed before a
         {P(-3, 0), P(-2, 0), P(-1, 0), P(0, 0), P(1, 0), P(2, 0), P(3, 0)}},
        {{P(-3, 0), P(-2, 0), P(-1, 0)},  // a.first - b.last: b in order before a
         {P(-3, 0), P(-2, 0), P(-1, 0), P(0, 0), P(1, 0), P(2, 0), P(3, 0)}},
    };
    for (const Case& c : cases) {
        CContourGenerator g;
        g.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 20, 20, 1.0);
        Access::addLine(g, MakeLine(1, c.b));  // shorter first: ordering puts a in front
        Access::addLine(g, MakeLine(1, a));
        Access::integration(g, 2);
        ASSERT_EQ(g.lineSize(), 1);
        const std::vector<P> got = Points(g.at(0));
        ASSERT_EQ(got.size(), c.joined.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(SamePoint(got[i], c.joined[i])) << i;
        }
    }
}

TEST_F(ContourJoin, OrderingIsMostPointsFirstAndOnlyThisLevelsLinesTakePart) {
    Access::addLine(gen, MakeLine(0, {P(0, 14.5), P(0, 16)}));  // earlier level: untouched
    Access::addLine(gen, MakeLine(1, {P(10, 10), P(10, 11)}));
    Access::addLine(gen, MakeLine(1, {P(0, 10), P(0, 11), P(0, 12), P(0, 13)}));
    Access::addLine(gen, MakeLine(1, {P(20, 10), P(20, 12), P(20, 14)}));
    Access::integration(gen, 3);
    ASSERT_EQ(gen.lineSize(), 4);
    EXPECT_EQ(gen.at(0)->elev, 0.0);
    EXPECT_EQ(gen.at(0)->pts.GetSize(), 2);
    EXPECT_EQ(gen.at(1)->pts.GetSize(), 4);
    EXPECT_EQ(gen.at(2)->pts.GetSize(), 3);
    EXPECT_EQ(gen.at(3)->pts.GetSize(), 2);
}

TEST_F(ContourJoin, ClosingStepAddsTheFirstPointEvenToClosedLines) {
    // A closed ring followed by a far fragment: the ring is visited as A and gets its first
    // point once more; the fragment, last in the array, is never closed.
    const std::vector<P> ring = {P(5, 5), P(6, 5), P(6, 6), P(5, 6), P(5, 5)};
    Access::addLine(gen, MakeLine(1, ring));
    Access::addLine(gen, MakeLine(1, {P(15, 15), P(15, 16), P(15.5, 15)}));
    Access::integration(gen, 2);
    ASSERT_EQ(gen.lineSize(), 2);
    EXPECT_EQ(gen.at(0)->pts.GetSize(), 6);
    EXPECT_TRUE(SamePoint(gen.at(0)->pts[5], P(5, 5)));
    EXPECT_EQ(gen.at(1)->pts.GetSize(), 3);
}

TEST_F(ContourJoin, JoinedLineNearlyClosedIsClosedThenStopsJoining) {
    // Two halves of a ring: joined, closed by the closing step, then closed once more on the
    // revisit; a third fragment near the ring's start is not joined to a closed line.
    Access::addLine(gen, MakeLine(1, {P(0, 5), P(2, 5), P(4, 5), P(6, 5), P(6, 7)}));
    Access::addLine(gen, MakeLine(1, {P(6, 8), P(4, 9), P(2, 9), P(0, 7)}));
    Access::addLine(gen, MakeLine(1, {P(0, 4), P(0, 3)}));
    Access::integration(gen, 3);
    ASSERT_EQ(gen.lineSize(), 2);
    const std::vector<P> got = Points(gen.at(0));
    const std::vector<P> want = {P(0, 5), P(2, 5), P(4, 5), P(6, 5), P(6, 7), P(6, 8),
                                 P(4, 9), P(2, 9), P(0, 7), P(0, 5), P(0, 5)};
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_TRUE(SamePoint(got[i], want[i])) << i;
    }
    EXPECT_EQ(gen.at(1)->pts.GetSize(), 2);
}

TEST_F(ContourJoin, ClosedAndOnePointFragmentsAreNotJoined) {
    Access::addLine(gen, MakeLine(1, {P(0, 0), P(1, 0), P(2, 0), P(3, 0), P(4, 0)}));
    Access::addLine(gen, MakeLine(1, {P(5, 0), P(5, 1), P(6, 1), P(5, 0)}));  // closed
    Access::addLine(gen, MakeLine(1, {P(-1, 0)}));                            // one point
    Access::integration(gen, 3);
    EXPECT_EQ(gen.lineSize(), 3);
    EXPECT_EQ(gen.at(0)->pts.GetSize(), 5);
}

// ---- removal ----

TEST(ContourRemoval, ErrorLinesAreShortOrOpenWithBothEndsInside) {
    CContourGenerator gen;
    gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 10, 10, 1.0);          // inner box (0, 9)
    Access::addLine(gen, MakeLine(1, {P(1, 1), P(2, 1), P(3, 2), P(4, 4)}));  // inside, open: drop
    Access::addLine(gen, MakeLine(1, {P(1, 1), P(2, 1), P(3, 2), P(1, 4)}));  // same x: keep
    Access::addLine(gen, MakeLine(1, {P(0, 1), P(2, 1), P(3, 2), P(4, 4)}));  // on box edge: keep
    Access::addLine(gen, MakeLine(1, {P(1, 1), P(2, 1), P(3, 2)}));           // short: drop
    Access::addLine(gen, MakeLine(1, {P(1, 1), P(2, 1), P(3, 2), P(9, 8)}));  // x = 9: keep
    Access::removeErrorLine(gen);
    ASSERT_EQ(gen.lineSize(), 3);
    EXPECT_EQ(gen.at(0)->pts[3].x, 1.0);
    EXPECT_EQ(gen.at(1)->pts[0].x, 0.0);
    EXPECT_EQ(gen.at(2)->pts[3].x, 9.0);
}

// ---- input the generator refuses ----

TEST(ContourBadInput, RunsWithoutAUsableGridGiveNoLines) {
    {
        CContourGenerator gen;  // no setParam, no samples
        gen.exeCalu();
        gen.caluElev(1.0);
        EXPECT_EQ(gen.lineSize(), 0);
    }
    for (auto counts :
         {std::pair<int, int>{0, 5}, {5, 0}, {-3, 4}, {std::numeric_limits<int>::max(), 2}}) {
        CContourGenerator gen;
        gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), counts.first, counts.second, 1.0);
        for (int i = 0; i < 9; ++i) {
            gen.setZ(AcGePoint3d(0, i, i));
        }
        gen.exeCalu();
        EXPECT_EQ(gen.lineSize(), 0);
        gen.caluElev(3.5);
        EXPECT_EQ(gen.lineSize(), 0);
    }
    {
        CContourGenerator gen;
        gen.setParam(AcGePoint2d(0, 0), AcGePoint2d(1, 1), 8, 8, 1.0);  // no samples
        gen.caluElev(1.0);
        EXPECT_EQ(gen.lineSize(), 0);
    }
}

TEST(ContourBadInput, IntervalsThatCannotAdvanceGiveNoLinesAndReleaseOldOnes) {
    const Grid hill = Hill(9, 10, 2.5);
    for (double interval : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), 1e-12}) {
        CContourGenerator gen;
        Load(gen, hill, {0, 0}, {1, 1}, interval);
        gen.caluElev(5.0);
        ASSERT_EQ(gen.lineSize(), 1);
        const Grid before = Access::grid(gen);
        gen.exeCalu();
        EXPECT_EQ(gen.lineSize(), 0) << interval;
        EXPECT_EQ(Access::grid(gen), before);  // a refused run does not smooth
    }
    // Levels so large that adding the interval no longer changes them.
    Grid big = hill;
    for (auto& row : big) {
        for (double& v : row) {
            v += 1e17;
        }
    }
    CContourGenerator gen;
    Load(gen, big, {0, 0}, {1, 1}, 1.0);
    // The run stops after the first level instead of looping; that level, 1e17, is the border
    // value itself, so no line is kept.
    gen.exeCalu();
    EXPECT_EQ(gen.lineSize(), 0);
}

TEST(ContourBadInput, NonFiniteLevelGivesNoLines) {
    CContourGenerator gen;
    Load(gen, Hill(9, 10, 2.5));
    gen.caluElev(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(gen.lineSize(), 0);
    gen.caluElev(std::numeric_limits<double>::infinity());
    EXPECT_EQ(gen.lineSize(), 0);
}
