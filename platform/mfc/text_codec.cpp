// UTF-8, UTF-16, UTF-32 and GBK conversions for CString.
#include "platform/mfc/text_codec.h"

#include <iconv.h>
#include <vector>

namespace mfc_detail {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Length of the UTF-8 sequence that a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead >> 5) == 0x6) {
        return 2;
    }
    if ((lead >> 4) == 0xE) {
        return 3;
    }
    if ((lead >> 3) == 0x1E) {
        return 4;
    }
    return 0;
}

// Decodes one UTF-8 sequence at in[i]; false when it is malformed, overlong or a surrogate.
bool DecodeUtf8(const std::string& in, size_t& i, char32_t& cp) {
    static const char32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned char lead = static_cast<unsigned char>(in[i]);
    size_t len = static_cast<size_t>(SequenceLength(lead));
    if (len == 0 || in.size() - i < len) {
        return false;
    }
    cp = len == 1 ? lead : lead & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        unsigned char c = static_cast<unsigned char>(in[i + k]);
        if ((c & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < kMinForLength[len] || cp > kMaxCodePoint || IsSurrogate(cp)) {
        return false;
    }
    i += len;
    return true;
}

void AppendUtf16(char32_t cp, std::u16string& out) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsAscii(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool Utf8ToUtf16(const std::string& in, std::u16string& out) {
    out.clear();
    out.reserve(in.size());
    for (size_t i = 0; i < in.size();) {
        char32_t cp = 0;
        if (!DecodeUtf8(in, i, cp)) {
            return false;
        }
        AppendUtf16(cp, out);
    }
    return true;
}

std::u16string Utf8ToUtf16Lenient(const std::string& in) {
    std::u16string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size();) {
        char32_t cp = 0;
        if (DecodeUtf8(in, i, cp)) {
            AppendUtf16(cp, out);
        } else {
            out.push_back(static_cast<unsigned char>(in[i]));
            ++i;
        }
    }
    return out;
}

bool Utf16ToUtf8(const std::u16string& in, std::string& out) {
    out.clear();
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        char32_t unit = in[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == in.size() || in[i + 1] < 0xDC00 || in[i + 1] > 0xDFFF) {
                return false;
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(unit, out);
    }
    return true;
}

std::string Utf32ToUtf8(const wchar_t* in) {
    std::string out;
    if (in == nullptr) {
        return out;
    }
    for (; *in != 0; ++in) {
        char32_t cp = static_cast<char32_t>(*in);
        if (cp > kMaxCodePoint || IsSurrogate(cp)) {
            cp = kReplacement;
        }
        AppendUtf8(cp, out);
    }
    return out;
}

bool GbkToUtf8(const std::string& in, std::string& out) {
    if (IsAscii(in)) {
        out = in;
        return true;
    }
    // glibc's CP936 is the Windows code page, including 0x80 for the euro sign.
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::vector<char> src(in.begin(), in.end());
    // Every GBK character yields at most three UTF-8 bytes per input byte (0x80 is the euro).
    std::vector<char> dst(in.size() * 3 + 4);
    char* inPtr = src.data();
    size_t inLeft = src.size();
    char* outPtr = dst.data();
    size_t outLeft = dst.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    bool ok = rc != static_cast<size_t>(-1) && inLeft == 0;
    // A sequence cut off at the end of the input is invalid too.
    if (ok) {
        ok = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    }
    iconv_close(cd);
    if (!ok) {
        return false;
    }
    out.assign(dst.data(), dst.size() - outLeft);
    return true;
}

}  // namespace mfc_detail
