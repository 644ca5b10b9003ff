// CFile over real files and CMemFile over memory: data, positions, growth and failures.
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

namespace {

// A fresh temporary path, removed again when the test ends.
class TempPath {
public:
    TempPath() {
        char pattern[] = "/tmp/geo_mfc_fileXXXXXX";
        int fd = mkstemp(pattern);
        if (fd >= 0) {
            close(fd);
        }
        path_ = pattern;
    }
    ~TempPath() { std::remove(path_.c_str()); }
    const char* c_str() const { return path_.c_str(); }

private:
    std::string path_;
};

TEST(RealFile, WriteSeekReadAndLength) {
    TempPath tmp;
    CFile file(tmp.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary);
    EXPECT_EQ(file.GetFilePath(), tmp.c_str());
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.GetPosition(), 11u);
    file.SeekToBegin();
    char buf[32] = {};
    EXPECT_EQ(file.Read(buf, 5), 5u);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    EXPECT_EQ(file.Read(buf, sizeof buf), 5u);  // short read at the end, no exception
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
    EXPECT_EQ(file.SeekToEnd(), 11u);
    file.Flush();
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NO_THROW(file.Close());
}

TEST(RealFile, CreateTruncatesUnlessNoTruncate) {
    TempPath tmp;
    {
        CFile file(tmp.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write("123456", 6);
    }
    {
        CFile file(tmp.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 6u);
    }
    CFile file(tmp.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(RealFile, FailuresCarryTheirCauseAndName) {
    EXPECT_EQ(FileCause([] { CFile f("/no/such/dir/file.bin", CFile::modeRead); }),
              CFileException::fileNotFound);
    try {
        CFile f("/no/such/dir/file.bin", CFile::modeRead);
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_strFileName, "/no/such/dir/file.bin");
        e->Delete();
    }
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open("/no/such/dir/x", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Open("", CFile::modeRead, &error));
    EXPECT_FALSE(file.Open(nullptr, CFile::modeRead));
    TempPath tmp;
    EXPECT_EQ(
        FileCause([&] { CFile f((std::string(tmp.c_str()) + "/child").c_str(), CFile::modeRead); }),
        CFileException::badPath);

    CFile reader(tmp.c_str(), CFile::modeRead);
    EXPECT_EQ(FileCause([&] { reader.Write("x", 1); }), CFileException::accessDenied);
    EXPECT_EQ(FileCause([&] { reader.Seek(-1, CFile::begin); }), CFileException::badSeek);
    CFile writer(tmp.c_str(), CFile::modeWrite);
    char one;
    EXPECT_EQ(FileCause([&] { writer.Read(&one, 1); }), CFileException::accessDenied);
    // A closed file raises instead of touching a stale descriptor.
    CFile closed;
    char c;
    EXPECT_EQ(FileCause([&] { closed.Read(&c, 1); }), CFileException::invalidFile);
    EXPECT_EQ(FileCause([&] { closed.GetLength(); }), CFileException::invalidFile);
}

TEST(MemoryFile, GrowsInStepsAndDetachesAMallocBlock) {
    CMemFile file(16);
    std::string text(40, 'm');
    file.Write(text.data(), static_cast<UINT>(text.size()));
    EXPECT_EQ(file.GetLength(), 40u);
    file.SeekToBegin();
    char buf[64] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 40u);
    EXPECT_EQ(std::string(buf, 40), text);
    BYTE* block = file.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[39], 'm');
    std::free(block);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.Detach(), nullptr);
}

TEST(MemoryFile, SeekPastTheEndThenWriteLeavesAZeroGap) {
    CMemFile file;
    file.Write("ab", 2);
    EXPECT_EQ(file.Seek(5, CFile::current), 7u);
    char buf[4] = {};
    EXPECT_EQ(file.Read(buf, 4), 0u);
    file.Write("z", 1);
    Bytes got = TakeBytes(file);
    EXPECT_EQ(got, (Bytes{'a', 'b', 0, 0, 0, 0, 0, 'z'}));
    EXPECT_EQ(FileCause([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    EXPECT_EQ(FileCause([&] {
                  file.Seek(0x7FFFFFFFFFFFFFFFLL, CFile::begin);
                  file.Seek(1, CFile::current);
              }),
              CFileException::badSeek);
}

TEST(MemoryFile, FixedCallerBlockIsTheFileAndCannotGrow) {
    BYTE data[4] = {1, 2, 3, 4};
    CMemFile file(data, sizeof data);
    EXPECT_EQ(file.GetLength(), 4u);
    file.Seek(1, CFile::begin);
    file.Write("\x09", 1);
    EXPECT_EQ(data[1], 9);  // writes land in the caller's block
    file.SeekToEnd();
    EXPECT_TRUE(ThrowsOfClass([&] { file.Write("x", 1); }, RUNTIME_CLASS(CMemoryException)));
    EXPECT_EQ(file.GetLength(), 4u);
    EXPECT_EQ(file.Detach(), data);
}

TEST(MemoryFile, GrowableCallerBlockMovesToAnOwnedBlockWithoutFreeingTheCallers) {
    BYTE data[4] = {7, 7, 7, 7};
    CMemFile file;
    file.Attach(data, sizeof data, 8);
    EXPECT_EQ(file.GetLength(), 0u);  // the block's old bytes are not part of the file
    file.Write("abcdef", 6);          // outgrows the four bytes
    EXPECT_EQ(file.GetLength(), 6u);
    BYTE* block = file.Detach();
    ASSERT_NE(block, data);
    EXPECT_EQ(std::memcmp(block, "abcdef", 6), 0);
    std::free(block);
    EXPECT_EQ(data[0], 7);  // the caller's block is left alone, neither written nor freed
}

TEST(MemoryFile, SetLengthTruncatesAndExtendsWithZeros) {
    CMemFile file;
    file.Write("abcdef", 6);
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    EXPECT_EQ(file.GetPosition(), 3u);
    file.SetLength(5);
    EXPECT_EQ(TakeBytes(file), (Bytes{'a', 'b', 'c', 0, 0}));
    CFileException error;
    EXPECT_FALSE(file.Open("anything", CFile::modeRead, &error));
}

}  // namespace
