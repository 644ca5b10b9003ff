#pragma once
// Point expectations shared by the AcGe curve tests.

#include "platform/acge/value_expect.h"

namespace acge_test {

// Checks a point's coordinates; `eps` is the default tolerance a test file works to.
struct PointExpect {
    double eps;

    void operator()(const AcGePoint2d& p, double x, double y) const { (*this)(p, x, y, eps); }

    void operator()(const AcGePoint2d& p, double x, double y, double tol) const {
        expectNear(p, x, y, tol);
    }

    void operator()(const AcGePoint3d& p, double x, double y, double z) const {
        (*this)(p, x, y, z, eps);
    }

    void operator()(const AcGePoint3d& p, double x, double y, double z, double tol) const {
        expectNear(p, x, y, z, tol);
    }
};

}  // namespace acge_test
