// Feedback on standard error: a progress bar for long runs on a terminal, and timing.
#pragma once

#include <chrono>
#include <cstdint>

namespace geotool {

// A bar on standard error, drawn only when it is a terminal and the run has lasted a second.
class Progress {
public:
    // totalBytes 0: the size is unknown (standard input), only a count is shown.
    explicit Progress(std::uint64_t totalBytes);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // One more geometry done, bytesDone of all inputs read.
    void tick(std::uint64_t bytesDone);

private:
    void draw(std::uint64_t bytesDone);

    std::uint64_t total;
    std::uint64_t count = 0;
    bool terminal;
    bool drawn = false;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastDraw;
};

// Sums the time spent inside the library's calls.
class Stopwatch {
public:
    // Adds the time from construction to destruction.
    class Lap {
    public:
        explicit Lap(Stopwatch& watch) : owner(watch), begin(std::chrono::steady_clock::now()) {}
        ~Lap() { owner.spent += std::chrono::steady_clock::now() - begin; }
        Lap(const Lap&) = delete;
        Lap& operator=(const Lap&) = delete;

    private:
        Stopwatch& owner;
        std::chrono::steady_clock::time_point begin;
    };

    double milliseconds() const { return std::chrono::duration<double, std::milli>(spent).count(); }

private:
    std::chrono::steady_clock::duration spent{};
};

}  // namespace geotool
