// AcGePlanarEnt: abstract base of flat surfaces, holding an origin and two in-plane axes.
#pragma once

#include <geo/acge/gesurf.h>
#include <geo/export.h>

class AcGeLinearEnt3d;

// The surface is origin + u * uAxis + v * vAxis; the axes need not be unit or orthogonal.
// The normal is the unit vector along uAxis x vAxis.
class GEO_API AcGePlanarEnt : public AcGeSurface {
public:
    bool isKindOf(AcGe::EntityId entType) const override;

    AcGePoint3d closestPointTo(const AcGePoint3d& pnt,
                               const AcGeTol& tol = AcGeContext::gTol) const override;
    bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;

    // The linear entity's direction lies in the plane (within equalVector).
    bool isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The normals are parallel (within equalVector).
    bool isParallelTo(const AcGePlanarEnt& otherPlnEnt,
                      const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeLinearEnt3d& linEnt,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    // Parallel, and the other's origin lies on this plane (within equalPoint).
    bool isCoplanarTo(const AcGePlanarEnt& otherPlnEnt,
                      const AcGeTol& tol = AcGeContext::gTol) const;

    void get(AcGePoint3d& origin, AcGeVector3d& uAxis, AcGeVector3d& vAxis) const;
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const;
    AcGePoint3d pointOnPlane() const { return mOrigin; }
    AcGeVector3d normal() const { return mNormal; }
    // Coefficients of a*x + b*y + c*z + d = 0 with (a, b, c) the unit normal.
    void getCoefficients(double& a, double& b, double& c, double& d) const;

    // Point at plane parameters (u, v), and the parameters of a point's projection.
    AcGePoint3d evalPoint(const AcGePoint2d& param) const;
    AcGePoint2d paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    // False when the plane was built from a zero normal, zero or parallel axes, or collinear
    // points; such a plane keeps the XY directions through its given origin.
    bool isValid() const { return mValid; }

protected:
    AcGePlanarEnt();  // the XY plane through the origin
    AcGePlanarEnt(const AcGePlanarEnt&) = default;
    AcGePlanarEnt& operator=(const AcGePlanarEnt&) = default;

    // Sets origin and axes; degenerate axes fall back to the XY directions.
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // Sets origin and normal, the axes chosen by the arbitrary axis rule.
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // Shared by the transforms of derived classes: maps origin and axes by the matrix.
    void transformFrame(const AcGeMatrix3d& xfm);
    bool frameEquals(const AcGePlanarEnt& other, const AcGeTol& tol) const;

    AcGePoint3d mOrigin;
    AcGeVector3d mUAxis;
    AcGeVector3d mVAxis;
    AcGeVector3d mNormal;
    bool mValid;
};
