// Plane frames: world to plane coordinates and back, and a usable normal for an outline.
#include "foundation/plane_frame.h"

#include <geo/acge/gemat3d.h>

#include "foundation/numeric.h"

#include <cmath>

namespace geo_detail {

namespace {

// How far from 1 the length of a unit vector may be.
constexpr double kUnitLengthTol = 1e-12;

void transformAll(std::vector<CPoint3d>& pts, const AcGeMatrix3d& m, bool forceZ, double z) {
    for (CPoint3d& p : pts) {
        AcGePoint3d q = p.toAcGePoint3d();
        q.transformBy(m);
        p.set(q.x, q.y, forceZ ? z : q.z);
    }
}

}  // namespace

// One too short to divide by (a subnormal length) has no usable direction either.
bool unitOf(CVector3d v, CVector3d& unit) {
    const double len = v.length();
    if (!std::isfinite(len) || len == 0.0 || !isFiniteXYZ(v)) {
        return false;
    }
    if (std::abs(len - 1.0) <= kUnitLengthTol) {
        unit = v;
        return true;
    }
    const CVector3d scaled(v.x / len, v.y / len, v.z / len);
    if (!isFiniteXYZ(scaled) || std::abs(scaled.length() - 1.0) > kUnitLengthTol) {
        return false;
    }
    unit = scaled;
    return true;
}

CVector3d newellNormal(const std::vector<CPoint3d>& pts) {
    CVector3d n(0.0, 0.0, 0.0);
    for (size_t i = 0; i < pts.size(); ++i) {
        const CPoint3d& a = pts[i];
        const CPoint3d& b = pts[(i + 1) % pts.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n;
}

CVector3d settledNormal(const CVector3d& n, const std::vector<CPoint3d>& outline) {
    CVector3d unit;
    if (unitOf(n, unit) || unitOf(newellNormal(outline), unit)) {
        return unit;
    }
    return CVector3d(0.0, 0.0, 1.0);
}

AcGePlane PlaneFrame::planeAt(double e) const {
    const AcGeVector3d n = normal.toAcGeVector3d();
    return AcGePlane(AcGePoint3d(n.x * e, n.y * e, n.z * e), n);
}

double PlaneFrame::elevationOf(const CPoint3d& p) const {
    return planeAt(0.0).signedDistanceTo(p.toAcGePoint3d());
}

void PlaneFrame::toFrame(const AcGePoint3d& in, AcGePoint3d& out) const {
    AcGePoint3d q = in;
    q.transformBy(AcGeMatrix3d::worldToPlane(planeAt(0.0)));
    out.set(q.x, q.y, 0.0);
}

void PlaneFrame::toWorld(const AcGePoint3d& in, AcGePoint3d& out) const {
    AcGePoint3d q = in;
    q.transformBy(AcGeMatrix3d::planeToWorld(planeAt(elevation)));
    out = q;
}

void PlaneFrame::toFrame(std::vector<AcGePoint3d>& pts, double z) const {
    const AcGeMatrix3d m = AcGeMatrix3d::worldToPlane(planeAt(0.0));
    for (AcGePoint3d& p : pts) {
        p.transformBy(m);
        p.z = z;
    }
}

void PlaneFrame::toFrame(std::vector<CPoint3d>& pts, double z) const {
    transformAll(pts, AcGeMatrix3d::worldToPlane(planeAt(0.0)), true, z);
}

void PlaneFrame::toWorld(std::vector<AcGePoint3d>& pts) const {
    const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(planeAt(elevation));
    for (AcGePoint3d& p : pts) {
        p.transformBy(m);
    }
}

void PlaneFrame::toWorld(std::vector<CPoint3d>& pts) const {
    transformAll(pts, AcGeMatrix3d::planeToWorld(planeAt(elevation)), false, 0.0);
}

}  // namespace geo_detail
