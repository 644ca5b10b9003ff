// 2D polylines through fit points: vertex i at parameter i.

#include <cmath>

#include <geo/acge/gepoly2d.h>

#include "platform/acge/curve_twins.h"

AcGePolyline2d::AcGePolyline2d(const AcGePoint2dArray& points) : m_points(points) {}

AcGePolyline2d& AcGePolyline2d::setFitPoints(const AcGePoint2dArray& points) {
    m_points = points;
    return *this;
}

int AcGePolyline2d::numFitPoints() const {
    return m_points.length();
}

AcGePoint2d AcGePolyline2d::fitPointAt(int index) const {
    return (index >= 0 && index < m_points.length()) ? m_points[index] : AcGePoint2d();
}

AcGePolyline2d& AcGePolyline2d::setFitPointAt(int index, const AcGePoint2d& point) {
    if (index >= 0 && index < m_points.length()) {
        m_points[index] = point;
    }
    return *this;
}

AcGe::EntityId AcGePolyline2d::type() const {
    return AcGe::kPolyline2d;
}

Adesk::Boolean AcGePolyline2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kPolyline2d || entType == AcGe::kSplineEnt2d ||
           AcGeCurve2d::isKindOf(entType);
}

AcGeEntity2d* AcGePolyline2d::copy() const {
    return new AcGePolyline2d(*this);
}

Adesk::Boolean AcGePolyline2d::isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kPolyline2d) {
        return false;
    }
    const AcGePolyline2d& poly = static_cast<const AcGePolyline2d&>(other);
    return acge_detail::samePoints(m_points, poly.m_points, tol);
}

AcGeEntity2d& AcGePolyline2d::transformBy(const AcGeMatrix2d& xfm) {
    for (AcGePoint2d& p : m_points) {
        p.transformBy(xfm);
    }
    return *this;
}

void AcGePolyline2d::getInterval(AcGeInterval& range) const {
    range.set(0.0, m_points.length() > 1 ? m_points.length() - 1.0 : 0.0);
}

AcGeCurve2d& AcGePolyline2d::reverseParam() {
    m_points.reverse();
    return *this;
}

AcGePoint2d AcGePolyline2d::evalPoint(double param) const {
    return acge_detail::polyEvalPoint<AcGePoint2d>(m_points, param);
}

double AcGePolyline2d::length(double fromParam, double toParam, double) const {
    return std::fabs(acge_detail::polyLengthTo(m_points, toParam) -
                     acge_detail::polyLengthTo(m_points, fromParam));
}

double AcGePolyline2d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                     double) const {
    const double target =
        acge_detail::polyLengthTo(m_points, datumParam) + (posParamDir ? length : -length);
    return acge_detail::polyParamAt(m_points, target);
}

Adesk::Boolean AcGePolyline2d::hasStartPoint(AcGePoint2d& startPnt) const {
    if (m_points.isEmpty()) {
        return false;
    }
    startPnt = m_points.first();
    return true;
}

Adesk::Boolean AcGePolyline2d::hasEndPoint(AcGePoint2d& endPnt) const {
    if (m_points.isEmpty()) {
        return false;
    }
    endPnt = m_points.last();
    return true;
}

double AcGePolyline2d::closestParam(const AcGePoint2d& pnt) const {
    return acge_detail::polyClosestParam(m_points, pnt);
}
