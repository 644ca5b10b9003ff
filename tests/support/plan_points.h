#pragma once
// Plan point lists written as (x, y) pairs, and their expectations, for the toolkit tests.

#include <geo/point3d.h>

#include "support/point_lists.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace plan_test {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using XY = std::pair<double, double>;
using XYList = std::vector<XY>;

// A plan point at z 0.
inline CPoint3d at(double x, double y) {
    return CPoint3d(x, y, 0.0);
}

// A point list at z 0.
inline std::vector<CPoint3d> pts(const XYList& xy) {
    std::vector<CPoint3d> out;
    for (const XY& p : xy) {
        out.emplace_back(p.first, p.second, 0.0);
    }
    return out;
}

// Every point of actual matches expected in x and y within tol, in order.
inline void expectXY(const std::vector<CPoint3d>& actual, const XYList& expected,
                     double tol = 1e-9) {
    point_lists::expectPlan(actual, pts(expected), tol);
}

// The elbow (0,0)-(10,0)-(10,10) and the 10 x 10 square from the origin, counter-clockwise
// without a closing point.
inline const XYList kElbow{{0, 0}, {10, 0}, {10, 10}};
inline const XYList kOpenSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

// The closed 10 x 10 square from the origin, counter-clockwise, last point repeating the first.
inline std::vector<CPoint3d> closedSquare() {
    return pts({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
}

}  // namespace plan_test
