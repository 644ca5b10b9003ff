// The plane: a point and a unit normal; 3D crossings with lines and planes, projection.
#include <geo/archive_lists.h>
#include <geo/lines.h>

#include "entities/lines_common.h"

#include <cmath>

using namespace lines_detail;

IMPLEMENT_SERIAL(CPlane, CGeometry, 1)

CPlane::CPlane() : normalVec(0.0, 0.0, 1.0) {}

CPlane::CPlane(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3) {
    set(p1, p2, p3);
}

CPlane::CPlane(const CPlane& other)
    : CGeometry(other), originPt(other.originPt), normalVec(other.normalVec) {}

CPlane::~CPlane() = default;

CPlane& CPlane::operator=(const CPlane& other) {
    CGeometry::operator=(other);
    originPt = other.originPt;
    normalVec = other.normalVec;
    return *this;
}

void CPlane::set(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3) {
    set(p1, (p2 - p1).crossProduct(p3 - p2));
}

void CPlane::set(const CPoint3d& origin, const CVector3d& normal) {
    CVector3d n = normal;
    originPt = origin;
    normalVec = n.normalize();
}

bool CPlane::set(const std::vector<CPoint3d>& pts) {
    // Shortest normal, unnormalised, that counts as a real turn.
    constexpr double kMinTurn = 1e-6;
    const size_t n = pts.size();
    for (size_t i = 0; i + 2 < n; ++i) {
        for (size_t j = i + 1; j + 1 < n; ++j) {
            for (size_t k = j + 1; k < n; ++k) {
                const CVector3d normal = (pts[j] - pts[i]).crossProduct(pts[k] - pts[j]);
                if (normal.length() > kMinTurn) {
                    set(pts[0], normal);
                    return true;
                }
            }
        }
    }
    return false;
}

namespace {

// Where the line s + d*t meets the plane; false when it runs parallel to it or
// the parameter is out of [lo, hi].
bool crossPlane(const CPlane& plane, const CPoint3d& s, const CVector3d& d, double tol, double lo,
                double hi, CPoint3d& out) {
    const double k = plane.normalVec.getDotProduct(d);
    if (!(std::fabs(k) >= tol))
        return false;
    const double t = -plane.normalVec.getDotProduct(s - plane.originPt) / k;
    if (!(t >= lo && t <= hi))
        return false;
    out = s + d * t;
    return true;
}

}  // namespace

bool CPlane::intersectWith(const CLineSeg& seg, CPoint3d& out, double tol) const {
    return crossPlane(*this, seg.startPt, seg.endPt - seg.startPt, tol, 0.0, 1.0, out);
}

bool CPlane::intersectWith(const CLine& line, CPoint3d& out, double tol) const {
    return crossPlane(*this, line.startPt, line.endPt - line.startPt, tol, -HUGE_VAL, HUGE_VAL,
                      out);
}

bool CPlane::intersectWith(const CRay& ray, CPoint3d& out, double tol) const {
    return crossPlane(*this, ray.startPt, ray.dirVec, tol, 0.0, HUGE_VAL, out);
}

bool CPlane::intersectWith(const CPlane& other, CLine& out, double tol) const {
    const CVector3d& n1 = normalVec;
    const CVector3d& n2 = other.normalVec;
    const CVector3d dir = n1.crossProduct(n2);
    const double ax = std::fabs(dir.x), ay = std::fabs(dir.y), az = std::fabs(dir.z);
    if (!(ax + ay + az >= tol))
        return false;
    // Plane equations n.X + D = 0, solved with the largest direction component
    // as determinant and that coordinate set to 0.
    const double e1 = n1.getDotProduct(CVector3d(originPt));
    const double e2 = n2.getDotProduct(CVector3d(other.originPt));
    CPoint3d at;
    if (ax > ay && ax > az) {
        at.y = (e1 * n2.z - e2 * n1.z) / dir.x;
        at.z = (e2 * n1.y - e1 * n2.y) / dir.x;
    } else if (ay > az) {
        at.z = (e1 * n2.x - e2 * n1.x) / dir.y;
        at.x = (e2 * n1.z - e1 * n2.z) / dir.y;
    } else {
        at.x = (e1 * n2.y - e2 * n1.y) / dir.z;
        at.y = (e2 * n1.x - e1 * n2.x) / dir.z;
    }
    out.set(at, at + dir);
    return true;
}

CPoint3d CPlane::PtProj2Plane(const CPoint3d& p, CVector3d dir) const {
    constexpr double kMinDirection = 1e-6;
    if (dir.length() < kMinDirection)
        dir = normalVec;
    CPoint3d hit;
    if (!intersectWith(CLine(p, p + dir), hit, kPointTol))
        return CPoint3d(0.0, 0.0, 0.0);
    return hit;
}

std::vector<CPoint3d> CPlane::PtProj2Plane(const std::vector<CPoint3d>& pts, CVector3d dir) const {
    std::vector<CPoint3d> projected;
    projected.reserve(pts.size());
    for (const CPoint3d& p : pts)
        projected.push_back(PtProj2Plane(p, dir));
    return projected;
}

bool CPlane::isValid() const {
    return CGeometry::isValid() && originPt.isValid() && normalVec.isValid();
}

const std::type_info& CPlane::type() const {
    return typeid(CPlane);
}

CGeometry* CPlane::clone() const {
    return new CPlane(*this);
}

void CPlane::Serialize(CArchive& ar) {
    lines_detail::SerializeTwoFields(ar, *this, originPt, normalVec);
}

CArchive& operator<<(CArchive& ar, const CPlane& plane) {
    RequireStoring(ar);
    const_cast<CPlane&>(plane).CPlane::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CPlane& plane) {
    RequireLoading(ar);
    plane.CPlane::Serialize(ar);
    return ar;
}
