// Tolerances and vertex-list routines shared by the polyline and polygon sources.
#pragma once

#include <geo/mfc/archive.h>
#include <geo/point3d.h>

#include <vector>

#include "foundation/numeric.h"

namespace polylines_detail {

// Vertices closer than this on every axis count as one.
using geo_detail::kPointTol;
// Tolerance of the on-segment and on-line tests of the clean-up.
constexpr double kCleanupOnTol = 0.001;

// Spike removal: a vertex after an edge shorter than 0.02 whose corner is sharper
// than a right angle is erased.
void RemoveSpikes(std::vector<CPoint3d>& pts);
// Erases every vertex lying on the segment between its two neighbours.
void RemoveCollinear(std::vector<CPoint3d>& pts);

// Moves, rotates, scales or mirrors every vertex.
void MoveAll(std::vector<CPoint3d>& pts, const CVector3d& v);
void RotateAll(std::vector<CPoint3d>& pts, const CPoint3d& base, double angle);
void ScaleAll(std::vector<CPoint3d>& pts, const CPoint3d& base, double factor);
void MirrorAll(std::vector<CPoint3d>& pts, const CLine& line);
// Sets the z of every vertex.
void SetAllZ(std::vector<CPoint3d>& pts, double z);
// Every vertex finite.
bool AllValid(const std::vector<CPoint3d>& pts);

// Vertex i of pts, throwing kArrayOutOfBounds outside 0..n-1.
template <typename List>
auto& VertexAt(List& pts, int i) {
    if (i < 0 || static_cast<size_t>(i) >= pts.size()) {
        ThrowArrayOutOfBounds();
    }
    return pts[static_cast<size_t>(i)];
}

}  // namespace polylines_detail
