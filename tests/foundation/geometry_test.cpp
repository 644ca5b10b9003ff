// The entity base: copy semantics, default operations, runtime classes.
#include <geo/geometry.h>
#include <geo/point3d.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Sets the box in place: returning a CGeometry by value would drop it.
void SetBox(CGeometry& g) {
    g.boxMin.set(1, 2, 3);
    g.boxMax.set(4, 5, 6);
}

bool IsZeroBox(const CGeometry& g) {
    return g.boxMin.x == 0 && g.boxMin.y == 0 && g.boxMin.z == 0 && g.boxMax.x == 0 &&
           g.boxMax.y == 0 && g.boxMax.z == 0;
}

TEST(GeometryCopy, CopyConstructionStartsWithAZeroBox) {
    CGeometry g;
    g.boxMin.set(1, 2, 3);
    const CGeometry copy(g);
    EXPECT_TRUE(IsZeroBox(copy));
    EXPECT_EQ(g.boxMin.x, 1);  // the source is untouched
}

TEST(GeometryCopy, AssignmentCopiesNothing) {
    CGeometry source;
    SetBox(source);
    CGeometry target;
    target.boxMax.set(9, 9, 9);
    CGeometry& result = (target = source);
    EXPECT_EQ(&result, &target);
    EXPECT_EQ(target.boxMin.x, 0);
    EXPECT_EQ(target.boxMax.x, 9);
}

TEST(GeometryClone, IsADefaultObjectOfTheBase) {
    CGeometry g;
    g.boxMin.set(1, 2, 3);
    std::unique_ptr<CGeometry> c(g.clone());
    ASSERT_NE(c, nullptr);
    EXPECT_NE(c.get(), &g);
    EXPECT_TRUE(IsZeroBox(*c));
    EXPECT_EQ(c->type(), typeid(CGeometry));
    EXPECT_EQ(c->GetRuntimeClass(), RUNTIME_CLASS(CGeometry));
}

// A derived class that replaces nothing still reports its own exact type.
class CProbeGeometry : public CGeometry {};

TEST(GeometryType, IsTheExactClass) {
    CGeometry g;
    EXPECT_EQ(g.type(), typeid(CGeometry));
    CProbeGeometry probe;
    const CGeometry& asBase = probe;
    EXPECT_EQ(asBase.type(), typeid(CProbeGeometry));
    EXPECT_NE(asBase.type(), typeid(CGeometry));
}

TEST(GeometryDefaults, TransformsAndMeshDoNothing) {
    CGeometry g;
    SetBox(g);
    g.move(CVector3d(10, 10, 10));
    g.rotate(CPoint3d(1, 1, 0), 1.0);
    g.scale(CPoint3d(0, 0, 0), 3.0);
    std::vector<MeshData> faces(1);
    faces[0].vertices.push_back(AcGePoint3d(1, 1, 1));
    g.getMesh(faces);
    EXPECT_EQ(faces.size(), 1u);  // earlier entries stay
    CPoint3d lo;
    CPoint3d hi;
    g.box(lo, hi);
    EXPECT_EQ(lo.x, 1);
    EXPECT_EQ(lo.z, 3);
    EXPECT_EQ(hi.y, 5);
}

TEST(GeometryBox, CornerPassedAsItsOwnOutParameterIsKept) {
    CGeometry g;
    SetBox(g);
    CPoint3d hi;
    g.box(g.boxMin, hi);
    EXPECT_EQ(g.boxMin.x, 1);
    EXPECT_EQ(hi.x, 4);
}

TEST(GeometryValidity, BothCornersMustBeFinite) {
    CGeometry g;
    EXPECT_TRUE(g.isValid());
    g.boxMax.z = kNaN;
    EXPECT_FALSE(g.isValid());
    g.boxMax.z = 0;
    g.boxMin.x = -kInf;
    EXPECT_FALSE(g.isValid());
}

TEST(RuntimeClasses, FoundationClassesAreRegisteredWithSchemaOne) {
    struct Expected {
        const char* name;
        CRuntimeClass* cls;
        int size;
    };
    const Expected expected[] = {
        {"CPoint3d", RUNTIME_CLASS(CPoint3d), static_cast<int>(sizeof(CPoint3d))},
        {"CVector3d", RUNTIME_CLASS(CVector3d), static_cast<int>(sizeof(CVector3d))},
        {"CGeometry", RUNTIME_CLASS(CGeometry), static_cast<int>(sizeof(CGeometry))},
    };
    for (const Expected& e : expected) {
        CRuntimeClass* found = CRuntimeClass::FromName(e.name);
        ASSERT_EQ(found, e.cls) << e.name;
        EXPECT_STREQ(found->m_lpszClassName, e.name);
        EXPECT_EQ(found->m_wSchema, 1u);
        EXPECT_EQ(found->m_nObjectSize, e.size);
        EXPECT_EQ(found->m_pBaseClass, RUNTIME_CLASS(CObject));
    }
    EXPECT_EQ(sizeof(CPoint3d), 32u);
    EXPECT_EQ(sizeof(CGeometry), 72u);
}

TEST(RuntimeClasses, CreationByNameGivesDefaultObjects) {
    std::unique_ptr<CObject> p(CRuntimeClass::CreateObject("CPoint3d"));
    ASSERT_NE(p, nullptr);
    const CPoint3d* point = dynamic_cast<CPoint3d*>(p.get());
    ASSERT_NE(point, nullptr);
    EXPECT_TRUE(*point == CPoint3d::kOrigin);
    std::unique_ptr<CObject> v(CRuntimeClass::CreateObject("CVector3d"));
    ASSERT_NE(dynamic_cast<CVector3d*>(v.get()), nullptr);
    std::unique_ptr<CObject> g(CRuntimeClass::CreateObject("CGeometry"));
    const CGeometry* geometry = dynamic_cast<CGeometry*>(g.get());
    ASSERT_NE(geometry, nullptr);
    EXPECT_TRUE(IsZeroBox(*geometry));
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

// The registered classes of the geometry library, leaving out the platform's own.
std::vector<CRuntimeClass*> GeometryLibraryClasses() {
    std::vector<CRuntimeClass*> out;
    for (CRuntimeClass* cls : CRuntimeClass::GetRegistered()) {
        if (cls == RUNTIME_CLASS(CPoint3d) || cls == RUNTIME_CLASS(CVector3d) ||
            cls->IsDerivedFrom(RUNTIME_CLASS(CGeometry))) {
            out.push_back(cls);
        }
    }
    return out;
}

TEST(RuntimeClasses, EveryLibraryClassIsCreatableByNameWithSchemaOne) {
    const std::vector<CRuntimeClass*> all = GeometryLibraryClasses();
    EXPECT_GE(all.size(), 3u);
    for (CRuntimeClass* cls : all) {
        SCOPED_TRACE(cls->m_lpszClassName);
        EXPECT_EQ(cls->m_wSchema, 1u);
        std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject(cls->m_lpszClassName));
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->GetRuntimeClass(), cls);
    }
}

TEST(RuntimeClasses, EntitiesNameCGeometryAsTheirRuntimeBase) {
    for (CRuntimeClass* cls : GeometryLibraryClasses()) {
        SCOPED_TRACE(cls->m_lpszClassName);
        std::unique_ptr<CObject> obj(cls->CreateObject());
        ASSERT_NE(obj, nullptr);
        CGeometry* geometry = dynamic_cast<CGeometry*>(obj.get());
        if (cls == RUNTIME_CLASS(CPoint3d) || cls == RUNTIME_CLASS(CVector3d) ||
            cls == RUNTIME_CLASS(CGeometry)) {
            EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CObject));
            continue;
        }
        ASSERT_NE(geometry, nullptr);
        EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CGeometry));
        EXPECT_EQ(geometry->type(), typeid(*geometry));
    }
}

}  // namespace
