// Point-list measures and predicates: distances, lengths, areas, boxes, angles, side of a line.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/mfc/cstring.h>
#include <geo/point3d.h>

#include <vector>

// Distances and nearest points.
GEO_API double GetDistance(CPoint3d const& a, CPoint3d const& b);
GEO_API double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts);
GEO_API double GetDistPt2PL(CPoint3d const& pt, std::vector<CPoint3d> const& pts,
                            CPoint3d& closest);
GEO_API double GetDistPt2Poly(CPoint3d const& pt, std::vector<CPoint3d> const& pts,
                              CPoint3d& closest);
GEO_API double GetMinDistWith2Pl(std::vector<CPoint3d> const& a, std::vector<CPoint3d> const& b,
                                 CPoint3d& onA, CPoint3d& onB);
GEO_API double GetMinDistWith2PtArrs(std::vector<std::vector<CPoint3d>> const& as,
                                     std::vector<std::vector<CPoint3d>> const& bs, CPoint3d& onA,
                                     CPoint3d& onB);
GEO_API CPoint3d getMinDisInPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt, int& index);
GEO_API CPoint3d GetClosestPtFromPts(std::vector<CPoint3d> const& pts, CPoint3d const& pt);
GEO_API int PtCloseToPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest);
GEO_API bool PtCloseOnPolyline(CPoint3d pt, std::vector<CPoint3d> const& pts, CPoint3d& closest);

// Lengths and positions along a polyline.
GEO_API double GetTotalLength(std::vector<CPoint3d> const& pts);
GEO_API double GetTotalLength(std::vector<AcGePoint3d> const& pts);
GEO_API bool GetPtAtLength(std::vector<CPoint3d> const& pts, double len, CPoint3d& out, int* index,
                           double tol);
GEO_API bool GetLengthAtPt(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double& len,
                           double tol);
GEO_API bool getPtOnPolBaseDis(std::vector<CPoint3d>& pts, CPoint3d& out, double dist);
GEO_API CPoint3d GetPlMid(std::vector<CPoint3d>& pts);

// Area and orientation.
GEO_API double CalPolyArea(std::vector<CPoint3d> const& pts);
GEO_API double CalPolyArea(std::vector<AcGePoint3d> const& pts);
GEO_API bool PolyIsClockWise(std::vector<CPoint3d> const& pts);
GEO_API bool PolyIsClockWise(std::vector<AcGePoint3d>& pts);
GEO_API bool isPtsClockWise3D(std::vector<CPoint3d> const& pts, CVector3d normal);
GEO_API bool isPtsClockWise3D(std::vector<AcGePoint3d> const& pts, AcGeVector3d normal);

// Boxes.
GEO_API bool CalBox(std::vector<CPoint3d> const& pts, CPoint3d& min, CPoint3d& max);
GEO_API bool CalBox(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max);
GEO_API void CalBox3D(std::vector<AcGePoint3d> const& pts, AcGePoint3d& min, AcGePoint3d& max);
GEO_API void CalBox3D(std::vector<CPoint3d> pts, CPoint3d& min, CPoint3d& max);
GEO_API bool ptInBox(CPoint3d const& pt, CPoint3d min, CPoint3d const& max);
GEO_API bool ptArrInBox(std::vector<CPoint3d> const& pts, CPoint3d min, CPoint3d const& max);
GEO_API std::vector<CPoint3d> GetBoxVertexs(CPoint3d min, CPoint3d max);

// Angles and directions.
GEO_API double GetAngle(CPoint3d const& from, CPoint3d const& to);
GEO_API double PtAngel(CPoint3d const& a, CPoint3d const& vertex, CPoint3d const& c);
GEO_API double get_angle(AcGePoint3d const& a, AcGePoint3d const& vertex, AcGePoint3d const& c);
GEO_API CPoint3d Polar(CPoint3d const& base, double angle, double dist);
GEO_API CVector3d LineDir(CPoint3d const& from, CPoint3d const& to);
GEO_API CVector3d LineVDir(CPoint3d const& from, CPoint3d const& to);
GEO_API CPoint3d GetMidPoint(CPoint3d const& a, CPoint3d const& b);
GEO_API AcGePoint3d getMidPoint(AcGePoint3d const& a, AcGePoint3d const& b);
GEO_API AcGeVector3d getNormal(AcGePoint3d const& a, AcGePoint3d const& b, AcGePoint3d const& c);

// Predicates.
GEO_API bool IsClosed(std::vector<CPoint3d> const& pts, double tol);
GEO_API bool IsClosed(std::vector<AcGePoint3d> const& pts, double tol);
GEO_API bool IsClosed(std::vector<AcGePoint2d> const& pts, double tol);
GEO_API bool isEqual(CPoint3d const& a, CPoint3d const& b);
GEO_API bool isEqual(AcGePoint3d const& a, AcGePoint3d const& b, double tol);
GEO_API bool isallZequal(std::vector<CPoint3d> const& pts, double tol);
GEO_API bool PtsIsLevel(std::vector<CPoint3d> const& pts, double* z);
GEO_API bool isInPlane(std::vector<CPoint3d> const& pts, double tol);
GEO_API bool AgPtIsValid(AcGePoint3d p);

// Side of a directed line: 1 left, -1 right, 0 on it; the list form gives -2 for short lists.
GEO_API int PntPos(AcGePoint3d pt, AcGePoint3d start, AcGePoint3d end, double tol);
GEO_API int PntPos(CPoint3d pt, CPoint3d start, CPoint3d end, double tol);
GEO_API int PntPos(std::vector<CPoint3d> const& pts, CPoint3d const& pt, double tol);

// Parsing and bulk edits.
GEO_API int Str2Point3d(CString text, CPoint3d& out);
GEO_API void SetZ(std::vector<CPoint3d>& pts, double z);
GEO_API void SetZ(std::vector<AcGePoint3d>& pts, double z);
GEO_API void SetZ(std::vector<std::vector<CPoint3d>>& lists, double z);
GEO_API void SetZ(std::vector<std::vector<AcGePoint3d>>& lists, double z);
GEO_API void SortPtsByDistance(CPoint3d const& ref, std::vector<CPoint3d>& pts);
GEO_API CPoint3d getLowestPt(std::vector<CPoint3d>& pts, CPoint3d& out);
