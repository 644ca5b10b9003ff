#include "numbers.h"

#include <charconv>
#include <cmath>

namespace geoio {
namespace {

// Enough for any double in shortest or fixed form up to the largest precision accepted.
constexpr int kBufferSize = 400;
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

void AppendNumber(std::string& out, double v, const NumberFormat& format) {
    char buffer[kBufferSize];
    char* end;
    if (format.decimals < 0) {
        end = std::to_chars(buffer, buffer + kBufferSize, v + 0.0).ptr;
    } else {
        const int decimals = format.decimals < kMaxDecimals ? format.decimals : kMaxDecimals;
        end =
            std::to_chars(buffer, buffer + kBufferSize, v, std::chars_format::fixed, decimals).ptr;
        end = TrimFraction(buffer, end);
        // A value rounded to zero keeps no sign.
        if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0') {
            buffer[0] = '0';
            end = buffer + 1;
        }
    }
    out.append(buffer, end);
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
