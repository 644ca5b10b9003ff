// Casting outlines along a direction, shadows of panels, plane cuts and the matrices and
// rotations that carry outlines from one coordinate system into another.
#pragma once

#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/lines.h>
#include <geo/point3d.h>

#include <vector>

// Shadows and sweeps.

// The plan area swept by the outline moved by `shift`, as one open outline appended to
// `shade` after clearing it (the largest loop when the sweep crosses itself). shade stays
// empty for fewer than 3 vertices at least 0.01 apart or any non-finite coordinate.
GEO_API void GetEntShade(const std::vector<CPoint3d>& outline, CVector3d shift,
                         std::vector<CPoint3d>& shade);

// Cuts a self-crossing closed outline in place down to its largest simple loop (ties keep
// the loop that starts at the crossing) and returns that loop's unsigned area. With
// dropClockwise a loop left running clockwise counts as none: pts is emptied and 0
// returned. Non-finite coordinates empty pts and give 0.
GEO_API double GetMaxPL(std::vector<CPoint3d>& pts, bool dropClockwise);

// Whether `point` lies inside the shadow the horizontal panel at panelHeight casts along the
// plan angle azimuth (lengthPerHeight plan units per unit of height) onto z = baseHeight.
GEO_API bool IsPtInPanelShadow(CPoint3d point, double azimuth, double lengthPerHeight,
                               double baseHeight, const std::vector<CPoint3d>& panel,
                               double panelHeight);

// Where segment a-b crosses z = height strictly between its ends' heights; out is written
// only then.
GEO_API bool GetIntersectPt(CPoint3d a, CPoint3d b, double height, CPoint3d& out);

// The outline cast along dir onto z = height (vertices below it give their edges'
// crossings instead); out is cleared first. True when out holds more than 2 points.
GEO_API bool GetProjectPlane(const std::vector<CPoint3d>& pts, CVector3d dir, double height,
                             std::vector<CPoint3d>& out);

// Inclined planes.

// The plane through the line p1-p2 that is level across it; false when the two points share
// their plan position.
GEO_API bool GetInclinedPlane(const CPoint3d& p1, const CPoint3d& p2, AcGePlane& plane);
// pt moved vertically onto the plane; false (out untouched) for a vertical plane.
GEO_API bool GetPtOnPlane(const AcGePlane& plane, const CPoint3d& pt, CPoint3d& out);
// Every point moved vertically onto the inclined plane through p1-p2; out is cleared first
// and normal receives the plane's normal. True when some point landed.
GEO_API bool PtsProjToInclinedPlane(const CPoint3d& p1, const CPoint3d& p2,
                                    const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out,
                                    AcGeVector3d& normal);

// Coordinate mapping.

// The matrix taking the source system onto the target one. The point forms take an origin,
// a point on the X axis and one on the Y axis (axes are their unnormalised differences).
GEO_API AcGeMatrix3d GetAlignCoordSysMap(const AcGePoint3d& fromOrigin, const AcGePoint3d& fromX,
                                         const AcGePoint3d& fromY, const AcGeVector3d& fromZ,
                                         const AcGePoint3d& toOrigin, const AcGePoint3d& toX,
                                         const AcGePoint3d& toY, const AcGeVector3d& toZ);
GEO_API AcGeMatrix3d GetAlignCoordSysMap(const CPoint3d& fromOrigin, const CPoint3d& fromX,
                                         const CPoint3d& fromY, const CVector3d& fromZ,
                                         const CPoint3d& toOrigin, const CPoint3d& toX,
                                         const CPoint3d& toY, const CVector3d& toZ);
// The same with axis vectors instead of axis points.
GEO_API AcGeMatrix3d GetAlignCoordSysMap(const CPoint3d& fromOrigin, const CVector3d& fromX,
                                         const CVector3d& fromY, const CVector3d& fromZ,
                                         const CPoint3d& toOrigin, const CVector3d& toX,
                                         const CVector3d& toY, const CVector3d& toZ);

// A copy of the points, each transformed by m.
GEO_API std::vector<AcGePoint3d> PtsMultiMatrix(const std::vector<AcGePoint3d>& pts,
                                                const AcGeMatrix3d& m);

// Turns every point by angle about axis through base, and normal about axis, in place.
GEO_API void RotateGon(std::vector<CPoint3d>& pts, CVector3d& normal, const CVector3d& axis,
                       const CPoint3d& base, double angle);

// The points nearest and farthest along dir (ties keep the earlier point); nothing is
// written for an empty list, both are the point for a single one.
GEO_API void GetNearFarPoint(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& dir,
                             AcGePoint3d& nearPt, AcGePoint3d& farPt);

// Foot of the plan perpendicular from p on the line a-b; the origin when a and b coincide.
GEO_API CPoint3d DroopPoint(const CPoint3d& p, const CPoint3d& a, const CPoint3d& b);

// Signed length of (to - from) projected on dir; 0 when either vector is shorter than 1e-6.
GEO_API double GetDisPrjVec(const CPoint3d& from, const CPoint3d& to, const CVector3d& dir);

// The points of the two segments on one vertical where they cross in plan, each at its own
// height; false (outputs untouched) for a null segment or no plan crossing.
GEO_API bool GetPlumbClosetPnt(CLineSeg* a, CLineSeg* b, CPoint3d& onA, CPoint3d& onB);
