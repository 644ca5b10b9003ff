// Point-list clean-up: opening and closing, redundant and repeated vertices, shallow
// corners, loops and self-intersection tests.
#include <geo/acge/getol.h>
#include <geo/cleanup.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Pts = std::vector<CPoint3d>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

Pts pts2(std::initializer_list<std::pair<double, double>> xy) {
    Pts out;
    for (const auto& p : xy) {
        out.emplace_back(p.first, p.second, 0.0);
    }
    return out;
}

void expectPoints(const Pts& got, const Pts& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_TRUE(got[k].isEqualTo(want[k], 1e-9))
            << k << ": (" << got[k].x << ", " << got[k].y << ", " << got[k].z << ")";
    }
}

// ---- Opening, closing and small edits ----

TEST(OpenClose, ClosingAppendsOnlyWhenOpenAndLongEnough) {
    Pts two = pts2({{0, 0}, {1, 0}});
    ClosePts(two, 1e-6);
    EXPECT_EQ(two.size(), 2u);

    Pts tri = pts2({{0, 0}, {1, 0}, {1, 1}});
    ClosePts(tri, 1e-6);
    expectPoints(tri, pts2({{0, 0}, {1, 0}, {1, 1}, {0, 0}}));
    ClosePts(tri, 1e-6);
    EXPECT_EQ(tri.size(), 4u);

    // The tolerance decides what counts as closed already.
    Pts near = pts2({{0, 0}, {1, 0}, {1, 1}, {0.01, 0}});
    ClosePts(near, 0.1);
    EXPECT_EQ(near.size(), 4u);
    ClosePts(near, 0.001);
    EXPECT_EQ(near.size(), 5u);

    std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0),
                                   AcGePoint3d(0.01, 0, 0)};
    ClosePts(ac, 0.1);
    EXPECT_EQ(ac.size(), 4u);
    ClosePts(ac, 0.001);
    ASSERT_EQ(ac.size(), 5u);
    EXPECT_EQ(ac.back().x, 0.0);
}

TEST(OpenClose, OpeningRemovesEveryClosingRepeatButKeepsTwoPoints) {
    Pts twice = pts2({{0, 0}, {1, 0}, {1, 1}, {0, 0}, {0, 0}});
    OpenPts(twice, 1e-6);
    expectPoints(twice, pts2({{0, 0}, {1, 0}, {1, 1}}));

    Pts allSame = pts2({{2, 2}, {2, 2}, {2, 2}, {2, 2}});
    OpenPts(allSame, 1e-6);
    EXPECT_EQ(allSame.size(), 2u);

    std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0),
                                   AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0.05, 0)};
    OpenPts(ac, 0.1);
    EXPECT_EQ(ac.size(), 3u);

    Pts empty;
    OpenPts(empty, 1e-6);
    ClosePts(empty, 1e-6);
    EXPECT_TRUE(empty.empty());
}

TEST(SmallEdits, InsertDifferZeroZReverseAndSideIndices) {
    Pts pts;
    ptVectInsertDiffer(pts, CPoint3d(1, 1, 1));
    ptVectInsertDiffer(pts, CPoint3d(1, 1, 1 + 5e-7));
    ptVectInsertDiffer(pts, CPoint3d(1, 1, 2));
    ASSERT_EQ(pts.size(), 2u);

    RemoveZV(pts);
    EXPECT_EQ(pts[0].z, 0.0);
    EXPECT_EQ(pts[1].z, 0.0);

    const Pts three = pts2({{0, 0}, {1, 0}, {2, 0}});
    const Pts reversed = PtsReverse(three);
    expectPoints(reversed, pts2({{2, 0}, {1, 0}, {0, 0}}));
    expectPoints(three, pts2({{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_TRUE(PtsReverse(Pts()).empty());

    std::vector<int> sides = {0, 1, 2, 3, 4};
    NormalizeSideSeq(sides, 4);
    EXPECT_EQ(sides, (std::vector<int>{3, 2, 1, 0, 4}));
    // Extreme indices wrap instead of overflowing.
    std::vector<int> extreme = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    NormalizeSideSeq(extreme, std::numeric_limits<int>::max());
    EXPECT_EQ(extreme, (std::vector<int>{-2, std::numeric_limits<int>::max()}));
}

// ---- Redundant vertices ----

TEST(RemoveRedundancy, CollinearVertexOfClosedOutlineGoesAndListStaysClosed) {
    Pts pts = pts2({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    RemoveRedundancyPts(pts, true, 1e-6);
    expectPoints(pts, pts2({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
}

TEST(RemoveRedundancy, ThreeCollinearPointsLoseTheMiddleOne) {
    for (bool ring : {true, false}) {
        Pts pts = pts2({{0, 0}, {10, 0}, {5, 0}});
        RemoveRedundancyPts(pts, ring, 1e-6);
        expectPoints(pts, pts2({{0, 0}, {10, 0}}));
        Pts middleFirst = pts2({{5, 0}, {0, 0}, {10, 0}});
        RemoveRedundancyPts(middleFirst, ring, 1e-6);
        expectPoints(middleFirst, pts2({{0, 0}, {10, 0}}));
        Pts turn = pts2({{0, 0}, {10, 0}, {10, 1}});
        RemoveRedundancyPts(turn, ring, 1e-6);
        EXPECT_EQ(turn.size(), 3u);
    }
}

TEST(RemoveRedundancy, SpikeGoesOnlyForRings) {
    const Pts spiky = pts2({{0, 0}, {10, 0}, {10, 10}, {10, 20}, {10, 5}, {0, 10}});
    Pts ring = spiky;
    RemoveRedundancyPts(ring, true, 1e-6);
    // (10, 10) lies straight on the way up; then the tip (10, 20) folds back.
    expectPoints(ring, pts2({{0, 0}, {10, 0}, {10, 5}, {0, 10}}));
    Pts open = spiky;
    RemoveRedundancyPts(open, false, 1e-6);
    expectPoints(open, pts2({{0, 0}, {10, 0}, {10, 20}, {10, 5}, {0, 10}}));
}

TEST(RemoveRedundancy, ToleranceIsAnAngleForBends) {
    // A bend of about 0.1 rad at (10, 0).
    const Pts bent = pts2({{0, 0}, {10, 0}, {20, 1.0033467}, {20, 20}});
    Pts strict = bent;
    RemoveRedundancyPts(strict, false, 1e-6);
    EXPECT_EQ(strict.size(), 4u);
    Pts loose = bent;
    RemoveRedundancyPts(loose, false, 0.2);
    expectPoints(loose, pts2({{0, 0}, {20, 1.0033467}, {20, 20}}));
}

TEST(RemoveRedundancy, RepeatsAtBothEndsAndInsideGo) {
    Pts pts = pts2({{0, 0}, {0, 0}, {0, 0}, {4, 0}, {4, 3}, {4, 3}, {0, 3}, {0, 3}});
    RemoveRedundancyPts(pts, false, 1e-6);
    expectPoints(pts, pts2({{0, 0}, {4, 0}, {4, 3}, {0, 3}}));

    Pts seam = pts2({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 2}});
    RemoveRedundancyPts(seam, true, 1e-6);
    // Across the seam, (0, 2) lies on the edge from (0, 4) to (0, 0).
    expectPoints(seam, pts2({{0, 0}, {4, 0}, {4, 4}, {0, 4}}));
}

TEST(RemoveRedundancy, DegenerateListsAreLeftSound) {
    Pts empty;
    RemoveRedundancyPts(empty, true, 1e-6);
    EXPECT_TRUE(empty.empty());
    Pts one = pts2({{1, 1}});
    RemoveRedundancyPts(one, true, 1e-6);
    EXPECT_EQ(one.size(), 1u);
    Pts same = pts2({{1, 1}, {1, 1}, {1, 1}, {1, 1}});
    RemoveRedundancyPts(same, true, 1e-6);
    EXPECT_EQ(same.size(), 1u);
    // A closed triangle with a doubled closure opens, stays three corners, closes again.
    Pts tri = pts2({{0, 0}, {3, 0}, {0, 3}, {0, 0}, {0, 0}});
    RemoveRedundancyPts(tri, true, 1e-6);
    expectPoints(tri, pts2({{0, 0}, {3, 0}, {0, 3}, {0, 0}}));
    // Non-finite points and tolerances end without a crash.
    for (double tol : {1e-6, 0.0, -1.0, kNaN, kInf}) {
        Pts bad = {CPoint3d(0, 0, 0), CPoint3d(kNaN, 1, 0), CPoint3d(kInf, 0, 0),
                   CPoint3d(1, 1, 0), CPoint3d(2, 2, 0),    CPoint3d(0, 0, 0)};
        RemoveRedundancyPts(bad, true, tol);
        EXPECT_LE(bad.size(), 6u);
    }
}

TEST(RemoveRedundancy, AcGeTwinsGiveTheSameVertices) {
    std::vector<AcGePoint3d> p3 = {AcGePoint3d(0, 0, 2), AcGePoint3d(5, 0, 2),
                                   AcGePoint3d(10, 0, 2), AcGePoint3d(10, 10, 2)};
    RemoveRedundancyPts(p3, false, 1e-6);
    ASSERT_EQ(p3.size(), 3u);
    EXPECT_EQ(p3[1].x, 10.0);
    EXPECT_EQ(p3[1].z, 2.0);

    std::vector<AcGePoint2d> p2 = {AcGePoint2d(0, 0), AcGePoint2d(5, 0), AcGePoint2d(10, 0),
                                   AcGePoint2d(10, 10), AcGePoint2d(0, 0)};
    RemoveRedundancyPts(p2, true, 1e-6);
    ASSERT_EQ(p2.size(), 4u);
    EXPECT_EQ(p2[1].x, 10.0);
    EXPECT_EQ(p2.back().x, 0.0);
}

// ---- Repeated points ----

TEST(RemoveRepoint, KeepsFirstOccurrencesInOrder) {
    std::vector<AcGePoint3d> pts = {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                    AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0),
                                    AcGePoint3d(2, 0, 0)};
    removeRepoint(pts);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0].x, 0.0);
    EXPECT_EQ(pts[1].x, 1.0);
    EXPECT_EQ(pts[2].x, 2.0);

    std::vector<AcGePoint3d> empty;
    removeRepoint(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(RemoveRepoint, FollowsTheGlobalToleranceAndKeepsNonFinitePoints) {
    const AcGeTol saved = AcGeContext::gTol;
    AcGeContext::gTol.setEqualPoint(0.5);
    // 0.4 apart: a repeat of the first; 0.8 from the first: kept, though within 0.5 of
    // the dropped one.
    std::vector<AcGePoint3d> chain = {AcGePoint3d(0, 0, 0), AcGePoint3d(0.4, 0, 0),
                                      AcGePoint3d(0.8, 0, 0)};
    removeRepoint(chain);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[1].x, 0.8);
    AcGeContext::gTol = saved;

    std::vector<AcGePoint3d> bad = {AcGePoint3d(kNaN, 0, 0), AcGePoint3d(kNaN, 0, 0),
                                    AcGePoint3d(kInf, 0, 0), AcGePoint3d(1e300, 0, 0),
                                    AcGePoint3d(1e300, 0, 0)};
    removeRepoint(bad);
    EXPECT_EQ(bad.size(), 4u);
}

// ---- Short edges and shallow corners ----

TEST(CavePtArr, DropsShortEdgesCollinearAndShallowCorners) {
    // (1, 0.0001) is a short edge away from (1, 0); then (1, 0) and (2, 0) are straight on.
    Pts pts = pts2({{0, 0}, {1, 0}, {1, 0.0001}, {2, 0}, {4, 0}, {4, 4}, {0, 4}});
    CavePtArr(pts, 0.01, 0.05);
    expectPoints(pts, pts2({{0, 0}, {4, 0}, {4, 4}, {0, 4}}));

    // Two left turns: the second, at (10, 10), is shallower than maxAngle and goes.
    Pts shallow = pts2({{0, 0}, {10, 0}, {10, 10}, {9.99, 20}, {0, 20}});
    CavePtArr(shallow, 0.01, 0.1);
    expectPoints(shallow, pts2({{0, 0}, {10, 0}, {9.99, 20}, {0, 20}}));

    // A right turn after a left one changes sense and is kept even when shallow.
    Pts zigzag = pts2({{0, 0}, {10, 0}, {10, 10}, {10.5, 20}, {10.5, 30}});
    CavePtArr(zigzag, 0.01, 0.1);
    EXPECT_EQ(zigzag.size(), 5u);
}

TEST(CavePtArr, DegenerateInputEnds) {
    Pts empty;
    CavePtArr(empty, 0.01, 0.1);
    EXPECT_TRUE(empty.empty());
    Pts same = pts2({{1, 1}, {1, 1}, {1, 1}});
    CavePtArr(same, 0.01, 0.1);
    EXPECT_EQ(same.size(), 1u);
    Pts bad = {CPoint3d(0, 0, 0), CPoint3d(kNaN, 0, 0), CPoint3d(1, 1, 0), CPoint3d(2, 0, 0)};
    CavePtArr(bad, kNaN, kNaN);
    EXPECT_LE(bad.size(), 4u);
}

// ---- Loops ----

TEST(ClearSelfIntersect, FigureEightLoopIsCutAtTheCrossing) {
    Pts pts = pts2({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    ClearSelfIntersect(pts, 1e-6);
    expectPoints(pts, pts2({{0, 0}, {5, 5}, {0, 10}}));
}

TEST(ClearSelfIntersect, PathReturningToAVertexLosesTheExcursion) {
    Pts pts = pts2({{0, 0}, {10, 0}, {10, 5}, {15, 5}, {10, 0}, {20, 0}});
    ClearSelfIntersect(pts, 1e-6);
    expectPoints(pts, pts2({{0, 0}, {10, 0}, {20, 0}}));
    Pts doubled = pts2({{0, 0}, {10, 0}, {10, 0}, {20, 5}});
    ClearSelfIntersect(doubled, 1e-6);
    expectPoints(doubled, pts2({{0, 0}, {10, 0}, {20, 5}}));
}

TEST(ClearSelfIntersect, NeighbouringSegmentsNeverLoopForever) {
    // Without a tolerance no crossing equals a segment end; neighbours meeting at their
    // shared vertex must not be cut again and again.
    Pts pts = pts2({{0, 0}, {10, 1}, {20, 0}, {30, 7}});
    ClearSelfIntersect(pts, 0.0);
    expectPoints(pts, pts2({{0, 0}, {10, 1}, {20, 0}, {30, 7}}));
    // Large coordinates: the rounded crossing of neighbours misses the vertex.
    Pts far = {CPoint3d(1e12, 1e12, 0), CPoint3d(1e12 + 3.3, 1e12 + 0.1, 0),
               CPoint3d(1e12 + 7.7, 1e12 - 3.1, 0), CPoint3d(1e12 + 9.1, 1e12 + 4.7, 0)};
    ClearSelfIntersect(far, 1e-9);
    EXPECT_EQ(far.size(), 4u);
    for (double tol : {kNaN, kInf, -1.0}) {
        Pts bad = {CPoint3d(0, 0, 0), CPoint3d(kNaN, 1, 0), CPoint3d(10, 10, 0), CPoint3d(10, 0, 0),
                   CPoint3d(0, 10, 0)};
        ClearSelfIntersect(bad, tol);
        EXPECT_LE(bad.size(), 5u);
    }
    Pts two = pts2({{0, 0}, {1, 1}});
    ClearSelfIntersect(two, 1e-6);
    EXPECT_EQ(two.size(), 2u);
}

// ---- Self-intersection tests ----

TEST(IsSelfIntersect, CrossingsAndOverlapsCountSharedVerticesDoNot) {
    const Pts square = pts2({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_FALSE(IsSelfIntersect(square, true));
    EXPECT_FALSE(IsSelfIntersect(square, false));
    const Pts eight = pts2({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    EXPECT_TRUE(IsSelfIntersect(eight, false));
    // Open, the figure eight's closing edge is missing but its crossing is not.
    const Pts hook = pts2({{0, 0}, {10, 0}, {10, 10}, {5, -5}});
    EXPECT_TRUE(IsSelfIntersect(hook, false));
    const Pts zShape = pts2({{0, 10}, {10, 10}, {0, 0}, {10, 0}});
    EXPECT_FALSE(IsSelfIntersect(zShape, false));
    EXPECT_TRUE(IsSelfIntersect(zShape, true));
    // Collinear edges running along each other.
    const Pts overlap = pts2({{0, 0}, {10, 0}, {10, 5}, {5, 0}, {2, 0}});
    EXPECT_TRUE(IsSelfIntersect(overlap, false));
    // A spike back along the previous edge.
    EXPECT_TRUE(IsSelfIntersect(pts2({{0, 0}, {10, 0}, {4, 0}}), false));
    // Within the 0.001 tolerance a near touch counts.
    EXPECT_TRUE(IsSelfIntersect(pts2({{0, 0}, {10, 0}, {10, 5}, {5, 0.0005}, {5, 5}}), false));
    EXPECT_FALSE(IsSelfIntersect(pts2({{0, 0}, {10, 0}, {10, 5}, {5, 0.01}, {5, 5}}), false));
}

TEST(IsSelfIntersect, ShortAndNonFiniteLists) {
    EXPECT_FALSE(IsSelfIntersect(Pts(), true));
    EXPECT_FALSE(IsSelfIntersect(pts2({{0, 0}, {1, 1}}), true));
    // The finite edges still cross; the others meet nothing.
    const Pts bad = {CPoint3d(0, 0, 0),   CPoint3d(10, 10, 0),  CPoint3d(10, 0, 0),
                     CPoint3d(0, 10, 0),  CPoint3d(kNaN, 0, 0), CPoint3d(3, kInf, 0),
                     CPoint3d(kInf, 3, 0)};
    EXPECT_TRUE(IsSelfIntersect(bad, true));
    EXPECT_TRUE(IsIntersectWithSelf(bad));
    const Pts lone = {CPoint3d(0, 0, 0), CPoint3d(kNaN, 0, 0), CPoint3d(kInf, 1, 0),
                      CPoint3d(-kInf, 1, 0)};
    EXPECT_FALSE(IsSelfIntersect(lone, true));
}

TEST(IsIntersectWithSelf, OnlyCrossingsAwayFromVerticesCount) {
    EXPECT_TRUE(IsIntersectWithSelf(pts2({{0, 0}, {10, 10}, {10, 0}, {0, 10}})));
    EXPECT_FALSE(IsIntersectWithSelf(pts2({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}})));
    // The path touches its own earlier vertex (5, 0): a vertex, so no crossing.
    EXPECT_FALSE(IsIntersectWithSelf(pts2({{0, 0}, {5, 0}, {10, 0}, {10, 5}, {5, 0}, {5, -5}})));
    // The crossing at (5, 0) is a vertex of the list, though of neither crossing edge.
    EXPECT_FALSE(IsIntersectWithSelf(
        pts2({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}, {20, -5}, {5, 0}, {5, 0.0}})));
    EXPECT_FALSE(IsIntersectWithSelf(pts2({{0, 0}, {1, 0}})));
}

// ---- Overlapping edges of two polylines ----

TEST(HaveOverlapLine, ReportsEveryOverlappingPairWhenAsked) {
    const Pts a = pts2({{0, 0}, {10, 0}, {10, 10}});
    const Pts b = pts2({{5, 0}, {15, 0}, {15, 5}, {10, 5}, {10, 8}});
    std::vector<int> ea, eb;
    EXPECT_TRUE(HaveOverlapLine(a, b, &ea, &eb));
    EXPECT_EQ(ea, (std::vector<int>{0, 1}));
    EXPECT_EQ(eb, (std::vector<int>{0, 3}));
    // With one list missing nothing is written.
    std::vector<int> only;
    EXPECT_TRUE(HaveOverlapLine(a, b, &only, nullptr));
    EXPECT_TRUE(only.empty());
    EXPECT_FALSE(HaveOverlapLine(a, pts2({{0, 1}, {10, 1}}), &ea, &eb));
    EXPECT_FALSE(HaveOverlapLine(Pts(), b, nullptr, nullptr));
}

}  // namespace
