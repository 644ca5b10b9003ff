// The plan area an outline sweeps when moved along a direction, and the reduction of a
// self-crossing outline to its largest simple loop.
//
// GetMaxPL cuts an outline at its first crossing (in edge order) into two loops and keeps
// the larger after cutting each of those the same way. The loops wait on an explicit
// stack instead of the call stack, so outlines with many crossings cannot exhaust it. The
// first crossing is found among the pairs of edges whose padded plan boxes meet; the
// padding covers every tolerance of the crossing test, so the pair found is the one an
// exhaustive search in edge order finds.
#include <geo/containment.h>
#include <geo/float_comp.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

using geo_detail::kPi;
using geo_detail::kPointTol;

namespace {

// Neighbouring vertices of a swept outline closer than this are merged.
constexpr double kNearVertex = 0.01;
// Tolerance of the fold test and of the trailing-edge angle comparisons.
constexpr double kFoldTol = 1e-6;
// Reach of the crossing test beyond a segment: parameter slack, end-point and on-segment
// tolerances, with room to spare.
constexpr double kCrossReach = 5e-6;
// Box growth per unit of coordinate size, for rounding in the crossing test.
constexpr double kScalePad = 1e-8;
// Beyond this size coordinates may overflow in the crossing test: every pair is tested.
constexpr double kLargestScreened = 1e300;

bool allFinite(const std::vector<CPoint3d>& pts) {
    return std::all_of(pts.begin(), pts.end(),
                       [](const CPoint3d& p) { return geo_detail::isFiniteXYZ(p); });
}

// Plan angle of a vector in [0, 2 pi].
double planAngle(const CVector3d& v) {
    return CVector3d(v.x, v.y, 0.0).angle();
}

// Whether an edge of plan angle v lies on the far side of a sweep along plan angle a: a < v
// <= a + pi, taken round the full turn, within kFoldTol.
bool isTrailing(double v, double a) {
    if (a <= kPi)
        return FloatComp(v, a, kFoldTol) == 1 && FloatComp(v, a + kPi, kFoldTol) != 1;
    return FloatComp(v, a, kFoldTol) == 1 || FloatComp(v, a - kPi, kFoldTol) != 1;
}

// Drops each vertex closer than kNearVertex to its successor, the last one compared with
// the first vertex kept.
std::vector<CPoint3d> withoutNearNeighbours(const std::vector<CPoint3d>& pts) {
    std::vector<CPoint3d> kept;
    kept.reserve(pts.size());
    for (size_t k = 0; k + 1 < pts.size(); ++k) {
        if (!(pts[k].distanceTo(pts[k + 1]) < kNearVertex))
            kept.push_back(pts[k]);
    }
    const CPoint3d& last = pts.back();
    if (!(last.distanceTo(kept.empty() ? last : kept.front()) < kNearVertex))
        kept.push_back(last);
    return kept;
}

// The walk round a counter-clockwise outline that goes along its leading edges where they
// are and along its trailing edges moved by shift, joined by copies of shift.
std::vector<CPoint3d> sweepWalk(const std::vector<CPoint3d>& pts, const CVector3d& shift) {
    const double a = planAngle(shift);
    const size_t n = pts.size();
    std::vector<CPoint3d> walk;
    walk.reserve(2 * n + 2);
    CPoint3d r = pts[0];
    walk.push_back(r);
    bool shifted = isTrailing(planAngle(pts[1] - pts[0]), a);
    if (shifted)
        walk.push_back(r += shift);
    for (size_t i = 0; i < n; ++i) {
        const CVector3d s = pts[(i + 1) % n] - pts[i];
        const bool trailing = isTrailing(planAngle(s), a);
        if (trailing != shifted)
            walk.push_back(r += trailing ? shift : -shift);
        shifted = trailing;
        walk.push_back(r += s);
    }
    return walk;
}

// Whether the corner i, j, k folds back: k lies on i-j or i on j-k.
bool folds(const CPoint3d& pi, const CPoint3d& pj, const CPoint3d& pk) {
    return CLineSeg(pi, pj).isOn(pk, kFoldTol) || CLineSeg(pj, pk).isOn(pi, kFoldTol);
}

// From vertex i on, erases the middle vertex of every folded corner, testing the same
// corner again after each erasure; the last corners wrap round to the front.
void eraseFoldsFrom(std::vector<CPoint3d>& pts, size_t i) {
    while (i < pts.size()) {
        const size_t n = pts.size(), j = (i + 1) % n, k = (i + 2) % n;
        if (folds(pts[i], pts[j], pts[k]))
            pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(j));
        else
            ++i;
    }
}

// eraseFoldsFrom(pts, 0) in linear time: until the corners reach the end of the list the
// kept vertices form a prefix that only grows, so they are moved out as they are passed.
void eraseFolds(std::vector<CPoint3d>& pts) {
    if (pts.size() < 4) {
        eraseFoldsFrom(pts, 0);
        return;
    }
    std::vector<CPoint3d> kept;
    kept.reserve(pts.size());
    kept.push_back(pts[0]);
    size_t next = 1;
    for (; next + 1 < pts.size(); ++next) {
        if (!folds(kept.back(), pts[next], pts[next + 1]))
            kept.push_back(pts[next]);
    }
    const size_t corner = kept.size() - 1;
    kept.insert(kept.end(), pts.begin() + static_cast<std::ptrdiff_t>(next), pts.end());
    pts.swap(kept);
    eraseFoldsFrom(pts, corner);
}

// The first crossing of two edges that do not follow each other, in edge order.
struct Crossing {
    size_t i = 0, j = 0;
    CPoint3d at;
};

// Whether edges i and j of the closed outline cross, and where.
bool edgesCross(const std::vector<CPoint3d>& pts, size_t i, size_t j, CPoint3d& at) {
    return IsIntersectWith(pts[i], pts[i + 1], pts[j], pts[(j + 1) % pts.size()], at);
}

// Whether the pair (i, j) takes part in the search: not neighbours, not the last and first.
bool searched(size_t i, size_t j, size_t n) {
    return j >= i + 2 && !(i == 0 && j == n - 1);
}

bool firstCrossingExhaustive(const std::vector<CPoint3d>& pts, Crossing& c) {
    const size_t n = pts.size();
    for (size_t i = 0; i + 2 < n; ++i) {
        for (size_t j = i + 2; j < n; ++j) {
            if (searched(i, j, n) && edgesCross(pts, i, j, c.at)) {
                c.i = i;
                c.j = j;
                return true;
            }
        }
    }
    return false;
}

// The boxes of the edges grown by every tolerance of the crossing test, or an empty list
// when the coordinates are too large for a safe screen.
std::vector<cleanup_detail::PlanBox> crossingBoxes(const std::vector<CPoint3d>& pts) {
    const size_t n = pts.size();
    const double scale = cleanup_detail::coordinateScale(pts);
    double maxExtent = 0.0;
    for (size_t k = 0; k < n; ++k)
        maxExtent = std::max(maxExtent, cleanup_detail::planExtent(pts[k], pts[(k + 1) % n]));
    const double slope = cleanup_detail::crossingSlope(kFoldTol, maxExtent, scale);
    if (!(scale <= kLargestScreened) || !std::isfinite(slope))
        return {};
    std::vector<cleanup_detail::PlanBox> boxes;
    boxes.reserve(n);
    for (size_t k = 0; k < n; ++k) {
        boxes.push_back(cleanup_detail::paddedBox(pts[k], pts[(k + 1) % n],
                                                  kCrossReach + kScalePad * scale, slope));
    }
    return boxes;
}

bool firstCrossing(const std::vector<CPoint3d>& pts, Crossing& c) {
    const size_t n = pts.size();
    if (n < 4)
        return firstCrossingExhaustive(pts, c);
    const std::vector<cleanup_detail::PlanBox> boxes = crossingBoxes(pts);
    if (boxes.empty())
        return firstCrossingExhaustive(pts, c);
    bool found = false;
    cleanup_detail::anyMeetingPair(boxes, [&](size_t i, size_t j) {
        const bool earlier = !found || i < c.i || (i == c.i && j < c.j);
        CPoint3d at;
        if (earlier && searched(i, j, n) && edgesCross(pts, i, j, at)) {
            c.i = i;
            c.j = j;
            c.at = at;
            found = true;
        }
        return false;
    });
    return found;
}

// The two loops an outline falls into at a crossing: the outline up to the crossing and
// on after it, and the stretch between.
std::pair<std::vector<CPoint3d>, std::vector<CPoint3d>> splitAt(const std::vector<CPoint3d>& pts,
                                                                const Crossing& c) {
    const auto at = [&](size_t k) { return pts.begin() + static_cast<std::ptrdiff_t>(k); };
    std::vector<CPoint3d> a(pts.begin(), at(c.i + 1));
    a.push_back(c.at);
    a.insert(a.end(), at(c.j + 1), pts.end());
    std::vector<CPoint3d> b{c.at};
    b.insert(b.end(), at(c.i + 1), at(c.j + 1));
    return {std::move(a), std::move(b)};
}

// Area of a loop without crossings; a clockwise one counts as none (and is emptied) when
// dropClockwise is set.
double simpleLoopArea(std::vector<CPoint3d>& loop, bool dropClockwise) {
    if (dropClockwise && PolyIsClockWise(loop)) {
        loop.clear();
        return 0.0;
    }
    return CalPolyArea(loop);
}

}  // namespace

double GetMaxPL(std::vector<CPoint3d>& pts, bool dropClockwise) {
    if (!allFinite(pts)) {
        pts.clear();
        return 0.0;
    }
    // Loops still to cut; the second loop of a cut is taken first and the first loop
    // replaces the best so far only with a strictly larger area, so a tie keeps the second.
    std::vector<std::vector<CPoint3d>> pending;
    pending.push_back(std::move(pts));
    std::vector<CPoint3d> best;
    double bestArea = 0.0;
    bool haveBest = false;
    while (!pending.empty()) {
        std::vector<CPoint3d> loop = std::move(pending.back());
        pending.pop_back();
        eraseFolds(loop);
        Crossing c;
        if (firstCrossing(loop, c)) {
            auto halves = splitAt(loop, c);
            pending.push_back(std::move(halves.first));
            pending.push_back(std::move(halves.second));
            continue;
        }
        const double area = simpleLoopArea(loop, dropClockwise);
        if (!haveBest || area > bestArea) {
            best = std::move(loop);
            bestArea = area;
            haveBest = true;
        }
    }
    pts = std::move(best);
    return bestArea;
}

void GetEntShade(const std::vector<CPoint3d>& outline, CVector3d shift,
                 std::vector<CPoint3d>& shade) {
    shade.clear();
    if (outline.empty() || !allFinite(outline) || !geo_detail::isFiniteXYZ(shift))
        return;
    std::vector<CPoint3d> work(outline);
    if (PolyIsClockWise(work))
        std::reverse(work.begin(), work.end());
    work = withoutNearNeighbours(work);
    if (work.size() < 3)
        return;
    std::vector<CPoint3d> walk = sweepWalk(work, shift);
    GetMaxPL(walk, false);
    shade.insert(shade.end(), walk.begin(), walk.end());
}
