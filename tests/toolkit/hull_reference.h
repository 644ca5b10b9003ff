// The least-area rectangle rule written out literally (every candidate rotation turns and boxes
// the whole hull), as the reference for the calipers of the library.
#pragma once

#include <geo/hull.h>
#include <geo/measures.h>
#include <geo/polylines.h>

#include <algorithm>
#include <vector>

namespace reference {

// Turns the hull's outline about its first point by r and returns its box area.
inline double turnedBoxArea(const std::vector<CPoint3d>& hull, double r, CPoint3d& min,
                            CPoint3d& max) {
    CPolygon outline(hull, true);
    outline.rotate(hull[0], r);
    outline.getBox(min, max);
    return (max.x - min.x) * (max.y - min.y);
}

inline bool GetMinBesiegeRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& rect) {
    const double pi = 3.141592653589793;
    rect.clear();
    std::vector<CPoint3d> hull;
    ConvexHull(pts, hull);
    if (pts.empty() || hull.empty()) {
        return false;
    }
    std::vector<double> rotations;
    for (size_t i = 0; i < hull.size(); ++i) {
        double a = GetAngle(hull[i], hull[(i + 1) % hull.size()]);
        a = a >= pi ? a - pi : a;
        if (std::find(rotations.begin(), rotations.end(), pi - a) == rotations.end()) {
            rotations.push_back(pi - a);
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
