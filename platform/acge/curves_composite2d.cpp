// 2D composite curves: owned copies of bounded pieces, parameterised by arc length.

#include <cmath>
#include <utility>

#include <geo/acge/gecomp2d.h>

namespace {

double wholeLength(const AcGeCurve2d& curve) {
    AcGeInterval range;
    curve.getInterval(range);
    return curve.length(range.lowerBound(), range.upperBound());
}

void pieceRange(const AcGeCurve2d& curve, double& lo, double& hi) {
    AcGeInterval range;
    curve.getInterval(range);
    lo = range.lowerBound();
    hi = range.upperBound();
}

}  // namespace

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcArray<AcGeCurve2d*>& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeVoidPointerArray& curveList) {
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeCompositeCurve2d& other) : AcGeCurve2d(other) {
    for (const AcGeCurve2d* piece : other.m_curves)
        appendCopy(piece);
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::operator=(const AcGeCompositeCurve2d& other) {
    if (this != &other)
        setCurveList(other.m_curves);
    return *this;
}

AcGeCompositeCurve2d::~AcGeCompositeCurve2d() {
    clear();
}

void AcGeCompositeCurve2d::clear() {
    for (AcGeCurve2d* piece : m_curves)
        delete piece;
    m_curves.removeAll();
    m_starts.removeAll();
    m_lengths.removeAll();
}

// Unbounded curves cannot be joined end to end and are left out.
void AcGeCompositeCurve2d::appendCopy(const AcGeCurve2d* curve) {
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
    m_curves.append(static_cast<AcGeCurve2d*>(curve->copy()));
}

double AcGeCompositeCurve2d::totalLength() const {
    return m_curves.isEmpty() ? 0.0 : m_starts.last() + m_lengths.last();
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcArray<AcGeCurve2d*>& curveList) {
    // Copies are taken before the old pieces go: the list may hold this
    // composite's own pieces.
    AcGeCompositeCurve2d fresh;
    for (const AcGeCurve2d* piece : curveList)
        fresh.appendCopy(piece);
    std::swap(m_curves, fresh.m_curves);
    std::swap(m_starts, fresh.m_starts);
    std::swap(m_lengths, fresh.m_lengths);
    return *this;
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcGeVoidPointerArray& curveList) {
    AcArray<AcGeCurve2d*> curves;
    for (void* piece : curveList)
        curves.append(static_cast<AcGeCurve2d*>(piece));
    return setCurveList(curves);
}

void AcGeCompositeCurve2d::getCurveList(AcGeVoidPointerArray& curveList) const {
    curveList.removeAll();
    for (AcGeCurve2d* piece : m_curves)
        curveList.append(piece);
}

void AcGeCompositeCurve2d::getCurveList(AcArray<AcGeCurve2d*>& curveList) const {
    curveList = m_curves;
}

int AcGeCompositeCurve2d::numCurves() const {
    return m_curves.length();
}

// Within a piece the composite parameter is the arc length from the piece's start.
double AcGeCompositeCurve2d::globalToLocalParam(double param, int& crvNum) const {
    crvNum = 0;
    if (m_curves.isEmpty())
        return param;
    while (crvNum + 1 < m_curves.length() && param >= m_starts[crvNum + 1])
        ++crvNum;
    double lo = 0.0, hi = 0.0;
    pieceRange(*m_curves[crvNum], lo, hi);
    return m_curves[crvNum]->paramAtLength(lo, param - m_starts[crvNum], true);
}

double AcGeCompositeCurve2d::localToGlobalParam(double param, int crvNum) const {
    if (crvNum < 0 || crvNum >= m_curves.length())
        return param;
    double lo = 0.0, hi = 0.0;
    pieceRange(*m_curves[crvNum], lo, hi);
    const double along = m_curves[crvNum]->length(lo, param);
    return m_starts[crvNum] + (param >= lo ? along : -along);
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
    if (other.type() != AcGe::kCompositeCrv2d)
        return false;
    const AcGeCompositeCurve2d& comp = static_cast<const AcGeCompositeCurve2d&>(other);
    if (comp.m_curves.length() != m_curves.length())
        return false;
    for (int i = 0; i < m_curves.length(); ++i) {
        if (!m_curves[i]->isEqualTo(*comp.m_curves[i], tol))
            return false;
    }
    return true;
}

AcGeEntity2d& AcGeCompositeCurve2d::transformBy(const AcGeMatrix2d& xfm) {
    for (AcGeCurve2d* piece : m_curves)
        piece->transformBy(xfm);
    setCurveList(AcArray<AcGeCurve2d*>(m_curves));  // lengths change under scaling
    return *this;
}

void AcGeCompositeCurve2d::getInterval(AcGeInterval& range) const {
    range.set(0.0, totalLength());
}

AcGeCurve2d& AcGeCompositeCurve2d::reverseParam() {
    AcArray<AcGeCurve2d*> reversed;
    for (int i = m_curves.length() - 1; i >= 0; --i) {
        m_curves[i]->reverseParam();
        reversed.append(m_curves[i]);
    }
    setCurveList(reversed);
    return *this;
}

AcGePoint2d AcGeCompositeCurve2d::evalPoint(double param) const {
    if (m_curves.isEmpty())
        return AcGePoint2d();
    int i = 0;
    const double local = globalToLocalParam(param, i);
    return m_curves[i]->evalPoint(local);
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

// Nearest point over all pieces; on equal distances the earlier piece wins.
double AcGeCompositeCurve2d::closestParam(const AcGePoint2d& pnt) const {
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
