#pragma once
// Outlines the benchmarks share.

#include <geo/point3d.h>

#include <cmath>
#include <random>
#include <vector>

#include "foundation/numeric.h"

namespace star_outlines {

// A star whose radius jumps at random between 500 and 1000: long, nearly radial edges packed
// side by side (the hard case for box screens), and a sweep that crosses itself often.
inline std::vector<CPoint3d> spikyStar(int n) {
    std::mt19937 rng(19u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> radius(500.0, 1000.0);
    std::vector<CPoint3d> pts;
    for (int k = 0; k < n; ++k) {
        const double a = geo_detail::kTwoPi * k / n;
        const double r = radius(rng);
        pts.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return pts;
}

}  // namespace star_outlines
