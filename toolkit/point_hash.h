// A uniform grid of points for "is some stored point equal to this one" queries.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace cleanup_detail {

// Stores points by grid cell. Cells are at least `reach` wide, so any stored point
// within `reach` of a query on every axis lies in one of the 27 cells around it.
// Points with a non-finite coordinate are never stored and never looked up: under a
// finite reach they equal nothing. With an infinite reach every point goes into one
// list and each query tests them all.
template <class P>
class PointGrid {
public:
    template <class List>
    PointGrid(const List& pts, double reach) {
        double scale = 0.0;
        for (const P& p : pts) {
            if (isFinite(p))
                scale = std::max({scale, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        }
        m_flat = reach == std::numeric_limits<double>::infinity();
        // A NaN or negative reach matches identical points at most: any cell width does.
        const double width = reach > 0.0 ? reach : 0.0;
        // Keeps cell indices well inside the range of a 64-bit integer.
        m_cell = std::max({width, scale * 0x1p-40, std::numeric_limits<double>::min()});
    }

    void insert(const P& p) {
        if (m_flat) {
            m_all.push_back(p);
        } else if (isFinite(p)) {
            m_cells[keyOf(p, 0, 0, 0)].push_back(p);
        }
    }

    // Whether `equal` holds for some stored point near p.
    template <class Pred>
    bool anyNear(const P& p, Pred equal) const {
        if (m_flat)
            return std::any_of(m_all.begin(), m_all.end(), equal);
        if (!isFinite(p))
            return false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    const auto it = m_cells.find(keyOf(p, dx, dy, dz));
                    if (it != m_cells.end() &&
                        std::any_of(it->second.begin(), it->second.end(), equal)) {
                        return true;
                    }
                }
        return false;
    }

private:
    struct Key {
        std::int64_t x, y, z;
        bool operator==(const Key& k) const { return x == k.x && y == k.y && z == k.z; }
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            std::uint64_t h = static_cast<std::uint64_t>(k.x) * 0x9E3779B97F4A7C15ull;
            h ^= static_cast<std::uint64_t>(k.y) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
            h ^= static_cast<std::uint64_t>(k.z) + 0x94D049BB133111EBull + (h << 6) + (h >> 2);
            return static_cast<size_t>(h);
        }
    };

    static bool isFinite(const P& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    }
    std::int64_t cellOf(double v) const {
        return static_cast<std::int64_t>(std::floor(v / m_cell));
    }
    Key keyOf(const P& p, int dx, int dy, int dz) const {
        return Key{cellOf(p.x) + dx, cellOf(p.y) + dy, cellOf(p.z) + dz};
    }

    bool m_flat = false;
    double m_cell = 1.0;
    std::vector<P> m_all;
    std::unordered_map<Key, std::vector<P>, KeyHash> m_cells;
};

}  // namespace cleanup_detail
