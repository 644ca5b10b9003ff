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
// than a few bands is filed in each band it meets. A taller one is filed once, at the node of a
// binary tree over the bands where its first and last band part, in two lists there: by first
// band rising and by last band falling. A height is looked up in its band, then at the band's
// ancestors, each read only as far as its items reach the band from the side the band lies on.
// Filing takes linear room, and a lookup visits exactly the items whose bands hold the height's.
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
            const size_t band = bandOf(y);
            for (size_t e = shortStart_[band]; e < shortStart_[band + 1]; ++e) {
                if (!visit(short_[e])) {
                    return false;
                }
            }
            if (!byFirst_.empty() && !visitTall(band, visit)) {
                return false;
            }
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

    // A tall item at its node, with the band that bounds it on one side.
    struct TallEntry {
        uint32_t band, item;
    };

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

    // The tree node where bands first < last part. Node 1 is the root, node i has children 2i
    // and 2i + 1, and band b is node bands_ + b.
    size_t partingNode(size_t first, size_t last) const {
        size_t l = first + bands_, r = last + bands_;
        while (l != r) {
            l /= 2;
            r /= 2;
        }
        return l;
    }

    // The tall items of the band's ancestors whose bands reach the band.
    template <class Visit>
    bool visitTall(size_t band, Visit&& visit) const {
        for (size_t child = bands_ + band; child > 1; child /= 2) {
            const size_t node = child / 2;
            const uint32_t b = static_cast<uint32_t>(band);
            const bool right = child % 2 == 1;  // items here end right of the left half
            for (size_t e = tallStart_[node]; e < tallStart_[node + 1]; ++e) {
                const TallEntry& t = right ? byLast_[e] : byFirst_[e];
                if (right ? t.band < b : t.band > b) {
                    break;
                }
                if (!visit(t.item)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Counts, then places, each item in its bands or at its node, in item order; then orders
    // each node's two lists.
    void fileItems(const std::vector<double>& lo, const std::vector<double>& hi,
                   const std::vector<uint32_t>& filed) {
        std::vector<std::pair<uint32_t, uint32_t>> spans(filed.size());
        shortStart_.assign(bands_ + 1, 0);
        tallStart_.assign(bands_ + 1, 0);
        for (size_t i = 0; i < filed.size(); ++i) {
            const size_t first = bandOf(lo[filed[i]]), last = bandOf(hi[filed[i]]);
            spans[i] = {static_cast<uint32_t>(first), static_cast<uint32_t>(last)};
            if (last - first < kShortSpan) {
                for (size_t b = first; b <= last; ++b) {
                    ++shortStart_[b + 1];
                }
            } else {
                ++tallStart_[partingNode(first, last) + 1];
            }
        }
        for (size_t k = 0; k < bands_; ++k) {
            shortStart_[k + 1] += shortStart_[k];
            tallStart_[k + 1] += tallStart_[k];
        }
        short_.resize(shortStart_[bands_]);
        byFirst_.resize(tallStart_[bands_]);
        // Each start moves up as its list fills, to where the next list starts; the starts are
        // then shifted back by one.
        for (size_t i = 0; i < filed.size(); ++i) {
            const uint32_t first = spans[i].first, last = spans[i].second;
            if (last - first < kShortSpan) {
                for (size_t b = first; b <= last; ++b) {
                    short_[shortStart_[b]++] = filed[i];
                }
            } else {
                byFirst_[tallStart_[partingNode(first, last)]++] = {first,
                                                                    static_cast<uint32_t>(i)};
            }
        }
        for (size_t k = bands_; k > 0; --k) {
            shortStart_[k] = shortStart_[k - 1];
            tallStart_[k] = tallStart_[k - 1];
        }
        shortStart_[0] = 0;
        tallStart_[0] = 0;
        orderTallLists(spans, filed);
    }

    // byFirst_ holds each node's items, as positions in `filed`, with their first band; names
    // the items, sorts them by that band rising, and builds byLast_, each node's items by last
    // band falling.
    void orderTallLists(const std::vector<std::pair<uint32_t, uint32_t>>& spans,
                        const std::vector<uint32_t>& filed) {
        if (byFirst_.empty()) {
            return;
        }
        byLast_.resize(byFirst_.size());
        for (size_t e = 0; e < byFirst_.size(); ++e) {
            const uint32_t i = byFirst_[e].item;
            byFirst_[e].item = filed[i];
            byLast_[e] = {spans[i].second, filed[i]};
        }
        auto rising = [](const TallEntry& a, const TallEntry& b) {
            return a.band != b.band ? a.band < b.band : a.item < b.item;
        };
        auto falling = [](const TallEntry& a, const TallEntry& b) {
            return a.band != b.band ? a.band > b.band : a.item < b.item;
        };
        for (size_t node = 1; node < bands_; ++node) {
            const size_t begin = tallStart_[node], end = tallStart_[node + 1];
            std::sort(byFirst_.begin() + begin, byFirst_.begin() + end, rising);
            std::sort(byLast_.begin() + begin, byLast_.begin() + end, falling);
        }
    }

    double low_ = 1.0, high_ = 0.0;  // empty until an item is filed
    double scale_ = 0.0;             // bands per unit of height
    size_t bands_ = 1;
    std::vector<uint32_t> shortStart_, short_;  // per band, the short items meeting it
    std::vector<uint32_t> tallStart_;           // per tree node, its tall items
    std::vector<TallEntry> byFirst_, byLast_;
    std::vector<uint32_t> always_;
};

}  // namespace containment_detail
