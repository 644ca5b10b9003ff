// 2D composite curves: owned copies of bounded pieces, parameterised by arc length.

#include <cmath>

#include <geo/acge/gecomp2d.h>

#include "platform/acge/curve_twins.h"

namespace {

using Parts = acge_detail::CompositeParts<AcGeCurve2d>;
using ConstParts =
    acge_detail::CompositeParts<AcGeCurve2d, const AcArray<AcGeCurve2d*>, const AcArray<double>>;

}  // namespace

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcArray<AcGeCurve2d*>& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeVoidPointerArray& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeCompositeCurve2d& other) : AcGeCurve2d(other) {
    for (const AcGeCurve2d* piece : other.m_curves) {
        appendCopy(piece);
    }
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::operator=(const AcGeCompositeCurve2d& other) {
    if (this != &other) {
        setCurveList(other.m_curves);
    }
    return *this;
}

AcGeCompositeCurve2d::~AcGeCompositeCurve2d() {
    clear();
}

void AcGeCompositeCurve2d::clear() {
    Parts{m_curves, m_starts, m_lengths}.clear();
}

void AcGeCompositeCurve2d::appendCopy(const AcGeCurve2d* curve) {
    Parts{m_curves, m_starts, m_lengths}.appendCopy(curve);
}

double AcGeCompositeCurve2d::totalLength() const {
    return ConstParts{m_curves, m_starts, m_lengths}.totalLength();
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcArray<AcGeCurve2d*>& curveList) {
    Parts{m_curves, m_starts, m_lengths}.setCurveList(curveList);
    return *this;
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcGeVoidPointerArray& curveList) {
    AcArray<AcGeCurve2d*> curves;
    for (void* piece : curveList) {
        curves.append(static_cast<AcGeCurve2d*>(piece));
    }
    return setCurveList(curves);
}

void AcGeCompositeCurve2d::getCurveList(AcGeVoidPointerArray& curveList) const {
    curveList.removeAll();
    for (AcGeCurve2d* piece : m_curves) {
        curveList.append(piece);
    }
}

void AcGeCompositeCurve2d::getCurveList(AcArray<AcGeCurve2d*>& curveList) const {
    curveList = m_curves;
}

int AcGeCompositeCurve2d::numCurves() const {
    return m_curves.length();
}

double AcGeCompositeCurve2d::globalToLocalParam(double param, int& crvNum) const {
    return ConstParts{m_curves, m_starts, m_lengths}.globalToLocalParam(param, crvNum);
}

double AcGeCompositeCurve2d::localToGlobalParam(double param, int crvNum) const {
    return ConstParts{m_curves, m_starts, m_lengths}.localToGlobalParam(param, crvNum);
}

AcGe::EntityId AcGeCompositeCurve2d::type() const {
    return AcGe::kCompositeCrv2d;
}

Adesk::Boolean AcGeCompositeCurve2d::isKindOf(AcGe::EntityId entType) const {
    return entType == AcGe::kCompositeCrv2d || AcGeCurve2d::isKindOf(entType);
}

AcGeEntity2d* AcGeCompositeCurve2d::copy() const {
    return new AcGeCompositeCurve2d(*this);
}

Adesk::Boolean AcGeCompositeCurve2d::isEqualTo(const AcGeEntity2d& other,
                                               const AcGeTol& tol) const {
    if (other.type() != AcGe::kCompositeCrv2d) {
        return false;
    }
    const AcGeCompositeCurve2d& comp = static_cast<const AcGeCompositeCurve2d&>(other);
    return ConstParts{m_curves, m_starts, m_lengths}.samePieces(comp.m_curves, tol);
}

AcGeEntity2d& AcGeCompositeCurve2d::transformBy(const AcGeMatrix2d& xfm) {
    for (AcGeCurve2d* piece : m_curves) {
        piece->transformBy(xfm);
    }
    setCurveList(AcArray<AcGeCurve2d*>(m_curves));  // lengths change under scaling
    return *this;
}

void AcGeCompositeCurve2d::getInterval(AcGeInterval& range) const {
    range.set(0.0, totalLength());
}

AcGeCurve2d& AcGeCompositeCurve2d::reverseParam() {
    Parts{m_curves, m_starts, m_lengths}.reverse();
    return *this;
}

AcGePoint2d AcGeCompositeCurve2d::evalPoint(double param) const {
    return ConstParts{m_curves, m_starts, m_lengths}.evalPoint<AcGePoint2d>(param);
}

// The parameter is arc length, so lengths are parameter differences.
double AcGeCompositeCurve2d::length(double fromParam, double toParam, double) const {
    return std::fabs(toParam - fromParam);
}

double AcGeCompositeCurve2d::paramAtLength(double datumParam, double length,
                                           Adesk::Boolean posParamDir, double) const {
    return datumParam + (posParamDir ? length : -length);
}

Adesk::Boolean AcGeCompositeCurve2d::hasStartPoint(AcGePoint2d& startPnt) const {
    return !m_curves.isEmpty() && m_curves.first()->hasStartPoint(startPnt);
}

Adesk::Boolean AcGeCompositeCurve2d::hasEndPoint(AcGePoint2d& endPnt) const {
    return !m_curves.isEmpty() && m_curves.last()->hasEndPoint(endPnt);
}

double AcGeCompositeCurve2d::closestParam(const AcGePoint2d& pnt) const {
    return ConstParts{m_curves, m_starts, m_lengths}.closestParam(pnt);
}
