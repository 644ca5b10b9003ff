// Parameter intervals, the shared behaviour of 2D and 3D curves, and points on
// curves.

#include <cmath>
#include <limits>

#include <geo/acge/geintrvl.h>
#include <geo/acge/geponc2d.h>
#include <geo/acge/geponc3d.h>

// ---- AcGeInterval ----

AcGeInterval::AcGeInterval() = default;

AcGeInterval::AcGeInterval(double lower, double upper) {
    set(lower, upper);
}

AcGeInterval::AcGeInterval(bool boundedBelow, double bound) {
    set(boundedBelow, bound);
}

double AcGeInterval::length() const {
    return isBounded() ? m_upper - m_lower : -1.0;
}

bool AcGeInterval::contains(double value, double tol) const {
    if (m_boundedBelow && value < m_lower - tol) {
        return false;
    }
    if (m_boundedAbove && value > m_upper + tol) {
        return false;
    }
    return true;
}

AcGeInterval& AcGeInterval::set(double lower, double upper) {
    m_lower = lower < upper ? lower : upper;
    m_upper = lower < upper ? upper : lower;
    m_boundedBelow = m_boundedAbove = true;
    return *this;
}

AcGeInterval& AcGeInterval::set(bool boundedBelow, double bound) {
    m_lower = m_upper = bound;
    m_boundedBelow = boundedBelow;
    m_boundedAbove = !boundedBelow;
    return *this;
}

AcGeInterval& AcGeInterval::set() {
    m_lower = m_upper = 0.0;
    m_boundedBelow = m_boundedAbove = false;
    return *this;
}

void AcGeInterval::setLower(double lower) {
    m_lower = lower;
    m_boundedBelow = true;
}

void AcGeInterval::setUpper(double upper) {
    m_upper = upper;
    m_boundedAbove = true;
}

// ---- shared curve behaviour, written once for both dimensions ----

namespace {

// Parameters of k samples spread evenly over a bounded interval.
template <typename Curve, typename Array>
void sampleCurve(const Curve& curve, int numSample, Array& out) {
    out.removeAll();
    AcGeInterval range;
    curve.getInterval(range);
    if (numSample <= 0 || !range.isBounded()) {
        return;
    }
    const double lo = range.lowerBound();
    const double hi = range.upperBound();
    if (numSample == 1) {
        out.append(curve.evalPoint(lo));
        return;
    }
    const double step = (hi - lo) / (numSample - 1);
    for (int i = 0; i < numSample - 1; ++i) {
        out.append(curve.evalPoint(lo + step * i));
    }
    // A closed curve ends exactly where it starts.
    if (curve.isClosed()) {
        out.append(out.first());
    } else {
        out.append(curve.evalPoint(hi));
    }
}

template <typename Curve, typename Point>
bool boundPoint(const Curve& curve, bool atStart, Point& pnt) {
    AcGeInterval range;
    curve.getInterval(range);
    if (atStart ? !range.isBoundedBelow() : !range.isBoundedAbove()) {
        return false;
    }
    pnt = curve.evalPoint(atStart ? range.lowerBound() : range.upperBound());
    return true;
}

template <typename Curve>
bool closedCurve(const Curve& curve, const AcGeTol& tol) {
    AcGeInterval range;
    curve.getInterval(range);
    if (!range.isBounded()) {
        return false;
    }
    return curve.evalPoint(range.lowerBound()).isEqualTo(curve.evalPoint(range.upperBound()), tol);
}

template <typename Curve>
bool paramInRange(const Curve& curve, double param, const AcGeTol& tol) {
    AcGeInterval range;
    curve.getInterval(range);
    return range.contains(param, tol.equalPoint());
}

}  // namespace

#define GEO_CURVE_COMMON(Curve, Entity, CurveId, Point, PointOnCurve, PointArray)           \
    Curve::~Curve() = default;                                                              \
    bool Curve::isKindOf(AcGe::EntityId entType) const {                                    \
        return entType == CurveId || Entity::isKindOf(entType);                             \
    }                                                                                       \
    void Curve::getInterval(AcGeInterval& range, Point& start, Point& end) const {          \
        getInterval(range);                                                                 \
        if (range.isBoundedBelow())                                                         \
            start = evalPoint(range.lowerBound());                                          \
        if (range.isBoundedAbove())                                                         \
            end = evalPoint(range.upperBound());                                            \
    }                                                                                       \
    Point Curve::closestPointTo(const Point& pnt, const AcGeTol&) const {                   \
        return evalPoint(closestParam(pnt));                                                \
    }                                                                                       \
    void Curve::getClosestPointTo(const Point& pnt, PointOnCurve& pntOnCrv, const AcGeTol&) \
        const {                                                                             \
        pntOnCrv.setCurve(*this);                                                           \
        pntOnCrv.setParameter(closestParam(pnt));                                           \
    }                                                                                       \
    double Curve::distanceTo(const Point& pnt, const AcGeTol& tol) const {                  \
        return closestPointTo(pnt, tol).distanceTo(pnt);                                    \
    }                                                                                       \
    double Curve::paramOf(const Point& pnt, const AcGeTol&) const {                         \
        return closestParam(pnt);                                                           \
    }                                                                                       \
    Adesk::Boolean Curve::isOn(const Point& pnt, const AcGeTol& tol) const {                \
        return distanceTo(pnt, tol) <= tol.equalPoint();                                    \
    }                                                                                       \
    Adesk::Boolean Curve::isOn(const Point& pnt, double& param, const AcGeTol& tol) const { \
        const double t = closestParam(pnt);                                                 \
        if (!(evalPoint(t).distanceTo(pnt) <= tol.equalPoint()))                            \
            return false;                                                                   \
        param = t;                                                                          \
        return true;                                                                        \
    }                                                                                       \
    Adesk::Boolean Curve::isOn(double param, const AcGeTol& tol) const {                    \
        return paramInRange(*this, param, tol);                                             \
    }                                                                                       \
    Adesk::Boolean Curve::hasStartPoint(Point& startPnt) const {                            \
        return boundPoint(*this, true, startPnt);                                           \
    }                                                                                       \
    Adesk::Boolean Curve::hasEndPoint(Point& endPnt) const {                                \
        return boundPoint(*this, false, endPnt);                                            \
    }                                                                                       \
    Adesk::Boolean Curve::isClosed(const AcGeTol& tol) const {                              \
        return closedCurve(*this, tol);                                                     \
    }                                                                                       \
    void Curve::getSamplePoints(int numSample, PointArray& pointArray) const {              \
        sampleCurve(*this, numSample, pointArray);                                          \
    }

GEO_CURVE_COMMON(AcGeCurve2d, AcGeEntity2d, AcGe::kCurve2d, AcGePoint2d, AcGePointOnCurve2d,
                 AcGePoint2dArray)
GEO_CURVE_COMMON(AcGeCurve3d, AcGeEntity3d, AcGe::kCurve3d, AcGePoint3d, AcGePointOnCurve3d,
                 AcGePoint3dArray)

#undef GEO_CURVE_COMMON

// ---- points on curves ----

#define GEO_POINT_ON_CURVE(PointOnCurve, Curve, Point, KindId, EntId)                            \
    PointOnCurve::PointOnCurve(const Curve& crv, double param) : m_curve(&crv), m_param(param) { \
        update();                                                                                \
    }                                                                                            \
    Point PointOnCurve::point(double param) {                                                    \
        m_param = param;                                                                         \
        update();                                                                                \
        return m_point;                                                                          \
    }                                                                                            \
    PointOnCurve& PointOnCurve::setCurve(const Curve& crv) {                                     \
        m_curve = &crv;                                                                          \
        update();                                                                                \
        return *this;                                                                            \
    }                                                                                            \
    PointOnCurve& PointOnCurve::setParameter(double param) {                                     \
        m_param = param;                                                                         \
        update();                                                                                \
        return *this;                                                                            \
    }                                                                                            \
    Adesk::Boolean PointOnCurve::isKindOf(AcGe::EntityId entType) const {                        \
        return entType == KindId || entType == AcGe::kPointEnt##EntId ||                         \
               entType == AcGe::kEntity##EntId;                                                  \
    }                                                                                            \
    void PointOnCurve::update() {                                                                \
        m_point = m_curve ? m_curve->evalPoint(m_param) : Point();                               \
    }

GEO_POINT_ON_CURVE(AcGePointOnCurve2d, AcGeCurve2d, AcGePoint2d, AcGe::kPointOnCurve2d, 2d)
GEO_POINT_ON_CURVE(AcGePointOnCurve3d, AcGeCurve3d, AcGePoint3d, AcGe::kPointOnCurve3d, 3d)

#undef GEO_POINT_ON_CURVE
