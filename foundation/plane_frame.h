// The 2D frame of a plane given by a unit normal and an elevation, and the choice of a usable
// unit normal for an outline. CPolygon3D keeps its two outlines in step through it and the
// toolkit lays outlines into a plane with it, without building a polygon (internal).
#pragma once

#include <geo/acge/geplane.h>
#include <geo/acge/gepnt3d.h>
#include <geo/point3d.h>

#include <vector>

namespace geo_detail {

// The unit vector along v, or false when v has no usable direction. A vector already of unit
// length is taken bit for bit, so that a normal read back from a record stays what was stored.
bool unitOf(CVector3d v, CVector3d& unit);

// Best-fit normal of a closed outline (Newell's method), pointing so that the outline runs
// counter-clockwise about it; zero for a degenerate outline.
CVector3d newellNormal(const std::vector<CPoint3d>& pts);

// n as a unit vector; failing that the outline's own normal; failing that +Z.
CVector3d settledNormal(const CVector3d& n, const std::vector<CPoint3d>& outline);

// A plane with a unit normal and an elevation (its signed distance from the world origin
// along the normal). Its in-plane axes follow from the normal alone, so the same normal
// always gives the same frame. World to frame drops the height; frame to world puts the
// points back onto the plane at the elevation.
struct PlaneFrame {
    CVector3d normal;
    double elevation;

    // The plane through normal * e with this normal.
    AcGePlane planeAt(double e) const;
    // Signed distance of p from the parallel plane through the world origin.
    double elevationOf(const CPoint3d& p) const;

    void toFrame(const AcGePoint3d& in, AcGePoint3d& out) const;
    void toWorld(const AcGePoint3d& in, AcGePoint3d& out) const;
    // In place: world to frame with the third coordinate set to z, and back.
    void toFrame(std::vector<AcGePoint3d>& pts, double z) const;
    void toFrame(std::vector<CPoint3d>& pts, double z) const;
    void toWorld(std::vector<AcGePoint3d>& pts) const;
    void toWorld(std::vector<CPoint3d>& pts) const;
};

}  // namespace geo_detail
