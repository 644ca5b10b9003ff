// Characters of an input, read in chunks, with the line and column of the read position.
#pragma once

#include "place.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace geoio {

// A forward-only view of a stream or a string. Only the unread part of the current chunk is
// held, so a stream of any length is read in bounded memory.
class TextSource {
public:
    // `start` is where the stream's next character lies in the input (after what a caller
    // has already consumed).
    TextSource(std::istream& in, std::string name, Cursor start = {});
    TextSource(std::string_view text, std::string name);

    // Skips blanks and line breaks; the next character, or -1 at the end of the input.
    int peekAfterSpace() {
        while (pos < size) {
            const char c = data[pos];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++pos;
            } else if (c == '\n') {
                newLine();
            } else if (c != '\f' && c != '\v') {
                return static_cast<unsigned char>(c);
            } else {
                ++pos;
            }
        }
        return refill() ? peekAfterSpace() : -1;
    }
    // The next character without consuming it, or -1 at the end.
    int peek() {
        if (pos == size && !refill()) {
            return -1;
        }
        return static_cast<unsigned char>(data[pos]);
    }
    // Consumes one character.
    void advance() {
        if (pos == size && !refill()) {
            return;
        }
        if (data[pos] == '\n') {
            newLine();
        } else {
            ++pos;
        }
    }
    // The characters from here on for which accept is true (never for a line break),
    // consumed; at most limit + 1 of them, so a caller sees that a token is too long. Valid
    // until the next read.
    template <typename Accept>
    std::string_view token(Accept accept, std::size_t limit) {
        std::size_t n = 0;
        for (;;) {
            while (pos + n < size && n <= limit && accept(data[pos + n])) {
                ++n;
            }
            if (pos + n < size || n > limit || !refill()) {
                break;
            }
        }
        std::string_view taken(data + pos, n);
        pos += n;
        return taken;
    }

    // The read position.
    Place here() const;
    const std::string& name() const { return inputName; }

private:
    bool refill();
    void newLine() {
        ++pos;
        ++line;
        lineStart = base + pos;
    }

    std::istream* in = nullptr;
    std::string storage;
    const char* data = nullptr;
    std::size_t pos = 0;
    std::size_t size = 0;
    std::uint64_t base = 0;  // offset of data[0] in the input
    long line = 1;
    std::uint64_t lineStart = 0;  // offset of the first character of the current line
    std::string inputName;
};

}  // namespace geoio
