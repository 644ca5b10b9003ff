// Positions in input text and the error that names one.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace geoio {

// Where something lies in an input: the input's name, the 1-based line and column (0 when
// the input has no position, as a file that cannot be opened), the byte offset, and for
// JSON the pointer to the offending value.
struct Place {
    std::string input;
    long line = 0;
    long column = 0;
    std::uint64_t offset = 0;
    std::string pointer;
};

// A read position: line, and offsets of the position and of its line's first character.
struct Cursor {
    long line = 1;
    std::uint64_t offset = 0;
    std::uint64_t lineStart = 0;

    long column() const { return static_cast<long>(offset - lineStart) + 1; }
};

// Malformed or unusable input: where it is and what was expected there.
class InputError : public std::runtime_error {
public:
    InputError(Place place, const std::string& message);

    const Place& place() const { return where; }
    const std::string& message() const { return text; }

private:
    Place where;
    std::string text;
};

// The input as a whole, with no position in it.
Place WholeInput(std::string input);

// "input:line:column: pointer: message", leaving out the parts the place does not have.
std::string Describe(const Place& place, const std::string& message);

}  // namespace geoio
