// The kernel's point-in-outline test, in namespace Orvel.
#pragma once

#include <geo/acge/acarray.h>
#include <geo/acge/gepnt3d.h>
#include <geo/export.h>

namespace Orvel {

// Distance in XY within which a point counts as lying on the outline's boundary.
constexpr double kOnEdgeTol = 1e-6;

// Tells whether p lies inside the closed outline seen in the XY plane (z is
// ignored), by the even-odd rule. The closing edge from the last vertex back to
// the first is implicit; a repeated first vertex is harmless. A point within
// kOnEdgeTol of an edge is on the boundary: it counts as inside when onEdgeIsIn
// is true and as outside when it is false. An empty outline contains nothing,
// and a point with a NaN coordinate is never inside. The outline is not changed.
GEO_API bool isIn(AcGePoint3d p, AcArray<AcGePoint3d>& outline, bool onEdgeIsIn);

}  // namespace Orvel
