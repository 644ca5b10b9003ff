// AcGeVector3d: a 3D direction or displacement (plain x, y, z).
#pragma once

#include <cmath>

#include <geo/acge/gegbl.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/export.h>

class AcGeMatrix3d;
class AcGePlanarEnt;

class GEO_API AcGeVector3d {
public:
    constexpr AcGeVector3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The 3D vector of a 2D vector given in the plane's own coordinates.
    AcGeVector3d(const AcGePlanarEnt& plane, const AcGeVector2d& vec2d);

    static const AcGeVector3d kIdentity;  // the zero vector
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    AcGeVector3d& setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    // Applies the matrix without its translation part.
    AcGeVector3d& transformBy(const AcGeMatrix3d& leftSide);
    // Turns by `angle` radians about `axis` (right-hand rule); a zero axis leaves this as is.
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);
    // Reflects in the plane through the origin with the given normal; a zero normal does nothing.
    AcGeVector3d& mirror(const AcGeVector3d& normalToPlane);
    // Projection into the plane through the origin with the given normal.
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol,
                              AcGe::ErrorCondition& flag) const;
    // The vector in the plane's own (u, v) coordinates, after projecting into the plane.
    AcGeVector2d convert2d(const AcGePlanarEnt& plane) const;

    AcGeVector3d operator*(double s) const { return AcGeVector3d(x * s, y * s, z * s); }
    friend AcGeVector3d operator*(double s, const AcGeVector3d& v) { return v * s; }
    AcGeVector3d& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    AcGeVector3d& setToProduct(const AcGeVector3d& v, double s) {
        x = v.x * s;
        y = v.y * s;
        z = v.z * s;
        return *this;
    }
    AcGeVector3d operator/(double s) const { return AcGeVector3d(x / s, y / s, z / s); }
    AcGeVector3d& operator/=(double s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    AcGeVector3d operator+(const AcGeVector3d& v) const {
        return AcGeVector3d(x + v.x, y + v.y, z + v.z);
    }
    AcGeVector3d& operator+=(const AcGeVector3d& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    AcGeVector3d operator-(const AcGeVector3d& v) const {
        return AcGeVector3d(x - v.x, y - v.y, z - v.z);
    }
    AcGeVector3d& operator-=(const AcGeVector3d& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    AcGeVector3d& setToSum(const AcGeVector3d& a, const AcGeVector3d& b) {
        x = a.x + b.x;
        y = a.y + b.y;
        z = a.z + b.z;
        return *this;
    }
    AcGeVector3d operator-() const { return AcGeVector3d(-x, -y, -z); }
    AcGeVector3d& negate() {
        x = -x;
        y = -y;
        z = -z;
        return *this;
    }

    // A unit vector perpendicular to this one: the in-plane X axis of the arbitrary axis
    // rule for this vector as normal; the zero vector for a zero vector.
    AcGeVector3d perpVector() const;
    // Unsigned angle between the vectors, in [0, pi]; 0 when either is zero.
    double angleTo(const AcGeVector3d& vec) const;
    // Angle from this vector to `vec` turning counter-clockwise about `refVec`, in [0, 2*pi).
    double angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const;
    // Angle of the vector's projection into the plane, measured from the plane's u axis.
    double angleOnPlane(const AcGePlanarEnt& plane) const;

    // Unit vector of the same direction; a vector not longer than equalVector is returned as is.
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector3d& normalize(const AcGeTol& tol, AcGe::ErrorCondition& flag);

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double lengthSqrd() const { return x * x + y * y + z * z; }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;
    // Direction tests compare unit vectors against equalVector; a zero vector fails them all.
    bool isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return AcGeVector3d(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
    }
    // Index (0, 1, 2) of the coordinate with the largest magnitude.
    unsigned int largestElement() const;

    bool operator==(const AcGeVector3d& vec) const { return isEqualTo(vec); }
    bool operator!=(const AcGeVector3d& vec) const { return !isEqualTo(vec); }
    // Equal when the difference is no longer than equalVector.
    bool isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    AcGeVector3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGeVector3d& set(const AcGePlanarEnt& plane, const AcGeVector2d& vec2d);

    double x, y, z;
};

// Matrix product without the translation part.
GEO_API AcGeVector3d operator*(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
