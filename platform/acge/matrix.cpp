// AcGeMatrix2d and AcGeMatrix3d: products, inverses and the standard transforms.
#include <cmath>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>

#include "platform/acge/frame.h"
#include "platform/acge/matrix_ops.h"

using acge_detail::hasNoDirection;

namespace {

// Columns of the image of the unit axes, for the orthogonality tests.
template <std::size_t N>
bool columnsScaledOrtho(const double (&e)[N][N], double tol, bool uniform) {
    const std::size_t dim = N - 1;
    double len[N - 1];
    for (std::size_t c = 0; c < dim; ++c) {
        double s = 0.0;
        for (std::size_t r = 0; r < dim; ++r) {
            s += e[r][c] * e[r][c];
        }
        len[c] = std::sqrt(s);
        if (len[c] <= tol) {
            return false;
        }
    }
    for (std::size_t a = 0; a < dim; ++a) {
        for (std::size_t b = a + 1; b < dim; ++b) {
            double dot = 0.0;
            for (std::size_t r = 0; r < dim; ++r) {
                dot += e[r][a] * e[r][b];
            }
            if (std::fabs(dot) / (len[a] * len[b]) > tol) {
                return false;
            }
        }
        if (uniform && std::fabs(len[a] - len[0]) > tol * len[0]) {
            return false;
        }
    }
    return true;
}

template <std::size_t N>
double largestColumnLength(const double (&e)[N][N]) {
    double best = 0.0;
    for (std::size_t c = 0; c + 1 < N; ++c) {
        double s = 0.0;
        for (std::size_t r = 0; r + 1 < N; ++r) {
            s += e[r][c] * e[r][c];
        }
        best = std::fmax(best, std::sqrt(s));
    }
    return best;
}

}  // namespace

const AcGeMatrix2d AcGeMatrix2d::kIdentity;

AcGeMatrix2d& AcGeMatrix2d::setToIdentity() {
    return *this = AcGeMatrix2d();
}

AcGeMatrix2d AcGeMatrix2d::operator*(const AcGeMatrix2d& mat) const {
    AcGeMatrix2d r;
    acge_detail::multiply<3>(entry, mat.entry, r.entry);
    return r;
}

AcGeMatrix2d& AcGeMatrix2d::operator*=(const AcGeMatrix2d& mat) {
    return postMultBy(mat);
}

AcGeMatrix2d& AcGeMatrix2d::preMultBy(const AcGeMatrix2d& leftSide) {
    acge_detail::multiply<3>(leftSide.entry, entry, entry);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::postMultBy(const AcGeMatrix2d& rightSide) {
    acge_detail::multiply<3>(entry, rightSide.entry, entry);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToProduct(const AcGeMatrix2d& mat1, const AcGeMatrix2d& mat2) {
    acge_detail::multiply<3>(mat1.entry, mat2.entry, entry);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::invert() {
    acge_detail::invert<3>(entry, entry, 0.0);
    return *this;
}

AcGeMatrix2d AcGeMatrix2d::inverse() const {
    AcGeMatrix2d r = *this;
    return r.invert();
}

bool AcGeMatrix2d::inverse(AcGeMatrix2d& inv, double tol) const {
    return acge_detail::invert<3>(entry, inv.entry, tol);
}

bool AcGeMatrix2d::isSingular(const AcGeTol& tol) const {
    double scratch[3][3];
    return !acge_detail::invert<3>(entry, scratch, tol.equalPoint());
}

AcGeMatrix2d& AcGeMatrix2d::transposeIt() {
    acge_detail::transposeInPlace<3>(entry);
    return *this;
}

AcGeMatrix2d AcGeMatrix2d::transpose() const {
    AcGeMatrix2d r = *this;
    return r.transposeIt();
}

double AcGeMatrix2d::det() const {
    return acge_detail::determinant<3>(entry);
}

bool AcGeMatrix2d::isEqualTo(const AcGeMatrix2d& mat, const AcGeTol& tol) const {
    return acge_detail::entriesEqual<3>(entry, mat.entry, tol.equalVector());
}

bool AcGeMatrix2d::isUniScaledOrtho(const AcGeTol& tol) const {
    return columnsScaledOrtho<3>(entry, tol.equalVector(), true);
}

bool AcGeMatrix2d::isScaledOrtho(const AcGeTol& tol) const {
    return columnsScaledOrtho<3>(entry, tol.equalVector(), false);
}

double AcGeMatrix2d::scale() const {
    return largestColumnLength<3>(entry);
}

AcGeMatrix2d& AcGeMatrix2d::setTranslation(const AcGeVector2d& vec) {
    entry[0][2] = vec.x;
    entry[1][2] = vec.y;
    return *this;
}

AcGeVector2d AcGeMatrix2d::translation() const {
    return AcGeVector2d(entry[0][2], entry[1][2]);
}

AcGeMatrix2d& AcGeMatrix2d::setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& e0,
                                           const AcGeVector2d& e1) {
    setToIdentity();
    entry[0][0] = e0.x;
    entry[1][0] = e0.y;
    entry[0][1] = e1.x;
    entry[1][1] = e1.y;
    return setTranslation(origin.asVector());
}

void AcGeMatrix2d::getCoordSystem(AcGePoint2d& origin, AcGeVector2d& e0, AcGeVector2d& e1) const {
    origin.set(entry[0][2], entry[1][2]);
    e0.set(entry[0][0], entry[1][0]);
    e1.set(entry[0][1], entry[1][1]);
}

AcGeMatrix2d& AcGeMatrix2d::setToTranslation(const AcGeVector2d& vec) {
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix2d& AcGeMatrix2d::setToRotation(double angle, const AcGePoint2d& center) {
    const double c = std::cos(angle), s = std::sin(angle);
    setToIdentity();
    entry[0][0] = c;
    entry[0][1] = -s;
    entry[1][0] = s;
    entry[1][1] = c;
    // The centre stays put: t = center - R * center.
    return setTranslation(center -
                          AcGePoint2d(c * center.x - s * center.y, s * center.x + c * center.y));
}

AcGeMatrix2d& AcGeMatrix2d::setToScaling(double scaleAll, const AcGePoint2d& center) {
    setToIdentity();
    entry[0][0] = scaleAll;
    entry[1][1] = scaleAll;
    return setTranslation(center.asVector() * (1.0 - scaleAll));
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& pnt) {
    setToIdentity();
    entry[0][0] = -1.0;
    entry[1][1] = -1.0;
    return setTranslation(pnt.asVector() * 2.0);
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& pnt, const AcGeVector2d& dir) {
    setToIdentity();
    const double len = dir.length();
    if (len == 0.0 || !std::isfinite(len)) {
        return *this;
    }
    const AcGeVector2d d = dir / len;
    // Reflection 2 d d^T - I, fixing the line through pnt.
    entry[0][0] = 2.0 * d.x * d.x - 1.0;
    entry[0][1] = 2.0 * d.x * d.y;
    entry[1][0] = 2.0 * d.x * d.y;
    entry[1][1] = 2.0 * d.y * d.y - 1.0;
    const AcGePoint2d image(entry[0][0] * pnt.x + entry[0][1] * pnt.y,
                            entry[1][0] * pnt.x + entry[1][1] * pnt.y);
    return setTranslation(pnt - image);
}

AcGeMatrix2d& AcGeMatrix2d::setToAlignCoordSys(const AcGePoint2d& fromOrigin,
                                               const AcGeVector2d& fromE0,
                                               const AcGeVector2d& fromE1,
                                               const AcGePoint2d& toOrigin,
                                               const AcGeVector2d& toE0, const AcGeVector2d& toE1) {
    AcGeMatrix2d from, to, fromInverse;
    from.setCoordSystem(fromOrigin, fromE0, fromE1);
    to.setCoordSystem(toOrigin, toE0, toE1);
    // A source frame without two independent axes maps nothing: identity.
    if (!from.inverse(fromInverse, 0.0)) {
        return setToIdentity();
    }
    return setToProduct(to, fromInverse);
}

AcGeMatrix2d AcGeMatrix2d::translation(const AcGeVector2d& vec) {
    return AcGeMatrix2d().setToTranslation(vec);
}

AcGeMatrix2d AcGeMatrix2d::rotation(double angle, const AcGePoint2d& center) {
    return AcGeMatrix2d().setToRotation(angle, center);
}

AcGeMatrix2d AcGeMatrix2d::scaling(double scaleAll, const AcGePoint2d& center) {
    return AcGeMatrix2d().setToScaling(scaleAll, center);
}

AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGePoint2d& pnt) {
    return AcGeMatrix2d().setToMirroring(pnt);
}

AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGeLine2d& line) {
    return AcGeMatrix2d().setToMirroring(line);
}

AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGePoint2d& pnt, const AcGeVector2d& dir) {
    return AcGeMatrix2d().setToMirroring(pnt, dir);
}

AcGeMatrix2d AcGeMatrix2d::alignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                         const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                         const AcGeVector2d& toE0, const AcGeVector2d& toE1) {
    return AcGeMatrix2d().setToAlignCoordSys(fromOrigin, fromE0, fromE1, toOrigin, toE0, toE1);
}

// ---------------------------------------------------------------------------------------------

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    return *this = AcGeMatrix3d();
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& mat) const {
    AcGeMatrix3d r;
    acge_detail::multiply<4>(entry, mat.entry, r.entry);
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::operator*=(const AcGeMatrix3d& mat) {
    return postMultBy(mat);
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& leftSide) {
    acge_detail::multiply<4>(leftSide.entry, entry, entry);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& rightSide) {
    acge_detail::multiply<4>(entry, rightSide.entry, entry);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2) {
    acge_detail::multiply<4>(mat1.entry, mat2.entry, entry);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::invert() {
    acge_detail::invert<4>(entry, entry, 0.0);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    AcGeMatrix3d r = *this;
    return r.invert();
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& inv, double tol) const {
    return acge_detail::invert<4>(entry, inv.entry, tol);
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const {
    double scratch[4][4];
    return !acge_detail::invert<4>(entry, scratch, tol.equalPoint());
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt() {
    acge_detail::transposeInPlace<4>(entry);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const {
    AcGeMatrix3d r = *this;
    return r.transposeIt();
}

double AcGeMatrix3d::det() const {
    return acge_detail::determinant<4>(entry);
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol) const {
    return acge_detail::entriesEqual<4>(entry, mat.entry, tol.equalVector());
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    return columnsScaledOrtho<4>(entry, tol.equalVector(), true);
}

bool AcGeMatrix3d::isScaledOrtho(const AcGeTol& tol) const {
    return columnsScaledOrtho<4>(entry, tol.equalVector(), false);
}

bool AcGeMatrix3d::isPerspective(const AcGeTol& tol) const {
    const double t = tol.equalVector();
    return std::fabs(entry[3][0]) > t || std::fabs(entry[3][1]) > t || std::fabs(entry[3][2]) > t ||
           std::fabs(entry[3][3] - 1.0) > t;
}

double AcGeMatrix3d::scale() const {
    return largestColumnLength<4>(entry);
}

double AcGeMatrix3d::norm() const {
    return acge_detail::rowSumNorm<4>(entry);
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& vec) {
    entry[0][3] = vec.x;
    entry[1][3] = vec.y;
    entry[2][3] = vec.z;
    return *this;
}

AcGeVector3d AcGeMatrix3d::translation() const {
    return AcGeVector3d(entry[0][3], entry[1][3], entry[2][3]);
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
    setToIdentity();
    const AcGeVector3d* axes[3] = {&xAxis, &yAxis, &zAxis};
    for (unsigned int c = 0; c < 3; ++c) {
        for (unsigned int r = 0; r < 3; ++r) {
            entry[r][c] = (*axes[c])[r];
        }
    }
    return setTranslation(origin.asVector());
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const {
    origin.set(entry[0][3], entry[1][3], entry[2][3]);
    xAxis.set(entry[0][0], entry[1][0], entry[2][0]);
    yAxis.set(entry[0][1], entry[1][1], entry[2][1]);
    zAxis.set(entry[0][2], entry[1][2], entry[2][2]);
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& vec) {
    setToIdentity();
    return setTranslation(vec);
}

// Keeps `fixed` in place under the linear part already stored: t = fixed - L * fixed.
static AcGeMatrix3d& fixPoint(AcGeMatrix3d& m, const AcGePoint3d& fixed) {
    m.setTranslation(AcGeVector3d());
    return m.setTranslation(fixed - m * fixed);
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis,
                                          const AcGePoint3d& center) {
    setToIdentity();
    if (hasNoDirection(axis)) {
        return *this;
    }
    const AcGeVector3d k = axis / axis.length();
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    entry[0][0] = t * k.x * k.x + c;
    entry[0][1] = t * k.x * k.y - s * k.z;
    entry[0][2] = t * k.x * k.z + s * k.y;
    entry[1][0] = t * k.x * k.y + s * k.z;
    entry[1][1] = t * k.y * k.y + c;
    entry[1][2] = t * k.y * k.z - s * k.x;
    entry[2][0] = t * k.x * k.z - s * k.y;
    entry[2][1] = t * k.y * k.z + s * k.x;
    entry[2][2] = t * k.z * k.z + c;
    return fixPoint(*this, center);
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double scaleAll, const AcGePoint3d& center) {
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = scaleAll;
    }
    return fixPoint(*this, center);
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& plane) {
    setToIdentity();
    const AcGeVector3d n = plane.normal();
    for (unsigned int r = 0; r < 3; ++r) {
        for (unsigned int c = 0; c < 3; ++c) {
            entry[r][c] -= 2.0 * n[r] * n[c];
        }
    }
    return fixPoint(*this, plane.pointOnPlane());
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& pnt) {
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = -1.0;
    }
    return fixPoint(*this, pnt);
}

AcGeMatrix3d& AcGeMatrix3d::setToProjection(const AcGePlane& projectionPlane,
                                            const AcGeVector3d& projectDir) {
    setToIdentity();
    const AcGeVector3d n = projectionPlane.normal();
    const double along = n.dotProduct(projectDir);
    if (along == 0.0 || !std::isfinite(along) || projectDir.isPerpendicularTo(n)) {
        return *this;
    }
    // p' = p - d ((p - o) . n) / (d . n)
    for (unsigned int r = 0; r < 3; ++r) {
        for (unsigned int c = 0; c < 3; ++c) {
            entry[r][c] -= projectDir[r] * n[c] / along;
        }
    }
    return fixPoint(*this, projectionPlane.pointOnPlane());
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(
    const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis, const AcGeVector3d& fromYAxis,
    const AcGeVector3d& fromZAxis, const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
    const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
    AcGeMatrix3d from, to, fromInverse;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    // A source frame without three independent axes maps nothing: identity.
    if (!from.inverse(fromInverse, 0.0)) {
        return setToIdentity();
    }
    return setToProduct(to, fromInverse);
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal) {
    setToIdentity();
    if (hasNoDirection(normal)) {
        return *this;
    }
    const AcGeVector3d n = normal / normal.length();
    const AcGeVector3d ax = acge_detail::arbitraryXAxis(n);
    return setCoordSystem(AcGePoint3d::kOrigin, ax, n.crossProduct(ax), n);
}

// The frame is orthonormal, so its inverse is its transpose.
AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal) {
    return setToPlaneToWorld(normal).transposeIt();
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGePlane& plane) {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return setCoordSystem(origin, u, v, plane.normal());
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGePlane& plane) {
    return setToPlaneToWorld(plane).invert();
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& vec) {
    return AcGeMatrix3d().setToTranslation(vec);
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis,
                                    const AcGePoint3d& center) {
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double scaleAll, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToScaling(scaleAll, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& plane) {
    return AcGeMatrix3d().setToMirroring(plane);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& pnt) {
    return AcGeMatrix3d().setToMirroring(pnt);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGeLine3d& line) {
    return AcGeMatrix3d().setToMirroring(line);
}

AcGeMatrix3d AcGeMatrix3d::projection(const AcGePlane& projectionPlane,
                                      const AcGeVector3d& projectDir) {
    return AcGeMatrix3d().setToProjection(projectionPlane, projectDir);
}

AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin,
                                         const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis,
                                         const AcGeVector3d& fromZAxis, const AcGePoint3d& toOrigin,
                                         const AcGeVector3d& toXAxis, const AcGeVector3d& toYAxis,
                                         const AcGeVector3d& toZAxis) {
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin,
                                             toXAxis, toYAxis, toZAxis);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToWorldToPlane(normal);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGePlane& plane) {
    return AcGeMatrix3d().setToWorldToPlane(plane);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    return AcGeMatrix3d().setToPlaneToWorld(normal);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGePlane& plane) {
    return AcGeMatrix3d().setToPlaneToWorld(plane);
}
