// Seeded random point sets shared by the toolkit tests and benchmarks.
#pragma once

#include <geo/point3d.h>

#include <cmath>
#include <random>
#include <vector>

#include "foundation/numeric.h"

namespace testpts {

using geo_detail::kTwoPi;

// n points uniform in the disc of radius r about (cx, cy).
inline std::vector<CPoint3d> inDisc(std::mt19937& rng, size_t n, double r, double cx = 0.0,
                                    double cy = 0.0) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<CPoint3d> pts;
    pts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double a = kTwoPi * u(rng), d = r * std::sqrt(u(rng));
        pts.emplace_back(cx + d * std::cos(a), cy + d * std::sin(a), 0.0);
    }
    return pts;
}

// n points at random angles on the circle of radius r about (cx, cy): every one on the hull.
inline std::vector<CPoint3d> onCircle(std::mt19937& rng, size_t n, double r, double cx = 0.0,
                                      double cy = 0.0) {
    std::uniform_real_distribution<double> u(0.0, kTwoPi);
    std::vector<CPoint3d> pts;
    pts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double a = u(rng);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return pts;
}

// The n corners of a regular polygon of radius r turned by phase.
inline std::vector<CPoint3d> regular(size_t n, double r, double phase, double cx = 0.0,
                                     double cy = 0.0) {
    std::vector<CPoint3d> pts;
    for (size_t i = 0; i < n; ++i) {
        const double a = phase + kTwoPi * static_cast<double>(i) / static_cast<double>(n);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    return pts;
}

// n points on the integer grid [0, side]^2: many repeats and collinear runs.
inline std::vector<CPoint3d> onGrid(std::mt19937& rng, size_t n, int side) {
    std::uniform_int_distribution<int> u(0, side);
    std::vector<CPoint3d> pts;
    for (size_t i = 0; i < n; ++i) {
        pts.emplace_back(u(rng), u(rng), 0.0);
    }
    return pts;
}

}  // namespace testpts
