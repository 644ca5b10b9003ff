// Test helpers: archives over memory, and expected record bytes built by hand.
#pragma once

#include <geo/mfc/archive.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>
#include <geo/wintypes.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace test_support {

using Bytes = std::vector<BYTE>;

// The bytes that `write(CArchive&)` stores into a fresh in-memory archive.
template <typename Write>
Bytes StoreBytes(Write&& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty()) {
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    return bytes;
}

// Runs `read(CArchive&)` on a loading archive over a copy of bytes.
template <typename Read>
void LoadBytes(const Bytes& bytes, Read&& read) {
    CMemFile file;
    if (!bytes.empty()) {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// Runs fn; the cause of the CArchiveException it raised, or -1 when none was raised.
template <typename Fn>
int ArchiveCause(Fn&& fn) {
    try {
        fn();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Builds an expected byte image value by value, little-endian as the host stores it.
class RecordBuilder {
public:
    RecordBuilder& real(double d) { return raw(&d, sizeof d); }
    RecordBuilder& count(std::uint32_t n) { return raw(&n, sizeof n); }
    RecordBuilder& byte(BYTE b) { return raw(&b, 1); }
    // A point or vector record: version, then x, y, z.
    RecordBuilder& xyz(double x, double y, double z, double version = 2.0) {
        return real(version).real(x).real(y).real(z);
    }
    RecordBuilder& append(const Bytes& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    RecordBuilder& raw(const void* p, size_t n) {
        const BYTE* b = static_cast<const BYTE*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
        return *this;
    }
    Bytes bytes_;
};

}  // namespace test_support
