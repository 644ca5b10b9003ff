// Polygon-set booleans and unions, region parts, bridged holes, contour classification and
// pinch splitting.
#include <geo/measures.h>
#include <geo/region_sets.h>

#include <gtest/gtest.h>

#include "support/footprints.h"
#include "support/geos_areas.h"
#include "toolkit/pt_in_area_reference.h"
#include "toolkit/region_sets_reference.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace {

using Pts = std::vector<CPoint3d>;
using PtsList = std::vector<Pts>;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

Pts Rect(double x0, double y0, double x1, double y1) {
    return {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
}

Pts Reversed(Pts pts) {
    std::reverse(pts.begin(), pts.end());
    return pts;
}

double TotalArea(const std::vector<CPolygon>& gons) {
    double sum = 0;
    for (const CPolygon& g : gons) {
        sum += g.area();
    }
    return sum;
}

double TotalLength(const std::vector<CPolygon>& gons) {
    double sum = 0;
    for (const CPolygon& g : gons) {
        sum += g.length();
    }
    return sum;
}

// Plan distance from p to the closed outline.
double DistToOutline(const CPoint3d& p, Pts outline) {
    outline.push_back(outline.front());
    CPoint3d foot;
    return GetDistPt2Poly(p, outline, foot);
}

// ---- Booleans ----------------------------------------------------------------------------

TEST(RegionSetsBoolean, PairAreaCountsOuterContoursAndFailsOnApartBoxes) {
    struct Case {
        Pts a, b;
        gpc::gpc_op op;
        bool ok;
        double area;
    };
    const Case cases[] = {
        {Rect(0, 0, 1, 1), Rect(0.5, 0, 1.5, 1), gpc::GPC_INT, true, 0.5},
        {Rect(0, 0, 1, 1), Rect(0.5, 0, 1.5, 1), gpc::GPC_UNION, true, 1.5},
        {Rect(0, 0, 1, 1), Rect(5, 5, 6, 6), gpc::GPC_UNION, false, 0.0},  // boxes apart
        {Rect(0, 0, 1, 1), Rect(1, 0, 2, 1), gpc::GPC_INT, false, 7.0},    // touching: no contour
        {Rect(0, 0, 4, 4), Rect(1, 1, 3, 3), gpc::GPC_DIFF, true, 16.0},   // hole not subtracted
        {Rect(0, 0, 1, 1), Pts{{0, 0, 0}, {1, 1, 0}}, gpc::GPC_INT, false, 7.0},
    };
    for (const Case& c : cases) {
        const CPolygon a(c.a, true), b(c.b, true);
        double area = 7.0;
        EXPECT_EQ(BooleanOper(&a, &b, area, c.op), c.ok);
        EXPECT_NEAR(area, c.area, 1e-9);
    }
    double area = 7.0;
    const CPolygon a(Rect(0, 0, 1, 1), true);
    EXPECT_FALSE(BooleanOper(&a, nullptr, area, gpc::GPC_INT));
    EXPECT_FALSE(BooleanOper(nullptr, &a, area, gpc::GPC_UNION));
    EXPECT_EQ(area, 7.0);
}

// Intersections of random footprints on a crowded site agree with GEOS.
TEST(RegionSetsBoolean, PairIntersectionAreaAgreesWithGeos) {
    const std::vector<CPolygon> site = footprints::Site(77, 200, 40.0);
    int overlapping = 0;
    for (size_t i = 0; i + 1 < site.size(); ++i) {
        double area = -1;
        const bool ok = BooleanOper(&site[i], &site[i + 1], area, gpc::GPC_INT);
        const std::string pair = "GEOMETRYCOLLECTION(" +
                                 geos_areas::polygonWkt(site[i].getPoints()) + ", " +
                                 geos_areas::polygonWkt(site[i + 1].getPoints()) + ")";
        const double expected =
            geos_areas::areaOf(pair, [](GEOSContextHandle_t ctx, const GEOSGeometry* g) {
                return GEOSIntersection_r(ctx, GEOSGetGeometryN_r(ctx, g, 0),
                                          GEOSGetGeometryN_r(ctx, g, 1));
            });
        if (area >= 0) {
            EXPECT_NEAR(area, expected, 1e-9 * site[i].area()) << i;
        }
        EXPECT_EQ(ok, expected > 0.01) << i;
        overlapping += ok;
    }
    EXPECT_GT(overlapping, 20);
}

TEST(RegionSetsBoolean, ListSplitsOutersAndHolesAndFoldsOtherOpsFromTheLeft) {
    std::vector<CPolygon> ring{CPolygon(Rect(0, 0, 4, 1), true), CPolygon(Rect(3, 0, 4, 4), true),
                               CPolygon(Rect(0, 3, 4, 4), true), CPolygon(Rect(0, 0, 1, 4), true)};
    std::vector<CPolygon> outers, holes{ring[0]};
    ASSERT_TRUE(BooleanOper(ring, outers, holes, gpc::GPC_UNION));
    ASSERT_EQ(outers.size(), 1u);
    ASSERT_EQ(holes.size(), 1u);
    EXPECT_NEAR(outers[0].area(), 16, 1e-9);
    EXPECT_NEAR(holes[0].area(), 4, 1e-9);

    // ((big - a) - b), the input list doubling as the outer list.
    std::vector<CPolygon> list{CPolygon(Rect(0, 0, 10, 10), true),
                               CPolygon(Rect(-1, -1, 2, 11), true),
                               CPolygon(Rect(8, -1, 11, 11), true)};
    ASSERT_TRUE(BooleanOper(list, list, holes, gpc::GPC_DIFF));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_NEAR(list[0].area(), 60, 1e-9);

    std::vector<CPolygon> one{CPolygon(Pts{{0, 0, 0}, {1, 0, 0}}, false)}, none;
    EXPECT_TRUE(BooleanOper(one, outers, holes, gpc::GPC_INT));  // copied as it is
    EXPECT_EQ(outers[0].numVerts(), 2);
    EXPECT_FALSE(BooleanOper(none, outers, holes, gpc::GPC_UNION));
    EXPECT_TRUE(outers.empty() && holes.empty());
}

double GeosUnionArea(const std::vector<CPolygon>& gons) {
    PtsList outlines;
    for (const CPolygon& g : gons) {
        outlines.push_back(g.getPoints());
    }
    return geos_areas::unionArea(outlines);
}

// The tree union agrees with the literal left fold: contour counts, hole flags, areas at 1e-9
// of the total, every vertex on the fold's outline within 1e-9; its area agrees with GEOS's;
// the lists come in lower-left order and UnionPolygonArr gives the same outers.
TEST(RegionSetsBoolean, TreeUnionMatchesLeftFoldAndGeos) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<CPolygon> site = footprints::Site(seed, 10 + seed * 4);
        std::vector<CPolygon> outers, holes, foldOuters, foldHoles;
        std::vector<CPolygon> in = site;
        ASSERT_TRUE(BooleanOper(in, outers, holes, gpc::GPC_UNION));
        region_sets_reference::FoldUnion(site, foldOuters, foldHoles);
        ASSERT_EQ(outers.size(), foldOuters.size()) << seed;
        ASSERT_EQ(holes.size(), foldHoles.size()) << seed;
        const double total = TotalArea(foldOuters);
        // Normalising merges vertices nearer than 0.01: the area moves by at most that much
        // times the perimeter.
        EXPECT_NEAR(TotalArea(outers) - TotalArea(holes), GeosUnionArea(site),
                    0.01 * (TotalLength(outers) + TotalLength(holes)));
        for (auto* pair : {&outers, &holes}) {
            std::vector<CPolygon>& tree = *pair;
            std::vector<CPolygon>& fold = pair == &outers ? foldOuters : foldHoles;
            std::stable_sort(fold.begin(), fold.end(), [](const CPolygon& a, const CPolygon& b) {
                return a.boxMin.x != b.boxMin.x ? a.boxMin.x < b.boxMin.x : a.boxMin.y < b.boxMin.y;
            });
            for (size_t i = 0; i < tree.size(); ++i) {
                EXPECT_NEAR(tree[i].area(), fold[i].area(), 1e-9 * total) << seed;
                for (const CPoint3d& p : tree[i].getPoints()) {
                    EXPECT_LE(DistToOutline(p, fold[i].getPoints()), 1e-9) << seed;
                }
            }
        }
        std::vector<CPolygon> arr = site;
        UnionPolygonArr(arr);
        ASSERT_EQ(arr.size(), outers.size());
        for (size_t i = 0; i < arr.size(); ++i) {
            EXPECT_EQ(arr[i].getPoints(), outers[i].getPoints());
        }
    }
}

TEST(RegionSetsBoolean, UnionToleratesUnusableMembers) {
    std::vector<CPolygon> in{CPolygon(Rect(0, 0, 1, 1), false),
                             CPolygon(Pts{{kNaN, 0, 0}, {1, 0, 0}, {1, 1, 0}}, false),
                             CPolygon(Pts{{5, 5, 0}}, false), CPolygon(Rect(0.5, 0, 2, 1), false)};
    std::vector<CPolygon> outers, holes;
    ASSERT_TRUE(BooleanOper(in, outers, holes, gpc::GPC_UNION));
    ASSERT_EQ(outers.size(), 1u);
    EXPECT_NEAR(outers[0].area(), 2, 1e-9);
    std::vector<CPolygon> single{CPolygon(Rect(0, 0, 1, 1), true)};
    UnionPolygonArr(single);  // fewer than 2: untouched
    EXPECT_EQ(single.size(), 1u);
}

// ---- Unions into polygons and regions ------------------------------------------------------

TEST(RegionSetsUnion, PolygonUnionJoinsTouchingOutlinesOnly) {
    CPolygon out(Rect(9, 9, 10, 10), true);
    const std::vector<CPolygon> apart{CPolygon(Rect(0, 0, 1, 1), true),
                                      CPolygon(Rect(2, 0, 3, 1), true)};
    EXPECT_FALSE(PolygonUNION(apart, out));
    EXPECT_EQ(out.getPoints(), Rect(9, 9, 10, 10));
    const std::vector<CPolygon> touching{CPolygon(Rect(0, 0, 1, 1), true),
                                         CPolygon(Rect(1, 0, 2, 1), true)};
    ASSERT_TRUE(PolygonUNION(touching, out));
    EXPECT_NEAR(out.area(), 2, 1e-6);
    EXPECT_TRUE(PolygonUNION({CPolygon(Rect(0, 0, 3, 3), true)}, out));
    EXPECT_EQ(out.getPoints(), Rect(0, 0, 3, 3));
    EXPECT_FALSE(PolygonUNION({}, out));
}

TEST(RegionSetsUnion, GonsAndRegionsUniteIntoOneRegion) {
    CRegion out(Rect(50, 50, 51, 51));
    UnionGons2Region({}, out);
    EXPECT_NEAR(out.area(), 1, 1e-9);  // empty list: untouched
    UnionGons2Region({CPolygon(Rect(0, 0, 4, 1), true), CPolygon(Rect(3, 0, 4, 4), true),
                      CPolygon(Rect(0, 3, 4, 4), true), CPolygon(Rect(0, 0, 1, 4), true)},
                     out);
    EXPECT_NEAR(out.area(), 12, 1e-9);
    UnionRgns2Region({out, CRegion(Rect(1, 1, 3, 3)), CRegion(Rect(10, 0, 11, 1))}, out);
    EXPECT_NEAR(out.area(), 17, 1e-9);
    EXPECT_EQ(out.contours.size(), 2u);
}

TEST(RegionSetsUnion, PlanarDifferenceNeedsEqualNormalsAndWorksInThePlaneFrame) {
    Pts a = Rect(0, 0, 4, 4), b = Rect(1, 1, 2, 2), flipped = Reversed(b);
    CRegion out;
    ASSERT_TRUE(PlanfirstSubtractsecondPlan(a, b, out));
    EXPECT_NEAR(out.area(), 15, 1e-9);
    EXPECT_FALSE(PlanfirstSubtractsecondPlan(a, flipped, out));
    // The same outlines stood up in the plane x = 5: the difference keeps its area.
    auto standUp = [](const Pts& pts) {
        Pts r;
        for (const CPoint3d& p : pts) {
            r.emplace_back(5, p.x, p.y);
        }
        return r;
    };
    Pts ta = standUp(a), tb = standUp(Rect(1, 1, 2, 5));
    ASSERT_TRUE(PlanfirstSubtractsecondPlan(ta, tb, out));
    EXPECT_NEAR(out.area(), 13, 1e-9);
    Pts shortList = {{0, 0, 0}, {1, 0, 0}};
    EXPECT_FALSE(PlanfirstSubtractsecondPlan(shortList, a, out));
}

// ---- Region parts and bridged holes ----------------------------------------------------------

TEST(RegionSetsParts, OneOuterPartsTakeTheHolesTheyHold) {
    CRegion rgn({Rect(0, 0, 10, 10), Rect(2, 2, 8, 8), Rect(20, 0, 30, 10)},
                {Rect(4, 4, 5, 5), Rect(22, 2, 23, 3), Rect(50, 50, 51, 51)});
    std::vector<CRegion> parts;
    region2regionWithOnlyOneOutside(rgn, parts);
    ASSERT_EQ(parts.size(), 3u);  // smallest outer first, equals in region order
    EXPECT_NEAR(parts[0].area(), 35, 1e-9);
    EXPECT_NEAR(parts[1].area(), 100, 1e-9);
    EXPECT_NEAR(parts[2].area(), 99, 1e-9);

    std::vector<CRegion*> heap;
    getRegionsFromRegion(&rgn, heap);
    getRegionsFromRegion(nullptr, heap);
    ASSERT_EQ(heap.size(), 3u);  // region order; the nested hole goes to both outers around it
    const std::vector<double> areas{99, 35, 99};
    for (size_t i = 0; i < heap.size(); ++i) {
        EXPECT_NEAR(heap[i]->area(), areas[i], 1e-9);
        delete heap[i];
    }
}

TEST(RegionSetsParts, HoleIsBridgedVerticallyFromItsTopToTheEdgeAbove) {
    Pts outer = Rect(0, 0, 10, 10);
    PtsList holes{Rect(4, 20, 6, 22), Rect(4, 4, 6, 6)};  // nothing above the first: not bridged
    std::vector<CPolygon> out;
    eraseHole(outer, holes, out);
    // The hole runs clockwise from its first top vertex (4, 6); the repeated start of the
    // closed hole is merged by normalising.
    const Pts expected{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {4, 10, 0}, {4, 6, 0}, {6, 6, 0},
                       {6, 4, 0}, {4, 4, 0},  {4, 6, 0},   {4, 10, 0}, {0, 10, 0}};
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].getPoints(), expected);
    EXPECT_NEAR(out[0].area(), 96, 1e-9);

    // Whole regions: every part bridged, areas kept; a region without outers gives nothing.
    const CRegion rgn({Rect(0, 0, 10, 10), Rect(20, 0, 30, 10)},
                      {Rect(2, 2, 3, 3), Rect(5, 5, 7, 6), Rect(22, 2, 28, 8)});
    out.clear();
    region2polygon(rgn, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(TotalArea(out), rgn.area(), 1e-9);
    CRegion holesOnly;
    holesOnly.contours = {RegionContour(Rect(0, 0, 1, 1), false),
                          RegionContour(Rect(2, 2, 3, 3), false)};
    region2polygonWithHole(holesOnly, out);
    EXPECT_EQ(out.size(), 2u);
}

TEST(RegionSetsParts, LooseListsAreClassifiedByContainment) {
    CRegion rgn;
    SetPtsArr2Region(
        {Rect(0, 0, 10, 10), {}, Rect(2, 2, 8, 8), Rect(3, 3, 4, 4), Rect(20, 0, 21, 1)}, rgn);
    ASSERT_EQ(rgn.contours.size(), 4u);
    const bool outer[] = {true, false, false, true};  // the island in the hole is a hole too
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rgn.contours[i].isOuter, outer[i]);
    }

    removeHolesInHoleFrmRgn(&rgn);
    removeHolesInHoleFrmRgn(nullptr);
    ASSERT_EQ(rgn.contours.size(), 3u);
    EXPECT_EQ(rgn.contours[1].pts, Rect(2, 2, 8, 8));

    PtsList out{Rect(0, 0, 1, 1)};
    CPolygon notRegion(Rect(0, 0, 1, 1), true);
    EXPECT_FALSE(GetRegionOutPts(&notRegion, out));
    EXPECT_FALSE(GetRegionHoles(nullptr, out));
    EXPECT_EQ(out.size(), 1u);
    EXPECT_TRUE(GetRegionOutPts(&rgn, out));
    EXPECT_EQ(out.size(), 2u);
    EXPECT_TRUE(GetRegionHoles(&rgn, out));
    EXPECT_EQ(out.size(), 1u);
    CRegion empty;
    EXPECT_FALSE(GetRegionHoles(&empty, out));
    EXPECT_TRUE(out.empty());
}

// Many random nested stars, long enough to be prepared for the others' first points, half
// snapped to a grid so that first points fall on other outlines' edges.
PtsList NestedStars(std::mt19937& rng, int count) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    PtsList stars;
    for (int k = 0; k < count; ++k) {
        const int n = 20 + static_cast<int>(rng() % 40);
        stars.push_back(reference::randomStar(rng, n, 100 * unit(rng), 100 * unit(rng),
                                              5 + 60 * unit(rng), k % 2 ? 0.5 : 0.0));
    }
    return stars;
}

TEST(RegionSetsParts, ContainmentOfManyContoursMatchesThePairwiseRule) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 30 && !HasFailure(); ++round) {
        const PtsList stars = NestedStars(rng, 5 + 3 * round);
        CRegion loose;
        SetPtsArr2Region(stars, loose);
        const std::vector<bool> inside = region_sets_reference::FirstPointsInsideAnother(stars);
        ASSERT_EQ(loose.contours.size(), stars.size());
        for (size_t i = 0; i < stars.size(); ++i) {
            EXPECT_EQ(loose.contours[i].isOuter, !inside[i]) << round << " " << i;
        }

        std::vector<RegionContour> literal = loose.contours;
        region_sets_reference::RemoveHolesInHoles(literal);
        CRegion pruned = loose;
        removeHolesInHoleFrmRgn(&pruned);
        ASSERT_EQ(pruned.contours.size(), literal.size()) << round;
        for (size_t i = 0; i < literal.size(); ++i) {
            EXPECT_EQ(pruned.contours[i].pts, literal[i].pts) << round << " " << i;
        }

        const PtsList outers(stars.begin(), stars.begin() + 2);
        const PtsList holes(stars.begin() + 2, stars.end());
        std::vector<CRegion*> parts;
        const CRegion whole(outers, holes);
        getRegionsFromRegion(&whole, parts);
        ASSERT_EQ(parts.size(), 2u);
        for (size_t k = 0; k < 2; ++k) {
            EXPECT_EQ(parts[k]->contours.size(),
                      1 + region_sets_reference::HolesHeld(outers[k], holes))
                << round << " " << k;
            delete parts[k];
        }
    }
}

// ---- Contour repair and ordering -----------------------------------------------------------

TEST(RegionSetsRepair, CourtyardOfASeamOutlineIsSplitOff) {
    Pts plain = Rect(0, 0, 5, 3);
    PtsList patios{Rect(0, 0, 1, 1)};
    EXPECT_FALSE(GetPatioContour(plain, patios));
    EXPECT_EQ(plain, Rect(0, 0, 5, 3));
    EXPECT_EQ(patios.size(), 1u);
    // The outer square, in along a seam at x = 5, round the courtyard clockwise, back out.
    Pts seam{{0, 0, 0}, {5, 0, 0}, {5, 2, 0}, {3, 2, 0},  {3, 8, 0},   {7, 8, 0},
             {7, 2, 0}, {5, 2, 0}, {5, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    ASSERT_TRUE(GetPatioContour(seam, patios));
    EXPECT_NEAR(CalPolyArea(seam), 100, 1e-9);
    ASSERT_EQ(patios.size(), 1u);
    EXPECT_NEAR(CalPolyArea(patios[0]), 24, 1e-9);
}

TEST(RegionSetsRepair, PinchedOutlineSplitsIntoSimpleContours) {
    // Two squares meeting at (1,1); two triangles whose shared corner touches an edge.
    const Pts eight{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0},
                    {2, 2, 0}, {1, 2, 0}, {1, 1, 0}, {0, 1, 0}};
    PtsList out;
    HolePtsSplit2SingleContours(eight, out, 0.001);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(CalPolyArea(out[0]) + CalPolyArea(out[1]), 2, 1e-9);
    const Pts touch{{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {2, 0, 0}, {0, 4, 0}};
    out.clear();
    HolePtsSplit2SingleContours(touch, out, 0.001);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(CalPolyArea(out[0]), 4, 1e-9);
    EXPECT_NEAR(CalPolyArea(out[1]), 4, 1e-9);
}

// Random lattice walks pinch and touch everywhere: the indexed split matches the plain one.
TEST(RegionSetsRepair, PinchSplitMatchesAllPairsReference) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> cell(0, 5), len(3, 24);
    for (int trial = 0; trial < 400; ++trial) {
        Pts walk;
        for (int k = len(rng); k > 0; --k) {
            walk.emplace_back(cell(rng), cell(rng), 0);
        }
        PtsList fast, plain;
        HolePtsSplit2SingleContours(walk, fast, 0.001);
        region_sets_reference::SplitPinches(walk, plain, 0.001);
        EXPECT_EQ(fast, plain) << trial;
    }
}

// Squares on a diagonal touching corner to corner, walked up one side and down the other.
Pts DiagonalChain(int squares) {
    Pts chain;
    for (int i = 0; i < squares; ++i) {
        chain.insert(chain.end(), {{double(i), double(i), 0}, {i + 1.0, double(i), 0}});
    }
    chain.emplace_back(squares, squares, 0);
    for (int i = squares; i > 0; --i) {
        chain.insert(chain.end(), {{i - 1.0, double(i), 0}, {i - 1.0, i - 1.0, 0}});
    }
    chain.pop_back();
    return chain;
}

// Every square of a long chain comes apart without recursion; a 10^5-vertex outline with a
// single pinch is split without all-pairs scans; NaN and infinite tolerances end too.
TEST(RegionSetsRepair, LongOutlinesAndOddTolerancesEnd) {
    PtsList out;
    HolePtsSplit2SingleContours(DiagonalChain(200), out, 0.001);
    ASSERT_EQ(out.size(), 200u);
    for (const Pts& p : out) {
        EXPECT_NEAR(CalPolyArea(p), 1, 1e-9);
    }
    // A loop at the start, then a zigzag of 10^5 vertices and back along the top.
    Pts big{{0, 0, 0}, {-1, 0, 0}, {-1, -1, 0}, {0, 0, 0}};
    for (int i = 1; i <= 100000; ++i) {
        big.emplace_back(i, (i % 2) * 0.5, 0);
    }
    big.insert(big.end(), {{100000, 10, 0}, {0, 10, 0}});
    out.clear();
    HolePtsSplit2SingleContours(big, out, 0.001);
    EXPECT_EQ(out.size(), 2u);
    for (double tol : {kNaN, std::numeric_limits<double>::infinity(), -1.0}) {
        out.clear();
        HolePtsSplit2SingleContours({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {kNaN, 1, 0}}, out, tol);
        EXPECT_FALSE(out.empty());
    }
}

// Outers sharing edges are united (a row of 30 squares in one call), pinched outers and holes
// are split, and the depth bound stops the repair.
TEST(RegionSetsRepair, FixRegionUnitesTouchingOutersAndSplitsPinches) {
    PtsList row;
    for (int i = 0; i < 30; ++i) {
        row.push_back(Rect(i, 0, i + 1, 1));
    }
    for (double dist : {0.01, kNaN}) {
        CRegion rgn(row);
        FixRegion(rgn, dist, 0);
        ASSERT_EQ(rgn.contours.size(), 1u);
        EXPECT_NEAR(rgn.area(), 30, 1e-9);
    }
    const Pts eight{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0},
                    {2, 2, 0}, {1, 2, 0}, {1, 1, 0}, {0, 1, 0}};
    Pts pinchedHole = eight;
    for (CPoint3d& p : pinchedHole) {
        p = CPoint3d(p.x + 4, p.y + 4, 0);
    }
    CRegion rgn(PtsList{eight}, PtsList{});
    FixRegion(rgn, 0.01, 0);
    EXPECT_EQ(rgn.contours.size(), 2u);
    CRegion holed(PtsList{Rect(0, 0, 10, 10), Rect(20, 0, 30, 10)}, PtsList{pinchedHole});
    FixRegion(holed, 0.01, 0);
    ASSERT_EQ(holed.contours.size(), 4u);
    EXPECT_FALSE(holed.contours[2].isOuter || holed.contours[3].isOuter);
    EXPECT_NEAR(holed.area(), 198, 1e-9);
    CRegion deep(row);
    FixRegion(deep, 0.01, 6);
    EXPECT_EQ(deep.contours.size(), 30u);
}

// Contours with NaN coordinates or no points, and regions without outers, give the neutral
// results: nothing crashes, loops or invents area.
TEST(RegionSetsBadInput, NonFiniteAndEmptyContoursEndQuietly) {
    const Pts nan{{kNaN, 0, 0}, {1, 0, 0}, {1, kNaN, 0}};
    CRegion rgn;
    rgn.contours = {RegionContour(nan, true), RegionContour(Pts{}, true), RegionContour(nan, false),
                    RegionContour(Pts{}, false), RegionContour(Rect(0, 0, 1, 1), false)};
    std::vector<CRegion> parts;
    region2regionWithOnlyOneOutside(rgn, parts);
    std::vector<CRegion*> heap;
    getRegionsFromRegion(&rgn, heap);
    for (CRegion* r : heap) {
        delete r;
    }
    std::vector<CPolygon> gons;
    region2polygon(rgn, gons);
    removeHolesInHoleFrmRgn(&rgn);
    FixRegion(rgn, 0.01, 0);
    EXPECT_EQ(parts.size(), 2u);
    EXPECT_EQ(heap.size(), 2u);
    SetPtsArr2Region({nan, {}, nan}, rgn);
    EXPECT_EQ(rgn.contours.size(), 2u);
    Pts pts = nan;
    PtsList patios;
    EXPECT_FALSE(GetPatioContour(pts, patios));
    EXPECT_FALSE(PlanfirstSubtractsecondPlan(pts, pts, rgn));
    std::vector<CPolygon> list{CPolygon(nan, false), CPolygon(nan, false)};
    CPolygon out;
    EXPECT_FALSE(PolygonUNION(list, out));
    UnionPolygonArr(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(GetBigContour(PtsList{nan, nan}), 0);
}

TEST(RegionSetsRepair, ContourOrderings) {
    const Pts small = Rect(0, 0, 1, 1), big = Rect(0, 0, 3, 3), high = Rect(0, 5, 1, 6),
              line{{0, 0, 0}, {1, 1, 0}};
    EXPECT_EQ(GetBigContour(PtsList{}), -1);
    EXPECT_EQ(GetBigContour(PtsList{line}), 0);
    EXPECT_EQ(GetBigContour(PtsList{line, line}), 0);
    EXPECT_EQ(GetBigContour(PtsList{small, big, big}), 1);
    const std::vector<std::vector<AcGePoint3d>> ac{{}, {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}}};
    EXPECT_EQ(GetBigContour(ac), 1);
    EXPECT_TRUE(areaLess(small, big));
    EXPECT_FALSE(areaLess(big, small));
    EXPECT_TRUE(highestPosGreate(high, big));
    EXPECT_FALSE(highestPosGreate(big, high));
    EXPECT_FALSE(highestPosGreate({}, small));
}

}  // namespace
