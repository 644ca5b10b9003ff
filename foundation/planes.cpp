// Crossings of planes with lines and with each other, and projection onto a plane.
#include "foundation/planes.h"

#include "foundation/numeric.h"

#include <cmath>

namespace geo_detail {

CVector3d turnNormal(const CPoint3d& p1, const CPoint3d& p2, const CPoint3d& p3) {
    CVector3d n = (p2 - p1).crossProduct(p3 - p2);
    return n.normalize();
}

bool planeOfFirstTurn(const std::vector<CPoint3d>& pts, CPoint3d& origin, CVector3d& normal) {
    // Shortest normal, unnormalised, that counts as a real turn.
    constexpr double kMinTurn = 1e-6;
    const size_t n = pts.size();
    for (size_t i = 0; i + 2 < n; ++i) {
        for (size_t j = i + 1; j + 1 < n; ++j) {
            for (size_t k = j + 1; k < n; ++k) {
                CVector3d turn = (pts[j] - pts[i]).crossProduct(pts[k] - pts[j]);
                if (turn.length() > kMinTurn) {
                    origin = pts[0];
                    normal = turn.normalize();
                    return true;
                }
            }
        }
    }
    return false;
}

bool crossPlane(const CPoint3d& origin, const CVector3d& normal, const CPoint3d& s,
                const CVector3d& d, double tol, double lo, double hi, CPoint3d& out) {
    const double k = normal.getDotProduct(d);
    if (!(std::fabs(k) >= tol)) {
        return false;
    }
    const double t = -normal.getDotProduct(s - origin) / k;
    if (!(t >= lo && t <= hi)) {
        return false;
    }
    out = s + d * t;
    return true;
}

bool planesMeet(const CPoint3d& o1, const CVector3d& n1, const CPoint3d& o2, const CVector3d& n2,
                double tol, CPoint3d& at, CVector3d& dir) {
    dir = n1.crossProduct(n2);
    const double ax = std::fabs(dir.x), ay = std::fabs(dir.y), az = std::fabs(dir.z);
    if (!(ax + ay + az >= tol)) {
        return false;
    }
    // Plane equations n.X + D = 0, solved with the largest direction component
    // as determinant and that coordinate set to 0.
    const double e1 = n1.getDotProduct(CVector3d(o1));
    const double e2 = n2.getDotProduct(CVector3d(o2));
    at = CPoint3d();
    if (ax > ay && ax > az) {
        at.y = (e1 * n2.z - e2 * n1.z) / dir.x;
        at.z = (e2 * n1.y - e1 * n2.y) / dir.x;
    } else if (ay > az) {
        at.z = (e1 * n2.x - e2 * n1.x) / dir.y;
        at.x = (e2 * n1.z - e1 * n2.z) / dir.y;
    } else {
        at.x = (e1 * n2.y - e2 * n1.y) / dir.z;
        at.y = (e2 * n1.x - e1 * n2.x) / dir.z;
    }
    return true;
}

CPoint3d projectOntoPlane(const CPoint3d& origin, const CVector3d& normal, const CPoint3d& p,
                          CVector3d dir) {
    constexpr double kMinDirection = 1e-6;
    if (dir.length() < kMinDirection) {
        dir = normal;
    }
    // Along the line through p and p + dir, as the difference of its two points.
    const CPoint3d ahead = p + dir;
    CPoint3d hit;
    if (!crossPlane(origin, normal, p, ahead - p, kPointTol, -HUGE_VAL, HUGE_VAL, hit)) {
        return CPoint3d(0.0, 0.0, 0.0);
    }
    return hit;
}

}  // namespace geo_detail
