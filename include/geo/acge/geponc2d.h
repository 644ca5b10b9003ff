#pragma once
// AcGePointOnCurve2d: a curve and a parameter on it, with the point they give.

#include <geo/acge/gecurv2d.h>
#include <geo/export.h>

// Holds a pointer to the curve (not a copy) and the point evaluated when the curve or the
// parameter was last set, so point() stays valid after the curve is gone.
class GEO_API AcGePointOnCurve2d {
public:
    AcGePointOnCurve2d() = default;
    explicit AcGePointOnCurve2d(const AcGeCurve2d& crv, double param = 0.0);

    const AcGeCurve2d* curve() const { return m_curve; }
    double parameter() const { return m_param; }
    AcGePoint2d point() const { return m_point; }
    // Moves to param and returns the point there (the origin without a curve).
    AcGePoint2d point(double param);

    AcGePointOnCurve2d& setCurve(const AcGeCurve2d& crv);
    AcGePointOnCurve2d& setParameter(double param);

    AcGe::EntityId type() const { return AcGe::kPointOnCurve2d; }
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const;

private:
    void update();

    const AcGeCurve2d* m_curve = nullptr;
    double m_param = 0.0;
    AcGePoint2d m_point;
};
