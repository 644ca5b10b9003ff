#pragma once
// Building and checking CPoint3d lists in the toolkit tests.

#include <geo/point3d.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "support/expect.h"

namespace point_lists {

using Pts = std::vector<CPoint3d>;

// A list from plan coordinates, z 0.
inline Pts plan(std::initializer_list<std::pair<double, double>> xy) {
    Pts pts;
    for (const auto& p : xy) {
        pts.emplace_back(p.first, p.second, 0.0);
    }
    return pts;
}

using point_expect::expectXyz;

// Expects the list to hold exactly these plan points, in order, within tol.
inline void expectPlan(const Pts& got, const Pts& want, double tol = 1e-9) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_NEAR(got[k].x, want[k].x, tol) << "point " << k;
        EXPECT_NEAR(got[k].y, want[k].y, tol) << "point " << k;
    }
}

// Expects the list to hold exactly these points, in order, all three coordinates within tol.
inline void expectPoints(const Pts& got, const Pts& want, double tol = 1e-9) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        SCOPED_TRACE(k);
        expectXyz(got[k], want[k].x, want[k].y, want[k].z, tol);
    }
}

// Expects two lists to be bit for bit the same.
inline void expectIdentical(const Pts& got, const Pts& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_EQ(got[k].x, want[k].x) << "point " << k;
        EXPECT_EQ(got[k].y, want[k].y) << "point " << k;
        EXPECT_EQ(got[k].z, want[k].z) << "point " << k;
    }
}

// A bar 40 long and 10 high with ten small teeth on top: growing it swallows the teeth,
// leaving one outline with far fewer points, which makes the plane offset retry.
inline Pts comb() {
    Pts c = plan({{0, 0}, {40, 0}, {40, 10}});
    for (int i = 0; i < 10; ++i) {
        const double x = 40 - 4 * i;
        for (auto q : {std::make_pair(x - 1, 10.0), {x - 1, 11.0}, {x - 3, 11.0}, {x - 3, 10.0}}) {
            c.emplace_back(q.first, q.second, 0.0);
        }
    }
    c.emplace_back(0, 10, 0);
    c.emplace_back(0, 0, 0);
    return c;
}

}  // namespace point_lists
