// 3D circular arcs: circles about a normal, three-point arcs, evaluation,
// intersection.

#include <cmath>

#include <geo/acge/gearc3d.h>
#include <geo/acge/gelent3d.h>
#include <geo/acge/geplane.h>

#include "platform/acge/curve_twins.h"
#include "platform/acge/curve_util.h"

using acge_detail::angleFrom;
using acge_detail::cross3;
using acge_detail::dot3;
using acge_detail::kTwoPi;
using acge_detail::len3;

namespace {

constexpr double kCollinearRatio = 1e-12;

AcGeVector3d unit3(const AcGeVector3d& v) {
    const double len = len3(v);
    return (len > 0.0 && std::isfinite(len)) ? v / len : AcGeVector3d();
}

}  // namespace

AcGeCircArc3d::AcGeCircArc3d() = default;

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius) {
    set(cent, nrm, radius);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm,
                             const AcGeVector3d& refVec, double radius, double startAngle,
                             double endAngle) {
    set(cent, nrm, refVec, radius, startAngle, endAngle);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& secondPoint,
                             const AcGePoint3d& endPoint) {
    set(startPoint, secondPoint, endPoint);
}

void AcGeCircArc3d::setDegenerate(const AcGePoint3d& at) {
    m_center = at;
    m_normal = AcGeVector3d(0.0, 0.0, 1.0);
    m_refVec = AcGeVector3d(1.0, 0.0, 0.0);
    m_radius = 0.0;
    m_startAng = m_endAng = 0.0;
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius) {
    const AcGeVector3d n = unit3(nrm);
    return set(cent, n, acge_detail::arbitraryXAxis(n), radius, 0.0, kTwoPi);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm,
                                  const AcGeVector3d& refVec, double radius, double startAngle,
                                  double endAngle) {
    const AcGeVector3d n = unit3(nrm);
    if (!(len3(n) > 0.0) || !(radius > 0.0) || !std::isfinite(radius) ||
        !platform_detail::isFiniteXYZ(cent)) {
        setDegenerate(cent);
        return *this;
    }
    return setAxes(n, refVec).setCenter(cent).setRadius(radius).setAngles(startAngle, endAngle);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& secondPoint,
                                  const AcGePoint3d& endPoint) {
    const AcGeVector3d b = secondPoint - startPoint, c = endPoint - startPoint;
    const AcGeVector3d n = cross3(b, c);
    const double twiceArea = len3(n);
    const double spread = len3(b) * len3(c) * len3(c - b);
    if (!(twiceArea > kCollinearRatio * spread) || !std::isfinite(twiceArea)) {
        setDegenerate(startPoint);
        return *this;
    }
    const double nn = dot3(n, n);
    const AcGeVector3d toCenter =
        (cross3(n, b) * dot3(c, c) + cross3(c, n) * dot3(b, b)) / (2.0 * nn);
    const AcGePoint3d cent = startPoint + toCenter;
    set(cent, n, startPoint.distanceTo(cent));
    double u = 0.0, v = 0.0;
    toPlane(startPoint, u, v);
    const double start = angleFrom(std::atan2(v, u), 0.0);
    toPlane(endPoint, u, v);
    const double sweep = angleFrom(std::atan2(v, u), start) - start;
    return setAngles(start, start + sweep);
}

void AcGeCircArc3d::toPlane(const AcGePoint3d& pnt, double& u, double& v) const {
    const AcGeVector3d d = pnt - m_center;
    u = dot3(d, m_refVec);
    v = dot3(d, cross3(m_normal, m_refVec));
}

AcGePoint3d AcGeCircArc3d::startPoint() const {
    return evalPoint(m_startAng);
}

AcGePoint3d AcGeCircArc3d::endPoint() const {
    return evalPoint(m_endAng);
}

void AcGeCircArc3d::getPlane(AcGePlane& plane) const {
    plane.set(m_center, m_normal);
}

AcGeCircArc3d& AcGeCircArc3d::setCenter(const AcGePoint3d& cent) {
    m_center = cent;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setRadius(double radius) {
    m_radius = acge_detail::sanitizedRadius(radius);
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAngles(double startAng, double endAng) {
    acge_detail::setSweep(startAng, endAng, m_startAng, m_endAng);
    return *this;
}

// The reference vector is projected into the plane; one along the normal is
// replaced by the arbitrary axis.
AcGeCircArc3d& AcGeCircArc3d::setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec) {
    const AcGeVector3d n = unit3(normal);
    if (!(len3(n) > 0.0)) {
        return *this;
    }
    AcGeVector3d ref = unit3(refVec - n * dot3(refVec, n));
    if (!(len3(ref) > 1e-12)) {
        ref = acge_detail::arbitraryXAxis(n);
    }
    m_normal = n;
    m_refVec = ref;
    return *this;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1,
                                            AcGePoint3d& p2, const AcGeTol& tol) const {
    intn = 0;
    const AcGeVector3d u = line.direction();
    if (!(m_radius > 0.0) || !(len3(u) > 0.0)) {
        return false;
    }
    const AcGePoint3d base = line.pointOnLine();
    if (std::fabs(dot3(u, m_normal)) > tol.equalVector()) {
        // The line crosses the plane: at most the one crossing point.
        const double s = dot3(m_normal, m_center - base) / dot3(m_normal, u);
        AcGePoint3d cand[1] = {base + u * s};
        acge_detail::keepCommon(*this, line, cand, 1, intn, p1, p2, tol);
        return intn > 0;
    }
    if (std::fabs(dot3(m_normal, base - m_center)) > tol.equalPoint()) {
        return false;
    }
    const AcGePoint3d foot = base + u * dot3(m_center - base, u);
    const double h = foot.distanceTo(m_center);
    if (h > m_radius + tol.equalPoint()) {
        return false;
    }
    const double half = h >= m_radius ? 0.0 : std::sqrt(m_radius * m_radius - h * h);
    AcGePoint3d cand[2] = {foot - u * half, foot + u * half};
    acge_detail::keepCommon(*this, line, cand, half <= tol.equalPoint() ? 1 : 2, intn, p1, p2, tol);
    if (half <= tol.equalPoint() && intn == 1) {
        p1 = foot;
    }
    return intn > 0;
}

// Arcs in different planes are not intersected (no result).
Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1,
                                            AcGePoint3d& p2, const AcGeTol& tol) const {
    intn = 0;
    if (!(m_radius > 0.0) || !(arc.m_radius > 0.0)) {
        return false;
    }
    if (len3(cross3(m_normal, arc.m_normal)) > tol.equalVector() ||
        std::fabs(dot3(m_normal, arc.m_center - m_center)) > tol.equalPoint()) {
        return false;
    }
    const AcGeVector3d between = arc.m_center - m_center;
    const double d = len3(between);
    if (d <= tol.equalPoint()) {
        return false;
    }
    if (d > m_radius + arc.m_radius + tol.equalPoint() ||
        d < std::fabs(m_radius - arc.m_radius) - tol.equalPoint()) {
        return false;
    }
    const AcGeVector3d u = between / d;
    const double a = (m_radius * m_radius - arc.m_radius * arc.m_radius + d * d) / (2.0 * d);
    const double h2 = m_radius * m_radius - a * a;
    const double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
    const AcGePoint3d base = m_center + u * a;
    const AcGeVector3d side = cross3(m_normal, u);
    AcGePoint3d cand[2] = {base + side * h, base - side * h};
    acge_detail::keepCommon(*this, arc, cand, h <= tol.equalPoint() ? 1 : 2, intn, p1, p2, tol);
    return intn > 0;
}

AcGe::EntityId AcGeCircArc3d::type() const {
    return AcGe::kCircArc3d;
}

Adesk::Boolean AcGeCircArc3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kCircArc3d || AcGeCurve3d::isKindOf(entType);
}

AcGeEntity3d* AcGeCircArc3d::copy() const {
    return new AcGeCircArc3d(*this);
}

Adesk::Boolean AcGeCircArc3d::isEqualTo(const AcGeEntity3d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kCircArc3d) {
        return false;
    }
    const AcGeCircArc3d& arc = static_cast<const AcGeCircArc3d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::fabs(m_radius - arc.m_radius) <= tol.equalPoint() &&
           len3(m_normal - arc.m_normal) <= tol.equalVector() &&
           startPoint().isEqualTo(arc.startPoint(), tol) &&
           endPoint().isEqualTo(arc.endPoint(), tol) &&
           std::fabs((m_endAng - m_startAng) - (arc.m_endAng - arc.m_startAng)) * m_radius <=
               tol.equalPoint();
}

AcGeEntity3d& AcGeCircArc3d::transformBy(const AcGeMatrix3d& xfm) {
    AcGeVector3d ref = m_refVec, side = cross3(m_normal, m_refVec);
    ref.transformBy(xfm);
    side.transformBy(xfm);
    m_center.transformBy(xfm);
    m_radius *= len3(ref);
    // A reflection flips the normal, so travel stays counter-clockwise about it.
    const AcGeVector3d n = unit3(cross3(ref, side));
    if (len3(n) > 0.0) {
        setAxes(n, ref);
    }
    return *this;
}

void AcGeCircArc3d::getInterval(AcGeInterval& range) const {
    range.set(m_startAng, m_endAng);
}

AcGeCurve3d& AcGeCircArc3d::reverseParam() {
    m_normal = -m_normal;
    acge_detail::reverseSweep(m_startAng, m_endAng);
    return *this;
}

AcGePoint3d AcGeCircArc3d::evalPoint(double param) const {
    const AcGeVector3d side = cross3(m_normal, m_refVec);
    return m_center + (m_refVec * std::cos(param) + side * std::sin(param)) * m_radius;
}

double AcGeCircArc3d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * m_radius;
}

double AcGeCircArc3d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                    double) const {
    return acge_detail::arcParamAtLength(m_radius, datumParam, length, posParamDir);
}

Adesk::Boolean AcGeCircArc3d::isClosed(const AcGeTol& tol) const {
    return m_radius > 0.0 && AcGeCurve3d::isClosed(tol);
}

double AcGeCircArc3d::closestParam(const AcGePoint3d& pnt) const {
    double u = 0.0, v = 0.0;
    toPlane(pnt, u, v);
    if (!(std::hypot(u, v) > 0.0) || !(m_radius > 0.0)) {
        return m_startAng;
    }
    const double t = angleFrom(std::atan2(v, u), m_startAng);
    if (t <= m_endAng) {
        return t;
    }
    return pnt.distanceTo(startPoint()) <= pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}
