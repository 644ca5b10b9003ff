// Solids: records, runtime classes, boxes, transforms, meshes and snap points.
#include <geo/circles.h>
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>
#include <geo/solids.h>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

namespace {

using point_expect::expectSameXyz;
using point_expect::expectXyz;

using geo_detail::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

RecordBuilder& Box(RecordBuilder& b, const CPoint3d& lo, const CPoint3d& hi, double v = 2.0) {
    return b.real(v).xyz(lo.x, lo.y, lo.z, v).xyz(hi.x, hi.y, hi.z, v);
}

Bytes SphereImage(double v = 2.0) {
    RecordBuilder b;
    b.real(v).real(1.5).xyz(1, 2, 3, v);
    return Box(b, CPoint3d(-1, -2, -3), CPoint3d(4, 5, 6), v).bytes();
}

Bytes ConeImage(double v = 2.0) {
    RecordBuilder b;
    b.real(v).real(2).real(5).real(0.5).xyz(0, 0, 1, v).xyz(7, 8, 9, v);
    return Box(b, CPoint3d(-1, -2, -3), CPoint3d(4, 5, 6), v).bytes();
}

Bytes PyramidImage(double v = 2.0) {
    RecordBuilder b;
    b.real(v).real(0.25).real(2).real(5).count(6).real(1).xyz(0, 1, 0, v).xyz(7, 8, 9, v);
    return Box(b, CPoint3d(-1, -2, -3), CPoint3d(4, 5, 6), v).bytes();
}

double Dist(const AcGePoint3d& a, const AcGePoint3d& b) {
    return (a - b).length();
}

AcGePoint3d Ac(const CPoint3d& p) {
    return AcGePoint3d(p.x, p.y, p.z);
}

AcGePoint3d Centroid(const MeshData& f) {
    AcGeVector3d sum(0, 0, 0);
    for (const AcGePoint3d& p : f.vertices) {
        sum += p - AcGePoint3d::kOrigin;
    }
    return AcGePoint3d::kOrigin + sum / static_cast<double>(f.vertices.size());
}

// Distance of p from the axis through base along unit dir, and its height along it.
void AxisCoords(const AcGePoint3d& p, const AcGePoint3d& base, const AcGeVector3d& unitDir,
                double& radial, double& along) {
    const AcGeVector3d v = p - base;
    along = v.dotProduct(unitDir);
    radial = (v - unitDir * along).length();
}

template <typename Solid>
std::vector<MeshData> MeshOf(const Solid& s) {
    std::vector<MeshData> faces;
    s.getMesh(faces);
    return faces;
}

}  // namespace

// ---- Records --------------------------------------------------------------------------

TEST(SolidRecords, BytesMatchHandBuiltImages) {
    CSphere sphere;
    sphere.set(CPoint3d(1, 2, 3), 1.5);
    RecordBuilder s;
    s.real(2.0).real(1.5).xyz(1, 2, 3);
    Box(s, CPoint3d(-0.5, 0.5, 1.5), CPoint3d(2.5, 3.5, 4.5));
    const Bytes sphereBytes = StoreBytes([&](CArchive& ar) { sphere.Serialize(ar); });
    EXPECT_EQ(sphereBytes.size(), 120u);
    EXPECT_EQ(sphereBytes, s.bytes());

    CCone cone;
    cone.set(CPoint3d(7, 8, 9), CVector3d(0, 0, 4), 2, 0.5, 5);
    cone.boxMin = CPoint3d(-1, -2, -3);
    cone.boxMax = CPoint3d(4, 5, 6);
    const Bytes coneBytes = StoreBytes([&](CArchive& ar) { cone.Serialize(ar); });
    EXPECT_EQ(coneBytes.size(), 168u);
    EXPECT_EQ(coneBytes, ConeImage());

    CPyramid pyramid;
    pyramid.set(CPoint3d(7, 8, 9), CVector3d(0, 1, 0), 2, 1, 5, 0.25, 6);
    pyramid.boxMin = CPoint3d(-1, -2, -3);
    pyramid.boxMax = CPoint3d(4, 5, 6);
    const Bytes pyramidBytes = StoreBytes([&](CArchive& ar) { pyramid.Serialize(ar); });
    ASSERT_EQ(pyramidBytes.size(), 180u);
    EXPECT_EQ(pyramidBytes, PyramidImage());
    std::uint32_t sides = 0;
    std::memcpy(&sides, pyramidBytes.data() + 32, 4);
    EXPECT_EQ(sides, 6u);
    double top = 0;
    std::memcpy(&top, pyramidBytes.data() + 36, 8);
    EXPECT_EQ(top, 1.0);
}

TEST(SolidRecords, ReadTakesFieldsAndStoredBoxWhateverTheVersion) {
    for (double v : {1.0, 2.0, 3.0}) {
        CSphere sphere;
        LoadBytes(SphereImage(v), [&](CArchive& ar) { sphere.Serialize(ar); });
        expectSameXyz(sphere.getPos(), 1, 2, 3);
        EXPECT_EQ(sphere.getRadius(), 1.5);
        expectSameXyz(sphere.boxMin, -1, -2, -3);
        expectSameXyz(sphere.boxMax, 4, 5, 6);

        CCone cone;
        LoadBytes(ConeImage(v), [&](CArchive& ar) { cone.Serialize(ar); });
        const CCone::BaseData c = cone.get();
        expectSameXyz(c.basePt, 7, 8, 9);
        EXPECT_EQ(c.dir.z, 1.0);
        EXPECT_EQ(c.bottomRadius, 2);
        EXPECT_EQ(c.height, 5);
        EXPECT_EQ(c.topRadius, 0.5);
        expectSameXyz(cone.boxMax, 4, 5, 6);

        CPyramid pyramid;
        LoadBytes(PyramidImage(v), [&](CArchive& ar) { pyramid.Serialize(ar); });
        const CPyramid::BaseData p = pyramid.get();
        EXPECT_EQ(p.rotation, 0.25);
        EXPECT_EQ(p.sides, 6u);
        EXPECT_EQ(p.topRadius, 1);
        EXPECT_EQ(p.dir.y, 1);
        expectSameXyz(p.basePt, 7, 8, 9);
        expectSameXyz(pyramid.boxMin, -1, -2, -3);
    }
}

TEST(SolidRecords, RoundTripsReproduceTheBytes) {
    CPyramid pyramid;
    pyramid.set(CPoint3d(1, -2, 0.5), CVector3d(0, 0, 3), 4, 0, 2, kNaN, UINT_MAX);
    const Bytes once = StoreBytes([&](CArchive& ar) { pyramid.Serialize(ar); });
    CPyramid back;
    LoadBytes(once, [&](CArchive& ar) { back.Serialize(ar); });
    EXPECT_EQ(back.sides, UINT_MAX);  // stored as given; only use is capped
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { back.Serialize(ar); }), once);

    CCone cone;
    cone.set(CPoint3d(1, 2, 3), CVector3d(1, 1, 0), 3, 1, 4);
    const Bytes coneOnce = StoreBytes([&](CArchive& ar) { cone.Serialize(ar); });
    CCone coneBack;
    LoadBytes(coneOnce, [&](CArchive& ar) { coneBack.Serialize(ar); });
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { coneBack.Serialize(ar); }), coneOnce);
}

TEST(SolidRecords, TruncatedReadRaisesAndLeavesObjectUnchanged) {
    auto check = [](const Bytes& whole, CGeometry& g, const Bytes& before) {
        for (size_t n = 0; n < whole.size(); ++n) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
            EXPECT_EQ(ArchiveCause([&] { LoadBytes(cut, [&](CArchive& ar) { g.Serialize(ar); }); }),
                      CArchiveException::endOfFile)
                << n;
            EXPECT_EQ(StoreBytes([&](CArchive& ar) { g.Serialize(ar); }), before) << n;
        }
    };
    CSphere sphere;
    sphere.set(CPoint3d(9, 8, 7), 6);
    check(SphereImage(), sphere, StoreBytes([&](CArchive& ar) { sphere.Serialize(ar); }));
    CCone cone;
    cone.set(CPoint3d(9, 8, 7), CVector3d(1, 0, 0), 6, 5, 4);
    check(ConeImage(), cone, StoreBytes([&](CArchive& ar) { cone.Serialize(ar); }));
    CPyramid pyramid;
    pyramid.set(CPoint3d(9, 8, 7), CVector3d(1, 0, 0), 6, 5, 4, 3, 5);
    check(PyramidImage(), pyramid, StoreBytes([&](CArchive& ar) { pyramid.Serialize(ar); }));
}

TEST(SolidClasses, RuntimeClassesCreateDefaultObjectsByName) {
    for (const char* name : {"CSphere", "CCone", "CPyramid"}) {
        CRuntimeClass* rc = CRuntimeClass::FromName(name);
        ASSERT_NE(rc, nullptr) << name;
        EXPECT_EQ(std::string(rc->m_lpszClassName), name);
        EXPECT_EQ(rc->m_wSchema, 1u);
        EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CGeometry));
        std::unique_ptr<CObject> obj(rc->CreateObject());
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->GetRuntimeClass(), rc);
    }
    std::unique_ptr<CObject> pyr(CRuntimeClass::CreateObject("CPyramid"));
    auto* p = dynamic_cast<CPyramid*>(pyr.get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->sides, 0u);
    EXPECT_EQ(p->height, 0.0);
    EXPECT_EQ(p->type(), typeid(CPyramid));
    EXPECT_EQ(RUNTIME_CLASS(CSphere)->m_nObjectSize, static_cast<int>(sizeof(CSphere)));
}

// ---- Parameters, boxes and transforms -------------------------------------------------

TEST(SolidParameters, SetNormalisesOnlyTheConeAxisAndCopiesKeepBoxes) {
    CCone cone;
    cone.set(CPoint3d(1, 2, 3), CVector3d(0, 3, 4), 1, 2, 3);
    EXPECT_NEAR(cone.dir.y, 0.6, 1e-15);
    EXPECT_NEAR(cone.dir.z, 0.8, 1e-15);
    CPyramid pyramid;
    pyramid.set(CPoint3d(), CVector3d(0, 3, 4), 1, 2, 3, 0.5, 5);
    EXPECT_EQ(pyramid.dir.y, 3);
    EXPECT_EQ(pyramid.dir.z, 4);

    std::unique_ptr<CGeometry> copy(cone.clone());
    expectSameXyz(copy->boxMin, cone.boxMin.x, cone.boxMin.y, cone.boxMin.z);
    expectSameXyz(copy->boxMax, cone.boxMax.x, cone.boxMax.y, cone.boxMax.z);
    CPyramid assigned;
    assigned = pyramid;
    EXPECT_EQ(assigned.boxMax.x, pyramid.boxMax.x);
    EXPECT_EQ(assigned.get().rotation, 0.5);
    CSphere sphere;
    sphere.set(CSphere::BaseData{CPoint3d(1, 1, 1), 2});
    CSphere sphereCopy(sphere);
    expectSameXyz(sphereCopy.boxMin, -1, -1, -1);
    expectSameXyz(sphereCopy.boxMax, 3, 3, 3);
}

TEST(SolidParameters, SetElevationMovesTheLowestPointButNotTheBox) {
    CSphere sphere;
    sphere.set(CPoint3d(0, 0, 10), 2);
    EXPECT_EQ(sphere.elevation(), 8);
    sphere.setElevation(1);
    EXPECT_EQ(sphere.elevation(), 1);
    EXPECT_EQ(sphere.pos.z, 3);
    EXPECT_EQ(sphere.boxMin.z, 8);  // refreshed only by the next change
    sphere.move(CVector3d(0, 0, 0));
    EXPECT_EQ(sphere.boxMin.z, 1);

    CCone cone;
    cone.set(CPoint3d(0, 0, 5), CVector3d(0, 0, 1), 1, 1, 1);
    cone.setElevation(-2);
    EXPECT_EQ(cone.elevation(), -2);
    EXPECT_EQ(cone.boxMin.z, 5);
}

TEST(SolidParameters, ConeBoxHoldsBothCirclesInPlan) {
    CCone cone;
    cone.set(CPoint3d(10, 20, 1), CVector3d(0, 0, 1), 2, 5, 3);
    EXPECT_NEAR(cone.boxMax.x, 15, 1e-12);  // the circles start on +X
    EXPECT_LE(cone.boxMin.x, 10 - 4.9);
    EXPECT_GE(cone.boxMin.x, 10 - 5 - 1e-12);
    EXPECT_LE(cone.boxMin.y, 20 - 4.9);
    EXPECT_GE(cone.boxMax.y, 20 + 4.9);
    EXPECT_EQ(cone.boxMin.z, 1);  // the first point's z in both corners
    EXPECT_EQ(cone.boxMax.z, 1);
}

TEST(SolidTransforms, ByValueOverloadsWorkWhileBaseOverloadsDoNothing) {
    CSphere sphere;
    sphere.set(CPoint3d(1, 0, 0), 1);
    CCone cone;
    cone.set(CPoint3d(1, 0, 0), CVector3d(1, 0, 0), 1, 0, 2);
    CPyramid pyramid;
    pyramid.set(CPoint3d(1, 0, 0), CVector3d(1, 0, 0), 1, 0, 2, 0, 4);
    for (CGeometry* g : std::initializer_list<CGeometry*>{&sphere, &cone, &pyramid}) {
        const CPoint3d lo = g->boxMin;
        g->move(CVector3d(5, 5, 5));
        g->rotate(CPoint3d(), kPi / 2);
        g->scale(CPoint3d(), 3.0);
        EXPECT_EQ(g->boxMin, lo);
    }
    expectSameXyz(sphere.pos, 1, 0, 0);
    expectSameXyz(cone.basePt, 1, 0, 0);
    expectSameXyz(pyramid.basePt, 1, 0, 0);

    sphere.move(CVector3d(0, 2, 0));
    EXPECT_EQ(sphere.boxMin.y, 1);
    sphere.rotate(CPoint3d(), kPi / 2);
    EXPECT_NEAR(sphere.pos.x, -2, 1e-12);
    EXPECT_NEAR(sphere.pos.y, 1, 1e-12);
    cone.rotate(CPoint3d(), kPi / 2);
    EXPECT_NEAR(cone.basePt.y, 1, 1e-12);
    EXPECT_NEAR(cone.dir.x, 0, 1e-12);
    EXPECT_NEAR(cone.dir.y, 1, 1e-12);
    const double lowZ = pyramid.boxMin.z;
    pyramid.move(CVector3d(0, 0, 4));
    expectSameXyz(pyramid.basePt, 1, 0, 4);
    EXPECT_NEAR(pyramid.boxMin.z, lowZ + 4, 1e-12);

    const CPyramid before = pyramid;
    pyramid.scale(CPoint3d(), CVector3d(2, 2, 2));
    EXPECT_EQ(pyramid.basePt, before.basePt);
    EXPECT_EQ(pyramid.bottomRadius, before.bottomRadius);
}

TEST(SolidTransforms, MirrorReflectsPositionsAndAxes) {
    const CLine yAxis(CPoint3d(0, 5, 0), CPoint3d(0, 6, 0));
    CSphere sphere;
    sphere.set(CPoint3d(3, 1, 2), 1);
    static_cast<CGeometry&>(sphere).mirror(yAxis);  // mirror is a true override
    EXPECT_NEAR(sphere.pos.x, -3, 1e-12);
    EXPECT_NEAR(sphere.boxMax.x, -2, 1e-12);

    CCone cone;
    cone.set(CPoint3d(3, 1, 0), CVector3d(1, 1, 0), 1, 1, 1);
    cone.mirror(yAxis);
    EXPECT_NEAR(cone.basePt.x, -3, 1e-12);
    EXPECT_NEAR(cone.dir.x, -std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(cone.dir.y, std::sqrt(0.5), 1e-12);

    CPyramid pyramid;
    pyramid.set(CPoint3d(3, 1, 0), CVector3d(2, 0, 0), 1, 1, 1, 0, 4);
    pyramid.mirror(yAxis);
    EXPECT_NEAR(pyramid.dir.x, -2, 1e-12);
    EXPECT_NEAR(pyramid.dir.y, 0, 1e-12);
}

// ---- Meshes ---------------------------------------------------------------------------

TEST(SolidMeshes, SphereFacesLieOnTheSphereWithOutwardNormals) {
    CSphere sphere;
    sphere.set(CPoint3d(1, -2, 3), 2.5);
    std::vector<MeshData> faces(1);  // earlier entries stay
    sphere.getMesh(faces);
    ASSERT_EQ(faces.size(), 401u);
    faces.erase(faces.begin());
    const AcGePoint3d c(1, -2, 3);
    for (size_t i = 0; i < faces.size(); ++i) {
        const bool cap = i < 20 || i >= 380;
        EXPECT_EQ(faces[i].vertices.size(), cap ? 3u : 4u) << i;
        for (const AcGePoint3d& p : faces[i].vertices) {
            EXPECT_NEAR(Dist(p, c), 2.5, 1e-9) << i;
        }
        EXPECT_GE(faces[i].normal.dotProduct(Centroid(faces[i]) - c), -1e-12) << i;
    }
    // First face: ring 1 at height r cos(pi/20), then the top pole.
    EXPECT_NEAR(faces[0].vertices[0].z, 3 + 2.5 * std::cos(kPi / 20), 1e-12);
    EXPECT_NEAR(faces[0].vertices[1].z, 3 + 2.5 * std::cos(kPi / 20), 1e-12);
    expectXyz(faces[0].vertices[2], 1, -2, 5.5, 0);
    expectXyz(faces[399].vertices[0], 1, -2, 0.5, 0);
    EXPECT_GT(faces[0].normal.z, 0);
    EXPECT_LT(faces[380].normal.z, 0);
    // The last step of each ring closes on its repeated first point: no area.
    EXPECT_EQ(faces[399].normal.length(), 0);
    // A band's second parallel is the next one down.
    EXPECT_NEAR(faces[20].vertices[2].z, 3 + 2.5 * std::cos(2 * kPi / 20), 1e-12);
}

TEST(SolidMeshes, ConeWithApexHasThreeFacesPerStep) {
    CCone cone;
    cone.set(CPoint3d(1, 2, 3), CVector3d(0, 0, 2), 2, 0, 4);
    const std::vector<MeshData> faces = MeshOf(cone);
    ASSERT_EQ(faces.size(), 60u);
    const AcGePoint3d base(1, 2, 3), apex(1, 2, 7);
    const AcGeVector3d up(0, 0, 1);
    for (size_t k = 0; k < 20; ++k) {
        const MeshData& cap = faces[3 * k];
        expectXyz(cap.vertices[2], 1, 2, 3, 0);
        EXPECT_EQ(cap.normal, -up);
        for (int i = 0; i < 2; ++i) {
            double radial = 0, along = 0;
            AxisCoords(cap.vertices[i], base, up, radial, along);
            EXPECT_NEAR(radial, 2, 1e-9);
            EXPECT_NEAR(along, 0, 1e-12);
        }
        EXPECT_EQ(faces[3 * k + 1].vertices[2], apex) << k;  // side meets the apex
        EXPECT_EQ(faces[3 * k + 2].vertices[1], apex) << k;
        EXPECT_GE(faces[3 * k + 1].normal.dotProduct(Centroid(faces[3 * k + 1]) - base), -1e-12);
    }
}

TEST(SolidMeshes, TiltedFrustumHasFourFacesPerStepOnTheRightRings) {
    CCone cone;
    cone.set(CPoint3d(0, 0, 0), CVector3d(1, 0, 1), 3, 1, 2);
    const std::vector<MeshData> faces = MeshOf(cone);
    ASSERT_EQ(faces.size(), 80u);
    const AcGeVector3d axis = AcGeVector3d(1, 0, 1) / std::sqrt(2.0);
    const AcGePoint3d base = AcGePoint3d::kOrigin;
    for (size_t k = 0; k < 20; ++k) {
        const MeshData& bottomCap = faces[4 * k];
        const MeshData& topCap = faces[4 * k + 1];
        EXPECT_NEAR((bottomCap.normal + axis).length(), 0, 1e-12);
        EXPECT_NEAR((topCap.normal - axis).length(), 0, 1e-12);
        double radial = 0, along = 0;
        AxisCoords(bottomCap.vertices[0], base, axis, radial, along);
        EXPECT_NEAR(radial, 3, 1e-9);
        EXPECT_NEAR(along, 0, 1e-9);
        AxisCoords(topCap.vertices[1], base, axis, radial, along);
        EXPECT_NEAR(radial, 1, 1e-9);
        EXPECT_NEAR(along, 2, 1e-9);
        // Side normals point away from the axis.
        for (size_t s = 2; s < 4; ++s) {
            const MeshData& side = faces[4 * k + s];
            const AcGeVector3d out = Centroid(side) - base;
            EXPECT_GE(side.normal.dotProduct(out - axis * out.dotProduct(axis)), -1e-12);
        }
    }
}

TEST(SolidMeshes, PyramidCornersSitAtCircumradiusWithTheFirstSideFacingRotation) {
    for (double rotation : {0.0, kPi / 3, 4.0}) {
        CPyramid pyramid;
        pyramid.set(CPoint3d(5, 5, 1), CVector3d(0, 0, 1), 2, 1, 3, rotation, 4);
        const std::vector<MeshData> faces = MeshOf(pyramid);
        ASSERT_EQ(faces.size(), 20u);  // 4 faces per step, sides + 1 steps
        const AcGePoint3d b0 = faces[0].vertices[0], b1 = faces[0].vertices[1];
        EXPECT_NEAR(Dist(b0, AcGePoint3d(5, 5, 1)), 2, 1e-9);
        EXPECT_NEAR(Dist(b1, AcGePoint3d(5, 5, 1)), 2, 1e-9);
        EXPECT_NEAR(Dist(b0, b1), 2 * std::sqrt(2.0), 1e-9);  // square side
        const double midAngle = std::atan2((b0.y + b1.y) / 2 - 5, (b0.x + b1.x) / 2 - 5);
        EXPECT_NEAR(std::remainder(midAngle - rotation, 2 * kPi), 0, 1e-9) << rotation;
        const AcGePoint3d t0 = faces[1].vertices[0];
        EXPECT_NEAR(Dist(t0, AcGePoint3d(5, 5, 4)), 1, 1e-9);
        EXPECT_NEAR(t0.z, 4, 1e-12);
        // The top ring turns with the bottom: same direction as bottom[0].
        EXPECT_NEAR(std::atan2(t0.y - 5, t0.x - 5), std::atan2(b0.y - 5, b0.x - 5), 1e-9);
    }
}

// One step per bottom-ring point but the last: a sampled ring has one point
// more than a ring of copies of its centre, and each cap comes with its ring.
TEST(SolidMeshes, FaceCountsFollowTheBottomRing) {
    struct Row {
        unsigned int sides;  // 0: a cone
        double bottom, top;
        size_t faces;
    };
    const Row rows[] = {
        {0, 2, 1, 80}, {0, 2, 0, 60}, {0, 0, 2, 57},  // 20 or 19 steps
        {4, 2, 1, 20}, {4, 2, 0, 15}, {4, 0, 2, 12},  // sides + 1 or sides steps
        {2, 2, 1, 12}, {1, 2, 1, 8},                  // too few sides: flat, still meshed
    };
    for (const Row& r : rows) {
        std::vector<MeshData> faces;
        if (r.sides == 0) {
            CCone cone;
            cone.set(CPoint3d(), CVector3d(0, 0, 1), r.bottom, r.top, 3);
            faces = MeshOf(cone);
        } else {
            CPyramid pyramid;
            pyramid.set(CPoint3d(), CVector3d(0, 0, 1), r.bottom, r.top, 3, 0.5, r.sides);
            faces = MeshOf(pyramid);
        }
        EXPECT_EQ(faces.size(), r.faces) << r.sides << " " << r.bottom << " " << r.top;
    }
}

TEST(SolidMeshes, ApexPyramidMeshMatchesItsTurnedSnapCorners) {
    CPyramid pyramid;
    pyramid.set(CPoint3d(0, 0, 0), CVector3d(0, 0, 2), 3, 0, 1, 1.0, 5);
    const std::vector<MeshData> faces = MeshOf(pyramid);
    ASSERT_EQ(faces.size(), 18u);  // 3 per step, 6 steps
    std::vector<CPoint3d> snaps;
    ASSERT_TRUE(get3dSolidSnapPoints(&pyramid, snaps));
    ASSERT_EQ(snaps.size(), 2u * 7 + 2);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(Dist(faces[3 * k].vertices[0], Ac(snaps[2 * k])), 0, 1e-12) << k;
        expectXyz(faces[3 * k + 1].vertices[2], 0, 0, 2, 0);  // apex at height * dir
    }
    EXPECT_NEAR(faces[0].normal.z, -2, 0);  // cap normal is -dir as stored
}

TEST(SolidSnaps, PointsPerSolidAndNeutralResults) {
    std::vector<CPoint3d> out{CPoint3d(9, 9, 9)};
    EXPECT_FALSE(get3dSolidSnapPoints(nullptr, out));
    CSphere sphere;
    sphere.set(CPoint3d(1, 2, 3), 4);
    CCone cone;
    cone.set(CPoint3d(4, 5, 6), CVector3d(0, 0, 1), 1, 1, 1);
    CCircle circle(CPoint3d(), 1);
    EXPECT_TRUE(get3dSolidSnapPoints(&sphere, out));
    EXPECT_TRUE(get3dSolidSnapPoints(&cone, out));
    EXPECT_TRUE(get3dSolidSnapPoints(&circle, out));
    ASSERT_EQ(out.size(), 3u);
    expectSameXyz(out[1], 1, 2, 3);
    expectSameXyz(out[2], 4, 5, 6);

    // Four sides, rotation 0, vertical axis: the first side's middle is on +x.
    CPyramid pyramid;
    pyramid.set(CPoint3d(2, 3, 0), CVector3d(0, 0, 1), 1, 1, 2, 0, 4);
    std::vector<CPoint3d> pts;
    get3dSolidSnapPoints(&pyramid, pts);
    ASSERT_EQ(pts.size(), 14u);
    EXPECT_NEAR((pts[0].x + pts[2].x) / 2, 2 + std::sqrt(0.5), 1e-9);
    EXPECT_NEAR((pts[0].y + pts[2].y) / 2, 3, 1e-9);
    expectSameXyz(pts[12], 2, 3, 0);
    expectSameXyz(pts[13], 2, 3, 2);
    EXPECT_NEAR(pyramid.boxMax.x, 2 + std::sqrt(0.5), 1e-9);
}

TEST(SolidBadInput, DegenerateSolidsGiveEmptyMeshesWithoutCrashing) {
    for (double r : {0.0, -1.0, 5e-7, kNaN, std::numeric_limits<double>::infinity()}) {
        CSphere sphere;
        sphere.set(CPoint3d(), r);
        EXPECT_TRUE(MeshOf(sphere).empty()) << r;
        CCone cone;
        cone.set(CPoint3d(), CVector3d(0, 0, 1), r, r, 1);
        EXPECT_TRUE(MeshOf(cone).empty()) << r;
        cone.set(CPoint3d(), CVector3d(0, 0, 1), 1, 1, r);
        EXPECT_TRUE(MeshOf(cone).empty()) << r;
        CPyramid pyramid;
        pyramid.set(CPoint3d(), CVector3d(0, 0, 1), 1, 1, r, 0, 4);
        EXPECT_TRUE(MeshOf(pyramid).empty()) << r;
    }
    CCone flatAxis;
    flatAxis.set(CPoint3d(1, 1, 1), CVector3d(0, 0, 0), 1, 1, 1);
    EXPECT_TRUE(MeshOf(flatAxis).empty());
    EXPECT_EQ(flatAxis.boxMin, CPoint3d(1, 1, 1));  // both circles collapse to the centre
    CPyramid odd;
    odd.set(CPoint3d(1, 1, 1), CVector3d(0, 0, 0), 1, 1, 1, 0, 4);
    EXPECT_TRUE(MeshOf(odd).empty());
    odd.set(CPoint3d(1, 1, 1), CVector3d(0, 0, 1), 1, 1, 1, kNaN, 4);
    EXPECT_TRUE(MeshOf(odd).empty());
}

TEST(SolidBadInput, HugeSideCountsAreCapped) {
    CPyramid pyramid;
    pyramid.set(CPoint3d(), CVector3d(0, 0, 1), 1, 1, 1, 0, UINT_MAX);
    EXPECT_EQ(pyramid.sides, UINT_MAX);
    EXPECT_EQ(MeshOf(pyramid).size(), 4u * (kMaxPyramidSides + 1));
    std::vector<CPoint3d> pts;
    get3dSolidSnapPoints(&pyramid, pts);
    EXPECT_EQ(pts.size(), 2u * (kMaxPyramidSides + 2) + 2);
}
