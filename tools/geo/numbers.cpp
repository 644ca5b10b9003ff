#include "numbers.h"

#include <charconv>
#include <cmath>

namespace geoio {
namespace {

// More decimals than a double can carry change nothing but the length of the text.
constexpr int kMaxDecimals = 17;

// Drops the zeros after the decimal point, and the point itself when nothing follows it.
char* TrimFraction(char* begin, char* end) {
    char* dot = begin;
    while (dot != end && *dot != '.') {
        ++dot;
    }
    if (dot == end) {
        return end;
    }
    while (end[-1] == '0') {
        --end;
    }
    return end[-1] == '.' ? end - 1 : end;
}

}  // namespace

char* WriteNumber(char* out, double v, const NumberFormat& format) {
    char* const limit = out + kMaxNumberText;
    if (format.decimals < 0) {
        return std::to_chars(out, limit, v + 0.0).ptr;
    }
    const int decimals = format.decimals < kMaxDecimals ? format.decimals : kMaxDecimals;
    char* end =
        TrimFraction(out, std::to_chars(out, limit, v, std::chars_format::fixed, decimals).ptr);
    // A value rounded to zero keeps no sign.
    if (end - out == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        end = out + 1;
    }
    return end;
}

void AppendNumber(std::string& out, double v, const NumberFormat& format) {
    char buffer[kMaxNumberText];
    out.append(buffer, WriteNumber(buffer, v, format));
}

bool ParseFiniteNumber(std::string_view text, double& v) {
    const char* end = text.data() + text.size();
    const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    if (begin != text.data() && begin != end && *begin == '-') {
        return false;
    }
    const auto [stop, ec] = std::from_chars(begin, end, v);
    return ec == std::errc() && stop == end && begin != end && std::isfinite(v);
}

std::string FormatNumber(double v, const NumberFormat& format) {
    std::string out;
    AppendNumber(out, v, format);
    return out;
}

}  // namespace geoio
