// Closed height intervals filed by height, to find the intervals that hold one height without
// looking at the others (internal to the toolkit).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace containment_detail {

// Items are filed in bands of equal height, one band per two items or so. An item no taller
// than a few bands is filed in each band it meets; a taller one in the few nodes of a binary
// tree over the bands that together cover its bands, so that no item is filed more than about
// twice the depth of the tree, and a height is looked up in its band and the band's ancestors.
class HeightBands {
public:
    HeightBands() = default;

    // Item k covers the closed interval [lo[k], hi[k]]. Items whose interval is not finite are
    // reported for every height.
    HeightBands(const std::vector<double>& lo, const std::vector<double>& hi) {
        std::vector<uint32_t> filed;
        filed.reserve(lo.size());
        for (size_t k = 0; k < lo.size(); ++k) {
            const bool finite = std::isfinite(lo[k]) && std::isfinite(hi[k]) && lo[k] <= hi[k];
            (finite ? filed : always_).push_back(static_cast<uint32_t>(k));
        }
        if (filed.empty()) {
            return;
        }
        low_ = lo[filed.front()];
        high_ = hi[filed.front()];
        for (uint32_t k : filed) {
            low_ = std::min(low_, lo[k]);
            high_ = std::max(high_, hi[k]);
        }
        chooseBands(filed.size());
        fileItems(lo, hi, filed);
    }

    // Calls visit(k) for every item whose interval holds y, and possibly for a few more whose
    // interval ends near y, then for every item without a finite interval, while visit returns
    // true; returns false when it stopped. A NaN height reaches only the items without a
    // finite interval.
    template <class Visit>
    bool forEachAt(double y, Visit&& visit) const {
        if (y >= low_ && y <= high_) {
            size_t node = bands_ + bandOf(y);
            do {
                for (size_t e = start_[node]; e < start_[node + 1]; ++e) {
                    if (!visit(items_[e])) {
                        return false;
                    }
                }
                node = tall_ ? node / 2 : 0;
            } while (node != 0);
        }
        for (uint32_t k : always_) {
            if (!visit(k)) {
                return false;
            }
        }
        return true;
    }

private:
    // Items meeting at most this many bands are filed in each of them.
    static constexpr size_t kShortSpan = 4;

    // Monotone in y, so an interval's bands are those from its low end's to its high end's.
    size_t bandOf(double y) const {
        return std::min(bands_ - 1, static_cast<size_t>((y - low_) * scale_));
    }

    // A power of two near half the number of items; one band when the heights do not spread.
    void chooseBands(size_t items) {
        bands_ = 1;
        while (bands_ * 4 <= items) {
            bands_ *= 2;
        }
        scale_ = static_cast<double>(bands_) / (high_ - low_);
        if (!std::isfinite(scale_) || !(scale_ > 0.0)) {
            bands_ = 1;
            scale_ = 0.0;
        }
    }

    // Calls add(node) for each tree node the bands first..last are filed in. Node 1 is the
    // root, node i has children 2i and 2i + 1, and band b is node bands_ + b.
    template <class Add>
    void forEachNode(size_t first, size_t last, Add&& add) {
        if (last - first < kShortSpan) {
            for (size_t b = first; b <= last; ++b) {
                add(bands_ + b);
            }
            return;
        }
        tall_ = true;
        for (size_t l = first + bands_, r = last + bands_ + 1; l < r; l /= 2, r /= 2) {
            if (l % 2 == 1) {
                add(l++);
            }
            if (r % 2 == 1) {
                add(--r);
            }
        }
    }

    // Counts, then places, each item in its nodes, in item order within a node.
    void fileItems(const std::vector<double>& lo, const std::vector<double>& hi,
                   const std::vector<uint32_t>& filed) {
        std::vector<std::pair<size_t, size_t>> spans(filed.size());
        start_.assign(2 * bands_ + 1, 0);
        for (size_t i = 0; i < filed.size(); ++i) {
            spans[i] = {bandOf(lo[filed[i]]), bandOf(hi[filed[i]])};
            forEachNode(spans[i].first, spans[i].second, [&](size_t node) { ++start_[node + 1]; });
        }
        for (size_t node = 0; node < 2 * bands_; ++node) {
            start_[node + 1] += start_[node];
        }
        items_.resize(start_[2 * bands_]);
        // Each node's start moves up as it fills, to where the next node starts; the starts
        // are then shifted back by one node.
        for (size_t i = 0; i < filed.size(); ++i) {
            forEachNode(spans[i].first, spans[i].second,
                        [&](size_t node) { items_[start_[node]++] = filed[i]; });
        }
        for (size_t node = 2 * bands_; node > 0; --node) {
            start_[node] = start_[node - 1];
        }
        start_[0] = 0;
    }

    double low_ = 1.0, high_ = 0.0;  // empty until an item is filed
    double scale_ = 0.0;             // bands per unit of height
    size_t bands_ = 1;
    bool tall_ = false;  // some item is filed above the bands
    std::vector<uint32_t> start_;
    std::vector<uint32_t> items_;
    std::vector<uint32_t> always_;
};

}  // namespace containment_detail
