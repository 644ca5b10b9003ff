// Point-list clean-up: opening and closing lists, removing redundant vertices, and
// finding or cutting out self-intersections.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/point3d.h>

#include <vector>

// Appends a copy of the first point unless the last already equals it within tol;
// lists of fewer than 3 points are left alone.
GEO_API void ClosePts(std::vector<CPoint3d>& pts, double tol);
GEO_API void ClosePts(std::vector<AcGePoint3d>& pts, double tol);

// Removes every trailing repeat of the first point (within tol) while more than 2 remain.
GEO_API void OpenPts(std::vector<CPoint3d>& pts, double tol);
GEO_API void OpenPts(std::vector<AcGePoint3d>& pts, double tol);

// Appends pt unless it equals the current last point (1e-6 per axis).
GEO_API void ptVectInsertDiffer(std::vector<CPoint3d>& pts, CPoint3d pt);

// Sets every z to 0.
GEO_API void RemoveZV(std::vector<CPoint3d>& pts);

// A reversed copy of the list.
GEO_API std::vector<CPoint3d> PtsReverse(std::vector<CPoint3d> pts);

// Maps edge indices of an outline of `count` edges to those of its reversed outline:
// e becomes count - e - 1, except that e == count stays count.
GEO_API void NormalizeSideSeq(std::vector<int>& sides, int count);

// Removes duplicate and collinear vertices and, with `ring`, vertices where the outline
// folds back on itself. tol is a length for point equality and side tests and an angle
// (radians) for the straight and folded tests. A closed list stays closed.
GEO_API void RemoveRedundancyPts(std::vector<CPoint3d>& pts, bool ring, double tol);
GEO_API void RemoveRedundancyPts(std::vector<AcGePoint3d>& pts, bool ring, double tol);
GEO_API void RemoveRedundancyPts(std::vector<AcGePoint2d>& pts, bool ring, double tol);

// Keeps each point only if it equals none of the points kept before it
// (AcGeContext::gTol); the order of the kept points is the input order.
GEO_API void removeRepoint(std::vector<AcGePoint3d>& pts);

// Drops edges shorter than minLen, collinear vertices, and corners turning by less than
// maxAngle in the same sense as the corner before.
GEO_API void CavePtArr(std::vector<AcGePoint3d>& pts, double minLen, double maxAngle);
GEO_API void CavePtArr(std::vector<CPoint3d>& pts, double minLen, double maxAngle);

// Cuts out the loops of a self-crossing polyline: the vertices between two crossing
// segments are replaced by the crossing point.
GEO_API void ClearSelfIntersect(std::vector<CPoint3d>& pts, double tol);

// Whether two edges cross or overlap; shared vertices do not count. With `closed` the
// edge from the last point back to the first takes part.
GEO_API bool IsSelfIntersect(std::vector<CPoint3d> const& pts, bool closed);

// Whether two edges of the open polyline meet at a point that is none of its vertices.
GEO_API bool IsIntersectWithSelf(std::vector<CPoint3d> const& pts);

// Whether some edge of a runs along some edge of b. When both index lists are given,
// every overlapping pair appends its edge of a to edgesA and its edge of b to edgesB.
GEO_API bool HaveOverlapLine(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b,
                             std::vector<int>* edgesA, std::vector<int>* edgesB);
