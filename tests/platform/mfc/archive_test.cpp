// CArchive: byte layouts of every primitive and count, misuse, short data and buffering.
#include <geo/mfc/archive.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

namespace {

TEST(ArchivePrimitives, EveryTypeIsWrittenAsRawLittleEndianOfItsWidth) {
    Bytes got = StoreBytes([](CArchive& ar) {
        ar << true << false << 'A' << static_cast<BYTE>(0xFE) << static_cast<short>(-2)
           << static_cast<WORD>(0xBEEF) << -3 << 0xDEADBEEFu << static_cast<LONG>(7)
           << static_cast<DWORD>(0x01020304) << -5LL
           << static_cast<ULONGLONG>(0x1122334455667788ULL) << 1.5f << -2.25;
    });
    LayoutBuilder want;
    want.u8(1).u8(0).u8('A').u8(0xFE).u16(0xFFFE).u16(0xBEEF).u32(0xFFFFFFFD).u32(0xDEADBEEF);
    want.u32(7).u32(0x01020304).u64(0xFFFFFFFFFFFFFFFBULL).u64(0x1122334455667788ULL);
    want.f32(1.5f).f64(-2.25);
    EXPECT_EQ(got, want.bytes());
}

TEST(ArchivePrimitives, RoundTripRestoresEveryValue) {
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << true << 'z' << static_cast<BYTE>(200) << static_cast<short>(-300)
           << static_cast<WORD>(60000) << -70000 << 4000000000u << -9000000000LL
           << static_cast<ULONGLONG>(18000000000000000000ULL) << 3.25f << 1e300;
    });
    LoadBytes(bytes, [](CArchive& ar) {
        bool b = false;
        char c = 0;
        BYTE by = 0;
        short s = 0;
        WORD w = 0;
        int i = 0;
        unsigned u = 0;
        long long ll = 0;
        ULONGLONG ull = 0;
        float f = 0;
        double d = 0;
        ar >> b >> c >> by >> s >> w >> i >> u >> ll >> ull >> f >> d;
        EXPECT_TRUE(b);
        EXPECT_EQ(c, 'z');
        EXPECT_EQ(by, 200);
        EXPECT_EQ(s, -300);
        EXPECT_EQ(w, 60000);
        EXPECT_EQ(i, -70000);
        EXPECT_EQ(u, 4000000000u);
        EXPECT_EQ(ll, -9000000000LL);
        EXPECT_EQ(ull, 18000000000000000000ULL);
        EXPECT_EQ(f, 3.25f);
        EXPECT_EQ(d, 1e300);
        EXPECT_EQ(ar.GetRemaining(), 0u);
    });
}

TEST(ArchivePrimitives, AnyNonZeroByteReadsAsTrue) {
    LayoutBuilder in;
    in.u8(0).u8(1).u8(2).u8(0x80).u8(0xFF);
    LoadBytes(in.bytes(), [](CArchive& ar) {
        bool v[5] = {true, false, false, false, false};
        for (bool& b : v) {
            ar >> b;
        }
        EXPECT_FALSE(v[0]);
        EXPECT_TRUE(v[1] && v[2] && v[3] && v[4]);
    });
}

TEST(ArchiveCounts, UseWordThenEscapedDwordThenEscapedQword) {
    Bytes got = StoreBytes([](CArchive& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
        ar.WriteCount(0xFFFFFFFFULL);
        ar.WriteCount(0x123456789ULL);
    });
    LayoutBuilder want;
    want.u16(0).u16(0xFFFE).u16(0xFFFF).u32(0xFFFF).u16(0xFFFF).u32(0x12345678);
    want.u16(0xFFFF).u32(0xFFFFFFFF).u64(0xFFFFFFFFULL);
    want.u16(0xFFFF).u32(0xFFFFFFFF).u64(0x123456789ULL);
    EXPECT_EQ(got, want.bytes());
    LoadBytes(got, [](CArchive& ar) {
        for (DWORD_PTR n :
             {0ULL, 0xFFFEULL, 0xFFFFULL, 0x12345678ULL, 0xFFFFFFFFULL, 0x123456789ULL}) {
            EXPECT_EQ(ar.ReadCount(), n);
        }
    });
}

TEST(ArchiveMisuse, InsertionOnLoadingIsReadOnlyAndExtractionOnStoringIsWriteOnly) {
    LoadBytes(Bytes{1, 2, 3, 4}, [](CArchive& ar) {
        EXPECT_EQ(ArchiveCause([&] { ar << 1; }), CArchiveException::readOnly);
        EXPECT_EQ(ArchiveCause([&] { ar << 1.0; }), CArchiveException::readOnly);
        EXPECT_EQ(ArchiveCause([&] { ar.WriteCount(3); }), CArchiveException::readOnly);
        EXPECT_EQ(ArchiveCause([&] { ar.Write("x", 1); }), CArchiveException::readOnly);
    });
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    int i = 0;
    double d = 0;
    char buf[4];
    EXPECT_EQ(ArchiveCause([&] { ar >> i; }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { ar >> d; }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { ar.ReadCount(); }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { ar.Read(buf, 4); }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { ar.EnsureAvailable(1); }), CArchiveException::writeOnly);
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_FALSE(ar.IsLoading());
    EXPECT_EQ(ar.GetFile(), &file);
}

TEST(ArchiveShortData, ReadingPastTheEndRaisesEndOfFile) {
    LoadBytes(Bytes{1, 2, 3}, [](CArchive& ar) {
        int i = 0;
        EXPECT_EQ(ArchiveCause([&] { ar >> i; }), CArchiveException::endOfFile);
    });
    LoadBytes(Bytes{}, [](CArchive& ar) {
        bool b = false;
        EXPECT_EQ(ArchiveCause([&] { ar >> b; }), CArchiveException::endOfFile);
        EXPECT_EQ(ArchiveCause([&] { ar.ReadCount(); }), CArchiveException::endOfFile);
    });
    // An escaped count whose DWORD is missing.
    LoadBytes(Bytes{0xFF, 0xFF, 0x01}, [](CArchive& ar) {
        EXPECT_EQ(ArchiveCause([&] { ar.ReadCount(); }), CArchiveException::endOfFile);
    });
    // Read() reports a short count instead of raising.
    LoadBytes(Bytes{9, 8}, [](CArchive& ar) {
        BYTE buf[8] = {};
        EXPECT_EQ(ar.Read(buf, 8), 2u);
        EXPECT_EQ(buf[0], 9);
        EXPECT_EQ(ar.Read(buf, 8), 0u);
    });
}

TEST(ArchiveEnsureAvailable, IsExactAcrossBufferRefills) {
    Bytes data(1000, 0x5A);
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CArchive ar(&file, CArchive::load, 128);
    EXPECT_NO_THROW(ar.EnsureAvailable(1000));
    EXPECT_EQ(ArchiveCause([&] { ar.EnsureAvailable(1001); }), CArchiveException::endOfFile);
    BYTE buf[300];
    ar.ReadExact(buf, 300);  // leaves part of a buffer unread
    EXPECT_EQ(ar.GetRemaining(), 700u);
    EXPECT_NO_THROW(ar.EnsureAvailable(700));
    EXPECT_EQ(ArchiveCause([&] { ar.EnsureAvailable(701); }), CArchiveException::endOfFile);
    EXPECT_NO_THROW(ar.EnsureAvailable(350, 2));
    EXPECT_EQ(ArchiveCause([&] { ar.EnsureAvailable(351, 2); }), CArchiveException::endOfFile);
    // A hostile count times a record size that overflows 64 bits must not wrap to a small number.
    EXPECT_EQ(ArchiveCause([&] { ar.EnsureAvailable(0x8000000000000001ULL, 2); }),
              CArchiveException::endOfFile);
}

TEST(ArchiveBuffering, LargeAndSmallWritesInterleaveInOrder) {
    Bytes big(5000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<BYTE>(i * 7);
    }
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 256);
        ar << static_cast<BYTE>(1);
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar << static_cast<BYTE>(2);
        ar.Close();
    }
    Bytes got = TakeBytes(file);
    ASSERT_EQ(got.size(), 5002u);
    EXPECT_EQ(got.front(), 1);
    EXPECT_EQ(got.back(), 2);
    EXPECT_TRUE(std::equal(big.begin(), big.end(), got.begin() + 1));
}

TEST(ArchiveLifecycle, DestructorFlushesUnlessToldNotTo) {
    CMemFile flushed;
    { CArchive(&flushed, CArchive::store) << 42; }
    EXPECT_EQ(flushed.GetLength(), 4u);
    CMemFile dropped;
    { CArchive(&dropped, CArchive::store | CArchive::bNoFlushOnDelete) << 42; }
    EXPECT_EQ(dropped.GetLength(), 0u);
    CMemFile aborted;
    {
        CArchive ar(&aborted, CArchive::store);
        ar << 42;
        ar.Abort();
        EXPECT_EQ(ar.GetFile(), nullptr);
    }
    EXPECT_EQ(aborted.GetLength(), 0u);
}

TEST(ArchiveLifecycle, UseAfterCloseRaisesInsteadOfCrashing) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.Close();
    EXPECT_EQ(ar.GetFile(), nullptr);
    EXPECT_EQ(ArchiveCause([&] { ar << 1; }), CArchiveException::genericException);
    EXPECT_NO_THROW(ar.Close());
}

TEST(ArchiveLifecycle, FlushOnLoadReturnsReadAheadToTheFile) {
    Bytes data{1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CArchive ar(&file, CArchive::load);
    int first = 0;
    ar >> first;
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 4u);
    int second = 0;
    ar >> second;
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
}

TEST(ArchiveRealFile, RoundTripThroughATemporaryFile) {
    char path[] = "/tmp/geo_mfc_archiveXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        CArchive ar(&file, CArchive::store, 64);
        for (int i = 0; i < 1000; ++i) {
            ar << i << static_cast<double>(i) / 3;
        }
        ar.WriteCount(70000);
        ar.Close();
        file.Close();
    }
    {
        CFile file(path, CFile::modeRead | CFile::typeBinary);
        EXPECT_EQ(file.GetLength(), 1000u * 12 + 6);
        CArchive ar(&file, CArchive::load, 64);
        for (int i = 0; i < 1000; ++i) {
            int v = -1;
            double d = 0;
            ar >> v >> d;
            ASSERT_EQ(v, i);
            ASSERT_EQ(d, static_cast<double>(i) / 3);
        }
        EXPECT_EQ(ar.ReadCount(), 70000u);
        EXPECT_EQ(ArchiveCause([&] { ar.ReadCount(); }), CArchiveException::endOfFile);
    }
    std::remove(path);
}

}  // namespace
