// 3D composite curves: owned copies of bounded pieces, parameterised by arc length.

#include <cmath>

#include <geo/acge/gecomp3d.h>

#include "platform/acge/curve_twins.h"

namespace {

using Parts = acge_detail::CompositeParts<AcGeCurve3d>;
using ConstParts =
    acge_detail::CompositeParts<AcGeCurve3d, const AcArray<AcGeCurve3d*>, const AcArray<double>>;

}  // namespace

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcArray<AcGeCurve3d*>& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeVoidPointerArray& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeCompositeCurve3d& other) : AcGeCurve3d(other) {
    for (const AcGeCurve3d* piece : other.m_curves) {
        appendCopy(piece);
    }
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::operator=(const AcGeCompositeCurve3d& other) {
    if (this != &other) {
        setCurveList(other.m_curves);
    }
    return *this;
}

AcGeCompositeCurve3d::~AcGeCompositeCurve3d() {
    clear();
}

void AcGeCompositeCurve3d::clear() {
    Parts{m_curves, m_starts, m_lengths}.clear();
}

void AcGeCompositeCurve3d::appendCopy(const AcGeCurve3d* curve) {
    Parts{m_curves, m_starts, m_lengths}.appendCopy(curve);
}

double AcGeCompositeCurve3d::totalLength() const {
    return ConstParts{m_curves, m_starts, m_lengths}.totalLength();
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcArray<AcGeCurve3d*>& curveList) {
    Parts{m_curves, m_starts, m_lengths}.setCurveList(curveList);
    return *this;
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcGeVoidPointerArray& curveList) {
    AcArray<AcGeCurve3d*> curves;
    for (void* piece : curveList) {
        curves.append(static_cast<AcGeCurve3d*>(piece));
    }
    return setCurveList(curves);
}

void AcGeCompositeCurve3d::getCurveList(AcGeVoidPointerArray& curveList) const {
    curveList.removeAll();
    for (AcGeCurve3d* piece : m_curves) {
        curveList.append(piece);
    }
}

void AcGeCompositeCurve3d::getCurveList(AcArray<AcGeCurve3d*>& curveList) const {
    curveList = m_curves;
}

int AcGeCompositeCurve3d::numCurves() const {
    return m_curves.length();
}

double AcGeCompositeCurve3d::globalToLocalParam(double param, int& crvNum) const {
    return ConstParts{m_curves, m_starts, m_lengths}.globalToLocalParam(param, crvNum);
}

double AcGeCompositeCurve3d::localToGlobalParam(double param, int crvNum) const {
    return ConstParts{m_curves, m_starts, m_lengths}.localToGlobalParam(param, crvNum);
}

AcGe::EntityId AcGeCompositeCurve3d::type() const {
    return AcGe::kCompositeCrv3d;
}

Adesk::Boolean AcGeCompositeCurve3d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kCompositeCrv3d || AcGeCurve3d::isKindOf(entType);
}

AcGeEntity3d* AcGeCompositeCurve3d::copy() const {
    return new AcGeCompositeCurve3d(*this);
}

Adesk::Boolean AcGeCompositeCurve3d::isEqualTo(const AcGeEntity3d& other,
                                               const AcGeTol& tol) const {
    if (other.type() != AcGe::kCompositeCrv3d) {
        return false;
    }
    const AcGeCompositeCurve3d& comp = static_cast<const AcGeCompositeCurve3d&>(other);
    return ConstParts{m_curves, m_starts, m_lengths}.samePieces(comp.m_curves, tol);
}

AcGeEntity3d& AcGeCompositeCurve3d::transformBy(const AcGeMatrix3d& xfm) {
    for (AcGeCurve3d* piece : m_curves) {
        piece->transformBy(xfm);
    }
    setCurveList(AcArray<AcGeCurve3d*>(m_curves));  // lengths change under scaling
    return *this;
}

void AcGeCompositeCurve3d::getInterval(AcGeInterval& range) const {
    range.set(0.0, totalLength());
}

AcGeCurve3d& AcGeCompositeCurve3d::reverseParam() {
    Parts{m_curves, m_starts, m_lengths}.reverse();
    return *this;
}

AcGePoint3d AcGeCompositeCurve3d::evalPoint(double param) const {
    return ConstParts{m_curves, m_starts, m_lengths}.evalPoint<AcGePoint3d>(param);
}

// The parameter is arc length, so lengths are parameter differences.
double AcGeCompositeCurve3d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam);
}

double AcGeCompositeCurve3d::paramAtLength(double datumParam, double length,
                                           Adesk::Boolean posParamDir, double) const {
    return datumParam + (posParamDir ? length : -length);
}

Adesk::Boolean AcGeCompositeCurve3d::hasStartPoint(AcGePoint3d& startPnt) const {
    return !m_curves.isEmpty() && m_curves.first()->hasStartPoint(startPnt);
}

Adesk::Boolean AcGeCompositeCurve3d::hasEndPoint(AcGePoint3d& endPnt) const {
    return !m_curves.isEmpty() && m_curves.last()->hasEndPoint(endPnt);
}

double AcGeCompositeCurve3d::closestParam(const AcGePoint3d& pnt) const {
    return ConstParts{m_curves, m_starts, m_lengths}.closestParam(pnt);
}
