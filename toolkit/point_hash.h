// A uniform grid of points for "is some stored point equal to this one" queries.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "foundation/numeric.h"

namespace cleanup_detail {

// Stores points by grid cell. Cells are wider than `reach`, so any stored point within
// `reach` of a query on every axis lies in its cell or in a neighbour it lies close to.
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
            if (geo_detail::isFiniteXYZ(p)) {
                scale = std::max({scale, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
            }
        }
        m_flat = reach == std::numeric_limits<double>::infinity();
        // A NaN or negative reach matches identical points at most: any cell width does.
        const double width = reach > 0.0 ? reach : 0.0;
        // Cells much wider than the reach, so a query usually needs its own cell only;
        // the scale term keeps cell indices well inside a 64-bit integer.
        m_cell = std::max({16 * width, scale * 0x1p-40, std::numeric_limits<double>::min()});
        // A neighbour cell is searched when the query lies this close to it (in cells):
        // twice the reach, and never less than the rounding of the cell position.
        m_margin = std::min(0.5, std::max(1e-3, 2 * width / m_cell));
        m_cells.reserve(pts.size());
        m_points.reserve(pts.size());
    }

    void insert(const P& p) {
        if (m_flat) {
            m_all.push_back(p);
        } else if (geo_detail::isFiniteXYZ(p)) {
            // Each cell keeps the index of its latest point; points chain to the one before.
            const auto slot = m_cells.try_emplace(keyOf(p), kNone).first;
            m_points.push_back(Stored{p, slot->second});
            slot->second = m_points.size() - 1;
        }
    }

    // Whether `equal` holds for some stored point near p.
    template <class Pred>
    bool anyNear(const P& p, Pred equal) const {
        if (m_flat) {
            return std::any_of(m_all.begin(), m_all.end(), equal);
        }
        if (!geo_detail::isFiniteXYZ(p)) {
            return false;
        }
        const AxisSpan sx = spanOf(p.x), sy = spanOf(p.y), sz = spanOf(p.z);
        for (int dx = sx.lo; dx <= sx.hi; ++dx) {
            for (int dy = sy.lo; dy <= sy.hi; ++dy) {
                for (int dz = sz.lo; dz <= sz.hi; ++dz) {
                    const auto it = m_cells.find(Key{sx.cell + dx, sy.cell + dy, sz.cell + dz});
                    if (it == m_cells.end()) {
                        continue;
                    }
                    for (size_t k = it->second; k != kNone; k = m_points[k].before) {
                        if (equal(m_points[k].p)) {
                            return true;
                        }
                    }
                }
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

    // A coordinate's cell and the neighbour offsets (-1, 0, 1) worth searching.
    struct AxisSpan {
        std::int64_t cell;
        int lo, hi;
    };
    AxisSpan spanOf(double v) const {
        constexpr double kLimit = 0x1p62;
        const double f = v / m_cell;
        const double k = std::floor(f);
        // Far outside the stored points the cast could overflow: clamp, search both sides.
        if (!(std::fabs(k) < kLimit)) {
            return AxisSpan{static_cast<std::int64_t>(std::clamp(k, -kLimit, kLimit)), -1, 1};
        }
        const double frac = f - k;
        return AxisSpan{static_cast<std::int64_t>(k), frac <= m_margin ? -1 : 0,
                        frac >= 1.0 - m_margin ? 1 : 0};
    }
    Key keyOf(const P& p) const {
        return Key{spanOf(p.x).cell, spanOf(p.y).cell, spanOf(p.z).cell};
    }

    bool m_flat = false;
    double m_cell = 1.0;
    double m_margin = 0.5;
    struct Stored {
        P p;
        size_t before;  // the previous point of the same cell, or kNone
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);

    std::vector<P> m_all;
    std::vector<Stored> m_points;
    std::unordered_map<Key, size_t, KeyHash> m_cells;
};

}  // namespace cleanup_detail
