// The vector value type.
#include <geo/point3d.h>

#include <cmath>

#include "foundation/module.h"
#include "foundation/numeric.h"
#include "foundation/xyz_record.h"

namespace {

// Tolerance of vector equality.
constexpr double kVectorEqualTol = 1e-6;
// Below this length a vector has no direction angle.
constexpr double kAngleMinLength = 1e-8;

}  // namespace

IMPLEMENT_SERIAL(CVector3d, CObject, 1)

GEO_CONSTANT_INIT const CVector3d CVector3d::kXAxis(1.0, 0.0, 0.0);
GEO_CONSTANT_INIT const CVector3d CVector3d::kYAxis(0.0, 1.0, 0.0);
GEO_CONSTANT_INIT const CVector3d CVector3d::kZAxis(0.0, 0.0, 1.0);

CVector3d::CVector3d() : CObject(), x(0.0), y(0.0), z(0.0) {}

CVector3d::CVector3d(double x_, double y_, double z_) : CObject(), x(x_), y(y_), z(z_) {}

CVector3d::CVector3d(const AcGeVector3d& v) : CObject(), x(v.x), y(v.y), z(v.z) {}

CVector3d::CVector3d(const CVector3d& v) : CObject(), x(v.x), y(v.y), z(v.z) {}

CVector3d::CVector3d(const CPoint3d& p) : CObject(), x(p.x), y(p.y), z(p.z) {}

CVector3d::~CVector3d() = default;

CVector3d& CVector3d::operator=(const CVector3d& v) {
    return set(v.x, v.y, v.z);
}

CVector3d& CVector3d::set(const CVector3d& v) {
    return set(v.x, v.y, v.z);
}

CVector3d& CVector3d::set(double x_, double y_, double z_) {
    x = x_;
    y = y_;
    z = z_;
    return *this;
}

CVector3d& CVector3d::operator+=(const CVector3d& v) {
    return set(x + v.x, y + v.y, z + v.z);
}

CVector3d& CVector3d::operator-=(const CVector3d& v) {
    return set(x - v.x, y - v.y, z - v.z);
}

CVector3d& CVector3d::operator*=(double s) {
    return set(x * s, y * s, z * s);
}

CVector3d& CVector3d::operator/=(double s) {
    if (s != 0.0) {
        set(x / s, y / s, z / s);
    }
    return *this;
}

CVector3d CVector3d::operator+(const CVector3d& v) const {
    return CVector3d(x + v.x, y + v.y, z + v.z);
}

CVector3d CVector3d::operator-(const CVector3d& v) const {
    return CVector3d(x - v.x, y - v.y, z - v.z);
}

CVector3d CVector3d::operator-() const {
    return CVector3d(-x, -y, -z);
}

CVector3d CVector3d::operator*(double s) const {
    return CVector3d(x * s, y * s, z * s);
}

CVector3d CVector3d::operator/(double s) const {
    return CVector3d(x / s, y / s, z / s);
}

bool CVector3d::operator==(const CVector3d& v) const {
    return std::fabs(x - v.x) < kVectorEqualTol && std::fabs(y - v.y) < kVectorEqualTol &&
           std::fabs(z - v.z) < kVectorEqualTol;
}

double CVector3d::getDotProduct(const CVector3d& v) const {
    return x * v.x + y * v.y + z * v.z;
}

double CVector3d::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

CVector3d& CVector3d::normalize() {
    const double len = length();
    if (len != 0.0) {
        set(x / len, y / len, z / len);
    }
    return *this;
}

CVector3d CVector3d::crossProduct(const CVector3d& v) const {
    return CVector3d(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

CVector3d& CVector3d::crossProduct(const CVector3d& a, const CVector3d& b) {
    return set(a.crossProduct(b));
}

double CVector3d::getAngle(const CVector3d& v) const {
    double cosine = getDotProduct(v) / (length() * v.length());
    // Rounding may push the quotient just outside acos's domain; NaN passes through.
    if (cosine > 1.0) {
        cosine = 1.0;
    } else if (cosine < -1.0) {
        cosine = -1.0;
    }
    return std::acos(cosine);
}

double CVector3d::angle() const {
    if (length() < kAngleMinLength) {
        return 0.0;
    }
    CVector3d unit(*this);
    unit.normalize();
    const double theta = unit.getAngle(kXAxis);
    return unit.y < 0.0 ? geo_detail::kTwoPi - theta : theta;
}

CVector3d& CVector3d::rotate(double angle, CVector3d axis) {
    const double n = axis.length();
    if (n != 0.0) {
        axis.set(axis.x / n, axis.y / n, axis.z / n);
    }
    const double ax = axis.x;
    const double ay = axis.y;
    const double az = axis.z;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    const double nx =
        x * (c + t * ax * ax) + y * (t * ax * ay - s * az) + z * (t * ax * az + s * ay);
    const double ny =
        x * (t * ax * ay + s * az) + y * (c + t * ay * ay) + z * (t * ay * az - s * ax);
    const double nz =
        x * (t * ax * az - s * ay) + y * (t * ay * az + s * ax) + z * (c + t * az * az);
    return set(nx, ny, nz);
}

AcGeVector3d CVector3d::toAcGeVector3d() const {
    return AcGeVector3d(x, y, z);
}

void CVector3d::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        geo_detail::writeXyzRecord(ar, x, y, z);
    } else {
        geo_detail::readXyzRecord(ar, x, y, z);
    }
}

bool CVector3d::isValid() const {
    return geo_detail::isFiniteXYZ(*this);
}

CArchive& operator<<(CArchive& ar, const CVector3d& v) {
    geo_detail::writeXyzRecord(ar, v.x, v.y, v.z);
    return ar;
}

CArchive& operator>>(CArchive& ar, CVector3d& v) {
    geo_detail::readXyzRecord(ar, v.x, v.y, v.z);
    return ar;
}
