// GPC's text form of a polygon: a contour count, then per contour its vertex count, an
// optional hole flag and one "x y" line per vertex.
#include <geo/gpc.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace gpc {
namespace {

struct TextContour {
    std::vector<gpc_vertex> vertices;
    int hole = 0;
};

// Reads a count that must lie in [0, INT_MAX]; false on anything else.
bool readCount(FILE* in, int& count) {
    return std::fscanf(in, "%d", &count) == 1 && count >= 0;
}

// Reads one contour. Vertices are taken one at a time, so a count larger than the text
// allocates no more than the text holds.
bool readContour(FILE* in, bool withHoleFlag, TextContour& contour) {
    int count = 0;
    if (!readCount(in, count)) {
        return false;
    }
    if (withHoleFlag && std::fscanf(in, "%d", &contour.hole) != 1) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        gpc_vertex v{0.0, 0.0};
        if (std::fscanf(in, "%lf %lf", &v.x, &v.y) != 2) {
            return false;
        }
        contour.vertices.push_back(v);
    }
    return true;
}

}  // namespace

void gpc_read_polygon(FILE* infile_ptr, int read_hole_flags, gpc_polygon* polygon) {
    if (polygon == nullptr) {
        return;
    }
    *polygon = gpc_polygon{0, nullptr, nullptr};
    int count = 0;
    if (infile_ptr == nullptr || !readCount(infile_ptr, count)) {
        return;
    }
    std::vector<TextContour> contours;
    for (int c = 0; c < count; ++c) {
        contours.emplace_back();
        if (!readContour(infile_ptr, read_hole_flags != 0, contours.back())) {
            return;
        }
    }
    for (TextContour& contour : contours) {
        gpc_vertex_list list{static_cast<int>(contour.vertices.size()), contour.vertices.data()};
        gpc_add_contour(polygon, &list, contour.hole != 0);
    }
}

void gpc_write_polygon(FILE* outfile_ptr, int write_hole_flags, gpc_polygon* polygon) {
    if (outfile_ptr == nullptr || polygon == nullptr) {
        return;
    }
    const int count = polygon->contour == nullptr ? 0 : polygon->num_contours;
    std::fprintf(outfile_ptr, "%d\n", count < 0 ? 0 : count);
    for (int c = 0; c < count; ++c) {
        const gpc_vertex_list& list = polygon->contour[c];
        const int n = list.vertex == nullptr || list.num_vertices < 0 ? 0 : list.num_vertices;
        std::fprintf(outfile_ptr, "%d\n", n);
        if (write_hole_flags) {
            std::fprintf(outfile_ptr, "%d\n", polygon->hole != nullptr && polygon->hole[c] ? 1 : 0);
        }
        for (int i = 0; i < n; ++i) {
            std::fprintf(outfile_ptr, "%.*g %.*g\n", DBL_DECIMAL_DIG, list.vertex[i].x,
                         DBL_DECIMAL_DIG, list.vertex[i].y);
        }
    }
}

}  // namespace gpc
