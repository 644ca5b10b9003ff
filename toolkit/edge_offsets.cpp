// Offsets built edge by edge: every edge moves parallel to itself and the moved edges are
// joined again where their lines meet.
#include <geo/edge_offsets.h>
#include <geo/float_comp.h>
#include <geo/measures.h>

#include "foundation/numeric.h"

#include <cstddef>

using geo_detail::kPointTol;

void SideOff(std::vector<CPoint3d>& pts, int index, double d) {
    if (FloatComp(d, 0.0, kPointTol) == 0 || index < 0 ||
        static_cast<size_t>(index) + 1 >= pts.size())
        return;
    const CVector3d v = LineVDir(pts[index], pts[index + 1]) * d;
    pts[index] += v;
    pts[index + 1] += v;
}
