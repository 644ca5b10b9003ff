// CFile over a POSIX file descriptor.
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

// The open(2) flags for a CFile mode.
int PosixFlags(UINT nOpenFlags) {
    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
        case CFile::modeWrite:
            flags |= O_WRONLY;
            break;
        case CFile::modeReadWrite:
            flags |= O_RDWR;
            break;
        default:
            flags |= O_RDONLY;
            break;
    }
    if (nOpenFlags & CFile::modeCreate) {
        flags |= O_CREAT;
        if (!(nOpenFlags & CFile::modeNoTruncate)) {
            flags |= O_TRUNC;
        }
    }
    return flags;
}

}  // namespace

CFile::CFile() = default;

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile() {
    if (m_hFile >= 0) {
        ::close(m_hFile);
    }
}

void CFile::ThrowErrno(int nErrno) const {
    AfxThrowFileException(CFileException::ErrnoToCause(nErrno), nErrno, m_strFileName);
}

void CFile::RequireOpen() const {
    if (m_hFile < 0) {
        AfxThrowFileException(CFileException::invalidFile, m_strFileName);
    }
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (m_hFile >= 0) {
        Close();
    }
    m_strFileName = lpszFileName;
    int fd = -1;
    if (lpszFileName != nullptr && *lpszFileName != '\0') {
        do {
            fd = ::open(lpszFileName, PosixFlags(nOpenFlags), 0666);
        } while (fd < 0 && errno == EINTR);
    } else {
        errno = ENOENT;
    }
    if (fd < 0) {
        if (pError != nullptr) {
            pError->m_cause = CFileException::ErrnoToCause(errno);
            pError->m_lOsError = errno;
            pError->m_strFileName = m_strFileName;
        }
        return FALSE;
    }
    m_hFile = fd;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    RequireOpen();
    if (nCount == 0) {
        return 0;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    BYTE* dest = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::read(m_hFile, dest + done, nCount - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // A descriptor opened for writing only reports EBADF: that is a denied read.
        if (n < 0) {
            ThrowErrno(errno == EBADF ? EACCES : errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    RequireOpen();
    if (nCount == 0) {
        return;
    }
    if (lpBuf == nullptr) {
        AfxThrowInvalidArgException();
    }
    const BYTE* src = static_cast<const BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::write(m_hFile, src + done, nCount - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // A descriptor opened for reading only reports EBADF: that is a denied write.
        if (n < 0) {
            ThrowErrno(errno == EBADF ? EACCES : errno);
        }
        if (n == 0) {
            ThrowErrno(ENOSPC);
        }
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(long long lOff, UINT nFrom) {
    RequireOpen();
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (nFrom > end) {
        AfxThrowFileException(CFileException::badSeek, m_strFileName);
    }
    off_t pos = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
    if (pos < 0) {
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    }
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    RequireOpen();
    struct stat st;
    if (::fstat(m_hFile, &st) != 0) {
        ThrowErrno(errno);
    }
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    RequireOpen();
    if (::ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0) {
        ThrowErrno(errno == EBADF ? EACCES : errno);
    }
}

ULONGLONG CFile::GetPosition() const {
    RequireOpen();
    off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0) {
        ThrowErrno(errno);
    }
    return static_cast<ULONGLONG>(pos);
}

// Writes go straight to the kernel, so there is nothing of ours to flush.
void CFile::Flush() {
    RequireOpen();
}

void CFile::Close() {
    if (m_hFile < 0) {
        return;
    }
    int fd = m_hFile;
    m_hFile = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        ThrowErrno(errno);
    }
}

void CFile::Abort() {
    if (m_hFile >= 0) {
        ::close(m_hFile);
    }
    m_hFile = -1;
}
