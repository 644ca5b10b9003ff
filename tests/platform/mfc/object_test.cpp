// Runtime classes, the class registry, exceptions thrown as pointers, and dumping.
#include <geo/mfc/archive.h>
#include <geo/mfc/dump_context.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>
#include <geo/mfc/object.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

// Classes of a client module, declared the way a client writes them.
class CTestShape : public CObject {
    DECLARE_SERIAL(CTestShape)
public:
    int m_n = 7;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_n;
        } else {
            ar >> m_n;
        }
    }
};
IMPLEMENT_SERIAL(CTestShape, CObject, 3)

class CTestCircle : public CTestShape {
    DECLARE_DYNCREATE(CTestCircle)
};
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)

class CTestPlain : public CObject {
    DECLARE_DYNAMIC(CTestPlain)
};
IMPLEMENT_DYNAMIC(CTestPlain, CObject)

namespace {

std::vector<std::string> RegisteredNames() {
    std::vector<std::string> names;
    for (CRuntimeClass* p : CRuntimeClass::GetRegistered()) {
        names.push_back(p->m_lpszClassName);
    }
    return names;
}

bool IsRegistered(const char* name) {
    std::vector<std::string> names = RegisteredNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(RuntimeClass, RecordsCarryNameSizeSchemaFactoryAndBase) {
    CRuntimeClass* shape = RUNTIME_CLASS(CTestShape);
    EXPECT_STREQ(shape->m_lpszClassName, "CTestShape");
    EXPECT_EQ(shape->m_nObjectSize, static_cast<int>(sizeof(CTestShape)));
    EXPECT_EQ(shape->m_wSchema, 3u);
    EXPECT_EQ(shape->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle)->m_pBaseClass, shape);
    EXPECT_EQ(RUNTIME_CLASS(CTestPlain)->m_pfnCreateObject, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CTestPlain)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_EQ(CTestShape::GetThisClass(), shape);

    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CTestCircle)->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle->IsKindOf(RUNTIME_CLASS(CTestPlain)));
    EXPECT_FALSE(circle->IsKindOf(nullptr));
    EXPECT_FALSE(circle->IsSerializable());
    CTestShape shapeObject;
    EXPECT_TRUE(shapeObject.IsSerializable());
    EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(RUNTIME_CLASS(CTestCircle)));
}

TEST(RuntimeClass, SerialClassesAreRegisteredByNameAndCreatable) {
    EXPECT_EQ(CRuntimeClass::FromName("CTestShape"), RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CTestCircle"), nullptr);  // dyncreate only
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CObject"), nullptr);  // CObject has no factory

    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CTestShape"));
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_EQ(static_cast<CTestShape*>(made.get())->m_n, 7);

    std::vector<std::string> names = RegisteredNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(IsRegistered("CMapStringToString"));
}

TEST(RuntimeClass, ARegistrarRemovesItsClassWhenItsModuleGoesAway) {
    static CRuntimeClass transient = {"CTransientForTest", 8, 1, nullptr, RUNTIME_CLASS(CObject)};
    {
        AFX_CLASSINIT registrar(&transient);
        EXPECT_EQ(CRuntimeClass::FromName("CTransientForTest"), &transient);
        AFX_CLASSINIT twice(&transient);  // registering again does not duplicate
        std::vector<std::string> names = RegisteredNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), std::string("CTransientForTest")), 1);
    }
    EXPECT_EQ(CRuntimeClass::FromName("CTransientForTest"), nullptr);
    EXPECT_FALSE(IsRegistered("CTransientForTest"));
}

TEST(RuntimeClass, CreatedObjectSerialisesThroughItsVirtualSlot) {
    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CTestShape"));
    static_cast<CTestShape*>(made.get())->m_n = 99;
    Bytes bytes = StoreBytes([&](CArchive& ar) { made->Serialize(ar); });
    EXPECT_EQ(bytes, LayoutBuilder().u32(99).bytes());
    CTestShape back;
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    EXPECT_EQ(back.m_n, 99);
}

TEST(Exceptions, ArchiveExceptionsAreCaughtAsPointersWithTheirCause) {
    const int causes[] = {CArchiveException::none,      CArchiveException::genericException,
                          CArchiveException::readOnly,  CArchiveException::endOfFile,
                          CArchiveException::writeOnly, CArchiveException::badIndex,
                          CArchiveException::badClass,  CArchiveException::badSchema};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(causes[i], i);
    }
    for (int cause : causes) {
        try {
            AfxThrowArchiveException(cause);
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, cause);
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            e->Delete();
        }
    }
    // The base pointer catches too.
    try {
        AfxThrowArchiveException(CArchiveException::badClass);
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(static_cast<CArchiveException*>(e)->m_cause, CArchiveException::badClass);
        e->Delete();
    }
}

TEST(Exceptions, EachThrowFunctionRaisesItsClass) {
    EXPECT_TRUE(ThrowsOfClass([] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)));
    EXPECT_TRUE(
        ThrowsOfClass([] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)));
    EXPECT_TRUE(ThrowsOfClass([] { AfxThrowFileException(CFileException::diskFull, "f"); },
                              RUNTIME_CLASS(CFileException)));
    EXPECT_TRUE(RUNTIME_CLASS(CMemoryException)->IsDerivedFrom(RUNTIME_CLASS(CSimpleException)));
    EXPECT_TRUE(
        RUNTIME_CLASS(CInvalidArgException)->IsDerivedFrom(RUNTIME_CLASS(CSimpleException)));
    try {
        AfxThrowFileException(CFileException::fileNotFound, "/no/such/file");
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e->m_strFileName, "/no/such/file");
        e->Delete();
    }
}

TEST(Exceptions, ErrorMessagesAreTruncatedAndTerminated) {
    CArchiveException e(CArchiveException::endOfFile);
    char buf[256];
    ASSERT_TRUE(e.GetErrorMessage(buf, sizeof buf));
    EXPECT_NE(std::string(buf).find("end"), std::string::npos);
    char tiny[5];
    std::memset(tiny, 'X', sizeof tiny);
    UINT help = 77;
    ASSERT_TRUE(e.GetErrorMessage(tiny, sizeof tiny, &help));
    EXPECT_EQ(std::strlen(tiny), 4u);
    EXPECT_EQ(help, 0u);
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 10));
    EXPECT_FALSE(e.GetErrorMessage(buf, 0));
    CArchiveException odd(1234);  // a cause outside the table still describes itself
    EXPECT_TRUE(odd.GetErrorMessage(buf, sizeof buf));
    CFileException fe(CFileException::accessDenied, -1, "/root/x");
    ASSERT_TRUE(fe.GetErrorMessage(buf, sizeof buf));
    EXPECT_NE(std::string(buf).find("/root/x"), std::string::npos);
}

TEST(DumpContext, CollectsTheDefaultDumpAndValues) {
    CDumpContext dc;
    CTestShape shape;
    shape.Dump(dc);
    shape.AssertValid();
    EXPECT_NE(dc.GetText().find("CTestShape"), std::string::npos);
    dc << 5 << " " << 2.5 << " " << static_cast<const char*>(nullptr);
    EXPECT_NE(dc.GetText().find("5 2.5 (NULL)"), std::string::npos);
    CMemFile file;
    CDumpContext toFile(&file);
    toFile << "abc";
    toFile.Flush();
    EXPECT_EQ(file.GetLength(), 3u);
}

}  // namespace
