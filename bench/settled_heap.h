#pragma once
// Settles the C allocator before timing, so that no benchmark pays for the heap's warm-up.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace bench_support {

// A long-running host's heap has long settled; a fresh process's has not: glibc serves large
// blocks by mapping fresh pages, and hands the top of the heap back to the system after large
// frees, until one large block has come and gone. Whichever benchmark ran first would pay for that
// on every call. One block of this size, touched and freed, settles it for every engine alike.
constexpr std::size_t kSettlingBlockBytes = 30u << 20;

inline bool settleHeap() {
    std::vector<char> block(kSettlingBlockBytes);
    benchmark::DoNotOptimize(block.data());
    return true;
}

}  // namespace bench_support
