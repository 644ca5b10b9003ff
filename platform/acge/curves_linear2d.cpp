// 2D lines, segments and rays: evaluation, intersection, overlap and relations.

#include <cmath>
#include <limits>

#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/geray2d.h>

#include "platform/acge/curve_util.h"

using acge_detail::cross2;
using acge_detail::dot2;

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// Unit vector of v; the zero vector stays zero.
AcGeVector2d unit2(const AcGeVector2d& v) {
    const double len = v.length();
    return len > 0.0 ? v / len : AcGeVector2d();
}

}  // namespace

// ---- AcGeLinearEnt2d ----

AcGeLinearEnt2d::AcGeLinearEnt2d(const AcGePoint2d& pnt, const AcGeVector2d& vec)
    : m_point(pnt), m_vec(vec) {}

AcGe::EntityId AcGeLinearEnt2d::type() const {
    return AcGe::kLinearEnt2d;
}

Adesk::Boolean AcGeLinearEnt2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLinearEnt2d || AcGeCurve2d::isKindOf(entType);
}

bool AcGeLinearEnt2d::containsParam(double param, double pointTol) const {
    const double len = m_vec.length();
    const double slack = len > 0.0 ? pointTol / len : 0.0;
    if (boundedBelow() && param < -slack)
        return false;
    if (boundedAbove() && param > 1.0 + slack)
        return false;
    return true;
}

Adesk::Boolean AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                              const AcGeTol& tol) const {
    const double denom = cross2(m_vec, line.m_vec);
    const double lens = m_vec.length() * line.m_vec.length();
    if (!(lens > 0.0) || std::fabs(denom) <= tol.equalVector() * lens)
        return false;
    const AcGeVector2d w = line.m_point - m_point;
    const double s = cross2(w, line.m_vec) / denom;
    const double t = cross2(w, m_vec) / denom;
    if (!containsParam(s, tol.equalPoint()) || !line.containsParam(t, tol.equalPoint()))
        return false;
    intPnt = m_point + m_vec * s;
    return true;
}

Adesk::Boolean AcGeLinearEnt2d::isParallelTo(const AcGeLinearEnt2d& line,
                                             const AcGeTol& tol) const {
    const double lens = m_vec.length() * line.m_vec.length();
    if (!(lens > 0.0))
        return false;
    return std::fabs(cross2(m_vec, line.m_vec)) <= tol.equalVector() * lens;
}

Adesk::Boolean AcGeLinearEnt2d::isPerpendicularTo(const AcGeLinearEnt2d& line,
                                                  const AcGeTol& tol) const {
    const double lens = m_vec.length() * line.m_vec.length();
    if (!(lens > 0.0))
        return false;
    return std::fabs(dot2(m_vec, line.m_vec)) <= tol.equalVector() * lens;
}

Adesk::Boolean AcGeLinearEnt2d::isColinearTo(const AcGeLinearEnt2d& line,
                                             const AcGeTol& tol) const {
    if (!isParallelTo(line, tol))
        return false;
    const double dist = std::fabs(cross2(line.m_point - m_point, unit2(m_vec)));
    return dist <= tol.equalPoint();
}

// Parameter range of `line` expressed in this entity's parameter, ascending.
static void mappedRange(const AcGeLinearEnt2d& self, const AcGePoint2d& otherPoint,
                        const AcGeVector2d& otherVec, bool otherBelow, bool otherAbove, double& lo,
                        double& hi) {
    const AcGeVector2d vec = self.direction();
    const double len = (self.evalPoint(1.0) - self.evalPoint(0.0)).length();
    const double s0 = dot2(otherPoint - self.pointOnLine(), vec) / len;
    const double k = dot2(otherVec, vec) / len;
    const double a = otherBelow ? s0 : (k > 0 ? -kInf : kInf);
    const double b = otherAbove ? s0 + k : (k > 0 ? kInf : -kInf);
    lo = a < b ? a : b;
    hi = a < b ? b : a;
}

Adesk::Boolean AcGeLinearEnt2d::overlap(const AcGeLinearEnt2d& line, AcGeLinearEnt2d*& result,
                                        const AcGeTol& tol) const {
    result = nullptr;
    if (!isColinearTo(line, tol))
        return false;
    double lo = 0.0, hi = 0.0;
    mappedRange(*this, line.m_point, line.m_vec, line.boundedBelow(), line.boundedAbove(), lo, hi);
    if (boundedBelow() && lo < 0.0)
        lo = 0.0;
    if (boundedAbove() && hi > 1.0)
        hi = 1.0;
    const double len = m_vec.length();
    if (!(hi > lo) || (hi - lo) * len <= tol.equalPoint())
        return false;
    const bool finiteLo = std::isfinite(lo), finiteHi = std::isfinite(hi);
    if (finiteLo && finiteHi) {
        result = new AcGeLineSeg2d(evalPoint(lo), evalPoint(hi));
    } else if (finiteLo) {
        result = new AcGeRay2d(evalPoint(lo), m_vec);
    } else if (finiteHi) {
        result = new AcGeRay2d(evalPoint(hi), -m_vec);
    } else {
        result = new AcGeLine2d(m_point, m_vec);
    }
    return true;
}

AcGeEntity2d& AcGeLinearEnt2d::transformBy(const AcGeMatrix2d& xfm) {
    const AcGePoint2d end = m_point + m_vec;
    m_point.transformBy(xfm);
    m_vec = AcGePoint2d(end).transformBy(xfm) - m_point;
    // Lines and rays keep a unit carrying vector so that their parameter stays a
    // distance.
    if (!(boundedBelow() && boundedAbove()))
        m_vec = unit2(m_vec);
    return *this;
}

AcGePoint2d AcGeLinearEnt2d::pointOnLine() const {
    return m_point;
}

AcGeVector2d AcGeLinearEnt2d::direction() const {
    return unit2(m_vec);
}

void AcGeLinearEnt2d::getLine(AcGeLine2d& line) const {
    line.set(m_point, m_vec);
}

void AcGeLinearEnt2d::getPerpLine(const AcGePoint2d& pnt, AcGeLine2d& perpLine) const {
    perpLine.set(pnt, m_vec.perpVector());
}

void AcGeLinearEnt2d::getInterval(AcGeInterval& range) const {
    range.set();
    if (boundedBelow())
        range.setLower(0.0);
    if (boundedAbove())
        range.setUpper(1.0);
}

AcGeCurve2d& AcGeLinearEnt2d::reverseParam() {
    if (boundedBelow() && boundedAbove()) {
        m_point = m_point + m_vec;
        m_vec = -m_vec;
    } else if (!boundedBelow() && !boundedAbove()) {
        m_vec = -m_vec;
    }
    // A ray cannot run the other way without becoming another point set:
    // unchanged.
    return *this;
}

AcGePoint2d AcGeLinearEnt2d::evalPoint(double param) const {
    return m_point + m_vec * param;
}

double AcGeLinearEnt2d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * m_vec.length();
}

double AcGeLinearEnt2d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                      double) const {
    const double len = m_vec.length();
    if (!(len > 0.0))
        return datumParam;
    return datumParam + (posParamDir ? length : -length) / len;
}

double AcGeLinearEnt2d::closestParam(const AcGePoint2d& pnt) const {
    const double len2 = m_vec.lengthSqrd();
    if (!(len2 > 0.0))
        return 0.0;
    double t = dot2(pnt - m_point, m_vec) / len2;
    if (boundedBelow() && t < 0.0)
        t = 0.0;
    if (boundedAbove() && t > 1.0)
        t = 1.0;
    return t;
}

// ---- AcGeLine2d ----

const AcGeLine2d AcGeLine2d::kXAxis(AcGePoint2d(0.0, 0.0), AcGeVector2d(1.0, 0.0));
const AcGeLine2d AcGeLine2d::kYAxis(AcGePoint2d(0.0, 0.0), AcGeVector2d(0.0, 1.0));

AcGeLine2d::AcGeLine2d() : AcGeLinearEnt2d(AcGePoint2d(0.0, 0.0), AcGeVector2d(1.0, 0.0)) {}

AcGeLine2d::AcGeLine2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    set(pnt, vec);
}

AcGeLine2d::AcGeLine2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    set(pnt1, pnt2);
}

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    m_point = pnt;
    m_vec = unit2(vec);
    return *this;
}

AcGeLine2d& AcGeLine2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGe::EntityId AcGeLine2d::type() const {
    return AcGe::kLine2d;
}

Adesk::Boolean AcGeLine2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLine2d || AcGeLinearEnt2d::isKindOf(entType);
}

AcGeEntity2d* AcGeLine2d::copy() const {
    return new AcGeLine2d(*this);
}

Adesk::Boolean AcGeLine2d::isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kLine2d)
        return false;
    return isColinearTo(static_cast<const AcGeLine2d&>(other), tol);
}

// ---- AcGeLineSeg2d ----

AcGeLineSeg2d::AcGeLineSeg2d() : AcGeLinearEnt2d(AcGePoint2d(0.0, 0.0), AcGeVector2d(1.0, 0.0)) {}

AcGeLineSeg2d::AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    set(pnt1, pnt2);
}

AcGeLineSeg2d::AcGeLineSeg2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    set(pnt, vec);
}

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGeLineSeg2d& AcGeLineSeg2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    m_point = pnt;
    m_vec = vec;
    return *this;
}

AcGePoint2d AcGeLineSeg2d::startPoint() const {
    return m_point;
}

AcGePoint2d AcGeLineSeg2d::endPoint() const {
    return m_point + m_vec;
}

AcGePoint2d AcGeLineSeg2d::midPoint() const {
    return m_point + m_vec * 0.5;
}

double AcGeLineSeg2d::length() const {
    return m_vec.length();
}

void AcGeLineSeg2d::getBisector(AcGeLine2d& line) const {
    line.set(midPoint(), m_vec.perpVector());
}

AcGe::EntityId AcGeLineSeg2d::type() const {
    return AcGe::kLineSeg2d;
}

Adesk::Boolean AcGeLineSeg2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLineSeg2d || AcGeLinearEnt2d::isKindOf(entType);
}

AcGeEntity2d* AcGeLineSeg2d::copy() const {
    return new AcGeLineSeg2d(*this);
}

Adesk::Boolean AcGeLineSeg2d::isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kLineSeg2d)
        return false;
    const AcGeLineSeg2d& seg = static_cast<const AcGeLineSeg2d&>(other);
    return startPoint().isEqualTo(seg.startPoint(), tol) &&
           endPoint().isEqualTo(seg.endPoint(), tol);
}

// ---- AcGeRay2d ----

AcGeRay2d::AcGeRay2d() : AcGeLinearEnt2d(AcGePoint2d(0.0, 0.0), AcGeVector2d(1.0, 0.0)) {}

AcGeRay2d::AcGeRay2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    set(pnt, vec);
}

AcGeRay2d::AcGeRay2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    set(pnt1, pnt2);
}

AcGeRay2d& AcGeRay2d::set(const AcGePoint2d& pnt, const AcGeVector2d& vec) {
    m_point = pnt;
    m_vec = unit2(vec);
    return *this;
}

AcGeRay2d& AcGeRay2d::set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGe::EntityId AcGeRay2d::type() const {
    return AcGe::kRay2d;
}

Adesk::Boolean AcGeRay2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kRay2d || AcGeLinearEnt2d::isKindOf(entType);
}

AcGeEntity2d* AcGeRay2d::copy() const {
    return new AcGeRay2d(*this);
}

Adesk::Boolean AcGeRay2d::isEqualTo(const AcGeEntity2d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kRay2d)
        return false;
    const AcGeRay2d& ray = static_cast<const AcGeRay2d&>(other);
    return m_point.isEqualTo(ray.m_point, tol) && (m_vec - ray.m_vec).length() <= tol.equalVector();
}
