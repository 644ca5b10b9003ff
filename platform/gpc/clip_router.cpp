// Chooses the clipping engine for each call.
#include "platform/gpc/clip_engine.h"

namespace gpc_detail {
namespace {

long vertexCount(const std::vector<RingView>& rings) {
    long n = 0;
    for (const RingView& r : rings) {
        n += r.count;
    }
    return n;
}

}  // namespace

std::vector<ResultContour> clipEvenOdd(ClipOp op, const std::vector<RingView>& subject,
                                       const std::vector<RingView>& clip) {
    std::vector<ResultContour> out;
    if (vertexCount(subject) + vertexCount(clip) >= kOverlayMinVertices &&
        (clipWithOverlay(op, subject, clip, out) || clipWithSplitting(op, subject, clip, out))) {
        return out;
    }
    return clipWithClipper(op, subject, clip);
}

}  // namespace gpc_detail
