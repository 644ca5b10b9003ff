// 3D lines, segments and rays: evaluation, intersection (with lines and
// planes), overlap.

#include <cmath>

#include <geo/acge/geline3d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/geray3d.h>

#include "platform/acge/curve_twins.h"
#include "platform/acge/curve_util.h"

#include <geo/acge/geplane.h>

using acge_detail::cross3;
using acge_detail::dot3;

namespace {

using acge_detail::unitOf;
using Shape = acge_detail::LinearShape<AcGePoint3d, AcGeVector3d>;

}  // namespace

// ---- AcGeLinearEnt3d ----

AcGeLinearEnt3d::AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec)
    : m_point(pnt), m_vec(vec) {}

AcGe::EntityId AcGeLinearEnt3d::type() const {
    return AcGe::kLinearEnt3d;
}

Adesk::Boolean AcGeLinearEnt3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLinearEnt3d || AcGeCurve3d::isKindOf(entType);
}

bool AcGeLinearEnt3d::containsParam(double param, double pointTol) const {
    return acge_detail::containsParam(Shape{m_point, m_vec, boundedBelow(), boundedAbove()}, param,
                                      pointTol);
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                                              const AcGeTol& tol) const {
    if (!(m_vec.length() > 0.0 && line.m_vec.length() > 0.0) || isParallelTo(line, tol)) {
        return false;
    }
    // Closest points of the two carriers; they meet when those points coincide.
    const AcGeVector3d r = m_point - line.m_point;
    const double a = dot3(m_vec, m_vec), b = dot3(m_vec, line.m_vec),
                 c = dot3(line.m_vec, line.m_vec);
    const double d = dot3(m_vec, r), e = dot3(line.m_vec, r);
    const double denom = a * c - b * b;
    if (!(denom > 0.0)) {
        return false;
    }
    const double s = (b * e - c * d) / denom;
    const double t = (a * e - b * d) / denom;
    const AcGePoint3d here = evalPoint(s);
    if (!(here.distanceTo(line.evalPoint(t)) <= tol.equalPoint())) {
        return false;
    }
    if (!containsParam(s, tol.equalPoint()) || !line.containsParam(t, tol.equalPoint())) {
        return false;
    }
    intPnt = here;
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGePlane& plane, AcGePoint3d& intPnt,
                                              const AcGeTol& tol) const {
    const AcGeVector3d n = plane.normal();
    const double len = m_vec.length();
    const double along = dot3(n, m_vec);
    if (!(len > 0.0) || std::fabs(along) <= tol.equalVector() * len) {
        return false;
    }
    const double s = dot3(n, plane.pointOnPlane() - m_point) / along;
    if (!containsParam(s, tol.equalPoint())) {
        return false;
    }
    intPnt = evalPoint(s);
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& line,
                                             const AcGeTol& tol) const {
    return acge_detail::parallelVectors(m_vec, line.m_vec, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& line,
                                                  const AcGeTol& tol) const {
    return acge_detail::perpendicularVectors(m_vec, line.m_vec, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& line,
                                             const AcGeTol& tol) const {
    if (!isParallelTo(line, tol)) {
        return false;
    }
    const double dist = acge_detail::crossSize(line.m_point - m_point, unitOf(m_vec));
    return dist <= tol.equalPoint();
}

Adesk::Boolean AcGeLinearEnt3d::overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& result,
                                        const AcGeTol& tol) const {
    result = nullptr;
    if (!isColinearTo(line, tol)) {
        return false;
    }
    const Shape other{line.m_point, line.m_vec, line.boundedBelow(), line.boundedAbove()};
    return acge_detail::colinearOverlap<AcGeLineSeg3d, AcGeRay3d, AcGeLine3d>(
        *this, Shape{m_point, m_vec, boundedBelow(), boundedAbove()}, other, result, tol);
}

AcGeEntity3d& AcGeLinearEnt3d::transformBy(const AcGeMatrix3d& xfm) {
    acge_detail::transformLinear(m_point, m_vec, boundedBelow() && boundedAbove(), xfm);
    return *this;
}

AcGePoint3d AcGeLinearEnt3d::pointOnLine() const {
    return m_point;
}

AcGeVector3d AcGeLinearEnt3d::direction() const {
    return unitOf(m_vec);
}

void AcGeLinearEnt3d::getLine(AcGeLine3d& line) const {
    line.set(m_point, m_vec);
}

void AcGeLinearEnt3d::getInterval(AcGeInterval& range) const {
    acge_detail::linearInterval(boundedBelow(), boundedAbove(), range);
}

AcGeCurve3d& AcGeLinearEnt3d::reverseParam() {
    acge_detail::reverseLinear(m_point, m_vec, boundedBelow(), boundedAbove());
    return *this;
}

AcGePoint3d AcGeLinearEnt3d::evalPoint(double param) const {
    return m_point + m_vec * param;
}

double AcGeLinearEnt3d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam) * m_vec.length();
}

double AcGeLinearEnt3d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir,
                                      double) const {
    return acge_detail::linearParamAtLength(m_vec, datumParam, length, posParamDir);
}

double AcGeLinearEnt3d::closestParam(const AcGePoint3d& pnt) const {
    return acge_detail::linearClosestParam(Shape{m_point, m_vec, boundedBelow(), boundedAbove()},
                                           pnt);
}

// ---- AcGeLine3d ----

const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0));
const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0));
const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(0.0, 0.0, 1.0));

AcGeLine3d::AcGeLine3d()
    : AcGeLinearEnt3d(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0)) {}

AcGeLine3d::AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    set(pnt, vec);
}

AcGeLine3d::AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    set(pnt1, pnt2);
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    m_point = pnt;
    m_vec = unitOf(vec);
    return *this;
}

AcGeLine3d& AcGeLine3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGe::EntityId AcGeLine3d::type() const {
    return AcGe::kLine3d;
}

Adesk::Boolean AcGeLine3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLine3d || AcGeLinearEnt3d::isKindOf(entType);
}

AcGeEntity3d* AcGeLine3d::copy() const {
    return new AcGeLine3d(*this);
}

Adesk::Boolean AcGeLine3d::isEqualTo(const AcGeEntity3d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kLine3d) {
        return false;
    }
    return isColinearTo(static_cast<const AcGeLine3d&>(other), tol);
}

// ---- AcGeLineSeg3d ----

AcGeLineSeg3d::AcGeLineSeg3d()
    : AcGeLinearEnt3d(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0)) {}

AcGeLineSeg3d::AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    set(pnt1, pnt2);
}

AcGeLineSeg3d::AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    set(pnt, vec);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGeLineSeg3d& AcGeLineSeg3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    m_point = pnt;
    m_vec = vec;
    return *this;
}

AcGePoint3d AcGeLineSeg3d::startPoint() const {
    return m_point;
}

AcGePoint3d AcGeLineSeg3d::endPoint() const {
    return m_point + m_vec;
}

AcGePoint3d AcGeLineSeg3d::midPoint() const {
    return m_point + m_vec * 0.5;
}

double AcGeLineSeg3d::length() const {
    return m_vec.length();
}

AcGe::EntityId AcGeLineSeg3d::type() const {
    return AcGe::kLineSeg3d;
}

Adesk::Boolean AcGeLineSeg3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kLineSeg3d || AcGeLinearEnt3d::isKindOf(entType);
}

AcGeEntity3d* AcGeLineSeg3d::copy() const {
    return new AcGeLineSeg3d(*this);
}

Adesk::Boolean AcGeLineSeg3d::isEqualTo(const AcGeEntity3d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kLineSeg3d) {
        return false;
    }
    const AcGeLineSeg3d& seg = static_cast<const AcGeLineSeg3d&>(other);
    return startPoint().isEqualTo(seg.startPoint(), tol) &&
           endPoint().isEqualTo(seg.endPoint(), tol);
}

// ---- AcGeRay3d ----

AcGeRay3d::AcGeRay3d() : AcGeLinearEnt3d(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0)) {}

AcGeRay3d::AcGeRay3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    set(pnt, vec);
}

AcGeRay3d::AcGeRay3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    set(pnt1, pnt2);
}

AcGeRay3d& AcGeRay3d::set(const AcGePoint3d& pnt, const AcGeVector3d& vec) {
    m_point = pnt;
    m_vec = unitOf(vec);
    return *this;
}

AcGeRay3d& AcGeRay3d::set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2) {
    return set(pnt1, pnt2 - pnt1);
}

AcGe::EntityId AcGeRay3d::type() const {
    return AcGe::kRay3d;
}

Adesk::Boolean AcGeRay3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kRay3d || AcGeLinearEnt3d::isKindOf(entType);
}

AcGeEntity3d* AcGeRay3d::copy() const {
    return new AcGeRay3d(*this);
}

Adesk::Boolean AcGeRay3d::isEqualTo(const AcGeEntity3d& other, const AcGeTol& tol) const {
    if (other.type() != AcGe::kRay3d) {
        return false;
    }
    const AcGeRay3d& ray = static_cast<const AcGeRay3d&>(other);
    return m_point.isEqualTo(ray.m_point, tol) && (m_vec - ray.m_vec).length() <= tol.equalVector();
}
