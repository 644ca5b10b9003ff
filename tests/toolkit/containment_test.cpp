// Containment, side, crossing and ray tests.
#include <geo/acge/geline3d.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/measures.h>
#include <geo/orvel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "support/expect.h"
#include "toolkit/pt_in_area_reference.h"

namespace {

using point_expect::expectXyz;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<CPoint3d> square(double size = 10.0) {
    return {CPoint3d(0, 0, 0), CPoint3d(size, 0, 0), CPoint3d(size, size, 0), CPoint3d(0, size, 0)};
}

std::vector<CPoint3d> closedSquare(double size = 10.0) {
    std::vector<CPoint3d> pts = square(size);
    pts.push_back(pts.front());
    return pts;
}

// ---- PtInArea: the rule -------------------------------------------------------------------

TEST(PtInArea, SquareInsideOutsideAndBoundary) {
    for (const auto& pts : {square(), closedSquare()}) {
        EXPECT_TRUE(PtInArea(CPoint3d(5, 5, 0), pts, 1e-6, false));
        EXPECT_FALSE(PtInArea(CPoint3d(15, 5, 0), pts, 1e-6, true));
        EXPECT_FALSE(PtInArea(CPoint3d(-5, 5, 0), pts, 1e-6, true));
        for (const CPoint3d& onBoundary :
             {CPoint3d(10, 5, 0), CPoint3d(0, 0, 0), CPoint3d(5, 10, 0), CPoint3d(0, 5, 0)}) {
            EXPECT_TRUE(PtInArea(onBoundary, pts, 1e-6, true));
            EXPECT_FALSE(PtInArea(onBoundary, pts, 1e-6, false));
        }
    }
}

TEST(PtInArea, ToleranceWidensTheBoundary) {
    const auto pts = square();
    EXPECT_FALSE(PtInArea(CPoint3d(10.0005, 5, 0), pts, 1e-6, true));
    EXPECT_TRUE(PtInArea(CPoint3d(10.0005, 5, 0), pts, 0.001, true));
    EXPECT_FALSE(PtInArea(CPoint3d(9.9995, 5, 0), pts, 0.001, false));
}

TEST(PtInArea, VertexOnTheRayCountsOnlyForTheEdgeGoingBelow) {
    // Vertex (0,5) with one edge up and one down: one crossing, inside.
    const std::vector<CPoint3d> diamond = {CPoint3d(5, 0, 0), CPoint3d(10, 5, 0),
                                           CPoint3d(5, 10, 0), CPoint3d(0, 5, 0)};
    EXPECT_TRUE(PtInArea(CPoint3d(5, 5, 0), diamond, 1e-6, false));
    // Left vertex (0,5) is a bottom spike: both edges go up, no crossing there.
    const std::vector<CPoint3d> vUp = {CPoint3d(0, 5, 0),  CPoint3d(4, 10, 0), CPoint3d(20, 10, 0),
                                       CPoint3d(20, 0, 0), CPoint3d(4, 0, 0),  CPoint3d(2, 9, 0)};
    EXPECT_EQ(PtInArea(CPoint3d(10, 5, 0), vUp, 1e-6, false),
              reference::PtInArea(CPoint3d(10, 5, 0), vUp, 1e-6, false));
    // A notch whose tip (2,5) touches the ray from above: both edges go up, the tip adds
    // nothing; the point stays inside.
    const std::vector<CPoint3d> notchUp = {CPoint3d(0, 0, 0),   CPoint3d(20, 0, 0),
                                           CPoint3d(20, 10, 0), CPoint3d(4, 10, 0),
                                           CPoint3d(2, 5, 0),   CPoint3d(0, 10, 0)};
    EXPECT_TRUE(PtInArea(CPoint3d(10, 5, 0), notchUp, 1e-6, false));
    // A notch pointing up whose tip (2,5) has both edges going down: counted twice, still
    // inside.
    const std::vector<CPoint3d> notchDown = {CPoint3d(0, 0, 0),   CPoint3d(2, 5, 0),
                                             CPoint3d(4, 0, 0),   CPoint3d(20, 0, 0),
                                             CPoint3d(20, 10, 0), CPoint3d(0, 10, 0)};
    EXPECT_TRUE(PtInArea(CPoint3d(10, 5, 0), notchDown, 1e-6, false));
    EXPECT_FALSE(PtInArea(CPoint3d(1, 1, 0), notchDown, 1e-6, false));  // in the notch
}

TEST(PtInArea, HorizontalEdgeAtThePointsHeight) {
    // The ray runs along the bottom edge of the step (10..20 at y = 5).
    const std::vector<CPoint3d> step = {
        CPoint3d(0, 0, 0),  CPoint3d(30, 0, 0), CPoint3d(30, 10, 0), CPoint3d(20, 10, 0),
        CPoint3d(20, 5, 0), CPoint3d(10, 5, 0), CPoint3d(10, 10, 0), CPoint3d(0, 10, 0)};
    for (double x : {5.0, 25.0, 35.0, -1.0}) {
        const CPoint3d pt(x, 5, 0);
        EXPECT_EQ(PtInArea(pt, step, 1e-6, false), reference::PtInArea(pt, step, 1e-6, false)) << x;
    }
    EXPECT_TRUE(PtInArea(CPoint3d(25, 5, 0), step, 1e-6, false));
    EXPECT_FALSE(PtInArea(CPoint3d(35, 5, 0), step, 1e-6, false));
    EXPECT_TRUE(PtInArea(CPoint3d(15, 5, 0), step, 1e-6, true));  // on the step's floor
}

TEST(PtInArea, ShortListsAreNeverInside) {
    EXPECT_FALSE(PtInArea(CPoint3d(0, 0, 0), {}, 1e-6, true));
    EXPECT_FALSE(PtInArea(CPoint3d(0, 0, 0), {CPoint3d(0, 0, 0)}, 1e-6, true));
    EXPECT_FALSE(PtInArea(CPoint3d(1, 0, 0), {CPoint3d(0, 0, 0), CPoint3d(2, 0, 0)}, 1e-6, true));
}

TEST(PtInArea, HostileValuesGiveAnAnswerWithoutFault) {
    const auto pts = square();
    for (double tol : {0.0, -1.0, kNaN, kInf, 1e300}) {
        for (const CPoint3d& pt : {CPoint3d(5, 5, 0), CPoint3d(kNaN, 5, 0), CPoint3d(5, kInf, 0),
                                   CPoint3d(5, 5, kNaN)}) {
            EXPECT_EQ(PtInArea(pt, pts, tol, true), reference::PtInArea(pt, pts, tol, true));
        }
    }
    std::vector<CPoint3d> bad = square();
    bad[2].y = kNaN;
    bad[1].z = kInf;
    EXPECT_EQ(PtInArea(CPoint3d(5, 5, 0), bad, 1e-6, false),
              reference::PtInArea(CPoint3d(5, 5, 0), bad, 1e-6, false));
}

// ---- PtInArea: the screened walk gives the literal rule's answers ------------------------

struct DiffStats {
    int compared = 0;
    int inside = 0;
    int boundary = 0;
};

void compareOn(const std::vector<CPoint3d>& pts, const std::vector<CPoint3d>& probes, double tol,
               DiffStats& stats) {
    for (const CPoint3d& pt : probes) {
        const bool onTrue = PtInArea(pt, pts, tol, true);
        const bool onFalse = PtInArea(pt, pts, tol, false);
        ASSERT_EQ(onTrue, reference::PtInArea(pt, pts, tol, true))
            << "pt " << pt.x << "," << pt.y << " n " << pts.size() << " tol " << tol;
        ASSERT_EQ(onFalse, reference::PtInArea(pt, pts, tol, false))
            << "pt " << pt.x << "," << pt.y << " n " << pts.size() << " tol " << tol;
        stats.compared += 2;
        stats.inside += onTrue && onFalse;
        stats.boundary += onTrue && !onFalse;
    }
}

TEST(PtInAreaScreened, MatchesTheLiteralRuleOnRandomOutlines) {
    std::mt19937 rng(20240611);
    DiffStats stats;
    const double tols[] = {1e-6, 0.001, 0.0, 0.25, 1.0};
    for (int round = 0; round < 150; ++round) {
        const int n = 3 + static_cast<int>(rng() % 30);
        const double grid = (round % 3 == 0) ? 0.0 : (round % 3 == 1 ? 1.0 : 0.5);
        const double tol = tols[round % 5];
        const auto base = reference::randomStar(rng, n, 0.0, 0.0, 10.0, grid);
        for (const auto& pts : reference::outlineVariants(rng, base, tol)) {
            compareOn(pts, reference::probePoints(rng, pts, tol, 25.0), tol, stats);
        }
    }
    EXPECT_GT(stats.compared, 30000);
    EXPECT_GT(stats.inside, 1000);
    EXPECT_GT(stats.boundary, 1000);
}

TEST(PtInAreaScreened, MatchesTheLiteralRuleFarFromTheOrigin) {
    std::mt19937 rng(7);
    DiffStats stats;
    for (double offset : {1e6, -3e8, 1e12}) {
        for (int round = 0; round < 20; ++round) {
            const auto pts = reference::randomStar(rng, 5 + round, offset, -offset, 50.0, 0.5);
            compareOn(pts, reference::probePoints(rng, pts, 1e-6, 120.0), 1e-6, stats);
            compareOn(pts, reference::probePoints(rng, pts, 0.01, 120.0), 0.01, stats);
        }
    }
    EXPECT_GT(stats.compared, 2000);
}

TEST(PtInAreaScreened, MatchesTheLiteralRuleOnDegenerateOutlines) {
    std::mt19937 rng(99);
    DiffStats stats;
    const std::vector<std::vector<CPoint3d>> outlines = {
        {CPoint3d(0, 0, 0), CPoint3d(5, 0, 0), CPoint3d(10, 0, 0)},  // collinear
        {CPoint3d(0, 0, 0), CPoint3d(0, 0, 0), CPoint3d(0, 0, 0)},   // one point
        {CPoint3d(0, 0, 0), CPoint3d(10, 10, 0), CPoint3d(0, 0, 0), CPoint3d(10, 10, 0)},
        {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(0, 10, 0),
         CPoint3d(10, 10, 0)},  // bow tie
        {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 10, 0),
         CPoint3d(10, 10, 0), CPoint3d(0, 10, 0)},
        {CPoint3d(0, 0, 0), CPoint3d(4, 0, 0), CPoint3d(4, 4, 0), CPoint3d(8, 4, 0),
         CPoint3d(8, 0, 0), CPoint3d(12, 0, 0), CPoint3d(12, 8, 0), CPoint3d(0, 8, 0)},
        {CPoint3d(0, 0, 0), CPoint3d(1e-7, 5, 0), CPoint3d(0, 10, 0), CPoint3d(-3, 5, 0)},
    };
    for (const auto& pts : outlines) {
        for (double tol : {1e-6, 0.0, 0.5}) {
            auto probes = reference::probePoints(rng, pts, tol, 30.0);
            for (int y = -2; y <= 12; ++y) {
                for (int x = -2; x <= 14; ++x) {
                    probes.emplace_back(x, y, 0);
                }
            }
            compareOn(pts, probes, tol, stats);
        }
    }
    EXPECT_GT(stats.compared, 3000);
}

TEST(PtInAreaScreened, MatchesTheLiteralRuleOnLargeOutlines) {
    std::mt19937 rng(5);
    DiffStats stats;
    for (int n : {1024, 2048}) {
        const auto pts = reference::randomStar(rng, n, 0.0, 0.0, 100.0, n == 1024 ? 0.25 : 0.0);
        auto probes = reference::probePoints(rng, pts, 1e-6, 200.0);
        std::shuffle(probes.begin(), probes.end(), rng);
        probes.resize(std::min<size_t>(probes.size(), 800));
        compareOn(pts, probes, 1e-6, stats);
    }
    EXPECT_GT(stats.compared, 3000);
}

TEST(PtInAreaScreened, FollowsTheLiteralRuleWhereRoundingDecides) {
    // The edge from y = -1e16 ends 0.5 below the ray; with tolerance 0 the literal rule's
    // ray parameter rounds to exactly 1 and counts the edge. The screen must not skip it.
    const std::vector<CPoint3d> spike = {CPoint3d(0, -1e16, 0), CPoint3d(10, -0.5, 0),
                                         CPoint3d(30, -0.5, 0), CPoint3d(30, -1e16, 0)};
    for (double x : {20.0, 50.0, -5.0}) {
        const CPoint3d pt(x, 0, 0);
        EXPECT_EQ(PtInArea(pt, spike, 0.0, true), reference::PtInArea(pt, spike, 0.0, true)) << x;
    }
}

// ---- PtIn3DArea and IsPointInTriangle ------------------------------------------------------

TEST(PtIn3DArea, WorksInTheOutlinesOwnPlane) {
    // The unit square stood up in the XZ plane at y = 3.
    std::vector<CPoint3d> wall = {CPoint3d(0, 3, 0), CPoint3d(10, 3, 0), CPoint3d(10, 3, 10),
                                  CPoint3d(0, 3, 10)};
    const CVector3d normal(0, -1, 0);
    EXPECT_TRUE(PtIn3DArea(CPoint3d(5, 3, 5), wall, normal, 1e-6, false));
    EXPECT_FALSE(PtIn3DArea(CPoint3d(15, 3, 5), wall, normal, 1e-6, true));
    EXPECT_TRUE(PtIn3DArea(CPoint3d(10, 3, 5), wall, normal, 1e-6, true));
    EXPECT_FALSE(PtIn3DArea(CPoint3d(10, 3, 5), wall, normal, 1e-6, false));
    // Off the plane but over the inside: the transform drops the height above the plane.
    EXPECT_TRUE(PtIn3DArea(CPoint3d(5, 8, 5), wall, normal, 1e-6, false));
    std::vector<CPoint3d> two = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)};
    EXPECT_FALSE(PtIn3DArea(CPoint3d(0.5, 0, 0), two, normal, 1e-6, true));
    EXPECT_FALSE(PtIn3DArea(CPoint3d(5, 3, 5), wall, CVector3d(0, 0, 0), 1e-6, true));
}

TEST(IsPointInTriangle, AngleSumAroundThePoint) {
    CVector3d tri[3] = {CVector3d(0, 0, 0), CVector3d(10, 0, 0), CVector3d(0, 10, 0)};
    EXPECT_TRUE(IsPointInTriangle(CVector3d(2, 2, 0), tri));
    EXPECT_TRUE(IsPointInTriangle(CVector3d(5, 0, 0), tri));  // on an edge: pi + pi
    EXPECT_FALSE(IsPointInTriangle(CVector3d(8, 8, 0), tri));
    EXPECT_FALSE(IsPointInTriangle(CVector3d(0, 0, 0), tri));  // at a corner the sum is NaN
    EXPECT_FALSE(IsPointInTriangle(CVector3d(1, 1, 0), nullptr));
}

// ---- Outline in outline --------------------------------------------------------------------

TEST(OutlineInOutline, KernelTestForEveryInnerVertex) {
    const auto outer = square();
    const std::vector<CPoint3d> inner = {CPoint3d(2, 2, 0), CPoint3d(8, 2, 0), CPoint3d(5, 8, 0)};
    EXPECT_TRUE(polygonInPolygon(inner, outer, 1e-6));
    auto poking = inner;
    poking[2].y = 12;
    EXPECT_FALSE(polygonInPolygon(poking, outer, 1e-6));
    EXPECT_TRUE(polygonInPolygon({}, outer, 1e-6));
}

TEST(OutlineInOutline, OneVertexInsideIsEnoughAndBoundaryDoesNotCount) {
    auto outer = square();
    std::vector<CPoint3d> a = {CPoint3d(20, 20, 0), CPoint3d(5, 5, 0), CPoint3d(30, 0, 0)};
    EXPECT_TRUE(PolyInPolygon(a, outer));
    std::vector<CPoint3d> touching = {CPoint3d(10, 5, 0), CPoint3d(20, 5, 0), CPoint3d(20, 8, 0)};
    EXPECT_FALSE(PolyInPolygon(touching, outer));
    std::vector<CPoint3d> none;
    EXPECT_FALSE(PolyInPolygon(none, outer));
}

// Large outlines are filed by height before their vertices are tested: each vertex, repeated
// so that the filing is used, gets the answer of the plain per-vertex test.
TEST(OutlineInOutline, FiledOutlinesGiveThePlainAnswers) {
    std::mt19937 rng(77);
    int inside = 0;
    for (int round = 0; round < 6; ++round) {
        const int n = 40 + static_cast<int>(rng() % 80);
        auto outer = reference::randomStar(rng, n, 1e3 * round, 0.0, 30.0, round % 2 ? 0.5 : 0.0);
        if (round == 5) {
            outer[5].x = kInf;
        }
        AcGePoint3dArray asArray;
        Pnt3dToAcPnt3d_Ary(outer, asArray);
        // Probes nudged by the kernel's boundary tolerance and by PolyInPolygon's, and just
        // above and below every vertex, within the kernel's tolerance.
        for (double tol : {Orvel::kOnEdgeTol, 1e-3}) {
            auto probes = reference::probePoints(rng, outer, tol, 40.0);
            for (const CPoint3d& v : outer) {
                probes.emplace_back(v.x, v.y + 0.5 * tol, 0.0);
                probes.emplace_back(v.x, v.y - 0.5 * tol, 0.0);
            }
            for (const CPoint3d& v : probes) {
                const std::vector<CPoint3d> repeated(64, v);  // enough to file the outline
                const bool kernel = Orvel::isIn(v.toAcGePoint3d(), asArray, true);
                ASSERT_EQ(polygonInPolygon(repeated, outer, 0.0), kernel) << v.x << "," << v.y;
                std::vector<CPoint3d> a = repeated;
                ASSERT_EQ(PolyInPolygon(a, outer), PtInArea(v, outer, 1e-3, false))
                    << v.x << "," << v.y;
                inside += kernel;
            }
        }
    }
    EXPECT_GT(inside, 800);
}

TEST(OutlineInOutline, PolInPolMeansBoundariesMeet) {
    auto outer = closedSquare();
    auto nested = std::vector<CPoint3d>{CPoint3d(2, 2, 0), CPoint3d(8, 2, 0), CPoint3d(8, 8, 0),
                                        CPoint3d(2, 2, 0)};
    EXPECT_FALSE(PolInPol(nested, outer));  // inside, but no boundary meets
    auto crossing = std::vector<CPoint3d>{CPoint3d(5, 5, 0), CPoint3d(15, 5, 0)};
    EXPECT_TRUE(PolInPol(crossing, outer));
    auto single = std::vector<CPoint3d>{CPoint3d(10, 5, 0)};
    EXPECT_FALSE(PolInPol(single, outer));
}

TEST(OutlineInOutline, ParallelAndCoplanarPlanes) {
    auto a = closedSquare();
    auto up = a;
    SetZ(up, 5.0);
    EXPECT_TRUE(FirstplanCoplanaritySecondplan(a, up, 1));
    EXPECT_FALSE(FirstplanCoplanaritySecondplan(a, up, 0));
    auto shifted = a;
    for (CPoint3d& p : shifted) {
        p.x += 30;
    }
    EXPECT_TRUE(FirstplanCoplanaritySecondplan(a, shifted, 0));
    std::reverse(shifted.begin(), shifted.end());  // opposite normal, still coplanar
    EXPECT_TRUE(FirstplanCoplanaritySecondplan(a, shifted, 0));
    std::vector<CPoint3d> wall = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 0, 1)};
    EXPECT_FALSE(FirstplanCoplanaritySecondplan(a, wall, 1));
    std::vector<CPoint3d> two = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)};
    EXPECT_FALSE(FirstplanCoplanaritySecondplan(a, two, 1));
}

// ---- Point or segment on an outline --------------------------------------------------------

TEST(OnOutline, PtOnPolylineUsesOpenSegmentsOnly) {
    const auto pts = square();
    EXPECT_TRUE(PtOnPolyline(CPoint3d(10, 5, 0), pts, 1e-6));
    EXPECT_FALSE(PtOnPolyline(CPoint3d(0, 5, 0), pts, 1e-6));  // the closing edge is not there
    EXPECT_FALSE(PtOnPolyline(CPoint3d(0, 0, 0), {CPoint3d(0, 0, 0)}, 1e-6));
    std::vector<AcGePoint3d> ac = {AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0),
                                   AcGePoint3d(10, 10, 0)};
    EXPECT_TRUE(PtOnPolyline(AcGePoint3d(10, 5, 0), ac, 1e-6));
    EXPECT_TRUE(PtOnPolyline(AcGePoint3d(5, 0.0005, 0), ac, 0.001));
    EXPECT_FALSE(PtOnPolyline(AcGePoint3d(5, 0.01, 0), ac, 0.001));
}

TEST(OnOutline, LineOnPolylineNeedsBothEndsOnOneSegment) {
    auto pts = square();
    SetZ(pts, 3.0);
    EXPECT_TRUE(LineOnPolyline(CPoint3d(2, 0.05, 0), CPoint3d(8, 0, 9), pts));  // heights ignored
    EXPECT_FALSE(LineOnPolyline(CPoint3d(2, 0, 0), CPoint3d(10, 5, 0), pts));   // two segments
    std::vector<CPoint3d> empty;
    EXPECT_FALSE(LineOnPolyline(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), empty));
}

TEST(OnOutline, ClosedAndOpenEdgeIndex) {
    const auto pts = square();
    EXPECT_EQ(CalPtPosAtPL(CPoint3d(0, 5, 0), pts), 3);  // the closing edge
    EXPECT_EQ(CalPtPosAtPLine(CPoint3d(0, 5, 0), pts, 0.01), -1);
    EXPECT_EQ(CalPtPosAtPL(CPoint3d(10, 0.005, 0), pts), 0);  // the first edge holding it
    EXPECT_EQ(CalPtPosAtPLine(CPoint3d(10, 4, 0), pts, 1e-6), 1);
    EXPECT_EQ(CalPtPosAtPL(CPoint3d(5, 5, 0), pts), -1);
    EXPECT_EQ(CalPtPosAtPL(CPoint3d(5, 5, 0), {}), -1);
}

TEST(OnOutline, NearestSideAndItsTieRule) {
    const std::vector<CPoint3d> pts = {CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 10, 0),
                                       CPoint3d(0, 10, 0)};
    EXPECT_EQ(GetSideFromPts(CPoint3d(9, 5, 0), pts), 1);
    EXPECT_EQ(GetSideFromPts(CPoint3d(5, 9, 0), pts), 2);
    // Equidistant from segments 0 and 1 (within 1e-6): the earlier one stays.
    EXPECT_EQ(GetSideFromPts(CPoint3d(9, 1 + 5e-7, 0), pts), 0);
    // Beyond the starting bound of 1e10 no side is taken.
    EXPECT_EQ(GetSideFromPts(CPoint3d(2e10, 5, 0), pts), 0);
    EXPECT_EQ(GetSideFromPts(CPoint3d(5, 5, 0), {CPoint3d(0, 0, 0)}), 0);
    // Sloped segments are no sides in plan.
    const std::vector<CPoint3d> sloped = {CPoint3d(0, 0, 0), CPoint3d(10, 0, 5),
                                          CPoint3d(10, 10, 5), CPoint3d(0, 10, 0)};
    EXPECT_EQ(GetSideFromPts_XY_Plain(CPoint3d(5, 0.1, 2.5), sloped), 1);
    EXPECT_EQ(GetSideFromPts(CPoint3d(5, 0.1, 2.5), sloped), 0);
    EXPECT_EQ(GetSideFromPts_XY_Plain(CPoint3d(5, 0, 0), {CPoint3d(0, 0, 0), CPoint3d(1, 0, 1)}),
              0);
}

TEST(OnOutline, RepeatedPointFoundButNotTheClosingRepeat) {
    int first = -7, second = -7;
    EXPECT_FALSE(ExistHoleInPts(closedSquare(), &first, &second, 1e-6));
    EXPECT_EQ(first, -7);
    std::vector<CPoint3d> pinched = {CPoint3d(0, 0, 0),   CPoint3d(10, 0, 0), CPoint3d(5, 5, 0),
                                     CPoint3d(10, 10, 0), CPoint3d(0, 10, 0), CPoint3d(5, 5, 0),
                                     CPoint3d(0, 0, 0)};
    EXPECT_TRUE(ExistHoleInPts(pinched, &first, &second, 1e-6));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 5);
    EXPECT_TRUE(ExistHoleInPts(pinched, nullptr, nullptr, 1e-6));
    // Neighbours do not count (j must be at least i + 2).
    std::vector<CPoint3d> doubled = {CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(1, 0, 0),
                                     CPoint3d(1, 1, 0)};
    EXPECT_FALSE(ExistHoleInPts(doubled, &first, &second, 1e-6));
}

// ---- Crossings -------------------------------------------------------------------------------

TEST(Crossings, SegmentPairFallsBackToEndsOnTheSegment) {
    CPoint3d at(-1, -1, -1);
    EXPECT_TRUE(IsIntersectWith(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(5, -5, 0),
                                CPoint3d(5, 5, 0), at));
    expectXyz(at, 5, 0, 0);
    // Collinear overlap: the crossing test fails, c lies on ab.
    EXPECT_TRUE(IsIntersectWith(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(4, 0, 0),
                                CPoint3d(50, 0, 0), at));
    expectXyz(at, 4, 0, 0);
    EXPECT_TRUE(IsIntersectWith(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(-40, 0, 0),
                                CPoint3d(6, 0, 0), at));
    expectXyz(at, 6, 0, 0);
    at.set(-1, -1, -1);
    EXPECT_FALSE(IsIntersectWith(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(0, 1, 0),
                                 CPoint3d(10, 1, 0), at));
    expectXyz(at, -1, -1, -1);
}

TEST(Crossings, SegmentAgainstClosedOutline) {
    auto pts = square();
    EXPECT_TRUE(IsIntersectWith(CPoint3d(5, 5, 0), CPoint3d(15, 5, 0), pts));
    // Only the closing edge (0,0)-(0,10) is crossed.
    EXPECT_TRUE(IsIntersectWith(CPoint3d(-5, 5, 0), CPoint3d(5, 5, 0), pts));
    // Meeting the outline only at the segment's own end does not count.
    EXPECT_FALSE(IsIntersectWith(CPoint3d(10, 5, 0), CPoint3d(15, 5, 0), pts));
    EXPECT_FALSE(IsIntersectWith(CPoint3d(2, 2, 0), CPoint3d(8, 8, 0), pts));
    std::vector<CPoint3d> empty;
    EXPECT_FALSE(IsIntersectWith(CPoint3d(2, 2, 0), CPoint3d(8, 8, 0), empty));
}

TEST(Crossings, LineHitsAreCollectedAfterClearing) {
    CLine line(CPoint3d(-100, 5, 0), CPoint3d(100, 5, 0));
    std::vector<CPoint3d> hits = {CPoint3d(9, 9, 9)};
    EXPECT_TRUE(IsIntersectWith(line, closedSquare(), hits));
    ASSERT_EQ(hits.size(), 2u);
    expectXyz(hits[0], 10, 5, 0);
    expectXyz(hits[1], 0, 5, 0);
    CLine away(CPoint3d(-100, 50, 0), CPoint3d(100, 50, 0));
    EXPECT_FALSE(IsIntersectWith(away, closedSquare(), hits));
    EXPECT_TRUE(hits.empty());
}

TEST(Crossings, ProperCrossingsOnly) {
    EXPECT_TRUE(lineSegInter(CPoint3d(0, 0, 0), CPoint3d(10, 10, 0), CPoint3d(0, 10, 0),
                             CPoint3d(10, 0, 0), 1e-6));
    EXPECT_FALSE(lineSegInter(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(10, 0, 0),
                              CPoint3d(10, 10, 0), 1e-6));  // shared end
    EXPECT_FALSE(lineSegInter(CPoint3d(0, 0, 0), CPoint3d(10, 0, 0), CPoint3d(5, 0, 0),
                              CPoint3d(5, 10, 0), 1e-6));  // T at c
    auto a = square();
    std::vector<CPoint3d> corner = {CPoint3d(10, 10, 0), CPoint3d(20, 10, 0), CPoint3d(20, 20, 0),
                                    CPoint3d(10, 20, 0)};
    EXPECT_FALSE(PolylineInter(a, corner, 1e-6));
    std::vector<CPoint3d> half = {CPoint3d(5, 5, 0), CPoint3d(15, 5, 0), CPoint3d(15, 15, 0),
                                  CPoint3d(5, 15, 0), CPoint3d(5, 5, 0)};
    EXPECT_TRUE(PolylineInter(a, half, 1e-6));
    EXPECT_FALSE(PolylineInter(a, {CPoint3d(5, -5, 0), CPoint3d(5, 5, 0)}, 1e-6));
}

// ---- Rays and lines ------------------------------------------------------------------------

TEST(Rays, SideHitChosenByOrientation) {
    auto ccw = closedSquare();
    int edge = -1;
    CPoint3d hit;
    // Counter-clockwise: the reference point lies behind, so the hit behind the point wins.
    ASSERT_TRUE(GetPtSideFromPts(ccw, CPoint3d(5, 5, 0), CVector3d(1, 0, 0), edge, hit, 1e-6));
    EXPECT_EQ(edge, 3);
    expectXyz(hit, 0, 5, 0);
    std::vector<CPoint3d> cw(ccw.rbegin(), ccw.rend());
    ASSERT_TRUE(GetPtSideFromPts(cw, CPoint3d(5, 5, 0), CVector3d(1, 0, 0), edge, hit, 1e-6));
    EXPECT_EQ(edge, 2);
    expectXyz(hit, 10, 5, 0);
    edge = 42;
    EXPECT_FALSE(GetPtSideFromPts(ccw, CPoint3d(5, 5, 0), CVector3d(0, 0, 0), edge, hit, 1e-6));
    EXPECT_FALSE(GetPtSideFromPts(ccw, CPoint3d(5, 50, 0), CVector3d(1, 0, 0), edge, hit, 1e-6));
    EXPECT_EQ(edge, 42);
}

TEST(Rays, WalkAlongTheOutlineWrapsBothWays) {
    const auto pts = closedSquare();
    int edge = 0;
    CPoint3d pt(0, 0, 0);
    ASSERT_TRUE(GetPtSideFromPts(pts, edge, pt, 45.0));
    EXPECT_EQ(edge, 0);
    expectXyz(pt, 5, 0, 0);
    edge = 0;
    pt.set(0, 0, 0);
    ASSERT_TRUE(GetPtSideFromPts(pts, edge, pt, -5.0));
    EXPECT_EQ(edge, 3);
    expectXyz(pt, 0, 5, 0);
    edge = 1;
    pt.set(10, 5, 0);
    ASSERT_TRUE(GetPtSideFromPts(pts, edge, pt, 10.0));
    EXPECT_EQ(edge, 2);
    expectXyz(pt, 5, 10, 0);
}

TEST(Rays, WalkRejectsBadInputAndAlwaysEnds) {
    const auto pts = closedSquare();
    int edge = 0;
    CPoint3d pt(0, 0, 0);
    ASSERT_TRUE(GetPtSideFromPts(pts, edge, pt, 1e300));  // reduced without endless loop
    EXPECT_TRUE(pt.isValid());
    for (double dist : {kInf, -kInf, kNaN}) {
        edge = 0;
        pt.set(0, 0, 0);
        EXPECT_FALSE(GetPtSideFromPts(pts, edge, pt, dist));
        expectXyz(pt, 0, 0, 0);
    }
    for (int badEdge : {-1, 5, 1000}) {
        edge = badEdge;
        EXPECT_FALSE(GetPtSideFromPts(pts, edge, pt, 3.0));
        EXPECT_EQ(edge, badEdge);
    }
    std::vector<CPoint3d> dot = {CPoint3d(1, 1, 0), CPoint3d(1, 1, 0)};
    edge = 0;
    EXPECT_FALSE(GetPtSideFromPts(dot, edge, pt, 3.0));
}

TEST(Rays, NearestContourHit) {
    std::vector<std::vector<AcGePoint3d>> contours = {
        {AcGePoint3d(20, -5, 0), AcGePoint3d(20, 5, 0)},
        {AcGePoint3d(10, -5, 0), AcGePoint3d(10, 5, 0)},
        {AcGePoint3d(-10, -5, 0), AcGePoint3d(-10, 5, 0)},
    };
    AcGePoint3d hit;
    unsigned int contour = 99;
    ASSERT_TRUE(
        PtRayToContour(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), contours, hit, contour, 1e-6));
    EXPECT_EQ(contour, 1u);
    EXPECT_NEAR(hit.x, 10, 1e-9);
    contour = 99;
    EXPECT_FALSE(
        PtRayToContour(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0), contours, hit, contour, 1e-6));
    EXPECT_EQ(contour, 0u);  // reset even without a hit
    EXPECT_FALSE(
        PtRayToContour(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 0), contours, hit, contour, 1e-6));
}

TEST(Rays, TriangleHitWithBarycentrics) {
    double t = -1, u = -1, v = -1;
    const CPoint3d p0(0, 0, 0), p1(3, 0, 0), p2(0, 3, 0);
    ASSERT_TRUE(IntersectTriangle(CVector3d(1, 1, 5), CVector3d(0, 0, -1), p0, p1, p2, t, u, v));
    EXPECT_NEAR(t, 5, 1e-12);
    EXPECT_NEAR(u, 1.0 / 3, 1e-12);
    EXPECT_NEAR(v, 1.0 / 3, 1e-12);
    // Two-sided, and hits behind the origin count.
    ASSERT_TRUE(IntersectTriangle(CVector3d(1, 1, 5), CVector3d(0, 0, 1), p0, p1, p2, t, u, v));
    EXPECT_NEAR(t, -5, 1e-12);
    EXPECT_FALSE(IntersectTriangle(CVector3d(1, 1, 5), CVector3d(1, 0, 0), p0, p1, p2, t, u, v));
    EXPECT_FALSE(IntersectTriangle(CVector3d(5, 5, 5), CVector3d(0, 0, -1), p0, p1, p2, t, u, v));
}

TEST(Rays, CubeNearestFaceAndMissLeavesT) {
    double t = 123;
    ASSERT_TRUE(
        IntersectCube(CPoint3d(0, 0, 0), 2.0, CVector3d(-5, 0.3, 0.2), CVector3d(1, 0, 0), t));
    EXPECT_NEAR(t, 4.0, 1e-12);
    t = 123;
    EXPECT_FALSE(IntersectCube(CPoint3d(0, 0, 0), 2.0, CVector3d(-5, 3, 0), CVector3d(1, 0, 0), t));
    EXPECT_EQ(t, 123);
    // From inside, the face behind (t = -1) is the least parameter.
    ASSERT_TRUE(
        IntersectCube(CPoint3d(0, 0, 0), 2.0, CVector3d(0, 0.1, 0.2), CVector3d(1, 0, 0), t));
    EXPECT_NEAR(t, -1.0, 1e-12);
}

TEST(Rays, PolygonLineCrossingsOncePerVertex) {
    std::vector<CPoint3d> out = {CPoint3d(7, 7, 7)};
    // Through the vertices (10,0) and (0,10): each is met by two edges, kept once.
    const AcGeLine3d antiDiagonal(AcGePoint3d(-5, 15, 0), AcGePoint3d(15, -5, 0));
    EXPECT_EQ(PolygonIntersectWithLine(square(), antiDiagonal, out), 2);
    ASSERT_EQ(out.size(), 2u);
    expectXyz(out[0], 10, 0, 0);
    expectXyz(out[1], 0, 10, 0);
    out = {CPoint3d(7, 7, 7)};
    EXPECT_EQ(PolygonIntersectWithLine({CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)}, antiDiagonal, out),
              0);
    ASSERT_EQ(out.size(), 1u);  // untouched for short lists
    const AcGeLine3d away(AcGePoint3d(50, 0, 0), AcGePoint3d(50, 1, 0));
    EXPECT_EQ(PolygonIntersectWithLine(closedSquare(), away, out), 0);
    EXPECT_TRUE(out.empty());
}

TEST(Rays, PolygonLineCrossingAtTheFirstVertexIsNotRepeated) {
    // The first and the last edge both meet the first vertex (0,0); it is one crossing.
    std::vector<CPoint3d> out;
    const AcGeLine3d diagonal(AcGePoint3d(-5, -5, 0), AcGePoint3d(15, 15, 0));
    for (const auto& pts : {square(), closedSquare()}) {
        EXPECT_EQ(PolygonIntersectWithLine(pts, diagonal, out), 2);
        ASSERT_EQ(out.size(), 2u);
        expectXyz(out[0], 0, 0, 0);
        expectXyz(out[1], 10, 10, 0);
    }
}

}  // namespace
