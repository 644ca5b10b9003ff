// Helpers for the gpc tests: building operands, measuring results, owning GPC memory.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <geo/gpc.h>

#include "foundation/numeric.h"

namespace gpc_test {

using Ring = std::vector<gpc::gpc_vertex>;

// A polygon that releases itself; the struct inside is what the functions see.
struct Poly {
    gpc::gpc_polygon p{0, nullptr, nullptr};
    Poly() = default;
    Poly(const std::vector<Ring>& rings, int hole = 0) {
        for (const Ring& r : rings) {
            add(r, hole);
        }
    }
    Poly(const Poly&) = delete;
    Poly& operator=(const Poly&) = delete;
    ~Poly() { gpc::gpc_free_polygon(&p); }
    void add(Ring r, int hole = 0) {
        gpc::gpc_vertex_list list{static_cast<int>(r.size()), r.data()};
        gpc::gpc_add_contour(&p, &list, hole);
    }
    gpc::gpc_polygon* get() { return &p; }
};

struct Strips {
    gpc::gpc_tristrip t{0, nullptr};
    ~Strips() { gpc::gpc_free_tristrip(&t); }
    gpc::gpc_tristrip* get() { return &t; }
};

inline Ring square(double x0, double y0, double size) {
    return {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
}

// Shoelace area, positive counter-clockwise; coordinates taken relative to the first vertex.
inline double signedArea(const gpc::gpc_vertex* v, int n) {
    double a = 0.0;
    for (int i = 1; i + 1 < n; ++i) {
        a += (v[i].x - v[0].x) * (v[i + 1].y - v[0].y) - (v[i + 1].x - v[0].x) * (v[i].y - v[0].y);
    }
    return a / 2;
}

// Outer areas minus hole areas, by the hole flags.
inline double netArea(const gpc::gpc_polygon& p) {
    double a = 0.0;
    for (int i = 0; i < p.num_contours; ++i) {
        double c = std::fabs(signedArea(p.contour[i].vertex, p.contour[i].num_vertices));
        a += p.hole[i] ? -c : c;
    }
    return a;
}

inline double stripArea(const gpc::gpc_tristrip& t) {
    double a = 0.0;
    for (int i = 0; i < t.num_strips; ++i) {
        const gpc::gpc_vertex* v = t.strip[i].vertex;
        for (int k = 2; k < t.strip[i].num_vertices; ++k) {
            a += std::fabs(signedArea(v + k - 2, 3));
        }
    }
    return a;
}

// Reference even-odd area of any rings, literally: cut the plane into vertical slabs at every
// vertex and crossing, where edges no longer cross, and add the trapezoids between edge pairs.
inline double evenOddAreaReference(const std::vector<Ring>& rings) {
    struct Edge {
        gpc::gpc_vertex a, b;  // a.x < b.x
    };
    std::vector<Edge> edges;
    std::vector<double> xs;
    for (const Ring& r : rings) {
        for (std::size_t i = 0; i < r.size(); ++i) {
            gpc::gpc_vertex p = r[i], q = r[(i + 1) % r.size()];
            xs.push_back(p.x);
            if (p.x != q.x) {
                edges.push_back(p.x < q.x ? Edge{p, q} : Edge{q, p});
            }
        }
    }
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t k = i + 1; k < edges.size(); ++k) {
            const Edge &e = edges[i], &f = edges[k];
            double dx1 = e.b.x - e.a.x, dy1 = e.b.y - e.a.y, dx2 = f.b.x - f.a.x,
                   dy2 = f.b.y - f.a.y;
            double den = dx1 * dy2 - dy1 * dx2;
            if (den == 0) {
                continue;
            }
            double t = ((f.a.x - e.a.x) * dy2 - (f.a.y - e.a.y) * dx2) / den;
            double u = ((f.a.x - e.a.x) * dy1 - (f.a.y - e.a.y) * dx1) / den;
            if (t > 0 && t < 1 && u > 0 && u < 1) {
                xs.push_back(e.a.x + t * dx1);
            }
        }
    }
    std::sort(xs.begin(), xs.end());
    auto yAt = [](const Edge& e, double x) {
        return e.a.y + (e.b.y - e.a.y) * ((x - e.a.x) / (e.b.x - e.a.x));
    };
    double area = 0;
    for (std::size_t s = 0; s + 1 < xs.size(); ++s) {
        double x0 = xs[s], x1 = xs[s + 1], xm = (x0 + x1) / 2;
        if (x1 <= x0) {
            continue;
        }
        std::vector<std::pair<double, double>> ends;  // (y at mid, y0 + y1)
        for (const Edge& e : edges) {
            if (e.a.x <= x0 && e.b.x >= x1) {
                ends.push_back({yAt(e, xm), yAt(e, x0) + yAt(e, x1)});
            }
        }
        std::sort(ends.begin(), ends.end());
        for (std::size_t k = 0; k + 1 < ends.size(); k += 2) {
            area += (ends[k + 1].second - ends[k].second) / 2 * (x1 - x0);
        }
    }
    return area;
}

// A star-shaped ring around (cx, cy): n vertices at increasing angles, random radii.
inline Ring randomStar(std::mt19937& rng, int n, double cx, double cy, double r) {
    std::uniform_real_distribution<double> radius(0.2 * r, r);
    Ring ring;
    for (int i = 0; i < n; ++i) {
        double t = geo_detail::kTwoPi * i / n;
        double d = radius(rng);
        ring.push_back({cx + d * std::cos(t), cy + d * std::sin(t)});
    }
    return ring;
}

// A ring of random vertices in a box: generally self-intersecting.
inline Ring randomTangle(std::mt19937& rng, int n, double size) {
    std::uniform_real_distribution<double> u(0.0, size);
    Ring ring;
    for (int i = 0; i < n; ++i) {
        ring.push_back({u(rng), u(rng)});
    }
    return ring;
}

}  // namespace gpc_test
