#pragma once
// AcGeCircArc2d: a circular arc or full circle in 2D, parameterised by angle from refVec.

#include <geo/acge/gecurv2d.h>
#include <geo/export.h>

class AcGeLinearEnt2d;
class AcGeLine2d;

// The point at parameter t lies at angle t from refVec, measured counter-clockwise, or
// clockwise when isClockWise(); the arc runs from startAng to endAng (startAng <= endAng).
// A degenerate definition (collinear points, zero radius, zero chord) gives an arc of radius
// 0 at the first given point, which meets nothing and has no offset.
class GEO_API AcGeCircArc2d : public AcGeCurve2d {
public:
    AcGeCircArc2d();  // unit circle about the origin
    AcGeCircArc2d(const AcGePoint2d& cent, double radius);
    AcGeCircArc2d(const AcGePoint2d& cent, double radius, double startAngle, double endAngle,
                  const AcGeVector2d& refVec = AcGeVector2d::kXAxis,
                  Adesk::Boolean isClockWise = Adesk::kFalse);
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point,
                  const AcGePoint2d& endPoint);
    // bulgeFlag true: bulge is the signed sagitta; false: tan(sweep / 4). Positive is
    // counter-clockwise.
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                  Adesk::Boolean bulgeFlag = Adesk::kTrue);

    AcGeCircArc2d& set(const AcGePoint2d& cent, double radius);
    AcGeCircArc2d& set(const AcGePoint2d& cent, double radius, double startAngle, double endAngle,
                       const AcGeVector2d& refVec = AcGeVector2d::kXAxis,
                       Adesk::Boolean isClockWise = Adesk::kFalse);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& point,
                       const AcGePoint2d& endPoint);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                       Adesk::Boolean bulgeFlag = Adesk::kTrue);

    AcGePoint2d center() const { return m_center; }
    double radius() const { return m_radius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    AcGeVector2d refVec() const { return m_refVec; }
    Adesk::Boolean isClockWise() const { return m_clockwise; }
    AcGePoint2d startPoint() const;
    AcGePoint2d endPoint() const;
    // Whether pnt lies strictly inside the full circle.
    Adesk::Boolean isInside(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeCircArc2d& setCenter(const AcGePoint2d& cent);
    AcGeCircArc2d& setRadius(double radius);
    AcGeCircArc2d& setAngles(double startAng, double endAng);
    AcGeCircArc2d& setRefVec(const AcGeVector2d& vec);
    AcGeCircArc2d& setToComplement();

    // Points common to the circle arc and the linear entity, in order along the line.
    Adesk::Boolean intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1,
                                 AcGePoint2d& p2, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGeCircArc2d& arc, int& intn, AcGePoint2d& p1,
                                 AcGePoint2d& p2, const AcGeTol& tol = AcGeContext::gTol) const;
    // Tangent line at a point of the arc, along the direction of travel.
    Adesk::Boolean tangent(const AcGePoint2d& pnt, AcGeLine2d& line,
                           const AcGeTol& tol = AcGeContext::gTol) const;

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
    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    double closestParam(const AcGePoint2d& pnt) const override;

private:
    void setDegenerate(const AcGePoint2d& at);
    // Absolute angle (from +X) of the point at parameter t.
    double absoluteAngle(double param) const;

    AcGePoint2d m_center;
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586;
    AcGeVector2d m_refVec = AcGeVector2d(1.0, 0.0);
    bool m_clockwise = false;
};
