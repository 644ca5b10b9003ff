// CString: a text value held as UTF-8, with MFC's members and archive form.
#pragma once

#include <geo/export.h>
#include <geo/wintypes.h>

#include <string>

class CArchive;

// Lengths, indices and case changes count and touch bytes of the UTF-8 text;
// case changes and CompareNoCase fold ASCII letters only.
class GEO_API CString {
public:
    CString() = default;
    CString(const char* psz);
    CString(const char* pch, int nLength);
    CString(char ch, int nRepeat = 1);
    // Wide text (UTF-32 here) is converted to UTF-8; invalid code points become U+FFFD.
    CString(const wchar_t* psz);
    CString(const std::string& s) : m_str(s) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    CString& operator+=(const CString& s);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    // printf-style formatting into this string.
    void Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Byte index of the first match at or after iStart, or -1.
    int Find(const char* pszSub, int iStart = 0) const;
    int Find(char ch, int iStart = 0) const;
    int ReverseFind(char ch) const;
    int Replace(const char* pszOld, const char* pszNew);

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char chTarget);

private:
    std::string m_str;
};

GEO_API bool operator==(const CString& a, const CString& b);
GEO_API bool operator==(const CString& a, const char* b);
GEO_API bool operator==(const char* a, const CString& b);
GEO_API bool operator!=(const CString& a, const CString& b);
GEO_API bool operator!=(const CString& a, const char* b);
GEO_API bool operator!=(const char* a, const CString& b);
GEO_API bool operator<(const CString& a, const CString& b);
inline bool operator<(const CString& a, const char* b) {
    return a.Compare(b) < 0;
}
inline bool operator<(const char* a, const CString& b) {
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b) {
    return b < a;
}
inline bool operator>(const CString& a, const char* b) {
    return a.Compare(b) > 0;
}
inline bool operator>(const char* a, const CString& b) {
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b) {
    return !(b < a);
}
inline bool operator<=(const CString& a, const char* b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(const char* a, const CString& b) {
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b) {
    return !(a < b);
}
inline bool operator>=(const CString& a, const char* b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(const char* a, const CString& b) {
    return b.Compare(a) <= 0;
}
GEO_API CString operator+(const CString& a, const CString& b);
GEO_API CString operator+(const CString& a, const char* b);
GEO_API CString operator+(const char* a, const CString& b);
GEO_API CString operator+(const CString& a, char ch);

// Writes the Unicode archive form; text that is not valid UTF-8 raises genericException.
GEO_API CArchive& operator<<(CArchive& ar, const CString& s);
// Reads the Unicode form or the narrow (GBK) form; corrupt text raises genericException.
GEO_API CArchive& operator>>(CArchive& ar, CString& s);
