// CArray: growth, insertion, removal, bounds and the archive form of plain elements.
#include <geo/mfc/archive.h>
#include <geo/mfc/collections.h>
#include <geo/mfc/exceptions.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

namespace {

std::vector<int> Items(const CArray<int, int>& a) {
    std::vector<int> out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        out.push_back(a[i]);
    }
    return out;
}

TEST(Array, AddInsertRemoveAndSizes) {
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(20), 1);
    a.InsertAt(1, 15);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 5, 10, 15, 20}));
    a.InsertAt(7, 99);  // past the end: the gap is default-filled
    EXPECT_EQ(Items(a), (std::vector<int>{5, 5, 10, 15, 20, 0, 0, 99}));
    a.RemoveAt(5, 2);
    a.RemoveAt(0);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 10, 15, 20, 99}));
    EXPECT_EQ(a.GetCount(), 5);
    EXPECT_EQ(a.GetUpperBound(), 4);
    a.SetAt(0, 1);
    a.ElementAt(1) = 2;
    a[2] = 3;
    a.SetAtGrow(6, 7);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 2, 3, 20, 99, 0, 7}));
    EXPECT_EQ(a.GetData()[6], 7);
    a.SetSize(2);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 2}));
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Array, CopyAppendAndSelfReferences) {
    CArray<int, int> a, b;
    a.Add(1);
    a.Add(2);
    b.Add(3);
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(Items(b), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(b.Append(b), 3);  // appending itself doubles it
    EXPECT_EQ(Items(b), (std::vector<int>{3, 1, 2, 3, 1, 2}));
    a.Copy(b);
    EXPECT_EQ(Items(a), Items(b));
    a.Copy(a);
    EXPECT_EQ(a.GetSize(), 6);
    CArray<double, const double&> d;
    d.Add(1.5);
    d.InsertAt(0, d[0], 3);  // the inserted value refers into the array itself
    EXPECT_EQ(d.GetSize(), 4);
    EXPECT_EQ(d[3], 1.5);
    EXPECT_EQ(d[0], 1.5);
    CArray<int, int> inserted;
    inserted.Add(9);
    inserted.InsertAt(0, &a);
    EXPECT_EQ(inserted.GetSize(), 7);
    EXPECT_EQ(inserted[6], 9);
}

TEST(Array, BadIndicesRaiseInvalidArg) {
    CArray<int, int> a;
    a.Add(1);
    const CArray<int, int>& ca = a;
    const CRuntimeClass* bad = RUNTIME_CLASS(CInvalidArgException);
    EXPECT_TRUE(ThrowsOfClass([&] { a.GetAt(1); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { ca.GetAt(-1); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.ElementAt(5); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a[1] = 0; }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { (void)ca[2]; }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.SetAt(1, 0); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.SetSize(-1); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.RemoveAt(0, 2); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.RemoveAt(-1); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.InsertAt(-1, 0); }, bad));
    EXPECT_TRUE(ThrowsOfClass([&] { a.SetAtGrow(-1, 0); }, bad));
    EXPECT_EQ(a.GetSize(), 1);
}

TEST(Array, SerialisesACountAndRawElements) {
    CArray<double, double> a;
    a.Add(1.0);
    a.Add(-0.5);
    Bytes got = StoreBytes([&](CArchive& ar) { a.Serialize(ar); });
    EXPECT_EQ(got, LayoutBuilder().u16(2).f64(1.0).f64(-0.5).bytes());
    CArray<double, double> back;
    back.Add(42);
    LoadBytes(got, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[1], -0.5);
    // A count larger than the data is refused before the array is touched.
    Bytes hostile = LayoutBuilder().u16(0xFFFF).u32(0x7FFFFFFF).f64(1).bytes();
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(hostile, [&](CArchive& ar) { back.Serialize(ar); }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(back.GetSize(), 2);
}

}  // namespace
