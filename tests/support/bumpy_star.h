#pragma once
// The large simple outlines that booleans, offsets and point queries are measured and checked
// on: vertices at increasing angles, radius 400 times a smooth profile of six random
// harmonics times a per-vertex jitter of +-min(0.2, pi / n), coordinates snapped to 1e-6.
// Locally bumpy, yet simple at any n.

#include <geo/point3d.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "foundation/numeric.h"

namespace support {

// Counter-clockwise, open (the first point is not repeated), centred on (cx, cy).
inline std::vector<CPoint3d> bumpyStar(unsigned seed, int n, double cx = 0.0, double cy = 0.0) {
    constexpr int kHarmonics = 6;
    constexpr double kRadius = 400.0, kSnap = 1e6;
    using geo_detail::kTwoPi;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double amp[kHarmonics], phase[kHarmonics];
    for (int k = 0; k < kHarmonics; ++k) {
        amp[k] = 0.08 * unit(rng) / (k + 1);
        phase[k] = kTwoPi * unit(rng);
    }
    const double jitter = std::min(0.2, kTwoPi / 2 / n);
    std::vector<CPoint3d> pts;
    pts.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = kTwoPi * i / n;
        double profile = 1.0;
        for (int k = 0; k < kHarmonics; ++k) {
            profile += amp[k] * std::sin((k + 1) * t + phase[k]);
        }
        const double r = kRadius * profile * (1.0 + jitter * (2.0 * unit(rng) - 1.0));
        pts.emplace_back(std::round((cx + r * std::cos(t)) * kSnap) / kSnap,
                         std::round((cy + r * std::sin(t)) * kSnap) / kSnap, 0.0);
    }
    return pts;
}

}  // namespace support
