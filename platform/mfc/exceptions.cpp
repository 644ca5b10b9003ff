// The exception classes and the Afx* functions that throw them.
#include <geo/mfc/exceptions.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

const char* const kFileCauseText[] = {"no error",
                                      "an unspecified error occurred",
                                      "the file was not found",
                                      "the path is invalid",
                                      "too many files are open",
                                      "access was denied",
                                      "the file handle is invalid",
                                      "the current directory cannot be removed",
                                      "the directory is full",
                                      "the seek position is invalid",
                                      "a hardware I/O error occurred",
                                      "a sharing violation occurred",
                                      "a lock violation occurred",
                                      "the disk is full",
                                      "the end of the file was reached"};

const char* const kArchiveCauseText[] = {"no error",
                                         "an unspecified error occurred",
                                         "tried to write to an archive opened for loading",
                                         "tried to read past the end of the archive",
                                         "tried to read from an archive opened for storing",
                                         "the archive holds an invalid object index",
                                         "the archive holds an unexpected class",
                                         "the archive holds an object of an unsupported schema"};

// The table entry for a cause, or a generic text for causes outside the table.
template <size_t N>
CString CauseText(const char* const (&table)[N], int cause) {
    if (cause >= 0 && static_cast<size_t>(cause) < N) {
        return CString(table[cause]);
    }
    return CString("an unknown error occurred");
}

}  // namespace

CException::~CException() = default;

void CException::Delete() {
    delete this;
}

CString CException::Describe() const {
    return CString("an unspecified error occurred");
}

CString CException::GetMessage() const {
    return Describe();
}

BOOL CException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext != nullptr) {
        *pnHelpContext = 0;
    }
    if (lpszError == nullptr || nMaxError == 0) {
        return FALSE;
    }
    CString text = Describe();
    size_t n = std::min<size_t>(static_cast<size_t>(text.GetLength()), nMaxError - 1);
    std::memcpy(lpszError, text.GetString(), n);
    lpszError[n] = '\0';
    return TRUE;
}

CString CMemoryException::Describe() const {
    return CString("out of memory");
}

CString CInvalidArgException::Describe() const {
    return CString("an invalid argument was encountered");
}

CString CNotSupportedException::Describe() const {
    return CString("the request is not supported");
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

int CFileException::ErrnoToCause(int nErrno) {
    switch (nErrno) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
            return accessDenied;
        case EBADF:
            return invalidFile;
        case EBUSY:
        case ETXTBSY:
            return sharingViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return diskFull;
        case ESPIPE:
        case EINVAL:
        case EOVERFLOW:
            return badSeek;
        case EIO:
            return hardIO;
        default:
            return genericException;
    }
}

CString CFileException::Describe() const {
    CString text = CauseText(kFileCauseText, m_cause);
    if (!m_strFileName.IsEmpty()) {
        text += CString(" (") + m_strFileName + ")";
    }
    return text;
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

CString CArchiveException::Describe() const {
    return CauseText(kArchiveCauseText, m_cause);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LPCTSTR lpszFileName) {
    throw new CFileException(cause, -1, lpszFileName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowInvalidArgException() {
    throw new CInvalidArgException();
}

// A CMemoryException is small; if even that cannot be allocated, the standard error goes up.
void AfxThrowMemoryException() {
    throw new CMemoryException();
}

void AfxThrowNotSupportedException() {
    throw new CNotSupportedException();
}
