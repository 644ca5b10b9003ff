// Result rings on the clipping grid: telling rings that only touch from rings that overlap.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gpc/grid_rings.h"
#include "platform/gpc/self_touches.h"

namespace {

using gpc_detail::GridRing;

// Rings overlap when their insides meet next to a common vertex or along a common stretch of edge
// (sharing a vertex or not) while neither holds the other, or when a ring held by another leaves
// it there.
TEST(GridRings, RingsThatOverlapAreToldFromRingsThatTouch) {
    const struct {
        const char* name;
        std::vector<GridRing> rings;
        bool overlap;
    } cases[] = {
        {"squares touching at a corner",
         {{{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {{2, 2}, {4, 2}, {4, 4}, {2, 4}}},
         false},
        {"hole touching its outer's corner",
         {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{0, 0}, {1, 2}, {2, 1}}},
         false},
        {"squares sharing an edge",
         {{{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {{2, 0}, {4, 0}, {4, 2}, {2, 2}}},
         false},
        {"hole running along its outer's edge",
         {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{0, 0}, {2, 0}, {1, 1}}},
         false},
        {"rings overlapping along a common edge",
         {{{0, 0}, {4, 0}, {4, 2}, {0, 2}}, {{0, 0}, {2, 0}, {2, 4}, {0, 4}}},
         true},
        {"rings passing through each other",
         {{{0, 0}, {2, 2}, {4, 4}, {4, 0}}, {{0, 4}, {2, 2}, {4, 0}, {5, 5}}},
         true},
        {"edge lying over part of another's, no vertex shared",
         {{{0, 0}, {4, 0}, {4, 2}, {0, 2}}, {{1, 0}, {3, 0}, {3, 4}, {1, 4}}},
         true},
        {"hole lying along part of its outer's edge",
         {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{1, 0}, {2, 1}, {3, 0}}},
         false},
        {"neighbours abutting along part of an edge",
         {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{1, 0}, {2, -1}, {3, 0}}},
         false},
        {"ring held by a hole leaving it where they share an edge and a vertex",
         {{{2, 2}, {2, 8}, {8, 8}, {8, 2}}, {{2, 2}, {5, 2}, {4, 4}, {1, 3}}},
         true},
        {"one ring crossing itself", {{{0, 0}, {2, 2}, {5, 5}, {5, 0}, {2, 2}, {0, 4}}}, true},
        {"one ring touching itself", {{{0, 0}, {2, 2}, {4, 0}, {4, 4}, {2, 2}, {0, 4}}}, false},
    };
    for (const auto& c : cases) {
        std::vector<const GridRing*> rings;
        for (const GridRing& r : c.rings) {
            rings.push_back(&r);
        }
        const std::vector<gpc_detail::Contour> cs = gpc_detail::contoursOf(rings);
        EXPECT_EQ(gpc_detail::contoursOverlap(cs, gpc_detail::nestContours(cs)), c.overlap)
            << c.name;
    }
}

// Rounding crossings to the grid can leave a held contour a unit or two outside its holder's box
// near a common corner; it is still held.
TEST(GridRings, ContourPokingPastItsHolderByAGridUnitIsStillHeld) {
    const std::vector<GridRing> rings = {{{0, 0}, {100, 50}, {0, 100}},
                                         {{60, 45}, {101, 50}, {60, 55}}};
    const std::vector<gpc_detail::Contour> cs = gpc_detail::contoursOf({&rings[0], &rings[1]});
    EXPECT_EQ(gpc_detail::nestContours(cs), (std::vector<int>{-1, 0}));
}

using Wide = gpc_detail::Wide;

Wide twiceArea(const GridRing& r) {
    Wide a = 0;
    for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        a += Wide(r[j].X) * r[i].Y - Wide(r[i].X) * r[j].Y;
    }
    return a;
}

// Whether the loop passes a point twice, or one of its vertices lies inside one of its edges.
bool touchesItself(const GridRing& r) {
    for (std::size_t i = 0; i < r.size(); ++i) {
        for (std::size_t e = 0; e < r.size(); ++e) {
            const ClipperLib::IntPoint &a = r[e], &b = r[(e + 1) % r.size()], &p = r[i];
            const Wide cross = Wide(b.X - a.X) * (p.Y - a.Y) - Wide(b.Y - a.Y) * (p.X - a.X);
            const Wide fromA = Wide(p.X - a.X) * (b.X - a.X) + Wide(p.Y - a.Y) * (b.Y - a.Y);
            const Wide fromB = Wide(p.X - b.X) * (a.X - b.X) + Wide(p.Y - b.Y) * (a.Y - b.Y);
            if ((i != e && p == a) || (cross == 0 && fromA > 0 && fromB > 0)) {
                return true;
            }
        }
    }
    return false;
}

// Random rings on a coarse grid pass through their own vertices and along their own edges all
// the time: every loop cut from one touches itself nowhere, and the loops cover what it covers.
TEST(SelfTouches, LoopsCutFromARingTouchNothingAndKeepItsArea) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> coord(0, 7), size(3, 40);
    for (int t = 0; t < 500; ++t) {
        GridRing ring(static_cast<std::size_t>(size(rng)));
        for (ClipperLib::IntPoint& p : ring) {
            p = {coord(rng), coord(rng)};
        }
        ClipperLib::Paths loops;
        ASSERT_TRUE(gpc_detail::splitSelfTouches({ring}, loops));
        Wide area = 0;
        for (const GridRing& loop : loops) {
            EXPECT_FALSE(touchesItself(loop)) << "ring " << t;
            area += twiceArea(loop);
        }
        EXPECT_TRUE(area == twiceArea(ring)) << "ring " << t;
    }
}

// Vertices all on one line, each edge spanning most of them: the search would be quadratic, so
// it gives up and leaves the cut to Clipper.
TEST(SelfTouches, CrowdedRingIsRefusedWithinItsBudget) {
    GridRing zigzag;
    for (int i = 0; i < 4096; ++i) {
        zigzag.push_back({i % 2 ? 10000 + i : -i, 0});
    }
    zigzag.push_back({0, 1});
    ClipperLib::Paths loops;
    EXPECT_FALSE(gpc_detail::splitSelfTouches({zigzag}, loops));
}

}  // namespace
