// Sampling rules written out literally, as references for the library's faster forms: the
// polyline steps with Polar per point, the polygon lattice asking PtInArea for every point.
#pragma once

#include <geo/containment.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace reference {

inline void MeasurePolyline(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step) {
    if (pts.size() < 2) {
        return;
    }
    SetZ(pts, 0.0);
    std::vector<double> ends;
    double total = 0.0;
    for (size_t j = 0; j + 1 < pts.size(); ++j) {
        total += pts[j].distanceTo(pts[j + 1]);
        ends.push_back(total);
    }
    const int count = static_cast<int>(total / step + 0.7);
    for (int k = 0; k < count; ++k) {
        size_t j = 0;
        while (j + 1 < ends.size() && ends[j] < k * step) {
            ++j;
        }
        const double len = pts[j].distanceTo(pts[j + 1]);
        out.push_back(Polar(pts[j], GetAngle(pts[j], pts[j + 1]), k * step - (ends[j] - len)));
    }
}

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
