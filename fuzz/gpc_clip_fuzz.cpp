// Two polygons read from GPC's text form, then every boolean of them and the triangles of
// each result, checked against the clipper's contract and against each other by area.
#include <geo/gpc.h>

#include "fuzz_support.h"
#include "platform/gpc/gpc_support.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using gpc::gpc_polygon;
using gpc_test::Poly;
using gpc_test::signedArea;

// The text gpc_write_polygon gives for p.
std::string TextOf(gpc_polygon* p) {
    char* buf = nullptr;
    size_t len = 0;
    FILE* out = open_memstream(&buf, &len);
    gpc::gpc_write_polygon(out, 1, p);
    std::fclose(out);
    std::string text(buf, len);
    std::free(buf);
    return text;
}

void ReadText(const std::string& text, gpc_polygon* p) {
    FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    gpc::gpc_read_polygon(in, 1, p);
    std::fclose(in);
}

// Writing, reading back and writing again gives the same text.
void CheckTextRoundTrip(gpc_polygon* p) {
    const std::string first = TextOf(p);
    Poly back;
    ReadText(first, back.get());
    FUZZ_CHECK(TextOf(back.get()) == first, "polygon text does not read back");
}

struct Box {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    bool holds(const Box& b, double slack) const {
        return b.x0 >= x0 - slack && b.y0 >= y0 - slack && b.x1 <= x1 + slack && b.y1 <= y1 + slack;
    }
};

Box BoxOf(const gpc::gpc_vertex_list& c) {
    Box b;
    for (int i = 0; i < c.num_vertices; ++i) {
        b.x0 = std::min(b.x0, c.vertex[i].x);
        b.y0 = std::min(b.y0, c.vertex[i].y);
        b.x1 = std::max(b.x1, c.vertex[i].x);
        b.y1 = std::max(b.y1, c.vertex[i].y);
    }
    return b;
}

// Largest coordinate magnitude of the result, the scale of its rounding.
double ScaleOf(const gpc_polygon& p) {
    double s = 1.0;
    for (int c = 0; c < p.num_contours; ++c) {
        for (int i = 0; i < p.contour[c].num_vertices; ++i) {
            s = std::max(
                {s, std::fabs(p.contour[c].vertex[i].x), std::fabs(p.contour[c].vertex[i].y)});
        }
    }
    return s;
}

// Largest finite coordinate magnitude of a polygon.
double MaxAbs(const gpc_polygon& p) {
    double m = 0.0;
    for (int c = 0; c < p.num_contours; ++c) {
        for (int i = 0; i < p.contour[c].num_vertices; ++i) {
            for (double v : {p.contour[c].vertex[i].x, p.contour[c].vertex[i].y}) {
                m = std::isfinite(v) ? std::max(m, std::fabs(v)) : m;
            }
        }
    }
    return m;
}

// Total length of the finite contours' edges.
double Perimeter(const gpc_polygon& p) {
    double sum = 0.0;
    for (int c = 0; c < p.num_contours; ++c) {
        const gpc::gpc_vertex_list& l = p.contour[c];
        for (int i = 0; i < l.num_vertices; ++i) {
            const gpc::gpc_vertex& u = l.vertex[i];
            const gpc::gpc_vertex& v = l.vertex[(i + 1) % l.num_vertices];
            const double len = std::hypot(v.x - u.x, v.y - u.y);
            sum += std::isfinite(len) ? len : 0.0;
        }
    }
    return sum;
}

// Outers counter-clockwise, holes clockwise, finite and of 3 or more vertices; the result
// starts with an outer and every hole lies within the box of the outer before it.
void CheckContract(const gpc_polygon& r) {
    const double slack = 1e-9 * ScaleOf(r);
    int outer = -1;
    for (int c = 0; c < r.num_contours; ++c) {
        const gpc::gpc_vertex_list& list = r.contour[c];
        FUZZ_CHECK(list.num_vertices >= 3, "result contour with fewer than 3 vertices");
        for (int i = 0; i < list.num_vertices; ++i) {
            FUZZ_CHECK(geo_detail::isFiniteXY(list.vertex[i]), "non-finite result vertex");
        }
        const double area = signedArea(list.vertex, list.num_vertices);
        FUZZ_CHECK(r.hole[c] ? area < 0 : area > 0, "result contour has the wrong orientation");
        if (!r.hole[c]) {
            outer = c;
            continue;
        }
        FUZZ_CHECK(outer >= 0, "result starts with a hole");
        FUZZ_CHECK(BoxOf(r.contour[outer]).holds(BoxOf(list), slack),
                   "hole outside the outer it follows");
    }
}

// Net area of a op b, after checking the result and its triangles. `grid` is the step the
// clipper rounds to: a result edge may run that far from where it should, so a ring can cross
// itself by as much, which its triangles (read even-odd) and its signed area tell apart.
double ClipArea(gpc::gpc_op op, Poly& a, Poly& b, double grid) {
    Poly r;
    gpc::gpc_polygon_clip(op, a.get(), b.get(), r.get());
    CheckContract(r.p);
    const double area = gpc_test::netArea(r.p);
    gpc_test::Strips strips;
    gpc::gpc_polygon_to_tristrip(r.get(), strips.get());
    for (int s = 0; s < strips.t.num_strips; ++s) {
        FUZZ_CHECK(strips.t.strip[s].num_vertices == 3, "a strip is not one triangle");
    }
    const double tol = 1e-6 * std::max(1.0, std::fabs(area)) + 1e-12 * ScaleOf(r.p) * ScaleOf(r.p) +
                       8 * grid * Perimeter(r.p);
    FUZZ_CHECK(std::fabs(gpc_test::stripArea(strips.t) - area) <= tol,
               "triangles do not cover the result");
    return area;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    FILE* in = text.empty() ? nullptr : fmemopen(&text[0], text.size(), "r");
    Poly a, b;
    if (in != nullptr) {
        gpc::gpc_read_polygon(in, 1, a.get());
        gpc::gpc_read_polygon(in, 1, b.get());
        std::fclose(in);
    }
    CheckTextRoundTrip(a.get());
    CheckTextRoundTrip(b.get());
    // Coordinates are rounded to 2^-52 of the largest one, which moves each edge by that much.
    const double grid = std::ldexp(std::max(MaxAbs(a.p), MaxAbs(b.p)), -52);
    Poly none;
    const double areaA = ClipArea(gpc::GPC_UNION, a, none, grid);
    const double areaB = ClipArea(gpc::GPC_UNION, b, none, grid);
    const double both = ClipArea(gpc::GPC_INT, a, b, grid);
    const double either = ClipArea(gpc::GPC_UNION, a, b, grid);
    const double aOnly = ClipArea(gpc::GPC_DIFF, a, b, grid);
    const double odd = ClipArea(gpc::GPC_XOR, a, b, grid);
    // The four results measure consistently, up to the clipper's grid.
    const double tol =
        1e-6 * std::max({1.0, areaA, areaB}) + 8 * grid * (Perimeter(a.p) + Perimeter(b.p));
    FUZZ_CHECK(std::fabs(both + either - areaA - areaB) <= tol,
               "|A and B| + |A or B| != |A| + |B|");
    FUZZ_CHECK(std::fabs(aOnly + both - areaA) <= tol, "|A - B| + |A and B| != |A|");
    FUZZ_CHECK(std::fabs(odd + both - either) <= tol, "|A xor B| + |A and B| != |A or B|");
    return 0;
}
