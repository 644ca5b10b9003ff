// Offsets built edge by edge: every edge moves parallel to itself and the moved edges are
// joined again where their lines meet.
#include <geo/acge/gevec3d.h>
#include <geo/cleanup.h>
#include <geo/edge_offsets.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/projection.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

using geo_detail::kHalfPi;
using geo_detail::kPointTol;

namespace {

// Edges of a grown outline shorter than this in plan are dropped.
constexpr double kShortEdge = 0.01;
// A grown outline with less area than this counts as none.
constexpr double kLeastArea = 1e-6;
// A corner between a shorter edge than this and a sharp turn is a spike and is removed.
constexpr double kSpikeEdge = 0.02;
// A vertex this close to the segment joining its neighbours is dropped as collinear.
constexpr double kCollinearTol = 0.001;

CPoint3d flat(const CPoint3d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

// An edge of an outline or a centre line, from s to e.
struct Edge {
    CPoint3d s;
    CPoint3d e;
};

// The edge a-b moved by d along the plan angle of the edge turned by `turn`.
Edge movedEdge(const CPoint3d& a, const CPoint3d& b, double turn, double d) {
    const double angle = GetAngle(a, b) + turn;
    return Edge{Polar(a, angle, d), Polar(b, angle, d)};
}

// The mitred side line through the moved edges: first start, the meeting points of
// neighbouring edges' lines, last end.
void joinSideLine(const std::vector<Edge>& edges, std::vector<CPoint3d>& out) {
    out.push_back(edges.front().s);
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        CPoint3d at;
        if (geo_detail::linesCross(edges[k].s, edges[k].e, edges[k + 1].e, edges[k + 1].s,
                                   kPointTol, at)) {
            out.push_back(at);
        }
    }
    out.push_back(edges.back().e);
}

}  // namespace

int CalcMline(const std::vector<CPoint3d>& centre, std::vector<CPoint3d>& out, double d,
              bool left) {
    out.clear();
    if (centre.size() < 2 || !std::isfinite(d) || !geo_detail::allFiniteXYZ(centre)) {
        return -1;
    }
    std::vector<Edge> edges;
    for (size_t i = 1; i < centre.size(); ++i) {
        edges.push_back(movedEdge(centre[i - 1], centre[i], left ? kHalfPi : -kHalfPi, d));
    }
    if (edges.size() == 1) {
        out = {edges[0].s, edges[0].e};
        return 1;
    }
    joinSideLine(edges, out);
    return static_cast<int>(out.size());
}

int RoadLineCalc(const std::vector<CPoint3d>& centre, std::vector<CPoint3d>& left,
                 std::vector<CPoint3d>& right, double d) {
    const int l = CalcMline(centre, left, d, true);
    const int r = CalcMline(centre, right, d, false);
    return l == r ? l : -1;
}

int SplitRoadPolygon(std::vector<CPoint3d>& centre, std::vector<CPolygon>& out, double width) {
    const double half = width * 0.5;
    std::vector<CPoint3d> left, right;
    CalcMline(centre, left, half, true);
    CalcMline(centre, right, half, false);
    if (left.size() != right.size() || left.empty()) {
        return 0;
    }
    out.clear();
    for (size_t i = 1; i < left.size(); ++i) {
        out.emplace_back(std::vector<CPoint3d>{left[i - 1], left[i], right[i], right[i - 1]}, true);
    }
    return static_cast<int>(out.size());
}

bool OffsetPtsEx(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out, double start,
                 double end) {
    out.clear();
    if (pts.size() < 2 || !std::isfinite(start) || !std::isfinite(end) ||
        !geo_detail::allFiniteXYZ(pts)) {
        return false;
    }
    if (pts.size() == 2) {
        const CVector3d n = LineVDir(pts[0], pts[1]);
        out = {pts[0] + n * start, pts[1] + n * end};
        return true;
    }
    const double step = (end - start) / static_cast<double>(pts.size() - 2);
    std::vector<Edge> lines;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const CVector3d shift =
            LineVDir(pts[i], pts[i + 1]) * (start + step * static_cast<double>(i));
        lines.push_back(Edge{pts[i] + shift, pts[i + 1] + shift});
    }
    out.push_back(lines.front().s);
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
        CPoint3d at;
        if (geo_detail::linesCross(lines[k].s, lines[k].e, lines[k + 1].s, lines[k + 1].e,
                                   kPointTol, at)) {
            out.push_back(at);
        }
    }
    out.push_back(lines.back().e);
    ClearSelfIntersect(out, kPointTol);
    return true;
}

namespace {

// Each edge of the counter-clockwise outline moved to its right by the z of its first
// vertex. A vertex nearer than kShortEdge to its successor is dropped with its edge; the
// last vertex's successor is the first vertex kept.
std::vector<Edge> outwardEdges(const std::vector<CPoint3d>& pts) {
    std::vector<Edge> edges;
    const CPoint3d* firstKept = nullptr;
    auto add = [&edges](const CPoint3d& a, const CPoint3d& b) {
        if (flat(a).distanceTo(flat(b)) < kShortEdge) {
            return false;
        }
        edges.push_back(movedEdge(flat(a), flat(b), -kHalfPi, a.z));
        return true;
    };
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (add(pts[i], pts[i + 1]) && firstKept == nullptr) {
            firstKept = &pts[i];
        }
    }
    if (!pts.empty()) {
        add(pts.back(), firstKept != nullptr ? *firstKept : pts.back());
    }
    return edges;
}

// The moved edges joined round the outline: where each edge's ray meets the next edge's
// ray cast backwards, or both ends when they do not meet.
std::vector<CPoint3d> joinOutline(const std::vector<Edge>& edges) {
    std::vector<CPoint3d> outline;
    for (size_t k = 0; k < edges.size(); ++k) {
        const Edge& next = edges[(k + 1) % edges.size()];
        CPoint3d at;
        if (geo_detail::raysCross(edges[k].s, edges[k].e - edges[k].s, next.e, next.s - next.e,
                                  kPointTol, at)) {
            outline.push_back(at);
        } else {
            outline.push_back(edges[k].e);
            outline.push_back(next.s);
        }
    }
    return outline;
}

// Whether a joined outline with one corner per edge runs against every one of its moved
// edges: a convex outline shrunk past its own size comes back turned about a point, still
// counter-clockwise, and is no outline at all.
bool turnedInsideOut(const std::vector<Edge>& edges, const std::vector<CPoint3d>& corners) {
    const size_t n = edges.size();
    if (n < 3 || corners.size() != n) {
        return false;
    }
    for (size_t k = 0; k < n; ++k) {
        const CVector3d along = corners[k] - corners[(k + n - 1) % n];
        if (!(along.getDotProduct(edges[k].e - edges[k].s) < 0.0)) {
            return false;
        }
    }
    return true;
}

// Whether the corner b between a and c is a spike: a short edge in and a sharp turn.
bool isSpike(const CPoint3d& a, const CPoint3d& b, const CPoint3d& c) {
    const double turn = (a - b).toAcGeVector3d().angleTo((c - b).toAcGeVector3d());
    return FloatComp(a.distanceTo(b), kSpikeEdge, kPointTol) < 0 &&
           FloatComp(turn, kHalfPi, kPointTol) < 0;
}

// Removes spike corners from the second to the last but one vertex; after a removal the
// next vertex is tested against the same predecessor.
void removeSpikes(std::vector<CPoint3d>& pts) {
    if (pts.size() < 3) {
        return;
    }
    std::vector<CPoint3d> kept{pts[0]};
    for (size_t i = 1; i + 1 < pts.size(); ++i) {
        if (!isSpike(kept.back(), pts[i], pts[i + 1])) {
            kept.push_back(pts[i]);
        }
    }
    kept.push_back(pts.back());
    pts.swap(kept);
}

// Removes every inner vertex lying on the segment between the vertex kept before it and
// the one after it.
void removeCollinear(std::vector<CPoint3d>& pts) {
    if (pts.size() < 3) {
        return;
    }
    std::vector<CPoint3d> kept{pts[0]};
    CPoint3d middle = pts[1];
    for (size_t i = 2; i < pts.size(); ++i) {
        if (!geo_detail::onSegment(kept.back(), pts[i], middle, kCollinearTol)) {
            kept.push_back(middle);
        }
        middle = pts[i];
    }
    kept.push_back(middle);
    pts.swap(kept);
}

}  // namespace

bool offsetPolyGonByDistArr(const std::vector<CPoint3d>& outline, std::vector<CPoint3d>& out) {
    out.clear();
    if (!geo_detail::allFiniteXYZ(outline)) {
        return false;
    }
    std::vector<CPoint3d> work(outline);
    if (PolyIsClockWise(work)) {
        std::reverse(work.begin(), work.end());
    }
    const std::vector<Edge> edges = outwardEdges(work);
    std::vector<CPoint3d> grown = joinOutline(edges);
    if (turnedInsideOut(edges, grown) || GetMaxPL(grown, true) < kLeastArea) {
        return false;
    }
    removeSpikes(grown);
    removeCollinear(grown);
    out.swap(grown);
    return true;
}

void offsetEntOutSide(const std::vector<CPoint3d>& outline, double d, std::vector<CPoint3d>& out) {
    std::vector<CPoint3d> copy(outline);
    SetZ(copy, d);
    offsetPolyGonByDistArr(copy, out);
}

void SideOff(std::vector<CPoint3d>& pts, int index, double d) {
    if (FloatComp(d, 0.0, kPointTol) == 0 || !std::isfinite(d) || index < 0 ||
        static_cast<size_t>(index) + 1 >= pts.size()) {
        return;
    }
    const CVector3d v = LineVDir(pts[index], pts[index + 1]) * d;
    pts[index] += v;
    pts[index + 1] += v;
}

void MoveLineAlongPts(std::vector<CPoint3d>& line, const std::vector<CPoint3d>& pts, double side) {
    if (line.size() != 2 || pts.size() <= 2) {
        return;
    }
    CVector3d dir = line[1] - line[0];
    dir.rotate(side * kHalfPi, CVector3d::kZAxis);
    dir.normalize();
    const CPoint3d s = line[0], e = line[1];
    const CPoint3d* best = nullptr;
    double bestDist = 0.0;
    for (size_t i = 1; i + 1 < pts.size(); ++i) {
        const CPoint3d foot = geo_detail::closestOnSegment(s, e, pts[i]);
        CVector3d away = pts[i] - foot;
        const double dist = foot.distanceTo(pts[i]);
        if (away.normalize() == dir && FloatComp(dist, bestDist, kPointTol) > 0) {
            best = &pts[i];
            bestDist = dist;
        }
    }
    if (best == nullptr) {
        return;
    }
    const CVector3d shift = *best - geo_detail::closestOnSegment(s, e, *best);
    line[0] += shift;
    line[1] += shift;
}
