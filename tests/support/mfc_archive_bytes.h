// Test helpers for archives: expected byte layouts, storing to bytes, loading from bytes.
#pragma once

#include <geo/mfc/archive.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace mfc_test {

using Bytes = std::vector<BYTE>;

// Builds an expected little-endian layout by hand, independently of CArchive.
class LayoutBuilder {
public:
    LayoutBuilder& u8(unsigned v) { return put(v, 1); }
    LayoutBuilder& u16(unsigned v) { return put(v, 2); }
    LayoutBuilder& u32(unsigned long long v) { return put(v, 4); }
    LayoutBuilder& u64(unsigned long long v) { return put(v, 8); }
    LayoutBuilder& f64(double d) {
        unsigned long long bits = 0;
        std::memcpy(&bits, &d, 8);
        return put(bits, 8);
    }
    LayoutBuilder& f32(float f) {
        unsigned bits = 0;
        std::memcpy(&bits, &f, 4);
        return put(bits, 4);
    }
    LayoutBuilder& raw(const std::string& s) {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return *this;
    }
    LayoutBuilder& utf16(const std::u16string& s) {
        for (char16_t c : s) {
            u16(c);
        }
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    LayoutBuilder& put(unsigned long long v, int n) {
        for (int i = 0; i < n; ++i) {
            bytes_.push_back(static_cast<BYTE>(v >> (8 * i)));
        }
        return *this;
    }
    Bytes bytes_;
};

// Takes the bytes out of a memory file, releasing its block as callers must.
inline Bytes TakeBytes(CMemFile& file) {
    ULONGLONG n = file.GetLength();
    BYTE* block = file.Detach();
    Bytes out(block, block + n);
    std::free(block);
    return out;
}

// The bytes that `write` stores through a storing archive.
template <class F>
Bytes StoreBytes(F&& write) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    return TakeBytes(file);
}

// Runs `read` on a loading archive over a copy of the bytes.
template <class F>
void LoadBytes(const Bytes& bytes, F&& read) {
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The cause of the CArchiveException* that `f` throws, or -1 when it throws none.
template <class F>
int ArchiveCause(F&& f) {
    try {
        f();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// The cause of the CFileException* that `f` throws, or -1 when it throws none.
template <class F>
int FileCause(F&& f) {
    try {
        f();
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Whether `f` throws a CException* of exactly the given runtime class.
template <class F>
bool ThrowsOfClass(F&& f, const CRuntimeClass* pClass) {
    try {
        f();
    } catch (CException* e) {
        bool match = e->GetRuntimeClass() == pClass;
        e->Delete();
        return match;
    }
    return false;
}

}  // namespace mfc_test
