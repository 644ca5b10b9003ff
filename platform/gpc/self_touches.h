// Cutting rings that touch themselves into loops that pass every point once.
#pragma once

#include <vector>

#include "platform/gpc/grid_rings.h"

namespace gpc_detail {

// Cuts each ring where it touches itself, at a vertex met twice or where one of its vertices lies
// inside one of its own edges, and appends the loops to `out`: each passes every point once, and
// together they cover what the ring covers. Loops of fewer than 3 vertices are left out; rings
// that touch nothing are appended as they are. False (and `out` partly filled) when the search
// for vertices on edges would take more than a budget linear in the number of edges: vertices
// crowded into one small region of a ring's box.
bool splitSelfTouches(const ClipperLib::Paths& rings, ClipperLib::Paths& out);

}  // namespace gpc_detail
