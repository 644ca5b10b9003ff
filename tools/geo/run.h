// Running one operation over the inputs: reading, calling the library, writing, exit status.
#pragma once

#include "operations.h"
#include "output.h"

#include <string>
#include <vector>

namespace geotool {

// One command line, parsed.
struct Call {
    const Operation* op = nullptr;
    OpArgs args;
    std::vector<std::string> inputs;  // "-" is standard input
    Format format = Format::Wkt;
    bool timing = false;
};

// Exit statuses: results written, no result, bad input (one line on standard error).
constexpr int kExitOk = 0;
constexpr int kExitNoResult = 1;
constexpr int kExitBadInput = 2;

// Streams every input geometry by geometry through the operation and writes the results to
// standard output; returns the exit status.
int Run(const Call& call);

}  // namespace geotool
