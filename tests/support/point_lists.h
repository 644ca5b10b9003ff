// Point-list builders and expectations shared by the toolkit tests.
#pragma once

#include <geo/point3d.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace testpts {

using Pts = std::vector<CPoint3d>;

// A list of plan points at z 0.
inline Pts xy(std::initializer_list<std::pair<double, double>> list) {
    Pts pts;
    for (const auto& p : list) {
        pts.emplace_back(p.first, p.second, 0.0);
    }
    return pts;
}

// Same length, and every coordinate within tol.
inline void expectNearPoints(const Pts& got, const Pts& want, double tol = 1e-9) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, want[i].x, tol) << "point " << i;
        EXPECT_NEAR(got[i].y, want[i].y, tol) << "point " << i;
        EXPECT_NEAR(got[i].z, want[i].z, tol) << "point " << i;
    }
}

// Bit-for-bit equal lists, for fast paths checked against their literal rules.
inline ::testing::AssertionResult identicalPoints(const Pts& a, const Pts& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size();
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!(a[i].x == b[i].x && a[i].y == b[i].y && a[i].z == b[i].z)) {
            return ::testing::AssertionFailure() << "point " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace testpts
