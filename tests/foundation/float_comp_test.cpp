// Tolerant three-way comparison of reals.
#include <geo/float_comp.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(FloatComp, ResultsAreExactlyMinusOneZeroOne) {
    EXPECT_EQ(FloatComp(1.0, 2.0, 1e-6), -1);
    EXPECT_EQ(FloatComp(2.0, 1.0, 1e-6), 1);
    EXPECT_EQ(FloatComp(1e300, -1e300, 1e-6), 1);  // the difference overflows to inf
    EXPECT_EQ(FloatComp(-5.0, 5.0, 0.5), -1);
    EXPECT_EQ(FloatComp(0.1 + 0.2, 0.3, 1e-6), 0);
}

TEST(FloatComp, DifferenceOfExactlyTolIsEqual) {
    EXPECT_EQ(FloatComp(1.5, 1.0, 0.5), 0);
    EXPECT_EQ(FloatComp(1.0, 1.5, 0.5), 0);
    EXPECT_EQ(FloatComp(1.5, 1.0, std::nextafter(0.5, 0.0)), 1);
    EXPECT_EQ(FloatComp(1.0, 1.5, std::nextafter(0.5, 0.0)), -1);
}

TEST(FloatComp, ZeroOrNegativeToleranceLeavesOnlyExactEquality) {
    EXPECT_EQ(FloatComp(1.0, 1.0, 0.0), 0);
    EXPECT_EQ(FloatComp(1.0, std::nextafter(1.0, 2.0), 0.0), -1);
    EXPECT_EQ(FloatComp(2.0, 2.0, -1.0), 0);
    EXPECT_EQ(FloatComp(2.0, 2.5, -1.0), -1);
    EXPECT_EQ(FloatComp(2.0, 2.5, kNaN), -1);
}

TEST(FloatComp, InfinitiesCompareByOrder) {
    EXPECT_EQ(FloatComp(kInf, kInf, 1e-6), 0);
    EXPECT_EQ(FloatComp(-kInf, -kInf, 1e-6), 0);
    EXPECT_EQ(FloatComp(kInf, 1e308, 1e-6), 1);
    EXPECT_EQ(FloatComp(-kInf, kInf, 1e-6), -1);
    EXPECT_EQ(FloatComp(1.0, 2.0, kInf), 0);
}

TEST(FloatComp, NaNNeverComparesEqual) {
    EXPECT_EQ(FloatComp(kNaN, 0.0, 1e-6), 1);
    EXPECT_EQ(FloatComp(0.0, kNaN, 1e-6), -1);
    EXPECT_EQ(FloatComp(kNaN, kNaN, 1e-6), 1);
    EXPECT_EQ(FloatComp(kNaN, kInf, kInf), 1);
}

}  // namespace
