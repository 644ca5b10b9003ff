// Nearest points, on-tests and planar crossings of segments, lines and rays.
#include "foundation/segments.h"

#include <geo/float_comp.h>

#include "foundation/numeric.h"

#include <algorithm>
#include <cmath>

namespace geo_detail {

CVector3d segmentDirection(const CPoint3d& s, const CPoint3d& e) {
    const CVector3d d = e - s;
    const double len = d.length();
    if (len == 0.0) {
        return d;
    }
    return d / len;
}

CPoint3d closestOnSegment(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p) {
    if (s.isEqualTo(e, kPointTol)) {
        return s;
    }
    const CVector3d d = e - s;
    const double t = (p - s).getDotProduct(d) / d.getDotProduct(d);
    if (t < 0.0) {
        return s;
    }
    if (t > 1.0) {
        return e;
    }
    return s + d * t;
}

namespace {

// A parameter given as numerator over denominator; a zero denominator means the
// parameter is free, and the start of the segment is taken.
double ratioOrZero(double num, double den) {
    return den == 0.0 ? 0.0 : num / den;
}

// Clamps the parameter on the first segment once the one on the second is pinned to an end.
void clampOnFirst(double candidate, double uu, double& sN, double& sD) {
    if (candidate < 0.0) {
        sN = 0.0;
    } else if (candidate > uu) {
        sN = sD;
    } else {
        sN = candidate;
        sD = uu;
    }
}

}  // namespace

CPoint3d closestBetweenSegments(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS,
                                const CPoint3d& bE, CPoint3d& onB) {
    const CVector3d u = aE - aS;
    const CVector3d v = bE - bS;
    const CVector3d w = aS - bS;
    const double uu = u.getDotProduct(u), uv = u.getDotProduct(v), vv = v.getDotProduct(v);
    const double uw = u.getDotProduct(w), vw = v.getDotProduct(w);
    const double den = uu * vv - uv * uv;
    constexpr double kParallelDen = 1e-6;

    double sN, sD, tN, tD;
    if (den >= kParallelDen) {
        sN = uv * vw - vv * uw;
        tN = uu * vw - uv * uw;
        sD = tD = den;
    } else {
        // Near parallel: pin the first segment's start and project it on the second,
        // rather than divide by a vanishing determinant.
        sN = 0.0;
        sD = 1.0;
        tN = vw;
        tD = vv;
    }
    if (sN < 0.0) {
        sN = 0.0;
        tN = vw;
        tD = vv;
    } else if (sN > sD) {
        sN = sD;
        tN = vw + uv;
        tD = vv;
    }
    if (tN < 0.0) {
        tN = 0.0;
        clampOnFirst(-uw, uu, sN, sD);
    } else if (tN > tD) {
        tN = tD;
        clampOnFirst(uv - uw, uu, sN, sD);
    }
    onB = bS + v * ratioOrZero(tN, tD);
    return aS + u * ratioOrZero(sN, sD);
}

double distanceToLine(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p) {
    constexpr double kShortSegment = 1e-6;
    const double len = s.distanceTo(e);
    if (len < kShortSegment) {
        return p.distanceTo(s);
    }
    const CVector3d d = e - s;
    return d.crossProduct(p - s).length() / len;
}

bool onSegment(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p, double tol) {
    if (p.isEqualTo(s, tol) || p.isEqualTo(e, tol)) {
        return true;
    }
    // A distance that overflowed to NaN (coordinates beyond 1e154) is not a near one.
    if (!(distanceToLine(s, e, p) <= tol)) {
        return false;
    }
    // Strictly between the ends on the first axis the segment spans; a segment
    // that spans no z gives up after x and y.
    for (unsigned axis = 0; axis < 3; ++axis) {
        const double a = s[axis], b = e[axis], c = p[axis];
        if (FloatComp(a, b, tol) == 0) {
            if (axis == 2) {
                return false;
            }
            continue;
        }
        if (FloatComp(c - a, 0.0, tol) * FloatComp(c - b, 0.0, tol) == -1) {
            return true;
        }
    }
    return false;
}

bool onLine(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p, double tol) {
    if (p.isEqualTo(p1, tol) || p.isEqualTo(p2, tol)) {
        return true;
    }
    CVector3d along = p2 - p1;
    CVector3d toP = p - p1;
    // Without a direction there is no angle to measure; p1 itself is on the line.
    if (along.length() == 0.0) {
        return false;
    }
    if (toP.length() == 0.0) {
        return true;
    }
    const double angle = along.normalize().getAngle(toP.normalize());
    return FloatComp(angle, 0.0, tol) == 0 || FloatComp(angle, kPi, tol) == 0;
}

}  // namespace geo_detail
