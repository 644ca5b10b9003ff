// CArray<TYPE, ARG_TYPE> and CMapStringToString with MFC's semantics and orders.
#pragma once

#include <geo/export.h>
#include <geo/mfc/archive.h>
#include <geo/mfc/cstring.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/object.h>
#include <geo/wintypes.h>

#include <cstring>
#include <type_traits>
#include <vector>

// A growable array; bad indices raise CInvalidArgException*.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& other) : CObject(), m_data(other.m_data) {}
    CArray& operator=(const CArray& other) {
        m_data = other.m_data;
        return *this;
    }

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }

    // nGrowBy is accepted for compatibility; growth is the vector's.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        (void)nGrowBy;
        if (nNewSize < 0) {
            AfxThrowInvalidArgException();
        }
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    // Sets the element, growing the array when the index is past the end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        if (nIndex < 0) {
            AfxThrowInvalidArgException();
        }
        if (nIndex >= GetSize()) {
            SetSize(nIndex + 1);
        }
        m_data[static_cast<size_t>(nIndex)] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement) {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    // Inserts nCount copies; an index past the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        if (nIndex < 0 || nCount <= 0) {
            AfxThrowInvalidArgException();
        }
        TYPE copy(newElement);  // the argument may refer into this array
        if (nIndex > GetSize()) {
            SetSize(nIndex);
        }
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
        if (pNewArray == nullptr || nStartIndex < 0) {
            AfxThrowInvalidArgException();
        }
        std::vector<TYPE> items(pNewArray->m_data);
        if (nStartIndex > GetSize()) {
            SetSize(nStartIndex);
        }
        m_data.insert(m_data.begin() + nStartIndex, items.begin(), items.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex) {
            AfxThrowInvalidArgException();
        }
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }
    void Copy(const CArray& src) {
        if (&src != this) {
            m_data = src.m_data;
        }
    }
    // Appends the other array's elements and returns the index of the first one.
    INT_PTR Append(const CArray& src) {
        INT_PTR nOldSize = GetSize();
        std::vector<TYPE> items(src.m_data);
        m_data.insert(m_data.end(), items.begin(), items.end());
        return nOldSize;
    }

    // A count, then the elements' raw bytes (plain element types only).
    void Serialize(CArchive& ar) override {
        if constexpr (std::is_trivially_copyable_v<TYPE>) {
            if (ar.IsStoring()) {
                ar.WriteCount(m_data.size());
                for (const TYPE& item : m_data) {
                    ar.Write(&item, sizeof(TYPE));
                }
            } else {
                DWORD_PTR nCount = ar.ReadCount();
                ar.EnsureAvailable(nCount, sizeof(TYPE));
                std::vector<TYPE> items(static_cast<size_t>(nCount));
                for (TYPE& item : items) {
                    ar.ReadExact(&item, sizeof(TYPE));
                }
                m_data.swap(items);
            }
        } else {
            (void)ar;
            AfxThrowNotSupportedException();
        }
    }

private:
    size_t Checked(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= GetSize()) {
            AfxThrowInvalidArgException();
        }
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};

// A hash map of strings whose iteration order is MFC's: buckets ascending by
// (hash % table size), newest entry first within a bucket; the table never grows by itself.
class GEO_API CMapStringToString : public CObject {
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10);
    CMapStringToString(const CMapStringToString& other);
    CMapStringToString& operator=(const CMapStringToString& other);
    ~CMapStringToString() override;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(LPCTSTR key, CString& rValue) const;
    CString& operator[](LPCTSTR key);
    void SetAt(LPCTSTR key, LPCTSTR newValue);
    BOOL RemoveKey(LPCTSTR key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; entries already held are re-bucketed keeping their age order.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    // hash = hash * 33 + unit over the key's UTF-16 code units, up to the first NUL.
    static UINT HashKey(LPCTSTR key);

    // A count, then key and value of each entry in iteration order. Loading adds to the map.
    void Serialize(CArchive& ar) override;

private:
    struct CAssoc;
    CAssoc* GetAssocAt(LPCTSTR key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* NewAssoc(LPCTSTR key, UINT nHashBucket, UINT nHashValue);
    void CopyFrom(const CMapStringToString& other);
    void AllocTable(UINT hashSize);

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    ULONGLONG m_nNextAge = 0;
};
