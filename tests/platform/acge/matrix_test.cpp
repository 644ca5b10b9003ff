// Matrices: inverses, determinants, standard transforms and the plane frames from a normal.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>

#include "foundation/numeric.h"
#include "platform/acge/value_expect.h"

namespace {

using geo_detail::kPi;

AcGeMatrix3d randomMatrix(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    AcGeMatrix3d m;
    for (auto& row : m.entry) {
        for (double& e : row) {
            e = u(rng);
        }
    }
    return m;
}

// In-plane X axis of the arbitrary axis rule, written out for the tests.
AcGeVector3d expectedXAxis(const AcGeVector3d& n) {
    const bool nearZ = std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64;
    const AcGeVector3d ax = nearZ ? AcGeVector3d(n.z, 0.0, -n.x) : AcGeVector3d(-n.y, n.x, 0.0);
    return ax / ax.length();
}

TEST(MatrixInverse, InverseTimesMatrixIsIdentityOnRandomMatrices) {
    std::mt19937 rng(42);
    for (int i = 0; i < 200; ++i) {
        const AcGeMatrix3d m = randomMatrix(rng);
        if (std::fabs(m.det()) < 1e-3) {
            continue;
        }
        expectIdentity(m.inverse() * m, 1e-8);
        expectIdentity(m * m.inverse(), 1e-8);
        AcGeMatrix3d inv;
        ASSERT_TRUE(m.inverse(inv, 1e-12));
        EXPECT_NEAR(m.det() * inv.det(), 1.0, 1e-8);
        AcGeMatrix3d inPlace = m;
        inPlace.invert();
        EXPECT_TRUE(inPlace.isEqualTo(inv));
    }
}

TEST(MatrixInverse, SingularMatrixIsLeftUnchanged) {
    // Second row is twice the first.
    AcGeMatrix3d m;
    const double rows[4][4] = {{1, 2, 3, 4}, {2, 4, 6, 8}, {0, 1, 5, 0}, {0, 0, 0, 1}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            m.entry[r][c] = rows[r][c];
        }
    }
    EXPECT_TRUE(m.isSingular());
    EXPECT_EQ(m.det(), 0.0);
    AcGeMatrix3d inv = AcGeMatrix3d::translation(AcGeVector3d(1, 2, 3));
    EXPECT_FALSE(m.inverse(inv, 1e-12));
    EXPECT_TRUE(inv.isEqualTo(AcGeMatrix3d::translation(AcGeVector3d(1, 2, 3))));
    AcGeMatrix3d copy = m;
    copy.invert();
    EXPECT_TRUE(copy.isEqualTo(m, AcGeTol()));
    for (const auto& row : m.inverse().entry) {
        for (double e : row) {
            EXPECT_TRUE(std::isfinite(e));
        }
    }

    AcGeMatrix2d zero2;
    zero2.entry[0][0] = zero2.entry[1][1] = 0.0;
    EXPECT_TRUE(zero2.isSingular());
    AcGeMatrix2d z = zero2;
    EXPECT_TRUE(z.invert().isEqualTo(zero2));
}

TEST(MatrixBasics, DeterminantProductsAndTranspose) {
    const AcGeMatrix3d s = AcGeMatrix3d::scaling(2.0);
    EXPECT_NEAR(s.det(), 8.0, 1e-12);
    EXPECT_NEAR(AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 2, 3)).det(), 1.0, 1e-12);
    EXPECT_NEAR(AcGeMatrix3d::mirroring(AcGePlane::kXYPlane).det(), -1.0, 1e-12);

    const AcGeMatrix3d t = AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0));
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    // t * r rotates first, then translates.
    expectNear((t * r) * AcGePoint3d(1, 0, 0), 1, 1, 0);
    expectNear((r * t) * AcGePoint3d(1, 0, 0), 0, 2, 0);
    AcGeMatrix3d pre = r;
    pre.preMultBy(t);
    EXPECT_TRUE(pre.isEqualTo(t * r));
    AcGeMatrix3d post = r;
    post.postMultBy(t);
    EXPECT_TRUE(post.isEqualTo(r * t));
    AcGeMatrix3d prod;
    prod.setToProduct(r, t);
    EXPECT_TRUE(prod.isEqualTo(r * t));

    std::mt19937 rng(5);
    const AcGeMatrix3d m = randomMatrix(rng);
    const AcGeMatrix3d mt = m.transpose();
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(mt.entry[i][j], m.entry[j][i]);
        }
    }
    EXPECT_NEAR(m.det(), mt.det(), 1e-9);
    expectIdentity(AcGeMatrix3d::kIdentity, 0.0);
    expectNear(AcGeMatrix3d::translation(AcGeVector3d(4, 5, 6)).translation(), 4, 5, 6, 0.0);
}

TEST(MatrixTransforms, RotationMatchesHandValues) {
    const AcGeMatrix3d r = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    expectNear(r * AcGePoint3d(1, 0, 0), 0, 1, 0);
    expectNear(r * AcGePoint3d(0, 1, 7), -1, 0, 7);
    const AcGeMatrix3d rc = AcGeMatrix3d::rotation(kPi, AcGeVector3d::kXAxis, AcGePoint3d(0, 1, 1));
    expectNear(rc * AcGePoint3d(0, 1, 1), 0, 1, 1);  // the centre stays
    expectNear(rc * AcGePoint3d(5, 2, 1), 5, 0, 1);
    EXPECT_TRUE(AcGeMatrix3d::rotation(1.0, AcGeVector3d()).isEqualTo(AcGeMatrix3d::kIdentity));
    EXPECT_TRUE(r.isUniScaledOrtho());
    EXPECT_TRUE((r * AcGeMatrix3d::scaling(3.0)).isUniScaledOrtho());

    AcGeMatrix3d shear;
    shear.entry[0][1] = 0.5;
    EXPECT_FALSE(shear.isScaledOrtho());
    EXPECT_FALSE(shear.isPerspective());

    const AcGeMatrix2d r2 = AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(1, 1));
    expectNear(r2 * AcGePoint2d(2, 1), 1, 2);
    expectNear(r2 * AcGeVector2d(1, 0), 0, 1);
    expectIdentity(AcGeMatrix3d(), 0.0);
}

TEST(MatrixTransforms, ScalingMirroringProjection) {
    expectNear(AcGeMatrix3d::scaling(2.0, AcGePoint3d(1, 1, 1)) * AcGePoint3d(2, 3, 4), 3, 5, 7);
    expectNear(AcGeMatrix3d::mirroring(AcGePoint3d(1, 1, 1)) * AcGePoint3d(2, 3, 4), 0, -1, -2);
    const AcGePlane slanted(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 1, 1));
    const AcGePoint3d p(3, 4, 5);
    AcGePoint3d byPoint = p;
    byPoint.mirror(slanted);
    expectNear(AcGeMatrix3d::mirroring(slanted) * p, byPoint.x, byPoint.y, byPoint.z, 1e-12);
    const AcGeMatrix3d proj = AcGeMatrix3d::projection(AcGePlane::kXYPlane, AcGeVector3d(1, 0, 1));
    expectNear(proj * AcGePoint3d(0, 0, 4), -4, 0, 0);
    expectNear(AcGeMatrix2d::scaling(3.0, AcGePoint2d(1, 0)) * AcGePoint2d(2, 1), 4, 3);
}

TEST(MatrixTransforms, AlignCoordSysMapsFrameOntoFrame) {
    const AcGePoint3d fromO(1, 2, 3), toO(-1, 0, 5);
    const AcGeVector3d fx(0, 2, 0), fy(-1, 0, 0), fz(0, 0, 1);
    const AcGeVector3d tx(1, 0, 0), ty(0, 0, 1), tz(0, -1, 0);
    const AcGeMatrix3d m = AcGeMatrix3d::alignCoordSys(fromO, fx, fy, fz, toO, tx, ty, tz);
    expectNear(m * fromO, -1, 0, 5);
    expectNear(m * (fromO + fx), 0, 0, 5);
    expectNear(m * (fromO + fy), -1, 0, 6);
    expectNear(m * (fromO + fz), -1, -1, 5);
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d().setCoordSystem(toO, tx, ty, tz).getCoordSystem(o, x, y, z);
    expectNear(o, -1, 0, 5, 0.0);
    expectNear(y, 0, 0, 1, 0.0);

    const AcGeMatrix2d m2 =
        AcGeMatrix2d::alignCoordSys(AcGePoint2d(1, 1), AcGeVector2d(1, 0), AcGeVector2d(0, 1),
                                    AcGePoint2d(0, 0), AcGeVector2d(0, 2), AcGeVector2d(-2, 0));
    expectNear(m2 * AcGePoint2d(2, 1), 0, 2);
    expectNear(m2 * AcGePoint2d(1, 2), -2, 0);
}

// Normals near and far from Z, on every axis, and on the 1/64 boundary.
std::vector<AcGeVector3d> sampleNormals() {
    return {AcGeVector3d(0, 0, 1),         AcGeVector3d(0, 0, -1),    AcGeVector3d(1, 0, 0),
            AcGeVector3d(-1, 0, 0),        AcGeVector3d(0, 1, 0),     AcGeVector3d(0, -1, 0),
            AcGeVector3d(0.001, 0.001, 1), AcGeVector3d(1, 1, 1),     AcGeVector3d(-3, 2, -7),
            AcGeVector3d(0.2, -0.9, 0.1),  AcGeVector3d(0, 0.01, -1), AcGeVector3d(5, 5, 0)};
}

TEST(PlaneFrames, PlaneToWorldTimesWorldToPlaneIsIdentity) {
    for (const AcGeVector3d& n : sampleNormals()) {
        SCOPED_TRACE(testing::Message() << n.x << "," << n.y << "," << n.z);
        expectIdentity(AcGeMatrix3d::planeToWorld(n) * AcGeMatrix3d::worldToPlane(n), 1e-12);
        expectIdentity(AcGeMatrix3d::worldToPlane(n) * AcGeMatrix3d::planeToWorld(n), 1e-12);
        const AcGePlane plane(AcGePoint3d(3, -2, 7), n);
        expectIdentity(AcGeMatrix3d::planeToWorld(plane) * AcGeMatrix3d::worldToPlane(plane),
                       1e-12);
        // The plane's normal maps to +Z, its origin to the origin.
        expectNear(AcGeMatrix3d::worldToPlane(n) * n.normal(), 0, 0, 1, 1e-12);
        expectNear(AcGeMatrix3d::worldToPlane(plane) * AcGePoint3d(3, -2, 7), 0, 0, 0, 1e-12);
        AcGeMatrix3d viaSetter;
        viaSetter.setToWorldToPlane(n);
        EXPECT_TRUE(viaSetter.isEqualTo(AcGeMatrix3d::worldToPlane(n)));
    }
}

TEST(PlaneFrames, ArbitraryAxisFramesMatchHandValues) {
    struct Case {
        AcGeVector3d n, ax, ay;
    };
    const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0), r6 = std::sqrt(6.0);
    const Case cases[] = {
        {AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0)},
        {AcGeVector3d(0, 0, -1), AcGeVector3d(-1, 0, 0), AcGeVector3d(0, 1, 0)},
        {AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1)},
        {AcGeVector3d(1, 1, 1) / r3, AcGeVector3d(-1, 1, 0) / r2, AcGeVector3d(-1, -1, 2) / r6},
    };
    for (const Case& c : cases) {
        const AcGeMatrix3d m = AcGeMatrix3d::planeToWorld(c.n);
        AcGePoint3d o;
        AcGeVector3d x, y, z;
        m.getCoordSystem(o, x, y, z);
        expectNear(x, c.ax.x, c.ax.y, c.ax.z, 1e-15);
        expectNear(y, c.ay.x, c.ay.y, c.ay.z, 1e-15);
        expectNear(z, c.n.x, c.n.y, c.n.z, 1e-15);
        AcGePoint3d po;
        AcGeVector3d pu, pv;
        AcGePlane(AcGePoint3d(1, 1, 1), c.n * 4.0).getCoordSystem(po, pu, pv);
        expectNear(pu, c.ax.x, c.ax.y, c.ax.z, 1e-15);
        expectNear(pv, c.ay.x, c.ay.y, c.ay.z, 1e-15);
    }
    // Near Z: the X axis comes from world Y x N.
    const AcGeVector3d n = AcGeVector3d(0.001, 0.001, 1).normal();
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(n).getCoordSystem(o, x, y, z);
    const AcGeVector3d ex = AcGeVector3d(n.z, 0, -n.x).normal();
    expectNear(x, ex.x, ex.y, ex.z, 1e-15);
    const AcGeVector3d ey = n.crossProduct(ex);
    expectNear(y, ey.x, ey.y, ey.z, 1e-15);
}

TEST(PlaneFrames, NearZTestIsStrictAtOneSixtyFourth) {
    const double e = 1.0 / 64;
    for (const AcGeVector3d& raw :
         {AcGeVector3d(e, 0, 1), AcGeVector3d(0, e, 1), AcGeVector3d(e * 0.999, e * 0.999, 1),
          AcGeVector3d(-e, 0, -1)}) {
        const AcGeVector3d n = raw.normal();
        AcGePoint3d o;
        AcGeVector3d x, y, z;
        AcGeMatrix3d::planeToWorld(n).getCoordSystem(o, x, y, z);
        const AcGeVector3d ex = expectedXAxis(n);
        expectNear(x, ex.x, ex.y, ex.z, 1e-15);
    }
    // Exactly 1/64 in x (after normalising, slightly less) vs. a raw unit normal with x = 1/64.
    const AcGeVector3d onEdge(e, 0.0, std::sqrt(1.0 - e * e));
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(onEdge).getCoordSystem(o, x, y, z);
    expectNear(x, 0, 1, 0, 1e-15);  // the world-Z rule, not the near-Z rule
}

TEST(PlaneFrames, ZeroNormalGivesIdentity) {
    EXPECT_TRUE(AcGeMatrix3d::worldToPlane(AcGeVector3d()).isEqualTo(AcGeMatrix3d::kIdentity));
    EXPECT_TRUE(AcGeMatrix3d::planeToWorld(AcGeVector3d()).isEqualTo(AcGeMatrix3d::kIdentity));
}

}  // namespace
