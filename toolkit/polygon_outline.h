// How a polygon keeps its outline, and how a 3D polygon lays a world outline into its plane.
// CPolygon and CPolygon3D follow these rules, and toolkit functions that want an outline's
// plane frame use them without building a polygon (internal).
#pragma once

#include <geo/point3d.h>

#include "foundation/plane_frame.h"

#include <vector>

namespace geo_detail {

// Tidies an outline as a polygon keeps it. One of less than 0.05 in area is only opened; a
// larger one loses each vertex nearer than 0.01 to the vertex kept before it, and a closing
// repeat when four or more points remain. Either way it ends counter-clockwise.
void tidyPolygonOutline(std::vector<CPoint3d>& pts);

// The world outline without its closing repeat (a last point within 1e-6 of the first).
std::vector<CPoint3d> openWorldOutline(const std::vector<CPoint3d>& pts);

// A world outline laid into the frame of its plane.
struct FramedOutline {
    std::vector<CPoint3d> world;  // counter-clockwise about the normal; vertex i over plane[i]
    std::vector<CPoint3d> plane;  // the tidied outline in the plane frame (z = 0)
    double elevation;             // that of world[0]; the one given when world ends empty
};

// Lays an open world outline into the frame of the unit normal: turned counter-clockwise
// about it and tidied in the plane. When tidying merges or reorders vertices beyond a plain
// reversal, the world outline is rebuilt from the plane one, so that vertex i of one is
// always vertex i of the other.
FramedOutline frameOutline(std::vector<CPoint3d> world, const CVector3d& normal, double elevation);

// The plane frame a 3D polygon built from the world outline pts (three or more points) and
// the normal n takes: n settled against the open outline, the elevation of its framed form.
PlaneFrame polygonFrame(const std::vector<CPoint3d>& pts, const CVector3d& n);

}  // namespace geo_detail
