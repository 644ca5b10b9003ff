// Contour repair: courtyards of a self-touching outline, pinched outlines split into simple
// contours, and regions whose contours overlap or pinch.
#include <geo/region_sets.h>

#include <geo/cleanup.h>
#include <geo/containment.h>
#include <geo/edge_offsets.h>
#include <geo/measures.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"
#include "toolkit/segment_boxes.h"

#include <algorithm>
#include <cmath>

namespace {

// Splits one outline may make, per vertex of the input (plus one): a bound that well-formed
// outlines never reach and that keeps a pathological one from looping on.
constexpr size_t kSplitsPerVertex = 4;
// FixRegion calls itself down to this depth and no further.
constexpr int kMaxFixDepth = 5;
// Tolerance FixRegion hands to the pinch split.
constexpr double kFixSplitTol = 0.001;
// Box padding, absolute and per unit of extent, beyond which two contours cannot have edges
// running along each other; generous against the overlap test's distance and angle limits.
constexpr double kNearPad = 0.02;
constexpr double kNearPadPerExtent = 0.02;

using Pts = std::vector<CPoint3d>;
using PtsList = std::vector<Pts>;

// A vertex placed on a non-adjacent segment: the segment's first index and the vertex index.
struct Touch {
    size_t segment;
    size_t vertex;
};

// Every vertex lying on a segment (k, k+1) it is not an end of, within tol, without equalling
// either end. Plan boxes padded by tol find the candidates; the on-segment test decides.
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
        if (geo_detail::onSegment(pts[a], pts[a + 1], p, tol) && !p.isEqualTo(pts[a], tol) &&
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
        if (a.segment != b.segment) {
            return a.segment < b.segment;
        }
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

// The first pinch as ExistHoleInPts finds it: the smallest i, then the smallest j >= i + 2,
// with pts[i] equal to pts[j] within tol, the pair of a closed list's ends excepted. A sweep
// along the axis of wider spread replaces its scan over all pairs; points with a non-finite
// coordinate equal nothing under a finite tolerance and are left out.
bool FirstPinch(const std::vector<CPoint3d>& pts, double tol, size_t& first, size_t& second) {
    const size_t n = pts.size();
    if (!std::isfinite(tol)) {
        int i = 0, j = 0;
        const bool found = ExistHoleInPts(pts, &i, &j, tol);
        first = static_cast<size_t>(i);
        second = static_cast<size_t>(j);
        return found;
    }
    std::vector<size_t> order;
    double loX = INFINITY, hiX = -INFINITY, loY = INFINITY, hiY = -INFINITY;
    for (size_t k = 0; k < n; ++k) {
        if (geo_detail::isFiniteXYZ(pts[k])) {
            order.push_back(k);
            loX = std::min(loX, pts[k].x), hiX = std::max(hiX, pts[k].x);
            loY = std::min(loY, pts[k].y), hiY = std::max(hiY, pts[k].y);
        }
    }
    const bool alongX = hiX - loX >= hiY - loY;
    auto key = [&](size_t k) { return alongX ? pts[k].x : pts[k].y; };
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return key(a) < key(b); });
    first = second = n;
    for (size_t p = 0; p < order.size(); ++p) {
        for (size_t q = p + 1; q < order.size() && key(order[q]) - key(order[p]) < tol; ++q) {
            const size_t i = std::min(order[p], order[q]), j = std::max(order[p], order[q]);
            const bool better = i < first || (i == first && j < second);
            if (better && j >= i + 2 && !(i == 0 && j == n - 1) && pts[i].isEqualTo(pts[j], tol)) {
                first = i;
                second = j;
            }
        }
    }
    return first < n;
}

// The rectangle of the polygon's plan box, as a polygon.
CPolygon BoxRectangle(const CPolygon& gon) {
    CPoint3d min, max;
    gon.getBox(min, max);
    const std::vector<CPoint3d> corners{min, CPoint3d(max.x, min.y, min.z), max,
                                        CPoint3d(min.x, max.y, min.z)};
    return CPolygon(corners, true);
}

// The list with its first point appended, so that its closing edge takes part.
Pts ClosedCopy(Pts pts) {
    if (!pts.empty()) {
        pts.push_back(pts.front());
    }
    return pts;
}

// Length of edge e of a closed list.
double EdgeLength(const Pts& closed, int e) {
    return closed[static_cast<size_t>(e)].distanceTo(closed[static_cast<size_t>(e) + 1]);
}

// Moves edge e (of the closed form of contour) outwards by dist. The contour is first turned
// to start at that edge, because SideOff cannot move the closing edge of an open list.
void PushEdgeOutwards(Pts& contour, int e, double dist) {
    std::rotate(contour.begin(), contour.begin() + e, contour.end());
    // Left of travel is outside a clockwise contour and inside a counter-clockwise one.
    SideOff(contour, 0, PolyIsClockWise(contour) ? dist : -dist);
}

// Whether the plan boxes of a and b, padded, meet: a cheap filter before the all-pairs
// overlap test. Non-finite boxes are let through.
bool BoxesNear(const Pts& a, const Pts& b) {
    CPoint3d minA, maxA, minB, maxB;
    if (!CalBox(a, minA, maxA) || !CalBox(b, minB, maxB)) {
        return true;
    }
    const double extent =
        std::max({maxA.x - minA.x, maxA.y - minA.y, maxB.x - minB.x, maxB.y - minB.y});
    const double pad = kNearPad + kNearPadPerExtent * extent;
    return !(minB.x > maxA.x + pad || minB.y > maxA.y + pad || minA.x > maxB.x + pad ||
             minA.y > maxB.y + pad);
}

// Unites outers i and j when some of their edges run along each other: the shorter of the
// first such pair of edges is first pushed into the other contour, so that the two overlap
// instead of merely touching. True, with the union in outers[i] and outers[j] erased, when
// the union is a single contour. A non-finite dist moves no edge.
bool MergeTouchingPair(PtsList& outers, size_t i, size_t j, double dist) {
    if (!BoxesNear(outers[i], outers[j])) {
        return false;
    }
    Pts a = outers[i], b = outers[j];
    const Pts closedA = ClosedCopy(a), closedB = ClosedCopy(b);
    std::vector<int> edgesA, edgesB;
    if (!HaveOverlapLine(closedA, closedB, &edgesA, &edgesB) || edgesA.empty()) {
        return false;
    }
    if (std::isfinite(dist)) {
        if (EdgeLength(closedA, edgesA[0]) <= EdgeLength(closedB, edgesB[0])) {
            PushEdgeOutwards(a, edgesA[0], dist);
        } else {
            PushEdgeOutwards(b, edgesB[0], dist);
        }
    }
    CRegion united;
    if (!CRegion(a).booleanOper(CRegion(b), united, gpc::GPC_UNION) ||
        united.contours.size() != 1) {
        return false;
    }
    outers[i] = united.contours.front().pts;
    outers.erase(outers.begin() + static_cast<std::ptrdiff_t>(j));
    return true;
}

// Merges touching outers pairwise; after a merge the grown contour is compared with the later
// ones again. Each merge removes a contour, so this ends. Whether anything merged.
bool MergeTouchingOuters(PtsList& outers, double dist) {
    bool merged = false;
    for (size_t i = 0; i < outers.size(); ++i) {
        for (size_t j = i + 1; j < outers.size();) {
            if (MergeTouchingPair(outers, i, j, dist)) {
                merged = true;
                j = i + 1;
            } else {
                ++j;
            }
        }
    }
    return merged;
}

// Replaces every hole of the region, in place, by its simple pieces.
void SplitHolesInPlace(CRegion& rgn) {
    std::vector<RegionContour> rebuilt;
    for (RegionContour& c : rgn.contours) {
        if (c.isOuter) {
            rebuilt.push_back(std::move(c));
            continue;
        }
        PtsList pieces;
        HolePtsSplit2SingleContours(c.pts, pieces, kFixSplitTol);
        for (Pts& piece : pieces) {
            rebuilt.emplace_back(std::move(piece), false);
        }
    }
    rgn.contours = std::move(rebuilt);
    rgn.calBox();
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

void FixRegion(CRegion& rgn, double dist, int depth) {
    if (depth > kMaxFixDepth) {
        return;
    }
    PtsList outers, holes;
    rgn.getPtsOuter(outers);
    rgn.getPtsHoles(holes);
    if (outers.size() == 1) {
        PtsList lists;
        HolePtsSplit2SingleContours(outers.front(), lists, kFixSplitTol);
        if (!lists.empty()) {
            lists.insert(lists.end(), holes.begin(), holes.end());
            SetPtsArr2Region(lists, rgn);
        }
    } else if (outers.size() > 1 && MergeTouchingOuters(outers, dist)) {
        rgn.contours.clear();
        for (Pts& outer : outers) {
            rgn.contours.emplace_back(std::move(outer), true);
        }
        for (Pts& hole : holes) {
            rgn.contours.emplace_back(std::move(hole), false);
        }
        rgn.calBox();
        FixRegion(rgn, dist, depth + 1);
    }
    SplitHolesInPlace(rgn);
}
