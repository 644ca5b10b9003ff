#pragma once
// AcGeCompositeCurve3d: bounded 3D curves joined end to end into one curve.

#include <geo/acge/gecurv3d.h>
#include <geo/export.h>

// The composite owns copies of its pieces. Its parameter starts at 0 and grows by each
// piece's length: piece i covers [sum of the lengths before it, that sum + its length], and
// within a piece the parameter is the arc length from the piece's start.
class GEO_API AcGeCompositeCurve3d : public AcGeCurve3d {
public:
    AcGeCompositeCurve3d() = default;
    // Takes copies of the bounded curves in the list (null and unbounded entries are skipped).
    explicit AcGeCompositeCurve3d(const AcArray<AcGeCurve3d*>& curveList);
    explicit AcGeCompositeCurve3d(const AcGeVoidPointerArray& curveList);
    AcGeCompositeCurve3d(const AcGeCompositeCurve3d& other);
    AcGeCompositeCurve3d& operator=(const AcGeCompositeCurve3d& other);
    ~AcGeCompositeCurve3d() override;

    AcGeCompositeCurve3d& setCurveList(const AcArray<AcGeCurve3d*>& curveList);
    AcGeCompositeCurve3d& setCurveList(const AcGeVoidPointerArray& curveList);
    // The pieces themselves (still owned by the composite), in order.
    void getCurveList(AcGeVoidPointerArray& curveList) const;
    void getCurveList(AcArray<AcGeCurve3d*>& curveList) const;
    int numCurves() const;

    // Converts a composite parameter to a piece index and that piece's own parameter.
    double globalToLocalParam(double param, int& crvNum) const;
    double localToGlobalParam(double param, int crvNum) const;

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
    void clear();
    void appendCopy(const AcGeCurve3d* curve);
    double totalLength() const;

    AcArray<AcGeCurve3d*> m_curves;
    AcArray<double> m_starts;   // composite parameter where each piece starts
    AcArray<double> m_lengths;  // length of each piece
};
