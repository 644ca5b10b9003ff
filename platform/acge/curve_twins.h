#pragma once
// Logic shared by the 2D and 3D curve classes of the AcGe stand-in, written once over the
// point, vector and curve types (internal).

#include <cmath>
#include <limits>
#include <utility>

#include <geo/acge/acarray.h>
#include <geo/acge/geintrvl.h>
#include <geo/acge/getol.h>

#include "platform/acge/curve_util.h"

namespace acge_detail {

inline double dot(const AcGeVector2d& a, const AcGeVector2d& b) {
    return acge_detail::dot2(a, b);
}

inline double dot(const AcGeVector3d& a, const AcGeVector3d& b) {
    return acge_detail::dot3(a, b);
}

// Size of the cross product: |a| |b| sin of the angle between them.
inline double crossSize(const AcGeVector2d& a, const AcGeVector2d& b) {
    return std::fabs(acge_detail::cross2(a, b));
}

inline double crossSize(const AcGeVector3d& a, const AcGeVector3d& b) {
    return acge_detail::len3(acge_detail::cross3(a, b));
}

// Unit vector of v; the zero vector stays zero.
template <class Vector>
Vector unitOf(const Vector& v) {
    const double len = v.length();
    return len > 0.0 ? v / len : Vector();
}

// ---- lines, segments and rays: point + t * vec, bounded at t = 0 and/or t = 1 ----

template <class Point, class Vector>
struct LinearShape {
    Point point;
    Vector vec;
    bool below;  // bounded at parameter 0
    bool above;  // bounded at parameter 1
};

// Parameter interval of the entity, widened by the point tolerance.
template <class Point, class Vector>
bool containsParam(const LinearShape<Point, Vector>& s, double param, double pointTol) {
    const double len = s.vec.length();
    const double slack = len > 0.0 ? pointTol / len : 0.0;
    if (s.below && param < -slack) {
        return false;
    }
    if (s.above && param > 1.0 + slack) {
        return false;
    }
    return true;
}

template <class Vector>
bool parallelVectors(const Vector& a, const Vector& b, const AcGeTol& tol) {
    const double lens = a.length() * b.length();
    if (!(lens > 0.0)) {
        return false;
    }
    return crossSize(a, b) <= tol.equalVector() * lens;
}

template <class Vector>
bool perpendicularVectors(const Vector& a, const Vector& b, const AcGeTol& tol) {
    const double lens = a.length() * b.length();
    if (!(lens > 0.0)) {
        return false;
    }
    return std::fabs(dot(a, b)) <= tol.equalVector() * lens;
}

// Parameter range of `other` expressed in the parameter of `self`, ascending.
template <class Linear, class Point, class Vector>
void mappedRange(const Linear& self, const LinearShape<Point, Vector>& other, double& lo,
                 double& hi) {
    const double kInf = std::numeric_limits<double>::infinity();
    const Vector vec = self.direction();
    const double len = (self.evalPoint(1.0) - self.evalPoint(0.0)).length();
    const double s0 = dot(other.point - self.pointOnLine(), vec) / len;
    const double k = dot(other.vec, vec) / len;
    const double a = other.below ? s0 : (k > 0 ? -kInf : kInf);
    const double b = other.above ? s0 + k : (k > 0 ? kInf : -kInf);
    lo = a < b ? a : b;
    hi = a < b ? b : a;
}

// Common stretch of two colinear entities as a new segment, ray or line; false when it is
// shorter than the point tolerance.
template <class Seg, class Ray, class Line, class Linear, class Point, class Vector>
bool colinearOverlap(const Linear& self, const LinearShape<Point, Vector>& mine,
                     const LinearShape<Point, Vector>& other, Linear*& result, const AcGeTol& tol) {
    double lo = 0.0, hi = 0.0;
    mappedRange(self, other, lo, hi);
    if (mine.below && lo < 0.0) {
        lo = 0.0;
    }
    if (mine.above && hi > 1.0) {
        hi = 1.0;
    }
    const double len = mine.vec.length();
    if (!(hi > lo) || (hi - lo) * len <= tol.equalPoint()) {
        return false;
    }
    const bool finiteLo = std::isfinite(lo), finiteHi = std::isfinite(hi);
    if (finiteLo && finiteHi) {
        result = new Seg(self.evalPoint(lo), self.evalPoint(hi));
    } else if (finiteLo) {
        result = new Ray(self.evalPoint(lo), mine.vec);
    } else if (finiteHi) {
        result = new Ray(self.evalPoint(hi), -mine.vec);
    } else {
        result = new Line(mine.point, mine.vec);
    }
    return true;
}

// Moves the carrying point and vector; lines and rays keep a unit carrying vector so that
// their parameter stays a distance.
template <class Point, class Vector, class Matrix>
void transformLinear(Point& point, Vector& vec, bool segment, const Matrix& xfm) {
    const Point end = point + vec;
    point.transformBy(xfm);
    vec = Point(end).transformBy(xfm) - point;
    if (!segment) {
        vec = unitOf(vec);
    }
}

inline void linearInterval(bool below, bool above, AcGeInterval& range) {
    range.set();
    if (below) {
        range.setLower(0.0);
    }
    if (above) {
        range.setUpper(1.0);
    }
}

// A ray cannot run the other way without becoming another point set: unchanged.
template <class Point, class Vector>
void reverseLinear(Point& point, Vector& vec, bool below, bool above) {
    if (below && above) {
        point = point + vec;
        vec = -vec;
    } else if (!below && !above) {
        vec = -vec;
    }
}

template <class Vector>
double linearParamAtLength(const Vector& vec, double datumParam, double length, bool posParamDir) {
    const double len = vec.length();
    if (!(len > 0.0)) {
        return datumParam;
    }
    return datumParam + (posParamDir ? length : -length) / len;
}

template <class Point, class Vector>
double linearClosestParam(const LinearShape<Point, Vector>& s, const Point& pnt) {
    const double len2 = s.vec.lengthSqrd();
    if (!(len2 > 0.0)) {
        return 0.0;
    }
    double t = dot(pnt - s.point, s.vec) / len2;
    if (s.below && t < 0.0) {
        t = 0.0;
    }
    if (s.above && t > 1.0) {
        t = 1.0;
    }
    return t;
}

// ---- polylines through fit points: vertex i at parameter i ----

template <class PointArray>
double segLength(const PointArray& pts, int i) {
    return pts[i].distanceTo(pts[i + 1]);
}

// Arc length from vertex 0 to parameter t; beyond the ends the end segments are extended.
template <class PointArray>
double polyLengthTo(const PointArray& pts, double t) {
    const int n = pts.length();
    if (n < 2) {
        return 0.0;
    }
    double before = 0.0;
    int i = 0;
    while (i < n - 2 && t >= i + 1) {
        before += segLength(pts, i);
        ++i;
    }
    return before + (t - i) * segLength(pts, i);
}

// Parameter where the arc length from vertex 0 reaches `target`.
template <class PointArray>
double polyParamAt(const PointArray& pts, double target) {
    const int n = pts.length();
    if (n < 2) {
        return 0.0;
    }
    double before = 0.0;
    int i = 0;
    while (i < n - 2 && target > before + segLength(pts, i)) {
        before += segLength(pts, i);
        ++i;
    }
    const double len = segLength(pts, i);
    return len > 0.0 ? i + (target - before) / len : static_cast<double>(i);
}

// Parameter (0..1) of the point of segment a-b nearest to p.
template <class Point>
double segmentParam(const Point& a, const Point& b, const Point& p) {
    const auto d = b - a;
    const double len2 = d.lengthSqrd();
    if (!(len2 > 0.0)) {
        return 0.0;
    }
    const double t = (p - a).dotProduct(d) / len2;
    return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
}

// Point at `param`; outside [0, n-1] the end segments are extended.
template <class Point, class PointArray>
Point polyEvalPoint(const PointArray& pts, double param) {
    const int n = pts.length();
    if (n == 0) {
        return Point();
    }
    if (n == 1 || !std::isfinite(param)) {
        return pts[0];
    }
    double whole = std::floor(param);
    if (whole < 0.0) {
        whole = 0.0;
    }
    if (whole > n - 2) {
        whole = n - 2;
    }
    const int i = static_cast<int>(whole);
    return pts[i] + (pts[i + 1] - pts[i]) * (param - i);
}

// Nearest point over all segments; on equal distances the earlier segment wins.
template <class Point, class PointArray>
double polyClosestParam(const PointArray& pts, const Point& pnt) {
    const int n = pts.length();
    double best = 0.0, bestDist = -1.0;
    for (int i = 0; i + 1 < n; ++i) {
        const double t = segmentParam(pts[i], pts[i + 1], pnt);
        const double dist = polyEvalPoint<Point>(pts, i + t).distanceTo(pnt);
        if (bestDist < 0.0 || dist < bestDist) {
            bestDist = dist;
            best = i + t;
        }
    }
    return best;
}

// Same number of points, each equal within tolerance.
template <class PointArray>
bool samePoints(const PointArray& a, const PointArray& b, const AcGeTol& tol) {
    if (a.length() != b.length()) {
        return false;
    }
    for (int i = 0; i < a.length(); ++i) {
        if (!a[i].isEqualTo(b[i], tol)) {
            return false;
        }
    }
    return true;
}

// ---- composites: owned copies of bounded pieces, parameterised by arc length ----

template <class Curve>
void pieceRange(const Curve& curve, double& lo, double& hi) {
    AcGeInterval range;
    curve.getInterval(range);
    lo = range.lowerBound();
    hi = range.upperBound();
}

template <class Curve>
double wholeLength(const Curve& curve) {
    double lo = 0.0, hi = 0.0;
    pieceRange(curve, lo, hi);
    return curve.length(lo, hi);
}

// The pieces of a composite with the composite parameter where each starts and its length.
// Const members bind const arrays (Curves and Doubles const-qualified).
template <class Curve, class Curves = AcArray<Curve*>, class Doubles = AcArray<double>>
struct CompositeParts {
    Curves& curves;
    Doubles& starts;
    Doubles& lengths;

    double totalLength() const { return curves.isEmpty() ? 0.0 : starts.last() + lengths.last(); }

    // Unbounded curves cannot be joined end to end and are left out.
    void appendCopy(const Curve* curve) {
        if (!curve) {
            return;
        }
        AcGeInterval range;
        curve->getInterval(range);
        if (!range.isBounded()) {
            return;
        }
        const double len = wholeLength(*curve);
        if (!std::isfinite(len)) {
            return;
        }
        starts.append(totalLength());
        lengths.append(len);
        curves.append(static_cast<Curve*>(curve->copy()));
    }

    void clear() {
        for (Curve* piece : curves) {
            delete piece;
        }
        curves.removeAll();
        starts.removeAll();
        lengths.removeAll();
    }

    // Copies are taken before the old pieces go: the list may hold these very pieces.
    void setCurveList(const AcArray<Curve*>& curveList) {
        AcArray<Curve*> freshCurves;
        AcArray<double> freshStarts, freshLengths;
        CompositeParts<Curve> fresh{freshCurves, freshStarts, freshLengths};
        for (const Curve* piece : curveList) {
            fresh.appendCopy(piece);
        }
        std::swap(curves, freshCurves);
        std::swap(starts, freshStarts);
        std::swap(lengths, freshLengths);
        fresh.clear();
    }

    // Within a piece the composite parameter is the arc length from the piece's start.
    double globalToLocalParam(double param, int& crvNum) const {
        crvNum = 0;
        if (curves.isEmpty()) {
            return param;
        }
        while (crvNum + 1 < curves.length() && param >= starts[crvNum + 1]) {
            ++crvNum;
        }
        double lo = 0.0, hi = 0.0;
        pieceRange(*curves[crvNum], lo, hi);
        return curves[crvNum]->paramAtLength(lo, param - starts[crvNum], true);
    }

    double localToGlobalParam(double param, int crvNum) const {
        if (crvNum < 0 || crvNum >= curves.length()) {
            return param;
        }
        double lo = 0.0, hi = 0.0;
        pieceRange(*curves[crvNum], lo, hi);
        const double along = curves[crvNum]->length(lo, param);
        return starts[crvNum] + (param >= lo ? along : -along);
    }

    // Each piece equal to the piece at the same place in `other`.
    bool samePieces(const AcArray<Curve*>& other, const AcGeTol& tol) const {
        if (other.length() != curves.length()) {
            return false;
        }
        for (int i = 0; i < curves.length(); ++i) {
            if (!curves[i]->isEqualTo(*other[i], tol)) {
                return false;
            }
        }
        return true;
    }

    // Pieces in the opposite order, each running the other way.
    void reverse() {
        AcArray<Curve*> reversed;
        for (int i = curves.length() - 1; i >= 0; --i) {
            curves[i]->reverseParam();
            reversed.append(curves[i]);
        }
        setCurveList(reversed);
    }

    template <class Point>
    Point evalPoint(double param) const {
        if (curves.isEmpty()) {
            return Point();
        }
        int i = 0;
        const double local = globalToLocalParam(param, i);
        return curves[i]->evalPoint(local);
    }

    // Nearest point over all pieces; on equal distances the earlier piece wins.
    template <class Point>
    double closestParam(const Point& pnt) const {
        double best = 0.0, bestDist = -1.0;
        for (int i = 0; i < curves.length(); ++i) {
            const double local = curves[i]->paramOf(pnt);
            const double dist = curves[i]->evalPoint(local).distanceTo(pnt);
            if (bestDist < 0.0 || dist < bestDist) {
                bestDist = dist;
                best = localToGlobalParam(local, i);
            }
        }
        return best;
    }
};

// ---- circular arcs: angles in [start, end], end after start, at most one turn apart ----

// A radius that is not positive and finite becomes 0.
inline double sanitizedRadius(double radius) {
    return (radius > 0.0 && std::isfinite(radius)) ? radius : 0.0;
}

// The end angle is brought after the start; a sweep beyond a full turn is cut to one turn.
// Non-finite angles leave the stored ones as they are.
inline void setSweep(double startAng, double endAng, double& storedStart, double& storedEnd) {
    if (!std::isfinite(startAng) || !std::isfinite(endAng)) {
        return;
    }
    double sweep = endAng - startAng;
    if (sweep < 0.0) {
        sweep = acge_detail::angleFrom(endAng, startAng) - startAng;
    }
    if (sweep > acge_detail::kTwoPi) {
        sweep = acge_detail::kTwoPi;
    }
    storedStart = startAng;
    storedEnd = startAng + sweep;
}

// Angles of the same arc travelled the other way round (with the sense flipped by the caller).
inline void reverseSweep(double& startAng, double& endAng) {
    const double sweep = endAng - startAng;
    startAng = acge_detail::angleFrom(-endAng, 0.0);
    endAng = startAng + sweep;
}

inline double arcParamAtLength(double radius, double datumParam, double length, bool posParamDir) {
    if (!(radius > 0.0)) {
        return datumParam;
    }
    return datumParam + (posParamDir ? length : -length) / radius;
}

// Keeps the candidates lying on both `arc` and `other`, filling p1 then p2.
template <class Arc, class Other, class Point>
void keepCommon(const Arc& arc, const Other& other, const Point* cand, int count, int& intn,
                Point& p1, Point& p2, const AcGeTol& tol) {
    intn = 0;
    for (int i = 0; i < count; ++i) {
        if (!arc.isOn(cand[i], tol) || !other.isOn(cand[i], tol)) {
            continue;
        }
        (intn == 0 ? p1 : p2) = cand[i];
        ++intn;
    }
}

}  // namespace acge_detail
