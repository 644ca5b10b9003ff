#pragma once
// Point expectations and tolerance builders shared by the AcGe curve tests.

#include <gtest/gtest.h>

#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/getol.h>

namespace acge_test {

// Checks a point's coordinates; `eps` is the default tolerance a test file works to.
struct PointExpect {
    double eps;

    void operator()(const AcGePoint2d& p, double x, double y) const { (*this)(p, x, y, eps); }

    void operator()(const AcGePoint2d& p, double x, double y, double tol) const {
        EXPECT_NEAR(p.x, x, tol);
        EXPECT_NEAR(p.y, y, tol);
    }

    void operator()(const AcGePoint3d& p, double x, double y, double z) const {
        (*this)(p, x, y, z, eps);
    }

    void operator()(const AcGePoint3d& p, double x, double y, double z, double tol) const {
        EXPECT_NEAR(p.x, x, tol);
        EXPECT_NEAR(p.y, y, tol);
        EXPECT_NEAR(p.z, z, tol);
    }
};

// A tolerance with the same point and vector bound.
inline AcGeTol tolOf(double t) {
    AcGeTol tol;
    tol.setEqualPoint(t);
    tol.setEqualVector(t);
    return tol;
}

}  // namespace acge_test
