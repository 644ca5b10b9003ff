// The square lattice of the polygon sampling functions and the row scan that keeps its points
// inside an outline (internal).
#pragma once

#include <geo/point3d.h>

#include <cstddef>
#include <vector>

namespace geo_detail {

// Columns at x0 + j step, rows at y0 + i step, all at height z.
struct Lattice {
    double x0 = 0.0, y0 = 0.0, step = 0.0, z = 0.0;
    size_t cols = 0, rows = 0;

    double x(size_t j) const { return x0 + static_cast<double>(j) * step; }
    double y(size_t i) const { return y0 + static_cast<double>(i) * step; }
    CPoint3d at(size_t i, size_t j) const { return CPoint3d(x(j), y(i), z); }
};

// The lattice over the box (min, max) with the given step; false when the step is not
// positive and finite, the box is not finite, or the lattice would exceed the sample cap.
bool MakeLattice(const CPoint3d& min, const CPoint3d& max, double step, Lattice& lattice);

// Appends the lattice's points that lie strictly inside the ring (PtInArea with tol and onEdge
// false says so), row by row. Each row is scanned once against the ring's edges: a point clear
// of every edge and vertex takes the parity of the crossings left of it; points near an edge
// or a vertex, and every point of a ring with a non-finite coordinate, ask PtInArea itself.
void AppendInsideLattice(const Lattice& lattice, const std::vector<CPoint3d>& ring, double tol,
                         std::vector<CPoint3d>& out);

}  // namespace geo_detail
