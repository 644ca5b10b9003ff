#pragma once
// Trimmed offset of planar chains of line and arc pieces (internal to the AcGe stand-in).

#include <cmath>
#include <vector>

namespace acge_detail {

// One piece of a chain: a straight segment (bulge 0) or a circular arc whose bulge is
// tan(sweep/4), positive when the arc runs counter-clockwise.
struct OffsetPiece {
    double sx, sy, ex, ey, bulge;
};

// True when both ends and the bulge of the piece are finite.
inline bool isFinitePiece(const OffsetPiece& p) {
    return std::isfinite(p.sx) && std::isfinite(p.sy) && std::isfinite(p.ex) &&
           std::isfinite(p.ey) && std::isfinite(p.bulge);
}

// Offsets a chain of pieces; `closed` when the chain's last end is its first start.
// Positive distance = left of travel. Loops of the raw offset that come closer to the chain
// than |distance| are cut away; each returned chain is one connected result curve (closed ones
// end where they start), pieces in the original's order. Non-finite input gives no result.
std::vector<std::vector<OffsetPiece>> trimmedOffset(const std::vector<OffsetPiece>& chain,
                                                    bool closed, double distance, double tol);

}  // namespace acge_detail
