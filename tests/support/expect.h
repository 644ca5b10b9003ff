#pragma once
// Coordinate expectations for any point or vector type, shared by every test.

#include <gtest/gtest.h>

namespace point_expect {

// Expects the plan coordinates of a point or vector within tol.
template <class P>
void expectXy(const P& got, double x, double y, double tol = 1e-9) {
    EXPECT_NEAR(got.x, x, tol);
    EXPECT_NEAR(got.y, y, tol);
}

// Expects the three coordinates of a point or vector within tol.
template <class P>
void expectXyz(const P& got, double x, double y, double z, double tol = 1e-9) {
    expectXy(got, x, y, tol);
    EXPECT_NEAR(got.z, z, tol);
}

// Expects exactly these three coordinates.
template <class P>
void expectSameXyz(const P& got, double x, double y, double z) {
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.z, z);
}

}  // namespace point_expect
