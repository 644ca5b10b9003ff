// AcGeVector2d: a 2D direction or displacement (plain x, y).
#pragma once

#include <cmath>

#include <geo/acge/gegbl.h>
#include <geo/acge/getol.h>
#include <geo/export.h>

class AcGeMatrix2d;

class GEO_API AcGeVector2d {
public:
    constexpr AcGeVector2d() : x(0.0), y(0.0) {}
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity;  // the zero vector
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    // Matrix products: the translation part of the matrix is ignored.
    AcGeVector2d& setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
    AcGeVector2d& transformBy(const AcGeMatrix2d& leftSide);
    // Turns counter-clockwise by `angle` radians.
    AcGeVector2d& rotateBy(double angle);
    // Reflects in the line through the origin along `line`; a zero `line` leaves this as is.
    AcGeVector2d& mirror(const AcGeVector2d& line);

    AcGeVector2d operator*(double scl) const { return AcGeVector2d(x * scl, y * scl); }
    friend AcGeVector2d operator*(double scl, const AcGeVector2d& vec) { return vec * scl; }
    AcGeVector2d& operator*=(double scl) {
        x *= scl;
        y *= scl;
        return *this;
    }
    AcGeVector2d& setToProduct(const AcGeVector2d& vec, double scl) {
        x = vec.x * scl;
        y = vec.y * scl;
        return *this;
    }
    AcGeVector2d operator/(double scl) const { return AcGeVector2d(x / scl, y / scl); }
    AcGeVector2d& operator/=(double scl) {
        x /= scl;
        y /= scl;
        return *this;
    }
    AcGeVector2d operator+(const AcGeVector2d& v) const { return AcGeVector2d(x + v.x, y + v.y); }
    AcGeVector2d& operator+=(const AcGeVector2d& v) {
        x += v.x;
        y += v.y;
        return *this;
    }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return AcGeVector2d(x - v.x, y - v.y); }
    AcGeVector2d& operator-=(const AcGeVector2d& v) {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    AcGeVector2d& setToSum(const AcGeVector2d& a, const AcGeVector2d& b) {
        x = a.x + b.x;
        y = a.y + b.y;
        return *this;
    }
    AcGeVector2d operator-() const { return AcGeVector2d(-x, -y); }
    AcGeVector2d& negate() {
        x = -x;
        y = -y;
        return *this;
    }

    // The vector turned by +90 degrees.
    AcGeVector2d perpVector() const { return AcGeVector2d(-y, x); }
    // Angle from +X, counter-clockwise, in [0, 2*pi); 0 for the zero vector.
    double angle() const;
    // Unsigned angle between the two vectors, in [0, pi]; 0 when either is zero.
    double angleTo(const AcGeVector2d& vec) const;

    // Unit vector of the same direction; a vector not longer than equalVector is returned as is.
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector2d& normalize(const AcGeTol& tol, AcGe::ErrorCondition& flag);

    double length() const { return std::sqrt(x * x + y * y); }
    double lengthSqrd() const { return x * x + y * y; }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;
    // Direction tests compare unit vectors against equalVector; a zero vector fails them all.
    bool isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    // The z of the 3D cross product (x, y, 0) x (v.x, v.y, 0).
    double crossProduct(const AcGeVector2d& v) const { return x * v.y - y * v.x; }

    bool operator==(const AcGeVector2d& vec) const { return isEqualTo(vec); }
    bool operator!=(const AcGeVector2d& vec) const { return !isEqualTo(vec); }
    // Equal when the difference is no longer than equalVector.
    bool isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGeVector2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }

    double x, y;
};

// Matrix product; for vectors the translation part is ignored.
GEO_API AcGeVector2d operator*(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
