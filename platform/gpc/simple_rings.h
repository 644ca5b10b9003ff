// Whether two operands on the grid are safe for the overlay engine, which computes in doubles.
#pragma once

#include <vector>

#include "platform/gpc/grid_rings.h"

namespace gpc_detail {

// True when each operand is a set of simple, pairwise disjoint rings, and the two operands' edges
// meet only in clear crossings: within one operand no two edges meet except consecutive ones at
// their shared vertex, and no vertex lies nearly on the line of an edge near it without clearly
// keeping to one side. The rings must have 3 or more vertices and no repeated consecutive vertex.
// False also when proving it would take more than a budget linear in the number of edges (edges
// packed so closely that their boxes overlap in bulk).
bool suitOverlay(const std::vector<GridRing>& a, const std::vector<GridRing>& b);

}  // namespace gpc_detail
