// Sub-polylines and the distance from a point to a closed outline.
#include <geo/containment.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/splitting.h>
#include <geo/sub_polylines.h>

#include "foundation/numeric.h"
#include "toolkit/nearest_segment.h"
#include "toolkit/point_runs.h"

#include <cmath>

using geo_detail::appendDistinct;

namespace {

// The answer of getDisFromPolyline when there is no outline to measure against.
constexpr double kNoDistance = 1e10;
// Both points on one edge count as running along it below this angle (radians).
constexpr double kSameDirectionAngle = 1e-6;
// More equal-length pieces than this are refused rather than allocated.
constexpr double kMaxEqualPieces = 1e6;

}  // namespace

bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& out,
                        CPoint3d const& p1, CPoint3d const& p2, double tol) {
    out.clear();
    if (pts.size() < 2) {
        return false;
    }
    const int i = CalPtPosAtPLine(p1, pts, tol);
    const int k = CalPtPosAtPLine(p2, pts, tol);
    if (i < 0 || k < 0) {
        return false;
    }
    out.push_back(p1);
    for (int v = i + 1; v <= k; ++v) {
        appendDistinct(out, pts[static_cast<size_t>(v)], tol);
    }
    for (int v = i; v > k; --v) {  // p2 lies behind p1: walk backwards
        appendDistinct(out, pts[static_cast<size_t>(v)], tol);
    }
    appendDistinct(out, p2, tol);
    return out.size() >= 2;
}

namespace {

// The piece from start to the end of the polyline: start, then every vertex after the segment
// that holds it (a cut at that segment's end vertex is followed by the vertex itself).
std::vector<CPoint3d> lastPiece(const std::vector<CPoint3d>& pts, const CPoint3d& start,
                                int segment) {
    std::vector<CPoint3d> piece{start};
    piece.insert(piece.end(), pts.begin() + segment + 1, pts.end());
    return piece;
}

// Cuts pieces of length step until the rest is no longer than step; the rest is the last
// piece. A length within tol of the total counts as reaching the end, so no sliver is left.
void cutEqualPieces(const std::vector<CPoint3d>& pts, double step, double total,
                    std::vector<std::vector<CPoint3d>>& pieces, double tol) {
    CPoint3d start = pts.front();
    int segment = -1;
    for (double len = step; FloatComp(len, total, tol) < 0; len += step) {
        CPoint3d p;
        std::vector<CPoint3d> piece;
        if (GetPtAtLength(pts, len, p, &segment, tol) &&
            GetSubPLineBy2Pt(pts, start, p, piece, tol)) {
            pieces.push_back(std::move(piece));
            start = p;
        }
    }
    if (segment >= 0) {
        pieces.push_back(lastPiece(pts, start, segment));
    }
}

}  // namespace

bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, double step,
                        std::vector<std::vector<CPoint3d>>& pieces, double tol) {
    if (pts.size() < 2 || !std::isfinite(step) || FloatComp(step, 0.0, tol) != 1) {
        return false;
    }
    const double total = GetTotalLength(pts);
    if (!std::isfinite(total) || total / step > kMaxEqualPieces) {
        return false;
    }
    if (FloatComp(step, total, tol) == 0) {
        pieces.push_back(pts);  // one piece of exactly the step
        return true;
    }
    cutEqualPieces(pts, step, total, pieces, tol);
    return !pieces.empty();
}

namespace {

// How many vertices the walk round a ring of `count` distinct vertices passes from p1 on
// edge i to p2 on edge k.
size_t verticesPassed(const std::vector<CPoint3d>& ring, size_t count, size_t i, size_t k,
                      const CPoint3d& p1, const CPoint3d& p2, bool forward) {
    if (i != k) {
        return forward ? (k + count - i) % count : (i + count - k) % count;
    }
    const double d1 = ring[i].distanceTo(p1), d2 = ring[i].distanceTo(p2);
    const bool shortWay = forward ? d2 >= d1 : d2 <= d1;
    return shortWay ? 0 : count;
}

}  // namespace

bool getPtsFromPolyline(std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& out,
                        CPoint3d const& p1, CPoint3d const& p2, bool forward, double tol) {
    out.clear();
    std::vector<CPoint3d> ring = pts;
    if (ring.size() >= 2 && !ring.front().isEqualTo(ring.back(), tol)) {
        ring.push_back(ring.front());
    }
    if (ring.size() < 4) {
        return false;  // fewer than three distinct vertices
    }
    const int i = CalPtPosAtPLine(p1, ring, tol);
    const int k = CalPtPosAtPLine(p2, ring, tol);
    if (i < 0 || k < 0) {
        return false;
    }
    const size_t count = ring.size() - 1;
    const size_t a = static_cast<size_t>(i);
    const size_t passed = verticesPassed(ring, count, a, static_cast<size_t>(k), p1, p2, forward);
    out.push_back(p1);
    for (size_t t = 0; t < passed; ++t) {
        const size_t v = forward ? (a + 1 + t) % count : (a + count - t) % count;
        appendDistinct(out, ring[v], tol);
    }
    appendDistinct(out, p2, tol);
    return out.size() >= 2;
}

namespace {

// Whether p1 to p2 runs the way edge `edge` of the ring runs.
bool alongEdge(const std::vector<CPoint3d>& ring, int edge, const CPoint3d& p1,
               const CPoint3d& p2) {
    const size_t a = static_cast<size_t>(edge);
    const CVector3d dir = ring[(a + 1) % ring.size()] - ring[a];
    return dir.getAngle(p2 - p1) < kSameDirectionAngle;
}

}  // namespace

bool GetPts(std::vector<CPoint3d>& out, std::vector<CPoint3d> const& ring, int edgeA,
            CPoint3d const& p1, int edgeB, CPoint3d const& p2) {
    const int n = static_cast<int>(ring.size());
    if (edgeA < 0 || edgeB < 0 || edgeA >= n || edgeB >= n) {
        return false;
    }
    out.clear();
    out.push_back(p1);
    if (edgeA < edgeB) {
        out.insert(out.end(), ring.begin() + edgeA + 1, ring.begin() + edgeB + 1);
    } else if (edgeA != edgeB || !alongEdge(ring, edgeA, p1, p2)) {
        // Round the ring: vertex 0 is skipped, the last vertex already repeats it.
        out.insert(out.end(), ring.begin() + edgeA + 1, ring.end());
        if (edgeB >= 1) {
            out.insert(out.end(), ring.begin() + 1, ring.begin() + edgeB + 1);
        }
    }
    out.push_back(p2);
    return true;
}

double getDisFromPolyline(std::vector<CPoint3d> pts, CPoint3d pt, double tol) {
    if (pts.size() < 3) {
        return kNoDistance;
    }
    if (!pts.back().isEqualTo(pts.front(), tol)) {
        pts.push_back(pts.front());
    }
    // Distance to each edge itself, not to the infinite line through it: a point beyond an
    // edge's end is as far away as that end.
    return geo_detail::nearestSegment(pt, pts, geo_detail::nearerThan(kNoDistance),
                                      geo_detail::NearTie::kStrict)
        .dist;
}
