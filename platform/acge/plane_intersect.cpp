// Where a plane meets a linear entity or another plane.

#include <cmath>

#include <geo/acge/gelent3d.h>
#include <geo/acge/geline3d.h>
#include <geo/acge/geplane.h>

#include "platform/acge/curve_util.h"

using acge_detail::cross3;
using acge_detail::dot3;
using acge_detail::len3;

bool AcGePlane::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt,
                              const AcGeTol& tol) const {
    return linEnt.intersectWith(*this, pnt, tol);
}

bool AcGePlane::intersectWith(const AcGePlane& otherPln, AcGeLine3d& intLine,
                              const AcGeTol& tol) const {
    const AcGeVector3d n1 = normal(), n2 = otherPln.normal();
    const AcGeVector3d dir = cross3(n1, n2);
    const double sine2 = dot3(dir, dir);
    if (!(len3(dir) > tol.equalVector())) {
        return false;
    }
    // The point of the meeting line nearest the origin: a combination of both
    // normals.
    const double d1 = dot3(n1, pointOnPlane().asVector());
    const double d2 = dot3(n2, otherPln.pointOnPlane().asVector());
    const double n12 = dot3(n1, n2);
    const double a = (d1 * dot3(n2, n2) - d2 * n12) / sine2;
    const double b = (d2 * dot3(n1, n1) - d1 * n12) / sine2;
    const AcGePoint3d onBoth(a * n1.x + b * n2.x, a * n1.y + b * n2.y, a * n1.z + b * n2.z);
    intLine.set(onBoth, dir);
    return true;
}
