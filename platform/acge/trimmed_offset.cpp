// Trimmed offset of planar chains of line and arc pieces.

#include "platform/acge/trimmed_offset.h"

namespace acge_detail {

std::vector<std::vector<OffsetPiece>> trimmedOffset(const std::vector<OffsetPiece>& chain,
                                                    bool closed, double distance, double tol) {
    (void)chain;
    (void)closed;
    (void)distance;
    (void)tol;
    return {};
}

}  // namespace acge_detail
