// AcGePlane: the infinite plane.
#pragma once

#include <geo/acge/geplanar.h>
#include <geo/export.h>

class AcGeLine3d;
class AcGeLinearEnt3d;

class GEO_API AcGePlane : public AcGePlanarEnt {
public:
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    AcGePlane();  // the XY plane through the origin
    AcGePlane(const AcGePlane& src) = default;
    AcGePlane& operator=(const AcGePlane& src) = default;
    // Through `origin` with this normal; in-plane axes by the arbitrary axis rule.
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // Origin `org`, axes pntU - org and pntV - org, normal along their cross product.
    AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // The plane a*x + b*y + c*z + d = 0.
    AcGePlane(double a, double b, double c, double d);

    AcGePlane& set(const AcGePoint3d& pnt, const AcGeVector3d& normal);
    AcGePlane& set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane& set(double a, double b, double c, double d);
    AcGePlane& set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);

    // Positive on the side the normal points to.
    double signedDistanceTo(const AcGePoint3d& pnt) const;

    // Point where the linear entity meets the plane; false when parallel or when the
    // bounded entity does not reach the plane. Defined with the linear entities.
    bool intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt,
                       const AcGeTol& tol = AcGeContext::gTol) const;
    // Line where two planes meet; false when parallel. Defined with the linear entities.
    bool intersectWith(const AcGePlane& otherPln, AcGeLine3d& intLine,
                       const AcGeTol& tol = AcGeContext::gTol) const;

    bool isKindOf(AcGe::EntityId entType) const override;
    AcGe::EntityId type() const override { return AcGe::kPlane; }
    AcGeEntity3d* copy() const override;
    bool isEqualTo(const AcGeEntity3d& entity,
                   const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;
};
