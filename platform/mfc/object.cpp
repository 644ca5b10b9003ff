// CObject, CRuntimeClass and the registry of serialisable classes.
#include <geo/mfc/dump_context.h>
#include <geo/mfc/object.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// The registry lives in a function-local static so that registrars in any module,
// whatever their initialisation order, find it constructed.
struct Registry {
    std::mutex lock;
    std::vector<CRuntimeClass*> classes;
};

Registry& GetRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), GEO_SCHEMA_NONE, nullptr,
                                       nullptr};
static const AFX_CLASSINIT geo_classinit_CObject(RUNTIME_CLASS(CObject));

CObject* CRuntimeClass::CreateObject() {
    if (m_pfnCreateObject == nullptr) {
        return nullptr;
    }
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    if (pBaseClass == nullptr) {
        return FALSE;
    }
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
        if (p == pBaseClass) {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == nullptr) {
        return nullptr;
    }
    Registry& registry = GetRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (CRuntimeClass* p : registry.classes) {
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0) {
            return p;
        }
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

std::vector<CRuntimeClass*> CRuntimeClass::GetRegistered() {
    Registry& registry = GetRegistry();
    std::vector<CRuntimeClass*> result;
    {
        std::lock_guard<std::mutex> guard(registry.lock);
        result = registry.classes;
    }
    std::stable_sort(result.begin(), result.end(), [](CRuntimeClass* a, CRuntimeClass* b) {
        return std::strcmp(a->m_lpszClassName, b->m_lpszClassName) < 0;
    });
    return result;
}

void CRuntimeClass::Register(CRuntimeClass* pClass) {
    if (pClass == nullptr || pClass->m_lpszClassName == nullptr) {
        return;
    }
    Registry& registry = GetRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (std::find(registry.classes.begin(), registry.classes.end(), pClass) ==
        registry.classes.end()) {
        registry.classes.push_back(pClass);
    }
}

void CRuntimeClass::Unregister(CRuntimeClass* pClass) {
    Registry& registry = GetRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto& v = registry.classes;
    v.erase(std::remove(v.begin(), v.end(), pClass), v.end());
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
    CRuntimeClass::Register(pNewClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
    CRuntimeClass::Unregister(m_pClass);
}

CRuntimeClass* CObject::GetThisClass() {
    return RUNTIME_CLASS(CObject);
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObject);
}

CObject::~CObject() = default;

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const {
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this)
       << "\n";
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != GEO_SCHEMA_NONE;
}
