// CArchive: raw little-endian serialisation over a CFile.
#pragma once

#include <geo/export.h>
#include <geo/wintypes.h>

#include <vector>

class CFile;

// A buffered, one-direction stream of values over a file. Misuse and short data raise
// CArchiveException* (readOnly, writeOnly, endOfFile).
class GEO_API CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a storing archive unless bNoFlushOnDelete; errors there are swallowed, so
    // callers that care call Close() first.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema() const { return m_nObjectSchema; }
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Storing: writes the buffer to the file. Loading: returns unread buffered bytes to the file.
    void Flush();
    void Close();
    // Detaches from the file without writing anything further.
    void Abort();

    // Bytes read; fewer than asked only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or raises endOfFile.
    void ReadExact(void* lpBuf, ULONGLONG nCount);

    // Counts as a WORD, or 0xFFFF then a DWORD, or then 0xFFFFFFFF and a ULONGLONG.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Raises endOfFile unless at least nBytes remain to be read.
    void EnsureAvailable(ULONGLONG nBytes);
    // Same for nCount records of nRecordSize bytes each, safe against overflow.
    void EnsureAvailable(ULONGLONG nCount, ULONGLONG nRecordSize);
    // Bytes left to read (buffered plus still in the file).
    ULONGLONG GetRemaining() const;

    CArchive& operator<<(bool b);
    CArchive& operator<<(char ch);
    CArchive& operator<<(signed char ch);
    CArchive& operator<<(unsigned char by);
    CArchive& operator<<(short w);
    CArchive& operator<<(unsigned short w);
    CArchive& operator<<(int i);
    CArchive& operator<<(unsigned int u);
    CArchive& operator<<(long l);
    CArchive& operator<<(unsigned long ul);
    CArchive& operator<<(long long ll);
    CArchive& operator<<(unsigned long long ull);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(wchar_t) = delete;

    // Any non-zero byte reads as true.
    CArchive& operator>>(bool& b);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(signed char& ch);
    CArchive& operator>>(unsigned char& by);
    CArchive& operator>>(short& w);
    CArchive& operator>>(unsigned short& w);
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned int& u);
    CArchive& operator>>(long& l);
    CArchive& operator>>(unsigned long& ul);
    CArchive& operator>>(long long& ll);
    CArchive& operator>>(unsigned long long& ull);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(wchar_t&) = delete;

private:
    template <typename T>
    CArchive& Insert(T value);
    template <typename T>
    CArchive& Extract(T& value);
    void RequireStoring() const;
    void RequireLoading() const;
    void RequireFile() const;
    void FlushStore();
    bool FillBuffer();
    UINT TakeBuffered(BYTE* dest, ULONGLONG nWanted);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema = 0xFFFFFFFF;
    std::vector<BYTE> m_buf;
    size_t m_nBufSize;
    size_t m_nCur = 0;  // loading: next unread byte in m_buf
};
