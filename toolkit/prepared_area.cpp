// An outline prepared for many point-in-outline questions: the edges filed by height once.
#include <geo/prepared_area.h>

#include <geo/containment.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "foundation/numeric.h"
#include "toolkit/height_bands.h"
#include "toolkit/pt_in_area_rule.h"

namespace {

using containment_detail::EdgeScreen;
using containment_detail::ExactRule;
using containment_detail::HeightBands;
using containment_detail::visitNearEdge;

// Reach in height, beyond an edge's own span, inside which the screen of PtInArea may still
// look at the edge. The screen's slack is 4 tol plus 1e-9 of the heights involved; twice that
// bound covers the rounding of every difference.
double screenReach(double tol, double yLow, double yHigh) {
    return 2.0 * (4.0 * tol + 2e-9 * (std::fabs(yLow) + std::fabs(yHigh)));
}

}  // namespace

struct CPreparedArea::Index {
    std::vector<CPoint3d> pts;
    double tol = 0.0;
    bool closed = false;
    bool screened = false;  // the bands may be used; otherwise PtInArea walks every edge
    HeightBands bands;

    size_t edgeCount() const { return closed ? pts.size() : pts.size() + 1; }
    // Edge k runs from point k to point k + 1; edge n - 1 closes the outline, and an open
    // list has one more, of no length, at its first point.
    const CPoint3d& from(size_t k) const { return pts[k < pts.size() ? k : 0]; }
    const CPoint3d& to(size_t k) const { return pts[k + 1 < pts.size() ? k + 1 : 0]; }

    void fileEdges() {
        const size_t m = edgeCount();
        std::vector<double> lo(m), hi(m);
        for (size_t k = 0; k < m; ++k) {
            const double a = from(k).y, b = to(k).y;
            const double low = std::min(a, b), high = std::max(a, b);
            const double reach = screenReach(tol, low, high);
            lo[k] = low - reach;  // not finite: looked at for every point
            hi[k] = high + reach;
        }
        bands = HeightBands(lo, hi);
    }

    // Crossing parity over the edges near the point's height: 1, 0, or -1 on the boundary.
    int screenedParity(const CPoint3d& pt) const {
        const EdgeScreen screen(pt, tol);
        ExactRule exact(pt, tol);
        unsigned crossings = 0;
        const double py = screen.py();
        const bool whole = bands.forEachAt(py, [&](uint32_t k) {
            const CPoint3d& r = from(k);
            const CPoint3d& q = to(k);
            const double dr = r.y - py, dq = q.y - py;
            return screen.farInHeight(dr, dq) ||
                   visitNearEdge(screen, exact, r, q, dr, dq, crossings);
        });
        return whole ? static_cast<int>(crossings % 2u) : -1;
    }
};

CPreparedArea::CPreparedArea(std::vector<CPoint3d> const& pts, double tol) {
    auto index = std::make_unique<Index>();
    index->tol = tol;
    if (pts.size() >= 3) {
        index->pts = pts;
        index->closed = pts.back().isEqualTo(pts.front(), tol);
        // Outlines carrying non-finite values are left to PtInArea itself.
        index->screened = tol >= 0.0 && std::isfinite(tol) &&
                          std::all_of(pts.begin(), pts.end(),
                                      [](const CPoint3d& p) { return geo_detail::isFiniteXYZ(p); });
        if (index->screened) {
            index->fileEdges();
        }
    }
    index_ = std::move(index);
}

CPreparedArea::~CPreparedArea() = default;
CPreparedArea::CPreparedArea(CPreparedArea&& other) noexcept = default;
CPreparedArea& CPreparedArea::operator=(CPreparedArea&& other) noexcept = default;

int CPreparedArea::locate(CPoint3d const& pt) const {
    if (!index_ || index_->pts.size() < 3) {
        return 0;  // moved from, or too short to enclose anything
    }
    const Index& index = *index_;
    if (index.screened && geo_detail::isFiniteXYZ(pt)) {
        return index.screenedParity(pt);
    }
    // Rare inputs the bands cannot narrow: the walk over every edge.
    const bool onTrue = PtInArea(pt, index.pts, index.tol, true);
    const bool onFalse = PtInArea(pt, index.pts, index.tol, false);
    return onTrue == onFalse ? static_cast<int>(onTrue) : -1;
}

bool CPreparedArea::ptIn(CPoint3d const& pt, bool onEdge) const {
    const int where = locate(pt);
    return where < 0 ? onEdge : where == 1;
}
