// 2D circular arcs: construction from centre, three points or bulge,
// evaluation, intersection.

#include <cmath>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gelent2d.h>
#include <geo/acge/geline2d.h>

#include "platform/acge/curve_twins.h"
#include "platform/acge/curve_util.h"

using acge_detail::angleFrom;
using acge_detail::cross2;
using acge_detail::dot2;
using acge_detail::kTwoPi;

namespace {

// Three points closer to a line than this fraction of their spread count as
// collinear.
constexpr double kCollinearRatio = 1e-12;

AcGeVector2d unitOr(const AcGeVector2d& v, const AcGeVector2d& fallback) {
    const double len = v.length();
    return (len > 0.0 && std::isfinite(len)) ? v / len : fallback;
}

// Angle of v from +X, counter-clockwise, or clockwise when `clockwise`.
double senseAngle(const AcGeVector2d& v, bool clockwise) {
    const double a = std::atan2(v.y, v.x);
    return angleFrom(clockwise ? -a : a, 0.0);
}

}  // namespace

AcGeCircArc2d::AcGeCircArc2d() = default;

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& cent, double radius) {
    set(cent, radius);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& cent, double radius, double startAngle,
                             double endAngle, const AcGeVector2d& refVec,
                             Adesk::Boolean isClockWise) {
    set(cent, radius, startAngle, endAngle, refVec, isClockWise);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point,
                             const AcGePoint2d& endPoint) {
    set(startPoint, point, endPoint);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint,
                             double bulge, Adesk::Boolean bulgeFlag) {
    set(startPoint, endPoint, bulge, bulgeFlag);
}

void AcGeCircArc2d::setDegenerate(const AcGePoint2d& at) {
    m_center = at;
    m_radius = 0.0;
    m_startAng = m_endAng = 0.0;
    m_refVec = AcGeVector2d(1.0, 0.0);
    m_clockwise = false;
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& cent, double radius) {
    return set(cent, radius, 0.0, kTwoPi, AcGeVector2d(1.0, 0.0), false);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& cent, double radius, double startAngle,
                                  double endAngle, const AcGeVector2d& refVec,
                                  Adesk::Boolean isClockWise) {
    if (!(radius > 0.0) || !std::isfinite(radius) || !platform_detail::isFiniteXY(cent) ||
        !std::isfinite(startAngle) || !std::isfinite(endAngle)) {
        setDegenerate(cent);
        return *this;
    }
    m_center = cent;
    m_radius = radius;
    m_refVec = unitOr(refVec, AcGeVector2d(1.0, 0.0));
    m_clockwise = isClockWise;
    return setAngles(startAngle, endAngle);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& point,
                                  const AcGePoint2d& endPoint) {
    const AcGeVector2d b = point - startPoint, c = endPoint - startPoint;
    const double twiceArea = cross2(b, c);
    const double spread = b.length() * c.length() * (c - b).length();
    if (!(std::fabs(twiceArea) > kCollinearRatio * spread) || !std::isfinite(twiceArea)) {
        setDegenerate(startPoint);
        return *this;
    }
    const double d = 2.0 * twiceArea;
    const double bb = b.lengthSqrd(), cc = c.lengthSqrd();
    const AcGePoint2d cent =
        startPoint + AcGeVector2d((c.y * bb - b.y * cc) / d, (b.x * cc - c.x * bb) / d);
    const bool clockwise = twiceArea < 0.0;
    const double start = senseAngle(startPoint - cent, clockwise);
    const double sweep = angleFrom(senseAngle(endPoint - cent, clockwise), start) - start;
    return set(cent, cent.distanceTo(startPoint), start, start + sweep, AcGeVector2d(1.0, 0.0),
               clockwise);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint,
                                  double bulge, Adesk::Boolean bulgeFlag) {
    const AcGeVector2d chord = endPoint - startPoint;
    const double len = chord.length();
    // The sagitta form is turned into the tangent of a quarter of the sweep.
    const double tanQuarter = bulgeFlag ? bulge / (len / 2.0) : bulge;
    if (!(len > 0.0) || !std::isfinite(tanQuarter) || tanQuarter == 0.0) {
        setDegenerate(startPoint);
        return *this;
    }
    const double sweep = 4.0 * std::atan(tanQuarter);  // signed, positive counter-clockwise
    const AcGeVector2d left = chord.perpVector() / len;
    const AcGePoint2d mid = startPoint + chord * 0.5;
    const AcGePoint2d cent = mid + left * ((len / 2.0) / std::tan(sweep / 2.0));
    const bool clockwise = sweep < 0.0;
    const double start = senseAngle(startPoint - cent, clockwise);
    return set(cent, (len / 2.0) / std::fabs(std::sin(sweep / 2.0)), start,
               start + std::fabs(sweep), AcGeVector2d(1.0, 0.0), clockwise);
}

AcGePoint2d AcGeCircArc2d::startPoint() const {
    return evalPoint(m_startAng);
}

AcGePoint2d AcGeCircArc2d::endPoint() const {
    return evalPoint(m_endAng);
}

Adesk::Boolean AcGeCircArc2d::isInside(const AcGePoint2d& pnt, const AcGeTol& tol) const {
    return pnt.distanceTo(m_center) < m_radius - tol.equalPoint();
}

AcGeCircArc2d& AcGeCircArc2d::setCenter(const AcGePoint2d& cent) {
    m_center = cent;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRadius(double radius) {
    m_radius = acge_detail::sanitizedRadius(radius);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setAngles(double startAng, double endAng) {
    acge_detail::setSweep(startAng, endAng, m_startAng, m_endAng);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRefVec(const AcGeVector2d& vec) {
    m_refVec = unitOr(vec, m_refVec);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setToComplement() {
    const double sweep = m_endAng - m_startAng;
    if (sweep >= kTwoPi) {
        return *this;
    }
    const double start = m_endAng;
    m_endAng = start + (kTwoPi - sweep);
    m_startAng = start;
    return *this;
}

Adesk::Boolean AcGeCircArc2d::intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1,
                                            AcGePoint2d& p2, const AcGeTol& tol) const {
    intn = 0;
    const AcGeVector2d u = line.direction();
    if (!(m_radius > 0.0) || !(u.length() > 0.0)) {
        return false;
    }
    const AcGeVector2d w = m_center - line.pointOnLine();
    const AcGePoint2d foot = line.pointOnLine() + u * dot2(w, u);
    const double h = std::fabs(cross2(u, w));
    if (h > m_radius + tol.equalPoint()) {
        return false;
    }
    const double half = h >= m_radius ? 0.0 : std::sqrt(m_radius * m_radius - h * h);
    // A chord shorter than the tolerance is a touching point.
    AcGePoint2d cand[2] = {foot - u * half, foot + u * half};
    acge_detail::keepCommon(*this, line, cand, half <= tol.equalPoint() ? 1 : 2, intn, p1, p2, tol);
    if (half <= tol.equalPoint() && intn == 1) {
        p1 = foot;
    }
    return intn > 0;
}

Adesk::Boolean AcGeCircArc2d::intersectWith(const AcGeCircArc2d& arc, int& intn, AcGePoint2d& p1,
                                            AcGePoint2d& p2, const AcGeTol& tol) const {
    intn = 0;
    if (!(m_radius > 0.0) || !(arc.m_radius > 0.0)) {
        return false;
    }
    const AcGeVector2d between = arc.m_center - m_center;
    const double d = between.length();
    // Concentric circles share no isolated point.
    if (d <= tol.equalPoint()) {
        return false;
    }
    if (d > m_radius + arc.m_radius + tol.equalPoint() ||
        d < std::fabs(m_radius - arc.m_radius) - tol.equalPoint()) {
        return false;
    }
    const AcGeVector2d u = between / d;
    const double a = (m_radius * m_radius - arc.m_radius * arc.m_radius + d * d) / (2.0 * d);
    const double h2 = m_radius * m_radius - a * a;
    const double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
    const AcGePoint2d base = m_center + u * a;
    AcGePoint2d cand[2] = {base + u.perpVector() * h, base - u.perpVector() * h};
    acge_detail::keepCommon(*this, arc, cand, h <= tol.equalPoint() ? 1 : 2, intn, p1, p2, tol);
    return intn > 0;
}

Adesk::Boolean AcGeCircArc2d::tangent(const AcGePoint2d& pnt, AcGeLine2d& line,
                                      const AcGeTol& tol) const {
    double param = 0.0;
    if (!(m_radius > 0.0) || !isOn(pnt, param, tol)) {
        return false;
    }
    const AcGeVector2d side = m_clockwise ? -m_refVec.perpVector() : m_refVec.perpVector();
    line.set(pnt, side * std::cos(param) - m_refVec * std::sin(param));
    return true;
}

AcGe::EntityId AcGeCircArc2d::type() const {
    return AcGe::kCircArc2d;
}

Adesk::Boolean AcGeCircArc2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kCircArc2d || AcGeCurve2d::isKindOf(entType);
}

AcGeEntity2d* AcGeCircArc2d::copy() const {
    return new AcGeCircArc2d(*this);
}

Adesk::Boolean AcGeCircArc2d::isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kCircArc2d) {
        return false;
    }
    const AcGeCircArc2d& arc = static_cast<const AcGeCircArc2d&>(other);
    return m_center.isEqualTo(arc.m_center, tol) &&
           std::fabs(m_radius - arc.m_radius) <= tol.equalPoint() &&
           m_clockwise == arc.m_clockwise && startPoint().isEqualTo(arc.startPoint(), tol) &&
           endPoint().isEqualTo(arc.endPoint(), tol) &&
           std::fabs((m_endAng - m_startAng) - (arc.m_endAng - arc.m_startAng)) * m_radius <=
               tol.equalPoint();
}

AcGeEntity2d& AcGeCircArc2d::transformBy(const AcGeMatrix2d& xfm) {
    AcGeVector2d ref = m_refVec, side = m_refVec.perpVector();
    ref.transformBy(xfm);
    side.transformBy(xfm);
    m_center.transformBy(xfm);
    m_radius *= ref.length();
    m_refVec = unitOr(ref, m_refVec);
    // A reflection turns the sense of travel.
    if (cross2(ref, side) < 0.0) {
        m_clockwise = !m_clockwise;
    }
    return *this;
}

void AcGeCircArc2d::getInterval(AcGeInterval& range) const {
    range.set(m_startAng, m_endAng);
}

AcGeCurve2d& AcGeCircArc2d::reverseParam() {
    m_clockwise = !m_clockwise;
    acge_detail::reverseSweep(m_startAng, m_endAng);
    return *this;
}

AcGePoint2d AcGeCircArc2d::evalPoint(double param) const {
    const AcGeVector2d side = m_clockwise ? -m_refVec.perpVector() : m_refVec.perpVector();
    return m_center + (m_refVec * std::cos(param) + side * std::sin(param)) * m_radius;
}

double AcGeCircArc2d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * m_radius;
}

double AcGeCircArc2d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                    double) const {
    return acge_detail::arcParamAtLength(m_radius, datumParam, length, posParamDir);
}

Adesk::Boolean AcGeCircArc2d::isClosed(const AcGeTol& tol) const {
    return m_radius > 0.0 && AcGeCurve2d::isClosed(tol);
}

double AcGeCircArc2d::closestParam(const AcGePoint2d& pnt) const {
    const AcGeVector2d v = pnt - m_center;
    if (!(v.length() > 0.0) || !(m_radius > 0.0)) {
        return m_startAng;
    }
    const double fromRef = std::atan2(cross2(m_refVec, v), dot2(m_refVec, v));
    const double t = angleFrom(m_clockwise ? -fromRef : fromRef, m_startAng);
    if (t <= m_endAng) {
        return t;
    }
    // Outside the sweep: the nearer end point.
    return pnt.distanceTo(startPoint()) <= pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}
