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
// Any engine failure gives an empty result. Operands of kOverlayMinVertices or more vertices in
// all go to clipWithOverlay when they are sets of disjoint simple rings, else to
// clipWithSplitting; what those refuse, and all smaller operands, to clipWithClipper.
std::vector<ResultContour> clipEvenOdd(ClipOp op, const std::vector<RingView>& subject,
                                       const std::vector<RingView>& clip);

// Below this many vertices in both operands together Clipper is as fast as the overlay route.
constexpr long kOverlayMinVertices = 128;

// Clipper with touching result contours split: any operands, self-crossing ones included.
std::vector<ResultContour> clipWithClipper(ClipOp op, const std::vector<RingView>& subject,
                                           const std::vector<RingView>& clip);

// Clipper without its strictly simple pass, whose cost grows with the square of a tangle's
// crossings: the result rings are cut where they touch themselves instead (splitSelfTouches),
// then nested and untangled as clipWithClipper does. False (and `out` unspecified) when that cut
// runs over its work budget or Clipper fails.
bool clipWithSplitting(ClipOp op, const std::vector<RingView>& subject,
                       const std::vector<RingView>& clip, std::vector<ResultContour>& out);

// Boost.Geometry's overlay, for operands that are each a set of disjoint simple rings. False
// (and `out` untouched) when an operand is not, or cannot be shown to be within a work budget
// linear in its size, or when the overlay fails or gives an implausible area.
bool clipWithOverlay(ClipOp op, const std::vector<RingView>& subject,
                     const std::vector<RingView>& clip, std::vector<ResultContour>& out);

// What gpc_polygon_clip computes before its contours are copied into GPC's structs, for callers
// that hold their operands as rings already: rings of fewer than 3 vertices or with a non-finite
// coordinate are left out, and an unknown operation gives nothing.
std::vector<ResultContour> clipRings(gpc::gpc_op op, const std::vector<RingView>& subject,
                                     const std::vector<RingView>& clip);

// Triangles covering `rings` read even-odd, three vertices per triangle appended to `triangles`.
// False (and `triangles` unchanged) when the tessellator fails.
bool triangulateEvenOdd(const std::vector<RingView>& rings,
                        std::vector<gpc::gpc_vertex>& triangles);

}  // namespace gpc_detail
