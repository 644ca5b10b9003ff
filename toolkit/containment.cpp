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

#include <cfloat>
#include <cmath>

namespace {

constexpr double kPointTol = 1e-6;     // segment crossings and FloatComp tests
constexpr double kOutlineTol = 0.001;  // outline-against-outline tests
constexpr double kOnEdgeTol = 0.01;    // CalPtPosAtPL and crossings with a CLine
constexpr double kSegmentOnTol = 0.1;  // LineOnPolyline
constexpr double kDetLimit = 0.0001;   // IntersectTriangle: below this the ray runs parallel
constexpr double kFullTurnLow = 6.183185307179587;   // 2*pi - 0.1
constexpr double kFullTurnHigh = 6.383185307179586;  // 2*pi + 0.1
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kSideReach = 100000.0;   // GetPtSideFromPts: reference point distance
constexpr double kSideBound = 1e11;       // GetPtSideFromPts: starting best distance
constexpr double kContourBound = 1e10;    // PtRayToContour and GetSideFromPts: starting bound
constexpr double kPolygonLineTol = 1e-4;  // PolygonIntersectWithLine's AcGe tolerance
constexpr double kMaxWrapSteps = 1e6;     // beyond this a long walk is reduced with fmod

// ---- PtInArea --------------------------------------------------------------------------------

// What one edge of the outline says about the query point.
enum class EdgeVerdict { kNone, kCrossing, kOnBoundary };

// The exact rule for one edge r-q: vertex hit, on-edge hit, horizontal skip, then the
// crossing cases (a vertex on the ray counts only for the edge whose other end lies below).
EdgeVerdict exactEdgeVerdict(const CPoint3d& pt, const CPoint3d& r, const CPoint3d& q, double tol,
                             const CRay& ray, CLineSeg& edge) {
    if (pt.isEqualTo(r, tol)) {
        return EdgeVerdict::kOnBoundary;
    }
    edge.set(r, q);
    if (edge.isOn(pt, tol)) {
        return EdgeVerdict::kOnBoundary;
    }
    if (FloatComp(q.y, r.y, tol) == 0) {
        return EdgeVerdict::kNone;
    }
    if (FloatComp(pt.y, r.y, tol) == 0 && FloatComp(pt.x, r.x, tol) == 1 &&
        FloatComp(pt.y, q.y, tol) == 1) {
        return EdgeVerdict::kCrossing;
    }
    if (FloatComp(pt.y, q.y, tol) == 0 && FloatComp(pt.x, q.x, tol) == 1 &&
        FloatComp(pt.y, r.y, tol) == 1) {
        return EdgeVerdict::kCrossing;
    }
    CPoint3d hit;
    if (ray.intersectWith(edge, hit, tol) && !hit.isEqualTo(r, tol) && !hit.isEqualTo(q, tol)) {
        return EdgeVerdict::kCrossing;
    }
    return EdgeVerdict::kNone;
}

// Relative slack that covers the rounding of the exact tests on coordinates of any size.
constexpr double kScreenRel = 1e-9;

// A cheap plan screen in front of the exact rule. An edge whose two ends lie beyond the
// slack on one side of the point (above, below, or right of it) cannot touch the point or
// the leftward ray; an edge left of the point whose ends lie clearly on both sides of the
// ray is a certain crossing. Anything else, NaN included, goes to the exact rule.
struct EdgeScreen {
    double px, py;
    double slackX, slackY;  // 4 * tol plus the relative slack of the point's own coordinates
    bool shortcutAllowed;   // the point and the tolerance are finite

    EdgeScreen(const CPoint3d& pt, double tol)
        : px(pt.x),
          py(pt.y),
          slackX(4.0 * tol + kScreenRel * std::fabs(pt.x)),
          slackY(4.0 * tol + kScreenRel * std::fabs(pt.y)),
          shortcutAllowed(std::isfinite(pt.x) && std::isfinite(pt.y) && std::isfinite(pt.z)) {}

    enum Result { kSkip, kCross, kExact };

    Result classify(const CPoint3d& r, const CPoint3d& q) const {
        const double sy = slackY + kScreenRel * (std::fabs(r.y) + std::fabs(q.y));
        const bool rAbove = r.y - sy > py, qAbove = q.y - sy > py;
        const bool rBelow = r.y + sy < py, qBelow = q.y + sy < py;
        if ((rAbove && qAbove) || (rBelow && qBelow)) {
            return kSkip;
        }
        const double sx = slackX + kScreenRel * (std::fabs(r.x) + std::fabs(q.x));
        if (r.x - sx > px && q.x - sx > px) {
            return kSkip;  // wholly right of the point: the ray runs the other way
        }
        const bool spans = (rAbove && qBelow) || (rBelow && qAbove);
        if (spans && shortcutAllowed && r.x + sx < px && q.x + sx < px && std::isfinite(r.z) &&
            std::isfinite(q.z)) {
            return kCross;
        }
        return kExact;
    }
};

// Walks the closed outline (closing edge, and for an open list the repeated first point)
// and returns 1 inside, 0 outside, -1 on the boundary.
int classifyPointInArea(const CPoint3d& pt, const std::vector<CPoint3d>& pts, double tol) {
    const size_t n = pts.size();
    const bool closed = pts[n - 1].isEqualTo(pts[0], tol);
    // Screening needs a finite, non-negative tolerance; otherwise every edge takes the
    // exact rule.
    const bool screen = tol >= 0.0 && std::isfinite(tol);
    const EdgeScreen screener(pt, screen ? tol : 0.0);
    const CRay ray(pt, CVector3d(-1.0, 0.0, 0.0));
    CLineSeg edge;
    unsigned crossings = 0;
    auto visit = [&](const CPoint3d& r, const CPoint3d& q, bool screenable) {
        if (screenable) {
            const EdgeScreen::Result s = screener.classify(r, q);
            if (s == EdgeScreen::kSkip) {
                return true;
            }
            if (s == EdgeScreen::kCross) {
                ++crossings;
                return true;
            }
        }
        const EdgeVerdict v = exactEdgeVerdict(pt, r, q, tol, ray, edge);
        crossings += v == EdgeVerdict::kCrossing ? 1u : 0u;
        return v != EdgeVerdict::kOnBoundary;
    };
    for (size_t i = 0; i + 1 < n; ++i) {
        if (!visit(pts[i], pts[i + 1], screen)) {
            return -1;
        }
    }
    if (!visit(pts[n - 1], pts[0], false)) {
        return -1;
    }
    if (!closed && !visit(pts[0], pts[0], false)) {
        return -1;
    }
    return static_cast<int>(crossings % 2u);
}

AcGeTol makeTol(double tol) {
    AcGeTol t;
    t.setEqualPoint(tol);
    t.setEqualVector(tol);
    return t;
}

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
    if (pts.size() < 3) {
        return false;
    }
    const AcGeVector3d n(normal.x, normal.y, normal.z);
    if (n.length() == 0.0 || !std::isfinite(n.length())) {
        return false;  // no plane to work in
    }
    const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(AcGePlane(Pnt3dToAcPnt3d(pts[0]), n));
    auto flatten = [&toPlane](const CPoint3d& p) {
        AcGePoint3d q = Pnt3dToAcPnt3d(p);
        q.transformBy(toPlane);
        CPoint3d out = AcPnt3dToPnt3d(q);
        out.z = 0.0;
        return out;
    };
    std::vector<CPoint3d> local;
    local.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        local.push_back(flatten(p));
    }
    return PtInArea(flatten(pt), local, tol, onEdge);
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
    for (const CPoint3d& v : inner) {
        if (!Orvel::isIn(Pnt3dToAcPnt3d(v), outline, true)) {
            return false;
        }
    }
    return true;
}

bool PolyInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b) {
    for (const CPoint3d& v : a) {
        if (PtInArea(v, b, kOutlineTol, false)) {
            return true;
        }
    }
    return false;
}

bool PolInPol(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b) {
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        const CLineSeg segA(a[i], a[i + 1]);
        for (size_t j = 0; j + 1 < b.size(); ++j) {
            CPoint3d at;
            if (segA.intersectWith(CLineSeg(b[j], b[j + 1]), at, kOutlineTol)) {
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
        if (CLineSeg(pts[i], pts[i + 1]).isOn(pt, tol)) {
            return true;
        }
    }
    return false;
}

bool PtOnPolyline(AcGePoint3d const& pt, std::vector<AcGePoint3d> const& pts, double tol) {
    const AcGeTol t = makeTol(tol);
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
        const CLineSeg seg(pts[i], pts[i + 1]);
        if (seg.isOn(a, kSegmentOnTol) && seg.isOn(b, kSegmentOnTol)) {
            return true;
        }
    }
    return false;
}

int CalPtPosAtPL(CPoint3d pt, std::vector<CPoint3d> const& pts) {
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        if (CLineSeg(pts[i], pts[(i + 1) % n]).isOn(pt, kOnEdgeTol)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CalPtPosAtPLine(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (CLineSeg(pts[i], pts[i + 1]).isOn(pt, tol)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int GetSideFromPts(CPoint3d const& pt, std::vector<CPoint3d> const& pts) {
    int side = 0;
    double bound = kContourBound;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double d = pt.distanceTo(CLineSeg(pts[i], pts[i + 1]).getClosestPnt(pt));
        if (FloatComp(bound, d, kPointTol) == 1) {
            side = static_cast<int>(i);
            bound = d;
        }
    }
    return side;
}

int GetSideFromPts_XY_Plain(CPoint3d const& pt, std::vector<CPoint3d> const& pts) {
    int side = 0;
    double bound = kContourBound;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        if (pts[i].z != pts[i + 1].z) {
            continue;  // only level segments are sides in plan
        }
        const double d = pt.distanceTo(CLineSeg(pts[i], pts[i + 1]).getClosestPnt(pt));
        if (FloatComp(d, bound, kPointTol) == -1) {
            side = static_cast<int>(i);
            bound = d;
        }
    }
    return side;
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
    const CLineSeg ab(a, b);
    if (ab.intersectWith(CLineSeg(c, d), at, kPointTol)) {
        return true;
    }
    if (ab.isOn(c, kPointTol)) {
        at = c;
        return true;
    }
    if (ab.isOn(d, kPointTol)) {
        at = d;
        return true;
    }
    return false;
}

bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return false;
    }
    const CLineSeg ab(a, b);
    auto crossesAway = [&](const CPoint3d& s, const CPoint3d& e) {
        CPoint3d at;
        return ab.intersectWith(CLineSeg(s, e), at, kPointTol) && !at.isEqualTo(a, kPointTol) &&
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
        if (CLineSeg(pts[i], pts[i + 1]).intersectWith(line, at, kOnEdgeTol)) {
            hits.push_back(at);
        }
    }
    return !hits.empty();
}

bool lineSegInter(CPoint3d a, CPoint3d b, CPoint3d c, CPoint3d d, double tol) {
    CPoint3d at;
    if (!CLineSeg(a, b).intersectWith(CLineSeg(c, d), at, tol)) {
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
    const AcGeTol t = makeTol(tol);
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
    const AcGeTol t = makeTol(tol);
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
    const AcGeTol t = makeTol(kPolygonLineTol);
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
