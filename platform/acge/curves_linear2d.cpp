// 2D lines, segments and rays: evaluation, intersection, overlap and relations.

#include <cmath>

#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/geray2d.h>

#include "platform/acge/curve_twins.h"
#include "platform/acge/curve_util.h"

using acge_detail::cross2;

namespace {

using acge_detail::unitOf;
using Shape = acge_detail::LinearShape<AcGePoint2d, AcGeVector2d>;

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
    return acge_detail::containsParam(Shape{m_point, m_vec, boundedBelow(), boundedAbove()}, param,
                                      pointTol);
}

Adesk::Boolean AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                              const AcGeTol& tol) const {
    const double denom = cross2(m_vec, line.m_vec);
    const double lens = m_vec.length() * line.m_vec.length();
    if (!(lens > 0.0) || std::fabs(denom) <= tol.equalVector() * lens) {
        return false;
    }
    const AcGeVector2d w = line.m_point - m_point;
    const double s = cross2(w, line.m_vec) / denom;
    const double t = cross2(w, m_vec) / denom;
    if (!containsParam(s, tol.equalPoint()) || !line.containsParam(t, tol.equalPoint())) {
        return false;
    }
    intPnt = m_point + m_vec * s;
    return true;
}

Adesk::Boolean AcGeLinearEnt2d::isParallelTo(const AcGeLinearEnt2d& line,
                                             const AcGeTol& tol) const {
    return acge_detail::parallelVectors(m_vec, line.m_vec, tol);
}

Adesk::Boolean AcGeLinearEnt2d::isPerpendicularTo(const AcGeLinearEnt2d& line,
                                                  const AcGeTol& tol) const {
    return acge_detail::perpendicularVectors(m_vec, line.m_vec, tol);
}

Adesk::Boolean AcGeLinearEnt2d::isColinearTo(const AcGeLinearEnt2d& line,
                                             const AcGeTol& tol) const {
    if (!isParallelTo(line, tol)) {
        return false;
    }
    const double dist = acge_detail::crossSize(line.m_point - m_point, unitOf(m_vec));
    return dist <= tol.equalPoint();
}

Adesk::Boolean AcGeLinearEnt2d::overlap(const AcGeLinearEnt2d& line, AcGeLinearEnt2d*& result,
                                        const AcGeTol& tol) const {
    result = nullptr;
    if (!isColinearTo(line, tol)) {
        return false;
    }
    const Shape other{line.m_point, line.m_vec, line.boundedBelow(), line.boundedAbove()};
    return acge_detail::colinearOverlap<AcGeLineSeg2d, AcGeRay2d, AcGeLine2d>(
        *this, Shape{m_point, m_vec, boundedBelow(), boundedAbove()}, other, result, tol);
}

AcGeEntity2d& AcGeLinearEnt2d::transformBy(const AcGeMatrix2d& xfm) {
    acge_detail::transformLinear(m_point, m_vec, boundedBelow() && boundedAbove(), xfm);
    return *this;
}

AcGePoint2d AcGeLinearEnt2d::pointOnLine() const {
    return m_point;
}

AcGeVector2d AcGeLinearEnt2d::direction() const {
    return unitOf(m_vec);
}

void AcGeLinearEnt2d::getLine(AcGeLine2d& line) const {
    line.set(m_point, m_vec);
}

void AcGeLinearEnt2d::getPerpLine(const AcGePoint2d& pnt, AcGeLine2d& perpLine) const {
    perpLine.set(pnt, m_vec.perpVector());
}

void AcGeLinearEnt2d::getInterval(AcGeInterval& range) const {
    acge_detail::linearInterval(boundedBelow(), boundedAbove(), range);
}

AcGeCurve2d& AcGeLinearEnt2d::reverseParam() {
    acge_detail::reverseLinear(m_point, m_vec, boundedBelow(), boundedAbove());
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
    return acge_detail::linearParamAtLength(m_vec, datumParam, length, posParamDir);
}

double AcGeLinearEnt2d::closestParam(const AcGePoint2d& pnt) const {
    return acge_detail::linearClosestParam(Shape{m_point, m_vec, boundedBelow(), boundedAbove()},
                                           pnt);
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
    m_vec = unitOf(vec);
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
    if (other.type() != AcGe::kLine2d) {
        return false;
    }
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
    if (other.type() != AcGe::kLineSeg2d) {
        return false;
    }
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
    m_vec = unitOf(vec);
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
    if (other.type() != AcGe::kRay2d) {
        return false;
    }
    const AcGeRay2d& ray = static_cast<const AcGeRay2d&>(other);
    return m_point.isEqualTo(ray.m_point, tol) && (m_vec - ray.m_vec).length() <= tol.equalVector();
}
