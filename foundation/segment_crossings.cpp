// Planar crossings of segments, lines and rays, and the overlap of two segments; z is
// carried along the first piece.
#include <geo/float_comp.h>

#include "foundation/numeric.h"
#include "foundation/segments.h"

#include <algorithm>
#include <cmath>

namespace geo_detail {

namespace {

// A segment or an infinite line through two points; each has its own on-test.
struct Piece {
    const CPoint3d& s;
    const CPoint3d& e;
    bool infinite;

    bool isOn(const CPoint3d& p, double tol) const {
        return infinite ? onLine(s, e, p, tol) : onSegment(s, e, p, tol);
    }
};

// How far along each piece a crossing may lie.
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
    // Standing vertically in plan, b gives no parameter to compare along.
    if (d2.x == 0.0 && d2.y == 0.0) {
        return false;
    }
    double t0 = paramAlong(aS - bS, d2);
    double t1 = paramAlong(aE - bS, d2);
    if (t0 > t1) {
        std::swap(t0, t1);
    }
    if (t0 > 1.0 || t1 < 0.0) {
        return false;
    }
    t0 = std::max(t0, 0.0);
    t1 = std::min(t1, 1.0);
    if (t0 != t1) {
        return false;
    }
    out = bS + d2 * t0;
    return true;
}

// The parallel case: only collinear pieces that touch in one point, or a
// degenerate piece lying on the other, give a crossing.
bool parallelCrossing(const Piece& a, const Piece& b, double tol, CPoint3d& out) {
    const CVector3d d1 = a.e - a.s;
    const CVector3d d2 = b.e - b.s;
    const CVector3d w = a.s - b.s;
    if (planCross(d1, w) != 0.0 || planCross(d2, w) != 0.0) {
        return false;
    }
    const bool aDegenerate = d1.getDotProduct(d1) == 0.0;
    const bool bDegenerate = d2.getDotProduct(d2) == 0.0;
    if (aDegenerate) {
        const bool hit = bDegenerate ? a.s.isEqualTo(b.s, tol) : b.isOn(a.s, tol);
        if (hit) {
            out = a.s;
        }
        return hit;
    }
    if (bDegenerate) {
        if (!a.isOn(b.s, kPointTol)) {
            return false;
        }
        out = b.s;
        return true;
    }
    return singleTouch(a.s, a.e, b.s, b.e, out);
}

// Whether parameter t lies on a bounded piece under the given rule.
bool withinPiece(double t, bool tolerant) {
    if (tolerant) {
        return FloatComp(t, 0.0, kPointTol) != -1 && FloatComp(t, 1.0, kPointTol) != 1;
    }
    return !(t < 0.0 || t > 1.0);
}

bool planarCrossing(const Piece& a, const Piece& b, double tol, Bounds bounds, CPoint3d& out) {
    const CVector3d d1 = a.e - a.s;
    const CVector3d d2 = b.e - b.s;
    const CVector3d w = a.s - b.s;
    const double den = d1.x * d2.y - d1.y * d2.x;
    if (!(std::fabs(den) >= tol)) {
        return parallelCrossing(a, b, tol, out);
    }
    const double t = (d2.x * w.y - d2.y * w.x) / den;
    const double u = (d1.x * w.y - d1.y * w.x) / den;
    // Infinite or NaN coordinates give no point to report.
    if (!std::isfinite(t) || !std::isfinite(u)) {
        return false;
    }
    if (bounds == Bounds::kBothTolerant && !(withinPiece(t, true) && withinPiece(u, true))) {
        return false;
    }
    if (bounds == Bounds::kFirstExact && !withinPiece(t, false)) {
        return false;
    }
    out = a.s + d1 * t;
    return true;
}

}  // namespace

bool segmentsCross(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS, const CPoint3d& bE,
                   double tol, CPoint3d& out) {
    return planarCrossing({aS, aE, false}, {bS, bE, false}, tol, Bounds::kBothTolerant, out);
}

bool segmentCrossesLine(const CPoint3d& s, const CPoint3d& e, const CPoint3d& l1,
                        const CPoint3d& l2, double tol, CPoint3d& out) {
    return planarCrossing({s, e, false}, {l1, l2, true}, tol, Bounds::kFirstExact, out);
}

bool linesCross(const CPoint3d& a1, const CPoint3d& a2, const CPoint3d& b1, const CPoint3d& b2,
                double tol, CPoint3d& out) {
    return planarCrossing({a1, a2, true}, {b1, b2, true}, tol, Bounds::kNone, out);
}

bool rayCrossesSegment(const CPoint3d& o, const CVector3d& d, const CPoint3d& s, const CPoint3d& e,
                       double tol, CPoint3d& out) {
    const CVector3d along = e - s;
    const CVector3d r = o - s;
    const double den = planCross(d, along);
    // Parallel, collinear included.
    if (!(std::fabs(den) >= tol)) {
        return false;
    }
    const double t = planCross(along, r) / den;
    const double u = planCross(d, r) / den;
    if (!(t >= 0.0 && u >= 0.0 && u <= 1.0) || !std::isfinite(t)) {
        return false;
    }
    out = o + d * t;
    return true;
}

bool raysCross(const CPoint3d& o1, const CVector3d& d1, const CPoint3d& o2, const CVector3d& d2,
               double tol, CPoint3d& out) {
    const CVector3d r = o1 - o2;
    const double den = planCross(d1, d2);
    if (!(std::fabs(den) >= tol)) {
        return false;
    }
    const double t = planCross(d2, r) / den;
    const double u = planCross(d1, r) / den;
    if (!(t >= 0.0 && u >= 0.0) || !std::isfinite(t) || !std::isfinite(u)) {
        return false;
    }
    out = o1 + d1 * t;
    return true;
}

namespace {

// How two segments sit against each other: each one's ends projected on the other's line.
struct OverlapFacts {
    CPoint3d cS, cE;  // b's ends on a's line
    CPoint3d pS, pE;  // a's ends on b's line
    double dS, dE;    // how far b's ends are from a's line
    double eS, eE;    // how far a's ends are from b's line
    bool inS, inE;    // cS, cE on a
    bool onS, onE;    // pS, pE on b
};

OverlapFacts describeOverlap(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS,
                             const CPoint3d& bE) {
    OverlapFacts f;
    f.cS = footOnLine(aS, aE, bS);
    f.cE = footOnLine(aS, aE, bE);
    f.pS = footOnLine(bS, bE, aS);
    f.pE = footOnLine(bS, bE, aE);
    f.dS = f.cS.distanceTo(bS);
    f.dE = f.cE.distanceTo(bE);
    f.eS = f.pS.distanceTo(aS);
    f.eE = f.pE.distanceTo(aE);
    f.inS = onSegment(aS, aE, f.cS, kPointTol);
    f.inE = onSegment(aS, aE, f.cE, kPointTol);
    f.onS = onSegment(bS, bE, f.pS, kPointTol);
    f.onE = onSegment(bS, bE, f.pE, kPointTol);
    return f;
}

// Writes the shared part and reports success.
bool shared(const CPoint3d& a, const CPoint3d& b, CPoint3d& from, CPoint3d& to) {
    from = a;
    to = b;
    return true;
}

}  // namespace

bool segmentsOverlap(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS, const CPoint3d& bE,
                     double angTol, double distTol, CPoint3d& from, CPoint3d& to) {
    const OverlapFacts f = describeOverlap(aS, aE, bS, bE);
    const auto within = [distTol](double x) { return FloatComp(x, distTol, kPointTol) <= 0; };
    const auto apart = [distTol](double x) { return FloatComp(x, distTol, kPointTol) >= 0; };
    if (f.inS && f.inE && within(f.dS) && within(f.dE)) {
        return shared(f.cS, f.cE, from, to);
    }
    if (f.onS && f.onE && within(f.eS) && within(f.eE)) {
        return shared(f.pS, f.pE, from, to);
    }
    const double theta = segmentDirection(aS, aE).getAngle(segmentDirection(bS, bE));
    const double turn = std::min(theta, std::fabs(kPi - theta));
    if (!(FloatComp(turn, angTol, kPointTol) <= 0)) {
        return false;
    }
    // One end of b lies on a and one end of a on b: the stretch between them is shared
    // unless it is shorter than distTol.
    if (f.inS) {
        if (f.onS && within(f.dS) && within(f.eS)) {
            return apart(f.cS.distanceTo(aS)) && shared(f.cS, f.pS, from, to);
        }
        if (f.onE && within(f.dS) && within(f.eE)) {
            return apart(f.cS.distanceTo(aE)) && shared(f.cS, f.pE, from, to);
        }
    }
    if (f.inE) {
        if (f.onS && within(f.dE) && within(f.eS)) {
            return apart(f.cE.distanceTo(aS)) && shared(f.cE, f.pS, from, to);
        }
        if (f.onE && within(f.dE) && within(f.eE)) {
            return apart(f.cE.distanceTo(aE)) && shared(f.cE, f.pE, from, to);
        }
    }
    return false;
}

}  // namespace geo_detail
