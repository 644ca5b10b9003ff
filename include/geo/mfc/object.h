// CObject, CRuntimeClass and the macros that give a class a runtime-class record.
#pragma once

#include <geo/export.h>
#include <geo/wintypes.h>

#include <vector>

class CObject;
class CArchive;
class CDumpContext;

// Schema of a class that cannot be serialised (dynamic or dyncreate only).
#define GEO_SCHEMA_NONE 0xFFFF

// The runtime description of a class: its name, size, schema, factory and base.
struct GEO_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new default-constructed object, or null when the class has no factory.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the registered class of that name, or null.
    static CObject* CreateObject(LPCSTR lpszClassName);
    // Every registered class, sorted by name.
    static std::vector<CRuntimeClass*> GetRegistered();

    // Registry maintenance, used by the registrar of IMPLEMENT_SERIAL.
    static void Register(CRuntimeClass* pClass);
    static void Unregister(CRuntimeClass* pClass);
};

// Registers a class for the lifetime of the module that holds it.
struct GEO_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

private:
    CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)         \
public:                                     \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* GetThisClass();   \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define GEO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)             \
    CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), wSchema, \
                                                   pfnNew, RUNTIME_CLASS(base_class_name)};  \
    CRuntimeClass* class_name::GetThisClass() {                                              \
        return RUNTIME_CLASS(class_name);                                                    \
    }                                                                                        \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                     \
        return RUNTIME_CLASS(class_name);                                                    \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    GEO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, GEO_SCHEMA_NONE, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                     \
    CObject* class_name::CreateObject() {                                    \
        return new class_name;                                               \
    }                                                                        \
    GEO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, GEO_SCHEMA_NONE, \
                               class_name::CreateObject)

// Also registers the class by name for as long as its module is loaded.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
    CObject* class_name::CreateObject() {                                                      \
        return new class_name;                                                                 \
    }                                                                                          \
    GEO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    static const AFX_CLASSINIT geo_classinit_##class_name(RUNTIME_CLASS(class_name));

// The root of every runtime-typed, serialisable class.
class GEO_API CObject {
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

protected:
    CObject() = default;
    // The base holds no state, so copying it copies nothing.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
