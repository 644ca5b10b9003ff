#pragma once
// AcGeLinearEnt2d: the common base of infinite lines, segments and rays in 2D.

#include <geo/acge/gecurv2d.h>
#include <geo/export.h>

class AcGeLine2d;

// A linear entity runs through pointOnLine() along a carrying vector; its parameter t gives
// pointOnLine() + t * vector (a unit vector for lines and rays, end - start for segments).
class GEO_API AcGeLinearEnt2d : public AcGeCurve2d {
public:
    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;

    // Meeting point of the carriers, restricted to both entities' extents; parallel -> false.
    Adesk::Boolean intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // Common stretch of two colinear entities as a new entity owned by the caller.
    Adesk::Boolean overlap(const AcGeLinearEnt2d& line, AcGeLinearEnt2d*& overlap,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGeLinearEnt2d& line,
                                const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt2d& line,
                                     const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isColinearTo(const AcGeLinearEnt2d& line,
                                const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint2d pointOnLine() const;
    // Unit direction (zero for a zero-length segment).
    AcGeVector2d direction() const;
    void getLine(AcGeLine2d& line) const;
    // Line through pnt perpendicular to this one.
    void getPerpLine(const AcGePoint2d& pnt, AcGeLine2d& perpLine) const;

    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

    void getInterval(AcGeInterval& range) const override;
    AcGeCurve2d& reverseParam() override;
    AcGePoint2d evalPoint(double param) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length,
                         Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const override;

protected:
    AcGeLinearEnt2d() = default;
    AcGeLinearEnt2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);

    double closestParam(const AcGePoint2d& pnt) const override;
    // Whether the extent of this entity is bounded below (at param 0) and above (at 1).
    virtual bool boundedBelow() const = 0;
    virtual bool boundedAbove() const = 0;
    // Parameter interval of this entity, widened by the point tolerance.
    bool containsParam(double param, double pointTol) const;

    AcGePoint2d m_point;
    AcGeVector2d m_vec;
};
