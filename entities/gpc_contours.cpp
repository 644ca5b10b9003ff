// Point lists to GPC contours and back.
#include <geo/gpc_contours.h>

#include <cstddef>

namespace {

// Fewer points than this make no area, so they never become a contour.
constexpr std::size_t kMinContourPoints = 3;

}  // namespace

void AddPtarrToPolygon(std::vector<CPoint3d> const& pts, gpc::gpc_polygon* poly, int hole) {
    if (poly == nullptr || pts.size() < kMinContourPoints) {
        return;
    }
    std::vector<gpc::gpc_vertex> vertices(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) {
        vertices[i] = {pts[i].x, pts[i].y};
    }
    gpc::gpc_vertex_list list{static_cast<int>(vertices.size()), vertices.data()};
    gpc::gpc_add_contour(poly, &list, hole);
}

std::vector<CPoint3d> GpcContourPoints(const gpc::gpc_vertex_list& contour) {
    std::vector<CPoint3d> pts;
    if (contour.num_vertices <= 0 || contour.vertex == nullptr) {
        return pts;
    }
    pts.resize(static_cast<std::size_t>(contour.num_vertices));
    for (std::size_t i = 0; i < pts.size(); ++i) {
        pts[i].x = contour.vertex[i].x;
        pts[i].y = contour.vertex[i].y;
    }
    return pts;
}

std::vector<std::vector<CPoint3d>> GpcContoursOfKind(const gpc::gpc_polygon& poly, bool holes) {
    std::vector<std::vector<CPoint3d>> lists;
    if (poly.contour == nullptr) {
        return lists;
    }
    for (int c = 0; c < poly.num_contours; ++c) {
        const bool isHole = poly.hole != nullptr && poly.hole[c] != 0;
        if (isHole != holes || poly.contour[c].num_vertices < 1) {
            continue;
        }
        lists.push_back(GpcContourPoints(poly.contour[c]));
    }
    return lists;
}
