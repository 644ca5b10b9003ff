// Polygon clipping with GPC's types and functions: booleans and triangle strips of 2D polygons.
#pragma once

#include <geo/export.h>

#include <cstdio>

// Memory rules. Every array reachable from these structs is allocated with malloc/realloc and
// released with free, so callers may build or release them with the C allocator as well.
// - gpc_add_contour copies the given vertices and grows the polygon's arrays by one entry.
// - Results of gpc_polygon_clip, gpc_tristrip_clip and gpc_polygon_to_tristrip belong to the
//   caller, who releases them with gpc_free_polygon / gpc_free_tristrip.
// - A result struct is overwritten without being released first: pass an empty (zeroed) struct
//   or release it beforehand, or its old arrays leak. The one exception is a result that is
//   also an operand (gpc_polygon_clip(op, &a, &b, &a)): its old arrays are released after the
//   operand has been read.
// - Releasing an empty or zeroed struct, or a null pointer, is safe; a released struct is empty.
//
// Reading of operands. Both operands are read with the even-odd rule, whatever their hole flags;
// contours with fewer than 3 vertices and contours with a non-finite coordinate are ignored.
//
// Results. Outer contours are counter-clockwise (hole flag 0), holes clockwise (hole flag 1).
// Each outer contour is followed by the holes directly inside it; islands inside those holes come
// after all outer contours of the enclosing level, so a non-empty result starts with an outer
// contour. Hole flags and nesting come from exact containment. Vertices lie on a grid of
// power-of-two spacing, about 2^-52 of the largest |coordinate| of the operands. Contours are
// simple polygons without repeated vertices. Triangle strips hold one triangle (three vertices)
// each.
//
// What callers may rely on: the area covered, the contours with their hole flags, and the order
// just described. What may change between versions or with the operands' size: the start vertex
// of a contour; whether vertices inside straight runs are kept (small operands lose them, large
// ones keep those of the input); the order among outer contours of one level; and where a
// symmetric difference is pinched at points where the operands cross, whether the pieces come as
// separate outers or as one outer with a hole touching it there; likewise, for operands that
// cross or touch themselves or each other, how a result that touches itself is cut into
// contours (large ones are cut wherever a contour meets itself, at a vertex or inside an edge;
// small ones only where it passes a vertex twice).
namespace gpc {

// The underlying type is fixed so that a caller's out-of-range value (an int cast to the enum)
// is well defined and refused as an unknown operation, not undefined behaviour.
enum gpc_op : int { GPC_DIFF = 0, GPC_INT = 1, GPC_XOR = 2, GPC_UNION = 3 };

struct gpc_vertex {
    double x;
    double y;
};

struct gpc_vertex_list {
    int num_vertices;
    gpc_vertex* vertex;
};

struct gpc_polygon {
    int num_contours;
    int* hole;
    gpc_vertex_list* contour;
};

struct gpc_tristrip {
    int num_strips;
    gpc_vertex_list* strip;
};

// Appends a copy of `contour` to `polygon` with the given hole flag (non-zero: hole).
GEO_API void gpc_add_contour(gpc_polygon* polygon, gpc_vertex_list* contour, int hole);

// Writes `subject` op `clip` to `result` (GPC_DIFF: subject minus clip).
GEO_API void gpc_polygon_clip(gpc_op op, gpc_polygon* subject, gpc_polygon* clip,
                              gpc_polygon* result);

// Writes the triangles of `subject` op `clip` to `result`.
GEO_API void gpc_tristrip_clip(gpc_op op, gpc_polygon* subject, gpc_polygon* clip,
                               gpc_tristrip* result);

// Writes triangles covering `polygon` (read even-odd) to `tristrip`.
GEO_API void gpc_polygon_to_tristrip(gpc_polygon* polygon, gpc_tristrip* tristrip);

// Releases the polygon's arrays and leaves it empty.
GEO_API void gpc_free_polygon(gpc_polygon* polygon);

// Releases the tristrip's arrays and leaves it empty.
GEO_API void gpc_free_tristrip(gpc_tristrip* tristrip);

// Reads GPC's text form (contour count; per contour its vertex count, with read_hole_flags a
// hole flag, then "x y" per vertex) into `polygon`, which is overwritten without being released.
// Malformed or short text (a negative count, a missing number) leaves it empty.
GEO_API void gpc_read_polygon(FILE* infile_ptr, int read_hole_flags, gpc_polygon* polygon);

// Writes `polygon` in the text form gpc_read_polygon reads, each coordinate with enough digits
// to read back the same double.
GEO_API void gpc_write_polygon(FILE* outfile_ptr, int write_hole_flags, gpc_polygon* polygon);

}  // namespace gpc
