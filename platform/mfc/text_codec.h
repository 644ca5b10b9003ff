// Conversions between the text encodings that CString meets: UTF-8, UTF-16, UTF-32 and GBK.
#pragma once

#include <string>

namespace mfc_detail {

// Strict UTF-8 to UTF-16; false on any malformed, overlong or surrogate sequence.
bool Utf8ToUtf16(const std::string& in, std::u16string& out);

// UTF-8 to UTF-16 code units where malformed bytes stand for themselves, one unit each.
std::u16string Utf8ToUtf16Lenient(const std::string& in);

// Strict UTF-16 to UTF-8; false on an unpaired surrogate.
bool Utf16ToUtf8(const std::u16string& in, std::string& out);

// Code points to UTF-8; surrogates and values past U+10FFFF become U+FFFD.
std::string Utf32ToUtf8(const wchar_t* in);

// GBK (the Windows code page 936) to UTF-8; false on bytes that are not valid GBK.
bool GbkToUtf8(const std::string& in, std::string& out);

}  // namespace mfc_detail
