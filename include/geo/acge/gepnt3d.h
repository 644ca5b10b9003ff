// AcGePoint3d: a 3D position (plain x, y, z).
#pragma once

#include <cmath>

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>

class AcGeMatrix3d;
class AcGePlanarEnt;
class AcGePlane;

class GEO_API AcGePoint3d {
public:
    constexpr AcGePoint3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The 3D point of a 2D point given in the plane's own coordinates.
    AcGePoint3d(const AcGePlanarEnt& plane, const AcGePoint2d& pnt2d);

    static const AcGePoint3d kOrigin;

    AcGePoint3d& setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    AcGePoint3d& transformBy(const AcGeMatrix3d& leftSide);
    // Turns by `angle` radians about the axis `vec` through `wrtPoint` (right-hand rule);
    // a zero axis leaves the point as is.
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& vec,
                          const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    // Reflects in the plane.
    AcGePoint3d& mirror(const AcGePlane& plane);
    AcGePoint3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    // Foot of the perpendicular on the plane.
    AcGePoint3d orthoProject(const AcGePlane& plane) const;
    // Projection on the plane along `vec`; the point itself when `vec` runs along the plane.
    AcGePoint3d project(const AcGePlane& plane, const AcGeVector3d& vec) const;
    // The point in the plane's own (u, v) coordinates, after projecting it on the plane.
    AcGePoint2d convert2d(const AcGePlanarEnt& plane) const;

    AcGePoint3d operator*(double s) const { return AcGePoint3d(x * s, y * s, z * s); }
    friend AcGePoint3d operator*(double s, const AcGePoint3d& p) { return p * s; }
    AcGePoint3d& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    AcGePoint3d operator/(double s) const { return AcGePoint3d(x / s, y / s, z / s); }
    AcGePoint3d& operator/=(double s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    AcGePoint3d operator+(const AcGeVector3d& v) const {
        return AcGePoint3d(x + v.x, y + v.y, z + v.z);
    }
    AcGePoint3d& operator+=(const AcGeVector3d& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    AcGePoint3d operator-(const AcGeVector3d& v) const {
        return AcGePoint3d(x - v.x, y - v.y, z - v.z);
    }
    AcGePoint3d& operator-=(const AcGeVector3d& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    AcGePoint3d& setToSum(const AcGePoint3d& p, const AcGeVector3d& v) {
        x = p.x + v.x;
        y = p.y + v.y;
        z = p.z + v.z;
        return *this;
    }
    AcGeVector3d operator-(const AcGePoint3d& p) const {
        return AcGeVector3d(x - p.x, y - p.y, z - p.z);
    }
    AcGeVector3d asVector() const { return AcGeVector3d(x, y, z); }

    double distanceTo(const AcGePoint3d& p) const {
        const double dx = x - p.x, dy = y - p.y, dz = z - p.z;
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    }

    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }
    // Equal when the Euclidean distance is at most equalPoint.
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    AcGePoint3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGePoint3d& set(const AcGePlanarEnt& plane, const AcGePoint2d& pnt2d);

    double x, y, z;
};

GEO_API AcGePoint3d operator*(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
