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
    int peekAfterSpace();
    // The next character without consuming it, or -1 at the end.
    int peek();
    // Consumes one character.
    void advance();
    // The characters from here on for which accept is true, consumed; at most limit + 1 of
    // them, so a caller sees that a token is too long. Valid until the next read.
    std::string_view token(bool (*accept)(char), std::size_t limit);

    // The read position.
    Place here() const;
    const std::string& name() const { return inputName; }

private:
    bool refill();

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
