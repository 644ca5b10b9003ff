// The plane: a point and a unit normal; 3D crossings with lines and planes, projection.
#include <geo/archive_lists.h>
#include <geo/lines.h>

#include "entities/lines_common.h"
#include "foundation/planes.h"

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
    CPoint3d origin;
    CVector3d normal;
    if (!geo_detail::planeOfFirstTurn(pts, origin, normal)) {
        return false;
    }
    originPt = origin;
    normalVec = normal;
    return true;
}

bool CPlane::intersectWith(const CLineSeg& seg, CPoint3d& out, double tol) const {
    return geo_detail::crossPlane(originPt, normalVec, seg.startPt, seg.endPt - seg.startPt, tol,
                                  0.0, 1.0, out);
}

bool CPlane::intersectWith(const CLine& line, CPoint3d& out, double tol) const {
    return geo_detail::crossPlane(originPt, normalVec, line.startPt, line.endPt - line.startPt, tol,
                                  -HUGE_VAL, HUGE_VAL, out);
}

bool CPlane::intersectWith(const CRay& ray, CPoint3d& out, double tol) const {
    return geo_detail::crossPlane(originPt, normalVec, ray.startPt, ray.dirVec, tol, 0.0, HUGE_VAL,
                                  out);
}

bool CPlane::intersectWith(const CPlane& other, CLine& out, double tol) const {
    CPoint3d at;
    CVector3d dir;
    if (!geo_detail::planesMeet(originPt, normalVec, other.originPt, other.normalVec, tol, at,
                                dir)) {
        return false;
    }
    out.set(at, at + dir);
    return true;
}

CPoint3d CPlane::PtProj2Plane(const CPoint3d& p, CVector3d dir) const {
    return geo_detail::projectOntoPlane(originPt, normalVec, p, dir);
}

std::vector<CPoint3d> CPlane::PtProj2Plane(const std::vector<CPoint3d>& pts, CVector3d dir) const {
    std::vector<CPoint3d> projected;
    projected.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        projected.push_back(PtProj2Plane(p, dir));
    }
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
