// The one walk over a point list's open segments for the segment nearest to a point. Its
// callers differ only in where the running best starts and in which segment keeps a tie,
// so both are arguments (internal to the toolkit).
#pragma once

#include <geo/float_comp.h>
#include <geo/point3d.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"

#include <cstddef>
#include <vector>

namespace geo_detail {

// Which segment keeps a (near) tie. Both let the earlier segment stay.
enum class NearTie {
    kStrict,    // a later segment must be nearer
    kTolerant,  // a later segment must be nearer by more than kPointTol
};

// Where the running best starts: at the first segment's own distance, or at a bound that a
// segment must beat to be taken at all.
struct NearStart {
    bool fromFirstSegment;
    double bound;
};
constexpr NearStart kFromFirstSegment{true, 0.0};
constexpr NearStart nearerThan(double bound) {
    return NearStart{false, bound};
}

// The outcome of a walk. With a bound that no segment beats, found is false, index is 0,
// dist is the bound and foot is untouched (the origin).
struct NearestSegment {
    bool found = false;
    size_t index = 0;  // the segment runs from pts[index] to pts[index + 1]
    double dist = 0.0;
    CPoint3d foot;
};

// Whether d replaces best under the tie rule.
inline bool nearerUnder(NearTie tie, double d, double best) {
    if (tie == NearTie::kStrict) {
        return d < best;
    }
    return FloatComp(d, best, kPointTol) == -1;
}

// Walks the segments (pts[i], pts[i + 1]) in order, measuring pt against each one's nearest
// point; skip(i) leaves segment i out of the comparison (the first segment seeds a
// kFromFirstSegment walk regardless). A kFromFirstSegment walk needs at least two points.
template <class Skip>
NearestSegment nearestSegment(const CPoint3d& pt, const std::vector<CPoint3d>& pts, NearStart start,
                              NearTie tie, Skip skip) {
    NearestSegment best;
    size_t first = 0;
    best.dist = start.bound;
    if (start.fromFirstSegment) {
        best.foot = closestOnSegment(pts[0], pts[1], pt);
        best.dist = pt.distanceTo(best.foot);
        best.found = true;
        first = 1;
    }
    for (size_t i = first; i + 1 < pts.size(); ++i) {
        if (skip(i)) {
            continue;
        }
        const CPoint3d foot = closestOnSegment(pts[i], pts[i + 1], pt);
        const double d = pt.distanceTo(foot);
        if (nearerUnder(tie, d, best.dist)) {
            best.found = true;
            best.index = i;
            best.dist = d;
            best.foot = foot;
        }
    }
    return best;
}

// The walk over every segment.
inline NearestSegment nearestSegment(const CPoint3d& pt, const std::vector<CPoint3d>& pts,
                                     NearStart start, NearTie tie) {
    return nearestSegment(pt, pts, start, tie, [](size_t) { return false; });
}

}  // namespace geo_detail
