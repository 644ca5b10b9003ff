#pragma once
// AcGeCircArc3d: a circular arc or full circle in 3D, counter-clockwise about its normal.

#include <geo/acge/gecurv3d.h>
#include <geo/export.h>

class AcGeLinearEnt3d;
class AcGePlane;

// The point at parameter t is center + r (cos t refVec + sin t (normal x refVec)); the arc
// runs from startAng to endAng. A circle set from centre, normal and radius has refVec on the
// in-plane X axis that the arbitrary axis rule picks for the normal. A degenerate definition
// gives an arc of radius 0 at the first given point.
class GEO_API AcGeCircArc3d : public AcGeCurve3d {
public:
    AcGeCircArc3d();  // unit circle about the origin in the XY plane
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                  double radius, double startAngle, double endAngle);
    AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& secondPoint,
                  const AcGePoint3d& endPoint);

    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                       double radius, double startAngle, double endAngle);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& secondPoint,
                       const AcGePoint3d& endPoint);

    AcGePoint3d center() const { return m_center; }
    AcGeVector3d normal() const { return m_normal; }
    AcGeVector3d refVec() const { return m_refVec; }
    double radius() const { return m_radius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;
    // Plane of the circle (through the centre, with the arc's normal).
    void getPlane(AcGePlane& plane) const;

    AcGeCircArc3d& setCenter(const AcGePoint3d& cent);
    AcGeCircArc3d& setRadius(double radius);
    AcGeCircArc3d& setAngles(double startAng, double endAng);
    AcGeCircArc3d& setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec);

    // Points common to the arc and a linear entity lying in its plane (or crossing it).
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1,
                                 AcGePoint3d& p2, const AcGeTol& tol = AcGeContext::gTol) const;
    // Points common to two coplanar arcs.
    Adesk::Boolean intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1,
                                 AcGePoint3d& p2, const AcGeTol& tol = AcGeContext::gTol) const;

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
    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;

protected:
    double closestParam(const AcGePoint3d& pnt) const override;

private:
    void setDegenerate(const AcGePoint3d& at);
    // In-plane coordinates of a point relative to the centre.
    void toPlane(const AcGePoint3d& pnt, double& u, double& v) const;

    AcGePoint3d m_center;
    AcGeVector3d m_normal = AcGeVector3d(0.0, 0.0, 1.0);
    AcGeVector3d m_refVec = AcGeVector3d(1.0, 0.0, 0.0);
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586;
};
