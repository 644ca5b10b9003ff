// Result rings on the clipping grid: telling rings that only touch from rings that cross.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gpc/grid_rings.h"

namespace {

using gpc_detail::GridRing;

// Rings that meet at vertices cross there only when they pass through to each other's far side.
TEST(GridRings, CrossingAtASharedVertexIsToldFromTouching) {
    const struct {
        const char* name;
        std::vector<GridRing> rings;
        bool cross;
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
        {"rings passing through each other",
         {{{0, 0}, {2, 2}, {4, 4}, {4, 0}}, {{0, 4}, {2, 2}, {4, 0}, {5, 5}}},
         true},
        {"one ring crossing itself", {{{0, 0}, {2, 2}, {4, 4}, {4, 0}, {2, 2}, {0, 4}}}, true},
        {"one ring touching itself", {{{0, 0}, {2, 2}, {4, 0}, {4, 4}, {2, 2}, {0, 4}}}, false},
    };
    for (const auto& c : cases) {
        std::vector<const GridRing*> rings;
        for (const GridRing& r : c.rings) {
            rings.push_back(&r);
        }
        EXPECT_EQ(gpc_detail::crossAtSharedVertex(rings), c.cross) << c.name;
    }
}

}  // namespace
