// What every fuzz target shares: turning fuzz bytes into numbers and point lists, failing
// loudly on a broken post-condition, and the contract of an archive reader.
#pragma once

#include <geo/mfc/archive.h>
#include <geo/mfc/exceptions.h>
#include <geo/point3d.h>

#include "foundation/numeric.h"
#include "support/archive_io.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// Stops the run with the input that broke a post-condition, so libFuzzer keeps it.
#define FUZZ_CHECK(cond, what)                                                               \
    do {                                                                                     \
        if (!(cond)) {                                                                       \
            std::fprintf(stderr, "post-condition broken at %s:%d: %s\n", __FILE__, __LINE__, \
                         what);                                                              \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)

namespace fuzz {

using test_support::Bytes;

// Consumes the fuzz bytes front to back; once they run out every value is zero.
class Decoder {
public:
    Decoder(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    bool flag() { return (byte() & 1) != 0; }
    // A whole number in [0, limit].
    int upTo(int limit) { return limit <= 0 ? 0 : byte() % (limit + 1); }

    // Mostly small multiples of 1/4, where coincidences and collinear runs are common, now
    // and then a raw double (any value, NaN and infinities included).
    double real() {
        const std::uint8_t tag = byte();
        if ((tag & 0xE0) != 0xE0) {
            return static_cast<std::int8_t>(byte()) / 4.0;
        }
        double d = 0.0;
        std::uint8_t raw[sizeof d] = {};
        for (std::uint8_t& b : raw) {
            b = byte();
        }
        std::memcpy(&d, raw, sizeof d);
        return d;
    }
    // A small positive tolerance or step: 10^-k for k in 0..9.
    double tolerance() {
        double tol = 1.0;
        for (int k = upTo(9); k > 0; --k) {
            tol /= 10.0;
        }
        return tol;
    }
    CPoint3d point() {
        const double x = real(), y = real();
        return CPoint3d(x, y, flag() ? real() : 0.0);
    }
    // Up to maxCount points; a prefix byte gives the count.
    std::vector<CPoint3d> points(int maxCount) {
        std::vector<CPoint3d> pts(static_cast<size_t>(upTo(maxCount)));
        for (CPoint3d& p : pts) {
            p = point();
        }
        return pts;
    }
    // The bytes not consumed yet.
    Bytes rest() {
        Bytes out(data_ + (empty() ? size_ : pos_), data_ + size_);
        pos_ = size_;
        return out;
    }

private:
    const std::uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

inline bool AllFinite(const std::vector<CPoint3d>& pts) {
    for (const CPoint3d& p : pts) {
        if (!geo_detail::isFiniteXYZ(p)) {
            return false;
        }
    }
    return true;
}

// Every coordinate finite and at most `limit` in magnitude.
inline bool AllWithin(const std::vector<CPoint3d>& pts, double limit) {
    for (const CPoint3d& p : pts) {
        if (!(std::fabs(p.x) <= limit && std::fabs(p.y) <= limit && std::fabs(p.z) <= limit)) {
            return false;
        }
    }
    return true;
}

inline bool AllFinite(const std::vector<std::vector<CPoint3d>>& lists) {
    for (const auto& pts : lists) {
        if (!AllFinite(pts)) {
            return false;
        }
    }
    return true;
}

// Reading `bytes` with `serialize` into `obj`: true when it succeeded, false when it raised
// CArchiveException (any other exception escapes and fails the run).
template <class T, class Serialize>
bool TryRead(const Bytes& bytes, T& obj, Serialize serialize) {
    try {
        test_support::LoadBytes(bytes, [&](CArchive& ar) { serialize(ar, obj); });
        return true;
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
}

template <class T, class Serialize>
Bytes Store(T& obj, Serialize serialize) {
    return test_support::StoreBytes([&](CArchive& ar) { serialize(ar, obj); });
}

// The contract of an archive reader. A read that fails raises CArchiveException and leaves
// the object as it was. After a read that succeeds, storing, reading that back and storing
// again gives the same bytes; a map re-read lists keys of one bucket in reverse (each entry
// goes to its bucket's head), so where one is part of the record (`period` 2) the bytes
// repeat every second round trip. A default record cut one byte short, read over the object
// read, fails at its very end and still leaves that object unchanged.
template <class Make, class Serialize>
void CheckReader(const Bytes& input, Make make, Serialize serialize, int period = 1) {
    auto obj = make();
    const Bytes before = Store(*obj, serialize);
    if (!TryRead(input, *obj, serialize)) {
        FUZZ_CHECK(Store(*obj, serialize) == before, "a failed read changed the object");
        return;
    }
    const Bytes first = Store(*obj, serialize);
    Bytes again = first;
    for (int trip = 0; trip < period; ++trip) {
        auto copy = make();
        FUZZ_CHECK(TryRead(again, *copy, serialize), "stored bytes do not read back");
        again = Store(*copy, serialize);
    }
    FUZZ_CHECK(again == first, "a stored record reads back differently");
    Bytes cut = Store(*make(), serialize);
    cut.pop_back();
    FUZZ_CHECK(!TryRead(cut, *obj, serialize), "a record cut short was read");
    FUZZ_CHECK(Store(*obj, serialize) == first, "a failed read changed a read object");
}

}  // namespace fuzz
