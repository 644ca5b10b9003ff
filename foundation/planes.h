// Arithmetic on planes given by a point and a unit normal: crossings with lines and with
// other planes, projection. CPlane forwards to it and the toolkit calls it directly
// (internal).
#pragma once

#include <geo/point3d.h>

#include <vector>

namespace geo_detail {

// The unit normal (p2 - p1) x (p3 - p2), left as it is when exactly zero: counter-clockwise
// points seen from +Z give +Z.
CVector3d turnNormal(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3);

// The plane through the first triple of pts that turns by more than 1e-6: origin pts[0] and
// the triple's unit normal; false, with both left alone, when there is none.
bool planeOfFirstTurn(const std::vector<CPoint3d>& pts, CPoint3d& origin, CVector3d& normal);

// Where the line s + d * t meets the plane; false when it runs parallel to it (|n.d| below
// tol) or t lies outside [lo, hi].
bool crossPlane(const CPoint3d& origin, const CVector3d& normal, const CPoint3d& s,
                const CVector3d& d, double tol, double lo, double hi, CPoint3d& out);

// The line shared by two planes: a point on it and the direction n1 x n2; false when the
// planes run parallel.
bool planesMeet(const CPoint3d& o1, const CVector3d& n1, const CPoint3d& o2, const CVector3d& n2,
                double tol, CPoint3d& at, CVector3d& dir);

// p moved along dir (the normal when dir is shorter than 1e-6) onto the plane;
// (0, 0, 0) when dir runs parallel to the plane.
CPoint3d projectOntoPlane(const CPoint3d& origin, const CVector3d& normal, const CPoint3d& p,
                          CVector3d dir);

}  // namespace geo_detail
