// Point-list measures and predicates over CPoint3d and AcGe point lists.
#include <geo/measures.h>

#include <geo/acge/acarray.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/geline3d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepoly3d.h>
#include <geo/acge/geponc3d.h>
#include <geo/acge/getol.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>

#include "foundation/planes.h"
#include "foundation/segments.h"
#include "toolkit/nearest_segment.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/numeric.h"
#include "platform/acge/tol_of.h"

namespace {

using geo_detail::closestBetweenSegments;
using geo_detail::footOnLine;
using geo_detail::kFromFirstSegment;
using geo_detail::nearerThan;
using geo_detail::NearestSegment;
using geo_detail::nearestSegment;
using geo_detail::NearTie;
using geo_detail::onSegment;

using geo_detail::kPointTol;          // most equality and on-segment tests
constexpr double kZeroVecTol = 1e-8;  // a direction shorter than this has no angle
constexpr double kLooseTol = 0.001;   // isEqual and the perpendicular-foot test
using geo_detail::kHalfPi;
using geo_detail::kTwoPi;
constexpr double kFarBound = 1000000.0;  // starting bound of the nearest-segment search of PntPos
constexpr double kMaxCoord = 1e30;       // larger coordinates are not valid AcGe input

// The list's segment at height pts[0].z for the nearest-segment searches.
CPoint3d atFirstHeight(CPoint3d pt, const std::vector<CPoint3d>& pts) {
    pt.z = pts[0].z;
    return pt;
}

// Signed plan area over a cyclic run of count points.
template <typename Pt>
double signedArea(const std::vector<Pt>& pts, size_t count) {
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const Pt& prev = pts[(i + count - 1) % count];
        sum += prev.x * pts[i].y - pts[i].x * prev.y;
    }
    return sum * 0.5;
}

// |cyclic shoelace| / 2 over all points.
template <typename Pt>
double shoelaceArea(const std::vector<Pt>& pts) {
    const size_t n = pts.size();
    double s = 0.0;
    for (size_t i = 0; i < n; ++i) {
        s += pts[i].y * (pts[(i + n - 1) % n].x - pts[(i + 1) % n].x);
    }
    return std::fabs(s) / 2.0;
}

// Transforms CPoint3d points by an AcGe matrix and brings them back.
std::vector<CPoint3d> transformed(const std::vector<CPoint3d>& pts, const AcGeMatrix3d& m) {
    std::vector<CPoint3d> out;
    out.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        out.push_back(AcPnt3dToPnt3d(Pnt3dToAcPnt3d(p).transformBy(m)));
    }
    return out;
}

}  // namespace

// ---- Distances and nearest points -------------------------------------------------------

double GetDistance(CPoint3d const& a, CPoint3d const& b) {
    return a.distanceTo(b);
}

double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts) {
    CPoint3d unused;
    return GetDistPt2PL(pt, pts, unused);
}

double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts, CPoint3d& closest) {
    if (pts.empty()) {
        return 0.0;
    }
    AcGePoint3dArray arr;
    Pnt3dToAcPnt3d_Ary(pts, arr);
    AcGePolyline3d poly(arr);
    AcGePointOnCurve3d onCurve;
    const AcGePoint3d query = Pnt3dToAcPnt3d(pt);
    poly.getClosestPointTo(query, onCurve, AcGeContext::gTol);
    const AcGePoint3d foot = onCurve.point();
    closest = AcPnt3dToPnt3d(foot);
    return query.distanceTo(foot);
}

double GetDistPt2Poly(CPoint3d const& pt, std::vector<CPoint3d> const& pts, CPoint3d& closest) {
    if (pts.size() < 2) {
        return 0.0;
    }
    const NearestSegment near = nearestSegment(pt, pts, kFromFirstSegment, NearTie::kStrict);
    closest = near.foot;
    return near.dist;
}

double GetMinDistWith2Pl(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b,
                         CPoint3d& onA, CPoint3d& onB) {
    if (a.empty() || b.empty()) {
        return 0.0;
    }
    onA = a[0];
    onB = b[0];
    double best = a[0].distanceTo(b[0]);
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        for (size_t j = 0; j + 1 < b.size(); ++j) {
            CPoint3d pb;
            const CPoint3d pa = closestBetweenSegments(a[i], a[i + 1], b[j], b[j + 1], pb);
            const double d = pa.distanceTo(pb);
            if (d < best) {
                best = d;
                onA = pa;
                onB = pb;
            }
            if (best < kPointTol) {
                return best;  // touching: nothing can be nearer
            }
        }
    }
    return best;
}

double GetMinDistWith2PtArrs(std::vector<std::vector<CPoint3d>> const& as,
                             std::vector<std::vector<CPoint3d>> const& bs, CPoint3d& onA,
                             CPoint3d& onB) {
    bool measured = false;
    double best = 0.0;
    for (const auto& a : as) {
        for (const auto& b : bs) {
            if (a.empty() || b.empty()) {
                continue;
            }
            CPoint3d pa, pb;
            const double d = GetMinDistWith2Pl(a, b, pa, pb);
            if (!measured || d < best) {
                measured = true;
                best = d;
                onA = pa;
                onB = pb;
            }
        }
    }
    return best;
}

CPoint3d getMinDisInPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt, int& index) {
    if (pts.size() < 2) {
        index = -1;
        return pt;
    }
    const NearestSegment near = nearestSegment(pt, pts, kFromFirstSegment, NearTie::kStrict);
    index = static_cast<int>(near.index);
    return near.foot;
}

CPoint3d GetClosestPtFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt) {
    if (pts.empty()) {
        return pt;
    }
    size_t best = 0;
    double bestDist = pt.distanceTo(pts[0]);
    for (size_t i = 1; i < pts.size(); ++i) {
        const double d = pt.distanceTo(pts[i]);
        if (FloatComp(d, bestDist, kPointTol) < 0) {
            best = i;
            bestDist = d;
        }
    }
    return pts[best];
}

int PtCloseToPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest) {
    if (pts.size() < 2) {
        return 0;
    }
    const NearestSegment near =
        nearestSegment(atFirstHeight(pt, pts), pts, kFromFirstSegment, NearTie::kTolerant);
    closest = near.foot;
    return static_cast<int>(near.index);
}

bool PtCloseOnPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest) {
    if (pts.size() < 2) {
        return false;
    }
    const CPoint3d level = atFirstHeight(pt, pts);
    const NearestSegment near = nearestSegment(level, pts, kFromFirstSegment, NearTie::kTolerant);
    closest = near.foot;
    // The foot on the segment is a true perpendicular foot when the infinite line agrees.
    const CPoint3d perpendicular = footOnLine(pts[near.index], pts[near.index + 1], level);
    return perpendicular.isEqualTo(near.foot, kLooseTol);
}

// ---- Lengths and positions ------------------------------------------------------------------

double GetTotalLength(std::vector<CPoint3d> const& pts) {
    double sum = 0.0;
    for (size_t i = 1; i < pts.size(); ++i) {
        sum += pts[i - 1].distanceTo(pts[i]);
    }
    return sum;
}

double GetTotalLength(std::vector<AcGePoint3d> const& pts) {
    double sum = 0.0;
    for (size_t i = 1; i < pts.size(); ++i) {
        sum += pts[i - 1].distanceTo(pts[i]);
    }
    return sum;
}

bool GetPtAtLength(std::vector<CPoint3d> const& pts, double len, CPoint3d& out, int* index,
                   double tol) {
    // A NaN length names no point of the polyline.
    if (pts.empty() || std::isnan(len) || FloatComp(len, 0.0, tol) < 0) {
        return false;
    }
    if (pts.size() == 1) {
        if (FloatComp(len, 0.0, tol) != 0) {
            return false;
        }
        out = pts[0];
        return true;
    }
    double sum = 0.0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double seg = pts[i].distanceTo(pts[i + 1]);
        sum += seg;
        if (FloatComp(sum, len, tol) >= 0) {
            out = Polar(pts[i], GetAngle(pts[i], pts[i + 1]), seg - (sum - len));
            if (index != nullptr) {
                *index = static_cast<int>(i);
            }
            return true;
        }
    }
    return false;
}

bool GetLengthAtPt(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double& len, double tol) {
    len = 0.0;
    if (pts.size() < 2) {
        return false;
    }
    double sum = 0.0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        sum += pts[i].distanceTo(pts[i + 1]);
        if (onSegment(pts[i], pts[i + 1], pt, tol)) {
            len = sum - pt.distanceTo(pts[i + 1]);
            return true;
        }
    }
    return false;
}

bool getPtOnPolBaseDis(std::vector<CPoint3d>& pts, CPoint3d& out, double dist) {
    // A circle needs a positive, finite radius.
    if (pts.size() < 2 || !(dist > 0.0) || !std::isfinite(dist)) {
        return false;
    }
    const AcGeCircArc3d circle(Pnt3dToAcPnt3d(pts[0]), AcGeVector3d::kZAxis, dist);
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const AcGeLineSeg3d seg(Pnt3dToAcPnt3d(pts[i]), Pnt3dToAcPnt3d(pts[i + 1]));
        int count = 0;
        AcGePoint3d p1, p2;
        if (circle.intersectWith(seg, count, p1, p2, AcGeContext::gTol) && count >= 1) {
            out = AcPnt3dToPnt3d(p1);
            return true;
        }
    }
    return false;
}

CPoint3d GetPlMid(std::vector<CPoint3d>& pts) {
    if (pts.empty()) {
        return CPoint3d(0.0, 0.0, 0.0);
    }
    const double half = GetTotalLength(pts) / 2.0;
    double running = 0.0;
    for (size_t i = 1; i < pts.size(); ++i) {
        const double seg = pts[i - 1].distanceTo(pts[i]);
        if (running + seg > half) {
            CVector3d dir = pts[i] - pts[i - 1];
            dir.normalize();
            return pts[i - 1] + dir * (half - running);
        }
        running += seg;
    }
    return pts[0];
}

// ---- Area and orientation ------------------------------------------------------------------

double CalPolyArea(std::vector<CPoint3d> const& pts) {
    if (pts.size() < 3) {
        return 0.0;
    }
    bool allOnChord = true;
    for (size_t i = 1; i + 1 < pts.size() && allOnChord; ++i) {
        allOnChord = onSegment(pts.front(), pts.back(), pts[i], kPointTol);
    }
    return allOnChord ? 0.0 : shoelaceArea(pts);
}

double CalPolyArea(std::vector<AcGePoint3d> const& pts) {
    if (pts.size() < 3) {
        return 0.0;
    }
    const AcGeLineSeg3d chord(pts.front(), pts.back());
    bool allOnChord = true;
    for (size_t i = 1; i + 1 < pts.size() && allOnChord; ++i) {
        allOnChord = chord.isOn(pts[i], AcGeContext::gTol);
    }
    return allOnChord ? 0.0 : shoelaceArea(pts);
}

bool PolyIsClockWise(std::vector<CPoint3d> const& pts) {
    if (pts.size() < 3) {
        return false;
    }
    size_t count = pts.size();
    if (pts.back().isEqualTo(pts.front(), kPointTol)) {
        --count;  // the closing repeat adds no corner
    }
    if (count < 3) {
        return false;
    }
    return !(signedArea(pts, count) > 0.0);
}

bool PolyIsClockWise(std::vector<AcGePoint3d>& pts) {
    if (pts.size() < 3) {
        return false;
    }
    const bool closed = pts.back().isEqualTo(pts.front(), AcGeContext::gTol);
    if (closed) {
        pts.pop_back();
    }
    const bool result = pts.size() >= 3 && !(signedArea(pts, pts.size()) > 0.0);
    if (closed) {
        pts.push_back(pts.front());  // the closing vertex comes back exactly equal to the first
    }
    return result;
}

bool isPtsClockWise3D(std::vector<CPoint3d> const& pts, CVector3d normal) {
    if (pts.size() < 3 || !isInPlane(pts, kPointTol)) {
        return false;
    }
    const AcGeVector3d n(normal.x, normal.y, normal.z);
    if (n.length() == 0.0 || !geo_detail::isFiniteXYZ(n)) {
        return false;  // no plane to look from
    }
    const AcGePlane plane(Pnt3dToAcPnt3d(pts[0]), n);
    return PolyIsClockWise(transformed(pts, AcGeMatrix3d::worldToPlane(plane)));
}

bool isPtsClockWise3D(std::vector<AcGePoint3d> const& pts, AcGeVector3d normal) {
    if (normal.length() == 0.0 || !geo_detail::isFiniteXYZ(normal)) {
        return false;  // no plane to look from
    }
    const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
    std::vector<CPoint3d> local;
    local.reserve(pts.size());
    for (const AcGePoint3d& p : pts) {
        AcGePoint3d q = p;
        local.push_back(AcPnt3dToPnt3d(q.transformBy(toPlane)));
    }
    return PolyIsClockWise(local);
}

// ---- Boxes ---------------------------------------------------------------------------------

namespace {

// Widens the x and y ranges of lo..hi to take in p; z is left as it is.
template <class Point>
void widenXY(Point& lo, Point& hi, const Point& p) {
    lo.x = std::min(lo.x, p.x);
    lo.y = std::min(lo.y, p.y);
    hi.x = std::max(hi.x, p.x);
    hi.y = std::max(hi.y, p.y);
}

}  // namespace

bool CalBox(std::vector<CPoint3d> const& pts, CPoint3d& min, CPoint3d& max) {
    if (pts.empty()) {
        return false;
    }
    CPoint3d lo = pts[0], hi = pts[0];
    for (const CPoint3d& p : pts) {
        widenXY(lo, hi, p);
    }
    min = lo;
    max = hi;
    return true;
}

namespace {

// Index of the first edge direction of length at least 1e-6, or 0 when there is none.
size_t firstEdgeIndex(const std::vector<AcGePoint3d>& pts) {
    for (size_t i = 1; i < pts.size(); ++i) {
        if ((pts[i] - pts[i - 1]).length() >= kPointTol) {
            return i;
        }
    }
    return 0;
}

// The unit normal (z not negative) of the points' own plane; false for collinear points.
bool ownPlaneNormal(const std::vector<AcGePoint3d>& pts, AcGeVector3d& normal) {
    const size_t first = firstEdgeIndex(pts);
    if (first == 0) {
        return false;
    }
    const AcGeVector3d d = pts[first] - pts[first - 1];
    // A coincident first pair gives no line through the first two points: use the first edge.
    const AcGeLine3d reference =
        (pts[1] - pts[0]).length() > 0.0 ? AcGeLine3d(pts[0], pts[1]) : AcGeLine3d(pts[0], d);
    for (size_t j = first; j < pts.size(); ++j) {
        if (reference.isOn(pts[j], AcGeContext::gTol)) {
            continue;
        }
        const AcGeVector3d u = pts[j] - pts[0];
        const AcGeVector3d n = d.crossProduct(u);
        if (u.length() >= kPointTol && n.length() >= kPointTol) {
            normal = n.normal();
            if (normal.z < 0.0) {
                normal.negate();
            }
            return true;
        }
    }
    return false;
}

}  // namespace

bool CalBox(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max) {
    AcGeVector3d normal;
    if (pts.size() < 3 || !ownPlaneNormal(pts, normal)) {
        return false;
    }
    AcGeMatrix3d toPlane;
    toPlane.setToWorldToPlane(AcGePlane(pts[0], normal));
    AcGePoint3d lo = AcGePoint3d::kOrigin, hi = AcGePoint3d::kOrigin;
    for (const AcGePoint3d& p : pts) {
        AcGePoint3d q = p;
        q.transformBy(toPlane);
        widenXY(lo, hi, q);
    }
    min = lo;
    max = hi;
    return true;
}

namespace {

// Corner-wise bounds of the points; min and max are left alone for no points.
template <class Point>
void boxOf(const std::vector<Point>& pts, Point& min, Point& max) {
    if (pts.empty()) {
        return;
    }
    Point lo = pts[0], hi = pts[0];
    for (const Point& p : pts) {
        lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    min = lo;
    max = hi;
}

}  // namespace

void CalBox3D(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max) {
    boxOf(pts, min, max);
}

void CalBox3D(std::vector<CPoint3d> pts, CPoint3d& min, CPoint3d& max) {
    boxOf(pts, min, max);
}

bool ptInBox(CPoint3d const& pt, CPoint3d min, CPoint3d const& max) {
    return min.x < pt.x && pt.x < max.x && min.y < pt.y && pt.y < max.y;
}

bool ptArrInBox(std::vector<CPoint3d> const& pts, CPoint3d min, CPoint3d const& max) {
    for (const CPoint3d& p : pts) {
        if (!ptInBox(p, min, max)) {
            return false;
        }
    }
    return true;
}

std::vector<CPoint3d> GetBoxVertexs(CPoint3d min, CPoint3d max) {
    const double x = min.x, y = min.y, z = min.z;
    const double dx = max.x - x, dy = max.y - y, dz = max.z - z;
    return {CPoint3d(x, y, z),
            CPoint3d(x + dx, y, z),
            CPoint3d(x + dx, y + dy, z),
            CPoint3d(x, y + dy, z),
            CPoint3d(x, y, z + dz),
            CPoint3d(x + dx, y, z + dz),
            max,
            CPoint3d(x, y + dy, z + dz)};
}

// ---- Angles and directions -----------------------------------------------------------------

double GetAngle(CPoint3d const& from, CPoint3d const& to) {
    CVector3d v = to - from;
    if (v.length() < kZeroVecTol) {
        return 0.0;
    }
    const double a = CVector3d(v).normalize().getAngle(CVector3d(1.0, 0.0, 0.0));
    return v.y < 0.0 ? kTwoPi - a : a;
}

double PtAngel(CPoint3d const& a, CPoint3d const& vertex, CPoint3d const& c) {
    const CVector3d u = vertex - a;
    const CVector3d w = vertex - c;
    if (u.length() < kPointTol || w.length() < kPointTol) {
        return 0.0;
    }
    return u.getAngle(w);
}

double get_angle(AcGePoint3d const& a, AcGePoint3d const& vertex, AcGePoint3d const& c) {
    const double angle = (a - vertex).angleTo(c - vertex);
    return std::min(angle, kTwoPi - angle);
}

CPoint3d Polar(CPoint3d const& base, double angle, double dist) {
    CVector3d dir(1.0, 0.0, 0.0);
    dir.rotate(angle, CVector3d(0.0, 0.0, 1.0));
    CPoint3d out = base + dir * dist;
    out.z = base.z;  // the move is in plan
    return out;
}

CVector3d LineDir(CPoint3d const& from, CPoint3d const& to) {
    CVector3d v = to - from;
    return v.normalize();
}

CVector3d LineVDir(CPoint3d const& from, CPoint3d const& to) {
    CVector3d v = to - from;
    v.rotate(kHalfPi, CVector3d(0.0, 0.0, 1.0));
    return v.normalize();
}

CPoint3d GetMidPoint(CPoint3d const& a, CPoint3d const& b) {
    return CPoint3d((a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0);
}

AcGePoint3d getMidPoint(AcGePoint3d const& a, AcGePoint3d const& b) {
    return AcGePoint3d((a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0);
}

AcGeVector3d getNormal(AcGePoint3d const& a, AcGePoint3d const& b, AcGePoint3d const& c) {
    return (b - a).crossProduct(c - b);
}

// ---- Predicates ----------------------------------------------------------------------------

bool IsClosed(std::vector<CPoint3d> const& pts, double tol) {
    return pts.size() >= 3 && pts.back().isEqualTo(pts.front(), tol);
}

bool IsClosed(std::vector<AcGePoint3d> const& pts, double tol) {
    return pts.size() >= 3 && pts.back().isEqualTo(pts.front(), acge_detail::pointTol(tol));
}

bool IsClosed(std::vector<AcGePoint2d> const& pts, double tol) {
    return pts.size() >= 3 && pts.back().isEqualTo(pts.front(), acge_detail::pointTol(tol));
}

bool isEqual(CPoint3d const& a, CPoint3d const& b) {
    return std::fabs(a.x - b.x) < kLooseTol && std::fabs(a.y - b.y) < kLooseTol &&
           std::fabs(a.z - b.z) < kLooseTol;
}

bool isEqual(AcGePoint3d const& a, AcGePoint3d const& b, double tol) {
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol && std::fabs(a.z - b.z) < tol;
}

bool isallZequal(std::vector<CPoint3d> const& pts, double tol) {
    if (pts.empty()) {
        return false;
    }
    for (size_t i = 1; i < pts.size(); ++i) {
        if (FloatComp(pts[i - 1].z, pts[i].z, tol) != 0) {
            return false;
        }
    }
    return true;
}

bool PtsIsLevel(std::vector<CPoint3d> const& pts, double* z) {
    if (pts.empty()) {
        return false;
    }
    const double ref = z != nullptr ? *z : pts[0].z;
    for (const CPoint3d& p : pts) {
        if (FloatComp(ref, p.z, kPointTol) != 0) {
            return false;
        }
    }
    return true;
}

bool isInPlane(std::vector<CPoint3d> const& pts, double tol) {
    if (pts.size() < 3) {
        return true;
    }
    // The plane comes from the first non-collinear triple; collinear points lie in a plane.
    CPoint3d origin;
    CVector3d normal;
    if (!geo_detail::planeOfFirstTurn(pts, origin, normal)) {
        return true;
    }
    const CVector3d alongNormal(0.0, 0.0, 0.0);
    for (const CPoint3d& p : pts) {
        const double d = p.distanceTo(geo_detail::projectOntoPlane(origin, normal, p, alongNormal));
        if (FloatComp(d, 0.0, tol) != 0) {
            return false;
        }
    }
    return true;
}

bool AgPtIsValid(AcGePoint3d p) {
    for (double c : {p.x, p.y, p.z}) {
        if (!std::isfinite(c) || std::fabs(c) > kMaxCoord) {
            return false;
        }
    }
    return true;
}

// ---- Side of a line ------------------------------------------------------------------------

int PntPos(AcGePoint3d pt, AcGePoint3d start, AcGePoint3d end, double tol) {
    const AcGeVector3d k = (end - pt).crossProduct(pt - start);
    return FloatComp(k.z, 0.0, tol);
}

int PntPos(CPoint3d pt, CPoint3d start, CPoint3d end, double tol) {
    return PntPos(Pnt3dToAcPnt3d(pt), Pnt3dToAcPnt3d(start), Pnt3dToAcPnt3d(end), tol);
}

int PntPos(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double tol) {
    if (pts.size() < 2) {
        return -2;
    }
    const size_t best = nearestSegment(pt, pts, nearerThan(kFarBound), NearTie::kStrict).index;
    return PntPos(pt, pts[best], pts[best + 1], tol);
}

// ---- Parsing and bulk edits ----------------------------------------------------------------

int Str2Point3d(CString text, CPoint3d& out) {
    const std::string s(text.GetString());
    const size_t a = s.find(';');
    const size_t b = s.rfind(';');
    if (a == std::string::npos || b == std::string::npos || a == b) {
        return 0;
    }
    const double x = std::atof(s.substr(0, a).c_str());
    const double y = std::atof(s.substr(a + 1, b - a - 1).c_str());
    const double z = std::atof(s.substr(b + 1).c_str());
    out.set(x, y, z);
    return 1;
}

void SetZ(std::vector<CPoint3d>& pts, double z) {
    for (CPoint3d& p : pts) {
        p.z = z;
    }
}

void SetZ(std::vector<AcGePoint3d>& pts, double z) {
    for (AcGePoint3d& p : pts) {
        p.z = z;
    }
}

void SetZ(std::vector<std::vector<CPoint3d>>& lists, double z) {
    for (auto& pts : lists) {
        SetZ(pts, z);
    }
}

void SetZ(std::vector<std::vector<AcGePoint3d>>& lists, double z) {
    for (auto& pts : lists) {
        SetZ(pts, z);
    }
}

void SortPtsByDistance(CPoint3d const& ref, std::vector<CPoint3d>& pts) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        double bound = ref.distanceTo(pts[i]);
        for (size_t j = i + 1; j < pts.size(); ++j) {
            const double d = ref.distanceTo(pts[j]);
            if (d < bound) {
                std::swap(pts[i], pts[j]);
                bound = d;
            }
        }
    }
}

CPoint3d getLowestPt(std::vector<CPoint3d>& pts, CPoint3d& out) {
    if (pts.empty()) {
        return out;
    }
    size_t lowest = 0;
    for (size_t i = 1; i < pts.size(); ++i) {
        // A NaN height never wins against a real one.
        if (pts[i].z < pts[lowest].z || (std::isnan(pts[lowest].z) && !std::isnan(pts[i].z))) {
            lowest = i;
        }
    }
    out = pts[lowest];
    return out;
}
