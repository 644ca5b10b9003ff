// Point and vector arithmetic, equality, angles and rotations.
#include <geo/point3d.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "foundation/numeric.h"
#include "support/expect.h"

namespace {

using point_expect::expectXyz;

using geo_detail::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(PointEquality, IsAStrictPerAxisBoxTest) {
    const CPoint3d p(1, 2, 3);
    EXPECT_FALSE(p.isEqualTo(p, 0.0));  // strict even for identical points
    EXPECT_TRUE(p.isEqualTo(CPoint3d(1.4, 2.4, 3.4), 0.5));
    EXPECT_FALSE(p.isEqualTo(CPoint3d(1.5, 2, 3), 0.5));
    EXPECT_FALSE(p.isEqualTo(CPoint3d(1, 2, 3.5), 0.5));
    // Points 0.9e-6 apart on all three axes are equal although farther than 1e-6 apart.
    const CPoint3d q(0.9e-6, 0.9e-6, 0.9e-6);
    EXPECT_GT(q.distanceTo(CPoint3d::kOrigin), 1e-6);
    EXPECT_TRUE(q == CPoint3d::kOrigin);
    EXPECT_FALSE(q != CPoint3d::kOrigin);
}

TEST(PointEquality, DifferenceOfOneMillionthOnOneAxisIsUnequal) {
    const CPoint3d a(0.5, 0.0, 0.0);
    const CPoint3d b(0.5 + 1e-6, 0.0, 0.0);
    ASSERT_GE(std::fabs(b.x - a.x), 1e-6);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
    EXPECT_FALSE(CVector3d(0, 2, 0) == CVector3d(0, 2, 2e-6));
    EXPECT_TRUE(CVector3d(0, 2, 0) == CVector3d(0, 2, 0.5e-6));
}

TEST(PointEquality, NaNIsNeverEqual) {
    const CPoint3d p(kNaN, 0, 0);
    EXPECT_FALSE(p == p);
    EXPECT_TRUE(p != p);
    EXPECT_FALSE(CVector3d(0, kNaN, 0) == CVector3d(0, kNaN, 0));
}

TEST(PointIndex, SelectsComponentsAndThrowsTheGbkTextBeyondTwo) {
    CPoint3d p(1, 2, 3);
    const CPoint3d& cp = p;
    EXPECT_EQ(cp[0], 1);
    EXPECT_EQ(cp[2], 3);
    p[1] = 7;
    EXPECT_EQ(p.y, 7);
    const unsigned char gbk[] = {0xCA, 0xFD, 0xD7, 0xE9, 0xD4, 0xBD, 0xBD, 0xE7, 0x00};
    for (unsigned int bad : {3u, 4u, 0xFFFFFFFFu}) {
        try {
            p[bad] = 99;
            FAIL() << "no exception for index " << bad;
        } catch (const char* text) {
            EXPECT_EQ(text, kArrayOutOfBounds);
            EXPECT_EQ(std::memcmp(text, gbk, sizeof gbk), 0);
        }
        EXPECT_THROW(static_cast<void>(cp[bad]), const char*);
    }
    expectXyz(p, 1, 7, 3, 0);
}

TEST(PointArithmetic, SumsDifferencesAndScaling) {
    CPoint3d p(1, 2, 3);
    expectXyz(p + CPoint3d(1, 1, 1), 2, 3, 4, 1e-12);
    expectXyz(p + CVector3d(0, 0, -3), 1, 2, 0, 1e-12);
    const CVector3d d = p - CPoint3d(4, 6, 3);  // from the argument to this point
    expectXyz(d, -3, -4, 0, 1e-12);
    EXPECT_DOUBLE_EQ(CPoint3d(3, 4, 0).distanceTo(CPoint3d::kOrigin), 5.0);
    expectXyz(p * 2, 2, 4, 6, 1e-12);
    p.move(CVector3d(1, 0, 0)) += CPoint3d(0, 1, 0);
    expectXyz(p, 2, 3, 3, 1e-12);
    const CPoint3d& same = p;
    p = same;  // self-assignment keeps the point
    expectXyz(p, 2, 3, 3, 1e-12);
}

TEST(PointArithmetic, DivisionByZeroIsNotGuarded) {
    const CPoint3d p = CPoint3d(1, 0, 0) / 0.0;
    EXPECT_EQ(p.x, kInf);
    EXPECT_TRUE(std::isnan(p.y));
    EXPECT_TRUE(std::isnan(p.z));
    const CVector3d v = CVector3d(1, 0, 0) / 0.0;
    EXPECT_EQ(v.x, kInf);
    EXPECT_TRUE(std::isnan(v.y));
}

TEST(PointScale, UniformAndPerAxisAboutABase) {
    CPoint3d p(3, 5, 7);
    p.scale(2.0, CPoint3d(1, 1, 1));
    expectXyz(p, 5, 9, 13, 1e-12);
    CPoint3d q(3, 5, 7);
    q.scale(2.0, 0.5, -1.0, CPoint3d(1, 1, 1));
    expectXyz(q, 5, 3, -5, 1e-12);
}

TEST(PointRotate, TurnsAboutTheVerticalThroughTheBaseKeepingHeight) {
    CPoint3d p(2, 1, 0.1);
    p.rotate(CPoint3d(1, 1, 5), kPi / 2);
    expectXyz(p, 1, 2, 0.1, 1e-12);
    EXPECT_EQ(p.z, 0.1);  // exactly, for a point at any height
    for (double h : {-1e9, -3.3, 0.0, 0.7, 5.0, 123456.789}) {
        CPoint3d q(4, -2, h);
        q.rotate(CPoint3d(1, 1, 5), 1.234);
        EXPECT_EQ(q.z, h);
        EXPECT_NEAR(q.distanceTo(CPoint3d(1, 1, h)), std::sqrt(18.0), 1e-9);
    }
    CPoint3d r(1, 0, 0);
    r.rotate(CPoint3d::kOrigin, -kPi / 2);  // clockwise
    expectXyz(r, 0, -1, 0, 1e-12);
}

TEST(PointValidity, FiniteComponentsOnly) {
    EXPECT_TRUE(CPoint3d(1e308, -1e308, 0).isValid());
    EXPECT_FALSE(CPoint3d(kNaN, 0, 0).isValid());
    EXPECT_FALSE(CPoint3d(0, kInf, 0).isValid());
    EXPECT_FALSE(CPoint3d(0, 0, -kInf).isValid());
    EXPECT_TRUE(CVector3d(0, 0, 0).isValid());
    EXPECT_FALSE(CVector3d(0, 0, kNaN).isValid());
    EXPECT_FALSE(CVector3d(kInf, 0, 0).isValid());
}

TEST(VectorArithmetic, CompoundOperatorsAndZeroGuards) {
    CVector3d v(1, 2, 3);
    v += CVector3d(1, 1, 1);
    v -= CVector3d(0, 0, 4);
    v *= 2;
    expectXyz(v, 4, 6, 0, 1e-12);
    v /= 0.0;  // guarded: unchanged
    expectXyz(v, 4, 6, 0, 0);
    v /= 2.0;
    expectXyz(v, 2, 3, 0, 1e-12);
    expectXyz(-v, -2, -3, 0, 1e-12);
    expectXyz(v - CVector3d(2, 3, 1), 0, 0, -1, 1e-12);
    CVector3d zero;
    zero.normalize();
    expectXyz(zero, 0, 0, 0, 0);
    CVector3d w(3, 0, 4);
    EXPECT_DOUBLE_EQ(w.length(), 5.0);
    w.normalize();
    expectXyz(w, 0.6, 0, 0.8, 1e-12);
}

TEST(VectorProducts, DotAndCrossFollowTheRightHandRule) {
    EXPECT_DOUBLE_EQ(CVector3d(1, 2, 3).getDotProduct(CVector3d(4, -5, 6)), 12.0);
    expectXyz(CVector3d::kXAxis.crossProduct(CVector3d::kYAxis), 0, 0, 1, 0);
    expectXyz(CVector3d(1, 2, 3).crossProduct(CVector3d(4, 5, 6)), -3, 6, -3, 0);
    CVector3d r(9, 9, 9);
    r.crossProduct(CVector3d::kYAxis, CVector3d::kXAxis);
    expectXyz(r, 0, 0, -1, 0);
}

TEST(VectorAngles, UnsignedAngleIsClampedAndNaNForZeroVectors) {
    EXPECT_NEAR(CVector3d(1, 0, 0).getAngle(CVector3d(0, 3, 0)), kPi / 2, 1e-15);
    // Parallel vectors whose cosine rounds past 1 still give a number.
    for (double k : {0.1, 3.0, 7.0, 1e5}) {
        const CVector3d v(1.1, 2.3, -0.7);
        const double a = v.getAngle(v * k);
        EXPECT_FALSE(std::isnan(a)) << k;
        EXPECT_LT(a, 1e-7);
        const double b = v.getAngle(-v * k);
        EXPECT_NEAR(b, kPi, 1e-7);
    }
    EXPECT_NEAR(CVector3d(1, 1e-9, 0).getAngle(CVector3d(-1, 0, 0)), kPi, 1e-8);
    EXPECT_TRUE(std::isnan(CVector3d().getAngle(CVector3d(1, 0, 0))));
}

TEST(VectorAngles, DirectionAngleRangeIsClosedAtTwoPi) {
    EXPECT_EQ(CVector3d(1e-9, 0, 0).angle(), 0.0);
    EXPECT_EQ(CVector3d(0, 0, 0).angle(), 0.0);
    EXPECT_NEAR(CVector3d(0, 1, 0).angle(), kPi / 2, 1e-15);
    EXPECT_NEAR(CVector3d(-1, 0, 0).angle(), kPi, 1e-15);
    EXPECT_NEAR(CVector3d(0, -1, 0).angle(), 3 * kPi / 2, 1e-15);
    EXPECT_EQ(CVector3d(1, -1e-12, 0).angle(), geo_detail::kTwoPi);
    // Measured in 3D against the X axis, not in plan.
    EXPECT_NEAR(CVector3d(1, 0, 1).angle(), kPi / 4, 1e-15);
}

TEST(VectorRotate, RodriguesAboutAnyAxis) {
    CVector3d v(1, 0, 0);
    v.rotate(kPi / 2, CVector3d::kZAxis);
    expectXyz(v, 0, 1, 0, 1e-15);
    CVector3d w(0, 1, 0);
    w.rotate(kPi / 2, CVector3d(5, 0, 0));  // the axis need not be unit length
    expectXyz(w, 0, 0, 1, 1e-15);
    CVector3d u(1, 0, 0);
    u.rotate(2 * kPi / 3, CVector3d(1, 1, 1));  // cycles the axes
    expectXyz(u, 0, 1, 0, 1e-15);
}

TEST(VectorRotate, ZeroAxisScalesByTheCosine) {
    CVector3d v(2, -4, 6);
    v.rotate(kPi / 3, CVector3d());
    expectXyz(v, 1, -2, 3, 1e-12);
    CVector3d w(2, -4, 6);
    w.rotate(kPi / 2, CVector3d());
    expectXyz(w, 0, 0, 0, 1e-15);
}

TEST(Conversions, AcGeValuesKeepTheirComponents) {
    const CVector3d v(AcGeVector3d(1.5, -2.5, 3.5));
    expectXyz(v, 1.5, -2.5, 3.5, 0);
    const AcGeVector3d back = v.toAcGeVector3d();
    EXPECT_EQ(back.x, 1.5);
    EXPECT_EQ(back.z, 3.5);
    const CPoint3d p(AcGePoint3d(7, 8, 9));
    expectXyz(p, 7, 8, 9, 0);
    const AcGePoint3d q = p.toAcGePoint3d();
    EXPECT_EQ(q.y, 8);
    expectXyz(CVector3d(CPoint3d(1, 2, 3)), 1, 2, 3, 0);
    expectXyz(CPoint3d(CVector3d(4, 5, 6)), 4, 5, 6, 0);
}

TEST(Constants, AreBuiltAtLoad) {
    expectXyz(CPoint3d::kOrigin, 0, 0, 0, 0);
    expectXyz(CVector3d::kXAxis, 1, 0, 0, 0);
    expectXyz(CVector3d::kYAxis, 0, 1, 0, 0);
    expectXyz(CVector3d::kZAxis, 0, 0, 1, 0);
    EXPECT_EQ(CPoint3d::kOrigin.GetRuntimeClass(), RUNTIME_CLASS(CPoint3d));
}

}  // namespace
