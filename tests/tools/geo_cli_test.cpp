// The geo tool driven as a program: every operation checked against the library's own calls,
// pipes, output formats, bad input with its message and status, and help.
#include "geojson.h"
#include "read_shapes.h"
#include "regions.h"
#include "wkt.h"

#include "support/run_program.h"

#include <geo/geo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

namespace {

using geoio::RingSet;
using geoio::Shape;
using run_program::Outcome;
using Pts = std::vector<CPoint3d>;

// An outline counter-clockwise, open.
Pts Square(double x0, double y0, double side) {
    return {CPoint3d(x0, y0, 0), CPoint3d(x0 + side, y0, 0), CPoint3d(x0 + side, y0 + side, 0),
            CPoint3d(x0, y0 + side, 0)};
}

const Pts kSquare = Square(0, 0, 4);
const Pts kShifted = Square(2, 2, 4);
const Pts kOuter = Square(0, 0, 10), kHole = Square(4, 4, 2);
const Pts kLine{CPoint3d(0, 0, 0), CPoint3d(3, 4, 0), CPoint3d(6, 0, 0)};

Shape Area(const Pts& outer, const std::vector<Pts>& holes = {}) {
    RingSet rings{geoio::ClosedRing(outer)};
    for (const Pts& hole : holes) {
        rings.push_back(geoio::ClosedRing(hole));
    }
    return Shape::area({rings});
}

std::string Wkt(const Shape& shape) {
    return geoio::ToWkt(shape) + "\n";
}

const std::string kSquareWkt = Wkt(Area(kSquare)), kShiftedWkt = Wkt(Area(kShifted));
const std::string kHoledWkt = Wkt(Area(kOuter, {kHole})), kLineWkt = Wkt(Shape::line(kLine));

Outcome Geo(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), GEO_CLI_PATH);
    return run_program::Run(args, input);
}

std::vector<Shape> Shapes(const std::string& text) {
    std::vector<Shape> shapes;
    if (!text.empty()) {
        geoio::ReadShapes(text, "output", [&](Shape&& s) { shapes.push_back(std::move(s)); });
    }
    return shapes;
}

// Area of an area, length of a line.
double Measure(const Shape& s) {
    return s.kind == geoio::ShapeKind::Area ? geoio::ToRegion(s).area() : GetTotalLength(s.pts);
}

std::vector<Shape> Outlines(const std::vector<Pts>& outlines) {
    std::vector<Shape> shapes;
    for (const Pts& pts : outlines) {
        shapes.push_back(Area(pts));
    }
    return shapes;
}

std::vector<Shape> Boolean(const Pts& a, const Pts& b, gpc::gpc_op op) {
    CRegion out;
    CRegion(a).booleanOper(CRegion(b), out, op);
    return {geoio::FromRegion(out)};
}

// An operation's command line and inputs, and its result computed by the library directly.
struct OperationCase {
    std::vector<std::string> args;
    std::vector<std::string> inputs;
    std::function<std::vector<Shape>()> expected;
};

const char kGrid[] = "0,0,0,0\n0,5,5,0\n0,5,9,0\n0,0,0,0\n";

std::vector<Shape> ContourLines() {
    CContourGenerator gen;
    gen.setParam(AcGePoint2d(10, 20), AcGePoint2d(2, 3), 3, 3, 2);
    const double z[4][4] = {{0, 0, 0, 0}, {0, 5, 5, 0}, {0, 5, 9, 0}, {0, 0, 0, 0}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            gen.setZ(AcGePoint3d(10 + 2 * c, 20 + 3 * r, z[r][c]));
        }
    }
    gen.exeCalu();
    std::vector<Shape> lines;
    for (int i = 0; i < gen.lineSize(); ++i) {
        Pts pts;
        for (INT_PTR k = 0; k < gen.at(i)->pts.GetSize(); ++k) {
            pts.emplace_back(gen.at(i)->pts[k].x, gen.at(i)->pts[k].y, gen.at(i)->elev);
        }
        lines.push_back(Shape::line(pts));
    }
    return lines;
}

std::vector<OperationCase> OperationCases() {
    const Pts spiky{CPoint3d(0, 0, 0), CPoint3d(2, 0, 0), CPoint3d(4, 0, 0), CPoint3d(4, 4, 0),
                    CPoint3d(0, 4, 0)};
    return {
        {{"union"},
         {kSquareWkt, kShiftedWkt},
         [] { return Boolean(kSquare, kShifted, gpc::GPC_UNION); }},
        {{"intersection"},
         {kSquareWkt, kShiftedWkt},
         [] { return Boolean(kSquare, kShifted, gpc::GPC_INT); }},
        {{"difference"},
         {kSquareWkt, kShiftedWkt},
         [] { return Boolean(kSquare, kShifted, gpc::GPC_DIFF); }},
        {{"xor"},
         {kSquareWkt + kShiftedWkt},
         [] { return Boolean(kSquare, kShifted, gpc::GPC_XOR); }},
        {{"offset", "0.5"},
         {kHoledWkt},
         [] {
             CRegion r(std::vector<Pts>{kOuter}, std::vector<Pts>{kHole});
             r.Offset(0.5);
             return std::vector<Shape>{geoio::FromRegion(r)};
         }},
        {{"offset", "-1"},
         {kLineWkt},
         [] {
             std::vector<Pts> lists;
             PlineOffset(kLine, lists, -1, 1e-6);
             std::vector<Shape> lines;
             for (const Pts& l : lists) {
                 lines.push_back(Shape::line(l));
             }
             return lines;
         }},
        {{"clean", "0.001"},
         {Wkt(Area(spiky))},
         [spiky] {
             Pts ring = geoio::ClosedRing(spiky);
             RemoveRedundancyPts(ring, true, 0.001);
             return Outlines({ring});
         }},
        {{"triangulate"},
         {kSquareWkt},
         [] {
             Pts pts = kSquare;
             std::vector<Triangle> tris;
             DivideTriangle(pts, tris);
             std::vector<Pts> outlines;
             for (const Triangle& t : tris) {
                 outlines.push_back({t.vertA, t.vertB, t.vertC});
             }
             return Outlines(outlines);
         }},
        {{"triangulate"},
         {kHoledWkt},
         [] {
             std::vector<AcGePoint3d> outer;
             std::vector<std::vector<AcGePoint3d>> holes(1), tris;
             for (const CPoint3d& p : kOuter) {
                 outer.emplace_back(p.x, p.y, 0);
             }
             for (const CPoint3d& p : kHole) {
                 holes[0].emplace_back(p.x, p.y, 0);
             }
             divTringle(outer, holes, 0, tris);
             std::vector<Pts> outlines;
             for (const auto& t : tris) {
                 outlines.push_back({CPoint3d(t[0]), CPoint3d(t[1]), CPoint3d(t[2])});
             }
             return Outlines(outlines);
         }},
        {{"hull"},
         {kLineWkt},
         [] {
             Pts hull;
             ConvexHull(kLine, hull);
             return Outlines({hull});
         }},
        {{"mbr"},
         {Wkt(Area({CPoint3d(0, 0, 0), CPoint3d(4, 3, 0), CPoint3d(1, 7, 0)}))},
         [] {
             Pts rect;
             GetMinBesiegeRect(
                 Pts{CPoint3d(0, 0, 0), CPoint3d(4, 3, 0), CPoint3d(1, 7, 0), CPoint3d(0, 0, 0)},
                 rect);
             return Outlines({rect});
         }},
        {{"shade", "2", "-1"},
         {kSquareWkt},
         [] {
             Pts shade;
             GetEntShade(kSquare, CVector3d(2, -1, 0), shade);
             return Outlines({shade});
         }},
        {{"split", "-1", "1", "5", "3"},
         {kSquareWkt},
         [] {
             CLineSeg cutter(CPoint3d(-1, 1, 0), CPoint3d(5, 3, 0));
             CPolygon whole(kSquare, true);
             std::vector<CPolygon> pieces;
             LineSegSplitPolyGon(&cutter, &whole, pieces);
             std::vector<Pts> outlines;
             for (const CPolygon& p : pieces) {
                 outlines.push_back(p.getPoints());
             }
             return Outlines(outlines);
         }},
        {{"contour", "2", "--origin", "10", "20", "--spacing", "2", "3"}, {kGrid}, ContourLines},
    };
}

// Runs the case with its inputs as files; the results must match the library's in number,
// vertex count, and area or length (1e-9).
TEST(GeoTool, EveryOperationGivesTheLibrarysResult) {
    for (const OperationCase& c : OperationCases()) {
        std::vector<std::string> args = c.args;
        for (std::size_t i = 0; i < c.inputs.size(); ++i) {
            args.push_back(run_program::TempFile("in" + std::to_string(i), c.inputs[i]));
        }
        SCOPED_TRACE(args.front() + " " + c.inputs.front());
        const Outcome run = Geo(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<Shape> got = Shapes(run.out), want = c.expected();
        ASSERT_FALSE(want.empty());
        ASSERT_EQ(got.size(), want.size()) << run.out;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(geoio::VertexCount(got[i]), geoio::VertexCount(want[i])) << run.out;
            EXPECT_NEAR(Measure(got[i]), Measure(want[i]), 1e-9) << run.out;
        }
    }
}

// One value per geometry, in input order, for area, length and contains (a boundary point is
// in unless --strict).
TEST(GeoTool, ScalarOperationsPrintOneValuePerGeometry) {
    const std::string input =
        kHoledWkt + "GEOMETRYCOLLECTION (" + geoio::ToWkt(Shape::line(kLine)) + ", POINT (4 5))\n";
    const CRegion holed(std::vector<Pts>{kOuter}, std::vector<Pts>{kHole});
    const std::string area = geoio::FormatNumber(holed.area(), {});
    const std::string perimeter = geoio::FormatNumber(
        GetTotalLength(geoio::ClosedRing(kOuter)) + GetTotalLength(geoio::ClosedRing(kHole)), {});
    const std::string length = geoio::FormatNumber(GetTotalLength(kLine), {});
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"area"}, area + "\n0\n0\n"},
        {{"length"}, perimeter + "\n" + length + "\n0\n"},
        {{"contains", "4", "5"}, "true\nfalse\ntrue\n"},
        {{"contains", "--strict", "4", "5"}, "false\nfalse\nfalse\n"},
        {{"contains", "5", "5"}, "false\nfalse\nfalse\n"},
        {{"contains", "1.5", "2"}, "true\ntrue\nfalse\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Geo(c.args, input);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.front();
    }
}

TEST(GeoTool, InfoCountsRingsAndTellsOrientationAndCrossing) {
    const Pts bowtie{CPoint3d(0, 0, 0), CPoint3d(2, 2, 0), CPoint3d(2, 0, 0), CPoint3d(0, 2, 0)};
    const Outcome run = Geo({"info"}, kHoledWkt + Wkt(Area(bowtie)));
    EXPECT_EQ(run.out,
              "type=Polygon polygons=1 holes=1 vertices=8 area=96 length=48 orientation=ccw,ccw "
              "self-crossing=no\n"
              "type=Polygon polygons=1 holes=0 vertices=4 area=0 length=9.65685424949238 "
              "orientation=cw self-crossing=yes\n");
}

TEST(GeoTool, ResultsChainThroughPipes) {
    const std::string a = run_program::TempFile("a.wkt", kSquareWkt);
    const std::string b = run_program::TempFile("b.geojson", geoio::ToGeoJson(Area(kShifted)));
    const std::string geo = GEO_CLI_PATH;
    const Outcome run = run_program::Run({"/bin/sh", "-c",
                                          geo + " -f geojson union " + a + " " + b + " | " + geo +
                                              " offset 0.5 | " + geo + " area"});
    CRegion merged;
    CRegion(kSquare).booleanOper(CRegion(kShifted), merged, gpc::GPC_UNION);
    merged.Offset(0.5);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NEAR(std::stod(run.out), merged.area(), 1e-9);
}

// GeoJSON reads back as the WKT does; --precision rounds; SVG draws inputs, result and legend.
TEST(GeoTool, FormatsCarryTheSameGeometry) {
    const std::string input = kSquareWkt + kShiftedWkt;
    const Outcome wkt = Geo({"union"}, input), json = Geo({"-f", "geojson", "union"}, input);
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"type\":\"FeatureCollection\"", 0), 0u);
    EXPECT_EQ(Wkt(Shapes(json.out).at(0)), wkt.out);
    EXPECT_EQ(Geo({"--precision", "2", "area"},
                  Wkt(Shape::point(CPoint3d(0, 0, 0))) + "POLYGON ((0 0, 1 0, 0 0.3333333, 0 0))")
                  .out,
              "0\n0.17\n");
    const Outcome svg = Geo({"-f", "svg", "offset", "1"}, kSquareWkt);
    EXPECT_EQ(svg.out.rfind("<svg", 0), 0u);
    EXPECT_NE(svg.out.find("input 1: &lt;stdin&gt;"), std::string::npos);
    EXPECT_NE(svg.out.find("result: offset 1"), std::string::npos);
}

// Inputs longer than the readers' chunks, from standard input, give what the library gives.
TEST(GeoTool, LongInputsAreReadAcrossChunks) {
    Pts zigzag;
    for (int i = 0; i < 20000; ++i) {
        zigzag.emplace_back(i * 0.1234567891234, (i % 2) * 3.3333333333333335, 0);
    }
    const std::string want = geoio::FormatNumber(GetTotalLength(zigzag), {}) + "\n";
    EXPECT_EQ(Geo({"length"}, Wkt(Shape::line(zigzag))).out, want);
    EXPECT_EQ(Geo({"length"}, geoio::ToGeoJson(Shape::line(zigzag))).out, want);
}

std::string Repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// Bad input: one line on standard error naming the input and where, status 2, no output.
TEST(GeoTool, BadInputIsOneLineWithItsPlace) {
    const struct {
        std::vector<std::string> args;
        std::string input;
        std::string message;
    } cases[] = {
        {{"area"},
         "POLYGON ((0 0, 1 0, 1 1, 0 0)",
         "<stdin>:1:30: expected ',' or ')', found end of input"},
        {{"area"}, "\nPOLYGON ((0 0, 1 0, 1 1, 0 1))", "<stdin>:2:10: ring is not closed"},
        {{"area"}, "POINT (1 NaN)", "<stdin>:1:10: expected a finite number, found 'NaN'"},
        {{"area"}, "POINT (1 1e999)", "<stdin>:1:10: expected a finite number, found '1e999'"},
        {{"area"}, "CIRCLE (1 2)", "<stdin>:1:1: unknown geometry type 'CIRCLE'"},
        {{"area"}, "  \n ", "<stdin>:2:2: empty input"},
        {{"area"},
         "{\"type\":\"Polygon\",\"coordinates\":[[[0,0],[1,0],[1,1],[0,1]]]}",
         "<stdin>:1:61: /coordinates/0: ring is not closed"},
        {{"area"},
         "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Circle\",\"coordinates\":[]}}",
         "/geometry/type: unknown type 'Circle'"},
        {{"area"},
         "{\"type\":\"Point\",\"coordinates\":[1,\n\"x\"]}",
         "<stdin>:2:1: /coordinates/1: expected a number or an array, found '\"'"},
        {{"area"}, "{\"type\":\"Point\",\"coordinates\":[1,2]", "<stdin>:1:36: syntax error"},
        {{"area", "/nonexistent.wkt"}, "", "/nonexistent.wkt: cannot open: No such file"},
        {{"difference"}, kSquareWkt, "<stdin>: difference needs a second geometry"},
        {{"union"}, kLineWkt, "<stdin>:1:1: union needs Polygon or MultiPolygon geometries"},
        {{"offset"}, "", "offset: D is required"},
        {{"offset", "nan"}, "", "offset: D: must be a finite number"},
        {{"contour", "1"}, "1,2\n3,x\n", "<stdin>:2:3: expected a finite number, found 'x'"},
        {{"frob"}, "", "unknown operation 'frob'"},
        {{"area"},
         "{\"type\":\"Point\",\"coordinates\":[01,2]}",
         "/coordinates/0: expected a finite number, found '01'"},
        {{"area"}, Repeated("GEOMETRYCOLLECTION (", 70), "nested more than 64 deep"},
        {{"contour", "1"}, "1,2\n3,4,5\n", "<stdin>:2:1: expected 2 values as in the first row"},
        {{"split", "0", "0", "1", "1"}, kHoledWkt, "split needs polygons without holes"},
    };
    for (const auto& c : cases) {
        const Outcome run = Geo(c.args, c.input);
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.rfind("geo: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(GeoTool, NoResultPrintsNothingAndExitsOne) {
    const Outcome run = Geo({"offset", "-3"}, kSquareWkt);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
}

TEST(GeoTool, TimingGoesToStandardError) {
    const Outcome run = Geo({"-t", "area"}, kSquareWkt);
    EXPECT_EQ(run.out, "16\n");
    EXPECT_NE(run.err.find("geo: area took "), std::string::npos);
}

TEST(GeoTool, HelpListsEveryOperationWithAnExample) {
    const Outcome help = Geo({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* op :
         {"area", "length", "info", "union", "intersection", "difference", "xor", "offset", "clean",
          "contains", "triangulate", "hull", "mbr", "shade", "split", "contour"}) {
        EXPECT_NE(help.out.find(std::string("  geo ") + op + " "), std::string::npos) << op;
        const Outcome one = Geo({op, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_NE(one.out.find(std::string("Example: geo ") + op), std::string::npos) << op;
    }
}

}  // namespace

namespace {

// The writers' shortest numbers read back as the very same doubles, in both formats.
TEST(GeoText, WrittenNumbersReadBackExactly) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> scale(-12, 12), unit(-1, 1);
    Pts pts;
    for (int i = 0; i < 2000; ++i) {
        pts.emplace_back(unit(rng) * std::pow(10, scale(rng)), unit(rng) * 1e6, unit(rng));
    }
    const Shape line = Shape::line(pts);
    for (const std::string& text : {geoio::ToWkt(line), geoio::ToGeoJson(line)}) {
        const std::vector<Shape> back = Shapes(text);
        ASSERT_EQ(back.size(), 1u);
        ASSERT_EQ(back[0].pts.size(), pts.size());
        for (std::size_t i = 0; i < pts.size(); ++i) {
            EXPECT_EQ(back[0].pts[i].x, pts[i].x);
            EXPECT_EQ(back[0].pts[i].y, pts[i].y);
            EXPECT_EQ(back[0].pts[i].z, pts[i].z);
        }
    }
}

// The WKT dialect: any letter case, Z, M and ZM, EMPTY, both MultiPoint forms; collections
// and multi-points and multi-lines are read as their members.
TEST(GeoText, WktFormsReadAsTheirMembers) {
    const struct {
        std::string text;
        std::vector<std::string> kinds;
        std::size_t vertices;
    } cases[] = {
        {"point z (1 2 3)", {"Point"}, 1},
        {"POINT M (1 2 3) POINT ZM (1 2 3 4) POINT EMPTY", {"Point", "Point", "Point"}, 2},
        {"MULTIPOINT (1 2, (3 4), EMPTY)", {"Point", "Point", "Point"}, 2},
        {"MULTILINESTRING ((0 0, 1 1), EMPTY)", {"LineString", "LineString"}, 2},
        {"MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), EMPTY)", {"MultiPolygon"}, 4},
        {"GEOMETRYCOLLECTION (LINESTRING (0 0, 1 1), GEOMETRYCOLLECTION (POINT (1 1)), "
         "GEOMETRYCOLLECTION EMPTY)",
         {"LineString", "Point"},
         3},
    };
    for (const auto& c : cases) {
        std::vector<std::string> kinds;
        std::size_t vertices = 0;
        for (const Shape& s : Shapes(c.text)) {
            kinds.push_back(geoio::KindName(s));
            vertices += geoio::VertexCount(s);
        }
        EXPECT_EQ(kinds, c.kinds) << c.text;
        EXPECT_EQ(vertices, c.vertices) << c.text;
    }
}

// GeoJSON: members in any order, unknown members and properties skipped, a null geometry
// gives nothing, several objects one after the other.
TEST(GeoText, GeoJsonObjectsReadAsTheirGeometries) {
    const std::string text =
        "{\"features\":[{\"geometry\":null,\"type\":\"Feature\"},"
        "{\"properties\":{\"coordinates\":\"x\",\"type\":[1]},\"type\":\"Feature\","
        "\"geometry\":{\"coordinates\":[[[0,0],[2,0],[2,2],[0,0]]],\"type\":\"Polygon\"}}],"
        "\"bbox\":[0,0,2,2],\"type\":\"FeatureCollection\"}\n"
        "{\"type\":\"GeometryCollection\",\"geometries\":[{\"type\":\"MultiPoint\","
        "\"coordinates\":[[1,2],[3,4,5]]},{\"type\":\"GeometryCollection\",\"geometries\":[]}]}";
    std::vector<std::string> kinds;
    for (const Shape& s : Shapes(text)) {
        kinds.push_back(geoio::KindName(s));
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"Polygon", "Point", "Point"}));
    EXPECT_EQ(Shapes(text).back().pts.at(0).z, 5);
}

// A region's holes go with the outer that holds them when written back as polygons.
TEST(GeoText, HolesGoWithTheOuterHoldingThem) {
    const CRegion region(std::vector<Pts>{Square(0, 0, 2), Square(10, 0, 8)},
                         std::vector<Pts>{Square(12, 2, 2)});
    const Shape shape = geoio::FromRegion(region);
    ASSERT_EQ(shape.polygons.size(), 2u);
    EXPECT_EQ(shape.polygons[0].size(), 1u);
    EXPECT_EQ(shape.polygons[1].size(), 2u);
    EXPECT_DOUBLE_EQ(geoio::ToRegion(shape).area(), region.area());
}

// A fault late in an input of ordinary size leaves standard output empty.
TEST(GeoTool, FaultAfterResultsLeavesNoOutput) {
    const Outcome run = Geo({"area"}, Repeated(kSquareWkt, 2000) + "POINT (1)");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("<stdin>:2001:9: expected a number"), std::string::npos) << run.err;
}

}  // namespace
