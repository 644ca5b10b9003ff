// The largest-loop reduction written as plainly as its rule reads: erase folded corners,
// search every pair of edges for the first crossing, cut there and recurse into both
// loops. Tests and benchmarks compare the library against it.
#pragma once

#include <geo/containment.h>
#include <geo/lines.h>
#include <geo/measures.h>

#include <vector>

namespace shadow_reference {

inline double GetMaxPL(std::vector<CPoint3d>& pts, bool dropClockwise) {
    for (size_t i = 0; i < pts.size();) {
        const size_t n = pts.size(), j = (i + 1) % n, k = (i + 2) % n;
        if (CLineSeg(pts[i], pts[j]).isOn(pts[k], 1e-6) ||
            CLineSeg(pts[j], pts[k]).isOn(pts[i], 1e-6)) {
            pts.erase(pts.begin() + j);
        } else {
            ++i;
        }
    }
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;
            }
            CPoint3d p;
            if (!IsIntersectWith(pts[i], pts[i + 1], pts[j], pts[(j + 1) % n], p)) {
                continue;
            }
            std::vector<CPoint3d> a(pts.begin(), pts.begin() + i + 1);
            a.push_back(p);
            if (j + 1 < n) {
                a.insert(a.end(), pts.begin() + j + 1, pts.end());
            }
            std::vector<CPoint3d> b{p};
            b.insert(b.end(), pts.begin() + i + 1, pts.begin() + j + 1);
            const double areaA = shadow_reference::GetMaxPL(a, dropClockwise);
            const double areaB = shadow_reference::GetMaxPL(b, dropClockwise);
            pts = areaB < areaA ? a : b;
            return areaB < areaA ? areaA : areaB;
        }
    }
    if (dropClockwise && PolyIsClockWise(pts)) {
        pts.clear();
        return 0.0;
    }
    return CalPolyArea(pts);
}

}  // namespace shadow_reference
