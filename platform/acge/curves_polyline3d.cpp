// 3D polylines through fit points: vertex i at parameter i.

#include <cmath>

#include <geo/acge/gepoly3d.h>

#include "platform/acge/curve_twins.h"

AcGePolyline3d::AcGePolyline3d(const AcGePoint3dArray& points) : m_points(points) {}

AcGePolyline3d& AcGePolyline3d::setFitPoints(const AcGePoint3dArray& points) {
    m_points = points;
    return *this;
}

int AcGePolyline3d::numFitPoints() const {
    return m_points.length();
}

AcGePoint3d AcGePolyline3d::fitPointAt(int index) const {
    return (index >= 0 && index < m_points.length()) ? m_points[index] : AcGePoint3d();
}

AcGePolyline3d& AcGePolyline3d::setFitPointAt(int index, const AcGePoint3d& point) {
    if (index >= 0 && index < m_points.length()) {
        m_points[index] = point;
    }
    return *this;
}

AcGe::EntityId AcGePolyline3d::type() const {
    return AcGe::kPolyline3d;
}

Adesk::Boolean AcGePolyline3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPolyline3d || entType == AcGe::kSplineEnt3d ||
           AcGeCurve3d::isKindOf(entType);
}

AcGeEntity3d* AcGePolyline3d::copy() const {
    return new AcGePolyline3d(*this);
}

Adesk::Boolean AcGePolyline3d::isEqualTo(const AcGeEntity3d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kPolyline3d) {
        return false;
    }
    const AcGePolyline3d& poly = static_cast<const AcGePolyline3d&>(other);
    return acge_detail::samePoints(m_points, poly.m_points, tol);
}

AcGeEntity3d& AcGePolyline3d::transformBy(const AcGeMatrix3d& xfm) {
    for (AcGePoint3d& p : m_points) {
        p.transformBy(xfm);
    }
    return *this;
}

void AcGePolyline3d::getInterval(AcGeInterval& range) const {
    range.set(0.0, m_points.length() > 1 ? m_points.length() - 1.0 : 0.0);
}

AcGeCurve3d& AcGePolyline3d::reverseParam() {
    m_points.reverse();
    return *this;
}

AcGePoint3d AcGePolyline3d::evalPoint(double param) const {
    return acge_detail::polyEvalPoint<AcGePoint3d>(m_points, param);
}

double AcGePolyline3d::length(double fromParam, double toParam, double) const {
    return std::fabs(acge_detail::polyLengthTo(m_points, toParam) -
                     acge_detail::polyLengthTo(m_points, fromParam));
}

double AcGePolyline3d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                     double) const {
    const double target =
        acge_detail::polyLengthTo(m_points, datumParam) + (posParamDir ? length : -length);
    return acge_detail::polyParamAt(m_points, target);
}

Adesk::Boolean AcGePolyline3d::hasStartPoint(AcGePoint3d& startPnt) const {
    if (m_points.isEmpty()) {
        return false;
    }
    startPnt = m_points.first();
    return true;
}

Adesk::Boolean AcGePolyline3d::hasEndPoint(AcGePoint3d& endPnt) const {
    if (m_points.isEmpty()) {
        return false;
    }
    endPnt = m_points.last();
    return true;
}

double AcGePolyline3d::closestParam(const AcGePoint3d& pnt) const {
    return acge_detail::polyClosestParam(m_points, pnt);
}
