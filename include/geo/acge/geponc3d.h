#pragma once
// AcGePointOnCurve3d: a curve and a parameter on it, with the point they give.

#include <geo/acge/gecurv3d.h>
#include <geo/export.h>

// Holds a pointer to the curve (not a copy) and the point evaluated when the curve or the
// parameter was last set, so point() stays valid after the curve is gone.
class GEO_API AcGePointOnCurve3d {
public:
    AcGePointOnCurve3d() = default;
    explicit AcGePointOnCurve3d(const AcGeCurve3d& crv, double param = 0.0);

    const AcGeCurve3d* curve() const { return m_curve; }
    double parameter() const { return m_param; }
    AcGePoint3d point() const { return m_point; }
    // Moves to param and returns the point there (the origin without a curve).
    AcGePoint3d point(double param);

    AcGePointOnCurve3d& setCurve(const AcGeCurve3d& crv);
    AcGePointOnCurve3d& setParameter(double param);

    AcGe::EntityId type() const { return AcGe::kPointOnCurve3d; }
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const;

private:
    void update();

    const AcGeCurve3d* m_curve = nullptr;
    double m_param = 0.0;
    AcGePoint3d m_point;
};
