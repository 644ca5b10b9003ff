// CArchive: buffered little-endian values over a CFile.
#include <geo/mfc/archive.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kMinBufSize = 128;
// Larger buffers buy nothing and a careless size would reserve gigabytes.
constexpr int kMaxBufSize = 1 << 20;
constexpr WORD kCountEscape16 = 0xFFFF;
constexpr DWORD kCountEscape32 = 0xFFFFFFFF;

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* /*lpBuf*/)
    : m_pFile(pFile),
      m_nMode(nMode),
      m_nBufSize(static_cast<size_t>(std::clamp(nBufSize, kMinBufSize, kMaxBufSize))) {
    if (pFile == nullptr) {
        AfxThrowInvalidArgException();
    }
    m_buf.reserve(m_nBufSize);
}

CArchive::~CArchive() {
    if (m_pFile == nullptr) {
        return;
    }
    if (IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            FlushStore();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::RequireFile() const {
    if (m_pFile == nullptr) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
}

void CArchive::RequireStoring() const {
    RequireFile();
    if (IsLoading()) {
        AfxThrowArchiveException(CArchiveException::readOnly);
    }
}

void CArchive::RequireLoading() const {
    RequireFile();
    if (IsStoring()) {
        AfxThrowArchiveException(CArchiveException::writeOnly);
    }
}

void CArchive::FlushStore() {
    if (m_buf.empty()) {
        return;
    }
    // Clear first so that a failing write is not repeated by the destructor.
    std::vector<BYTE> pending;
    pending.swap(m_buf);
    m_buf.reserve(m_nBufSize);
    m_pFile->Write(pending.data(), static_cast<UINT>(pending.size()));
}

void CArchive::Flush() {
    RequireFile();
    if (IsStoring()) {
        FlushStore();
        m_pFile->Flush();
        return;
    }
    // Give back what was read ahead so the file position matches what was consumed.
    size_t unread = m_buf.size() - m_nCur;
    m_buf.clear();
    m_nCur = 0;
    if (unread != 0) {
        m_pFile->Seek(-static_cast<long long>(unread), CFile::current);
    }
}

void CArchive::Close() {
    if (m_pFile == nullptr) {
        return;
    }
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_buf.clear();
    m_nCur = 0;
    m_pFile = nullptr;
}

// Reads the next block from the file; false when the file has no more bytes.
bool CArchive::FillBuffer() {
    m_buf.resize(m_nBufSize);
    UINT n = m_pFile->Read(m_buf.data(), static_cast<UINT>(m_nBufSize));
    m_buf.resize(n);
    m_nCur = 0;
    return n != 0;
}

// Copies up to nWanted buffered bytes, refilling as needed; returns the count copied.
UINT CArchive::TakeBuffered(BYTE* dest, ULONGLONG nWanted) {
    ULONGLONG done = 0;
    while (done < nWanted) {
        if (m_nCur == m_buf.size() && !FillBuffer()) {
            break;
        }
        size_t n = static_cast<size_t>(std::min<ULONGLONG>(nWanted - done, m_buf.size() - m_nCur));
        std::memcpy(dest + done, m_buf.data() + m_nCur, n);
        m_nCur += n;
        done += n;
    }
    return static_cast<UINT>(done);
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    RequireLoading();
    if (nMax == 0) {
        return 0;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    return TakeBuffered(static_cast<BYTE*>(lpBuf), nMax);
}

void CArchive::ReadExact(void* lpBuf, ULONGLONG nCount) {
    RequireLoading();
    if (nCount == 0) {
        return;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    BYTE* dest = static_cast<BYTE*>(lpBuf);
    while (nCount != 0) {
        UINT chunk = static_cast<UINT>(std::min<ULONGLONG>(nCount, 1u << 30));
        if (TakeBuffered(dest, chunk) != chunk) {
            AfxThrowArchiveException(CArchiveException::endOfFile);
        }
        dest += chunk;
        nCount -= chunk;
    }
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    RequireStoring();
    if (nMax == 0) {
        return;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    const BYTE* src = static_cast<const BYTE*>(lpBuf);
    if (m_buf.size() + nMax > m_nBufSize) {
        FlushStore();
    }
    if (nMax >= m_nBufSize) {
        m_pFile->Write(src, nMax);
        return;
    }
    m_buf.insert(m_buf.end(), src, src + nMax);
}

ULONGLONG CArchive::GetRemaining() const {
    RequireLoading();
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    ULONGLONG inFile = length > position ? length - position : 0;
    return inFile + (m_buf.size() - m_nCur);
}

void CArchive::EnsureAvailable(ULONGLONG nBytes) {
    if (GetRemaining() < nBytes) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
    }
}

void CArchive::EnsureAvailable(ULONGLONG nCount, ULONGLONG nRecordSize) {
    ULONGLONG total = 0;
    if (__builtin_mul_overflow(nCount, nRecordSize, &total)) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    EnsureAvailable(total);
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < kCountEscape16) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << kCountEscape16;
    if (dwCount < kCountEscape32) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << kCountEscape32 << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount() {
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != kCountEscape16) {
        return wCount;
    }
    DWORD dwCount = 0;
    *this >> dwCount;
    if (dwCount != kCountEscape32) {
        return dwCount;
    }
    ULONGLONG qwCount = 0;
    *this >> qwCount;
    return static_cast<DWORD_PTR>(qwCount);
}

// Values are stored as their little-endian bytes; the hosts we build for are little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "archive bytes assume little-endian");

template <typename T>
CArchive& CArchive::Insert(T value) {
    RequireStoring();
    BYTE bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    Write(bytes, sizeof(T));
    return *this;
}

template <typename T>
CArchive& CArchive::Extract(T& value) {
    RequireLoading();
    BYTE bytes[sizeof(T)];
    ReadExact(bytes, sizeof(T));
    std::memcpy(&value, bytes, sizeof(T));
    return *this;
}

CArchive& CArchive::operator<<(bool b) {
    return Insert<BYTE>(b ? 1 : 0);
}
CArchive& CArchive::operator<<(char ch) {
    return Insert(ch);
}
CArchive& CArchive::operator<<(signed char ch) {
    return Insert(ch);
}
CArchive& CArchive::operator<<(unsigned char by) {
    return Insert(by);
}
CArchive& CArchive::operator<<(short w) {
    return Insert(w);
}
CArchive& CArchive::operator<<(unsigned short w) {
    return Insert(w);
}
CArchive& CArchive::operator<<(int i) {
    return Insert(i);
}
CArchive& CArchive::operator<<(unsigned int u) {
    return Insert(u);
}
CArchive& CArchive::operator<<(long l) {
    return Insert<long long>(l);
}
CArchive& CArchive::operator<<(unsigned long ul) {
    return Insert<unsigned long long>(ul);
}
CArchive& CArchive::operator<<(long long ll) {
    return Insert(ll);
}
CArchive& CArchive::operator<<(unsigned long long ull) {
    return Insert(ull);
}
CArchive& CArchive::operator<<(float f) {
    return Insert(f);
}
CArchive& CArchive::operator<<(double d) {
    return Insert(d);
}

CArchive& CArchive::operator>>(bool& b) {
    BYTE by = 0;
    Extract(by);
    b = by != 0;
    return *this;
}
CArchive& CArchive::operator>>(char& ch) {
    return Extract(ch);
}
CArchive& CArchive::operator>>(signed char& ch) {
    return Extract(ch);
}
CArchive& CArchive::operator>>(unsigned char& by) {
    return Extract(by);
}
CArchive& CArchive::operator>>(short& w) {
    return Extract(w);
}
CArchive& CArchive::operator>>(unsigned short& w) {
    return Extract(w);
}
CArchive& CArchive::operator>>(int& i) {
    return Extract(i);
}
CArchive& CArchive::operator>>(unsigned int& u) {
    return Extract(u);
}
CArchive& CArchive::operator>>(long& l) {
    long long ll = 0;
    Extract(ll);
    l = static_cast<long>(ll);
    return *this;
}
CArchive& CArchive::operator>>(unsigned long& ul) {
    unsigned long long ull = 0;
    Extract(ull);
    ul = static_cast<unsigned long>(ull);
    return *this;
}
CArchive& CArchive::operator>>(long long& ll) {
    return Extract(ll);
}
CArchive& CArchive::operator>>(unsigned long long& ull) {
    return Extract(ull);
}
CArchive& CArchive::operator>>(float& f) {
    return Extract(f);
}
CArchive& CArchive::operator>>(double& d) {
    return Extract(d);
}
