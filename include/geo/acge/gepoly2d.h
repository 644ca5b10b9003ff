#pragma once
// AcGePolyline2d: an open chain of straight 2D segments through its fit points.

#include <geo/acge/gecurv2d.h>
#include <geo/export.h>

// Vertex i lies at parameter i; between vertices the parameter runs linearly.
class GEO_API AcGePolyline2d : public AcGeCurve2d {
public:
    AcGePolyline2d() = default;
    explicit AcGePolyline2d(const AcGePoint2dArray& points);

    AcGePolyline2d& setFitPoints(const AcGePoint2dArray& points);
    int numFitPoints() const;
    // Vertex i; an index out of range gives the origin.
    AcGePoint2d fitPointAt(int index) const;
    AcGePolyline2d& setFitPointAt(int index, const AcGePoint2d& point);

    AcGe::EntityId type() const override;
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& other,
                             const AcGeTol& tol = AcGeContext::gTol) const override;

    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

    void getInterval(AcGeInterval& range) const override;
    AcGeCurve2d& reverseParam() override;
    AcGePoint2d evalPoint(double param) const override;
    double length(double fromParam, double toParam,
                  double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length,
                         Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    Adesk::Boolean hasStartPoint(AcGePoint2d& startPnt) const override;
    Adesk::Boolean hasEndPoint(AcGePoint2d& endPnt) const override;

protected:
    double closestParam(const AcGePoint2d& pnt) const override;

private:
    AcGePoint2dArray m_points;
};
