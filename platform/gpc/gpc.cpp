// GPC's functions and memory rules over the clipping and tessellation engines.
#include <geo/gpc.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/gpc/clip_engine.h"
#include "platform/numeric.h"

namespace gpc {
namespace {

using gpc_detail::ResultContour;
using gpc_detail::RingView;

// A contour the engines can read: 3 or more vertices, all coordinates finite.
bool isUsableRing(const RingView& r) {
    if (r.count < 3 || r.pts == nullptr) {
        return false;
    }
    for (int i = 0; i < r.count; ++i) {
        if (!platform_detail::isFiniteXY(r.pts[i])) {
            return false;
        }
    }
    return true;
}

// The usable rings among `rings`.
std::vector<RingView> usableRings(const std::vector<RingView>& rings) {
    std::vector<RingView> usable;
    usable.reserve(rings.size());
    for (const RingView& r : rings) {
        if (isUsableRing(r)) {
            usable.push_back(r);
        }
    }
    return usable;
}

// Borrowed views of the usable contours of a polygon (none for a null or empty polygon).
std::vector<RingView> ringsOf(const gpc_polygon* p) {
    std::vector<RingView> rings;
    if (p == nullptr || p->contour == nullptr || p->num_contours <= 0) {
        return rings;
    }
    rings.reserve(static_cast<std::size_t>(p->num_contours));
    for (int i = 0; i < p->num_contours; ++i) {
        const RingView r{p->contour[i].vertex, p->contour[i].num_vertices};
        if (isUsableRing(r)) {
            rings.push_back(r);
        }
    }
    return rings;
}

bool isKnownOp(gpc_op op) {
    return op >= GPC_DIFF && op <= GPC_UNION;
}

gpc_detail::ClipOp toClipOp(gpc_op op) {
    switch (op) {
        case GPC_DIFF:
            return gpc_detail::ClipOp::kDifference;
        case GPC_INT:
            return gpc_detail::ClipOp::kIntersection;
        case GPC_XOR:
            return gpc_detail::ClipOp::kXor;
        case GPC_UNION:
            break;
    }
    return gpc_detail::ClipOp::kUnion;
}

// A malloc'd copy of n vertices; null when n is 0 or memory runs out.
gpc_vertex* copyVertices(const gpc_vertex* src, std::size_t n) {
    if (n == 0) {
        return nullptr;
    }
    auto* dst = static_cast<gpc_vertex*>(std::malloc(n * sizeof(gpc_vertex)));
    if (dst != nullptr) {
        std::memcpy(dst, src, n * sizeof(gpc_vertex));
    }
    return dst;
}

// Fills an empty polygon with the engine's contours; stays empty when memory runs out.
void storeContours(const std::vector<ResultContour>& contours, gpc_polygon* out) {
    *out = gpc_polygon{0, nullptr, nullptr};
    if (contours.empty() || contours.size() > static_cast<std::size_t>(INT_MAX)) {
        return;
    }
    std::size_t n = contours.size();
    out->hole = static_cast<int*>(std::malloc(n * sizeof(int)));
    out->contour = static_cast<gpc_vertex_list*>(std::calloc(n, sizeof(gpc_vertex_list)));
    if (out->hole == nullptr || out->contour == nullptr) {
        gpc_free_polygon(out);
        return;
    }
    out->num_contours = static_cast<int>(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::vector<gpc_vertex>& pts = contours[i].pts;
        out->hole[i] = contours[i].hole ? 1 : 0;
        out->contour[i].vertex = copyVertices(pts.data(), pts.size());
        if (out->contour[i].vertex == nullptr) {
            gpc_free_polygon(out);
            return;
        }
        out->contour[i].num_vertices = static_cast<int>(pts.size());
    }
}

// Fills an empty tristrip with one three-vertex strip per triangle.
void storeTriangles(const std::vector<gpc_vertex>& corners, gpc_tristrip* out) {
    *out = gpc_tristrip{0, nullptr};
    std::size_t n = corners.size() / 3;
    if (n == 0 || n > static_cast<std::size_t>(INT_MAX)) {
        return;
    }
    out->strip = static_cast<gpc_vertex_list*>(std::calloc(n, sizeof(gpc_vertex_list)));
    if (out->strip == nullptr) {
        return;
    }
    out->num_strips = static_cast<int>(n);
    for (std::size_t i = 0; i < n; ++i) {
        out->strip[i].vertex = copyVertices(&corners[3 * i], 3);
        if (out->strip[i].vertex == nullptr) {
            gpc_free_tristrip(out);
            return;
        }
        out->strip[i].num_vertices = 3;
    }
}

// The contours of `subject` op `clip`; empty for an unknown operation.
std::vector<ResultContour> clipContours(gpc_op op, const gpc_polygon* subject,
                                        const gpc_polygon* clip) {
    if (!isKnownOp(op)) {
        return {};
    }
    return gpc_detail::clipEvenOdd(toClipOp(op), ringsOf(subject), ringsOf(clip));
}

}  // namespace
}  // namespace gpc

namespace gpc_detail {

std::vector<ResultContour> clipRings(gpc::gpc_op op, const std::vector<RingView>& subject,
                                     const std::vector<RingView>& clip) {
    if (!gpc::isKnownOp(op)) {
        return {};
    }
    return clipEvenOdd(gpc::toClipOp(op), gpc::usableRings(subject), gpc::usableRings(clip));
}

}  // namespace gpc_detail

namespace gpc {
namespace {

// Triangulates rings into `result`; a tessellator failure gives an empty tristrip.
void storeTriangulation(const std::vector<RingView>& rings, gpc_tristrip* result) {
    std::vector<gpc_vertex> corners;
    if (!gpc_detail::triangulateEvenOdd(rings, corners)) {
        corners.clear();
    }
    storeTriangles(corners, result);
}

}  // namespace

void gpc_add_contour(gpc_polygon* polygon, gpc_vertex_list* contour, int hole) {
    if (polygon == nullptr || contour == nullptr || contour->num_vertices < 0 ||
        (contour->num_vertices > 0 && contour->vertex == nullptr) || polygon->num_contours < 0 ||
        polygon->num_contours == INT_MAX) {
        return;
    }
    std::size_t n = static_cast<std::size_t>(polygon->num_contours) + 1;
    auto* vertices = copyVertices(contour->vertex, static_cast<std::size_t>(contour->num_vertices));
    if (contour->num_vertices > 0 && vertices == nullptr) {
        return;
    }
    // Each array is grown in place; a failed step leaves the polygon as it was.
    auto* holes = static_cast<int*>(std::realloc(polygon->hole, n * sizeof(int)));
    if (holes == nullptr) {
        std::free(vertices);
        return;
    }
    polygon->hole = holes;
    auto* lists =
        static_cast<gpc_vertex_list*>(std::realloc(polygon->contour, n * sizeof(gpc_vertex_list)));
    if (lists == nullptr) {
        std::free(vertices);
        return;
    }
    polygon->contour = lists;
    polygon->hole[n - 1] = hole;
    polygon->contour[n - 1] = gpc_vertex_list{contour->num_vertices, vertices};
    polygon->num_contours = static_cast<int>(n);
}

void gpc_polygon_clip(gpc_op op, gpc_polygon* subject, gpc_polygon* clip, gpc_polygon* result) {
    if (result == nullptr) {
        return;
    }
    std::vector<ResultContour> contours = clipContours(op, subject, clip);
    // An operand that is also the result is read by now; release it rather than leak it.
    if (result == subject || result == clip) {
        gpc_free_polygon(result);
    }
    storeContours(contours, result);
}

void gpc_tristrip_clip(gpc_op op, gpc_polygon* subject, gpc_polygon* clip, gpc_tristrip* result) {
    if (result == nullptr) {
        return;
    }
    std::vector<ResultContour> contours = clipContours(op, subject, clip);
    std::vector<RingView> rings;
    rings.reserve(contours.size());
    for (const ResultContour& c : contours) {
        if (c.pts.size() >= 3) {
            rings.push_back({c.pts.data(), static_cast<int>(c.pts.size())});
        }
    }
    storeTriangulation(rings, result);
}

void gpc_polygon_to_tristrip(gpc_polygon* polygon, gpc_tristrip* tristrip) {
    if (tristrip == nullptr) {
        return;
    }
    storeTriangulation(ringsOf(polygon), tristrip);
}

void gpc_free_polygon(gpc_polygon* polygon) {
    if (polygon == nullptr) {
        return;
    }
    if (polygon->contour != nullptr) {
        for (int i = 0; i < polygon->num_contours; ++i) {
            std::free(polygon->contour[i].vertex);
        }
    }
    std::free(polygon->hole);
    std::free(polygon->contour);
    *polygon = gpc_polygon{0, nullptr, nullptr};
}

void gpc_free_tristrip(gpc_tristrip* tristrip) {
    if (tristrip == nullptr) {
        return;
    }
    if (tristrip->strip != nullptr) {
        for (int i = 0; i < tristrip->num_strips; ++i) {
            std::free(tristrip->strip[i].vertex);
        }
    }
    std::free(tristrip->strip);
    *tristrip = gpc_tristrip{0, nullptr};
}

}  // namespace gpc
