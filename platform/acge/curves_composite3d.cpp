// 3D composite curves: owned copies of bounded pieces, parameterised by arc length.

#include <cmath>
#include <utility>

#include <geo/acge/gecomp3d.h>

namespace {

double wholeLength(const AcGeCurve3d& curve) {
    AcGeInterval range;
    curve.getInterval(range);
    return curve.length(range.lowerBound(), range.upperBound());
}

void pieceRange(const AcGeCurve3d& curve, double& lo, double& hi) {
    AcGeInterval range;
    curve.getInterval(range);
    lo = range.lowerBound();
    hi = range.upperBound();
}

}  // namespace

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcArray<AcGeCurve3d*>& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeVoidPointerArray& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeCompositeCurve3d& other) : AcGeCurve3d(other) {
    for (const AcGeCurve3d* piece : other.m_curves)
        appendCopy(piece);
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::operator=(const AcGeCompositeCurve3d& other) {
    if (this != &other)
        setCurveList(other.m_curves);
    return *this;
}

AcGeCompositeCurve3d::~AcGeCompositeCurve3d() {
    clear();
}

void AcGeCompositeCurve3d::clear() {
    for (AcGeCurve3d* piece : m_curves)
        delete piece;
    m_curves.removeAll();
    m_starts.removeAll();
    m_lengths.removeAll();
}

// Unbounded curves cannot be joined end to end and are left out.
void AcGeCompositeCurve3d::appendCopy(const AcGeCurve3d* curve) {
    if (!curve)
        return;
    AcGeInterval range;
    curve->getInterval(range);
    if (!range.isBounded())
        return;
    const double len = wholeLength(*curve);
    if (!std::isfinite(len))
        return;
    m_starts.append(totalLength());
    m_lengths.append(len);
    m_curves.append(static_cast<AcGeCurve3d*>(curve->copy()));
}

double AcGeCompositeCurve3d::totalLength() const {
    return m_curves.isEmpty() ? 0.0 : m_starts.last() + m_lengths.last();
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcArray<AcGeCurve3d*>& curveList) {
    // Copies are taken before the old pieces go: the list may hold this
    // composite's own pieces.
    AcGeCompositeCurve3d fresh;
    for (const AcGeCurve3d* piece : curveList)
        fresh.appendCopy(piece);
    std::swap(m_curves, fresh.m_curves);
    std::swap(m_starts, fresh.m_starts);
    std::swap(m_lengths, fresh.m_lengths);
    return *this;
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcGeVoidPointerArray& curveList) {
    AcArray<AcGeCurve3d*> curves;
    for (void* piece : curveList)
        curves.append(static_cast<AcGeCurve3d*>(piece));
    return setCurveList(curves);
}

void AcGeCompositeCurve3d::getCurveList(AcGeVoidPointerArray& curveList) const {
    curveList.removeAll();
    for (AcGeCurve3d* piece : m_curves)
        curveList.append(piece);
}

void AcGeCompositeCurve3d::getCurveList(AcArray<AcGeCurve3d*>& curveList) const {
    curveList = m_curves;
}

int AcGeCompositeCurve3d::numCurves() const {
    return m_curves.length();
}

// Within a piece the composite parameter is the arc length from the piece's start.
double AcGeCompositeCurve3d::globalToLocalParam(double param, int& crvNum) const {
    crvNum = 0;
    if (m_curves.isEmpty())
        return param;
    while (crvNum + 1 < m_curves.length() && param >= m_starts[crvNum + 1])
        ++crvNum;
    double lo = 0.0, hi = 0.0;
    pieceRange(*m_curves[crvNum], lo, hi);
    return m_curves[crvNum]->paramAtLength(lo, param - m_starts[crvNum], true);
}

double AcGeCompositeCurve3d::localToGlobalParam(double param, int crvNum) const {
    if (crvNum < 0 || crvNum >= m_curves.length())
        return param;
    double lo = 0.0, hi = 0.0;
    pieceRange(*m_curves[crvNum], lo, hi);
    const double along = m_curves[crvNum]->length(lo, param);
    return m_starts[crvNum] + (param >= lo ? along : -along);
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
    if (other.type() != AcGe::kCompositeCrv3d)
        return false;
    const AcGeCompositeCurve3d& comp = static_cast<const AcGeCompositeCurve3d&>(other);
    if (comp.m_curves.length() != m_curves.length())
        return false;
    for (int i = 0; i < m_curves.length(); ++i) {
        if (!m_curves[i]->isEqualTo(*comp.m_curves[i], tol))
            return false;
    }
    return true;
}

AcGeEntity3d& AcGeCompositeCurve3d::transformBy(const AcGeMatrix3d& xfm) {
    for (AcGeCurve3d* piece : m_curves)
        piece->transformBy(xfm);
    setCurveList(AcArray<AcGeCurve3d*>(m_curves));  // lengths change under scaling
    return *this;
}

void AcGeCompositeCurve3d::getInterval(AcGeInterval& range) const {
    range.set(0.0, totalLength());
}

AcGeCurve3d& AcGeCompositeCurve3d::reverseParam() {
    AcArray<AcGeCurve3d*> reversed;
    for (int i = m_curves.length() - 1; i >= 0; --i) {
        m_curves[i]->reverseParam();
        reversed.append(m_curves[i]);
    }
    setCurveList(reversed);
    return *this;
}

AcGePoint3d AcGeCompositeCurve3d::evalPoint(double param) const {
    if (m_curves.isEmpty())
        return AcGePoint3d();
    int i = 0;
    const double local = globalToLocalParam(param, i);
    return m_curves[i]->evalPoint(local);
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

// Nearest point over all pieces; on equal distances the earlier piece wins.
double AcGeCompositeCurve3d::closestParam(const AcGePoint3d& pnt) const {
    double best = 0.0, bestDist = -1.0;
    for (int i = 0; i < m_curves.length(); ++i) {
        const double local = m_curves[i]->paramOf(pnt);
        const double dist = m_curves[i]->evalPoint(local).distanceTo(pnt);
        if (bestDist < 0.0 || dist < bestDist) {
            bestDist = dist;
            best = localToGlobalParam(local, i);
        }
    }
    return best;
}
