// CMemFile: a file held in a malloc'd block of memory.
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    FreeBlock();
}

void CMemFile::FreeBlock() {
    if (m_bOwnsBuffer) {
        std::free(m_lpBuffer);
    }
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bOwnsBuffer = true;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    if (lpBuffer == nullptr && nBufferSize != 0) {
        AfxThrowInvalidArgException();
    }
    FreeBlock();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_bOwnsBuffer = false;
}

BYTE* CMemFile::Detach() {
    BYTE* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_bOwnsBuffer = true;
    FreeBlock();
    return block;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError) {
    if (pError != nullptr) {
        pError->m_cause = CFileException::genericException;
    }
    return FALSE;
}

// Enlarges the block to hold dwNewLen bytes, in steps of the grow size. A caller's block is
// never reallocated: its bytes move to a new block of our own.
void CMemFile::GrowFile(ULONGLONG dwNewLen) {
    if (dwNewLen <= m_nBufferSize) {
        return;
    }
    if (m_nGrowBytes == 0) {
        AfxThrowMemoryException();
    }
    ULONGLONG steps = dwNewLen / m_nGrowBytes + (dwNewLen % m_nGrowBytes != 0);
    if (steps > std::numeric_limits<size_t>::max() / m_nGrowBytes) {
        AfxThrowMemoryException();
    }
    size_t newSize = static_cast<size_t>(steps * m_nGrowBytes);
    BYTE* block = nullptr;
    if (m_bOwnsBuffer) {
        block = static_cast<BYTE*>(std::realloc(m_lpBuffer, newSize));
    } else {
        block = static_cast<BYTE*>(std::malloc(newSize));
        if (block != nullptr && m_nFileSize != 0) {
            std::memcpy(block, m_lpBuffer, m_nFileSize);
        }
    }
    if (block == nullptr) {
        AfxThrowMemoryException();
    }
    m_lpBuffer = block;
    m_nBufferSize = newSize;
    m_bOwnsBuffer = true;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0 || m_nPosition >= m_nFileSize) {
        return 0;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    ULONGLONG n = std::min<ULONGLONG>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, static_cast<size_t>(n));
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) {
        return;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    ULONGLONG end = m_nPosition + nCount;
    if (end < m_nPosition) {
        AfxThrowMemoryException();
    }
    GrowFile(end);
    // A gap left by seeking past the end reads as zeros.
    if (m_nPosition > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<size_t>(m_nPosition - m_nFileSize));
    }
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (end > m_nFileSize) {
        m_nFileSize = end;
    }
}

ULONGLONG CMemFile::Seek(long long lOff, UINT nFrom) {
    long long base = nFrom == begin     ? 0
                     : nFrom == current ? static_cast<long long>(m_nPosition)
                     : nFrom == end     ? static_cast<long long>(m_nFileSize)
                                        : -1;
    if (base < 0) {
        AfxThrowFileException(CFileException::badSeek);
    }
    long long pos = 0;
    if (__builtin_add_overflow(base, lOff, &pos) || pos < 0) {
        AfxThrowFileException(CFileException::badSeek);
    }
    m_nPosition = static_cast<ULONGLONG>(pos);
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const {
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize) {
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<size_t>(dwNewLen - m_nFileSize));
    }
    m_nFileSize = dwNewLen;
    if (m_nPosition > dwNewLen) {
        m_nPosition = dwNewLen;
    }
}

ULONGLONG CMemFile::GetPosition() const {
    return m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
    FreeBlock();
}

void CMemFile::Abort() {
    FreeBlock();
}
