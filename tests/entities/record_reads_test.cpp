// Reading a record is all or nothing: a record cut short raises the archive's end of file and
// leaves the object exactly as it was, whatever class it is.
#include <geo/geo.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/archive_io.h"

namespace {

using test_support::Bytes;

std::vector<CPoint3d> Square() {
    return {{0, 0, 1}, {10, 0, 1}, {10, 10, 1}, {0, 10, 1}};
}

// A populated object of each class, built through its public members and stored.
struct Populated {
    const char* name;
    std::function<void(CArchive&)> store;
};

template <class T>
std::function<void(CArchive&)> Storing(T object) {
    return [object](CArchive& ar) mutable { object.Serialize(ar); };
}

CFmtPolyline LabelledFmtPolyline() {
    CFmtPolyline fp(Square());
    fp.label = "room";
    fp.xdata.SetAt("k", "v");
    fp.xdata.SetAt("floor", "2");
    return fp;
}

CRegion RegionWithHole() {
    CRegion region(Square());
    region.contours.push_back(RegionContour({{2, 2, 1}, {4, 2, 1}, {4, 4, 1}}, false));
    return region;
}

const std::vector<Populated>& PopulatedObjects() {
    static const std::vector<Populated> objects{
        {"CLineSeg", Storing(CLineSeg(CPoint3d(1, 2, 3), CPoint3d(4, 5, 6)))},
        {"CLine", Storing(CLine(CPoint3d(1, 2, 3), CPoint3d(4, 5, 6)))},
        {"CRay", Storing(CRay(CPoint3d(1, 2, 3), CVector3d(0, 1, 0)))},
        {"CPlane", Storing(CPlane(CPoint3d(0, 0, 1), CPoint3d(1, 0, 1), CPoint3d(0, 1, 2)))},
        {"CCircle", Storing(CCircle(CPoint3d(1, 2, 0), 5))},
        {"CArc", Storing(CArc(CPoint3d(1, 2, 0), 5, 0.5, 2.5))},
        {"CPolyline", Storing(CPolyline(Square()))},
        {"CPolygon", Storing(CPolygon(Square(), true))},
        {"CRegion", Storing(RegionWithHole())},
        {"CFmtPolyline", Storing(LabelledFmtPolyline())},
        {"CPolygon3D", Storing(CPolygon3D(Square(), CVector3d(0, 0, 1)))},
    };
    return objects;
}

Bytes StoreObject(CObject& object) {
    return test_support::StoreBytes([&](CArchive& ar) { object.Serialize(ar); });
}

TEST(RecordReads, ShortRecordLeavesEveryClassAsItWas) {
    for (const Populated& entry : PopulatedObjects()) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(entry.name));
        ASSERT_NE(object, nullptr);
        test_support::LoadBytes(test_support::StoreBytes(entry.store),
                                [&](CArchive& ar) { object->Serialize(ar); });
        const Bytes before = StoreObject(*object);
        // A default record differs in every field and fails only at its last byte.
        std::unique_ptr<CObject> fresh(CRuntimeClass::CreateObject(entry.name));
        Bytes cut = StoreObject(*fresh);
        cut.pop_back();
        EXPECT_EQ(test_support::ArchiveCause([&] {
                      test_support::LoadBytes(cut, [&](CArchive& ar) { object->Serialize(ar); });
                  }),
                  CArchiveException::endOfFile);
        EXPECT_EQ(StoreObject(*object), before);
    }
}

TEST(RecordReads, ShortStringMapRecordAddsNoPair) {
    CMapStringToString stored;
    stored.SetAt("a", "1");
    stored.SetAt("b", "2");
    Bytes cut = test_support::StoreBytes([&](CArchive& ar) { stored.Serialize(ar); });
    cut.pop_back();
    CMapStringToString map;
    map.SetAt("kept", "x");
    EXPECT_EQ(test_support::ArchiveCause(
                  [&] { test_support::LoadBytes(cut, [&](CArchive& ar) { map.Serialize(ar); }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(map.GetCount(), 1);
}

}  // namespace
