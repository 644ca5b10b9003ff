#include "csv_grid.h"

#include "numbers.h"

#include <string>

namespace geoio {
namespace {

// Longest value accepted.
constexpr std::size_t kMaxNumber = 256;

// Skips blanks other than line breaks; the next character or -1.
int PeekInLine(TextSource& src) {
    int c = src.peek();
    while (c == ' ' || c == '\t' || c == '\r') {
        src.advance();
        c = src.peek();
    }
    return c;
}

double Value(TextSource& src) {
    PeekInLine(src);
    const Place at = src.here();
    const std::string_view text = src.token(IsNumberChar, kMaxNumber);
    double v = 0;
    if (!ParseFiniteNumber(text, v)) {
        throw InputError(at, text.empty() ? "expected a number"
                                          : "expected a finite number, found '" +
                                                std::string(text.substr(0, 32)) + "'");
    }
    return v;
}

// The values of one line, which has at least one character that is not a blank.
std::vector<double> Row(TextSource& src) {
    std::vector<double> row;
    for (;;) {
        row.push_back(Value(src));
        const int c = PeekInLine(src);
        if (c == '\n' || c == -1) {
            return row;
        }
        if (c != ',') {
            throw InputError(src.here(), "expected ',' or the end of the line");
        }
        src.advance();
    }
}

}  // namespace

Grid ReadGrid(TextSource& src) {
    Grid grid;
    for (int c = PeekInLine(src); c != -1; c = PeekInLine(src)) {
        if (c == '\n') {
            src.advance();
            continue;
        }
        const Place at = src.here();
        grid.rows.push_back(Row(src));
        const std::size_t n = grid.rows.back().size(), first = grid.rows.front().size();
        if (n != first) {
            throw InputError(at, "expected " + std::to_string(first) +
                                     " values as in the first row, found " + std::to_string(n));
        }
    }
    if (grid.rows.size() < 2 || grid.rows.front().size() < 2) {
        throw InputError(src.here(), "a grid needs at least 2 rows and 2 columns");
    }
    return grid;
}

}  // namespace geoio
