#include "progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace geotool {
namespace {

// The bar waits this long before it shows, and is redrawn at most this often.
constexpr std::chrono::milliseconds kFirstDraw(1000);
constexpr std::chrono::milliseconds kRedraw(100);
constexpr int kBarWidth = 30;

}  // namespace

Progress::Progress(std::uint64_t totalBytes)
    : total(totalBytes),
      terminal(isatty(STDERR_FILENO) == 1),
      start(std::chrono::steady_clock::now()),
      lastDraw(start) {}

Progress::~Progress() {
    if (drawn) {
        std::fprintf(stderr, "\r%*s\r", kBarWidth + 40, "");
    }
}

void Progress::tick(std::uint64_t bytesDone) {
    ++count;
    if (!terminal) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - start >= kFirstDraw && now - lastDraw >= kRedraw) {
        lastDraw = now;
        draw(bytesDone);
    }
}

void Progress::draw(std::uint64_t bytesDone) {
    drawn = true;
    if (total == 0) {
        std::fprintf(stderr, "\r%llu geometries", static_cast<unsigned long long>(count));
        return;
    }
    const double share = bytesDone >= total ? 1.0 : static_cast<double>(bytesDone) / total;
    const int filled = static_cast<int>(share * kBarWidth);
    std::fprintf(stderr, "\r[%s%s] %3d%% %llu geometries", std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), static_cast<int>(share * 100),
                 static_cast<unsigned long long>(count));
    std::fflush(stderr);
}

}  // namespace geotool
