// The sampling lattice and its row scan against an outline.
#include "toolkit/lattice.h"

#include <geo/containment.h>
#include <geo/sampling.h>

#include "foundation/numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geo_detail {

namespace {

// A point this far (times the tolerance) from every edge and vertex is decided by parity alone.
constexpr double kClearTols = 8.0;
// Relative part of that clearance, for the rounding of coordinates of the given size.
constexpr double kClearRel = 1e-8;

// The first lattice coordinate at or beyond the box's minimum along one axis, and the count.
bool latticeAxis(double lo, double hi, double step, double& first, double& count) {
    const double rest = std::fmod(lo, step);
    first = lo - rest + step;
    if (first - lo > step) {
        first -= step;
    }
    count = std::trunc((hi - lo - rest + step) / step) + 1.0;
    return std::isfinite(first) && count >= 1.0;
}

// Where one edge that clearly crosses the row meets it, and how far either side of that a
// point still counts as near the edge.
struct RowCrossing {
    double x;
    double halfWidth;
};

class RowScanner {
public:
    RowScanner(const Lattice& lattice, const std::vector<CPoint3d>& ring, double tol)
        : lat_(lattice), ring_(ring), tol_(tol) {
        double scale = std::max({std::fabs(lat_.x(0)), std::fabs(lat_.x(lat_.cols)),
                                 std::fabs(lat_.y(0)), std::fabs(lat_.y(lat_.rows))});
        for (const CPoint3d& p : ring_) {
            scale = std::max({scale, std::fabs(p.x), std::fabs(p.y)});
        }
        clear_ = kClearTols * tol_ + kClearRel * scale;
    }

    // Appends the inside points of row i to out.
    void appendRow(size_t i, std::vector<CPoint3d>& out) {
        const double y = lat_.y(i);
        collectEdges(y);
        markColumns();
        int unsafe = 0;
        bool odd = false;
        for (size_t j = 0; j < lat_.cols; ++j) {
            unsafe += unsafeDiff_[j];
            odd = odd != (flip_[j] != 0);
            const CPoint3d p(lat_.x(j), y, lat_.z);
            const bool exact = unsafe > 0 || !(p.x < exactFrom_);
            if (exact ? PtInArea(p, ring_, tol_, false) : odd) {
                out.push_back(p);
            }
        }
    }

private:
    // Sorts the ring's edges for row y: far on one side (ignored), clearly crossing (kept as
    // crossings), or with an end near the row (everything right of it goes to PtInArea).
    void collectEdges(double y) {
        crossings_.clear();
        exactFrom_ = std::numeric_limits<double>::infinity();
        const size_t n = ring_.size();
        for (size_t k = 0; k < n; ++k) {
            const CPoint3d& r = ring_[k];
            const CPoint3d& q = ring_[(k + 1) % n];
            const double dr = r.y - y, dq = q.y - y;
            if ((dr > clear_ && dq > clear_) || (dr < -clear_ && dq < -clear_)) {
                continue;
            }
            if ((dr > clear_ && dq < -clear_) || (dr < -clear_ && dq > clear_)) {
                const double ux = q.x - r.x, uy = q.y - r.y;
                crossings_.push_back(
                    {r.x - dr * ux / uy, clear_ * (std::fabs(ux) + std::fabs(uy)) / std::fabs(uy)});
            } else {
                exactFrom_ = std::min(exactFrom_, std::min(r.x, q.x) - clear_);
            }
        }
    }

    // The first column whose x is at least v (strictly above v with `above`), cols if none.
    size_t firstColumn(double v, bool above) const {
        const double estimate = std::ceil((v - lat_.x0) / lat_.step);
        size_t j = estimate > 0.0
                       ? static_cast<size_t>(std::min(estimate, static_cast<double>(lat_.cols)))
                       : 0;
        auto past = [&](size_t c) { return above ? lat_.x(c) > v : lat_.x(c) >= v; };
        while (j > 0 && past(j - 1)) {
            --j;
        }
        while (j < lat_.cols && !past(j)) {
            ++j;
        }
        return j;
    }

    // Difference arrays over the columns: where nearness to a crossing starts and ends, and
    // where the parity flips (the first column right of each crossing).
    void markColumns() {
        unsafeDiff_.assign(lat_.cols + 1, 0);
        flip_.assign(lat_.cols + 1, 0);
        for (const RowCrossing& c : crossings_) {
            ++unsafeDiff_[firstColumn(c.x - c.halfWidth, false)];
            --unsafeDiff_[firstColumn(c.x + c.halfWidth, true)];
            flip_[firstColumn(c.x, true)] ^= 1;
        }
    }

    const Lattice& lat_;
    const std::vector<CPoint3d>& ring_;
    double tol_;
    double clear_ = 0.0;
    double exactFrom_ = 0.0;
    std::vector<RowCrossing> crossings_;
    std::vector<int> unsafeDiff_;
    std::vector<char> flip_;
};

}  // namespace

bool MakeLattice(const CPoint3d& min, const CPoint3d& max, double step, Lattice& lattice) {
    if (!(step > 0.0) || !std::isfinite(step) || !isFiniteXY(min) || !isFiniteXY(max)) {
        return false;
    }
    double x0 = 0.0, y0 = 0.0, cols = 0.0, rows = 0.0;
    if (!latticeAxis(min.x, max.x, step, x0, cols) || !latticeAxis(min.y, max.y, step, y0, rows) ||
        !(cols * rows <= static_cast<double>(kMaxSamplePoints))) {
        return false;
    }
    lattice.x0 = x0;
    lattice.y0 = y0;
    lattice.step = step;
    lattice.z = min.z;
    lattice.cols = static_cast<size_t>(cols);
    lattice.rows = static_cast<size_t>(rows);
    return true;
}

void AppendInsideLattice(const Lattice& lattice, const std::vector<CPoint3d>& ring, double tol,
                         std::vector<CPoint3d>& out) {
    if (ring.size() < 3 || !allFiniteXYZ(ring)) {
        for (size_t i = 0; i < lattice.rows; ++i) {
            for (size_t j = 0; j < lattice.cols; ++j) {
                if (PtInArea(lattice.at(i, j), ring, tol, false)) {
                    out.push_back(lattice.at(i, j));
                }
            }
        }
        return;
    }
    RowScanner scanner(lattice, ring, tol);
    for (size_t i = 0; i < lattice.rows; ++i) {
        scanner.appendRow(i, out);
    }
}

}  // namespace geo_detail
