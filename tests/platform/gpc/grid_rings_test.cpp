// Result rings on the clipping grid: telling rings that only touch from rings that overlap.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gpc/grid_rings.h"

namespace {

using gpc_detail::GridRing;

// Rings meeting at vertices overlap when they pass through to each other's far side there, or run
// along a common edge with their insides on the same side of it and neither holding the other.
TEST(GridRings, OverlapAtASharedVertexIsToldFromTouching) {
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
        {"one ring crossing itself", {{{0, 0}, {2, 2}, {5, 5}, {5, 0}, {2, 2}, {0, 4}}}, true},
        {"one ring touching itself", {{{0, 0}, {2, 2}, {4, 0}, {4, 4}, {2, 2}, {0, 4}}}, false},
    };
    for (const auto& c : cases) {
        std::vector<const GridRing*> rings;
        for (const GridRing& r : c.rings) {
            rings.push_back(&r);
        }
        const std::vector<gpc_detail::Contour> cs = gpc_detail::contoursOf(rings);
        EXPECT_EQ(gpc_detail::overlapAtSharedVertex(cs, gpc_detail::nestContours(cs)), c.overlap)
            << c.name;
    }
}

}  // namespace
