#pragma once
// AcGeLinearEnt3d: the common base of infinite lines, segments and rays in 3D.

#include <geo/acge/gecurv3d.h>
#include <geo/export.h>

class AcGeLine3d;
class AcGePlane;

// A linear entity runs through pointOnLine() along a carrying vector; its parameter t gives
// pointOnLine() + t * vector (a unit vector for lines and rays, end - start for segments).
class GEO_API AcGeLinearEnt3d : public AcGeCurve3d {
public:
    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;

    // Meeting point of the carriers, restricted to both entities' extents; parallel -> false.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // Common stretch of two colinear entities as a new entity owned by the caller.
    Adesk::Boolean overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& overlap,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    // Meeting point with a plane, restricted to this entity's extent; parallel -> false.
    Adesk::Boolean intersectWith(const AcGePlane& plane, AcGePoint3d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGeLinearEnt3d& line,
                                const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt3d& line,
                                     const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isColinearTo(const AcGeLinearEnt3d& line,
                                const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d pointOnLine() const;
    // Unit direction (zero for a zero-length segment).
    AcGeVector3d direction() const;
    void getLine(AcGeLine3d& line) const;

    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    void getInterval(AcGeInterval& range) const override;
    AcGeCurve3d& reverseParam() override;
    AcGePoint3d evalPoint(double param) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length,
                         Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const override;

protected:
    AcGeLinearEnt3d() = default;
    AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);

    double closestParam(const AcGePoint3d& pnt) const override;
    // Whether the extent of this entity is bounded below (at param 0) and above (at 1).
    virtual bool boundedBelow() const = 0;
    virtual bool boundedAbove() const = 0;
    // Parameter interval of this entity, widened by the point tolerance.
    bool containsParam(double param, double pointTol) const;

    AcGePoint3d m_point;
    AcGeVector3d m_vec;
};
