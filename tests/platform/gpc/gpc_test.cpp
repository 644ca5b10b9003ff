// Polygon booleans, triangle strips and memory rules of the gpc interface.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/gpc/gpc_support.h"

using namespace gpc;
using namespace gpc_test;

namespace {

// Clips and checks the result's invariants: outers counter-clockwise and first, holes clockwise.
double clipArea(gpc_op op, gpc_polygon* a, gpc_polygon* b, int* contours = nullptr) {
    Poly r;
    gpc_polygon_clip(op, a, b, r.get());
    if (contours) {
        *contours = r.p.num_contours;
    }
    if (r.p.num_contours > 0) {
        EXPECT_EQ(r.p.hole[0], 0);
    }
    for (int i = 0; i < r.p.num_contours; ++i) {
        double s = signedArea(r.p.contour[i].vertex, r.p.contour[i].num_vertices);
        EXPECT_EQ(s < 0, r.p.hole[i] != 0) << "contour " << i;
    }
    return netArea(r.p);
}

double stripClipArea(gpc_op op, gpc_polygon* a, gpc_polygon* b) {
    Strips s;
    gpc_tristrip_clip(op, a, b, s.get());
    for (int i = 0; i < s.t.num_strips; ++i) {
        EXPECT_EQ(s.t.strip[i].num_vertices, 3);
    }
    return stripArea(s.t);
}

}  // namespace

TEST(GpcClip, OverlappingSquaresEveryOperation) {
    Poly a({square(0, 0, 1)}), b({square(0.5, 0.5, 1)});
    int n = 0;
    EXPECT_NEAR(clipArea(GPC_INT, a.get(), b.get(), &n), 0.25, 1e-15);
    EXPECT_EQ(n, 1);
    EXPECT_NEAR(clipArea(GPC_UNION, a.get(), b.get(), &n), 1.75, 1e-15);
    EXPECT_EQ(n, 1);
    EXPECT_NEAR(clipArea(GPC_DIFF, a.get(), b.get(), &n), 0.75, 1e-15);
    EXPECT_NEAR(clipArea(GPC_DIFF, b.get(), a.get(), &n), 0.75, 1e-15);
    EXPECT_NEAR(clipArea(GPC_XOR, a.get(), b.get(), &n), 1.5, 1e-15);
    EXPECT_EQ(n, 2);  // two L shapes touching at corners stay separate contours
}

TEST(GpcClip, InputsAreReadEvenOddWhateverTheirHoleFlags) {
    Poly flagged, unflagged, lone;
    flagged.add(square(0, 0, 10), 0);
    flagged.add(square(4, 4, 2), 1);
    unflagged.add(square(0, 0, 10), 0);
    unflagged.add(square(4, 4, 2), 0);
    lone.add(square(0, 0, 10), 1);  // a hole flag alone does not make area negative
    Poly empty;
    EXPECT_NEAR(clipArea(GPC_UNION, flagged.get(), empty.get()), 96, 1e-12);
    EXPECT_NEAR(clipArea(GPC_UNION, unflagged.get(), empty.get()), 96, 1e-12);
    EXPECT_NEAR(clipArea(GPC_UNION, lone.get(), empty.get()), 100, 1e-12);
    // Overlapping contours of one operand cancel where they overlap; a bow tie keeps both lobes.
    Poly overlap({square(0, 0, 2), square(1, 1, 2)});
    EXPECT_NEAR(clipArea(GPC_UNION, overlap.get(), empty.get()), 6, 1e-12);
    Poly bowtie({{{0, 0}, {2, 2}, {2, 0}, {0, 2}}});
    EXPECT_NEAR(clipArea(GPC_INT, bowtie.get(), lone.get()), 2, 1e-12);
}

TEST(GpcClip, HolesAreFlaggedAndFollowTheirOuter) {
    Poly rings({square(0, 0, 10), square(2, 2, 6), square(4, 4, 2)});  // outer, hole, island
    Poly r, empty;
    gpc_polygon_clip(GPC_UNION, rings.get(), empty.get(), r.get());
    ASSERT_EQ(r.p.num_contours, 3);
    EXPECT_EQ(r.p.hole[0], 0);
    EXPECT_EQ(r.p.hole[1], 1);
    EXPECT_EQ(r.p.hole[2], 0);
    EXPECT_NEAR(std::fabs(signedArea(r.p.contour[1].vertex, 4)), 36, 1e-12);
    EXPECT_NEAR(netArea(r.p), 68, 1e-12);
    // A seam running in and out of an outline encloses a courtyard: outer plus hole.
    Poly seam({{{0, 0},
                {10, 0},
                {10, 10},
                {5, 10},
                {5, 7},
                {7, 7},
                {7, 3},
                {3, 3},
                {3, 7},
                {5, 7},
                {5, 10},
                {0, 10}}});
    Poly box({square(-1, -1, 12)});
    gpc_free_polygon(r.get());  // a result is overwritten, not released
    gpc_polygon_clip(GPC_INT, seam.get(), box.get(), r.get());
    ASSERT_EQ(r.p.num_contours, 2);
    EXPECT_EQ(r.p.hole[1], 1);
    EXPECT_NEAR(netArea(r.p), 84, 1e-12);
}

// Result contours are simple: pinches and holes touching their outer come apart.
TEST(GpcClip, TouchingContoursAreSplit) {
    Poly pinched({{{0, 0}, {4, 0}, {2, 2}, {4, 4}, {0, 4}, {2, 2}}});
    Poly r;
    gpc_polygon_clip(GPC_UNION, pinched.get(), nullptr, r.get());
    ASSERT_EQ(r.p.num_contours, 2);
    EXPECT_EQ(r.p.contour[0].num_vertices + r.p.contour[1].num_vertices, 6);
    EXPECT_EQ(r.p.hole[0] + r.p.hole[1], 0);
    gpc_free_polygon(r.get());
    Poly notch({square(0, 0, 10), {{0, 0}, {5, 3}, {3, 5}}});
    gpc_polygon_clip(GPC_UNION, notch.get(), nullptr, r.get());
    ASSERT_EQ(r.p.num_contours, 2);
    EXPECT_EQ(r.p.hole[1], 1);
    EXPECT_NEAR(netArea(r.p), 92, 1e-12);
}

// A hole touching the shell's edge, cut by a triangle touching it too: the piece split off
// between them is an outer, whichever way the engine first lists it.
TEST(GpcClip, PieceSplitOffBetweenTouchingContoursIsAnOuter) {
    Poly a({square(0, 0, 200)});
    a.add({{100, 100}, {50, 100}, {50, 200}}, 1);
    Poly b({{{150, 100}, {100, 100}, {150, 200}}});
    for (gpc_op op : {GPC_DIFF, GPC_XOR}) {
        int n = 0;
        EXPECT_NEAR(clipArea(op, a.get(), b.get(), &n), 35000, 1e-9) << op;
        Poly r;
        gpc_polygon_clip(op, a.get(), b.get(), r.get());
        for (int i = 0; i < r.p.num_contours; ++i) {
            const double s = signedArea(r.p.contour[i].vertex, r.p.contour[i].num_vertices);
            if (std::fabs(s) == 5000) {
                EXPECT_EQ(r.p.hole[i], 0) << "op " << op << " contour " << i;
            }
        }
    }
}

namespace {

// Whether contour `inner`'s box lies within contour `outer`'s box.
bool boxWithin(const gpc_vertex_list& inner, const gpc_vertex_list& outer) {
    auto lo = [](const gpc_vertex_list& c, double gpc_vertex::*m) {
        double v = c.vertex[0].*m;
        for (int i = 1; i < c.num_vertices; ++i) {
            v = std::min(v, c.vertex[i].*m);
        }
        return v;
    };
    auto hi = [](const gpc_vertex_list& c, double gpc_vertex::*m) {
        double v = c.vertex[0].*m;
        for (int i = 1; i < c.num_vertices; ++i) {
            v = std::max(v, c.vertex[i].*m);
        }
        return v;
    };
    return lo(inner, &gpc_vertex::x) >= lo(outer, &gpc_vertex::x) &&
           hi(inner, &gpc_vertex::x) <= hi(outer, &gpc_vertex::x) &&
           lo(inner, &gpc_vertex::y) >= lo(outer, &gpc_vertex::y) &&
           hi(inner, &gpc_vertex::y) <= hi(outer, &gpc_vertex::y);
}

}  // namespace

// Many nested contours: every outer is followed by exactly the holes inside it, and islands
// come after all outers of the enclosing level.
TEST(GpcClip, ManyNestedContoursKeepTheirLevelOrder) {
    const int cells = 20;
    Poly rings;
    for (int i = 0; i < cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            const double x = 12.0 * i, y = 12.0 * j;
            rings.add(square(x, y, 10));
            rings.add(square(x + 2, y + 2, 6));
            rings.add(square(x + 4, y + 4, 2));
        }
    }
    Poly r;
    gpc_polygon_clip(GPC_UNION, rings.get(), nullptr, r.get());
    const int n = cells * cells;
    ASSERT_EQ(r.p.num_contours, 3 * n);
    EXPECT_NEAR(netArea(r.p), n * (100.0 - 36.0 + 4.0), 1e-9);
    for (int k = 0; k < n; ++k) {
        const int outer = 2 * k, hole = 2 * k + 1;
        EXPECT_EQ(r.p.hole[outer], 0);
        EXPECT_EQ(r.p.hole[hole], 1);
        EXPECT_TRUE(boxWithin(r.p.contour[hole], r.p.contour[outer])) << k;
        EXPECT_NEAR(signedArea(r.p.contour[outer].vertex, 4), 100, 1e-12);
        EXPECT_NEAR(signedArea(r.p.contour[hole].vertex, 4), -36, 1e-12);
    }
    for (int k = 2 * n; k < 3 * n; ++k) {
        EXPECT_EQ(r.p.hole[k], 0);
        EXPECT_NEAR(signedArea(r.p.contour[k].vertex, 4), 4, 1e-12);
    }
}

// Vertices on a coarse lattice make contours pinch and touch all over: every result still
// counts its holes right, and each hole follows the outer holding it.
TEST(GpcClip, LatticeTanglesKeepHoleFlagsAndOrder) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> lattice(0, 8);
    for (int i = 0; i < 300; ++i) {
        std::vector<Ring> rings(1 + i % 3);
        for (Ring& ring : rings) {
            for (int k = 3 + static_cast<int>(rng() % 9); k > 0; --k) {
                ring.push_back({double(lattice(rng)), double(lattice(rng))});
            }
        }
        Poly t(rings);
        const double reference = evenOddAreaReference(rings);
        EXPECT_NEAR(clipArea(GPC_UNION, t.get(), nullptr), reference, 1e-9) << "case " << i;
        Poly r;
        gpc_polygon_clip(GPC_UNION, t.get(), nullptr, r.get());
        int outer = -1;
        for (int k = 0; k < r.p.num_contours; ++k) {
            if (!r.p.hole[k]) {
                outer = k;
            } else if (outer >= 0) {
                EXPECT_TRUE(boxWithin(r.p.contour[k], r.p.contour[outer]))
                    << "case " << i << " contour " << k;
            }
        }
    }
}

TEST(GpcClip, EmptyNullAndUnknownOperands) {
    Poly a({square(0, 0, 1)}), empty;
    EXPECT_NEAR(clipArea(GPC_UNION, empty.get(), a.get()), 1, 1e-15);
    EXPECT_NEAR(clipArea(GPC_DIFF, a.get(), empty.get()), 1, 1e-15);
    EXPECT_NEAR(clipArea(GPC_XOR, empty.get(), a.get()), 1, 1e-15);
    EXPECT_NEAR(clipArea(GPC_UNION, a.get(), nullptr), 1, 1e-15);
    int n = -1;
    clipArea(GPC_INT, a.get(), empty.get(), &n);
    EXPECT_EQ(n, 0);
    clipArea(GPC_DIFF, nullptr, a.get(), &n);
    EXPECT_EQ(n, 0);
    clipArea(GPC_DIFF, a.get(), a.get(), &n);
    EXPECT_EQ(n, 0);
    clipArea(static_cast<gpc_op>(7), a.get(), a.get(), &n);
    EXPECT_EQ(n, 0);
    Poly r;
    gpc_polygon_clip(GPC_INT, a.get(), empty.get(), r.get());
    EXPECT_EQ(r.p.contour, nullptr);
    EXPECT_EQ(r.p.hole, nullptr);
    gpc_polygon_clip(GPC_UNION, a.get(), a.get(), nullptr);  // nowhere to write: nothing happens
}

TEST(GpcClip, UnusableContoursAreIgnored) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Poly junk({{{0, 0}, {5, 5}},                       // two vertices
               {},                                     // none
               {{0, 0}, {1, 1}, {2, 2}, {3, 3}},       // no area
               {{0, 0}, {nan, 1}, {1, 1}},             // not a number
               {{-inf, 0}, {1e300, 0}, {0, 1e300}}});  // infinite
    EXPECT_EQ(junk.p.num_contours, 5);                 // stored as given, ignored when clipping
    Poly a({square(0, 0, 1)});
    int n = -1;
    EXPECT_NEAR(clipArea(GPC_UNION, junk.get(), a.get(), &n), 1, 1e-15);
    EXPECT_EQ(n, 1);
    clipArea(GPC_UNION, junk.get(), nullptr, &n);
    EXPECT_EQ(n, 0);
    Strips strips;
    gpc_polygon_to_tristrip(junk.get(), strips.get());
    EXPECT_EQ(strips.t.num_strips, 0);
    // Hand-built structs with inconsistent counts or null arrays are read as empty.
    gpc_vertex_list lists[2] = {{5, nullptr}, {-3, nullptr}};
    gpc_polygon bad{2, nullptr, lists};
    EXPECT_NEAR(clipArea(GPC_XOR, &bad, a.get()), 1, 1e-15);
    gpc_polygon noContours{4, nullptr, nullptr};
    EXPECT_NEAR(clipArea(GPC_XOR, &noContours, a.get()), 1, 1e-15);
}

TEST(GpcClip, TinyAndHugeCoordinatesKeepTheirAreas) {
    Poly ta({square(0, 0, 1e-9)}), tb({square(0.5e-9, 0.5e-9, 1e-9)});
    EXPECT_NEAR(clipArea(GPC_INT, ta.get(), tb.get()) / 1e-18, 0.25, 1e-12);
    EXPECT_NEAR(clipArea(GPC_UNION, ta.get(), tb.get()) / 1e-18, 1.75, 1e-12);
    Poly ha({square(1e12, 1e12, 1)}), hb({square(1e12 + 0.5, 1e12 + 0.5, 1)});
    EXPECT_NEAR(clipArea(GPC_INT, ha.get(), hb.get()), 0.25, 1e-9);
    EXPECT_NEAR(clipArea(GPC_XOR, ha.get(), hb.get()), 1.5, 1e-9);
    Poly ea({square(-1e150, -1e150, 1e150)}), eb({square(-0.5e150, -0.5e150, 1e150)});
    EXPECT_NEAR(clipArea(GPC_INT, ea.get(), eb.get()) / 1e300, 0.25, 1e-12);
    EXPECT_NEAR(stripClipArea(GPC_UNION, ha.get(), hb.get()), 1.75, 1e-6);
    EXPECT_NEAR(stripClipArea(GPC_INT, ta.get(), tb.get()) / 1e-18, 0.25, 1e-12);
}

// Grid coordinates near 2^52 need Clipper's 128-bit products; overflowing ones leave slivers.
TEST(GpcClip, SelfOperationsOnLargeRandomPolygonsAreExact) {
    std::mt19937 rng(7);
    for (int i = 0; i < 50; ++i) {
        Poly a({randomStar(rng, 40, 3e6, -2e6, 1e6)});
        double area = clipArea(GPC_UNION, a.get(), nullptr);
        EXPECT_NEAR(clipArea(GPC_UNION, a.get(), a.get()), area, area * 1e-12);
        EXPECT_NEAR(clipArea(GPC_INT, a.get(), a.get()), area, area * 1e-12);
        int n = -1;
        clipArea(GPC_XOR, a.get(), a.get(), &n);
        EXPECT_EQ(n, 0);
    }
}

TEST(GpcMemory, AddContourCopiesAndGrows) {
    Ring r = square(0, 0, 1);
    gpc_vertex_list list{4, r.data()};
    gpc_polygon p{0, nullptr, nullptr};
    for (int i = 0; i < 100; ++i) {
        r[0].x = i;
        gpc_add_contour(&p, &list, i % 2);
    }
    ASSERT_EQ(p.num_contours, 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(p.hole[i], i % 2);
        EXPECT_EQ(p.contour[i].vertex[0].x, i);
        EXPECT_NE(p.contour[i].vertex, r.data());
    }
    gpc_vertex_list invalid[3] = {{-1, r.data()}, {4, nullptr}, {0, nullptr}};
    gpc_add_contour(&p, &invalid[0], 0);
    gpc_add_contour(&p, &invalid[1], 0);
    gpc_add_contour(&p, nullptr, 0);
    gpc_add_contour(nullptr, &list, 0);
    EXPECT_EQ(p.num_contours, 100);
    gpc_add_contour(&p, &invalid[2], 0);  // an empty contour is stored like any other
    EXPECT_EQ(p.num_contours, 101);
    gpc_free_polygon(&p);
    EXPECT_EQ(p.num_contours, 0);
    gpc_free_polygon(&p);  // twice is harmless: a released polygon is empty
    gpc_free_polygon(nullptr);
    gpc_free_tristrip(nullptr);
}

TEST(GpcMemory, CallerBuiltArraysAndReusedResults) {
    gpc_polygon p{1, static_cast<int*>(std::malloc(sizeof(int))),
                  static_cast<gpc_vertex_list*>(std::malloc(sizeof(gpc_vertex_list)))};
    p.hole[0] = 0;
    p.contour[0] = {4, static_cast<gpc_vertex*>(std::malloc(4 * sizeof(gpc_vertex)))};
    Ring sq = square(0, 0, 2);
    std::copy(sq.begin(), sq.end(), p.contour[0].vertex);
    Poly b({square(1, 1, 2)});
    // The accumulator pattern: the result is also the subject, and nothing leaks.
    gpc_polygon_clip(GPC_UNION, &p, b.get(), &p);
    EXPECT_NEAR(netArea(p), 7, 1e-12);
    gpc_polygon_clip(GPC_DIFF, b.get(), &p, &p);
    EXPECT_EQ(p.num_contours, 0);
    gpc_free_polygon(&p);
    Strips s;
    for (int i = 0; i < 3; ++i) {
        gpc_polygon_to_tristrip(b.get(), s.get());
        EXPECT_NEAR(stripArea(s.t), 4, 1e-12);
        gpc_free_tristrip(s.get());
    }
}

TEST(GpcTristrip, TrianglesCoverThePolygonReadEvenOdd) {
    Poly holed;
    holed.add(square(0, 0, 10), 0);
    holed.add(square(4, 4, 2), 1);
    Strips s;
    gpc_polygon_to_tristrip(holed.get(), s.get());
    EXPECT_NEAR(stripArea(s.t), 96, 1e-9);
    for (int i = 0; i < s.t.num_strips; ++i) {
        EXPECT_EQ(s.t.strip[i].num_vertices, 3);
    }
    gpc_free_tristrip(s.get());
    Poly overlap({square(0, 0, 2), square(1, 1, 2)});
    gpc_polygon_to_tristrip(overlap.get(), s.get());
    EXPECT_NEAR(stripArea(s.t), 6, 1e-9);
    gpc_free_tristrip(s.get());
    Poly empty;
    gpc_polygon_to_tristrip(empty.get(), s.get());
    EXPECT_EQ(s.t.num_strips, 0);
    gpc_polygon_to_tristrip(nullptr, s.get());
    EXPECT_EQ(s.t.strip, nullptr);
    gpc_polygon_to_tristrip(holed.get(), nullptr);
    Poly a({square(0, 0, 1)}), b({square(0.5, 0.5, 1)});
    for (gpc_op op : {GPC_DIFF, GPC_INT, GPC_XOR, GPC_UNION}) {
        EXPECT_NEAR(stripClipArea(op, a.get(), b.get()), clipArea(op, a.get(), b.get()), 1e-12);
    }
}

// Two engines, one reading: triangles of a tangle cover what clipping it leaves.
TEST(GpcTristrip, SelfIntersectingRingsAgreeWithClipping) {
    std::mt19937 rng(11);
    for (int i = 0; i < 100; ++i) {
        std::vector<Ring> rings{randomTangle(rng, 3 + i % 20, 100), randomTangle(rng, 5, 100)};
        Poly t(rings);
        Strips s;
        gpc_polygon_to_tristrip(t.get(), s.get());
        double reference = evenOddAreaReference(rings);
        EXPECT_NEAR(clipArea(GPC_UNION, t.get(), nullptr), reference, 1e-9 * (1 + reference))
            << "case " << i;
        EXPECT_NEAR(stripArea(s.t), reference, 1e-9 * (1 + reference)) << "case " << i;
    }
}

// Found by fuzzing: a needle-thin piece touching an outer was nested in it, a hole running
// along its outer's edges was listed as an outer, an island touching a notch at its corners
// became a hole, a contour of collinear vertices was kept, holes of tangled XORs overlapped
// through shared vertices or along a common edge, and a piece whose every edge ran along others
// was taken for an outer. Each lost or gained area.
TEST(GpcClip, FuzzFoundInputsKeepFlagsOrientationAndArea) {
    for (const char* name :
         {"regress-needle-hole-nesting", "regress-island-touching-notch",
          "regress-collinear-contour", "regress-xor-flags", "regress-holes-along-common-edge",
          "regress-contour-on-boundaries-only"}) {
        SCOPED_TRACE(name);
        const std::string path = GEO_SOURCE_DIR "/fuzz/corpus/gpc_clip/" + std::string(name);
        FILE* in = std::fopen(path.c_str(), "r");
        ASSERT_NE(in, nullptr);
        Poly a, b;
        gpc_read_polygon(in, 1, a.get());
        gpc_read_polygon(in, 1, b.get());
        std::fclose(in);
        ASSERT_GT(a.p.num_contours, 0);
        for (gpc_op op : {GPC_DIFF, GPC_INT, GPC_XOR, GPC_UNION}) {
            Poly r;
            gpc_polygon_clip(op, a.get(), b.get(), r.get());
            for (int i = 0; i < r.p.num_contours; ++i) {
                EXPECT_NE(signedArea(r.p.contour[i].vertex, r.p.contour[i].num_vertices), 0.0);
            }
            const double flagged = clipArea(op, a.get(), b.get());
            EXPECT_NEAR(flagged, stripClipArea(op, a.get(), b.get()), 1e-9 * (1 + flagged)) << op;
        }
    }
}

// GPC's text form: counts, optional hole flags, "x y" lines.
TEST(GpcText, ReadsWhatItWritesAndRefusesMalformedText) {
    const struct {
        const char* text;
        int holeFlags;
        int contours;  // -1: the first contour is then checked to be a hole of 3 vertices
    } cases[] = {
        {"2\n3\n0 0\n1 0\n0 1\n4\n0 0\n2 0\n2 2\n0 2\n", 0, 2},
        {"1\n3\n1\n0 0\n1 0\n0 1\n", 1, -1},
        {"0\n", 0, 0},
        {"", 0, 0},
        {"-1\n", 0, 0},
        {"1\n-3\n", 0, 0},
        {"1\n1000000000\n0 0\n", 0, 0},   // more vertices promised than given
        {"2\n3\n0 0\n1 0\n0 1\n", 0, 0},  // a contour missing
        {"1\n2\n0 x\n", 0, 0},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        FILE* in = fmemopen(&text[0], text.size() + 1, "r");
        Poly p;
        gpc_read_polygon(in, c.holeFlags, p.get());
        std::fclose(in);
        SCOPED_TRACE(c.text);
        if (c.contours < 0) {
            ASSERT_EQ(p.p.num_contours, 1);
            EXPECT_EQ(p.p.hole[0], 1);
            EXPECT_EQ(p.p.contour[0].num_vertices, 3);
            continue;
        }
        EXPECT_EQ(p.p.num_contours, c.contours);
        char* written = nullptr;
        size_t length = 0;
        FILE* out = open_memstream(&written, &length);
        gpc_write_polygon(out, c.holeFlags, p.get());
        std::fclose(out);
        if (c.contours > 0) {
            EXPECT_EQ(std::string(written, length), text);
        }
        std::free(written);
    }
}
