// A planar polygon in an arbitrary plane, kept both in world and in plane-frame coordinates.
#pragma once

#include <geo/acge/geline3d.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec3d.h>
#include <geo/export.h>
#include <geo/geometry.h>
#include <geo/lines.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/object.h>
#include <geo/point3d.h>
#include <geo/polylines.h>

#include <typeinfo>
#include <vector>

// A planar outline with a unit normal `ucs`, an elevation (signed distance of its plane
// from the world origin along `ucs`) and an extrusion thickness along `ucs`.
//
// The outline is held twice and every change rebuilds the other form: `worldPts` (open,
// counter-clockwise about `ucs`) and `ucsPolygon`, the same outline in the plane's own 2D
// frame (z = 0). The frame's in-plane axes follow from the normal alone, so the same
// normal always gives the same frame. The cached box is the 3D box of `worldPts`.
//
// A zero or non-finite normal is never stored: it is replaced by the best-fit normal of
// the world outline (Newell's method) and, when that is degenerate too, by +Z. An outline
// that is not planar keeps its world points; its plane outline is their projection.
class GEO_API CPolygon3D : public CGeometry {
    DECLARE_SERIAL(CPolygon3D)

public:
    CPolygon3D();
    // The plane outline p (its z forced to 0) in the plane of normal n at elevation e.
    CPolygon3D(const CPolygon& p, const CVector3d& n, double e);
    // The world outline pts in the plane of normal n; fewer than 3 points leave it empty.
    CPolygon3D(const std::vector<CPoint3d>& pts, const CVector3d& n);
    CPolygon3D(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& n);
    CPolygon3D(const CPolygon3D& other);
    ~CPolygon3D() override;
    CPolygon3D& operator=(const CPolygon3D& other);

    // World to plane-frame coordinates (third coordinate 0), and back onto the plane.
    void world2ucs(const AcGePoint3d& in, AcGePoint3d& out) const;
    void world2ucs(const CPoint3d& in, CPoint3d& out) const;
    void ucs2world(const AcGePoint3d& in, AcGePoint3d& out) const;
    void ucs2world(const CPoint3d& in, CPoint3d& out) const;
    // In place: world to plane frame with the third coordinate set to z, and back.
    void changeWorldToUcs(std::vector<AcGePoint3d>& pts, double z) const;
    void changeWorldToUcs(std::vector<CPoint3d>& pts, double z) const;
    void changeUcsToWorld(std::vector<AcGePoint3d>& pts) const;
    void changeUcsToWorld(std::vector<CPoint3d>& pts) const;

    // The world outline. Editing it through the reference bypasses the plane outline.
    std::vector<CPoint3d>& getWorldPts();
    const std::vector<CPoint3d>& getWorldPts() const;
    void getWorldPts(std::vector<CPoint3d>& out) const;
    void getWorldPts(std::vector<AcGePoint3d>& out) const;
    std::vector<AcGePoint3d> getAcWorldPts() const;

    // The plane outline's points.
    void getUcsPts(std::vector<CPoint3d>& out) const;
    std::vector<CPoint3d> getUcsPts() const;
    void getUcsPts(std::vector<AcGePoint3d>& out) const;
    std::vector<AcGePoint3d> getAcucsPts() const;
    // The plane outline itself, owned by this object.
    CPolygon* getUcsPolygon();

    // True area in the plane, and the area of the world outline projected on XY.
    double getArea() const;
    double getAreaPrjXY() const;

    CVector3d& getUcs();
    void getUcs(CVector3d& out) const;
    AcGeVector3d getAcucs() const;
    void getAcucs(AcGeVector3d& out) const;

    double getElev() const;
    double getThickness() const;
    // Changes the thickness only.
    void setThickness(double t);
    // Sets the elevation; with rebuild the world outline moves with the plane.
    void setElev(double e, bool rebuild);

    // Replace the plane outline (normalised, z forced to 0) and rebuild the world outline.
    void setUcsPts(const std::vector<CPoint3d>& pts);
    void setUcsPts(const std::vector<AcGePoint3d>& pts);
    void setUcsPolygon(const CPolygon& p);
    // Replace the world outline (a closing repeat dropped, turned counter-clockwise about the
    // normal) and rebuild the plane outline; fewer than 3 points change nothing.
    void setWorldPts(const std::vector<CPoint3d>& pts);
    void setWorldPts(const std::vector<CPoint3d>& pts, const CVector3d& n);
    void setWorldPts(const std::vector<AcGePoint3d>& pts, const AcGeVector3d& n);
    // Rebuilds the world outline, elevation, projected area and box from the plane outline.
    void initWorldPts();

    // The plane at the current elevation.
    void GetPlane(AcGePlane& plane) const;
    // The plane point nearest the world origin: ucs * elevation.
    void GetPtInPln(AcGePoint3d& out) const;
    void GetPtInPln(CPoint3d& out) const;
    CPoint3d GetPtInPln() const;
    AcGePoint3d GetAcptInPln() const;

    // Whether p lies on the plane within tol.
    bool ptIsInPln(const AcGePoint3d& p, double tol) const;
    bool ptIsInPln(const CPoint3d& p, double tol) const;
    // Whether p lies on the plane and inside the outline; onEdge decides boundary points.
    bool ptIsInArea(const AcGePoint3d& p, double tol, bool onEdge) const;
    bool ptIsInArea(const CPoint3d& p, double tol, bool onEdge) const;
    // Whether both polygons lie in the same plane (either facing) within tol.
    bool plnIsEqual(CPolygon3D& o, double tol);
    // Whether the planes are parallel.
    bool plnIsParallelTo(CPolygon3D& o, double tol);
    // The line where the two planes meet; false when they are parallel.
    bool plnIsIntersectWith(const CPolygon3D& o, AcGeLine3d& line, double tol) const;

    // Extrusion direction of face i: -1 top (ucs), -2 bottom (-ucs), 0..n-1 the outward,
    // unnormalised normal of side face i. False (v untouched) for any other index.
    bool getExtrudeV(int i, CVector3d& v) const;
    // The world outline shifted by h (or the thickness) along the normal.
    void getTopPts(double h, std::vector<CPoint3d>& out) const;
    void getTopPts(std::vector<CPoint3d>& out) const;

    // Whether the two polygons meet along the line where their planes cross; line is set
    // to that line whenever the planes cross.
    bool intersectWith(CPolygon3D& o, AcGeLine3d& line, double tol);

    const std::type_info& type() const override;
    CGeometry* clone() const override;
    void move(const CVector3d& v) override;
    // Turns about the vertical axis through base.
    void rotate(const CPoint3d& base, double angle) override;
    // Turns about an axis through base (right-hand rule); a zero axis changes nothing.
    void rotate(const AcGeVector3d& axis, const AcGePoint3d& base, double angle);
    void rotate(const CVector3d& axis, const CPoint3d& base, double angle);
    void scale(const CPoint3d& base, double factor) override;
    // Reflection in the vertical plane through the line.
    void mirror(const CLine& line) override;
    // Reflection in a plane, or in the plane of another polygon.
    void mirror(const AcGePlane& plane);
    void mirror(CPolygon3D& o);

    // Version 2.1, plane outline, normal, world points, projected area, elevation,
    // thickness, base record. Records of version 2.0 stop after the normal.
    void Serialize(CArchive& ar) override;

protected:
    // Elevation from the first world point; projected area; box of the world outline.
    void calElev();
    void calArea();
    void calBox();

private:
    // The plane P(e) through e * ucs with normal ucs.
    AcGePlane planeAt(double e) const;
    // After worldPts changed: orientation, plane outline, elevation, area, box.
    void rebuildFromWorld();
    // Makes ucs a finite unit vector, falling back to the outline's normal, then +Z.
    void settleNormal(const CVector3d& n);
    void readRecord(CArchive& ar);
    void readCurrentTail(CArchive& ar);

    CPolygon ucsPolygon;
    CVector3d ucs;
    std::vector<CPoint3d> worldPts;
    double areaPrjXY;
    double elevation;
    double thickness;
};
