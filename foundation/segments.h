// Arithmetic on segments, infinite lines and rays given by their points: nearest points,
// on-tests and planar crossings. The linear entities forward to it and the toolkit calls it
// directly, without building an entity (internal).
#pragma once

#include <geo/point3d.h>

namespace geo_detail {

// The z component of a x b: the plan cross product.
inline double planCross(const CVector3d& a, const CVector3d& b) {
    return a.x * b.y - a.y * b.x;
}

// Foot of the perpendicular from p on the infinite line through a and b;
// a itself when the two points coincide exactly.
inline CPoint3d footOnLine(const CPoint3d& a, const CPoint3d& b, const CPoint3d& p) {
    const CVector3d d = b - a;
    const double dd = d.getDotProduct(d);
    if (dd == 0.0) {
        return a;
    }
    return a + d * ((p - a).getDotProduct(d) / dd);
}

// Unit vector from s to e; the zero vector when the two are the same point.
CVector3d segmentDirection(const CPoint3d& s, const CPoint3d& e);

// The point of segment s-e nearest to p; s when the ends lie within kPointTol.
CPoint3d closestOnSegment(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p);

// The nearest pair between segments a and b: writes the one on b first, then returns the
// one on a.
CPoint3d closestBetweenSegments(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS,
                                const CPoint3d& bE, CPoint3d& onB);

// Distance from p to the infinite line through s and e; to s when the two are nearer
// than 1e-6.
double distanceToLine(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p);

// Whether p lies on segment s-e within tol: near an end, or near the line and strictly
// between the ends on the first axis the segment spans.
bool onSegment(const CPoint3d& s, const CPoint3d& e, const CPoint3d& p, double tol);

// Whether p lies on the infinite line through p1 and p2: near either point, or at an angle
// of at most tol (radians) seen from p1.
bool onLine(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p, double tol);

// Planar crossings, z carried along the first piece; false leaves out untouched. A
// segment's parameter may pass its ends by kPointTol when both pieces are segments, none
// when the second is an infinite line.
bool segmentsCross(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS, const CPoint3d& bE,
                   double tol, CPoint3d& out);
bool segmentCrossesLine(const CPoint3d& s, const CPoint3d& e, const CPoint3d& l1,
                        const CPoint3d& l2, double tol, CPoint3d& out);
bool linesCross(const CPoint3d& a1, const CPoint3d& a2, const CPoint3d& b1, const CPoint3d& b2,
                double tol, CPoint3d& out);

// Planar crossing of the ray o + t * d (t >= 0) with segment s-e, and of two rays;
// parallel pieces never cross.
bool rayCrossesSegment(const CPoint3d& o, const CVector3d& d, const CPoint3d& s, const CPoint3d& e,
                       double tol, CPoint3d& out);
bool raysCross(const CPoint3d& o1, const CVector3d& d1, const CPoint3d& o2, const CVector3d& d2,
               double tol, CPoint3d& out);

// Whether segments a and b run along each other within the angle and distance tolerances;
// from and to receive the shared part, and are left alone when there is none.
bool segmentsOverlap(const CPoint3d& aS, const CPoint3d& aE, const CPoint3d& bS, const CPoint3d& bE,
                     double angTol, double distTol, CPoint3d& from, CPoint3d& to);

}  // namespace geo_detail
