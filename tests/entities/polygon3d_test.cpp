// Tests of the planar 3D polygon: frames, areas, editing, transforms, meeting, archive.
#include <geo/polygon3d.h>

#include <geo/mfc/exceptions.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

namespace {

using point_expect::expectXyz;

constexpr double kTol = 1e-9;
using geo_detail::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

using Pts = std::vector<CPoint3d>;

bool Close(const CPoint3d& a, const CPoint3d& b, double tol = 1e-7) {
    return a.distanceTo(b) < tol;
}

// Whether `got` is `want` up to a cyclic shift of the start vertex.
bool SameRing(const Pts& got, const Pts& want) {
    if (got.size() != want.size()) {
        return false;
    }
    for (size_t shift = 0; shift < got.size(); ++shift) {
        bool all = true;
        for (size_t i = 0; i < got.size() && all; ++i) {
            all = Close(got[(i + shift) % got.size()], want[i]);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// Twice the vector area of a ring (Newell), computed here independently of the library.
CVector3d RingNormal(const Pts& pts) {
    CVector3d n(0, 0, 0);
    for (size_t i = 0; i < pts.size(); ++i) {
        const CPoint3d& a = pts[i];
        const CPoint3d& b = pts[(i + 1) % pts.size()];
        n.x += a.y * b.z - a.z * b.y;
        n.y += a.z * b.x - a.x * b.z;
        n.z += a.x * b.y - a.y * b.x;
    }
    return n;
}

// The world outline runs counter-clockwise about the normal.
void ExpectCounterClockwise(CPolygon3D& pg) {
    const CVector3d n = RingNormal(pg.getWorldPts());
    EXPECT_GT(n.getDotProduct(pg.getUcs()), 0.0);
}

// Every world point maps to its plane point and back.
void ExpectInStep(CPolygon3D& pg) {
    const Pts world = pg.getWorldPts();
    const Pts plane = pg.getUcsPts();
    ASSERT_EQ(world.size(), plane.size());
    for (size_t i = 0; i < world.size(); ++i) {
        CPoint3d back;
        pg.ucs2world(plane[i], back);
        EXPECT_TRUE(Close(back, world[i])) << "vertex " << i;
        EXPECT_EQ(plane[i].z, 0.0);
    }
}

Pts Rect(double x0, double y0, double x1, double y1, double z = 0.0) {
    return {{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}};
}

CVector3d Unit(double x, double y, double z) {
    CVector3d v(x, y, z);
    return v.normalize();
}

}  // namespace

// ---- plane frames ------------------------------------------------------------------------------

TEST(Polygon3DFrame, AxesFollowTheArbitraryAxisRule) {
    struct Case {
        CVector3d normal;
        CPoint3d world;
        CPoint3d plane;  // hand-computed frame coordinates of `world`
    };
    const Case cases[] = {
        {{0, 0, 1}, {1, 2, 3}, {1, 2, 0}},    // X axis = Wy x N = +X
        {{0, 0, -1}, {1, 2, 3}, {-1, 2, 0}},  // X axis = -X, Y axis = +Y
        {{1, 0, 0}, {1, 2, 3}, {2, 3, 0}},    // X axis = Wz x N = +Y, Y axis = +Z
        {{0, 1, 0}, {1, 2, 3}, {-1, 3, 0}},   // X axis = -X, Y axis = +Z
    };
    for (const Case& c : cases) {
        CPolygon3D pg(CPolygon(), c.normal, 0.0);
        CPoint3d out;
        pg.world2ucs(c.world, out);
        expectXyz(out, c.plane.x, c.plane.y, 0.0);
        AcGePoint3d acOut;
        pg.world2ucs(c.world.toAcGePoint3d(), acOut);
        expectXyz(CPoint3d(acOut), c.plane.x, c.plane.y, 0.0);
    }
}

TEST(Polygon3DFrame, RoundTripForNormalsOnAndOffTheAxes) {
    const CVector3d normals[] = {Unit(0, 0, 1),     Unit(0, 0, -1),  Unit(1, 0, 0),
                                 Unit(1, 2, 3),     Unit(-3, 1, -2), Unit(0.01, 0.01, 1),
                                 Unit(0.02, 0, -1), Unit(0, 1, 1)};
    for (const CVector3d& n : normals) {
        CPolygon3D pg(CPolygon(), n, 7.5);
        // A point on the plane at the elevation maps to the frame and back to itself.
        const CPoint3d onPlane =
            CPoint3d(4, -1, 2) + n * (7.5 - CVector3d(4, -1, 2).getDotProduct(n));
        CPoint3d local;
        CPoint3d back;
        pg.world2ucs(onPlane, local);
        EXPECT_EQ(local.z, 0.0);
        pg.ucs2world(local, back);
        EXPECT_TRUE(Close(back, onPlane, 1e-9));
        // The frame is a rigid map: distances in the plane are kept.
        const CPoint3d other = onPlane + CVector3d(n.y, -n.x, 0) + CVector3d(0, n.z, -n.y);
        CPoint3d otherLocal;
        pg.world2ucs(other, otherLocal);
        EXPECT_NEAR(local.distanceTo(otherLocal), onPlane.distanceTo(other), 1e-9);
        // The frame origin is the plane point nearest the world origin.
        pg.ucs2world(CPoint3d(0, 0, 0), back);
        EXPECT_TRUE(Close(back, pg.GetPtInPln(), 1e-12));
        EXPECT_TRUE(pg.ptIsInPln(back, 1e-9));
    }
}

TEST(Polygon3DFrame, ListConversionsUseTheRequestedThirdCoordinate) {
    CPolygon3D pg(CPolygon(), CVector3d(1, 0, 0), 3.0);
    Pts pts = {{5, 1, 2}, {-1, 4, 6}};
    pg.changeWorldToUcs(pts, 9.0);
    expectXyz(pts[0], 1, 2, 9);
    expectXyz(pts[1], 4, 6, 9);
    pts[0].z = 0.0;
    pts[1].z = 0.0;
    pg.changeUcsToWorld(pts);
    expectXyz(pts[0], 3, 1, 2);  // placed on the plane at the elevation
    expectXyz(pts[1], 3, 4, 6);
    std::vector<AcGePoint3d> ac = {AcGePoint3d(5, 1, 2)};
    pg.changeWorldToUcs(ac, -1.0);
    expectXyz(CPoint3d(ac[0]), 1, 2, -1);
}

// ---- outlines, areas, elevation
// ----------------------------------------------------------------------

TEST(Polygon3DOutline, HorizontalAtHeightFiveHasEqualAreas) {
    CPolygon3D pg(Rect(0, 0, 3, 4, 5.0), CVector3d(0, 0, 1));
    EXPECT_DOUBLE_EQ(pg.getElev(), 5.0);
    EXPECT_NEAR(pg.getArea(), 12.0, kTol);
    EXPECT_NEAR(pg.getAreaPrjXY(), 12.0, kTol);
    CPoint3d lo, hi;
    pg.box(lo, hi);
    expectXyz(lo, 0, 0, 5);
    expectXyz(hi, 3, 4, 5);
    ExpectInStep(pg);
}

TEST(Polygon3DOutline, VerticalAndTiltedAreas) {
    // In the plane x = 2: the projection on XY is a segment.
    CPolygon3D wall({{2, 0, 0}, {2, 3, 0}, {2, 3, 4}, {2, 0, 4}}, CVector3d(1, 0, 0));
    EXPECT_NEAR(wall.getElev(), 2.0, kTol);
    EXPECT_NEAR(wall.getArea(), 12.0, kTol);
    EXPECT_NEAR(wall.getAreaPrjXY(), 0.0, kTol);
    CPoint3d lo, hi;
    wall.box(lo, hi);
    expectXyz(lo, 2, 0, 0);
    expectXyz(hi, 2, 3, 4);
    // A 3 x 4 roof tilted 60 degrees: its plan is 3 x 2.
    const double c = std::cos(kPi / 3), s = std::sin(kPi / 3);
    CPolygon3D roof({{0, 0, 1}, {3, 0, 1}, {3, 4 * c, 1 + 4 * s}, {0, 4 * c, 1 + 4 * s}},
                    CVector3d(0, -s, c));
    EXPECT_NEAR(roof.getArea(), 12.0, 1e-9);
    EXPECT_NEAR(roof.getAreaPrjXY(), 6.0, 1e-9);
    EXPECT_NEAR(roof.getElev(), c, 1e-12);  // (0, 0, 1) . n
    ExpectInStep(roof);
    ExpectCounterClockwise(roof);
}

TEST(Polygon3DOutline, ClosedAndClockwiseListsAreNormalised) {
    Pts closed = Rect(0, 0, 2, 2, 1.0);
    closed.push_back(closed.front());
    CPolygon3D pg(closed, CVector3d(0, 0, 1));
    EXPECT_EQ(pg.getWorldPts().size(), 4u);

    Pts clockwise = {{0, 0, 1}, {0, 2, 1}, {2, 2, 1}, {2, 0, 1}};
    pg.setWorldPts(clockwise);
    ASSERT_EQ(pg.getWorldPts().size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(Close(pg.getWorldPts()[i], clockwise[3 - i]));
    }
    ExpectInStep(pg);

    // The same ring seen from below is counter-clockwise and kept as given.
    pg.setWorldPts(clockwise, CVector3d(0, 0, -1));
    EXPECT_TRUE(Close(pg.getWorldPts()[0], clockwise[0]));
    EXPECT_NEAR(pg.getElev(), -1.0, kTol);
    ExpectCounterClockwise(pg);
    ExpectInStep(pg);

    // Fewer than three points change nothing.
    const Pts before = pg.getWorldPts();
    pg.setWorldPts(Pts{{9, 9, 9}, {8, 8, 8}}, CVector3d(1, 0, 0));
    EXPECT_TRUE(SameRing(pg.getWorldPts(), before));
    expectXyz(pg.getUcs(), 0, 0, -1);
    CPolygon3D empty(Pts{{1, 1, 1}}, CVector3d(1, 0, 0));
    EXPECT_TRUE(empty.getWorldPts().empty());
    expectXyz(empty.getUcs(), 0, 0, 1);
}

TEST(Polygon3DOutline, NearDuplicateVerticesKeepBothOutlinesInStep) {
    // The plane outline merges vertices closer than its duplicate distance; the world
    // outline follows it so that vertex i of one is vertex i of the other.
    CPolygon3D pg({{0, 0, 0}, {4, 0, 0}, {4, 0.001, 0}, {4, 4, 0}, {0, 4, 0}}, CVector3d(0, 0, 1));
    EXPECT_EQ(pg.getUcsPts().size(), 4u);
    EXPECT_EQ(pg.getWorldPts().size(), 4u);
    ExpectInStep(pg);
}

TEST(Polygon3DOutline, SetElevWithAndWithoutRebuild) {
    CPolygon3D pg(Pts{{0, 0, 0}, {1, 0, 0}, {1, 1, -1}, {0, 1, -1}}, Unit(0, 1, 1));
    const Pts before = pg.getWorldPts();
    const double e0 = pg.getElev();
    pg.setElev(e0 + 2.0, false);
    EXPECT_DOUBLE_EQ(pg.getElev(), e0 + 2.0);
    EXPECT_TRUE(SameRing(pg.getWorldPts(), before));

    pg.setElev(e0 + 2.0, true);
    const CVector3d shift = Unit(0, 1, 1) * 2.0;
    ASSERT_EQ(pg.getWorldPts().size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(Close(pg.getWorldPts()[i], before[i] + shift));
    }
    EXPECT_NEAR(pg.getElev(), e0 + 2.0, 1e-12);
    ExpectInStep(pg);
}

TEST(Polygon3DOutline, PlaneOutlineEditsRebuildTheWorldOutline) {
    CPolygon3D pg(CPolygon(), CVector3d(1, 0, 0), 3.0);
    pg.setUcsPts(Pts{{0, 0, 5}, {2, 0, 5}, {2, 1, 5}, {0, 1, 5}});
    EXPECT_TRUE(SameRing(pg.getWorldPts(), {{3, 0, 0}, {3, 2, 0}, {3, 2, 1}, {3, 0, 1}}));
    EXPECT_EQ(pg.getUcsPts()[0].z, 0.0);
    EXPECT_NEAR(pg.getArea(), 2.0, kTol);
    CPolygon plane(Rect(0, 0, 1, 1, 4.0), true);
    pg.setUcsPolygon(plane);
    EXPECT_TRUE(SameRing(pg.getWorldPts(), {{3, 0, 0}, {3, 1, 0}, {3, 1, 1}, {3, 0, 1}}));
    EXPECT_NEAR(pg.getElev(), 3.0, kTol);
    std::vector<CPoint3d> top;
    pg.setThickness(2.0);
    pg.getTopPts(top);
    ASSERT_EQ(top.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(Close(top[i], pg.getWorldPts()[i] + CVector3d(2, 0, 0)));
    }
    pg.getTopPts(-1.0, top);
    EXPECT_TRUE(Close(top[0], pg.getWorldPts()[0] + CVector3d(-1, 0, 0)));
}

TEST(Polygon3DOutline, ExtrudeDirectionsPointOutward) {
    CPolygon3D pg(Rect(0, 0, 2, 1, 0.0), CVector3d(0, 0, 1));
    CVector3d v(7, 7, 7);
    EXPECT_TRUE(pg.getExtrudeV(-1, v));
    expectXyz(v, 0, 0, 1);
    EXPECT_TRUE(pg.getExtrudeV(-2, v));
    expectXyz(v, 0, 0, -1);
    const Pts& w = pg.getWorldPts();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(pg.getExtrudeV(i, v));
        const CPoint3d mid = w[i] + (w[(i + 1) % 4] - w[i]) * 0.5;
        const CPoint3d centre(1, 0.5, 0);
        EXPECT_GT((mid - centre).getDotProduct(v), 0.0) << "face " << i;
        EXPECT_NEAR(v.length(), w[i].distanceTo(w[(i + 1) % 4]), kTol);
    }
    v.set(7, 7, 7);
    EXPECT_FALSE(pg.getExtrudeV(4, v));
    EXPECT_FALSE(pg.getExtrudeV(-3, v));
    expectXyz(v, 7, 7, 7);
}

TEST(Polygon3DOutline, PlaneQueries) {
    CPolygon3D a(Rect(0, 0, 4, 4, 2.0), CVector3d(0, 0, 1));
    EXPECT_TRUE(a.ptIsInPln(CPoint3d(100, -5, 2.0000001), 1e-6));
    EXPECT_FALSE(a.ptIsInPln(CPoint3d(1, 1, 2.1), 1e-6));
    EXPECT_TRUE(a.ptIsInArea(CPoint3d(1, 1, 2), 1e-6, true));
    EXPECT_FALSE(a.ptIsInArea(CPoint3d(5, 1, 2), 1e-6, true));
    EXPECT_FALSE(a.ptIsInArea(CPoint3d(1, 1, 3), 1e-6, true));
    EXPECT_TRUE(a.ptIsInArea(AcGePoint3d(0, 2, 2), 1e-6, true));
    EXPECT_FALSE(a.ptIsInArea(AcGePoint3d(0, 2, 2), 1e-6, false));

    CPolygon3D same(Rect(9, 9, 10, 10, 2.0), CVector3d(0, 0, 1));
    CPolygon3D higher(Rect(9, 9, 10, 10, 3.0), CVector3d(0, 0, 1));
    EXPECT_TRUE(a.plnIsEqual(same, 1e-6));
    EXPECT_FALSE(a.plnIsEqual(higher, 1e-6));
    EXPECT_TRUE(a.plnIsParallelTo(higher, 1e-6));
    // The same plane seen from below is the same plane; its mirror image at -2 is not.
    CPolygon3D below(Rect(9, 9, 10, 10, 2.0), CVector3d(0, 0, -1));
    CPolygon3D mirrorImage(Rect(9, 9, 10, 10, -2.0), CVector3d(0, 0, -1));
    EXPECT_TRUE(a.plnIsEqual(below, 1e-6));
    EXPECT_FALSE(a.plnIsEqual(mirrorImage, 1e-6));

    CPolygon3D wall(Rect(0, 0, 1, 1, 0.0), CVector3d(1, 0, 0));
    AcGeLine3d line;
    EXPECT_FALSE(a.plnIsIntersectWith(higher, line, 1e-6));
    EXPECT_FALSE(a.plnIsParallelTo(wall, 1e-6));
}

// ---- transforms
// --------------------------------------------------------------------------------------

namespace {

// A tilted quadrilateral used by the transform tests, with its normal.
const Pts kTilted = {{0, 0, 1}, {2, 0, 2}, {2, 3, 2}, {0, 3, 1}};
const CVector3d kTiltedNormal = Unit(-1, 0, 2);

// Checks the polygon against independently transformed points and normal.
void ExpectTransformed(CPolygon3D& pg, const Pts& want, const CVector3d& wantNormal,
                       double area = 3.0 * std::sqrt(5.0)) {
    EXPECT_TRUE(SameRing(pg.getWorldPts(), want) ||
                SameRing(pg.getWorldPts(), Pts(want.rbegin(), want.rend())));
    expectXyz(pg.getUcs(), wantNormal.x, wantNormal.y, wantNormal.z, 1e-9);
    EXPECT_NEAR(pg.getElev(), CVector3d(want[0]).getDotProduct(wantNormal), 1e-9);
    EXPECT_NEAR(pg.getArea(), area, 1e-9);
    ExpectCounterClockwise(pg);
    ExpectInStep(pg);
}

}  // namespace

TEST(Polygon3DTransform, RotateAboutAnAxisThroughABasePoint) {
    // A quarter turn about the line through (0, 0, 2) along +X:
    // p - base = (x, y, z - 2) turns to (x, -(z - 2), y), then base is added back.
    CPolygon3D pg(kTilted, kTiltedNormal);
    pg.rotate(CVector3d(5, 0, 0), CPoint3d(0, 0, 2), kPi / 2);
    Pts want;
    for (const CPoint3d& p : kTilted) {
        want.emplace_back(p.x, -(p.z - 2), p.y + 2);
    }
    const CVector3d n = kTiltedNormal;
    ExpectTransformed(pg, want, CVector3d(n.x, -n.z, n.y));

    CPolygon3D ac(kTilted, kTiltedNormal);
    ac.rotate(AcGeVector3d(0, 0, 1), AcGePoint3d(1, 1, 0), kPi);  // half turn about a vertical
    Pts wantAc;
    for (const CPoint3d& p : kTilted) {
        wantAc.emplace_back(2 - p.x, 2 - p.y, p.z);
    }
    ExpectTransformed(ac, wantAc, CVector3d(-n.x, -n.y, n.z));
}

TEST(Polygon3DTransform, PlanRotationMoveAndScale) {
    const CVector3d n = kTiltedNormal;
    CPolygon3D pg(kTilted, kTiltedNormal);
    pg.rotate(CPoint3d(1, 1, 0), kPi / 2);  // (x, y) -> (1 - (y - 1), 1 + (x - 1))
    Pts want;
    for (const CPoint3d& p : kTilted) {
        want.emplace_back(2 - p.y, p.x, p.z);
    }
    ExpectTransformed(pg, want, CVector3d(-n.y, n.x, n.z));

    CPolygon3D moved(kTilted, kTiltedNormal);
    moved.move(CVector3d(1, 2, 3));
    Pts wantMoved;
    for (const CPoint3d& p : kTilted) {
        wantMoved.push_back(p + CVector3d(1, 2, 3));
    }
    ExpectTransformed(moved, wantMoved, n);

    CPolygon3D scaled(kTilted, kTiltedNormal);
    scaled.scale(CPoint3d(1, 0, 0), 2.0);  // (x, y, z) -> (2x - 1, 2y, 2z)
    ExpectTransformed(scaled, {{-1, 0, 2}, {3, 0, 4}, {3, 6, 4}, {-1, 6, 2}}, n,
                      12.0 * std::sqrt(5.0));
}

TEST(Polygon3DTransform, MirrorInALineAPlaneAndAnotherPolygon) {
    const CVector3d n = kTiltedNormal;
    // In the vertical plane through the Y axis: x changes sign.
    CPolygon3D byLine(kTilted, kTiltedNormal);
    byLine.mirror(CLine(CPoint3d(0, 0, 0), CPoint3d(0, 1, 0)));
    Pts want;
    for (const CPoint3d& p : kTilted) {
        want.emplace_back(-p.x, p.y, p.z);
    }
    ExpectTransformed(byLine, want, CVector3d(-n.x, n.y, n.z));

    // In the horizontal plane z = 1: z -> 2 - z.
    CPolygon3D byPlane(kTilted, kTiltedNormal);
    byPlane.mirror(AcGePlane(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 1)));
    Pts wantPlane;
    for (const CPoint3d& p : kTilted) {
        wantPlane.emplace_back(p.x, p.y, 2 - p.z);
    }
    ExpectTransformed(byPlane, wantPlane, CVector3d(n.x, n.y, -n.z));

    // In the plane of a wall at x = 3: x -> 6 - x.
    CPolygon3D wall({{3, 0, 0}, {3, 1, 0}, {3, 1, 1}, {3, 0, 1}}, CVector3d(1, 0, 0));
    CPolygon3D byPolygon(kTilted, kTiltedNormal);
    byPolygon.mirror(wall);
    Pts wantWall;
    for (const CPoint3d& p : kTilted) {
        wantWall.emplace_back(6 - p.x, p.y, p.z);
    }
    ExpectTransformed(byPolygon, wantWall, CVector3d(-n.x, n.y, n.z));
}

TEST(Polygon3DTransform, MirrorInAPointLikeLineIsAHalfTurnAndStaysCounterClockwise) {
    // A line with coincident ends reflects plan positions through its point: a half turn
    // about the vertical through (1, 1), which keeps the orientation, so no reversal is due.
    const CVector3d n = kTiltedNormal;
    CPolygon3D pg(kTilted, kTiltedNormal);
    pg.mirror(CLine(CPoint3d(1, 1, 0), CPoint3d(1, 1, 0)));
    Pts want;
    for (const CPoint3d& p : kTilted) {
        want.emplace_back(2 - p.x, 2 - p.y, p.z);
    }
    ExpectTransformed(pg, want, CVector3d(-n.x, -n.y, n.z));
}

TEST(Polygon3DTransform, DegenerateParametersChangeNothing) {
    CPolygon3D pg(kTilted, kTiltedNormal);
    const Pts before = pg.getWorldPts();
    pg.rotate(CVector3d(0, 0, 0), CPoint3d(1, 1, 1), 1.0);  // no axis
    pg.rotate(CVector3d(kNaN, 0, 1), CPoint3d(1, 1, 1), 1.0);
    pg.rotate(CVector3d(0, 0, 1), CPoint3d(1, 1, 1), kInf);
    pg.rotate(CPoint3d(0, 0, 0), kNaN);
    pg.move(CVector3d(kNaN, 0, 0));
    pg.scale(CPoint3d(0, 0, 0), kInf);
    pg.mirror(CLine(CPoint3d(kNaN, 0, 0), CPoint3d(0, 1, 0)));
    EXPECT_TRUE(SameRing(pg.getWorldPts(), before));
    expectXyz(pg.getUcs(), kTiltedNormal.x, kTiltedNormal.y, kTiltedNormal.z);
    EXPECT_TRUE(pg.isValid());
}

// ---- meeting of two polygons
// ---------------------------------------------------------------------------

namespace {

// A rectangle in the plane y = y0, spanning x0..x1 and z0..z1, normal +Y or -Y.
CPolygon3D Upright(double x0, double x1, double y0, double z0, double z1, double ny = 1.0) {
    return CPolygon3D(Pts{{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}},
                      CVector3d(0, ny, 0));
}

bool Meet(CPolygon3D& a, CPolygon3D& b, AcGeLine3d* lineOut = nullptr) {
    AcGeLine3d line;
    const bool met = a.intersectWith(b, line, 1e-6);
    if (lineOut != nullptr) {
        *lineOut = line;
    }
    return met;
}

}  // namespace

TEST(Polygon3DIntersect, ChordsAlongTheCommonLine) {
    // Floor: x 0..2, y 0..2 at z = 0. Its chord on the line y = 1, z = 0 is x 0..2.
    CPolygon3D floor(Rect(0, 0, 2, 2, 0.0), CVector3d(0, 0, 1));
    CPolygon3D overlapping = Upright(1, 3, 1, -1, 1);      // chord x 1..3
    CPolygon3D apart = Upright(3, 5, 1, -1, 1);            // chord x 3..5
    CPolygon3D touching = Upright(2, 4, 1, -1, 1);         // chord x 2..4: one shared point
    CPolygon3D covering = Upright(-1, 3, 1, -1, 1, -1.0);  // chord x -1..3 holds the floor's
    CPolygon3D above = Upright(0, 2, 1, 0.5, 1);           // misses the floor's plane entirely

    AcGeLine3d line;
    EXPECT_TRUE(Meet(floor, overlapping, &line));
    const CVector3d dir(line.direction());
    EXPECT_NEAR(std::fabs(dir.x), 1.0, kTol);
    EXPECT_NEAR(line.pointOnLine().y, 1.0, kTol);
    EXPECT_NEAR(line.pointOnLine().z, 0.0, kTol);
    EXPECT_TRUE(Meet(overlapping, floor));
    EXPECT_FALSE(Meet(floor, apart));
    EXPECT_TRUE(Meet(floor, touching));
    EXPECT_TRUE(Meet(touching, floor));
    EXPECT_TRUE(Meet(floor, covering));
    EXPECT_TRUE(Meet(covering, floor));
    EXPECT_FALSE(Meet(floor, above));

    CPolygon3D parallel(Rect(0, 0, 2, 2, 5.0), CVector3d(0, 0, 1));
    EXPECT_FALSE(Meet(floor, parallel));
    CPolygon3D empty;
    EXPECT_FALSE(Meet(empty, overlapping));
}

// A comb floor crossed eighty times by the line y = 2: the chords over its teeth, found once
// for all crossings, decide the meeting with uprights in a tooth, in a gap, on a tooth's wall.
TEST(Polygon3DIntersect, ManyChordsOfAComb) {
    Pts teeth{{0, 0, 0}, {79, 0, 0}};
    for (int t = 39; t >= 0; --t) {
        teeth.insert(teeth.end(), {{2.0 * t + 1, 3, 0}, {2.0 * t, 3, 0}});
        if (t > 0) {
            teeth.insert(teeth.end(), {{2.0 * t, 1, 0}, {2.0 * t - 1, 1, 0}});
        }
    }
    CPolygon3D comb(teeth, CVector3d(0, 0, 1));
    const struct {
        double x0, x1;
        bool meets;
    } cases[] = {{2.2, 2.8, true}, {3.2, 3.8, false},  {3.0, 3.5, true},
                 {-1, 81, true},   {36.5, 36.9, true}, {79.5, 80, false}};
    for (const auto& c : cases) {
        CPolygon3D wall = Upright(c.x0, c.x1, 2, -1, 1);
        EXPECT_EQ(Meet(comb, wall), c.meets) << c.x0;
        EXPECT_EQ(Meet(wall, comb), c.meets) << c.x0;
    }
}

TEST(Polygon3DIntersect, ConcaveOutlineWithAPolygonInItsNotch) {
    // A U in the floor: the line y = 2 crosses it at x = 0, 1, 2, 3; the stretch 1..2 is the notch.
    CPolygon3D u(
        Pts{{0, 0, 0}, {3, 0, 0}, {3, 3, 0}, {2, 3, 0}, {2, 1, 0}, {1, 1, 0}, {1, 3, 0}, {0, 3, 0}},
        CVector3d(0, 0, 1));
    CPolygon3D inNotch = Upright(1.2, 1.8, 2, -1, 1);
    CPolygon3D acrossArm = Upright(1.2, 2.5, 2, -1, 1);
    EXPECT_FALSE(Meet(u, inNotch));
    EXPECT_FALSE(Meet(inNotch, u));
    EXPECT_TRUE(Meet(u, acrossArm));
    EXPECT_TRUE(Meet(acrossArm, u));
}

TEST(Polygon3DIntersect, CrossingsFarFromTheFirstVertexStayInOrder) {
    // A long U whose first vertex is 300000 from its other end: ordering the crossings by a
    // distance from a point only 100000 behind the first vertex would fold them.
    for (const double ny : {1.0, -1.0}) {
        CPolygon3D u(Pts{{300000, 0, 0},
                         {300000, 3, 0},
                         {210000, 3, 0},
                         {210000, 1, 0},
                         {190000, 1, 0},
                         {190000, 3, 0},
                         {0, 3, 0},
                         {0, 0, 0}},
                     CVector3d(0, 0, 1));
        CPolygon3D inNotch = Upright(195000, 205000, 2, -1, 1, ny);
        EXPECT_FALSE(Meet(u, inNotch));
        CPolygon3D onArm = Upright(185000, 195000, 2, -1, 1, ny);
        EXPECT_TRUE(Meet(u, onArm));
    }
}

// ---- archive
// --------------------------------------------------------------------------------------------

namespace {

Bytes Store(CPolygon3D& pg) {
    return StoreBytes([&](CArchive& ar) { pg.Serialize(ar); });
}

CPolygon3D Load(const Bytes& bytes, CPolygon3D start = CPolygon3D()) {
    LoadBytes(bytes, [&](CArchive& ar) { start.Serialize(ar); });
    return start;
}

// A plane-outline record: version, elevation, thickness, points, base box of the points.
RecordBuilder& PlaneRecord(RecordBuilder& rb, const Pts& pts, double lox, double loy, double hix,
                           double hiy) {
    rb.real(2.0).real(0.0).real(0.0).count(static_cast<std::uint32_t>(pts.size()));
    for (const CPoint3d& p : pts) {
        rb.xyz(p.x, p.y, p.z);
    }
    return rb.real(2.0).xyz(lox, loy, 0).xyz(hix, hiy, 0);
}

}  // namespace

TEST(Polygon3DArchive, CurrentRecordByteForByte) {
    CPolygon3D pg(Rect(1, 2, 4, 6, 5.0), CVector3d(0, 0, 1));
    pg.setThickness(2.5);
    const Pts ucs = pg.getUcsPts();
    const Pts world = pg.getWorldPts();
    ASSERT_EQ(ucs.size(), 4u);
    RecordBuilder rb;
    rb.real(2.1);
    PlaneRecord(rb, ucs, 1, 2, 4, 6);
    rb.xyz(0, 0, 1).count(4);
    for (const CPoint3d& p : world) {
        rb.xyz(p.x, p.y, p.z);
    }
    rb.real(12.0).real(5.0).real(2.5);
    rb.real(2.0).xyz(1, 2, 5).xyz(4, 6, 5);
    const Bytes bytes = Store(pg);
    EXPECT_EQ(bytes.size(), 8u + (24u + 4u + 4u * 32u + 72u) + 32u + 4u + 4u * 32u + 24u + 72u);
    EXPECT_EQ(bytes, rb.bytes());
}

TEST(Polygon3DArchive, RoundTripKeepsEveryField) {
    CPolygon3D pg(kTilted, kTiltedNormal);
    pg.setThickness(-1.25);
    const CPolygon3D back = Load(Store(pg));
    CPolygon3D copy = back;
    EXPECT_TRUE(SameRing(copy.getWorldPts(), pg.getWorldPts()));
    EXPECT_EQ(copy.getUcsPts(), pg.getUcsPts());
    EXPECT_EQ(copy.getUcs(), pg.getUcs());
    EXPECT_EQ(copy.getElev(), pg.getElev());
    EXPECT_EQ(copy.getThickness(), -1.25);
    EXPECT_EQ(copy.getAreaPrjXY(), pg.getAreaPrjXY());
    CPoint3d lo1, hi1, lo2, hi2;
    copy.box(lo1, hi1);
    pg.box(lo2, hi2);
    EXPECT_EQ(lo1, lo2);
    EXPECT_EQ(hi1, hi2);
}

TEST(Polygon3DArchive, OlderRecordStopsAfterTheNormal) {
    const Pts plane = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}};
    RecordBuilder rb;
    rb.real(2.0);
    PlaneRecord(rb, plane, 0, 0, 2, 1);
    rb.xyz(1, 0, 0);
    rb.real(2.0).xyz(-7, -8, -9).xyz(7, 8, 9);
    rb.real(42.0);  // not part of the record

    CPolygon3D start(CPolygon(), CVector3d(0, 0, 1), 3.0);
    start.setThickness(4.0);
    double after = 0.0;
    LoadBytes(rb.bytes(), [&](CArchive& ar) {
        start.Serialize(ar);
        ar >> after;
    });
    EXPECT_EQ(after, 42.0);
    expectXyz(start.getUcs(), 1, 0, 0, 0.0);
    EXPECT_EQ(start.getUcsPts(), plane);
    EXPECT_EQ(start.getThickness(), 4.0);  // not stored in this layout
    EXPECT_NEAR(start.getElev(), 3.0, kTol);
    // The world outline is derived from the plane outline at the elevation already held.
    EXPECT_TRUE(SameRing(start.getWorldPts(), {{3, 0, 0}, {3, 2, 0}, {3, 2, 1}, {3, 0, 1}}));
    EXPECT_NEAR(start.getAreaPrjXY(), 0.0, kTol);
    CPoint3d lo, hi;
    start.box(lo, hi);
    expectXyz(lo, -7, -8, -9, 0.0);  // the box is taken as stored
    expectXyz(hi, 7, 8, 9, 0.0);
}

TEST(Polygon3DArchive, HostileAndTruncatedRecordsRaiseEndOfFile) {
    CPolygon3D pg(Rect(0, 0, 1, 1, 0.0), CVector3d(0, 0, 1));
    const Bytes good = Store(pg);
    const size_t countAt = 8 + (24 + 4 + 4 * 32 + 72) + 32;
    for (const std::uint32_t count : {0x7fffffffu, 0x80000000u, 0xffffffffu, 5u}) {
        Bytes bad = good;
        std::memcpy(bad.data() + countAt, &count, sizeof count);
        CPolygon3D target;
        EXPECT_EQ(
            ArchiveCause([&] { LoadBytes(bad, [&](CArchive& ar) { target.Serialize(ar); }); }),
            CArchiveException::endOfFile)
            << count;
    }
    for (const size_t cut : {size_t{3}, countAt + 2, good.size() - 1}) {
        const Bytes shortBytes(good.begin(), good.begin() + static_cast<long>(cut));
        CPolygon3D target;
        EXPECT_EQ(ArchiveCause(
                      [&] { LoadBytes(shortBytes, [&](CArchive& ar) { target.Serialize(ar); }); }),
                  CArchiveException::endOfFile)
            << cut;
    }
}

TEST(Polygon3DArchive, RuntimeClassCopyAndClone) {
    CRuntimeClass* rc = CRuntimeClass::FromName("CPolygon3D");
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(rc->m_wSchema, 1u);
    std::unique_ptr<CObject> obj(rc->CreateObject());
    auto* made = dynamic_cast<CPolygon3D*>(obj.get());
    ASSERT_NE(made, nullptr);
    expectXyz(made->getUcs(), 0, 0, 1, 0.0);
    EXPECT_EQ(made->type(), typeid(CPolygon3D));

    CPolygon3D pg(kTilted, kTiltedNormal);
    std::unique_ptr<CGeometry> cl(pg.clone());
    CPoint3d lo, hi, lo2, hi2;
    cl->box(lo, hi);
    pg.box(lo2, hi2);
    EXPECT_EQ(lo, lo2);
    EXPECT_EQ(hi, hi2);
    CPolygon3D assigned;
    assigned = pg;
    CPolygon3D& alias = assigned;
    assigned = alias;  // self-assignment keeps everything
    assigned.box(lo, hi);
    EXPECT_EQ(hi, hi2);
    EXPECT_EQ(assigned.getWorldPts(), pg.getWorldPts());
}

// ---- bad input
// ---------------------------------------------------------------------------------------------

TEST(Polygon3DBadInput, ZeroNormalFallsBackToTheOutlineThenToPlusZ) {
    // A zero normal takes the best-fit normal of the outline.
    CPolygon3D wall({{2, 0, 0}, {2, 3, 0}, {2, 3, 4}, {2, 0, 4}}, CVector3d(0, 0, 0));
    expectXyz(wall.getUcs(), 1, 0, 0);
    EXPECT_NEAR(wall.getArea(), 12.0, kTol);
    // No outline, or a collinear one: +Z.
    CPolygon3D none(CPolygon(), CVector3d(0, 0, 0), 1.0);
    expectXyz(none.getUcs(), 0, 0, 1);
    CPolygon3D line({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, CVector3d(kNaN, 0, 0));
    expectXyz(line.getUcs(), 0, 0, 1);
    EXPECT_TRUE(line.isValid());
    CPolygon3D inf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, CVector3d(kInf, 0, 0));
    expectXyz(inf.getUcs(), 0, 0, 1);
}

TEST(Polygon3DBadInput, NonPlanarOutlineKeepsItsWorldPoints) {
    const Pts warped = {{0, 0, 0}, {2, 0, 1}, {2, 2, 0}, {0, 2, 1}};
    CPolygon3D pg(warped, CVector3d(0, 0, 1));
    EXPECT_TRUE(SameRing(pg.getWorldPts(), warped));
    EXPECT_NEAR(pg.getArea(), 4.0, kTol);  // the projection on the plane
    EXPECT_NEAR(pg.getElev(), pg.getWorldPts()[0].z, kTol);
    EXPECT_TRUE(pg.isValid());
}

TEST(Polygon3DBadInput, CollinearOutlineKeepsBothFormsInStep) {
    // Zero area reads as clockwise to every orientation test; both forms must still agree.
    CPolygon3D pg(Pts{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, CVector3d(0, 0, 1));
    EXPECT_EQ(pg.getWorldPts().size(), pg.getUcsPts().size());
    ExpectInStep(pg);
    EXPECT_EQ(pg.getArea(), 0.0);
}

TEST(Polygon3DBadInput, NonFiniteCoordinatesNeverCrash) {
    const Pts withNaN = {{0, 0, 0}, {kNaN, 1, 0}, {1, 1, 0}, {0, 1, kInf}};
    CPolygon3D pg(withNaN, CVector3d(0, 0, 1));
    AcGeLine3d line;
    CPolygon3D wall = Upright(0, 1, 0.5, -1, 1);
    pg.intersectWith(wall, line, 1e-6);
    wall.intersectWith(pg, line, 1e-6);
    pg.ptIsInArea(CPoint3d(0.5, 0.5, 0), 1e-6, true);
    pg.rotate(CVector3d(1, 0, 0), CPoint3d(0, 0, 0), 1.0);
    pg.mirror(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 1, 0)));
    pg.setElev(kNaN, true);
    const Bytes bytes = Store(pg);
    CPolygon3D back = Load(bytes);
    EXPECT_EQ(back.getWorldPts().size(), pg.getWorldPts().size());
    // A stored zero normal is replaced when read.
    CPolygon3D flat(Rect(0, 0, 1, 1, 0.0), CVector3d(0, 0, 1));
    Bytes zeroNormal = Store(flat);
    const size_t normalAt = 8 + (24 + 4 + 4 * 32 + 72);
    const double zero = 0.0;
    std::memcpy(zeroNormal.data() + normalAt + 24, &zero, sizeof zero);
    CPolygon3D read = Load(zeroNormal);
    expectXyz(read.getUcs(), 0, 0, 1);
}
