// Points and vectors: rotations, reflections, angles, normalisation and tolerant equality.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>

#include "foundation/numeric.h"
#include "platform/acge/value_expect.h"

namespace {

using geo_detail::kPi;

TEST(PointRotation, TwoDimensionalAboutAPointMatchesHandValues) {
    AcGePoint2d p(2.0, 1.0);
    p.rotateBy(kPi / 2, AcGePoint2d(1.0, 1.0));
    expectNear(p, 1.0, 2.0);
    AcGePoint2d q(3.0, 4.0);
    q.rotateBy(kPi);  // about the origin by default
    expectNear(q, -3.0, -4.0);
    AcGePoint2d r(1.0, 0.0);
    r.rotateBy(-kPi / 6);
    expectNear(r, std::sqrt(3.0) / 2, -0.5);
}

TEST(PointRotation, ThreeDimensionalAboutAnAxisThroughAPoint) {
    AcGePoint3d p(1.0, 0.0, 0.0);
    p.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    expectNear(p, 0.0, 1.0, 0.0);

    AcGePoint3d q(2.0, 0.0, 5.0);  // half-turn about the vertical through (1, 0, 0)
    q.rotateBy(kPi, AcGeVector3d(0.0, 0.0, 3.0), AcGePoint3d(1.0, 0.0, 0.0));
    expectNear(q, 0.0, 0.0, 5.0);

    // A third of a turn about (1,1,1) cycles the axes x -> y -> z.
    AcGePoint3d c(1.0, 0.0, 0.0);
    c.rotateBy(2 * kPi / 3, AcGeVector3d(1.0, 1.0, 1.0));
    expectNear(c, 0.0, 1.0, 0.0);

    // Right-hand rule about +X: y goes to z.
    AcGeVector3d v(0.0, 1.0, 0.0);
    v.rotateBy(kPi / 2, AcGeVector3d::kXAxis);
    expectNear(v, 0.0, 0.0, 1.0);
}

TEST(PointRotation, ZeroAxisLeavesValuesUnchangedAndFinite) {
    AcGePoint3d p(1.0, 2.0, 3.0);
    p.rotateBy(1.0, AcGeVector3d::kIdentity, AcGePoint3d(4.0, 4.0, 4.0));
    expectNear(p, 1.0, 2.0, 3.0, 0.0);
    AcGeVector3d v(1.0, 2.0, 3.0);
    v.rotateBy(1.0, AcGeVector3d());
    expectNear(v, 1.0, 2.0, 3.0, 0.0);
}

TEST(PointRotation, AgreesWithRotationMatrix) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int i = 0; i < 100; ++i) {
        const AcGePoint3d p(u(rng), u(rng), u(rng)), c(u(rng), u(rng), u(rng));
        const AcGeVector3d axis(u(rng), u(rng), u(rng));
        const double a = u(rng);
        AcGePoint3d byPoint = p;
        byPoint.rotateBy(a, axis, c);
        const AcGePoint3d byMatrix = AcGeMatrix3d::rotation(a, axis, c) * p;
        EXPECT_LT(byPoint.distanceTo(byMatrix), 1e-9);
        EXPECT_NEAR(byPoint.distanceTo(c), p.distanceTo(c), 1e-9);  // rotations keep distances
    }
}

TEST(Angle, TwoDimensionalAngleIsInHalfOpenFullTurn) {
    EXPECT_DOUBLE_EQ(AcGeVector2d(1.0, 0.0).angle(), 0.0);
    EXPECT_DOUBLE_EQ(AcGeVector2d(0.0, 1.0).angle(), kPi / 2);
    EXPECT_DOUBLE_EQ(AcGeVector2d(-1.0, 0.0).angle(), kPi);
    EXPECT_DOUBLE_EQ(AcGeVector2d(0.0, -1.0).angle(), 3 * kPi / 2);
    EXPECT_EQ(AcGeVector2d(0.0, 0.0).angle(), 0.0);
    EXPECT_EQ(AcGeVector2d(1.0, -0.0).angle(), 0.0);
    EXPECT_FALSE(std::signbit(AcGeVector2d(1.0, -0.0).angle()));
    // A hair below the +X axis must not come out as exactly 2*pi.
    const double tiny = AcGeVector2d(1.0, -1e-300).angle();
    EXPECT_GE(tiny, 0.0);
    EXPECT_LT(tiny, 2 * kPi);

    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int i = 0; i < 1000; ++i) {
        const AcGeVector2d v(u(rng), u(rng));
        const double a = v.angle();
        ASSERT_GE(a, 0.0);
        ASSERT_LT(a, 2 * kPi);
        EXPECT_NEAR(std::cos(a) * v.length(), v.x, 1e-12);
        EXPECT_NEAR(std::sin(a) * v.length(), v.y, 1e-12);
    }
}

TEST(Angle, AngleToIsUnsignedAndBounded) {
    EXPECT_NEAR(AcGeVector2d(1.0, 0.0).angleTo(AcGeVector2d(0.0, -1.0)), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector2d(1.0, 0.0).angleTo(AcGeVector2d(-1.0, 0.0)), kPi, 1e-15);
    EXPECT_EQ(AcGeVector2d().angleTo(AcGeVector2d(1.0, 0.0)), 0.0);

    EXPECT_NEAR(AcGeVector3d::kXAxis.angleTo(AcGeVector3d(0.0, -2.0, 0.0)), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector3d(1, 1, 0).angleTo(AcGeVector3d(-1, -1, 0)), kPi, 1e-15);
    // Nearly parallel vectors keep precision (no acos of a rounded cosine).
    EXPECT_NEAR(AcGeVector3d(1, 0, 0).angleTo(AcGeVector3d(1, 1e-9, 0)), 1e-9, 1e-20);
    EXPECT_EQ(AcGeVector3d().angleTo(AcGeVector3d::kZAxis), 0.0);
}

TEST(Angle, AngleToAboutReferenceRunsCounterClockwise) {
    const AcGeVector3d x = AcGeVector3d::kXAxis, y = AcGeVector3d::kYAxis;
    EXPECT_NEAR(x.angleTo(y, AcGeVector3d::kZAxis), kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(y, -AcGeVector3d::kZAxis), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(x.angleTo(-y, AcGeVector3d::kZAxis), 3 * kPi / 2, 1e-15);
    EXPECT_EQ(x.angleTo(x, AcGeVector3d::kZAxis), 0.0);
}

TEST(Normalize, ZeroAndTinyVectorsStayAsTheyAre) {
    AcGeVector3d zero;
    AcGe::ErrorCondition flag = AcGe::kOk;
    zero.normalize(AcGeContext::gTol, flag);
    expectNear(zero, 0.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(flag, AcGe::k0This);
    EXPECT_FALSE(std::isnan(zero.x));

    AcGeVector2d zero2;
    zero2.normalize();
    expectNear(zero2, 0.0, 0.0, 0.0);

    AcGeTol loose;
    loose.setEqualVector(0.01);
    const AcGeVector3d small(0.005, 0.0, 0.0);
    expectNear(small.normal(loose), 0.005, 0.0, 0.0, 0.0);

    AcGeVector3d v(3.0, 0.0, 4.0);
    v.normalize(AcGeContext::gTol, flag);
    expectNear(v, 0.6, 0.0, 0.8);
    EXPECT_EQ(flag, AcGe::kOk);
    EXPECT_TRUE(v.isUnitLength());
    expectNear(AcGeVector2d(0.0, -7.0).normal(), 0.0, -1.0);
}

TEST(Equality, PointsCompareByEuclideanDistance) {
    // Each axis is within 1e-10 but the distance is about 1.04e-10.
    const AcGePoint3d a(0.0, 0.0, 0.0), b(0.6e-10, 0.6e-10, 0.6e-10);
    EXPECT_FALSE(a.isEqualTo(b));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a.isEqualTo(AcGePoint3d(1e-10, 0.0, 0.0)));  // distance equal to tol counts

    AcGeTol tol;
    tol.setEqualPoint(0.5);
    // Inside a 0.5 box on every axis, yet about 0.52 apart: not equal.
    EXPECT_FALSE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(0.3, 0.3, 0.3), tol));
    EXPECT_TRUE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(0.3, 0.3, 0.2), tol));
    EXPECT_TRUE(AcGePoint2d(0, 0).isEqualTo(AcGePoint2d(0.3, 0.39), tol));
    EXPECT_FALSE(AcGePoint2d(0, 0).isEqualTo(AcGePoint2d(0.36, 0.36), tol));
    EXPECT_TRUE(AcGePoint2d(1, 1) == AcGePoint2d(1 + 5e-11, 1 - 5e-11));
}

TEST(Equality, VectorsCompareByLengthOfDifference) {
    AcGeTol tol;
    tol.setEqualVector(0.5);
    EXPECT_TRUE(AcGeVector3d(1, 0, 0).isEqualTo(AcGeVector3d(1.3, 0.39, 0.0), tol));
    EXPECT_FALSE(AcGeVector3d(1, 0, 0).isEqualTo(AcGeVector3d(1.3, 0.3, 0.3), tol));
    EXPECT_FALSE(AcGeVector2d(0, 0) == AcGeVector2d(1e-10, 1e-10));
    EXPECT_TRUE(AcGeVector2d(0, 0) == AcGeVector2d(1e-10, 0));
}

TEST(DirectionTests, ParallelCodirectionalPerpendicular) {
    const AcGeVector3d a(1, 2, 3);
    EXPECT_TRUE(a.isParallelTo(a * -4.0));
    EXPECT_FALSE(a.isCodirectionalTo(a * -4.0));
    EXPECT_TRUE(a.isCodirectionalTo(a * 1e6));
    EXPECT_FALSE(a.isParallelTo(AcGeVector3d(1, 2, 3.001)));
    AcGeTol loose;
    loose.setEqualVector(1e-3);
    EXPECT_TRUE(a.isParallelTo(AcGeVector3d(1, 2, 3.001), loose));
    EXPECT_TRUE(AcGeVector3d(1, 1, 0).isPerpendicularTo(AcGeVector3d(-2, 2, 5)));
    EXPECT_FALSE(AcGeVector3d(1, 1, 0).isPerpendicularTo(AcGeVector3d(1, 0, 0)));
    // A zero vector has no direction: it passes none of the tests.
    EXPECT_FALSE(AcGeVector3d().isParallelTo(a));
    EXPECT_FALSE(a.isParallelTo(AcGeVector3d()));
    EXPECT_FALSE(AcGeVector3d().isPerpendicularTo(a));
    EXPECT_FALSE(AcGeVector2d().isCodirectionalTo(AcGeVector2d(1, 0)));
    EXPECT_TRUE(AcGeVector2d(1, 1).isParallelTo(AcGeVector2d(-3, -3)));
    EXPECT_TRUE(AcGeVector2d(1, 1).isPerpendicularTo(AcGeVector2d(-3, 3)));
    EXPECT_TRUE(AcGeVector3d().isZeroLength());
}

TEST(Products, CrossProductIsRightHanded) {
    expectNear(AcGeVector3d::kXAxis.crossProduct(AcGeVector3d::kYAxis), 0, 0, 1, 0.0);
    expectNear(AcGeVector3d::kYAxis.crossProduct(AcGeVector3d::kZAxis), 1, 0, 0, 0.0);
    expectNear(AcGeVector3d(1, 2, 3).crossProduct(AcGeVector3d(4, 5, 6)), -3, 6, -3, 0.0);
    EXPECT_DOUBLE_EQ(AcGeVector3d(1, 2, 3).dotProduct(AcGeVector3d(4, 5, 6)), 32.0);
    EXPECT_DOUBLE_EQ(AcGeVector2d(1, 0).crossProduct(AcGeVector2d(0, 1)), 1.0);
    expectNear(AcGeVector2d(2, 3).perpVector(), -3, 2, 0.0);
}

TEST(Operators, PointAndVectorArithmetic) {
    const AcGePoint3d p(1, 2, 3);
    const AcGeVector3d v(1, 1, 1);
    expectNear(p + v, 2, 3, 4, 0.0);
    expectNear(p - v, 0, 1, 2, 0.0);
    expectNear(AcGePoint3d(5, 5, 5) - p, 4, 3, 2, 0.0);
    expectNear(2.0 * v, 2, 2, 2, 0.0);
    expectNear(v * 3.0, 3, 3, 3, 0.0);
    expectNear(-v, -1, -1, -1, 0.0);
    expectNear(v / 2.0, 0.5, 0.5, 0.5, 0.0);
    EXPECT_DOUBLE_EQ(p.distanceTo(AcGePoint3d(4, 6, 3)), 5.0);
    EXPECT_DOUBLE_EQ(AcGePoint2d(0, 0).distanceTo(AcGePoint2d(3, -4)), 5.0);
    EXPECT_DOUBLE_EQ(AcGeVector3d(2, 3, 6).length(), 7.0);
    EXPECT_DOUBLE_EQ(AcGeVector3d(2, 3, 6).lengthSqrd(), 49.0);
    expectNear(AcGePoint3d::kOrigin, 0, 0, 0, 0.0);
    expectNear(AcGeVector3d::kIdentity, 0, 0, 0, 0.0);
    expectNear(AcGeVector3d::kZAxis, 0, 0, 1, 0.0);
    expectNear(AcGeVector2d::kIdentity, 0, 0, 0.0);
    expectNear(AcGeVector2d::kYAxis, 0, 1, 0.0);
}

TEST(Mirror, ThreeDimensionalInPlaneAndVectorInNormal) {
    const AcGePlane plane(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 5));
    AcGePoint3d p(1, 2, 3);
    p.mirror(plane);
    expectNear(p, 1, 2, -1);

    AcGePoint3d q(1, 0, 0);  // plane x = y through the origin
    q.mirror(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d(1, -1, 0)));
    expectNear(q, 0, 1, 0);

    AcGeVector3d v(1, 2, 3);
    v.mirror(AcGeVector3d(0, 0, 2));
    expectNear(v, 1, 2, -3);
    v.mirror(AcGeVector3d());  // no plane: unchanged
    expectNear(v, 1, 2, -3);

    AcGeVector2d w(3, 1);
    w.mirror(AcGeVector2d(1, 1));
    expectNear(w, 1, 3);
}

TEST(Mirror, TwoDimensionalThroughMatrixLine) {
    AcGePoint2d p(3, 1);
    p.transformBy(AcGeMatrix2d::mirroring(AcGePoint2d(0, 0), AcGeVector2d(1, 1)));
    expectNear(p, 1, 3);
    AcGePoint2d q(0, 5);  // line y = 2
    q.transformBy(AcGeMatrix2d::mirroring(AcGePoint2d(7, 2), AcGeVector2d(-3, 0)));
    expectNear(q, 0, -1);
    AcGePoint2d r(1, 1);
    r.transformBy(AcGeMatrix2d::mirroring(AcGePoint2d(2, 3)));  // point reflection
    expectNear(r, 3, 5);
}

TEST(Transform, VectorsIgnoreTranslationPointsDoNot) {
    const AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(10, 20, 30)) *
                           AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    AcGePoint3d p(1, 0, 0);
    p.transformBy(m);
    expectNear(p, 10, 21, 30);
    AcGeVector3d v(1, 0, 0);
    v.transformBy(m);
    expectNear(v, 0, 1, 0);

    const AcGeMatrix2d m2 = AcGeMatrix2d::translation(AcGeVector2d(5, 6));
    AcGeVector2d v2(1, 2);
    v2.transformBy(m2);
    expectNear(v2, 1, 2, 0.0);
    AcGePoint2d p2(1, 2);
    p2.transformBy(m2);
    expectNear(p2, 6, 8, 0.0);
}

TEST(Transform, ScaleByAboutAPoint) {
    AcGePoint3d p(3, 3, 3);
    p.scaleBy(2.0, AcGePoint3d(1, 1, 1));
    expectNear(p, 5, 5, 5);
    AcGePoint2d q(3, 1);
    q.scaleBy(-1.0, AcGePoint2d(1, 1));
    expectNear(q, -1, 1);
}

TEST(Projection, OrthoProjectAndProjectAlongDirection) {
    const AcGePlane plane(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis);
    expectNear(AcGePoint3d(1, 2, 7).orthoProject(plane), 1, 2, 2);
    expectNear(AcGePoint3d(0, 0, 4).project(plane, AcGeVector3d(1, 0, 1)), -2, 0, 2);
    // A direction along the plane cannot reach it: the point comes back unchanged.
    expectNear(AcGePoint3d(0, 0, 4).project(plane, AcGeVector3d(1, 0, 0)), 0, 0, 4);
    expectNear(AcGeVector3d(1, 2, 3).orthoProject(AcGeVector3d(0, 0, 9)), 1, 2, 0);
}

TEST(PerpVector, IsAUnitPerpendicularForAnyDirection) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int i = 0; i < 200; ++i) {
        const AcGeVector3d v(u(rng), u(rng), i % 7 == 0 ? 0.0 : u(rng));
        const AcGeVector3d p = v.perpVector();
        EXPECT_NEAR(p.length(), 1.0, 1e-12);
        EXPECT_NEAR(p.dotProduct(v), 0.0, 1e-12);
    }
    expectNear(AcGeVector3d().perpVector(), 0, 0, 0, 0.0);
}

TEST(PlaneCoordinates, ConvertToAndFromTwoDimensions) {
    const AcGePlane plane(AcGePoint3d(1, 1, 1), AcGeVector3d(2, 0, 0), AcGeVector3d(1, 1, 0));
    const AcGePoint3d p = plane.evalPoint(AcGePoint2d(0.5, 2.0));
    expectNear(p, 4, 3, 1);
    expectNear(p.convert2d(plane), 0.5, 2.0);
    expectNear(AcGePoint3d(plane, AcGePoint2d(1, 1)), 4, 2, 1);
    // Off-plane points convert through their projection.
    expectNear(AcGePoint3d(4, 3, 9).convert2d(plane), 0.5, 2.0);
    expectNear(AcGeVector3d(3, 1, 5).convert2d(plane), 1.0, 1.0);
    expectNear(AcGeVector3d(plane, AcGeVector2d(1, 1)), 3, 1, 0);
    EXPECT_NEAR(AcGeVector3d(0, 1, 0).angleOnPlane(AcGePlane::kXYPlane), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector3d(0, -1, 4).angleOnPlane(AcGePlane::kXYPlane), 3 * kPi / 2, 1e-15);
}

}  // namespace
