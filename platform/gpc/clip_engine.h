// The engines behind the GPC interface: rings of doubles in, outer and hole contours or triangles
// out. gpc.cpp only converts between these and GPC's structs, so an engine can be replaced alone.
#pragma once

#include <vector>

#include <geo/gpc.h>

namespace gpc_detail {

enum class ClipOp { kDifference, kIntersection, kXor, kUnion };

// A borrowed ring: at least 3 vertices, all coordinates finite; the closing edge is implicit.
struct RingView {
    const gpc::gpc_vertex* pts;
    int count;
};

struct ResultContour {
    std::vector<gpc::gpc_vertex> pts;
    bool hole;
};

// Clips `subject` by `clip`, both read even-odd. Outers come counter-clockwise, each followed by
// its holes (clockwise); islands inside holes follow all outers of the enclosing level.
// Any engine failure gives an empty result.
std::vector<ResultContour> clipEvenOdd(ClipOp op, const std::vector<RingView>& subject,
                                       const std::vector<RingView>& clip);

// Triangles covering `rings` read even-odd, three vertices per triangle appended to `triangles`.
// False (and `triangles` unchanged) when the tessellator fails.
bool triangulateEvenOdd(const std::vector<RingView>& rings,
                        std::vector<gpc::gpc_vertex>& triangles);

}  // namespace gpc_detail
