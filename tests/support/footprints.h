// Random building footprints for the polygon-set tests and benchmarks: rectangles and
// L-shapes scattered over a square site, dense enough that many overlap.
#pragma once

#include <geo/point3d.h>
#include <geo/polylines.h>

#include <cmath>
#include <random>
#include <vector>

namespace footprints {

// A rectangle or an L-shape (a rectangle with one corner cut away) with its lower-left
// corner at (x, y), counter-clockwise.
inline std::vector<CPoint3d> Footprint(std::mt19937& rng, double x, double y) {
    std::uniform_real_distribution<double> side(4.0, 20.0), cut(0.3, 0.7);
    const double w = side(rng), h = side(rng);
    if (rng() % 2 == 0) {
        return {{x, y, 0}, {x + w, y, 0}, {x + w, y + h, 0}, {x, y + h, 0}};
    }
    const double cw = w * cut(rng), ch = h * cut(rng);
    return {{x, y, 0},           {x + w, y, 0},      {x + w, y + ch, 0},
            {x + cw, y + ch, 0}, {x + cw, y + h, 0}, {x, y + h, 0}};
}

// count footprints on a square site sized so that each covers about `density` of its share.
inline std::vector<CPolygon> Site(unsigned seed, size_t count, double density = 1.5) {
    std::mt19937 rng(seed);
    const double meanArea = 12.0 * 12.0 * 0.85;
    const double side = std::sqrt(static_cast<double>(count) * meanArea / density);
    std::uniform_real_distribution<double> at(0.0, side);
    std::vector<CPolygon> gons;
    gons.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const double x = at(rng), y = at(rng);
        gons.emplace_back(Footprint(rng, x, y), true);
    }
    return gons;
}

}  // namespace footprints
