#pragma once
// AcGeCompositeCurve2d: bounded 2D curves joined end to end into one curve.

#include <geo/acge/gecurv2d.h>
#include <geo/export.h>

// The composite owns copies of its pieces. Its parameter starts at 0 and grows by each
// piece's length: piece i covers [sum of the lengths before it, that sum + its length], and
// within a piece the parameter is the arc length from the piece's start.
class GEO_API AcGeCompositeCurve2d : public AcGeCurve2d {
public:
    AcGeCompositeCurve2d() = default;
    // Takes copies of the bounded curves in the list (null and unbounded entries are skipped).
    explicit AcGeCompositeCurve2d(const AcArray<AcGeCurve2d*>& curveList);
    explicit AcGeCompositeCurve2d(const AcGeVoidPointerArray& curveList);
    AcGeCompositeCurve2d(const AcGeCompositeCurve2d& other);
    AcGeCompositeCurve2d& operator=(const AcGeCompositeCurve2d& other);
    ~AcGeCompositeCurve2d() override;

    AcGeCompositeCurve2d& setCurveList(const AcArray<AcGeCurve2d*>& curveList);
    AcGeCompositeCurve2d& setCurveList(const AcGeVoidPointerArray& curveList);
    // The pieces themselves (still owned by the composite), in order.
    void getCurveList(AcGeVoidPointerArray& curveList) const;
    void getCurveList(AcArray<AcGeCurve2d*>& curveList) const;
    int numCurves() const;

    // Converts a composite parameter to a piece index and that piece's own parameter.
    double globalToLocalParam(double param, int& crvNum) const;
    double localToGlobalParam(double param, int crvNum) const;

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
    void clear();
    void appendCopy(const AcGeCurve2d* curve);
    double totalLength() const;

    AcArray<AcGeCurve2d*> m_curves;
    AcArray<double> m_starts;   // composite parameter where each piece starts
    AcArray<double> m_lengths;  // length of each piece
};
