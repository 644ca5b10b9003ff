// Containment, side, crossing and ray tests of points, segments and outlines.
#include <geo/containment.h>

#include <geo/acge/acarray.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/geray3d.h>
#include <geo/acge/getol.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>
#include <geo/measures.h>
#include <geo/orvel.h>
#include <geo/prepared_area.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "foundation/numeric.h"
#include "foundation/orvel_rule.h"
#include "foundation/segments.h"
#include "platform/acge/tol_of.h"
#include "toolkit/height_bands.h"
#include "toolkit/nearest_segment.h"
#include "toolkit/outline_queries.h"
#include "toolkit/pt_in_area_rule.h"

namespace {

using acge_detail::pointAndVectorTol;
using containment_detail::preparingPays;
using geo_detail::nearerThan;
using geo_detail::nearestSegment;
using geo_detail::NearTie;
using geo_detail::onSegment;
using geo_detail::segmentCrossesLine;
using geo_detail::segmentsCross;

using geo_detail::kPointTol;           // segment crossings and FloatComp tests
constexpr double kOutlineTol = 0.001;  // outline-against-outline tests
constexpr double kOnEdgeTol = 0.01;    // CalPtPosAtPL and crossings with a CLine
constexpr double kSegmentOnTol = 0.1;  // LineOnPolyline
constexpr double kDetLimit = 0.0001;   // IntersectTriangle: below this the ray runs parallel
constexpr double kFullTurnLow = geo_detail::kTwoPi - 0.1;
constexpr double kFullTurnHigh = geo_detail::kTwoPi + 0.1;
using geo_detail::kHalfPi;
constexpr double kSideReach = 100000.0;   // GetPtSideFromPts: reference point distance
constexpr double kSideBound = 1e11;       // GetPtSideFromPts: starting best distance
constexpr double kContourBound = 1e10;    // PtRayToContour and GetSideFromPts: starting bound
constexpr double kPolygonLineTol = 1e-4;  // PolygonIntersectWithLine's AcGe tolerance
constexpr double kMaxWrapSteps = 1e6;     // beyond this a long walk is reduced with fmod

// ---- PtInArea --------------------------------------------------------------------------------

using containment_detail::EdgeScreen;
using containment_detail::EdgeVerdict;
using containment_detail::ExactRule;
using containment_detail::HeightBands;
using containment_detail::visitNearEdge;

// Crossing parity of the closed outline (its closing edge, and for an open list the
// repeated first point as a last, zero-length edge): 1 inside, 0 outside, -1 boundary.
int screenedParity(const CPoint3d& pt, const std::vector<CPoint3d>& pts, double tol, bool closed) {
    const EdgeScreen screen(pt, tol);
    ExactRule exact(pt, tol);
    unsigned crossings = 0;
    const CPoint3d* p = pts.data();
    const size_t n = pts.size();
    const double py = screen.py();
    for (size_t i = screen.nextNearEdge(p, 0, n - 1); i + 1 < n;
         i = screen.nextNearEdge(p, i + 1, n - 1)) {
        if (!visitNearEdge(screen, exact, p[i], p[i + 1], p[i].y - py, p[i + 1].y - py,
                           crossings)) {
            return -1;
        }
    }
    auto visit = [&](const CPoint3d& r, const CPoint3d& q) {
        const double dr = r.y - py, dq = q.y - py;
        return screen.farInHeight(dr, dq) || visitNearEdge(screen, exact, r, q, dr, dq, crossings);
    };
    if (!visit(p[n - 1], p[0]) || (!closed && !visit(p[0], p[0]))) {
        return -1;
    }
    return static_cast<int>(crossings % 2u);
}

// The same parity with the exact rule on every edge, for tolerances the screen cannot use.
int exactParity(const CPoint3d& pt, const std::vector<CPoint3d>& pts, double tol, bool closed) {
    ExactRule exact(pt, tol);
    unsigned crossings = 0;
    const size_t n = pts.size();
    for (size_t i = 0; i <= n; ++i) {
        if (i == n && closed) {
            break;
        }
        // Edge n is the zero-length edge at the repeated first point of an open list.
        const CPoint3d& r = i < n ? pts[i] : pts[0];
        const CPoint3d& q = i + 1 < n ? pts[i + 1] : pts[0];
        const EdgeVerdict v = exact.verdict(r, q);
        if (v == EdgeVerdict::kOnBoundary) {
            return -1;
        }
        crossings += v == EdgeVerdict::kCrossing ? 1u : 0u;
    }
    return static_cast<int>(crossings % 2u);
}

int classifyPointInArea(const CPoint3d& pt, const std::vector<CPoint3d>& pts, double tol) {
    const bool closed = pts.back().isEqualTo(pts.front(), tol);
    // The screen needs a finite, non-negative tolerance.
    if (tol >= 0.0 && std::isfinite(tol)) {
        return screenedParity(pt, pts, tol, closed);
    }
    return exactParity(pt, pts, tol, closed);
}

// ---- Outlines prepared for the vertices of another ------------------------------------------

// The kernel's point test against one outline, with the outline's edges filed by height once.
// Outlines and points that carry non-finite values are handed to the kernel test itself.
class PreparedKernelOutline {
public:
    PreparedKernelOutline(const std::vector<CPoint3d>& outline, AcGePoint3dArray& asArray)
        : pts_(outline), asArray_(asArray) {
        finite_ = std::all_of(pts_.begin(), pts_.end(), geo_detail::isFiniteXY<CPoint3d>);
        if (!finite_ || pts_.empty()) {
            return;
        }
        // Within the boundary tolerance of an edge, or crossing its height: twice the
        // tolerance plus a relative margin covers the rounding of both tests.
        const size_t n = pts_.size();
        std::vector<double> lo(n), hi(n);
        for (size_t i = 0; i < n; ++i) {
            const double a = pts_[i].y, b = pts_[(i + 1) % n].y;
            const double reach = 2.0 * Orvel::kOnEdgeTol + 4e-9 * (std::fabs(a) + std::fabs(b));
            lo[i] = std::min(a, b) - reach;
            hi[i] = std::max(a, b) + reach;
        }
        bands_ = HeightBands(lo, hi);
    }

    // Orvel::isIn(p, outline, onEdgeIsIn).
    bool isIn(const CPoint3d& p, bool onEdgeIsIn) const {
        if (!finite_ || pts_.empty() || !geo_detail::isFiniteXY(p)) {
            return Orvel::isIn(Pnt3dToAcPnt3d(p), asArray_, onEdgeIsIn);
        }
        const orvel_detail::PlanPoint q{p.x, p.y};
        const size_t n = pts_.size();
        bool odd = false;
        const bool offBoundary = bands_.forEachAt(q.y, [&](uint32_t i) {
            const orvel_detail::PlanPoint a{pts_[i].x, pts_[i].y};
            const CPoint3d& next = pts_[i + 1 < n ? i + 1 : 0];
            const orvel_detail::PlanPoint b{next.x, next.y};
            if (orvel_detail::distanceToSegment(q, a, b) <= Orvel::kOnEdgeTol) {
                return false;
            }
            odd ^= orvel_detail::crossesRay(q, a, b);
            return true;
        });
        return offBoundary ? odd : onEdgeIsIn;
    }

private:
    const std::vector<CPoint3d>& pts_;
    AcGePoint3dArray& asArray_;
    bool finite_ = false;
    HeightBands bands_;
};

// Closes a copy of the list by appending its first point when the last differs from it.
void closeCopy(std::vector<CPoint3d>& pts, double tol) {
    if (!pts.back().isEqualTo(pts.front(), tol)) {
        pts.push_back(pts.front());
    }
}

}  // namespace

// ---- Point in outline --------------------------------------------------------------------------

bool PtInArea(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol, bool onEdge) {
    if (pts.size() < 3) {
        return false;
    }
    const int where = classifyPointInArea(pt, pts, tol);
    return where < 0 ? onEdge : where == 1;
}

bool PtIn3DArea(CPoint3d const& pt, std::vector<CPoint3d>& pts, CVector3d const& normal, double tol,
                bool onEdge) {
    return containment_detail::PlaneOutlineQueries(pts, normal, tol, 1).ptIn(pt, onEdge);
}

bool IsPointInTriangle(CVector3d pt, CVector3d* tri) {
    if (tri == nullptr) {
        return false;
    }
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        sum += (tri[i] - pt).getAngle(tri[(i + 1) % 3] - pt);
    }
    return sum >= kFullTurnLow && sum <= kFullTurnHigh;
}

// ---- Outline in outline ------------------------------------------------------------------------

bool polygonInPolygon(std::vector<CPoint3d> const& inner, std::vector<CPoint3d> const& outer,
                      double /*tol*/) {
    AcGePoint3dArray outline;
    Pnt3dToAcPnt3d_Ary(outer, outline);
    if (preparingPays(inner.size(), outer.size())) {
        const PreparedKernelOutline prepared(outer, outline);
        return std::all_of(inner.begin(), inner.end(),
                           [&](const CPoint3d& v) { return prepared.isIn(v, true); });
    }
    for (const CPoint3d& v : inner) {
        if (!Orvel::isIn(Pnt3dToAcPnt3d(v), outline, true)) {
            return false;
        }
    }
    return true;
}

bool PolyInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b) {
    if (preparingPays(a.size(), b.size())) {
        const CPreparedArea prepared(b, kOutlineTol);
        return std::any_of(a.begin(), a.end(),
                           [&](const CPoint3d& v) { return prepared.ptIn(v, false); });
    }
    for (const CPoint3d& v : a) {
        if (PtInArea(v, b, kOutlineTol, false)) {
            return true;
        }
    }
    return false;
}

bool PolInPol(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b) {
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        for (size_t j = 0; j + 1 < b.size(); ++j) {
            CPoint3d at;
            if (segmentsCross(a[i], a[i + 1], b[j], b[j + 1], kOutlineTol, at)) {
                return true;
            }
        }
    }
    return false;
}

bool FirstplanCoplanaritySecondplan(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b,
                                    int parallelOnly) {
    if (a.size() < 3 || b.size() < 3) {
        return false;
    }
    const CVector3d na = GetNormal(a[0], a[1], a[2]);
    const CVector3d nb = GetNormal(b[0], b[1], b[2]);
    const bool parallel = na == nb || na == -nb;
    if (parallelOnly != 0 || !parallel) {
        return parallel;
    }
    for (const CPoint3d& p : b) {
        if (p != a[0]) {
            const CVector3d d = a[0] - p;
            return std::fabs(na.getAngle(d) - kHalfPi) < kPointTol;
        }
    }
    return false;  // every point of b is a[0]: no direction within the plane to test
}

// ---- Point or segment on an outline ------------------------------------------------------------

bool PtOnPolyline(CPoint3d const& pt, std::vector<CPoint3d> const& pts, double tol) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (onSegment(pts[i], pts[i + 1], pt, tol)) {
            return true;
        }
    }
    return false;
}

bool PtOnPolyline(AcGePoint3d const& pt, std::vector<AcGePoint3d> const& pts, double tol) {
    const AcGeTol t = pointAndVectorTol(tol);
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const AcGeLineSeg3d seg(pts[i], pts[i + 1]);
        if (FloatComp(seg.distanceTo(pt, t), 0.0, tol) == 0) {
            return true;
        }
    }
    return false;
}

bool LineOnPolyline(CPoint3d a, CPoint3d b, std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return false;
    }
    a.z = pts[0].z;
    b.z = pts[0].z;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (onSegment(pts[i], pts[i + 1], a, kSegmentOnTol) &&
            onSegment(pts[i], pts[i + 1], b, kSegmentOnTol)) {
            return true;
        }
    }
    return false;
}

int CalPtPosAtPL(CPoint3d pt, std::vector<CPoint3d> const& pts) {
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        if (onSegment(pts[i], pts[(i + 1) % n], pt, kOnEdgeTol)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CalPtPosAtPLine(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (onSegment(pts[i], pts[i + 1], pt, tol)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int GetSideFromPts(CPoint3d const& pt, std::vector<CPoint3d> const& pts) {
    return static_cast<int>(
        nearestSegment(pt, pts, nearerThan(kContourBound), NearTie::kTolerant).index);
}

int GetSideFromPts_XY_Plain(CPoint3d const& pt, std::vector<CPoint3d> const& pts) {
    // Only level segments are sides in plan.
    const auto sloped = [&pts](size_t i) { return pts[i].z != pts[i + 1].z; };
    return static_cast<int>(
        nearestSegment(pt, pts, nearerThan(kContourBound), NearTie::kTolerant, sloped).index);
}

bool ExistHoleInPts(std::vector<CPoint3d> const& pts, int* first, int* second, double tol) {
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;  // the closing repeat of a closed list
            }
            if (pts[i].isEqualTo(pts[j], tol)) {
                if (first != nullptr) {
                    *first = static_cast<int>(i);
                }
                if (second != nullptr) {
                    *second = static_cast<int>(j);
                }
                return true;
            }
        }
    }
    return false;
}

// ---- Crossings ---------------------------------------------------------------------------------

bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, CPoint3d const& c, CPoint3d const& d,
                     CPoint3d& at) {
    if (segmentsCross(a, b, c, d, kPointTol, at)) {
        return true;
    }
    if (onSegment(a, b, c, kPointTol)) {
        at = c;
        return true;
    }
    if (onSegment(a, b, d, kPointTol)) {
        at = d;
        return true;
    }
    return false;
}

bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return false;
    }
    auto crossesAway = [&](const CPoint3d& s, const CPoint3d& e) {
        CPoint3d at;
        return segmentsCross(a, b, s, e, kPointTol, at) && !at.isEqualTo(a, kPointTol) &&
               !at.isEqualTo(b, kPointTol);
    };
    for (size_t i = 1; i < pts.size(); ++i) {
        if (crossesAway(pts[i - 1], pts[i])) {
            return true;
        }
    }
    return crossesAway(pts.front(), pts.back());
}

bool IsIntersectWith(CLine& line, std::vector<CPoint3d> const& pts, std::vector<CPoint3d>& hits) {
    hits.clear();
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        CPoint3d at;
        if (segmentCrossesLine(pts[i], pts[i + 1], line.startPt, line.endPt, kOnEdgeTol, at)) {
            hits.push_back(at);
        }
    }
    return !hits.empty();
}

bool lineSegInter(CPoint3d a, CPoint3d b, CPoint3d c, CPoint3d d, double tol) {
    CPoint3d at;
    if (!segmentsCross(a, b, c, d, tol, at)) {
        return false;
    }
    return !at.isEqualTo(a, tol) && !at.isEqualTo(b, tol) && !at.isEqualTo(c, tol) &&
           !at.isEqualTo(d, tol);
}

bool PolylineInter(std::vector<CPoint3d> a, std::vector<CPoint3d> b, double tol) {
    if (a.size() < 3 || b.size() < 3) {
        return false;
    }
    closeCopy(a, tol);
    closeCopy(b, tol);
    for (size_t i = 1; i < a.size(); ++i) {
        for (size_t j = 1; j < b.size(); ++j) {
            if (lineSegInter(a[i - 1], a[i], b[j - 1], b[j], kOutlineTol)) {
                return true;
            }
        }
    }
    return false;
}

// ---- Rays and lines ----------------------------------------------------------------------------

bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt, CVector3d const& dir,
                      int& edge, CPoint3d& hit, double tol) {
    if (dir.length() < kPointTol) {
        return false;
    }
    const CVector3d unit = CVector3d(dir).normalize();
    const AcGeLine3d line(Pnt3dToAcPnt3d(pt), AcGeVector3d(unit.x, unit.y, unit.z));
    // The far reference point sits on the side the outline's orientation prefers.
    const CPoint3d ref = PolyIsClockWise(pts) ? pt + unit * kSideReach : pt + unit * -kSideReach;
    const AcGeTol t = pointAndVectorTol(tol);
    double best = kSideBound;
    bool found = false;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const AcGeLineSeg3d seg(Pnt3dToAcPnt3d(pts[i]), Pnt3dToAcPnt3d(pts[i + 1]));
        AcGePoint3d at;
        if (!seg.intersectWith(line, at, t)) {
            continue;
        }
        const CPoint3d p = AcPnt3dToPnt3d(at);
        const double d = p.distanceTo(ref);
        if (d < best) {
            best = d;
            edge = static_cast<int>(i);
            hit = p;
            found = true;
        }
    }
    return found;
}

namespace {

// Brings a walk distance into [0, total] as repeated subtraction of the total does; very
// long walks (or a tiny total) are reduced with fmod so that the reduction always ends.
double wrapDistance(double d, double total) {
    if (d / total > kMaxWrapSteps) {
        d = std::fmod(d, total);
        return d == 0.0 ? total : d;
    }
    while (d > total) {
        d -= total;
    }
    return d;
}

// Advances along pts from c through vertices from..n-1; true with the point when the
// remaining distance ends inside one of those edges.
bool walkAlong(const std::vector<CPoint3d>& pts, size_t from, CPoint3d c, double& d, int& edge,
               CPoint3d& out) {
    for (size_t i = from; i < pts.size(); ++i) {
        const double h = pts[i].distanceTo(c);
        if (d < h) {
            CVector3d dir = pts[i] - c;
            out = c + dir.normalize() * d;
            edge = static_cast<int>(i) - 1;
            return true;
        }
        d -= h;
        c = pts[i];
    }
    return false;
}

}  // namespace

bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, int& edge, CPoint3d& pt, double dist) {
    const double total = GetTotalLength(pts);
    // A non-finite move has no end point on the outline.
    if (!(total >= kPointTol) || !std::isfinite(total) || !std::isfinite(dist)) {
        return false;
    }
    double d = wrapDistance(std::fabs(dist), total);
    if (dist < 0.0) {
        d = total - d;  // a backward move made as a forward one
    }
    if (pts.size() < 2 || edge < 0 || static_cast<size_t>(edge) >= pts.size()) {
        return false;
    }
    int newEdge = edge;
    CPoint3d out;
    if (walkAlong(pts, static_cast<size_t>(edge) + 1, pt, d, newEdge, out) ||
        walkAlong(pts, 1, pts[0], d, newEdge, out)) {
        edge = newEdge;
        pt = out;
        return true;
    }
    return false;
}

bool PtRayToContour(AcGePoint3d const& pt, AcGeVector3d const& dir,
                    std::vector<std::vector<AcGePoint3d>> const& contours, AcGePoint3d& hit,
                    unsigned int& contour, double tol) {
    contour = 0;
    if (dir.length() == 0.0) {
        return false;  // a ray needs a direction
    }
    const AcGeRay3d ray(pt, dir);
    const AcGeTol t = pointAndVectorTol(tol);
    double best = kContourBound;
    for (size_t i = 0; i < contours.size(); ++i) {
        const std::vector<AcGePoint3d>& c = contours[i];
        for (size_t j = 0; j + 1 < c.size(); ++j) {
            AcGePoint3d at;
            if (!ray.intersectWith(AcGeLineSeg3d(c[j], c[j + 1]), at, t)) {
                continue;
            }
            const double d = at.distanceTo(pt);
            if (d < best) {
                best = d;
                hit = at;
                contour = static_cast<unsigned int>(i);
                if (FloatComp(d, 0.0, tol) == 0) {
                    break;  // the ray starts on this contour
                }
            }
        }
        if (contours.size() > 1 && FloatComp(best, 0.0, tol) == 0) {
            break;
        }
    }
    return best != kContourBound;
}

bool IntersectTriangle(CVector3d orig, CVector3d dir, CPoint3d p0, CPoint3d p1, CPoint3d p2,
                       double& t, double& u, double& v) {
    const CVector3d e1 = p1 - p0;
    const CVector3d e2 = p2 - p0;
    const CVector3d p = dir.crossProduct(e2);
    double det = e1.getDotProduct(p);
    CVector3d tv;
    if (det > 0.0) {
        tv = orig - CVector3d(p0);
    } else {
        tv = CVector3d(p0) - orig;
        det = -det;
    }
    if (det < kDetLimit) {
        return false;
    }
    u = tv.getDotProduct(p);
    if (u < 0.0 || u > det) {
        return false;
    }
    const CVector3d q = tv.crossProduct(e1);
    v = dir.getDotProduct(q);
    if (v < 0.0 || u + v > det) {
        return false;
    }
    t = e2.getDotProduct(q) / det;
    u /= det;
    v /= det;
    return true;
}

bool IntersectCube(CPoint3d center, double size, CVector3d orig, CVector3d dir, double& t) {
    const double h = size / 2.0;
    auto corner = [&](int sx, int sy, int sz) {
        return CPoint3d(center.x + sx * h, center.y + sy * h, center.z + sz * h);
    };
    // Each face as four corners in order; the face is split along its 0-2 diagonal.
    const CPoint3d faces[6][4] = {
        {corner(-1, -1, -1), corner(1, -1, -1), corner(1, 1, -1), corner(-1, 1, -1)},
        {corner(-1, -1, 1), corner(1, -1, 1), corner(1, 1, 1), corner(-1, 1, 1)},
        {corner(-1, -1, -1), corner(1, -1, -1), corner(1, -1, 1), corner(-1, -1, 1)},
        {corner(-1, 1, -1), corner(1, 1, -1), corner(1, 1, 1), corner(-1, 1, 1)},
        {corner(-1, -1, -1), corner(-1, 1, -1), corner(-1, 1, 1), corner(-1, -1, 1)},
        {corner(1, -1, -1), corner(1, 1, -1), corner(1, 1, 1), corner(1, -1, 1)},
    };
    double best = DBL_MAX;
    bool anyHit = false;
    for (const auto& f : faces) {
        double th = 0.0, u = 0.0, v = 0.0;
        const bool hitFace = IntersectTriangle(orig, dir, f[0], f[1], f[2], th, u, v) ||
                             IntersectTriangle(orig, dir, f[0], f[2], f[3], th, u, v);
        if (!hitFace) {
            continue;
        }
        anyHit = true;
        if (best - th > kPointTol) {
            best = th;
        }
    }
    if (anyHit) {
        t = best;
    }
    return anyHit;
}

int PolygonIntersectWithLine(const std::vector<CPoint3d>& pts, const AcGeLine3d& line,
                             std::vector<CPoint3d>& out) {
    if (pts.size() < 3) {
        return 0;
    }
    std::vector<AcGePoint3d> ring;
    acVecPts2VecgePts(pts, ring);
    if (!ring.back().isEqualTo(ring.front(), AcGeContext::gTol)) {
        ring.push_back(ring.front());
    }
    out.clear();
    const AcGeTol t = pointAndVectorTol(kPolygonLineTol);
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        AcGePoint3d at;
        if (!AcGeLineSeg3d(ring[i], ring[i + 1]).intersectWith(line, at, t)) {
            continue;
        }
        const CPoint3d p = AcPnt3dToPnt3d(at);
        // A crossing through a vertex is met by both of its edges: keep it once. The first
        // vertex is shared by the first and the last edge.
        const bool lastEdge = i + 2 == ring.size();
        if (out.empty() || (!p.isEqualTo(out.back(), kPointTol) &&
                            !(lastEdge && p.isEqualTo(out.front(), kPointTol)))) {
            out.push_back(p);
        }
    }
    return static_cast<int>(out.size());
}
