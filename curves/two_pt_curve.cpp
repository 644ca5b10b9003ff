// The two-point curve: construction, measures, evaluation, classification, transforms,
// comparison and its archive record.

#include <geo/two_pt_curve.h>

#include <cmath>
#include <utility>

#include <geo/acge/geponc2d.h>
#include <geo/float_comp.h>

#include "curves/two_pt_curve_util.h"
#include "foundation/module.h"

using two_pt_detail::isFiniteXY;
using two_pt_detail::kFixedTol;
using two_pt_detail::kHalfPi;
using two_pt_detail::kLineBulge;
using two_pt_detail::kPi;
using two_pt_detail::kTwoPi;
using two_pt_detail::OnCurve;
using two_pt_detail::Shape;
using two_pt_detail::ShapeOf;
using two_pt_detail::TurnRight;

namespace {

// The tolerance every piece shares once the library is loaded.
constexpr double kDefaultTol = 0.001;
// Version written at the head of each record.
constexpr double kRecordVersion = 1.0;

}  // namespace

// Starts with AcGe's default tolerances; the start-up step below replaces them.
C2PtCurve::SharedTol C2PtCurve::m_tol{{AcGeTol().equalPoint()}, {AcGeTol().equalVector()}};

namespace {

void setDefaultTol() {
    C2PtCurve::setTol(kDefaultTol);
}

// Defined after m_tol so that it runs once the tolerance object exists.
const geo_detail::StartupStep kTol(&setDefaultTol);

}  // namespace

AcGeTol C2PtCurve::getTol() {
    AcGeTol tol;
    tol.setEqualPoint(m_tol.equalPoint.load());
    tol.setEqualVector(m_tol.equalVector.load());
    return tol;
}

void C2PtCurve::setTol(double tol) {
    m_tol.equalPoint.store(tol);
    m_tol.equalVector.store(tol);
}

// ---- construction ----

C2PtCurve::C2PtCurve() : m_bulge(0.0) {}

C2PtCurve::C2PtCurve(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
    : m_bulge(bulge), m_start(start), m_end(end) {}

C2PtCurve::C2PtCurve(const AcGePoint2d& start, const AcGePoint2d& end, const AcGeVector2d& tangent)
    : m_bulge(0.0) {
    set(start, end, tangent);
}

C2PtCurve::C2PtCurve(const AcGePoint2d& p1, const AcGePoint2d& p2, const AcGePoint2d& p3)
    : m_bulge(0.0) {
    set(p1, p2, p3);
}

C2PtCurve::C2PtCurve(const AcGePoint3d& start, const AcGePoint3d& end) : m_bulge(0.0) {
    set(start, end);
}

void C2PtCurve::set(const AcGePoint2d& start, const AcGePoint2d& end, double bulge) {
    m_start = start;
    m_end = end;
    m_bulge = bulge;
}

// The centre lies where the chord's bisector meets the normal of the tangent at the start.
void C2PtCurve::set(const AcGePoint2d& start, const AcGePoint2d& end, const AcGeVector2d& tangent) {
    m_start = start;
    m_end = end;
    m_bulge = 0.0;
    const AcGeVector2d h = (end - start) / 2.0;
    const AcGePoint2d mid = start + h;
    const AcGeLine2d bisector(mid, h.perpVector());
    const AcGeLine2d normal(start, tangent.perpVector());
    AcGePoint2d centre;
    if (!bisector.intersectWith(normal, centre, AcGeContext::gTol)) {
        return;
    }
    const double radius = centre.distanceTo(start);
    const double toChord = centre.distanceTo(mid);
    double bulge = tangent.angleTo(h) < kHalfPi ? radius - toChord : radius + toChord;
    if (tangent.crossProduct(h) < 0.0) {
        bulge = -bulge;
    }
    // Non-finite input leaves a line rather than a NaN bulge.
    if (std::isfinite(bulge)) {
        m_bulge = bulge;
    }
}

void C2PtCurve::set(const AcGePoint2d& p1, const AcGePoint2d& p2, const AcGePoint2d& p3) {
    m_start = p1;
    m_end = p3;
    m_bulge = 0.0;
    const AcGeTol tol = getTol();
    if (AcGeLine2d(p1, p3).isOn(p2, tol)) {
        return;
    }
    SetAcgeGeo(AcGeCircArc2d(p1, p2, p3));
}

// The first vertex's z is the polyline bulge; a failed arc leaves a line, never the
// previous bulge.
void C2PtCurve::set(const AcGePoint3d& start, const AcGePoint3d& end) {
    m_start = AcGePoint2d(start.x, start.y);
    m_end = AcGePoint2d(end.x, end.y);
    m_bulge = 0.0;
    const double polylineBulge = start.z;
    if (std::fabs(polylineBulge) < kLineBulge) {
        return;
    }
    SetAcgeGeo(AcGeCircArc2d(m_start, m_end, polylineBulge, Adesk::kFalse));
}

void C2PtCurve::ClearData() {
    *this = C2PtCurve();
}

void C2PtCurve::Get3dPts(AcGePoint3d& start, AcGePoint3d& end) const {
    start = AcGePoint3d(m_start.x, m_start.y, 0.0);
    end = AcGePoint3d(m_end.x, m_end.y, 0.0);
    const double halfChord = m_start.distanceTo(m_end) / 2.0;
    if (FloatComp(halfChord, 0.0, kFixedTol) != 0) {
        start.z = m_bulge / halfChord;
    }
}

bool C2PtCurve::SetAcgeGeo(const AcGeLineSeg2d& seg) {
    m_start = seg.startPoint();
    m_end = seg.endPoint();
    m_bulge = 0.0;
    return true;
}

// The arc's midpoint is where the chord's bisector crosses it.
bool C2PtCurve::SetAcgeGeo(const AcGeCircArc2d& arc) {
    const AcGePoint2d s = arc.startPoint();
    const AcGePoint2d e = arc.endPoint();
    const AcGeVector2d h = (e - s) / 2.0;
    const AcGePoint2d mid = s + h;
    const AcGeLine2d bisector(mid, h.perpVector());
    int count = 0;
    AcGePoint2d p1, p2;
    arc.intersectWith(bisector, count, p1, p2, AcGeContext::gTol);
    if (count != 1) {
        return false;
    }
    const double bulge = p1.distanceTo(mid);
    if (!std::isfinite(bulge) || !isFiniteXY(s) || !isFiniteXY(e)) {
        return false;
    }
    m_bulge = arc.isClockWise() ? -bulge : bulge;
    m_start = s;
    m_end = e;
    return true;
}

// ---- queries ----

bool C2PtCurve::IsValid() const {
    if (!isFiniteXY(m_start) || !isFiniteXY(m_end) || !std::isfinite(m_bulge)) {
        return false;
    }
    return !m_end.isEqualTo(m_start, AcGeContext::gTol);
}

bool C2PtCurve::IsLine() const {
    return std::fabs(m_bulge) < kLineBulge;
}

AcGeLineSeg2d C2PtCurve::GetLine() const {
    return AcGeLineSeg2d(m_start, m_end);
}

AcGePoint2d C2PtCurve::GetMidPt() const {
    const AcGeVector2d h = (m_end - m_start) / 2.0;
    const AcGePoint2d mid = m_start + h;
    if (!IsValid()) {
        return m_start;
    }
    if (IsLine()) {
        return mid;
    }
    return mid + TurnRight(h).normal(AcGeContext::gTol) * m_bulge;
}

AcGeCircArc2d C2PtCurve::GetArc() const {
    // A zero-radius arc meets nothing and measures nothing.
    if (!IsValid()) {
        return AcGeCircArc2d(m_start, 0.0);
    }
    return AcGeCircArc2d(m_start, GetMidPt(), m_end);
}

AcGeVector2d C2PtCurve::GetCutVector(bool atStart) const {
    AcGeCircArc2d arc;
    const Shape shape = ShapeOf(*this, arc);
    if (shape == Shape::kNone) {
        return AcGeVector2d();
    }
    if (shape == Shape::kLine) {
        return atStart ? m_start - m_end : m_end - m_start;
    }
    const AcGeVector2d radial = (atStart ? m_start : m_end) - arc.center();
    // Backwards along the travel at the start, forwards at the end.
    const bool turnLeft = atStart ? m_bulge < 0.0 : m_bulge >= 0.0;
    return turnLeft ? radial.perpVector() : TurnRight(radial);
}

AcGePoint2d C2PtCurve::getColsestPt(const AcGePoint2d& pt) const {
    return OnCurve(*this, m_start, [&](const AcGeCurve2d& curve) {
        AcGePointOnCurve2d onCurve;
        curve.getClosestPointTo(pt, onCurve, AcGeContext::gTol);
        return onCurve.point(onCurve.parameter());
    });
}

int C2PtCurve::JudgePtPos(const AcGePoint2d& pt) const {
    AcGeCircArc2d arc;
    const Shape shape = ShapeOf(*this, arc);
    if (shape == Shape::kNone || !isFiniteXY(pt)) {
        return 0;
    }
    if (shape == Shape::kLine) {
        const AcGeTol tol = getTol();
        const AcGePoint2d foot = AcGeLine2d(m_start, m_end).closestPointTo(pt, tol);
        if (foot.isEqualTo(pt, tol)) {
            return 0;
        }
        double d = (m_end - m_start).angle() - (pt - foot).angle();
        if (d < 0.0) {
            d += kTwoPi;
        }
        return d > kPi ? -1 : 1;
    }
    const int side = FloatComp(pt.distanceTo(arc.center()), arc.radius(), kFixedTol);
    return m_bulge > 0.0 ? side : -side;
}

// ---- length and parameters ----

double C2PtCurve::length() const {
    const AcGeTol tol = getTol();
    return OnCurve(*this, 0.0, [&](const AcGeCurve2d& curve) {
        return curve.length(curve.paramOf(m_start, tol), curve.paramOf(m_end, tol),
                            tol.equalPoint());
    });
}

double C2PtCurve::length(double fromParam, double toParam) const {
    const double pointTol = getTol().equalPoint();
    return OnCurve(*this, 0.0, [&](const AcGeCurve2d& curve) {
        return curve.length(fromParam, toParam, pointTol);
    });
}

// An invalid piece has no length to travel: the datum stays.
double C2PtCurve::paramAtLength(double datumParam, double len, bool forward) const {
    const double pointTol = getTol().equalPoint();
    return OnCurve(*this, datumParam, [&](const AcGeCurve2d& curve) {
        return curve.paramAtLength(datumParam, len, forward, pointTol);
    });
}

double C2PtCurve::paramOf(const AcGePoint2d& pt) const {
    const AcGeTol tol = getTol();
    return OnCurve(*this, 0.0, [&](const AcGeCurve2d& curve) { return curve.paramOf(pt, tol); });
}

AcGePoint2d C2PtCurve::evalPoint(double param) {
    return OnCurve(*this, m_start,
                   [&](const AcGeCurve2d& curve) { return curve.evalPoint(param); });
}

bool C2PtCurve::isOn(const AcGePoint2d& pt) const {
    const AcGeTol tol = getTol();
    return OnCurve(*this, false,
                   [&](const AcGeCurve2d& curve) { return curve.isOn(pt, tol) == true; });
}

double C2PtCurve::GetPropAtPt(const AcGePoint2d& pt) const {
    const AcGePoint2d nearest = getColsestPt(pt);
    const AcGeTol tol = getTol();
    return OnCurve(*this, 0.0, [&](const AcGeCurve2d& curve) {
        const double s = curve.paramOf(m_start, tol);
        const double total = curve.length(s, curve.paramOf(m_end, tol), tol.equalPoint());
        if (total < kFixedTol) {
            return 0.0;
        }
        return curve.length(s, curve.paramOf(nearest, tol), tol.equalPoint()) / total;
    });
}

// A non-finite fraction gives the start, like a piece too short to measure.
AcGePoint2d C2PtCurve::GetPtFromProp(double t) {
    if (!std::isfinite(t)) {
        return m_start;
    }
    const AcGeTol tol = getTol();
    return OnCurve(*this, m_start, [&](const AcGeCurve2d& curve) {
        const double s = curve.paramOf(m_start, tol);
        const double total = curve.length(s, curve.paramOf(m_end, tol), tol.equalPoint());
        if (total < kFixedTol) {
            return m_start;
        }
        return curve.evalPoint(curve.paramAtLength(s, total * t, true, tol.equalPoint()));
    });
}

// ---- edits and transforms ----

void C2PtCurve::Reverse() {
    std::swap(m_start, m_end);
    m_bulge = -m_bulge;
}

void C2PtCurve::move(const AcGeVector2d& offset) {
    m_start += offset;
    m_end += offset;
}

void C2PtCurve::rotate(const AcGePoint2d& base, double angle) {
    m_start.rotateBy(angle, base);
    m_end.rotateBy(angle, base);
}

void C2PtCurve::scale(const AcGePoint2d& base, const AcGeVector2d& factors) {
    const AcGeVector2d s = m_start - base, e = m_end - base;
    m_start = base + AcGeVector2d(s.x * factors.x, s.y * factors.y);
    m_end = base + AcGeVector2d(e.x * factors.x, e.y * factors.y);
}

// A reflection turns the sense of travel, hence the bulge's sign.
void C2PtCurve::mirror(const AcGeLine2d& line) {
    m_start.mirror(line);
    m_end.mirror(line);
    m_bulge = -m_bulge;
}

// ---- comparison and persistence ----

bool C2PtCurve::operator<(const C2PtCurve& other) const {
    const double tol = getTol().equalPoint();
    const double mine[5] = {m_start.x, m_start.y, m_end.x, m_end.y, m_bulge};
    const double theirs[5] = {other.m_start.x, other.m_start.y, other.m_end.x, other.m_end.y,
                              other.m_bulge};
    for (int i = 0; i < 5; ++i) {
        const int c = FloatComp(mine[i], theirs[i], tol);
        if (c != 0) {
            return c < 0;
        }
    }
    return false;
}

bool C2PtCurve::operator==(const C2PtCurve& other) const {
    const AcGeTol& tol = AcGeContext::gTol;
    if (m_start.isEqualTo(other.m_start, tol) && m_end.isEqualTo(other.m_end, tol) &&
        FloatComp(m_bulge, other.m_bulge, kFixedTol) == 0) {
        return true;
    }
    return m_start.isEqualTo(other.m_end, tol) && m_end.isEqualTo(other.m_start, tol) &&
           FloatComp(-m_bulge, other.m_bulge, kFixedTol) == 0;
}

// Loading reads the whole record before assigning, so a short archive leaves this untouched.
void C2PtCurve::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << kRecordVersion << m_bulge << m_start.x << m_start.y << m_end.x << m_end.y;
        return;
    }
    double version = 0.0, bulge = 0.0;
    AcGePoint2d start, end;
    ar >> version >> bulge >> start.x >> start.y >> end.x >> end.y;
    m_bulge = bulge;
    m_start = start;
    m_end = end;
}
