// Archive records of points, vectors and the entity base, and the shared list helpers.
#include <geo/archive_lists.h>
#include <geo/geometry.h>
#include <geo/point3d.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/archive_io.h"

namespace {

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

Bytes Truncated(Bytes b, size_t drop) {
    b.resize(b.size() - drop);
    return b;
}

TEST(PointRecord, IsVersionTwoThenXyz) {
    const CPoint3d p(1.25, -2.5, 1e300);
    const Bytes expected = RecordBuilder().xyz(1.25, -2.5, 1e300).bytes();
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << p; }), expected);
    CPoint3d q = p;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { q.Serialize(ar); }), expected);
    const CVector3d v(0.5, 0, -8);
    const Bytes expectedV = RecordBuilder().xyz(0.5, 0, -8).bytes();
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << v; }), expectedV);
    CVector3d w = v;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { w.Serialize(ar); }), expectedV);
    EXPECT_EQ(expected.size(), 32u);
}

TEST(PointRecord, AnyVersionReadsTheSame) {
    for (double version : {2.0, 1.0, 3.0, -7.5, 0.0}) {
        const Bytes bytes = RecordBuilder().xyz(4, 5, 6, version).bytes();
        CPoint3d p;
        LoadBytes(bytes, [&](CArchive& ar) { ar >> p; });
        EXPECT_EQ(p.x, 4);
        EXPECT_EQ(p.y, 5);
        EXPECT_EQ(p.z, 6);
        CVector3d v;
        LoadBytes(bytes, [&](CArchive& ar) { v.Serialize(ar); });
        EXPECT_EQ(v.z, 6);
    }
}

TEST(PointRecord, TruncatedRecordRaisesEndOfFileAndKeepsThePoint) {
    const Bytes full = RecordBuilder().xyz(4, 5, 6).bytes();
    for (size_t drop : {1u, 8u, 31u, 32u}) {
        CPoint3d p(1, 2, 3);
        EXPECT_EQ(
            ArchiveCause([&] { LoadBytes(Truncated(full, drop), [&](CArchive& ar) { ar >> p; }); }),
            CArchiveException::endOfFile);
        EXPECT_EQ(p.x, 1);
        EXPECT_EQ(p.z, 3);
        CVector3d v(1, 2, 3);
        EXPECT_EQ(ArchiveCause([&] {
                      LoadBytes(Truncated(full, drop), [&](CArchive& ar) { v.Serialize(ar); });
                  }),
                  CArchiveException::endOfFile);
        EXPECT_EQ(v.y, 2);
    }
}

TEST(PointRecord, WrongArchiveDirectionRaisesReadOnlyOrWriteOnly) {
    CPoint3d p;
    CVector3d v;
    CGeometry g;
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> p; }); }),
              CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> v; }); }),
              CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> g; }); }),
              CArchiveException::writeOnly);
    const Bytes some = RecordBuilder().xyz(1, 2, 3).xyz(1, 2, 3).xyz(1, 2, 3).bytes();
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(some, [&](CArchive& ar) { ar << p; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(some, [&](CArchive& ar) { ar << v; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(some, [&](CArchive& ar) { ar << g; }); }),
              CArchiveException::readOnly);
}

TEST(GeometryRecord, DefaultIsSeventyTwoBytesOfZeroBox) {
    CGeometry g;
    const Bytes expected = RecordBuilder().real(2.0).xyz(0, 0, 0).xyz(0, 0, 0).bytes();
    ASSERT_EQ(expected.size(), 72u);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { g.Serialize(ar); }), expected);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << g; }), expected);
}

TEST(GeometryRecord, BoxIsTakenAsStored) {
    // A box that no geometry would produce (min above max) is kept as it is.
    for (double version : {2.0, 1.0, 3.0}) {
        const Bytes bytes =
            RecordBuilder().real(version).xyz(5, 6, 7, version).xyz(-1, -2, -3).bytes();
        CGeometry g;
        LoadBytes(bytes, [&](CArchive& ar) { g.Serialize(ar); });
        EXPECT_EQ(g.boxMin.x, 5);
        EXPECT_EQ(g.boxMin.z, 7);
        EXPECT_EQ(g.boxMax.y, -2);
        // Written again, the box comes back as the canonical version-2.0 record.
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << g; }),
                  RecordBuilder().real(2.0).xyz(5, 6, 7).xyz(-1, -2, -3).bytes());
    }
}

TEST(GeometryRecord, TruncatedRecordRaisesEndOfFileAndKeepsTheBox) {
    const Bytes full = RecordBuilder().real(2.0).xyz(5, 6, 7).xyz(8, 9, 10).bytes();
    for (size_t drop : {1u, 32u, 40u, 72u}) {
        CGeometry g;
        g.boxMax.set(1, 1, 1);
        EXPECT_EQ(
            ArchiveCause([&] { LoadBytes(Truncated(full, drop), [&](CArchive& ar) { ar >> g; }); }),
            CArchiveException::endOfFile);
        EXPECT_EQ(g.boxMin.x, 0);
        EXPECT_EQ(g.boxMax.x, 1);
    }
}

TEST(PointList, CountThenRecords) {
    const std::vector<CPoint3d> pts = {CPoint3d(1, 2, 3), CPoint3d(-4, 5.5, 0)};
    const Bytes expected = RecordBuilder().count(2).xyz(1, 2, 3).xyz(-4, 5.5, 0).bytes();
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { WritePointList(ar, pts); }), expected);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { WritePointList(ar, {}); }),
              RecordBuilder().count(0).bytes());
}

TEST(PointList, ReadingReplacesTheList) {
    std::vector<CPoint3d> pts(5, CPoint3d(9, 9, 9));
    const Bytes bytes = RecordBuilder().count(2).xyz(1, 2, 3, 1.0).xyz(4, 5, 6, 3.0).bytes();
    LoadBytes(bytes, [&](CArchive& ar) { ReadPointList(ar, pts); });
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[0].x, 1);
    EXPECT_EQ(pts[1].z, 6);
    LoadBytes(RecordBuilder().count(0).bytes(), [&](CArchive& ar) { ReadPointList(ar, pts); });
    EXPECT_TRUE(pts.empty());
}

TEST(PointList, HostileCountsRaiseEndOfFileWithoutAllocating) {
    const Bytes tail = RecordBuilder().xyz(1, 2, 3).xyz(4, 5, 6).bytes();
    for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 0x08000000u, 3u}) {
        std::vector<CPoint3d> pts(1, CPoint3d(7, 7, 7));
        const Bytes bytes = RecordBuilder().count(count).append(tail).bytes();
        EXPECT_EQ(
            ArchiveCause([&] { LoadBytes(bytes, [&](CArchive& ar) { ReadPointList(ar, pts); }); }),
            CArchiveException::endOfFile)
            << count;
        ASSERT_EQ(pts.size(), 1u);  // the previous list survives
        EXPECT_EQ(pts[0].x, 7);
    }
    std::vector<CPoint3d> pts;
    EXPECT_EQ(ArchiveCause([&] {
                  LoadBytes(Bytes{1, 0}, [&](CArchive& ar) { ReadPointList(ar, pts); });
              }),
              CArchiveException::endOfFile);
}

TEST(PointList, WrongArchiveDirection) {
    std::vector<CPoint3d> pts;
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ReadPointList(ar, pts); }); }),
              CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] {
                  LoadBytes(RecordBuilder().count(0).bytes(),
                            [&](CArchive& ar) { WritePointList(ar, pts); });
              }),
              CArchiveException::readOnly);
}

TEST(BoolFlag, OneByteAndAnyNonZeroIsTrue) {
    EXPECT_EQ(StoreBytes([](CArchive& ar) {
                  WriteBool(ar, true);
                  WriteBool(ar, false);
              }),
              (Bytes{1, 0}));
    const Bytes flags = {0, 1, 2, 0x80, 0xFF};
    const bool expected[] = {false, true, true, true, true};
    LoadBytes(flags, [&](CArchive& ar) {
        for (bool want : expected) {
            bool got = !want;
            ReadBool(ar, got);
            EXPECT_EQ(got, want);
        }
    });
    bool b = true;
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(Bytes{}, [&](CArchive& ar) { ReadBool(ar, b); }); }),
              CArchiveException::endOfFile);
    EXPECT_TRUE(b);
}

TEST(RecordVersion, WrittenAsTwoAndReadAsStored) {
    EXPECT_EQ(StoreBytes([](CArchive& ar) { WriteRecordVersion(ar); }),
              RecordBuilder().real(2.0).bytes());
    EXPECT_EQ(StoreBytes([](CArchive& ar) { WriteRecordVersion(ar, 2.1); }),
              RecordBuilder().real(2.1).bytes());
    double v = 0;
    LoadBytes(RecordBuilder().real(3.0).bytes(), [&](CArchive& ar) { v = ReadRecordVersion(ar); });
    EXPECT_EQ(v, 3.0);
}

TEST(RecordsAvailable, OverflowingProductsAreNeverAvailable) {
    const Bytes eight = RecordBuilder().real(1.0).bytes();
    LoadBytes(eight, [](CArchive& ar) { EnsureRecordsAvailable(ar, 2, 4); });
    LoadBytes(eight, [](CArchive& ar) { EnsureRecordsAvailable(ar, 0, 1u << 30); });
    EXPECT_EQ(ArchiveCause([&] {
                  LoadBytes(eight, [](CArchive& ar) { EnsureRecordsAvailable(ar, 3, 3); });
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveCause([&] {
                  LoadBytes(eight, [](CArchive& ar) {
                      EnsureRecordsAvailable(ar, 0x8000000000000001ull, 2);  // wraps to 2
                  });
              }),
              CArchiveException::endOfFile);
}

}  // namespace
