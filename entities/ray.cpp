// The half-line: an origin and an unnormalised direction; planar crossings.
#include <geo/archive_lists.h>
#include <geo/lines.h>

#include "entities/lines_common.h"
#include "foundation/segments.h"

using namespace lines_detail;

IMPLEMENT_SERIAL(CRay, CGeometry, 1)

CRay::CRay() = default;

CRay::CRay(const CPoint3d& origin, const CVector3d& dir) : startPt(origin), dirVec(dir) {}

CRay::CRay(const CPoint3d& p1, const CPoint3d& p2) : startPt(p1), dirVec(p2 - p1) {}

CRay::CRay(const CRay& other) : CGeometry(other), startPt(other.startPt), dirVec(other.dirVec) {}

CRay::~CRay() = default;

CRay& CRay::operator=(const CRay& other) {
    CGeometry::operator=(other);
    startPt = other.startPt;
    dirVec = other.dirVec;
    return *this;
}

void CRay::set(const CPoint3d& p1, const CPoint3d& p2) {
    const CVector3d dir = p2 - p1;
    startPt = p1;
    dirVec = dir;
}

void CRay::set(const CPoint3d& origin, const CVector3d& dir) {
    startPt = origin;
    dirVec = dir;
}

CPoint3d CRay::startPoint() const {
    return startPt;
}
CVector3d CRay::direction() const {
    return dirVec;
}

CPoint3d CRay::getClosestPnt(const CPoint3d& p) const {
    const double dd = dirVec.getDotProduct(dirVec);
    // A ray without direction is its origin alone.
    if (dd == 0.0) {
        return startPt;
    }
    const double t = (p - startPt).getDotProduct(dirVec) / dd;
    if (t < 0.0) {
        return startPt;
    }
    return startPt + dirVec * t;
}

bool CRay::intersectWith(const CLineSeg& seg, CPoint3d& out, double tol) const {
    return geo_detail::rayCrossesSegment(startPt, dirVec, seg.startPt, seg.endPt, tol, out);
}

bool CRay::intersectWith(const CRay& other, CPoint3d& out, double tol) const {
    return geo_detail::raysCross(startPt, dirVec, other.startPt, other.dirVec, tol, out);
}

void CRay::move(const CVector3d& v) {
    startPt += v;
}

bool CRay::isValid() const {
    return CGeometry::isValid() && startPt.isValid() && dirVec.isValid();
}

const std::type_info& CRay::type() const {
    return typeid(CRay);
}

CGeometry* CRay::clone() const {
    return new CRay(*this);
}

void CRay::Serialize(CArchive& ar) {
    lines_detail::SerializeTwoFields(ar, *this, startPt, dirVec);
}

CArchive& operator<<(CArchive& ar, const CRay& ray) {
    RequireStoring(ar);
    const_cast<CRay&>(ray).CRay::Serialize(ar);
    return ar;
}

CArchive& operator>>(CArchive& ar, CRay& ray) {
    RequireLoading(ar);
    ray.CRay::Serialize(ar);
    return ar;
}
