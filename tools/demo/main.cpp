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

// Where the union of the rooms is stored and read back.
const char kRoomsFile[] = "/tmp/geo_demo_rooms.bin";

// Prints a point list as (x, y) pairs on one line.
void PrintOutline(const char* label, const std::vector<CPoint3d>& pts) {
    std::printf("  %s:", label);
    for (const CPoint3d& p : pts) {
        std::printf(" (%g, %g)", p.x, p.y);
    }
    std::printf("\n");
}

// Writes the polygons to an archive file, each as its own record after a count.
void StoreRooms(const std::vector<CPolygon>& rooms) {
    CFile file(kRoomsFile, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << static_cast<int>(rooms.size());
    for (const CPolygon& room : rooms) {
        ar << room;
    }
    ar.Close();
}

// Reads back what StoreRooms wrote.
std::vector<CPolygon> LoadRooms() {
    CFile file(kRoomsFile, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    int count = 0;
    ar >> count;
    std::vector<CPolygon> rooms(static_cast<size_t>(count > 0 ? count : 0));
    for (CPolygon& room : rooms) {
        ar >> room;
    }
    return rooms;
}

// The typical call end to end: two room outlines, their union, point tests, a file round trip.
void PrintRoomUnion() {
    std::printf("\nunion of two rooms\n");
    const std::vector<CPoint3d> kitchen{CPoint3d(0, 0, 0), CPoint3d(0, 4, 0), CPoint3d(5, 4, 0),
                                        CPoint3d(5, 0, 0)};  // clockwise, as drawn
    const std::vector<CPoint3d> hall{CPoint3d(4, 1, 0), CPoint3d(9, 1, 0), CPoint3d(9, 3, 0),
                                     CPoint3d(4, 3, 0)};
    const CPolygon a(kitchen, true), b(hall, true);
    PrintOutline("kitchen (normalised)", a.getPoints());
    PrintOutline("hall", b.getPoints());
    std::vector<CPolygon> merged;
    const bool ok = a.booleanOper(b, merged, gpc::GPC_UNION);
    std::printf("  booleanOper(GPC_UNION): %s, %zu piece(s)\n", ok ? "true" : "false",
                merged.size());
    for (const CPolygon& piece : merged) {
        PrintOutline("piece", piece.getPoints());
        std::printf("  area %g (kitchen %g + hall %g - shared 2)\n", piece.area(), a.area(),
                    b.area());
    }
    if (merged.empty()) {
        return;
    }
    for (const CPoint3d& p :
         {CPoint3d(2, 2, 0), CPoint3d(8, 2, 0), CPoint3d(8, 3.5, 0), CPoint3d(9, 2, 0)}) {
        std::printf("  PtInArea(%g, %g): inside %s, counting the edge %s\n", p.x, p.y,
                    PtInArea(p, merged[0].getPoints(), 1e-6, false) ? "yes" : "no",
                    PtInArea(p, merged[0].getPoints(), 1e-6, true) ? "yes" : "no");
    }
    try {
        StoreRooms(merged);
        const std::vector<CPolygon> back = LoadRooms();
        const bool same =
            back.size() == merged.size() && back[0].getPoints() == merged[0].getPoints();
        std::printf("  stored to %s and read back: %zu polygon(s), vertices %s\n", kRoomsFile,
                    back.size(), same ? "equal" : "DIFFERENT");
    } catch (CException* e) {
        std::printf("  file round trip failed: %s\n", e->GetMessage().GetString());
        e->Delete();
    }
}

}  // namespace

int main() {
    std::printf("geo demo\n\n");
    PrintRecordTable();
    PrintRoomUnion();
    return 0;
}
