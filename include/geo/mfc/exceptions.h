// The MFC exception classes, thrown as heap pointers and released with Delete().
#pragma once

#include <geo/export.h>
#include <geo/mfc/cstring.h>
#include <geo/mfc/object.h>
#include <geo/wintypes.h>

// Base of every exception; the catcher calls Delete() when done with it.
class GEO_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    ~CException() override;
    void Delete();
    // Copies a description of the error into the buffer, truncated and terminated.
    virtual BOOL GetErrorMessage(char* lpszError, UINT nMaxError,
                                 UINT* pnHelpContext = nullptr) const;
    // The description as a string.
    CString GetMessage() const;

protected:
    virtual CString Describe() const;
};

class GEO_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
};

class GEO_API CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
protected:
    CString Describe() const override;
};

class GEO_API CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
protected:
    CString Describe() const override;
};

class GEO_API CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
protected:
    CString Describe() const override;
};

class GEO_API CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
    // The cause that matches a POSIX errno value.
    static int ErrnoToCause(int nErrno);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;

protected:
    CString Describe() const override;
};

class GEO_API CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7
    };
    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    int m_cause;
    CString m_strFileName;

protected:
    CString Describe() const override;
};

[[noreturn]] GEO_API void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
[[noreturn]] GEO_API void AfxThrowFileException(int cause, LPCTSTR lpszFileName = nullptr);
[[noreturn]] GEO_API void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName);
[[noreturn]] GEO_API void AfxThrowInvalidArgException();
[[noreturn]] GEO_API void AfxThrowMemoryException();
[[noreturn]] GEO_API void AfxThrowNotSupportedException();
