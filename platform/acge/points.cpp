// AcGePoint2d and AcGePoint3d: transforms, rotations, reflections and projections.
#include <cmath>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>

#include "platform/acge/frame.h"

const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

AcGePoint2d operator*(const AcGeMatrix2d& m, const AcGePoint2d& p) {
    const auto& e = m.entry;
    double x = e[0][0] * p.x + e[0][1] * p.y + e[0][2];
    double y = e[1][0] * p.x + e[1][1] * p.y + e[1][2];
    const double w = e[2][0] * p.x + e[2][1] * p.y + e[2][2];
    if (w != 1.0 && w != 0.0) {
        x /= w;
        y /= w;
    }
    return AcGePoint2d(x, y);
}

AcGePoint2d& AcGePoint2d::setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt) {
    return *this = mat * pnt;
}

AcGePoint2d& AcGePoint2d::transformBy(const AcGeMatrix2d& leftSide) {
    return *this = leftSide * *this;
}

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& wrtPoint) {
    AcGeVector2d d = *this - wrtPoint;
    return *this = wrtPoint + d.rotateBy(angle);
}

AcGePoint2d& AcGePoint2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

// ---------------------------------------------------------------------------------------------

const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    const auto& e = m.entry;
    double x = e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3];
    double y = e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3];
    double z = e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3];
    const double w = e[3][0] * p.x + e[3][1] * p.y + e[3][2] * p.z + e[3][3];
    if (w != 1.0 && w != 0.0) {
        x /= w;
        y /= w;
        z /= w;
    }
    return AcGePoint3d(x, y, z);
}

AcGePoint3d::AcGePoint3d(const AcGePlanarEnt& plane, const AcGePoint2d& pnt2d)
    : x(0.0), y(0.0), z(0.0) {
    set(plane, pnt2d);
}

AcGePoint3d& AcGePoint3d::set(const AcGePlanarEnt& plane, const AcGePoint2d& pnt2d) {
    return *this = plane.evalPoint(pnt2d);
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt) {
    return *this = mat * pnt;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& leftSide) {
    return *this = leftSide * *this;
}

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& vec,
                                   const AcGePoint3d& wrtPoint) {
    AcGeVector3d d = *this - wrtPoint;
    return *this = wrtPoint + d.rotateBy(angle, vec);
}

AcGePoint3d& AcGePoint3d::mirror(const AcGePlane& plane) {
    return *this -= plane.normal() * (2.0 * plane.signedDistanceTo(*this));
}

AcGePoint3d& AcGePoint3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& plane) const {
    return *this - plane.normal() * plane.signedDistanceTo(*this);
}

AcGePoint3d AcGePoint3d::project(const AcGePlane& plane, const AcGeVector3d& vec) const {
    const double along = plane.normal().dotProduct(vec);
    // A direction running along the plane never reaches it.
    if (along == 0.0 || !std::isfinite(along) || vec.isPerpendicularTo(plane.normal())) {
        return *this;
    }
    return *this - vec * (plane.signedDistanceTo(*this) / along);
}

AcGePoint2d AcGePoint3d::convert2d(const AcGePlanarEnt& plane) const {
    return plane.paramOf(*this);
}
