// Planes: construction, degenerate input, distances, frames, equality and type ancestry.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include <geo/acge/gemat3d.h>
#include <geo/acge/geplane.h>

#include "foundation/numeric.h"
#include "platform/acge/value_expect.h"

namespace {

using geo_detail::kPi;

void expectFiniteXYFrame(const AcGePlane& plane, const AcGePoint3d& origin) {
    EXPECT_FALSE(plane.isValid());
    expectNear(plane.normal(), 0, 0, 1, 0.0);
    AcGePoint3d o;
    AcGeVector3d u, v;
    plane.getCoordSystem(o, u, v);
    expectNear(o, origin.x, origin.y, origin.z, 0.0);
    expectNear(u, 1, 0, 0, 0.0);
    expectNear(v, 0, 1, 0, 0.0);
}

TEST(PlaneConstruction, OriginAndNormal) {
    const AcGePlane plane(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, -2));
    EXPECT_TRUE(plane.isValid());
    expectNear(plane.normal(), 0, 0, -1, 0.0);
    expectNear(plane.pointOnPlane(), 1, 2, 3, 0.0);
    EXPECT_DOUBLE_EQ(plane.signedDistanceTo(AcGePoint3d(9, 9, 1)), 2.0);
    EXPECT_DOUBLE_EQ(plane.distanceTo(AcGePoint3d(9, 9, 1)), 2.0);
    expectNear(plane.closestPointTo(AcGePoint3d(9, 9, 1)), 9, 9, 3, 0.0);
    AcGePoint3d o;
    AcGeVector3d u, v;
    plane.getCoordSystem(o, u, v);
    // Axes and normal form a right-handed orthonormal frame.
    expectNear(u.crossProduct(v), 0, 0, -1);
    EXPECT_NEAR(u.dotProduct(v), 0.0, 1e-15);
}

TEST(PlaneConstruction, ThreePointsTakeTheMiddleAsOrigin) {
    const AcGePlane plane(AcGePoint3d(2, 0, 1), AcGePoint3d(1, 0, 1), AcGePoint3d(1, 3, 1));
    EXPECT_TRUE(plane.isValid());
    AcGePoint3d o;
    AcGeVector3d u, v;
    plane.getCoordSystem(o, u, v);
    expectNear(o, 1, 0, 1, 0.0);
    expectNear(u, 1, 0, 0, 0.0);  // axes as given, not normalised
    expectNear(v, 0, 3, 0, 0.0);
    expectNear(plane.normal(), 0, 0, 1, 0.0);

    AcGePlane swapped;
    swapped.set(AcGePoint3d(1, 3, 1), AcGePoint3d(1, 0, 1), AcGePoint3d(2, 0, 1));
    expectNear(swapped.normal(), 0, 0, -1, 0.0);
}

TEST(PlaneConstruction, CoefficientsAndAxes) {
    const AcGePlane plane(0.0, 0.0, 2.0, -4.0);  // z = 2
    expectNear(plane.pointOnPlane(), 0, 0, 2, 0.0);
    expectNear(plane.normal(), 0, 0, 1, 0.0);
    double a, b, c, d;
    const AcGePlane tilted(AcGePoint3d(1, 1, 1), AcGeVector3d(1, 1, 0));
    tilted.getCoefficients(a, b, c, d);
    EXPECT_NEAR(a * 1 + b * 1 + c * 1 + d, 0.0, 1e-15);
    EXPECT_NEAR(a, 1 / std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(std::hypot(a, b), 1.0, 1e-15);

    const AcGePlane axes(AcGePoint3d(0, 0, 5), AcGeVector3d(0, 1, 0), AcGeVector3d(1, 0, 0));
    expectNear(axes.normal(), 0, 0, -1, 0.0);
    expectNear(AcGePlane::kYZPlane.normal(), 1, 0, 0, 0.0);
    expectNear(AcGePlane::kZXPlane.normal(), 0, 1, 0, 0.0);
    expectNear(AcGePlane().normal(), 0, 0, 1, 0.0);
}

TEST(PlaneConstruction, DegenerateInputKeepsTheXYFrame) {
    expectFiniteXYFrame(AcGePlane(AcGePoint3d(1, 2, 3), AcGeVector3d()), AcGePoint3d(1, 2, 3));
    expectFiniteXYFrame(AcGePlane(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1), AcGePoint3d(3, 3, 3)),
                        AcGePoint3d(1, 1, 1));
    expectFiniteXYFrame(AcGePlane(AcGePoint3d(1, 1, 1), AcGePoint3d(1, 1, 1), AcGePoint3d(2, 0, 0)),
                        AcGePoint3d(1, 1, 1));
    expectFiniteXYFrame(
        AcGePlane(AcGePoint3d(4, 4, 4), AcGeVector3d(1, 0, 0), AcGeVector3d(-2, 0, 0)),
        AcGePoint3d(4, 4, 4));
    expectFiniteXYFrame(AcGePlane(0.0, 0.0, 0.0, 1.0), AcGePoint3d(0, 0, 0));
    const double nan = std::nan("");
    expectFiniteXYFrame(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d(nan, 0, 1)),
                        AcGePoint3d(0, 0, 0));
    expectFiniteXYFrame(AcGePlane(AcGePoint3d(nan, 0, 0), AcGeVector3d(0, 0, 1)),
                        AcGePoint3d(0, 0, 0));

    // A degenerate plane still answers finite values.
    const AcGePlane bad(AcGePoint3d(0, 0, 2), AcGeVector3d());
    EXPECT_DOUBLE_EQ(bad.signedDistanceTo(AcGePoint3d(5, 5, 5)), 3.0);
    const AcGeMatrix3d w2p = AcGeMatrix3d::worldToPlane(bad);
    for (const auto& row : w2p.entry) {
        for (double e : row) {
            EXPECT_TRUE(std::isfinite(e));
        }
    }

    AcGePlane revalidated = bad;
    revalidated.set(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
    EXPECT_TRUE(revalidated.isValid());
}

TEST(PlaneQueries, IsOnUsesThePointTolerance) {
    const AcGePlane plane(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(plane.isOn(AcGePoint3d(100, -5, 1)));
    EXPECT_FALSE(plane.isOn(AcGePoint3d(0, 0, 1 + 1e-9)));
    AcGeTol tol;
    tol.setEqualPoint(1e-3);
    EXPECT_TRUE(plane.isOn(AcGePoint3d(0, 0, 1.0009), tol));
    EXPECT_FALSE(plane.isOn(AcGePoint3d(0, 0, 1.0011), tol));
}

TEST(PlaneQueries, ParallelAndCoplanar) {
    const AcGePlane a(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1));
    const AcGePlane b(AcGePoint3d(5, 5, 3), AcGeVector3d(0, 0, -7));
    const AcGePlane c(AcGePoint3d(5, 5, 0), AcGeVector3d(0, 0, 2));
    const AcGePlane d(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0));
    EXPECT_TRUE(a.isParallelTo(b));
    EXPECT_FALSE(a.isCoplanarTo(b));
    EXPECT_TRUE(a.isCoplanarTo(c));
    EXPECT_FALSE(a.isParallelTo(d));
    EXPECT_TRUE(a.isPerpendicularTo(d));
}

TEST(PlaneTransforms, WorldToPlaneFlattensPointsOnThePlane) {
    const AcGePlane plane(AcGePoint3d(1, 2, 3), AcGeVector3d(1, -2, 2));
    const AcGeMatrix3d w2p = AcGeMatrix3d::worldToPlane(plane);
    AcGePoint3d o;
    AcGeVector3d u, v;
    plane.getCoordSystem(o, u, v);
    expectNear(w2p * (o + u * 3.0 - v * 2.0), 3, -2, 0);
    // The third coordinate is the signed distance from the plane.
    const AcGePoint3d p(7, -1, 4);
    EXPECT_NEAR((w2p * p).z, plane.signedDistanceTo(p), 1e-12);
    AcGeMatrix3d viaSetter;
    viaSetter.setToWorldToPlane(plane);
    EXPECT_TRUE(viaSetter.isEqualTo(w2p));
    AcGeMatrix3d back;
    back.setToPlaneToWorld(plane);
    expectNear(back * (w2p * p), 7, -1, 4, 1e-12);
}

// A plane from origin and normal uses the same in-plane axes as the normal-only matrices.
TEST(PlaneTransforms, PlaneFrameAgreesWithNormalFrame) {
    for (const AcGeVector3d& n : {AcGeVector3d(0, 0, 1), AcGeVector3d(0.3, -0.2, 0.9),
                                  AcGeVector3d(1e-3, 0, -1), AcGeVector3d(0, 5, 0)}) {
        const AcGePoint3d origin(2, -3, 4);
        const AcGeMatrix3d viaPlane = AcGeMatrix3d::worldToPlane(AcGePlane(origin, n));
        const AcGeMatrix3d viaNormal = AcGeMatrix3d::worldToPlane(n) *
                                       AcGeMatrix3d::translation(AcGePoint3d::kOrigin - origin);
        EXPECT_TRUE(viaPlane.isEqualTo(viaNormal, AcGeTol())) << n.x << "," << n.y << "," << n.z;
    }
}

TEST(PlaneTransforms, TransformByMovesFrameAndNormal) {
    AcGePlane plane(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 1));
    plane.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kXAxis));
    expectNear(plane.normal(), 0, -1, 0);
    expectNear(plane.pointOnPlane(), 0, -1, 0);
    plane.translateBy(AcGeVector3d(0, -4, 0));
    EXPECT_NEAR(plane.signedDistanceTo(AcGePoint3d(0, 0, 0)), -5.0, 1e-12);
    // A reflection keeps a right-handed frame with the normal u x v.
    AcGePlane m(AcGePoint3d(0, 0, 2), AcGeVector3d(0, 0, 1));
    m.mirror(AcGePlane::kXYPlane);
    expectNear(m.pointOnPlane(), 0, 0, -2);
    AcGePoint3d o;
    AcGeVector3d u, v;
    m.getCoordSystem(o, u, v);
    expectNear(m.normal(), u.crossProduct(v).x, u.crossProduct(v).y, u.crossProduct(v).z);
}

TEST(PlaneEntity, TypeAncestryCopyAndEquality) {
    const AcGePlane plane(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 1, 1));
    EXPECT_EQ(plane.type(), AcGe::kPlane);
    EXPECT_EQ(static_cast<int>(AcGe::kPlane), 25);
    for (AcGe::EntityId id : {AcGe::kPlane, AcGe::kPlanarEnt, AcGe::kSurface, AcGe::kEntity3d}) {
        EXPECT_TRUE(plane.isKindOf(id)) << id;
    }
    for (AcGe::EntityId id : {AcGe::kEntity2d, AcGe::kCurve3d, AcGe::kBoundedPlane}) {
        EXPECT_FALSE(plane.isKindOf(id)) << id;
    }

    std::unique_ptr<AcGeEntity3d> copy(plane.copy());
    EXPECT_EQ(copy->type(), AcGe::kPlane);
    EXPECT_TRUE(*copy == plane);
    copy->translateBy(AcGeVector3d(0, 0, 1e-3));
    EXPECT_TRUE(*copy != plane);
    AcGeTol loose;
    loose.setEqualPoint(1e-2);
    EXPECT_TRUE(plane.isEqualTo(*copy, loose));
}

TEST(EntityIds, NumberingCallersCompare) {
    EXPECT_EQ(static_cast<int>(AcGe::kLineSeg2d), 22);
    EXPECT_EQ(static_cast<int>(AcGe::kLineSeg3d), 23);
    EXPECT_EQ(static_cast<int>(AcGe::kCompositeCrv2d), 46);
    EXPECT_EQ(static_cast<int>(AcGe::kCompositeCrv3d), 47);
    EXPECT_EQ(static_cast<int>(AcGe::kCircArc2d), 10);
    EXPECT_EQ(static_cast<int>(AcGe::kPolyline2d), 34);
    EXPECT_EQ(static_cast<int>(AcGe::kPolyline3d), 40);
    EXPECT_EQ(static_cast<int>(AcGe::kExtend), 2);
}

}  // namespace
