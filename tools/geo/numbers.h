// Numbers as text: writing coordinates and values, and reading them back.
#pragma once

#include <string>
#include <string_view>

namespace geoio {

// How numbers are written: the shortest text that reads back as the same double, or with
// `decimals` digits after the point (trailing zeros dropped) when decimals >= 0.
struct NumberFormat {
    int decimals = -1;
};

// Room for a coordinate's text: up to 24 characters per number and a separator.
constexpr std::size_t kCoordinateText = 3 * 25;

// The longest text WriteNumber writes.
constexpr std::size_t kMaxNumberText = 400;

// Writes v at out, which has room for kMaxNumberText characters; the end of the text.
char* WriteNumber(char* out, double v, const NumberFormat& format);

// Appends v; negative zero is written as 0.
void AppendNumber(std::string& out, double v, const NumberFormat& format);

// v as text.
std::string FormatNumber(double v, const NumberFormat& format);

namespace numbers_detail {
// Which bytes IsNumberChar accepts.
struct NumberChars {
    bool accepts[256] = {};
    constexpr NumberChars() {
        for (int c = 0; c < 256; ++c) {
            accepts[c] = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' ||
                         (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        }
    }
};
inline constexpr NumberChars kNumberChars{};
}  // namespace numbers_detail

// Characters a number may be made of, with the letters of the words it might be mistaken for
// (NaN, inf), so that such a word is read whole and refused.
inline bool IsNumberChar(char c) {
    return numbers_detail::kNumberChars.accepts[static_cast<unsigned char>(c)];
}

// Reads text (an optional sign, digits, point, exponent) as a finite double; false for
// anything else, including NaN, infinities and values out of range.
bool ParseFiniteNumber(std::string_view text, double& v);

}  // namespace geoio
