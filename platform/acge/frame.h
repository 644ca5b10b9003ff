// Shared helpers of the geometry value types: the arbitrary axis rule and plane coordinates.
#pragma once

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gevec3d.h>

namespace acge_detail {

// Normals this close to the Z axis (both x and y below it) take their X axis from world Y.
constexpr double kArbitraryAxisLimit = 1.0 / 64.0;

// In-plane X axis for a unit normal: (0,1,0) x N near the Z axis, else (0,0,1) x N; unit.
AcGeVector3d arbitraryXAxis(const AcGeVector3d& unitNormal);

// Coefficients (a, b) with a*u + b*v the part of w spanned by the axes u and v;
// (0, 0) when the axes are degenerate.
AcGePoint2d coordsInAxes(const AcGeVector3d& u, const AcGeVector3d& v, const AcGeVector3d& w);

// Length of a vector that is zero, or not a finite number: neither has a direction.
bool hasNoDirection(const AcGeVector3d& v);

}  // namespace acge_detail
