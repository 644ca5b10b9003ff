// Containment, side, crossing and ray tests of points, segments and outlines.
#pragma once

#include <geo/acge/geline3d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/lines.h>
#include <geo/point3d.h>

#include <vector>

// Point in outline (even-odd in plan; a boundary point returns onEdge).
GEO_API bool PtInArea(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol, bool onEdge);
GEO_API bool PtIn3DArea(CPoint3d const& pt, std::vector<CPoint3d>& pts, CVector3d const& normal,
                        double tol, bool onEdge);
GEO_API bool IsPointInTriangle(CVector3d pt, CVector3d* tri);

// Outline in outline.
GEO_API bool polygonInPolygon(std::vector<CPoint3d> const& inner,
                              std::vector<CPoint3d> const& outer, double tol);
GEO_API bool PolyInPolygon(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b);
GEO_API bool PolInPol(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b);
GEO_API bool FirstplanCoplanaritySecondplan(std::vector<CPoint3d>& a, std::vector<CPoint3d>& b,
                                            int parallelOnly);

// Point or segment on an outline.
GEO_API bool PtOnPolyline(CPoint3d const& pt, std::vector<CPoint3d> const& pts, double tol);
GEO_API bool PtOnPolyline(AcGePoint3d const& pt, std::vector<AcGePoint3d> const& pts, double tol);
GEO_API bool LineOnPolyline(CPoint3d a, CPoint3d b, std::vector<CPoint3d>& pts);
GEO_API int CalPtPosAtPL(CPoint3d pt, std::vector<CPoint3d> const& pts);
GEO_API int CalPtPosAtPLine(CPoint3d pt, std::vector<CPoint3d> const& pts, double tol);
GEO_API int GetSideFromPts(CPoint3d const& pt, std::vector<CPoint3d> const& pts);
GEO_API int GetSideFromPts_XY_Plain(CPoint3d const& pt, std::vector<CPoint3d> const& pts);
GEO_API bool ExistHoleInPts(std::vector<CPoint3d> const& pts, int* first, int* second, double tol);

// Crossings.
GEO_API bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, CPoint3d const& c,
                             CPoint3d const& d, CPoint3d& at);
GEO_API bool IsIntersectWith(CPoint3d const& a, CPoint3d const& b, std::vector<CPoint3d>& pts);
GEO_API bool IsIntersectWith(CLine& line, std::vector<CPoint3d> const& pts,
                             std::vector<CPoint3d>& hits);
GEO_API bool lineSegInter(CPoint3d a, CPoint3d b, CPoint3d c, CPoint3d d, double tol);
GEO_API bool PolylineInter(std::vector<CPoint3d> a, std::vector<CPoint3d> b, double tol);

// Rays and lines against outlines, triangles and cubes.
GEO_API bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt,
                              CVector3d const& dir, int& edge, CPoint3d& hit, double tol);
GEO_API bool GetPtSideFromPts(std::vector<CPoint3d> const& pts, int& edge, CPoint3d& pt,
                              double dist);
GEO_API bool PtRayToContour(AcGePoint3d const& pt, AcGeVector3d const& dir,
                            std::vector<std::vector<AcGePoint3d>> const& contours, AcGePoint3d& hit,
                            unsigned int& contour, double tol);
GEO_API bool IntersectTriangle(CVector3d orig, CVector3d dir, CPoint3d p0, CPoint3d p1, CPoint3d p2,
                               double& t, double& u, double& v);
GEO_API bool IntersectCube(CPoint3d center, double size, CVector3d orig, CVector3d dir, double& t);
GEO_API int PolygonIntersectWithLine(const std::vector<CPoint3d>& pts, const AcGeLine3d& line,
                                     std::vector<CPoint3d>& out);
