// The point value type.
#include <geo/archive_lists.h>
#include <geo/point3d.h>

#include <cmath>

#include "foundation/module.h"
#include "foundation/numeric.h"
#include "foundation/xyz_record.h"

const char kArrayOutOfBounds[9] = "\xCA\xFD\xD7\xE9\xD4\xBD\xBD\xE7";

void ThrowArrayOutOfBounds() {
    throw static_cast<const char*>(kArrayOutOfBounds);
}

IMPLEMENT_SERIAL(CPoint3d, CObject, 1)

GEO_CONSTANT_INIT const CPoint3d CPoint3d::kOrigin(0.0, 0.0, 0.0);

CPoint3d::CPoint3d() : CObject(), x(0.0), y(0.0), z(0.0) {}

CPoint3d::CPoint3d(double x_, double y_, double z_) : CObject(), x(x_), y(y_), z(z_) {}

CPoint3d::CPoint3d(const CPoint3d& p) : CObject(), x(p.x), y(p.y), z(p.z) {}

CPoint3d::CPoint3d(const CVector3d& v) : CObject(), x(v.x), y(v.y), z(v.z) {}

CPoint3d::CPoint3d(const AcGePoint3d& p) : CObject(), x(p.x), y(p.y), z(p.z) {}

CPoint3d::~CPoint3d() = default;

CPoint3d& CPoint3d::operator=(const CPoint3d& p) {
    x = p.x;
    y = p.y;
    z = p.z;
    return *this;
}

void CPoint3d::set(double x_, double y_, double z_) {
    x = x_;
    y = y_;
    z = z_;
}

// Same lookup as the writable form, which changes nothing itself.
double CPoint3d::operator[](unsigned int i) const {
    return const_cast<CPoint3d&>(*this)[i];
}

double& CPoint3d::operator[](unsigned int i) {
    switch (i) {
        case 0:
            return x;
        case 1:
            return y;
        case 2:
            return z;
        default:
            ThrowArrayOutOfBounds();
    }
}

bool CPoint3d::isEqualTo(const CPoint3d& p, double tol) const {
    return std::fabs(x - p.x) < tol && std::fabs(y - p.y) < tol && std::fabs(z - p.z) < tol;
}

bool CPoint3d::operator==(const CPoint3d& p) const {
    return isEqualTo(p, geo_detail::kPointTol);
}

bool CPoint3d::operator!=(const CPoint3d& p) const {
    return !(*this == p);
}

double CPoint3d::distanceTo(const CPoint3d& p) const {
    const double dx = x - p.x;
    const double dy = y - p.y;
    const double dz = z - p.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

CPoint3d& CPoint3d::operator+=(const CPoint3d& p) {
    x += p.x;
    y += p.y;
    z += p.z;
    return *this;
}

CPoint3d& CPoint3d::operator+=(const CVector3d& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

CPoint3d& CPoint3d::move(const CVector3d& v) {
    return *this += v;
}

CPoint3d CPoint3d::operator+(const CPoint3d& p) const {
    return CPoint3d(x + p.x, y + p.y, z + p.z);
}

CPoint3d CPoint3d::operator+(const CVector3d& v) const {
    return CPoint3d(x + v.x, y + v.y, z + v.z);
}

CVector3d CPoint3d::operator-(const CPoint3d& p) const {
    return CVector3d(x - p.x, y - p.y, z - p.z);
}

CPoint3d CPoint3d::operator*(double s) const {
    return CPoint3d(x * s, y * s, z * s);
}

CPoint3d CPoint3d::operator/(double s) const {
    return CPoint3d(x / s, y / s, z / s);
}

CPoint3d& CPoint3d::scale(const double& f, const CPoint3d& base) {
    return scale(f, f, f, base);
}

CPoint3d& CPoint3d::scale(const double& fx, const double& fy, const double& fz,
                          const CPoint3d& base) {
    x = base.x + (x - base.x) * fx;
    y = base.y + (y - base.y) * fy;
    z = base.z + (z - base.z) * fz;
    return *this;
}

CPoint3d& CPoint3d::rotate(const CPoint3d& base, double angle) {
    CVector3d offset = *this - base;
    offset.rotate(angle, CVector3d::kZAxis);
    // A turn about the vertical keeps the height; keeping z exactly avoids the
    // rounding of base.z + (z - base.z).
    x = base.x + offset.x;
    y = base.y + offset.y;
    return *this;
}

AcGePoint3d CPoint3d::toAcGePoint3d() const {
    return AcGePoint3d(x, y, z);
}

void CPoint3d::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        geo_detail::writeXyzRecord(ar, x, y, z);
    } else {
        geo_detail::readXyzRecord(ar, x, y, z);
    }
}

bool CPoint3d::isValid() const {
    return geo_detail::isFiniteXYZ(*this);
}

CArchive& operator<<(CArchive& ar, const CPoint3d& p) {
    geo_detail::writeXyzRecord(ar, p.x, p.y, p.z);
    return ar;
}

CArchive& operator>>(CArchive& ar, CPoint3d& p) {
    geo_detail::readXyzRecord(ar, p.x, p.y, p.z);
    return ar;
}
