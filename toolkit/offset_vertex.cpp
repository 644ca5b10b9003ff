// The library's own mitred vertex offset and the bands and plane forms built on it.
#include <geo/cleanup.h>
#include <geo/float_comp.h>
#include <geo/offset.h>

#include "foundation/planes.h"
#include "toolkit/polygon_outline.h"

#include <cmath>
#include <vector>

#include "foundation/numeric.h"

namespace {

typedef std::vector<CPoint3d> Pts;

// Vertices closer than this on every axis count as one.
constexpr double kSameVertexTol = 0.001;
// A distance below this selects the right-hand side.
constexpr double kSideEps = 1e-7;
using geo_detail::kHalfPi;
// Slack on the right angle that decides whether the bisector points to the offset side.
constexpr double kRightAngleSlack = 1e-6;
// Unit vectors shorter than this are zero vectors (a straight corner's bisector).
constexpr double kShortUnit = 0.1;
// A closed outline skips corners whose half angle falls outside these bounds.
constexpr double kMinHalfCorner = 1e-15;
constexpr double kMaxHalfCorner = 3.14;
// Points farther than this from the outline's plane make it non-planar.
constexpr double kPlanarTol = 1e-6;
// Shortest cross product of the first three points that gives them a plane.
constexpr double kMinTurn = 1e-6;
// Shortest edge kept by the band outline.
constexpr double kBandMinEdge = 1e-6;

CVector3d unit(CVector3d v) {
    v.normalize();
    return v;
}

// v turned by side x 90 degrees about +Z.
CVector3d turned(const CVector3d& v, double side) {
    CVector3d r = v;
    r.rotate(side * kHalfPi, CVector3d::kZAxis);
    return r;
}

CPoint3d flat(const CPoint3d& p) {
    return CPoint3d(p.x, p.y, 0.0);
}

// Vertices kept for offsetting: each must stand apart from its successor (the first one for
// the last vertex) by a finite distance, so non-finite vertices and their predecessors go.
// Dropping the last vertex means the list closes on itself.
Pts workingVertices(const Pts& pts, double minEdge, bool& closed) {
    Pts kept;
    closed = false;
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const CPoint3d& next = pts[i + 1 == n ? 0 : i + 1];
        const double gap = pts[i].distanceTo(next);
        if (!pts[i].isEqualTo(next, kSameVertexTol) && std::isfinite(gap) && gap >= minEdge) {
            kept.push_back(pts[i]);
        } else if (i + 1 == n) {
            closed = true;
        }
    }
    return kept;
}

// The mitred offset of corner v between p and n; false when the corner gives no point.
// `closed` adds the half-angle bounds of closed outlines.
bool cornerPoint(const CPoint3d& p, const CPoint3d& v, const CPoint3d& n, double d, double side,
                 bool closed, CPoint3d& out) {
    if (v.isEqualTo(n, kSameVertexTol) || v.isEqualTo(p, kSameVertexTol) ||
        p.isEqualTo(n, kSameVertexTol)) {
        return false;
    }
    const CVector3d din = unit(v - p);
    const CVector3d dout = unit(n - v);
    CVector3d bis = unit(dout - din);
    if (bis.getAngle(turned(din, side)) - kHalfPi > kRightAngleSlack) {
        bis = -bis;
    }
    const double u = dout.getAngle(bis);
    if (bis.length() < kShortUnit || dout.length() < kShortUnit) {
        return false;
    }
    if (closed && (u < kMinHalfCorner || u > kMaxHalfCorner)) {
        return false;
    }
    // No mitre limit: a sharp corner sends the point far out.
    const double f = bis.angle();
    const double reach = d * side / std::sin(u);
    out = CPoint3d(v.x + std::cos(f) * reach, v.y + std::sin(f) * reach, 0.0);
    return true;
}

void offsetClosed(const Pts& w, std::vector<CPoint3d>& out, double d, double side) {
    const size_t m = w.size();
    const size_t first = out.size();
    for (size_t i = 0; i < m; ++i) {
        CPoint3d q;
        if (cornerPoint(w[(i + m - 1) % m], w[i], w[(i + 1) % m], d, side, true, q)) {
            out.push_back(q);
        }
    }
    // Close what this call produced (never a point the caller put there).
    if (out.size() > first) {
        const CPoint3d start = out[first];
        out.push_back(start);
    }
}

void offsetOpen(const Pts& w, std::vector<CPoint3d>& out, double d, double side) {
    const size_t m = w.size();
    out.push_back(flat(w[0] + turned(unit(w[1] - w[0]), side) * (d * side)));
    for (size_t i = 1; i + 1 < m; ++i) {
        CPoint3d q;
        if (cornerPoint(w[i - 1], w[i], w[i + 1], d, side, false, q)) {
            out.push_back(q);
        }
    }
    out.push_back(flat(w[m - 1] + turned(unit(w[m - 1] - w[m - 2]), 1.0) * d));
}

// The plane of the first three points, or of the first turning triple when those three
// are in line: its origin and unit normal; false when the whole outline is straight.
bool outlinePlane(const Pts& pts, CPoint3d& origin, CVector3d& normal) {
    const CVector3d turn = (pts[1] - pts[0]).crossProduct(pts[2] - pts[1]);
    if (turn.length() > kMinTurn) {
        origin = pts[0];
        normal = geo_detail::turnNormal(pts[0], pts[1], pts[2]);
        return true;
    }
    return geo_detail::planeOfFirstTurn(pts, origin, normal);
}

bool isPlanar(const Pts& pts) {
    CPoint3d origin;
    CVector3d normal;
    if (!outlinePlane(pts, origin, normal)) {
        return false;
    }
    for (const CPoint3d& p : pts) {
        const CPoint3d onPlane = geo_detail::projectOntoPlane(origin, normal, p, normal);
        if (FloatComp(p.distanceTo(onPlane), 0.0, kPlanarTol) != 0) {
            return false;
        }
    }
    return true;
}

// Appends the first point unless the last already equals it.
void closeList(Pts& pts) {
    if (!pts.empty() && pts.back() != pts.front()) {
        const CPoint3d start = pts.front();
        pts.push_back(start);
    }
}

// Moves the first point along the first edge by `length`.
void slitStart(Pts& pts, double length) {
    pts[0] = pts[0] + unit(pts[1] - pts[0]) * length;
}

}  // namespace

void OffsetPline(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out, double distance,
                 double minEdge) {
    bool closed = false;
    const Pts w = workingVertices(pts, minEdge, closed);
    if (w.size() < 2) {
        return;
    }
    const double side = distance - kSideEps < 0.0 ? -1.0 : 1.0;
    if (closed) {
        offsetClosed(w, out, distance, side);
    } else {
        offsetOpen(w, out, distance, side);
    }
}

int PtsOffsetIsRight(const std::vector<CPoint3d>& pts, double distance, double minEdge) {
    if (pts.size() < 2) {
        return 1;
    }
    Pts offset;
    OffsetPline(pts, offset, distance, minEdge);
    if (!geo_detail::allFiniteXYZ(offset)) {
        return 2;
    }
    return offset.size() == pts.size() ? 0 : 1;
}

bool OffsetPline3D(const std::vector<CPoint3d>& pts, CVector3d normal, double distance,
                   std::vector<CPoint3d>& out, double minEdge) {
    out.clear();
    if (pts.size() < 2) {
        return false;
    }
    Pts result;
    if (pts.size() == 2) {
        OffsetPline(pts, result, distance, minEdge);
    } else {
        if (!isPlanar(pts)) {
            return false;
        }
        normal.normalize();
        // The frame a 3D polygon of these points would take.
        const geo_detail::PlaneFrame frame = geo_detail::polygonFrame(pts, normal);
        Pts local = pts;
        frame.toFrame(local, 0.0);
        OffsetPline(local, result, distance, minEdge);
        frame.toWorld(result);
    }
    // A non-finite point (a path turning straight back) is no usable offset.
    if (result.empty() || !geo_detail::allFiniteXYZ(result)) {
        return false;
    }
    out = result;
    return true;
}

void PlineOffsetToRect(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double width) {
    Pts band;
    Pts right;
    OffsetPline(pts, band, width * 0.5, kBandMinEdge);
    OffsetPline(pts, right, width * -0.5, kBandMinEdge);
    right = PtsReverse(right);
    band.insert(band.end(), right.begin(), right.end());
    if (!band.empty()) {
        const CPoint3d start = band.front();
        band.push_back(start);
    }
    if (!geo_detail::allFiniteXYZ(band)) {
        band.clear();
    }
    out = band;
}

bool OffsetSimpleRegin(std::vector<CPoint3d> pts, CVector3d normal, double distance,
                       std::vector<CPoint3d>& out, double slitLen, double minEdge) {
    if (pts.size() < 3) {
        return false;
    }
    Pts offset;
    if (!OffsetPline3D(pts, normal, distance, offset, minEdge)) {
        return false;
    }
    if (pts.size() != offset.size() || pts.size() < 3) {
        return false;
    }
    closeList(pts);
    closeList(offset);
    slitStart(pts, slitLen);
    slitStart(offset, slitLen);
    if (pts.size() != offset.size()) {
        return false;
    }
    offset = PtsReverse(offset);
    pts.insert(pts.end(), offset.begin(), offset.end());
    closeList(pts);
    out = pts;
    return true;
}
