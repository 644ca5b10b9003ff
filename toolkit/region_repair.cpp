// Contour repair: courtyards of a self-touching outline, pinched outlines split into simple
// contours, and regions whose contours overlap or pinch.
#include <geo/region_sets.h>

#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/lines.h>

#include "toolkit/point_hash.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cmath>

namespace {

// Splits one outline may make, per vertex of the input (plus one): a bound that well-formed
// outlines never reach and that keeps a pathological one from looping on.
constexpr size_t kSplitsPerVertex = 4;

// A vertex placed on a non-adjacent segment: the segment's first index and the vertex index.
struct Touch {
    size_t segment;
    size_t vertex;
};

// Every vertex lying on a segment (k, k+1) it is not an end of, within tol, without equalling
// either end. Plan boxes padded by tol find the candidates; CLineSeg::isOn decides.
std::vector<Touch> TouchingVertices(const std::vector<CPoint3d>& pts, double tol) {
    using cleanup_detail::PlanBox;
    std::vector<Touch> touches;
    const size_t n = pts.size();
    if (n < 3 || !std::isfinite(tol)) {
        return touches;
    }
    std::vector<PlanBox> boxes;
    boxes.reserve(2 * n - 1);
    for (size_t k = 0; k + 1 < n; ++k) {
        boxes.push_back(cleanup_detail::paddedBox(pts[k], pts[k + 1], std::fabs(tol), 0.0));
    }
    for (const CPoint3d& p : pts) {
        boxes.push_back(PlanBox{p.x, p.y, p.x, p.y});
    }
    const size_t segments = n - 1;
    cleanup_detail::anyMeetingPair(boxes, [&](size_t a, size_t b) {
        if (a >= segments || b < segments) {
            return false;  // two segments or two vertices
        }
        const size_t v = b - segments;
        if (v == a || v == a + 1) {
            return false;
        }
        const CPoint3d& p = pts[v];
        if (CLineSeg(pts[a], pts[a + 1]).isOn(p, tol) && !p.isEqualTo(pts[a], tol) &&
            !p.isEqualTo(pts[a + 1], tol)) {
            touches.push_back(Touch{a, v});
        }
        return false;
    });
    return touches;
}

// Inserts every touching vertex into the segment it lies on, in order along the segment, one
// vertex per position, so that touching points become shared vertices.
void ShareTouchingVertices(std::vector<CPoint3d>& pts, double tol) {
    std::vector<Touch> touches = TouchingVertices(pts, tol);
    if (touches.empty()) {
        return;
    }
    auto along = [&](const Touch& t) { return pts[t.vertex].distanceTo(pts[t.segment]); };
    std::sort(touches.begin(), touches.end(), [&](const Touch& a, const Touch& b) {
        if (a.segment != b.segment)
            return a.segment < b.segment;
        const double da = along(a), db = along(b);
        return da != db ? da < db : a.vertex < b.vertex;
    });
    std::vector<CPoint3d> joined;
    joined.reserve(pts.size() + touches.size());
    size_t t = 0;
    for (size_t k = 0; k < pts.size(); ++k) {
        joined.push_back(pts[k]);
        for (; t < touches.size() && touches[t].segment == k; ++t) {
            const CPoint3d& p = pts[touches[t].vertex];
            if (!joined.back().isEqualTo(p, tol)) {
                joined.push_back(p);
            }
        }
    }
    pts = std::move(joined);
}

// A vertex with its index, for the point grid.
struct IndexedPoint {
    double x, y, z;
    size_t index;
};

// The first pinch as ExistHoleInPts finds it: the smallest i, then the smallest j >= i + 2,
// with pts[i] equal to pts[j] within tol, the pair of a closed list's ends excepted. A point
// grid replaces its scan over all pairs.
bool FirstPinch(const std::vector<CPoint3d>& pts, double tol, size_t& first, size_t& second) {
    const size_t n = pts.size();
    if (!std::isfinite(tol)) {
        int i = 0, j = 0;
        const bool found = ExistHoleInPts(pts, &i, &j, tol);
        first = static_cast<size_t>(i);
        second = static_cast<size_t>(j);
        return found;
    }
    std::vector<IndexedPoint> indexed(n);
    for (size_t k = 0; k < n; ++k) {
        indexed[k] = IndexedPoint{pts[k].x, pts[k].y, pts[k].z, k};
    }
    cleanup_detail::PointGrid<IndexedPoint> grid(indexed, tol);
    for (const IndexedPoint& p : indexed) {
        grid.insert(p);
    }
    for (size_t i = 0; i < n; ++i) {
        size_t best = n;
        grid.anyNear(indexed[i], [&](const IndexedPoint& q) {
            const size_t j = q.index;
            if (j >= i + 2 && j < best && !(i == 0 && j == n - 1) &&
                pts[i].isEqualTo(pts[j], tol)) {
                best = j;
            }
            return false;
        });
        if (best < n) {
            first = i;
            second = best;
            return true;
        }
    }
    return false;
}

// The rectangle of the polygon's plan box, as a polygon.
CPolygon BoxRectangle(const CPolygon& gon) {
    CPoint3d min, max;
    gon.getBox(min, max);
    const std::vector<CPoint3d> corners{min, CPoint3d(max.x, min.y, min.z), max,
                                        CPoint3d(min.x, max.y, min.z)};
    return CPolygon(corners, true);
}

}  // namespace

bool GetPatioContour(std::vector<CPoint3d>& pts, std::vector<std::vector<CPoint3d>>& patios) {
    const CPolygon outline(pts, true);
    std::vector<CPolygon> pair{outline, BoxRectangle(outline)};
    std::vector<CPolygon> outers, holes;
    BooleanOper(pair, outers, holes, gpc::GPC_INT);
    if (holes.empty() || outers.empty()) {
        return false;
    }
    pts = outers.front().getPoints();
    patios.resize(holes.size());
    for (size_t i = 0; i < holes.size(); ++i) {
        patios[i] = holes[i].getPoints();
    }
    return true;
}

void HolePtsSplit2SingleContours(std::vector<CPoint3d> pts, std::vector<std::vector<CPoint3d>>& out,
                                 double tol) {
    size_t splitsLeft = kSplitsPerVertex * (pts.size() + 1);
    // Pending lists, the next to split last: a stretch is split through before the rest.
    std::vector<std::vector<CPoint3d>> pending;
    pending.push_back(std::move(pts));
    while (!pending.empty()) {
        std::vector<CPoint3d> cur = std::move(pending.back());
        pending.pop_back();
        ShareTouchingVertices(cur, tol);
        size_t i = 0, j = 0;
        if (splitsLeft == 0 || !FirstPinch(cur, tol, i, j)) {
            out.push_back(std::move(cur));
            continue;
        }
        --splitsLeft;
        const auto from = cur.begin() + static_cast<std::ptrdiff_t>(i);
        const auto to = cur.begin() + static_cast<std::ptrdiff_t>(j);
        std::vector<CPoint3d> stretch(from, to + 1);
        cur.erase(from, to);
        RemoveRedundancyPts(stretch, true, tol);
        RemoveRedundancyPts(cur, true, tol);
        pending.push_back(std::move(cur));
        pending.push_back(std::move(stretch));
    }
}
