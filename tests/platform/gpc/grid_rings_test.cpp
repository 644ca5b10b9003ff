// Result rings on the clipping grid: telling rings that only touch from rings that overlap.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gpc/grid_rings.h"

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

}  // namespace
