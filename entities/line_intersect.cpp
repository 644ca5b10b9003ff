// Planar crossings of segments and lines; z is carried along the first entity.
#include <geo/float_comp.h>
#include <geo/lines.h>

#include "entities/lines_common.h"

#include <algorithm>
#include <cmath>

using namespace lines_detail;

namespace {

// How far along each entity a crossing may lie.
enum class Bounds {
    kBothTolerant,  // both parameters in [0, 1] within kPointTol
    kFirstExact,    // only the first in [0, 1], exactly
    kNone           // two infinite lines
};

// Parameter of p along the plan direction d from origin; only x is used unless
// the direction has no x extent.
double paramAlong(const CVector3d& offset, const CVector3d& d) {
    return d.x != 0.0 ? offset.x / d.x : offset.y / d.y;
}

// Two collinear, non-degenerate pieces meeting in exactly one point (an end-to-end touch).
bool singleTouch(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS, const CPoint3d& bE,
                 CPoint3d& out) {
    const CVector3d d2 = bE - bS;
    // Standing vertically in plan, other gives no parameter to compare along.
    if (d2.x == 0.0 && d2.y == 0.0)
        return false;
    double t0 = paramAlong(aS - bS, d2);
    double t1 = paramAlong(aE - bS, d2);
    if (t0 > t1)
        std::swap(t0, t1);
    if (t0 > 1.0 || t1 < 0.0)
        return false;
    t0 = std::max(t0, 0.0);
    t1 = std::min(t1, 1.0);
    if (t0 != t1)
        return false;
    out = bS + d2 * t0;
    return true;
}

// The parallel case: only collinear pieces that touch in one point, or a
// degenerate piece lying on the other, give a crossing. A and B are the entity
// types, whose own isOn tests apply.
template <class A, class B>
bool parallelCrossing(const A& a, const B& b, double tol, CPoint3d& out) {
    const CVector3d d1 = a.endPt - a.startPt;
    const CVector3d d2 = b.endPt - b.startPt;
    const CVector3d w = a.startPt - b.startPt;
    if (planCross(d1, w) != 0.0 || planCross(d2, w) != 0.0)
        return false;
    const bool aDegenerate = d1.getDotProduct(d1) == 0.0;
    const bool bDegenerate = d2.getDotProduct(d2) == 0.0;
    if (aDegenerate) {
        const bool hit = bDegenerate ? a.startPt.isEqualTo(b.startPt, tol) : b.isOn(a.startPt, tol);
        if (hit)
            out = a.startPt;
        return hit;
    }
    if (bDegenerate) {
        if (!a.isOn(b.startPt, kPointTol))
            return false;
        out = b.startPt;
        return true;
    }
    return singleTouch(a.startPt, a.endPt, b.startPt, b.endPt, out);
}

// Whether parameter t lies on a bounded piece under the given rule.
bool withinPiece(double t, bool tolerant) {
    if (tolerant)
        return FloatComp(t, 0.0, kPointTol) != -1 && FloatComp(t, 1.0, kPointTol) != 1;
    return !(t < 0.0 || t > 1.0);
}

template <class A, class B>
bool planarCrossing(const A& a, const B& b, double tol, Bounds bounds, CPoint3d& out) {
    const CVector3d d1 = a.endPt - a.startPt;
    const CVector3d d2 = b.endPt - b.startPt;
    const CVector3d w = a.startPt - b.startPt;
    const double den = d1.x * d2.y - d1.y * d2.x;
    if (!(std::fabs(den) >= tol))
        return parallelCrossing(a, b, tol, out);
    const double t = (d2.x * w.y - d2.y * w.x) / den;
    const double u = (d1.x * w.y - d1.y * w.x) / den;
    // Infinite or NaN coordinates give no point to report.
    if (!std::isfinite(t) || !std::isfinite(u))
        return false;
    if (bounds == Bounds::kBothTolerant && !(withinPiece(t, true) && withinPiece(u, true))) {
        return false;
    }
    if (bounds == Bounds::kFirstExact && !withinPiece(t, false))
        return false;
    out = a.startPt + d1 * t;
    return true;
}

}  // namespace

bool CLineSeg::intersectWith(const CLineSeg& other, CPoint3d& out, double tol) const {
    return planarCrossing(*this, other, tol, Bounds::kBothTolerant, out);
}

bool CLineSeg::intersectWith(const CLine& line, CPoint3d& out, double tol) const {
    return planarCrossing(*this, line, tol, Bounds::kFirstExact, out);
}

bool CLine::intersectWith(const CLine& other, CPoint3d& out, double tol) const {
    return planarCrossing(*this, other, tol, Bounds::kNone, out);
}

namespace {

// How two segments sit against each other: each one's ends projected on the other's line.
struct OverlapFacts {
    CPoint3d cS, cE;  // other's ends on this line
    CPoint3d pS, pE;  // this segment's ends on other's line
    double dS, dE;    // how far other's ends are from this line
    double eS, eE;    // how far this segment's ends are from other's line
    bool inS, inE;    // cS, cE on this segment
    bool onS, onE;    // pS, pE on other
};

OverlapFacts describeOverlap(const CLineSeg& seg, const CLineSeg& other) {
    OverlapFacts f;
    f.cS = footOnLine(seg.startPt, seg.endPt, other.startPt);
    f.cE = footOnLine(seg.startPt, seg.endPt, other.endPt);
    f.pS = footOnLine(other.startPt, other.endPt, seg.startPt);
    f.pE = footOnLine(other.startPt, other.endPt, seg.endPt);
    f.dS = f.cS.distanceTo(other.startPt);
    f.dE = f.cE.distanceTo(other.endPt);
    f.eS = f.pS.distanceTo(seg.startPt);
    f.eE = f.pE.distanceTo(seg.endPt);
    f.inS = seg.isOn(f.cS, kPointTol);
    f.inE = seg.isOn(f.cE, kPointTol);
    f.onS = other.isOn(f.pS, kPointTol);
    f.onE = other.isOn(f.pE, kPointTol);
    return f;
}

// Fills out when given and reports success.
bool shared(CLineSeg* out, const CPoint3d& a, const CPoint3d& b) {
    if (out != nullptr)
        out->set(a, b);
    return true;
}

}  // namespace

bool CLineSeg::overlap(const CLineSeg& other, CLineSeg* out, double angTol, double distTol) const {
    const OverlapFacts f = describeOverlap(*this, other);
    const auto within = [distTol](double x) { return FloatComp(x, distTol, kPointTol) <= 0; };
    const auto apart = [distTol](double x) { return FloatComp(x, distTol, kPointTol) >= 0; };
    if (f.inS && f.inE && within(f.dS) && within(f.dE))
        return shared(out, f.cS, f.cE);
    if (f.onS && f.onE && within(f.eS) && within(f.eE))
        return shared(out, f.pS, f.pE);
    const double theta = direction().getAngle(other.direction());
    const double turn = std::min(theta, std::fabs(kPi - theta));
    if (!(FloatComp(turn, angTol, kPointTol) <= 0))
        return false;
    // One end of other lies on this segment and one end of this on other: the
    // stretch between them is shared unless it is shorter than distTol.
    if (f.inS) {
        if (f.onS && within(f.dS) && within(f.eS)) {
            return apart(f.cS.distanceTo(startPt)) && shared(out, f.cS, f.pS);
        }
        if (f.onE && within(f.dS) && within(f.eE)) {
            return apart(f.cS.distanceTo(endPt)) && shared(out, f.cS, f.pE);
        }
    }
    if (f.inE) {
        if (f.onS && within(f.dE) && within(f.eS)) {
            return apart(f.cE.distanceTo(startPt)) && shared(out, f.cE, f.pS);
        }
        if (f.onE && within(f.dE) && within(f.eE)) {
            return apart(f.cE.distanceTo(endPt)) && shared(out, f.cE, f.pE);
        }
    }
    return false;
}
