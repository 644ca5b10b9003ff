// Demo: shows the library's round trips and typical calls end to end.
#include <geo/geo.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The bytes of one object's record, written through its Serialize.
Bytes RecordOf(CObject& obj) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    obj.Serialize(ar);
    ar.Close();
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty()) {
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    return bytes;
}

// Reads a record into obj through its Serialize.
void ReadRecord(CObject& obj, const Bytes& bytes) {
    CMemFile file;
    if (!bytes.empty()) {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    obj.Serialize(ar);
}

// One row: creates the class by name twice, writes the first object, reads the
// record into the second and checks that the second writes the same bytes.
void PrintRoundTrip(const CRuntimeClass& cls) {
    const char* name = cls.m_lpszClassName;
    std::unique_ptr<CObject> first(CRuntimeClass::CreateObject(name));
    std::unique_ptr<CObject> second(CRuntimeClass::CreateObject(name));
    if (!first || !second) {
        std::printf("%-20s %8s  %s\n", name, "-", "not creatable");
        return;
    }
    try {
        const Bytes written = RecordOf(*first);
        ReadRecord(*second, written);
        const bool same = RecordOf(*second) == written;
        std::printf("%-20s %8zu  %s\n", name, written.size(), same ? "yes" : "NO");
    } catch (CException* e) {
        std::printf("%-20s %8s  failed: %s\n", name, "-", e->GetMessage().GetString());
        e->Delete();
    }
}

// The table of every registered class's default record and its round trip.
void PrintRecordTable() {
    std::printf("%-20s %8s  %s\n", "class", "bytes", "round trip equal");
    for (const CRuntimeClass* cls : CRuntimeClass::GetRegistered()) {
        PrintRoundTrip(*cls);
    }
}

}  // namespace

int main() {
    std::printf("geo demo\n\n");
    PrintRecordTable();
    return 0;
}
