// CMapStringToString: chained hash buckets walked in MFC's order.
#include <geo/mfc/collections.h>

#include "platform/mfc/text_codec.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

namespace {

constexpr UINT kDefaultHashTableSize = 17;
// The smallest record of a key and value pair: two empty narrow strings of one byte each.
constexpr ULONGLONG kMinPairBytes = 2;

// The position before the first entry, as MFC marks it.
POSITION BeforeStartPosition() {
    return reinterpret_cast<POSITION>(~static_cast<uintptr_t>(0));
}

}  // namespace

struct CMapStringToString::CAssoc {
    CAssoc* pNext = nullptr;
    UINT nHashValue = 0;
    ULONGLONG nAge = 0;
    CString key;
    CString value;
};

CMapStringToString::CMapStringToString(INT_PTR /*nBlockSize*/)
    : m_nHashTableSize(kDefaultHashTableSize) {}

CMapStringToString::CMapStringToString(const CMapStringToString& other) : CObject() {
    CopyFrom(other);
}

CMapStringToString& CMapStringToString::operator=(const CMapStringToString& other) {
    if (this != &other) {
        RemoveAll();
        CopyFrom(other);
    }
    return *this;
}

CMapStringToString::~CMapStringToString() {
    RemoveAll();
}

// Copies table size, buckets and in-bucket order, so the copy iterates like the original.
void CMapStringToString::CopyFrom(const CMapStringToString& other) {
    m_nHashTableSize = other.m_nHashTableSize;
    m_nNextAge = other.m_nNextAge;
    if (other.m_table.empty()) {
        return;
    }
    AllocTable(m_nHashTableSize);
    for (size_t b = 0; b < other.m_table.size(); ++b) {
        CAssoc** tail = &m_table[b];
        for (const CAssoc* p = other.m_table[b]; p != nullptr; p = p->pNext) {
            *tail = new CAssoc(*p);
            (*tail)->pNext = nullptr;
            tail = &(*tail)->pNext;
            ++m_nCount;
        }
    }
}

void CMapStringToString::AllocTable(UINT hashSize) {
    try {
        m_table.assign(hashSize, nullptr);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

UINT CMapStringToString::HashKey(LPCTSTR key) {
    if (key == nullptr) {
        AfxThrowInvalidArgException();
    }
    UINT nHash = 0;
    for (char16_t unit : mfc_detail::Utf8ToUtf16Lenient(key)) {
        nHash = (nHash << 5) + nHash + unit;
    }
    return nHash;
}

void CMapStringToString::InitHashTable(UINT hashSize, BOOL bAllocNow) {
    if (hashSize == 0) {
        AfxThrowInvalidArgException();
    }
    std::vector<CAssoc*> entries;
    for (CAssoc* head : m_table) {
        for (CAssoc* p = head; p != nullptr; p = p->pNext) {
            entries.push_back(p);
        }
    }
    m_nHashTableSize = hashSize;
    m_table.clear();
    if (entries.empty() && !bAllocNow) {
        return;
    }
    AllocTable(hashSize);
    // Oldest first, so that each insertion at a bucket's head leaves the newest in front.
    std::sort(entries.begin(), entries.end(),
              [](const CAssoc* a, const CAssoc* b) { return a->nAge < b->nAge; });
    for (CAssoc* p : entries) {
        CAssoc*& head = m_table[p->nHashValue % m_nHashTableSize];
        p->pNext = head;
        head = p;
    }
}

CMapStringToString::CAssoc* CMapStringToString::GetAssocAt(LPCTSTR key, UINT& nHashBucket,
                                                           UINT& nHashValue) const {
    nHashValue = HashKey(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_table.empty()) {
        return nullptr;
    }
    for (CAssoc* p = m_table[nHashBucket]; p != nullptr; p = p->pNext) {
        if (p->nHashValue == nHashValue && p->key == key) {
            return p;
        }
    }
    return nullptr;
}

CMapStringToString::CAssoc* CMapStringToString::NewAssoc(LPCTSTR key, UINT nHashBucket,
                                                         UINT nHashValue) {
    if (m_table.empty()) {
        AllocTable(m_nHashTableSize);
    }
    CAssoc* p = new CAssoc;
    p->key = key;
    p->nHashValue = nHashValue;
    p->nAge = m_nNextAge++;
    p->pNext = m_table[nHashBucket];
    m_table[nHashBucket] = p;
    ++m_nCount;
    return p;
}

BOOL CMapStringToString::Lookup(LPCTSTR key, CString& rValue) const {
    UINT nHashBucket = 0, nHashValue = 0;
    CAssoc* p = GetAssocAt(key, nHashBucket, nHashValue);
    if (p == nullptr) {
        return FALSE;
    }
    rValue = p->value;
    return TRUE;
}

CString& CMapStringToString::operator[](LPCTSTR key) {
    UINT nHashBucket = 0, nHashValue = 0;
    CAssoc* p = GetAssocAt(key, nHashBucket, nHashValue);
    if (p == nullptr) {
        p = NewAssoc(key, nHashBucket, nHashValue);
    }
    return p->value;
}

void CMapStringToString::SetAt(LPCTSTR key, LPCTSTR newValue) {
    (*this)[key] = newValue;
}

BOOL CMapStringToString::RemoveKey(LPCTSTR key) {
    UINT nHashBucket = 0, nHashValue = 0;
    if (GetAssocAt(key, nHashBucket, nHashValue) == nullptr) {
        return FALSE;
    }
    for (CAssoc** link = &m_table[nHashBucket]; *link != nullptr; link = &(*link)->pNext) {
        CAssoc* p = *link;
        if (p->nHashValue == nHashValue && p->key == key) {
            *link = p->pNext;
            delete p;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

void CMapStringToString::RemoveAll() {
    for (CAssoc* head : m_table) {
        while (head != nullptr) {
            CAssoc* next = head->pNext;
            delete head;
            head = next;
        }
    }
    m_table.clear();
    m_nCount = 0;
}

// The first position is a marker; GetNextAssoc resolves it to the first entry.
POSITION CMapStringToString::GetStartPosition() const {
    return m_nCount == 0 ? nullptr : BeforeStartPosition();
}

void CMapStringToString::GetNextAssoc(POSITION& rNextPosition, CString& rKey,
                                      CString& rValue) const {
    if (rNextPosition == nullptr || m_table.empty()) {
        AfxThrowInvalidArgException();
    }
    CAssoc* p = reinterpret_cast<CAssoc*>(rNextPosition);
    if (rNextPosition == BeforeStartPosition()) {
        p = nullptr;
        for (size_t b = 0; b < m_table.size() && p == nullptr; ++b) {
            p = m_table[b];
        }
        if (p == nullptr) {
            AfxThrowInvalidArgException();
        }
    }
    CAssoc* next = p->pNext;
    for (size_t b = p->nHashValue % m_nHashTableSize + 1; next == nullptr && b < m_table.size();
         ++b) {
        next = m_table[b];
    }
    rNextPosition = reinterpret_cast<POSITION>(next);
    rKey = p->key;
    rValue = p->value;
}

void CMapStringToString::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CAssoc* head : m_table) {
            for (CAssoc* p = head; p != nullptr; p = p->pNext) {
                ar << p->key << p->value;
            }
        }
        return;
    }
    // Every pair is read before any is added, so a short record leaves the map as it was.
    DWORD_PTR nNewCount = ar.ReadCount();
    ar.EnsureAvailable(nNewCount, kMinPairBytes);
    std::vector<std::pair<CString, CString>> pairs(static_cast<size_t>(nNewCount));
    for (auto& pair : pairs) {
        ar >> pair.first >> pair.second;
    }
    for (const auto& pair : pairs) {
        SetAt(pair.first, pair.second);
    }
}
