// 3D polylines through fit points: vertex i at parameter i.

#include <cmath>

#include <geo/acge/gepoly3d.h>

namespace {

double segLength(const AcGePoint3dArray& pts, int i) {
    return pts[i].distanceTo(pts[i + 1]);
}

// Arc length from vertex 0 to parameter t; beyond the ends the end segments are
// extended.
double lengthTo(const AcGePoint3dArray& pts, double t) {
    const int n = pts.length();
    if (n < 2)
        return 0.0;
    double before = 0.0;
    int i = 0;
    while (i < n - 2 && t >= i + 1) {
        before += segLength(pts, i);
        ++i;
    }
    return before + (t - i) * segLength(pts, i);
}

// Parameter where the arc length from vertex 0 reaches `target`.
double paramAt(const AcGePoint3dArray& pts, double target) {
    const int n = pts.length();
    if (n < 2)
        return 0.0;
    double before = 0.0;
    int i = 0;
    while (i < n - 2 && target > before + segLength(pts, i)) {
        before += segLength(pts, i);
        ++i;
    }
    const double len = segLength(pts, i);
    return len > 0.0 ? i + (target - before) / len : static_cast<double>(i);
}

// Parameter (0..1) of the point of segment a-b nearest to p.
double segmentParam(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& p) {
    const AcGeVector3d d = b - a;
    const double len2 = d.lengthSqrd();
    if (!(len2 > 0.0))
        return 0.0;
    const double t = (p - a).dotProduct(d) / len2;
    return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
}

}  // namespace

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
    if (index >= 0 && index < m_points.length())
        m_points[index] = point;
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
    if (other.type() != AcGe::kPolyline3d)
        return false;
    const AcGePolyline3d& poly = static_cast<const AcGePolyline3d&>(other);
    if (poly.m_points.length() != m_points.length())
        return false;
    for (int i = 0; i < m_points.length(); ++i) {
        if (!m_points[i].isEqualTo(poly.m_points[i], tol))
            return false;
    }
    return true;
}

AcGeEntity3d& AcGePolyline3d::transformBy(const AcGeMatrix3d& xfm) {
    for (AcGePoint3d& p : m_points)
        p.transformBy(xfm);
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
    const int n = m_points.length();
    if (n == 0)
        return AcGePoint3d();
    if (n == 1 || !std::isfinite(param))
        return m_points[0];
    double whole = std::floor(param);
    if (whole < 0.0)
        whole = 0.0;
    if (whole > n - 2)
        whole = n - 2;
    const int i = static_cast<int>(whole);
    return m_points[i] + (m_points[i + 1] - m_points[i]) * (param - i);
}

double AcGePolyline3d::length(double fromParam, double toParam, double) const {
    return std::fabs(lengthTo(m_points, toParam) - lengthTo(m_points, fromParam));
}

double AcGePolyline3d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                     double) const {
    const double target = lengthTo(m_points, datumParam) + (posParamDir ? length : -length);
    return paramAt(m_points, target);
}

Adesk::Boolean AcGePolyline3d::hasStartPoint(AcGePoint3d& startPnt) const {
    if (m_points.isEmpty())
        return false;
    startPnt = m_points.first();
    return true;
}

Adesk::Boolean AcGePolyline3d::hasEndPoint(AcGePoint3d& endPnt) const {
    if (m_points.isEmpty())
        return false;
    endPnt = m_points.last();
    return true;
}

// Nearest point over all segments; on equal distances the earlier segment wins.
double AcGePolyline3d::closestParam(const AcGePoint3d& pnt) const {
    const int n = m_points.length();
    double best = 0.0, bestDist = -1.0;
    for (int i = 0; i + 1 < n; ++i) {
        const double t = segmentParam(m_points[i], m_points[i + 1], pnt);
        const double dist = evalPoint(i + t).distanceTo(pnt);
        if (bestDist < 0.0 || dist < bestDist) {
            bestDist = dist;
            best = i + t;
        }
    }
    return best;
}
