#pragma once
// Small arithmetic shared by the curve classes of the AcGe stand-in (internal).

#include <cmath>

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec2d.h>
#include <geo/acge/gevec3d.h>

#include "platform/numeric.h"

namespace acge_detail {

using platform_detail::kPi;
using platform_detail::kTwoPi;

// Angle brought into [base, base + 2 pi).
inline double angleFrom(double angle, double base) {
    double a = std::fmod(angle - base, kTwoPi);
    if (a < 0.0) {
        a += kTwoPi;
    }
    if (a >= kTwoPi) {
        a = 0.0;
    }
    return base + a;
}

inline double dot3(const AcGeVector3d& a, const AcGeVector3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline AcGeVector3d cross3(const AcGeVector3d& a, const AcGeVector3d& b) {
    return AcGeVector3d(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

inline double len3(const AcGeVector3d& a) {
    return std::sqrt(dot3(a, a));
}

inline double cross2(const AcGeVector2d& a, const AcGeVector2d& b) {
    return a.x * b.y - a.y * b.x;
}

inline double dot2(const AcGeVector2d& a, const AcGeVector2d& b) {
    return a.x * b.x + a.y * b.y;
}

// In-plane X axis for a unit normal by the arbitrary axis rule; Y is normal x X.
inline AcGeVector3d arbitraryXAxis(const AcGeVector3d& n) {
    const double kNear = 1.0 / 64.0;
    AcGeVector3d ax = (std::fabs(n.x) < kNear && std::fabs(n.y) < kNear)
                          ? cross3(AcGeVector3d(0.0, 1.0, 0.0), n)
                          : cross3(AcGeVector3d(0.0, 0.0, 1.0), n);
    double len = len3(ax);
    return len > 0.0 ? AcGeVector3d(ax.x / len, ax.y / len, ax.z / len) : AcGeVector3d(1, 0, 0);
}

}  // namespace acge_detail
