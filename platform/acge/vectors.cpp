// AcGeVector2d and AcGeVector3d: directions, angles, normalisation and tolerant tests.
#include <cmath>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplanar.h>
#include <geo/acge/gevec2d.h>
#include <geo/acge/gevec3d.h>

#include "platform/acge/frame.h"
#include "platform/numeric.h"

namespace {

using platform_detail::kTwoPi;

// Folds an atan2 result into [0, 2*pi).
double foldToFullTurn(double a) {
    if (a < 0.0) {
        a += kTwoPi;
    }
    if (a >= kTwoPi) {
        a = 0.0;
    }
    return a + 0.0;  // turns -0.0 into +0.0
}

// Divides v by its length unless that length is within the tolerance of zero (or not finite).
template <class Vector>
Vector& normalizeVector(Vector& v, const AcGeTol& tol, AcGe::ErrorCondition& flag) {
    const double len = v.length();
    if (len <= tol.equalVector() || !std::isfinite(len)) {
        flag = AcGe::k0This;
        return v;
    }
    flag = AcGe::kOk;
    return v /= len;
}

// Direction tests compare unit vectors; a zero-length vector has no direction.
template <class Vector>
bool bothHaveDirection(const Vector& a, const Vector& b, const AcGeTol& tol) {
    return !a.isZeroLength(tol) && !b.isZeroLength(tol);
}

template <class Vector>
bool codirectional(const Vector& a, const Vector& b, const AcGeTol& tol) {
    if (!bothHaveDirection(a, b, tol)) {
        return false;
    }
    return (a.normal(tol) - b.normal(tol)).length() <= tol.equalVector();
}

template <class Vector>
bool perpendicular(const Vector& a, const Vector& b, const AcGeTol& tol) {
    if (!bothHaveDirection(a, b, tol)) {
        return false;
    }
    return std::fabs(a.normal(tol).dotProduct(b.normal(tol))) <= tol.equalVector();
}

}  // namespace

const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);

AcGeVector2d operator*(const AcGeMatrix2d& m, const AcGeVector2d& v) {
    return AcGeVector2d(m.entry[0][0] * v.x + m.entry[0][1] * v.y,
                        m.entry[1][0] * v.x + m.entry[1][1] * v.y);
}

AcGeVector2d& AcGeVector2d::setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec) {
    return *this = mat * vec;
}

AcGeVector2d& AcGeVector2d::transformBy(const AcGeMatrix2d& leftSide) {
    return *this = leftSide * *this;
}

AcGeVector2d& AcGeVector2d::rotateBy(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return set(c * x - s * y, s * x + c * y);
}

AcGeVector2d& AcGeVector2d::mirror(const AcGeVector2d& line) {
    const double len = line.length();
    if (len == 0.0 || !std::isfinite(len)) {
        return *this;
    }
    const AcGeVector2d d = line / len;
    const double along = dotProduct(d);
    return set(2.0 * along * d.x - x, 2.0 * along * d.y - y);
}

double AcGeVector2d::angle() const {
    return foldToFullTurn(std::atan2(y, x));
}

double AcGeVector2d::angleTo(const AcGeVector2d& vec) const {
    return std::atan2(std::fabs(crossProduct(vec)), dotProduct(vec));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const {
    AcGeVector2d v = *this;
    return v.normalize(tol);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol) {
    AcGe::ErrorCondition flag;
    return normalize(tol, flag);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol, AcGe::ErrorCondition& flag) {
    return normalizeVector(*this, tol, flag);
}

bool AcGeVector2d::isUnitLength(const AcGeTol& tol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool AcGeVector2d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector2d::isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    if (!bothHaveDirection(*this, vec, tol)) {
        return false;
    }
    return std::fabs(normal(tol).crossProduct(vec.normal(tol))) <= tol.equalVector();
}

bool AcGeVector2d::isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    return codirectional(*this, vec, tol);
}

bool AcGeVector2d::isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    return perpendicular(*this, vec, tol);
}

bool AcGeVector2d::isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol) const {
    return (*this - vec).length() <= tol.equalVector();
}

// ---------------------------------------------------------------------------------------------

const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    const auto& e = m.entry;
    return AcGeVector3d(e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z,
                        e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
                        e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z);
}

AcGeVector3d::AcGeVector3d(const AcGePlanarEnt& plane, const AcGeVector2d& vec2d)
    : x(0.0), y(0.0), z(0.0) {
    set(plane, vec2d);
}

AcGeVector3d& AcGeVector3d::set(const AcGePlanarEnt& plane, const AcGeVector2d& vec2d) {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return *this = u * vec2d.x + v * vec2d.y;
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec) {
    return *this = mat * vec;
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& leftSide) {
    return *this = leftSide * *this;
}

// Rodrigues' rotation about the unit axis k.
AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis) {
    if (acge_detail::hasNoDirection(axis)) {
        return *this;
    }
    const AcGeVector3d k = axis / axis.length();
    const double c = std::cos(angle), s = std::sin(angle);
    const AcGeVector3d v = *this;
    return *this = v * c + k.crossProduct(v) * s + k * (k.dotProduct(v) * (1.0 - c));
}

AcGeVector3d& AcGeVector3d::mirror(const AcGeVector3d& normalToPlane) {
    if (acge_detail::hasNoDirection(normalToPlane)) {
        return *this;
    }
    const AcGeVector3d n = normalToPlane / normalToPlane.length();
    return *this -= n * (2.0 * dotProduct(n));
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const {
    AcGe::ErrorCondition flag;
    return orthoProject(planeNormal, AcGeContext::gTol, flag);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol,
                                        AcGe::ErrorCondition& flag) const {
    if (planeNormal.isZeroLength(tol) || acge_detail::hasNoDirection(planeNormal)) {
        flag = AcGe::k0Arg1;
        return *this;
    }
    flag = AcGe::kOk;
    const AcGeVector3d n = planeNormal / planeNormal.length();
    return *this - n * dotProduct(n);
}

AcGeVector2d AcGeVector3d::convert2d(const AcGePlanarEnt& plane) const {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return acge_detail::coordsInAxes(u, v, *this).asVector();
}

AcGeVector3d AcGeVector3d::perpVector() const {
    if (acge_detail::hasNoDirection(*this)) {
        return AcGeVector3d();
    }
    return acge_detail::arbitraryXAxis(*this / length());
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec) const {
    return std::atan2(crossProduct(vec).length(), dotProduct(vec));
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const {
    const double a = angleTo(vec);
    if (refVec.dotProduct(crossProduct(vec)) >= 0.0) {
        return a;
    }
    return foldToFullTurn(kTwoPi - a);
}

double AcGeVector3d::angleOnPlane(const AcGePlanarEnt& plane) const {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    const AcGeVector3d n = plane.normal();
    const AcGeVector3d w = *this - n * dotProduct(n);
    return foldToFullTurn(std::atan2(u.crossProduct(w).dotProduct(n), u.dotProduct(w)));
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    AcGeVector3d v = *this;
    return v.normalize(tol);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol) {
    AcGe::ErrorCondition flag;
    return normalize(tol, flag);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol, AcGe::ErrorCondition& flag) {
    return normalizeVector(*this, tol, flag);
}

bool AcGeVector3d::isUnitLength(const AcGeTol& tol) const {
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool AcGeVector3d::isZeroLength(const AcGeTol& tol) const {
    return length() <= tol.equalVector();
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    if (!bothHaveDirection(*this, vec, tol)) {
        return false;
    }
    return normal(tol).crossProduct(vec.normal(tol)).length() <= tol.equalVector();
}

bool AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    return codirectional(*this, vec, tol);
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    return perpendicular(*this, vec, tol);
}

unsigned int AcGeVector3d::largestElement() const {
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az) {
        return 0;
    }
    return ay >= az ? 1 : 2;
}

bool AcGeVector3d::isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol) const {
    return (*this - vec).length() <= tol.equalVector();
}

// ---------------------------------------------------------------------------------------------

namespace acge_detail {

AcGeVector3d arbitraryXAxis(const AcGeVector3d& n) {
    const bool nearZ = std::fabs(n.x) < kArbitraryAxisLimit && std::fabs(n.y) < kArbitraryAxisLimit;
    AcGeVector3d ax =
        nearZ ? AcGeVector3d::kYAxis.crossProduct(n) : AcGeVector3d::kZAxis.crossProduct(n);
    const double len = ax.length();
    return len > 0.0 ? ax / len : ax;
}

AcGePoint2d coordsInAxes(const AcGeVector3d& u, const AcGeVector3d& v, const AcGeVector3d& w) {
    // Normal equations of w ~ a*u + b*v, solved by Cramer's rule.
    const double uu = u.dotProduct(u), uv = u.dotProduct(v), vv = v.dotProduct(v);
    const double wu = w.dotProduct(u), wv = w.dotProduct(v);
    const double det = uu * vv - uv * uv;
    if (det == 0.0 || !std::isfinite(det)) {
        return AcGePoint2d();
    }
    return AcGePoint2d((wu * vv - wv * uv) / det, (wv * uu - wu * uv) / det);
}

bool hasNoDirection(const AcGeVector3d& v) {
    const double len = v.length();
    return len == 0.0 || !std::isfinite(len);
}

}  // namespace acge_detail
