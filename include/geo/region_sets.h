// Region and polygon sets: booleans over polygon lists, unions into regions, and conversions
// between regions, bridged polygons and loose contour lists.
#pragma once

#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/gpc.h>
#include <geo/point3d.h>
#include <geo/polylines.h>
#include <geo/region.h>

#include <vector>

// ---- Booleans and unions -------------------------------------------------------------------

// Total area of the outer contours of a op b (holes not subtracted); true when it exceeds
// 0.01. Null pointers or fewer than 3 vertices give false with area unchanged; plan boxes
// apart give area 0 and false whatever op is (an empty result leaves area unchanged).
GEO_API bool BooleanOper(CPolygon const* a, CPolygon const* b, double& area, gpc::gpc_op op);

// op folded over `in`, its result split into normalised outer and hole polygons; both lists
// are cleared first, `in` is read before that (it may be one of them). One polygon is copied
// to outers as it is. Other ops fold from the left: ((in[0] op in[1]) op in[2]) ... and keep
// the engine's contour order. GPC_UNION unites in a balanced tree instead, and returns outers
// and holes each ordered by the lower-left corner of their plan box (x, then y, then the
// larger area first). True when either list is non-empty.
GEO_API bool BooleanOper(std::vector<CPolygon>& in, std::vector<CPolygon>& outers,
                         std::vector<CPolygon>& holes, gpc::gpc_op op);

// Replaces the list by the outer contours of its union (normalised, holes dropped), ordered as
// the union of BooleanOper; lists of fewer than 2 polygons are left alone.
GEO_API void UnionPolygonArr(std::vector<CPolygon>& gons);

// Unites polygons that touch or nearly touch: each is offset by -0.1 (PlineOffset; this grows
// the counter-clockwise outline of a normalised polygon), the pieces are united and the single
// outer result is offset back by +0.1 into out. False, out untouched, when an offset gives
// other than one outline or the union other than one outer.
GEO_API bool PolygonUNION(std::vector<CPolygon> const& gons, CPolygon& out);

// out becomes gons[0] (rgns[0]) with each later one united into it in turn (CRegion's
// boolean); an empty list leaves out alone.
GEO_API void UnionGons2Region(std::vector<CPolygon> gons, CRegion& out);
GEO_API void UnionRgns2Region(std::vector<CRegion> rgns, CRegion& out);

// a minus b for two outlines in one plane (normals of their first three points equal). A
// tilted plane gives the difference in the plan coordinates of a's plane frame. False, out
// untouched, for fewer than 3 points, different normals or an empty difference.
GEO_API bool PlanfirstSubtractsecondPlan(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b,
                                         CRegion& out);

// ---- Regions, their parts and bridged polygons ---------------------------------------------

// Appends one region per outer contour, smallest outer first; each unassigned hole lying in
// the outer (polygonInPolygon, 1e-6) goes to it, so a hole goes to the smallest outer holding
// it. Holes inside no outer are dropped.
GEO_API void region2regionWithOnlyOneOutside(CRegion const& rgn, std::vector<CRegion>& out);

// Appends a new heap region per outer contour, in region order, holding the holes whose first
// point lies in or on that outer: a hole in nested outers goes to each. The caller deletes
// the regions. A null region does nothing.
GEO_API void getRegionsFromRegion(CRegion const* rgn, std::vector<CRegion*>& out);

// Appends one polygon: a single contour as it is, else the last outer contour with every hole
// bridged in by eraseHole. Without an outer contour nothing is appended.
GEO_API void region2polygonWithHole(CRegion const& rgn, std::vector<CPolygon>& out);

// Appends outer with every hole joined by a zero-width vertical bridge from the hole's top
// vertex up to the nearest edge above it, highest hole first. Edits its arguments: outer is
// made counter-clockwise and closed and takes the bridges, holes are sorted, closed and made
// clockwise. Holes of fewer than 3 points, or with no edge above them, are not bridged; an
// empty outer appends nothing.
GEO_API void eraseHole(std::vector<CPoint3d>& outer, std::vector<std::vector<CPoint3d>>& holes,
                       std::vector<CPolygon>& out);

// Appends the bridged polygons of every one-outer part (region2regionWithOnlyOneOutside).
GEO_API void region2polygon(CRegion const& rgn, std::vector<CPolygon>& out);

// Replaces the region's contours by the non-empty lists in order; a list is a hole when its
// first point lies strictly inside another list, so islands inside holes are holes too.
GEO_API void SetPtsArr2Region(std::vector<std::vector<CPoint3d>> lists, CRegion& rgn);

// Removes every hole whose first point lies strictly inside another hole. Null does nothing.
GEO_API void removeHolesInHoleFrmRgn(CRegion* rgn);

// The outer contours (holes) of a region, in region order; out is cleared first. False, out
// untouched, when geo is not a CRegion; else true when out is non-empty.
GEO_API bool GetRegionOutPts(CGeometry* geo, std::vector<std::vector<CPoint3d>>& out);
GEO_API bool GetRegionHoles(CGeometry* geo, std::vector<std::vector<CPoint3d>>& out);

// ---- Contour repair and ordering -----------------------------------------------------------

// Splits an outline that runs in and out along a seam into its outer boundary (replacing pts)
// and its courtyards (patios resized to their number). False, both untouched, without one.
GEO_API bool GetPatioContour(std::vector<CPoint3d>& pts,
                             std::vector<std::vector<CPoint3d>>& patios);

// Appends the simple contours of an outline that pinches: vertices touching a non-adjacent
// edge (within tol) become shared vertices, then each stretch between two visits of one
// vertex is cut off, cleaned (RemoveRedundancyPts) and split again, that stretch's pieces
// before the rest's. Works iteratively, so long pinch chains cannot exhaust the stack.
GEO_API void HolePtsSplit2SingleContours(std::vector<CPoint3d> pts,
                                         std::vector<std::vector<CPoint3d>>& out, double tol);

// Repairs a region whose contours overlap or pinch; depth counts its own calls and nothing
// happens beyond depth 5. A single outer is split into simple contours (tolerance 0.001) and
// the region rebuilt with SetPtsArr2Region; several outers that share an edge are united,
// the shorter shared edge first pushed dist into the other contour, and the region is fixed
// again at depth + 1; finally every hole is replaced in place by its simple pieces.
GEO_API void FixRegion(CRegion& rgn, double dist, int depth);

// Index of the largest contour by CalPolyArea (first of equals; 0 when every area is 0);
// -1 for an empty list.
GEO_API int GetBigContour(std::vector<std::vector<CPoint3d>> const& contours);
GEO_API int GetBigContour(std::vector<std::vector<AcGePoint3d>> const& contours);

// CalPolyArea(a) < CalPolyArea(b).
GEO_API bool areaLess(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b);
// Largest y of a above largest y of b; false when either is empty.
GEO_API bool highestPosGreate(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b);
