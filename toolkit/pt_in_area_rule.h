// The point-in-outline rule of PtInArea for one edge at a time: the exact rule, and the cheap
// plan screen in front of it that settles most edges (internal to the toolkit).
#pragma once

#include <geo/float_comp.h>
#include <geo/point3d.h>

#include "foundation/segments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>

#include "foundation/numeric.h"
#endif

namespace containment_detail {

// What one edge of the outline says about the query point.
enum class EdgeVerdict { kNone, kCrossing, kOnBoundary };

// The exact rule, measured along the leftward ray from the point.
class ExactRule {
public:
    ExactRule(const CPoint3d& pt, double tol) : pt_(pt), tol_(tol) {}

    // The exact rule for one edge r-q: vertex hit, on-edge hit, horizontal skip, then the
    // crossing cases (a vertex on the ray counts only for the edge whose other end lies
    // below; a general hit exactly at an edge end never counts).
    EdgeVerdict verdict(const CPoint3d& r, const CPoint3d& q) {
        if (pt_.isEqualTo(r, tol_)) {
            return EdgeVerdict::kOnBoundary;
        }
        if (geo_detail::onSegment(r, q, pt_, tol_)) {
            return EdgeVerdict::kOnBoundary;
        }
        if (FloatComp(q.y, r.y, tol_) == 0) {
            return EdgeVerdict::kNone;
        }
        if (vertexOnRayGoingBelow(r, q) || vertexOnRayGoingBelow(q, r)) {
            return EdgeVerdict::kCrossing;
        }
        CPoint3d hit;
        if (geo_detail::rayCrossesSegment(pt_, leftward_, r, q, tol_, hit) &&
            !hit.isEqualTo(r, tol_) && !hit.isEqualTo(q, tol_)) {
            return EdgeVerdict::kCrossing;
        }
        return EdgeVerdict::kNone;
    }

private:
    bool vertexOnRayGoingBelow(const CPoint3d& v, const CPoint3d& other) const {
        return FloatComp(pt_.y, v.y, tol_) == 0 && FloatComp(pt_.x, v.x, tol_) == 1 &&
               FloatComp(pt_.y, other.y, tol_) == 1;
    }

    const CPoint3d& pt_;
    double tol_;
    CVector3d leftward_{-1.0, 0.0, 0.0};
};

// Relative slack that covers the rounding of the exact tests: every exact test works on
// coordinate differences, whose rounding is relative to their own size.
constexpr double kScreenRel = 1e-9;

// A cheap plan screen in front of the exact rule. An edge whose two ends lie beyond the
// slack on one side of the point (above, below, or right of it) can neither touch the
// point nor cross the leftward ray; an edge left of the point whose ends lie beyond the
// slack on both sides of the ray is a certain crossing. Anything else, NaN included, goes
// to the exact rule. The slack is 4 * tol plus the relative rounding slack.
class EdgeScreen {
public:
    EdgeScreen(const CPoint3d& pt, double tol)
        : tol_(tol),
          px_(pt.x),
          py_(pt.y),
          slackX_(4.0 * tol + kScreenRel * std::fabs(pt.x)),
          slackY_(4.0 * tol + kScreenRel * std::fabs(pt.y)),
          finitePoint_(geo_detail::isFiniteXYZ(pt)) {}

    // The hot test on the ends' heights above the point: both clearly above or both
    // clearly below. With both differences of one sign, kScreenRel * (dr + dq) is the
    // relative slack of |dr| + |dq| with that sign; with mixed signs neither test passes.
    bool farInHeight(double dr, double dq) const {
        const double rel = kScreenRel * (dr + dq);
        const double lo = std::min(dr, dq), hi = std::max(dr, dq);
        // Joined into one comparison so that the caller has a single, well-predicted branch.
        return std::max(lo - rel, rel - hi) > slackY_;
    }

    double py() const { return py_; }

    // The first edge (i, i + 1) from `from` on, below `last`, that is not far in height;
    // `last` when there is none. A tight loop without calls keeps its values in registers;
    // with SSE2 two edges are screened at once by the same arithmetic.
    size_t nextNearEdge(const CPoint3d* p, size_t from, size_t last) const {
        size_t i = from;
#if defined(__SSE2__)
        const __m128d py = _mm_set1_pd(py_), rel = _mm_set1_pd(kScreenRel);
        const __m128d slack = _mm_set1_pd(slackY_);
        for (; i + 2 <= last; i += 2) {
            const __m128d mid = _mm_set1_pd(p[i + 1].y);
            const __m128d dr = _mm_sub_pd(_mm_move_sd(mid, _mm_set_sd(p[i].y)), py);
            const __m128d dq = _mm_sub_pd(_mm_move_sd(_mm_set1_pd(p[i + 2].y), mid), py);
            const __m128d r = _mm_mul_pd(rel, _mm_add_pd(dr, dq));
            const __m128d lo = _mm_min_pd(dr, dq), hi = _mm_max_pd(dr, dq);
            const __m128d m = _mm_max_pd(_mm_sub_pd(lo, r), _mm_sub_pd(r, hi));
            const int far = _mm_movemask_pd(_mm_cmpgt_pd(m, slack));
            if (far != 3) {
                return (far & 1) != 0 ? i + 1 : i;
            }
        }
#endif
        while (i < last && farInHeight(p[i].y - py_, p[i + 1].y - py_)) {
            ++i;
        }
        return i;
    }

    // The rest of the screen for an edge near the point's height, as bits: kSettled when
    // the screen decides, and then kCrossed when the edge is crossed.
    static constexpr unsigned kCrossed = 1u, kSettled = 2u;

    unsigned classifyNear(const CPoint3d& r, const CPoint3d& q, double dr, double dq) const {
        const double ex = r.x - px_, fx = q.x - px_;
        const double sx = slackX_ + kScreenRel * (std::fabs(ex) + std::fabs(fx));
        if (std::min(ex, fx) > sx) {
            return kSettled;  // wholly right of the point: the leftward ray cannot meet it
        }
        const double sy = slackY_ + kScreenRel * (std::fabs(dr) + std::fabs(dq));
        // Ends clearly on both sides of the ray's height, all coordinates finite.
        const bool spans = std::min(dr, dq) < -sy && std::max(dr, dq) > sy && finitePoint_ &&
                           std::isfinite(r.z) && std::isfinite(q.z);
        if (!spans) {
            return 0u;
        }
        if (std::max(ex, fx) < -sx) {
            return kSettled | kCrossed;  // wholly left: crossed
        }
        return sideOfStraddlingEdge(r, q, ex, fx, dr, dq);
    }

private:
    // An edge that crosses the ray's height clearly and straddles the point in x is
    // crossed when its point at the ray's height lies left of the point. That is certain
    // when the point is clearly off the edge (plan distance beyond 2 * tol) and rounding
    // cannot turn the sign; otherwise the exact rule decides.
    unsigned sideOfStraddlingEdge(const CPoint3d& r, const CPoint3d& q, double ex, double fx,
                                  double dr, double dq) const {
        const double ux = q.x - r.x, uy = q.y - r.y;
        const double cross = ex * uy - ux * dr;  // |cross| = plan distance * |edge|
        const double scale =
            2.0 * tol_ +
            2.0 * kScreenRel * (std::fabs(ex) + std::fabs(fx) + std::fabs(dr) + std::fabs(dq));
        if (!(std::fabs(cross) > scale * (std::fabs(ux) + std::fabs(uy)))) {
            return 0u;
        }
        return cross * uy < 0.0 ? kSettled | kCrossed : kSettled;
    }

    double tol_;
    double px_, py_;
    double slackX_, slackY_;
    bool finitePoint_;
};

// Screened walk over one edge whose height differences from the point are already known;
// false when the point lies on the edge.
inline bool visitNearEdge(const EdgeScreen& screen, ExactRule& exact, const CPoint3d& r,
                          const CPoint3d& q, double dr, double dq, unsigned& crossings) {
    const unsigned screened = screen.classifyNear(r, q, dr, dq);
    if ((screened & EdgeScreen::kSettled) != 0u) {
        crossings += screened & EdgeScreen::kCrossed;
        return true;
    }
    const EdgeVerdict v = exact.verdict(r, q);
    crossings += v == EdgeVerdict::kCrossing ? 1u : 0u;
    return v != EdgeVerdict::kOnBoundary;
}

}  // namespace containment_detail
