// The hull and least-area rectangle rules written out literally, as the references for the
// library's faster forms: the hull with a comparison sort of every point, the rectangle turning
// and boxing the whole hull for every candidate rotation.
#pragma once

#include <geo/hull.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/numeric.h"

namespace reference {

// Monotone chain over a comparison sort: exact (x, y, input position), then each run of
// x-values within 1e-6 of the previous one ordered by y; points equal within 1e-6 count once.
inline void ConvexHull(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& hull) {
    hull.clear();
    std::vector<size_t> order;
    for (size_t i = 0; i < pts.size(); ++i) {
        if (!geo_detail::isFiniteXY(pts[i])) {
            return;
        }
        order.push_back(i);
    }
    if (pts.size() < 3) {
        return;
    }
    auto exact = [&](size_t a, size_t b) {
        const CPoint3d &p = pts[a], &q = pts[b];
        return p.x != q.x ? p.x < q.x : (p.y != q.y ? p.y < q.y : a < b);
    };
    std::sort(order.begin(), order.end(), exact);
    for (size_t start = 0, i = 1; i <= order.size(); ++i) {
        if (i == order.size() || std::fabs(pts[order[i]].x - pts[order[i - 1]].x) > 1e-6) {
            std::stable_sort(order.begin() + start, order.begin() + i,
                             [&](size_t a, size_t b) { return pts[a].y < pts[b].y; });
            start = i;
        }
    }
    std::vector<CPoint3d> sorted;
    for (size_t i : order) {
        if (sorted.empty() || !pts[i].isEqualTo(sorted.back(), 1e-6)) {
            sorted.push_back(pts[i]);
        }
    }
    if (sorted.size() < 2) {
        return;
    }
    auto left = [](const CPoint3d& a, const CPoint3d& b, const CPoint3d& c) {
        return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x) > 0.0;
    };
    auto chain = [&](std::vector<CPoint3d> line, bool forward) {
        const size_t n = sorted.size();
        for (size_t k = 2; k < n; ++k) {
            line.push_back(forward ? sorted[k] : sorted[n - 1 - k]);
            while (line.size() >= 3 &&
                   left(line[line.size() - 3], line[line.size() - 2], line.back())) {
                line.erase(line.end() - 2);
            }
        }
        return line;
    };
    const size_t n = sorted.size();
    hull = chain({sorted[0], sorted[1]}, true);
    const std::vector<CPoint3d> lower = chain({sorted[n - 1], sorted[n - 2]}, false);
    hull.insert(hull.end(), lower.begin() + 1, lower.end() - 1);
}

// Turns the hull's outline about its first point by r and returns its box area.
inline double turnedBoxArea(const std::vector<CPoint3d>& hull, double r, CPoint3d& min,
                            CPoint3d& max) {
    CPolygon outline(hull, true);
    outline.rotate(hull[0], r);
    outline.getBox(min, max);
    return (max.x - min.x) * (max.y - min.y);
}

inline bool GetMinBesiegeRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& rect) {
    using geo_detail::kPi;
    rect.clear();
    std::vector<CPoint3d> hull;
    ::ConvexHull(pts, hull);
    if (pts.empty() || hull.empty()) {
        return false;
    }
    std::vector<double> rotations;
    for (size_t i = 0; i < hull.size(); ++i) {
        double a = GetAngle(hull[i], hull[(i + 1) % hull.size()]);
        a = a >= kPi ? a - kPi : a;
        if (std::find(rotations.begin(), rotations.end(), kPi - a) == rotations.end()) {
            rotations.push_back(kPi - a);
        }
    }
    double best = 0.0, bestArea = 0.0;
    for (size_t i = 0; i < rotations.size(); ++i) {
        CPoint3d min, max;
        const double area = turnedBoxArea(hull, rotations[i], min, max);
        if (i == 0 || area < bestArea) {
            best = rotations[i];
            bestArea = area;
        }
    }
    CPoint3d min, max;
    turnedBoxArea(hull, best, min, max);
    CPolygon box;
    box.setPoints({min, CPoint3d(max.x, min.y, 0.0), max, CPoint3d(min.x, max.y, 0.0)}, true);
    box.rotate(hull[0], -best);
    rect = box.getPoints();
    return !(CalPolyArea(rect) < 1e-6);
}

}  // namespace reference
