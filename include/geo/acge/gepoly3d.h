#pragma once
// AcGePolyline3d: an open chain of straight 3D segments through its fit points.

#include <geo/acge/gecurv3d.h>
#include <geo/export.h>

// Vertex i lies at parameter i; between vertices the parameter runs linearly.
class GEO_API AcGePolyline3d : public AcGeCurve3d {
public:
    AcGePolyline3d() = default;
    explicit AcGePolyline3d(const AcGePoint3dArray& points);

    AcGePolyline3d& setFitPoints(const AcGePoint3dArray& points);
    int numFitPoints() const;
    // Vertex i; an index out of range gives the origin.
    AcGePoint3d fitPointAt(int index) const;
    AcGePolyline3d& setFitPointAt(int index, const AcGePoint3d& point);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    void getInterval(AcGeInterval& range) const override;
    AcGeCurve3d& reverseParam() override;
    AcGePoint3d evalPoint(double param) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length,
                         Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const override;
    Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const override;

protected:
    double closestParam(const AcGePoint3d& pnt) const override;

private:
    AcGePoint3dArray m_points;
};
