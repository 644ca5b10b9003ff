// The polygon lattice rule written out literally (every lattice point asks PtInArea), as the
// reference for the row scan of the library.
#pragma once

#include <geo/containment.h>
#include <geo/polylines.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace reference {

// First lattice coordinate and count along one axis of the box.
inline void latticeAxis(double lo, double hi, double step, double& first, int& count) {
    const double rest = std::fmod(lo, step);
    first = lo - rest + step;
    if (first - lo > step) {
        first -= step;
    }
    count = static_cast<int>((hi - lo - rest + step) / step) + 1;
}

inline void MesurePolygon(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step) {
    if (pts.size() < 3) {
        return;
    }
    if (!pts.back().isEqualTo(pts.front(), 1e-6)) {
        pts.push_back(pts.front());
    }
    CPoint3d min, max;
    CPolygon(pts, true).getBox(min, max);
    double x0, y0;
    int cols, rows;
    latticeAxis(min.x, max.x, step, x0, cols);
    latticeAxis(min.y, max.y, step, y0, rows);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            out.emplace_back(x0 + j * step, y0 + i * step, min.z);
        }
    }
    out.erase(std::remove_if(out.begin(), out.end(),
                             [&](const CPoint3d& p) { return !::PtInArea(p, pts, 1e-6, false); }),
              out.end());
}

}  // namespace reference
