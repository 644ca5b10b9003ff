#include "wkt.h"

#include <algorithm>
#include <cctype>

namespace geoio {
namespace {

// Longest keyword and longest number accepted.
constexpr std::size_t kMaxWord = 32;
constexpr std::size_t kMaxNumber = 256;
// Collections inside collections deeper than this are refused rather than recursed into.
constexpr int kMaxNesting = 64;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Upper(std::string_view word) {
    std::string out(word);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// Which coordinate values follow x and y: Free allows an optional z.
enum class Dims { Free, Z, M, ZM };

bool SamePoint(const CPoint3d& a, const CPoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Recursive-descent reader of one input; each geometry goes to the sink when complete.
class WktParser {
public:
    WktParser(TextSource& source, const ShapeSink& sink) : src(source), out(sink) {}

    void readAll() {
        bool any = false;
        while (src.peekAfterSpace() != -1) {
            readGeometry(0);
            any = true;
        }
        if (!any) {
            fail(src.here(), "empty input: expected a WKT geometry");
        }
    }

private:
    [[noreturn]] void fail(Place place, const std::string& message) {
        throw InputError(std::move(place), message);
    }

    // What comes next, for error messages; consumes it.
    std::string describeNext() {
        const int c = src.peekAfterSpace();
        if (c == -1) {
            return "end of input";
        }
        if (IsNumberChar(static_cast<char>(c))) {
            return "'" + std::string(src.token(IsNumberChar, kMaxWord)) + "'";
        }
        return std::string("'") + static_cast<char>(c) + "'";
    }

    [[noreturn]] void expected(const std::string& what) {
        src.peekAfterSpace();
        const Place at = src.here();
        fail(at, "expected " + what + ", found " + describeNext());
    }

    void expect(char c) {
        if (src.peekAfterSpace() != c) {
            expected(std::string("'") + c + "'");
        }
        src.advance();
    }

    // After an element of a list: true when a ',' announces another, false at the ')'.
    bool more() {
        const int c = src.peekAfterSpace();
        if (c == ',' || c == ')') {
            src.advance();
            return c == ',';
        }
        expected("',' or ')'");
    }

    // An optional dimension word (when dims is given), then '(' (true) or EMPTY (false).
    bool openOrEmpty(Dims* dims) {
        int c = src.peekAfterSpace();
        if (IsLetter(static_cast<char>(c))) {
            const Place at = src.here();
            const std::string word = Upper(src.token(IsLetter, kMaxWord));
            if (word == "EMPTY") {
                return false;
            }
            if (dims == nullptr || (word != "Z" && word != "M" && word != "ZM")) {
                fail(at, std::string(dims ? "expected Z, M, ZM, EMPTY or '('"
                                          : "expected EMPTY or '('") +
                             ", found '" + word + "'");
            }
            *dims = word == "Z" ? Dims::Z : word == "M" ? Dims::M : Dims::ZM;
            return openOrEmpty(nullptr);
        }
        expect('(');
        return true;
    }

    double number() {
        src.peekAfterSpace();
        const Place at = src.here();
        const std::string_view text = src.token([](char c) { return IsNumberChar(c); }, kMaxNumber);
        if (text.empty()) {
            expected("a number");
        }
        double v = 0;
        if (!ParseFiniteNumber(text, v)) {
            const std::string shown(text.substr(0, kMaxWord));
            fail(at, "expected a finite number, found '" + shown + "'");
        }
        return v;
    }

    // x, y and z of one coordinate appended to values.
    void coordinate(Dims dims, std::vector<double>& values) {
        values.push_back(number());
        values.push_back(number());
        double z = 0;
        if (dims == Dims::Z || dims == Dims::ZM) {
            z = number();
        } else if (dims == Dims::M) {
            number();
        } else {
            const int c = src.peekAfterSpace();
            if (c != ',' && c != ')' && c != -1) {
                z = number();
            }
        }
        if (dims == Dims::ZM) {
            number();
        }
        values.push_back(z);
    }

    CPoint3d coordinate(Dims dims) {
        scratch.clear();
        coordinate(dims, scratch);
        return CPoint3d(scratch[0], scratch[1], scratch[2]);
    }

    // Coordinates up to and including the closing ')'. They are gathered as plain numbers
    // first, so the points are built once, in a list of the right size.
    std::vector<CPoint3d> coordinates(Dims dims) {
        scratch.clear();
        do {
            coordinate(dims, scratch);
        } while (more());
        std::vector<CPoint3d> pts;
        pts.reserve(scratch.size() / 3);
        for (std::size_t i = 0; i < scratch.size(); i += 3) {
            pts.emplace_back(scratch[i], scratch[i + 1], scratch[i + 2]);
        }
        return pts;
    }

    std::vector<CPoint3d> lineText(Dims dims, const Place& at) {
        std::vector<CPoint3d> pts = coordinates(dims);
        if (pts.size() < 2) {
            fail(at, "a LineString needs at least 2 points, found " + std::to_string(pts.size()));
        }
        return pts;
    }

    Ring ring(Dims dims) {
        src.peekAfterSpace();
        const Place at = src.here();
        expect('(');
        Ring pts = coordinates(dims);
        if (pts.size() < 4) {
            fail(at, "a ring needs at least 4 points, found " + std::to_string(pts.size()));
        }
        if (!SamePoint(pts.front(), pts.back())) {
            fail(at, "ring is not closed: its last point differs from its first");
        }
        return pts;
    }

    // A polygon's rings after its '('.
    RingSet rings(Dims dims) {
        RingSet set;
        do {
            set.push_back(ring(dims));
        } while (more());
        return set;
    }

    void emit(Shape&& shape, const Place& at) {
        shape.place = at;
        out(std::move(shape));
    }

    void readPoint(const Place& at, Dims dims, bool open) {
        Shape shape;
        if (open) {
            shape.pts.push_back(coordinate(dims));
            expect(')');
        }
        emit(std::move(shape), at);
    }

    void readLine(const Place& at, Dims dims, bool open) {
        emit(Shape::line(open ? lineText(dims, at) : std::vector<CPoint3d>()), at);
    }

    void readPolygon(const Place& at, Dims dims, bool open) {
        std::vector<RingSet> polygons;
        if (open) {
            polygons.push_back(rings(dims));
        }
        emit(Shape::area(std::move(polygons)), at);
    }

    void readMultiPolygon(const Place& at, Dims dims, bool open) {
        std::vector<RingSet> polygons;
        while (open) {
            if (openOrEmpty(nullptr)) {
                polygons.push_back(rings(dims));
            }
            open = more();
        }
        Shape shape = Shape::area(std::move(polygons));
        shape.multi = true;
        emit(std::move(shape), at);
    }

    // Members are bare coordinates or parenthesised ones; each becomes a point.
    void readMultiPoint(Dims dims, bool open) {
        while (open) {
            const Place at = (src.peekAfterSpace(), src.here());
            if (src.peek() == '(' || IsLetter(static_cast<char>(src.peek()))) {
                readPoint(at, dims, openOrEmpty(nullptr));
            } else {
                emit(Shape::point(coordinate(dims)), at);
            }
            open = more();
        }
    }

    void readMultiLine(Dims dims, bool open) {
        while (open) {
            const Place at = (src.peekAfterSpace(), src.here());
            readLine(at, dims, openOrEmpty(nullptr));
            open = more();
        }
    }

    void readCollection(const Place& at, bool open, int depth) {
        if (open && depth >= kMaxNesting) {
            fail(at, "collections nested more than " + std::to_string(kMaxNesting) + " deep");
        }
        while (open) {
            readGeometry(depth + 1);
            open = more();
        }
    }

    void readGeometry(int depth) {
        src.peekAfterSpace();
        const Place at = src.here();
        const std::string tag = Upper(src.token(IsLetter, kMaxWord));
        if (tag.empty()) {
            expected("a geometry type");
        }
        Dims dims = Dims::Free;
        if (tag == "POINT") {
            readPoint(at, dims, openOrEmpty(&dims));
        } else if (tag == "LINESTRING") {
            readLine(at, dims, openOrEmpty(&dims));
        } else if (tag == "POLYGON") {
            readPolygon(at, dims, openOrEmpty(&dims));
        } else if (tag == "MULTIPOLYGON") {
            readMultiPolygon(at, dims, openOrEmpty(&dims));
        } else if (tag == "MULTIPOINT") {
            readMultiPoint(dims, openOrEmpty(&dims));
        } else if (tag == "MULTILINESTRING") {
            readMultiLine(dims, openOrEmpty(&dims));
        } else if (tag == "GEOMETRYCOLLECTION") {
            readCollection(at, openOrEmpty(&dims), depth);
        } else {
            fail(at, "unknown geometry type '" + tag +
                         "', expected POINT, LINESTRING, POLYGON, MULTIPOINT, MULTILINESTRING, "
                         "MULTIPOLYGON or GEOMETRYCOLLECTION");
        }
    }

    TextSource& src;
    const ShapeSink& out;
    // Coordinate values of the list being read; kept between inputs so that its memory is
    // reused.
    static thread_local std::vector<double> scratch;
};

thread_local std::vector<double> WktParser::scratch;

// "(x y, x y)" or with z.
void AppendCoordinates(std::string& out, const std::vector<CPoint3d>& pts, bool withZ,
                       const NumberFormat& format) {
    out += '(';
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        AppendNumber(out, pts[i].x, format);
        out += ' ';
        AppendNumber(out, pts[i].y, format);
        if (withZ) {
            out += ' ';
            AppendNumber(out, pts[i].z, format);
        }
    }
    out += ')';
}

void AppendRings(std::string& out, const RingSet& rings, bool withZ, const NumberFormat& format) {
    out += '(';
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        AppendCoordinates(out, rings[i], withZ, format);
    }
    out += ')';
}

void AppendArea(std::string& out, const Shape& shape, bool withZ, const NumberFormat& format) {
    if (shape.polygons.empty()) {
        out += " EMPTY";
        return;
    }
    out += ' ';
    if (!(shape.multi || shape.polygons.size() > 1)) {
        AppendRings(out, shape.polygons.front(), withZ, format);
        return;
    }
    out += '(';
    for (std::size_t i = 0; i < shape.polygons.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        AppendRings(out, shape.polygons[i], withZ, format);
    }
    out += ')';
}

}  // namespace

void ReadWkt(TextSource& source, const ShapeSink& sink) {
    WktParser(source, sink).readAll();
}

void ReadWkt(std::istream& in, const std::string& name, const ShapeSink& sink) {
    TextSource source(in, name);
    ReadWkt(source, sink);
}

void ReadWkt(std::string_view text, const std::string& name, const ShapeSink& sink) {
    TextSource source(text, name);
    ReadWkt(source, sink);
}

void AppendWkt(std::string& out, const Shape& shape, const NumberFormat& format) {
    const bool withZ = HasZ(shape);
    out.reserve(out.size() + VertexCount(shape) * kCoordinateText + 64);
    const bool multi = shape.kind == ShapeKind::Area && (shape.multi || shape.polygons.size() > 1);
    out += shape.kind == ShapeKind::Point  ? "POINT"
           : shape.kind == ShapeKind::Line ? "LINESTRING"
           : multi                         ? "MULTIPOLYGON"
                                           : "POLYGON";
    if (withZ) {
        out += " Z";
    }
    if (shape.kind == ShapeKind::Area) {
        AppendArea(out, shape, withZ, format);
    } else if (shape.pts.empty()) {
        out += " EMPTY";
    } else {
        out += ' ';
        AppendCoordinates(out, shape.pts, withZ, format);
    }
}

std::string ToWkt(const Shape& shape, const NumberFormat& format) {
    std::string out;
    AppendWkt(out, shape, format);
    return out;
}

}  // namespace geoio
