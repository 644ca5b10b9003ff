// The archive form of CString: MFC's Unicode form on writing, Unicode or narrow GBK on reading.
#include <geo/mfc/archive.h>
#include <geo/mfc/cstring.h>
#include <geo/mfc/exceptions.h>

#include "platform/mfc/text_codec.h"

namespace {

constexpr BYTE kByteEscape = 0xFF;
constexpr WORD kUnicodeMarker = 0xFFFE;
constexpr WORD kWordEscape = 0xFFFF;
constexpr DWORD kDwordEscape = 0xFFFFFFFF;

// Writes a length with the BYTE / WORD / DWORD / ULONGLONG escalation.
void WriteStringLength(CArchive& ar, ULONGLONG nLength) {
    if (nLength < kByteEscape) {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << kByteEscape;
    if (nLength < kUnicodeMarker) {
        ar << static_cast<WORD>(nLength);
        return;
    }
    ar << kWordEscape;
    if (nLength < kDwordEscape) {
        ar << static_cast<DWORD>(nLength);
        return;
    }
    ar << kDwordEscape << static_cast<ULONGLONG>(nLength);
}

// The length part after an escape byte has been read and any Unicode marker consumed.
ULONGLONG ReadLengthAfterWord(CArchive& ar, WORD wLength) {
    if (wLength != kWordEscape) {
        return wLength;
    }
    DWORD dwLength = 0;
    ar >> dwLength;
    if (dwLength != kDwordEscape) {
        return dwLength;
    }
    ULONGLONG qwLength = 0;
    ar >> qwLength;
    return qwLength;
}

// Reads a length and reports whether the string's characters are UTF-16 units.
ULONGLONG ReadStringLength(CArchive& ar, bool& bUnicode) {
    bUnicode = false;
    BYTE bLength = 0;
    ar >> bLength;
    if (bLength < kByteEscape) {
        return bLength;
    }
    WORD wLength = 0;
    ar >> wLength;
    if (wLength == kUnicodeMarker) {
        bUnicode = true;
        ar >> bLength;
        if (bLength < kByteEscape) {
            return bLength;
        }
        ar >> wLength;
    }
    return ReadLengthAfterWord(ar, wLength);
}

std::string ReadUnicodeText(CArchive& ar, ULONGLONG nUnits) {
    ar.EnsureAvailable(nUnits, sizeof(WORD));
    std::u16string units(static_cast<size_t>(nUnits), u'\0');
    for (char16_t& unit : units) {
        WORD w = 0;
        ar >> w;
        unit = w;
    }
    std::string text;
    if (!mfc_detail::Utf16ToUtf8(units, text)) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    return text;
}

std::string ReadNarrowText(CArchive& ar, ULONGLONG nBytes) {
    ar.EnsureAvailable(nBytes);
    std::string bytes(static_cast<size_t>(nBytes), '\0');
    ar.ReadExact(&bytes[0], nBytes);
    std::string text;
    if (!mfc_detail::GbkToUtf8(bytes, text)) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    return text;
}

}  // namespace

CArchive& operator<<(CArchive& ar, const CString& s) {
    if (!ar.IsStoring()) {
        AfxThrowArchiveException(CArchiveException::readOnly);
    }
    std::u16string units;
    if (!mfc_detail::Utf8ToUtf16(s.str(), units)) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    ar << kByteEscape << kUnicodeMarker;
    WriteStringLength(ar, units.size());
    for (char16_t unit : units) {
        ar << static_cast<WORD>(unit);
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& s) {
    if (ar.IsStoring()) {
        AfxThrowArchiveException(CArchiveException::writeOnly);
    }
    bool bUnicode = false;
    ULONGLONG nLength = ReadStringLength(ar, bUnicode);
    std::string text = bUnicode ? ReadUnicodeText(ar, nLength) : ReadNarrowText(ar, nLength);
    s = CString(text);
    return ar;
}
