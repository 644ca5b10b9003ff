// Regions: planar areas of outer boundaries and holes, their GPC conversions and booleans.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/gpc.h>
#include <geo/lines.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <typeinfo>
#include <vector>

// One boundary of a region: its vertices (closing edge implicit) and whether it is an
// outer boundary (true) or a hole (false).
struct RegionContour {
    std::vector<CPoint3d> pts;
    bool isOuter = true;

    RegionContour() = default;
    RegionContour(const std::vector<CPoint3d>& points, bool outer) : pts(points), isOuter(outer) {}
    RegionContour(std::vector<CPoint3d>&& points, bool outer)
        : pts(std::move(points)), isOuter(outer) {}
};

// A planar area: outer boundaries and holes in insertion order, nothing tying a hole to a
// particular outer. The cached box covers the outer boundaries only and is rebuilt whenever
// the contours change. Orientation is left as given, except by Offset.
class GEO_API CRegion : public CGeometry {
    DECLARE_SERIAL(CRegion)

public:
    // All boundaries, outer and holes mixed; toolkit functions edit this list directly.
    std::vector<RegionContour> contours;

    CRegion();
    // One outer contour.
    CRegion(const std::vector<CPoint3d>& pts);
    CRegion(const std::vector<AcGePoint2d>& pts);
    // One outer contour per list, in order.
    CRegion(const std::vector<std::vector<CPoint3d>>& outers);
    // The outer contours in order, then the holes in order.
    CRegion(const std::vector<std::vector<CPoint3d>>& outers,
            const std::vector<std::vector<CPoint3d>>& holes);
    // One outer contour; elevation and thickness taken from the polygon.
    CRegion(const CPolygon& polygon);
    // One contour per GPC contour in GPC's order, z 0; a hole flag of 0 makes an outer.
    CRegion(const gpc::gpc_polygon& poly);
    CRegion(const CRegion& other);
    CRegion(CRegion&& other) noexcept;
    ~CRegion() override;
    CRegion& operator=(const CRegion& other);
    CRegion& operator=(CRegion&& other) noexcept;

    // Total area of the outers less the total area of the holes (unsigned contour areas).
    double area() const;
    // Inside some outer and not inside any hole. With onEdgeIn, boundary points of outers
    // count as inside and boundary points of holes do not count as inside the hole.
    bool ptIn(const CPoint3d& p, bool onEdgeIn, double tol) const;
    bool ptIn(const AcGePoint3d& p, bool onEdgeIn, double tol) const;
    // On the boundary of any contour, closing edges included.
    bool ptOn(const CPoint3d& p, double tol) const;
    bool ptOn(const AcGePoint3d& p, double tol) const;

    // Clear out, append the vertex lists of the outers (holes); the number appended.
    int getPtsOuter(std::vector<std::vector<CPoint3d>>& out) const;
    int getPtsHoles(std::vector<std::vector<CPoint3d>>& out) const;
    // Clears out; the outers in reverse order of appearance, then the holes in order.
    void getAllContour(std::vector<std::vector<AcGePoint3d>>& out) const;

    // The plan box of the outer contours computed afresh (out-parameters untouched when
    // there is no outer vertex).
    void getBox(CPoint3d& min, CPoint3d& max) const;
    // Rebuilds the cached box from the outer contours.
    void calBox();

    // The contours of 3 or more vertices as a GPC polygon (holes flagged 1), in order.
    // The caller releases it with gpc_free_polygon.
    gpc::gpc_polygon GetGpcGon() const;

    // this op other through GPC, this as subject. out receives the result (elevation and
    // thickness 0) and may be either operand; false when the result has no contour.
    bool booleanOper(const CRegion& other, CRegion& out, gpc::gpc_op op) const;
    bool booleanOper(const CPolygon& other, CRegion& out, gpc::gpc_op op) const;

    // Parallel offset of every contour of 3 or more vertices, outers run clockwise and holes
    // counter-clockwise; the pieces replace the contours, flagged outer when clockwise.
    // False, with the region unchanged, when no piece results.
    bool Offset(double dist);

    double elevation() const;
    void setElevation(double e);
    double thickness() const;
    void setThickness(double t);

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    // Plan move: x and y only, z of the vertices kept.
    void move(const CVector3d& v) override;
    void rotate(const CPoint3d& base, double angle) override;
    void scale(const CPoint3d& base, double factor) override;
    // Plan reflection; each contour's vertex order is reversed so its orientation is kept.
    void mirror(const CLine& line) override;
    // Version, elevation, thickness, contour count, per contour its point list and outer
    // flag; no base record. Reading rebuilds the box and, on failure, leaves the region as
    // it was.
    void Serialize(CArchive& ar) override;

private:
    double elev = 0.0;
    double thick = 0.0;

    void writeRecord(CArchive& ar) const;
    void readRecord(CArchive& ar);
};

// Identical to CRegion::GetGpcGon.
GEO_API gpc::gpc_polygon MakeGpcGonFromRegion(const CRegion& region);
