// CString members: construction, comparison, formatting, search and trimming.
#include <geo/mfc/cstring.h>
#include <geo/mfc/exceptions.h>

#include "platform/mfc/text_codec.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Sign of a three-way comparison, as -1, 0 or 1.
int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Formats with a va_list into a std::string.
std::string VFormat(const char* pszFormat, va_list args) {
    if (pszFormat == nullptr) {
        AfxThrowInvalidArgException();
    }
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        AfxThrowInvalidArgException();
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), pszFormat, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

// Clamps a start index and count to the string, as MFC does.
void ClampRange(int size, int& iFirst, int& nCount) {
    iFirst = std::max(iFirst, 0);
    nCount = std::max(nCount, 0);
    if (iFirst > size) {
        iFirst = size;
    }
    if (nCount > size - iFirst) {
        nCount = size - iFirst;
    }
}

}  // namespace

CString::CString(const char* psz) : m_str(psz == nullptr ? "" : psz) {}

CString::CString(const char* pch, int nLength) {
    if (pch != nullptr && nLength > 0) {
        m_str.assign(pch, static_cast<size_t>(nLength));
    }
}

CString::CString(char ch, int nRepeat) {
    if (nRepeat > 0) {
        m_str.assign(static_cast<size_t>(nRepeat), ch);
    }
}

CString::CString(const wchar_t* psz) : m_str(mfc_detail::Utf32ToUtf8(psz)) {}

CString& CString::operator=(const char* psz) {
    m_str = psz == nullptr ? "" : psz;
    return *this;
}

char CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetLength()) {
        AfxThrowInvalidArgException();
    }
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex < 0 || nIndex >= GetLength()) {
        AfxThrowInvalidArgException();
    }
    m_str[static_cast<size_t>(nIndex)] = ch;
}

int CString::Compare(const char* psz) const {
    return Sign(m_str.compare(psz == nullptr ? "" : psz));
}

int CString::CompareNoCase(const char* psz) const {
    const char* other = psz == nullptr ? "" : psz;
    size_t n = std::strlen(other);
    for (size_t i = 0;; ++i) {
        if (i == m_str.size() || i == n) {
            return Sign(static_cast<int>(i < m_str.size()) - static_cast<int>(i < n));
        }
        unsigned char a = static_cast<unsigned char>(AsciiLower(m_str[i]));
        unsigned char b = static_cast<unsigned char>(AsciiLower(other[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
}

CString& CString::operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz) {
    if (psz != nullptr) {
        m_str += psz;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    try {
        m_str = VFormat(pszFormat, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    try {
        m_str += VFormat(pszFormat, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

CString& CString::MakeUpper() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Find(const char* pszSub, int iStart) const {
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength()) {
        return -1;
    }
    size_t pos = m_str.find(pszSub, static_cast<size_t>(iStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength()) {
        return -1;
    }
    size_t pos = m_str.find(ch, static_cast<size_t>(iStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    if (pszOld == nullptr || *pszOld == '\0') {
        return 0;
    }
    std::string replacement = pszNew == nullptr ? "" : pszNew;
    size_t oldLen = std::strlen(pszOld);
    int count = 0;
    for (size_t pos = m_str.find(pszOld); pos != std::string::npos;
         pos = m_str.find(pszOld, pos + replacement.size())) {
        m_str.replace(pos, oldLen, replacement);
        ++count;
    }
    return count;
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Mid(int iFirst) const {
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const {
    ClampRange(GetLength(), iFirst, nCount);
    return CString(m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<size_t>(nCount)));
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i])) {
        ++i;
    }
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1])) {
        --n;
    }
    m_str.resize(n);
    return *this;
}

CString& CString::Trim(char chTarget) {
    size_t first = m_str.find_first_not_of(chTarget);
    if (first == std::string::npos) {
        m_str.clear();
        return *this;
    }
    size_t last = m_str.find_last_not_of(chTarget);
    m_str = m_str.substr(first, last - first + 1);
    return *this;
}

bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
bool operator==(const char* a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
bool operator!=(const CString& a, const char* b) {
    return !(a == b);
}
bool operator!=(const char* a, const CString& b) {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) {
    return a.str() < b.str();
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.str() + b.str());
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char ch) {
    CString result(a);
    result += ch;
    return result;
}
