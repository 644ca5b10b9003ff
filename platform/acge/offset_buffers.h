#pragma once
// Working arrays of the trimmed offset engine, whose large blocks are kept for the next call on
// the same thread (internal).

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

namespace trimmed_offset_detail {

// Blocks of at least this many bytes are kept when freed.
constexpr size_t kKeptBlockMin = size_t(1) << 16;
// A thread keeps at most this many bytes, in at most this many blocks: enough for an offset of
// about a hundred thousand vertices, little beside what a host holds.
constexpr size_t kKeptBytesMax = size_t(1) << 26;
constexpr size_t kKeptBlocksMax = 64;
// Sizes of kept blocks step by an eighth of the power of two below them.
constexpr int kSizeStepsPerDoubling = 8;

// Large freed blocks, kept per thread. An offset of many pieces works in tens of megabytes;
// freed, the system takes them back and faults them in again, page by page, on the next call,
// which costs more than the offset itself.
class BlockCache {
public:
    static BlockCache& local() {
        thread_local BlockCache cache;
        return cache;
    }

    BlockCache() = default;
    BlockCache(const BlockCache&) = delete;
    BlockCache& operator=(const BlockCache&) = delete;
    ~BlockCache() {
        for (const Block& b : blocks_) {
            std::free(b.ptr);
        }
    }

    // The size a request of `bytes` is served with: large ones rounded up to a step.
    static size_t sizeFor(size_t bytes) {
        if (bytes < kKeptBlockMin) {
            return bytes;
        }
        size_t power = kKeptBlockMin;
        while (power <= bytes / 2) {
            power *= 2;
        }
        const size_t step = power / kSizeStepsPerDoubling;
        return (bytes + step - 1) / step * step;
    }

    // A block of sizeFor(bytes): a kept one of that size when there is one.
    void* take(size_t bytes) {
        const size_t size = sizeFor(bytes);
        if (size >= kKeptBlockMin) {
            for (size_t k = 0; k < blocks_.size(); ++k) {
                if (blocks_[k].size != size) {
                    continue;
                }
                void* p = blocks_[k].ptr;
                kept_ -= size;
                blocks_[k] = blocks_.back();
                blocks_.pop_back();
                return p;
            }
        }
        void* p = std::malloc(std::max<size_t>(size, 1));
        if (!p) {
            throw std::bad_alloc();
        }
        return p;
    }

    // Returns a block taken for `bytes`.
    void give(void* p, size_t bytes) {
        const size_t size = sizeFor(bytes);
        if (size < kKeptBlockMin || kept_ + size > kKeptBytesMax ||
            blocks_.size() >= kKeptBlocksMax) {
            std::free(p);
            return;
        }
        blocks_.push_back({p, size});
        kept_ += size;
    }

private:
    struct Block {
        void* ptr;
        size_t size;
    };
    std::vector<Block> blocks_;
    size_t kept_ = 0;
};

// Allocator drawing on the thread's BlockCache.
template <class T>
struct Recycled {
    using value_type = T;

    Recycled() = default;
    template <class U>
    Recycled(const Recycled<U>&) {}

    T* allocate(size_t n) {
        if (n > size_t(-1) / sizeof(T)) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(BlockCache::local().take(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) { BlockCache::local().give(p, n * sizeof(T)); }

    template <class U>
    bool operator==(const Recycled<U>&) const {
        return true;
    }
    template <class U>
    bool operator!=(const Recycled<U>&) const {
        return false;
    }
};

// A working array of the engine.
template <class T>
using Buffer = std::vector<T, Recycled<T>>;

}  // namespace trimmed_offset_detail
