// Component-wise expectations for the geometry value types in the acge tests.
#pragma once

#include <gtest/gtest.h>

#include <geo/acge/gemat3d.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gevec2d.h>
#include <geo/acge/gevec3d.h>

#include "support/expect.h"

constexpr double kNear = 1e-12;

// The AcGe value types, checked to the acge tests' own tighter default.
inline void expectNear(const AcGePoint2d& got, double x, double y, double tol = kNear) {
    point_expect::expectXy(got, x, y, tol);
}

inline void expectNear(const AcGeVector2d& got, double x, double y, double tol = kNear) {
    point_expect::expectXy(got, x, y, tol);
}

inline void expectNear(const AcGePoint3d& got, double x, double y, double z, double tol = kNear) {
    point_expect::expectXyz(got, x, y, z, tol);
}

inline void expectNear(const AcGeVector3d& got, double x, double y, double z, double tol = kNear) {
    point_expect::expectXyz(got, x, y, z, tol);
}

inline void expectIdentity(const AcGeMatrix3d& m, double tol = 1e-9) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(m.entry[r][c], r == c ? 1.0 : 0.0, tol) << r << c;
        }
    }
}
