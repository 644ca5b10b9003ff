#include "geojson.h"

#include "numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <streambuf>
#include <utility>
#include <vector>

namespace geoio {
namespace {

using json = nlohmann::json;

// Bytes read from a stream at a time.
constexpr std::size_t kChunk = 1 << 16;
// A MultiPolygon's positions lie four arrays deep; nothing in GeoJSON lies deeper.
constexpr int kMaxCoordinateDepth = 4;

// Serves a stream (or a string) to the JSON parser chunk by chunk and tells the line and
// column of the parser's read position.
class CountingBuf : public std::streambuf {
public:
    CountingBuf(std::istream& stream, Cursor start)
        : in(&stream), chunk(kChunk), chunkCursor(start), scannedCursor(start) {}
    explicit CountingBuf(std::string_view text) {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
        scanned = begin;
    }

    // The position of the next character to be read.
    Cursor here() {
        for (const char* end = gptr(); scanned < end; ++scanned) {
            ++scannedCursor.offset;
            if (*scanned == '\n') {
                ++scannedCursor.line;
                scannedCursor.lineStart = scannedCursor.offset;
            }
        }
        return scannedCursor;
    }

    // Skips JSON blanks; the next character or -1.
    int peekAfterBlanks() {
        for (;;) {
            const int_type c = sgetc();
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t') {
                return c == traits_type::eof() ? -1 : c;
            }
            sbumpc();
        }
    }

    // The characters from here on that may belong to a number, consumed: straight from the
    // chunk when they end inside it, else gathered in spill (at most limit + 1 of them).
    std::string_view numberText(std::string& spill, std::size_t limit) {
        const char* begin = gptr();
        const char* stop = begin;
        while (stop < egptr() && IsNumberChar(*stop) && std::size_t(stop - begin) <= limit) {
            ++stop;
        }
        if (stop < egptr()) {
            gbump(static_cast<int>(stop - begin));
            return std::string_view(begin, static_cast<std::size_t>(stop - begin));
        }
        spill.clear();
        for (int_type c = sgetc();
             c != traits_type::eof() && IsNumberChar(static_cast<char>(c)) && spill.size() <= limit;
             c = snextc()) {
            spill += static_cast<char>(c);
        }
        return spill;
    }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        if (in == nullptr || !*in) {
            return traits_type::eof();
        }
        here();
        in->read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::streamsize n = in->gcount();
        if (n <= 0) {
            return traits_type::eof();
        }
        setg(chunk.data(), chunk.data(), chunk.data() + n);
        scanned = chunk.data();
        return traits_type::to_int_type(*gptr());
    }

private:
    std::istream* in = nullptr;
    std::vector<char> chunk;
    Cursor chunkCursor;
    const char* scanned = nullptr;  // characters before it are counted in scannedCursor
    Cursor scannedCursor;
};

// "~" and "/" escaped as a JSON pointer's reference token wants them.
std::string PointerToken(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (c == '~') {
            out += "~0";
        } else if (c == '/') {
            out += "~1";
        } else {
            out += c;
        }
    }
    return out;
}

// The parser's message without its exception tag and its own position, which counts from the
// start of the current object rather than of the input.
std::string ParserMessage(std::string what) {
    if (what.rfind("[json.exception.", 0) == 0 && what.find("] ") != std::string::npos) {
        what.erase(0, what.find("] ") + 2);
    }
    if (what.rfind("parse error", 0) == 0 && what.find(": ") != std::string::npos) {
        what.erase(0, what.find(": ") + 2);
    }
    return what;
}

// Longest number accepted in coordinates.
constexpr std::size_t kMaxNumber = 256;

// Whether text follows JSON's number grammar: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const bool leadingZero = i < text.size() && text[i] == '0';
    const std::size_t whole = digits();
    if (whole == 0 || (leadingZero && whole > 1)) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (digits() == 0) {
            return false;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return i == text.size();
}

// A character for a message.
std::string Shown(int c) {
    return c < 0 ? "end of input" : std::string("'") + static_cast<char>(c) + "'";
}

// Positions of one "coordinates" value as they arrive: the points, and where each array
// that is not a position ended.
struct CoordinateTree {
    int depth = 0;        // arrays open, 1 for the "coordinates" array itself
    int numberDepth = 0;  // depth at which numbers appear, 0 before the first
    long index[kMaxCoordinateDepth + 1] = {};
    double values[3] = {};
    int count = 0;                                    // numbers of the current position
    std::vector<double> xyz;                          // x, y and z of each point read
    std::vector<std::pair<int, std::size_t>> closes;  // (depth, points before the end)

    std::size_t points() const { return xyz.size() / 3; }
    // Points [from, to) as a list built once at its final size.
    std::vector<CPoint3d> slice(std::size_t from, std::size_t to) const {
        std::vector<CPoint3d> pts;
        pts.reserve(to - from);
        for (std::size_t i = 3 * from; i < 3 * to; i += 3) {
            pts.emplace_back(xyz[i], xyz[i + 1], xyz[i + 2]);
        }
        return pts;
    }
};

// Coordinate values of finished geometries, kept so that their memory is reused.
thread_local std::vector<double> spareValues;

// Which GeoJSON member a frame's current value belongs to.
enum class FrameKind { Object, List, Coordinates, Skip };

// One open object or array of the document.
struct Frame {
    FrameKind kind = FrameKind::Object;
    std::string key;     // Object: the member being read
    long index = 0;      // List, Skip arrays: the element being read
    bool array = false;  // Skip: whether the skipped value is an array
    std::string type;
    bool hasType = false, hasCoordinates = false, hasGeometry = false, hasFeatures = false,
         hasGeometries = false;
    Place place;
    CoordinateTree coords;
};

const char* const kGeometryTypes[] = {"Point",      "LineString",      "Polygon",
                                      "MultiPoint", "MultiLineString", "MultiPolygon"};

// How deep a geometry type's positions lie in its "coordinates"; 0 for other types.
int PositionDepth(const std::string& type) {
    static const int depths[] = {1, 2, 3, 2, 3, 4};
    for (int i = 0; i < 6; ++i) {
        if (type == kGeometryTypes[i]) {
            return depths[i];
        }
    }
    return 0;
}

// The SAX handler: tracks the open objects and arrays, captures coordinates, and turns each
// completed geometry object into shapes.
class GeoJsonHandler {
public:
    GeoJsonHandler(CountingBuf& buf, const std::string& name, const ShapeSink& sink)
        : buffer(buf), inputName(name), out(sink) {}

    bool null() { return scalar("null"); }
    bool boolean(bool) { return scalar("a boolean"); }
    bool number_integer(json::number_integer_t v) { return number(static_cast<double>(v)); }
    bool number_unsigned(json::number_unsigned_t v) { return number(static_cast<double>(v)); }
    bool number_float(json::number_float_t v, const std::string&) { return number(v); }
    bool binary(json::binary_t&) { return scalar("binary data"); }

    bool string(std::string& s) {
        if (!stack.empty() && stack.back().kind == FrameKind::Object &&
            stack.back().key == "type") {
            stack.back().type = s;
            stack.back().hasType = true;
            return true;
        }
        return scalar("a string");
    }

    bool key(std::string& k) {
        stack.back().key = k;
        return true;
    }

    bool start_object(std::size_t) { return open(false); }
    bool start_array(std::size_t) { return open(true); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        fail(ParserMessage(e.what()), false);
    }

private:
    [[noreturn]] void fail(const std::string& message, bool withPointer = true) {
        Place place = here();
        if (withPointer) {
            place.pointer = pointer();
        }
        throw InputError(std::move(place), message);
    }

    Place here() {
        const Cursor c = buffer.here();
        Place place;
        place.input = inputName;
        place.line = c.line;
        place.column = c.column();
        place.offset = c.offset;
        return place;
    }

    // The JSON pointer of the value being read.
    std::string pointer() const {
        std::string p;
        for (const Frame& f : stack) {
            if (f.kind == FrameKind::Object) {
                p += '/' + PointerToken(f.key);
            } else if (f.kind == FrameKind::Coordinates) {
                for (int d = 1; d <= f.coords.depth; ++d) {
                    p += '/' + std::to_string(f.coords.index[d]);
                }
            } else if (f.kind == FrameKind::List || f.array) {
                p += '/' + std::to_string(f.index);
            }
        }
        return p;
    }

    bool inCoordinates() const {
        return !stack.empty() && stack.back().kind == FrameKind::Coordinates;
    }

    // A value that is not an object, array or number where the frame expects one.
    bool scalar(const char* what) {
        if (stack.empty()) {
            fail(std::string("expected a GeoJSON object, found ") + what);
        }
        Frame& top = stack.back();
        if (top.kind == FrameKind::List) {
            fail(std::string("expected an object, found ") + what);
        }
        if (top.kind == FrameKind::Object) {
            memberScalar(top, what);
        }
        ++top.index;
        return true;
    }

    // A scalar member of a GeoJSON object: only "geometry": null is meaningful.
    void memberScalar(Frame& top, const char* what) {
        const std::string& k = top.key;
        if (k == "geometry" && std::string(what) == "null") {
            top.hasGeometry = true;
        } else if (k == "type") {
            fail(std::string("expected a string, found ") + what);
        } else if (k == "coordinates" || k == "features" || k == "geometries" || k == "geometry") {
            fail(std::string("expected ") + (k == "geometry" ? "an object or null" : "an array") +
                 ", found " + what);
        }
    }

    bool number(double) { return scalar("a number"); }

    bool open(bool array) {
        if (stack.empty()) {
            if (array) {
                fail("expected a GeoJSON object, found an array");
            }
            pushObject();
        } else if (stack.back().kind == FrameKind::List) {
            if (array) {
                fail("expected an object, found an array");
            }
            pushObject();
        } else if (stack.back().kind == FrameKind::Object) {
            openMember(array);
        } else {
            pushSkip(array);
        }
        return true;
    }

    void pushObject() {
        Frame f;
        f.place = here();
        f.place.pointer = pointer();
        stack.push_back(std::move(f));
    }

    void pushSkip(bool array) {
        Frame f;
        f.kind = FrameKind::Skip;
        f.array = array;
        stack.push_back(std::move(f));
    }

    void openCoordinateArray() {
        CoordinateTree& c = stack.back().coords;
        if (c.depth == kMaxCoordinateDepth) {
            fail("expected a number, found an array nested deeper than a MultiPolygon's");
        }
        if (c.numberDepth == c.depth) {
            fail("expected a number, found an array");
        }
        ++c.depth;
        c.index[c.depth] = 0;
        c.count = 0;
    }

    // An object or array as the value of a member of a GeoJSON object.
    void openMember(bool array) {
        Frame& top = stack.back();
        const std::string& k = top.key;
        if (k == "coordinates" || k == "features" || k == "geometries") {
            if (!array) {
                fail("expected an array, found an object");
            }
            if (k == "coordinates") {
                top.hasCoordinates = true;
                Frame f;
                f.kind = FrameKind::Coordinates;
                f.coords.depth = 1;
                f.coords.xyz = std::move(spareValues);
                f.coords.xyz.clear();
                stack.push_back(std::move(f));
                scanCoordinates(stack.back().coords);
            } else {
                (k == "features" ? top.hasFeatures : top.hasGeometries) = true;
                Frame f;
                f.kind = FrameKind::List;
                stack.push_back(std::move(f));
            }
        } else if (k == "geometry") {
            if (array) {
                fail("expected an object or null, found an array");
            }
            top.hasGeometry = true;
            pushObject();
        } else if (k == "type") {
            fail(std::string("expected a string, found ") + (array ? "an array" : "an object"));
        } else {
            pushSkip(array);
        }
    }

    bool close() {
        if (inCoordinates()) {
            closeCoordinateArray();
            return true;
        }
        Frame done = std::move(stack.back());
        stack.pop_back();
        if (done.kind == FrameKind::Object) {
            finishObject(done);
        }
        if (!stack.empty()) {
            ++stack.back().index;
        }
        return true;
    }

    // The content of a "coordinates" array, read here rather than by the JSON parser: only
    // numbers, brackets and commas may appear, and reading them directly is several times
    // faster. Stops before the array's own ']', which the parser then reads as an empty array.
    void scanCoordinates(CoordinateTree& c) {
        enum { AfterOpen, AfterComma, AfterValue } state = AfterOpen;
        for (;;) {
            const int ch = buffer.peekAfterBlanks();
            if (ch == ']' && state != AfterComma) {
                if (c.depth == 1) {
                    return;
                }
                buffer.sbumpc();
                closeCoordinateArray();
                state = AfterValue;
            } else if (state == AfterValue) {
                if (ch != ',') {
                    fail("expected ',' or ']', found " + Shown(ch));
                }
                buffer.sbumpc();
                state = AfterComma;
            } else if (ch == '[') {
                buffer.sbumpc();
                openCoordinateArray();
                state = AfterOpen;
            } else if (ch == '-' || (ch >= '0' && ch <= '9')) {
                coordinateNumber(c);
                state = AfterValue;
            } else {
                fail("expected a number or an array, found " + Shown(ch));
            }
        }
    }

    void coordinateNumber(CoordinateTree& c) {
        const std::string_view text = buffer.numberText(spill, kMaxNumber);
        double v = 0;
        if (!IsJsonNumber(text) || !ParseFiniteNumber(text, v)) {
            fail("expected a finite number, found '" + std::string(text.substr(0, 32)) + "'");
        }
        if (c.numberDepth == 0) {
            c.numberDepth = c.depth;
        } else if (c.numberDepth != c.depth) {
            fail("expected an array, found a number");
        }
        if (c.count < 3) {
            c.values[c.count] = v;
        }
        ++c.count;
        ++c.index[c.depth];
    }

    void closeCoordinateArray() {
        CoordinateTree& c = stack.back().coords;
        if (c.depth == c.numberDepth) {
            if (c.count < 2) {
                --c.depth;  // the pointer names the position itself
                fail("expected a position of 2 or 3 numbers, found " + std::to_string(c.count));
            }
            c.xyz.insert(c.xyz.end(), {c.values[0], c.values[1], c.count > 2 ? c.values[2] : 0.0});
        } else {
            c.closes.emplace_back(c.depth, c.points());
        }
        c.count = 0;
        --c.depth;
        if (c.depth > 0) {
            ++c.index[c.depth];
            return;
        }
        CoordinateTree tree = std::move(c);
        stack.pop_back();
        stack.back().coords = std::move(tree);
    }

    void finishObject(Frame& f) {
        const std::string& at = f.place.pointer;
        if (!f.hasType) {
            failAt(at, "expected a \"type\" member");
        }
        if (f.type == "Feature") {
            if (!f.hasGeometry) {
                failAt(at, "expected a \"geometry\" member");
            }
        } else if (f.type == "FeatureCollection") {
            if (!f.hasFeatures) {
                failAt(at, "expected a \"features\" member");
            }
        } else if (f.type == "GeometryCollection") {
            if (!f.hasGeometries) {
                failAt(at, "expected a \"geometries\" member");
            }
        } else if (PositionDepth(f.type) == 0) {
            failAt(at + "/type",
                   "unknown type '" + f.type +
                       "', expected Point, LineString, Polygon, MultiPoint, MultiLineString, "
                       "MultiPolygon, GeometryCollection, Feature or FeatureCollection");
        } else if (!f.hasCoordinates) {
            failAt(at, "expected a \"coordinates\" member");
        } else {
            emitGeometry(f);
        }
    }

    // Fails with the pointer of a value read earlier.
    [[noreturn]] void failAt(const std::string& at, const std::string& message) {
        Place place = here();
        place.pointer = at;
        throw InputError(std::move(place), message);
    }

    void emitGeometry(Frame& f) {
        const int depth = PositionDepth(f.type);
        CoordinateTree& c = f.coords;
        const std::string at = f.place.pointer + "/coordinates";
        if (c.numberDepth != 0 && c.numberDepth != depth) {
            failAt(at, "expected the coordinates of a " + f.type + ": positions " +
                           std::to_string(depth) + " array(s) deep, found them " +
                           std::to_string(c.numberDepth) + " deep");
        }
        for (const auto& [d, n] : c.closes) {
            if (d >= depth && !(depth == 1 && c.points() == 0)) {
                failAt(at, "expected a position of 2 or 3 numbers, found an empty array");
            }
        }
        if (f.type == "Point") {
            Shape s;
            s.pts = c.slice(0, c.points());
            emit(std::move(s), f.place);
        } else if (f.type == "LineString") {
            emitLine(f, c.slice(0, c.points()), at);
        } else if (f.type == "MultiPoint") {
            for (std::size_t i = 0; i < c.points(); ++i) {
                emit(Shape::point(c.slice(i, i + 1).front()), f.place);
            }
        } else {
            emitNested(f, depth, at);
        }
        c.xyz.clear();
        spareValues = std::move(c.xyz);
    }

    void emitLine(const Frame& f, std::vector<CPoint3d> pts, const std::string& at) {
        if (pts.size() == 1) {
            failAt(at, "a LineString needs at least 2 points, found 1");
        }
        emit(Shape::line(std::move(pts)), f.place);
    }

    void checkRing(const Ring& ring, const std::string& at) {
        if (ring.size() < 4) {
            failAt(at, "a ring needs at least 4 points, found " + std::to_string(ring.size()));
        }
        const CPoint3d &a = ring.front(), &b = ring.back();
        if (!(a.x == b.x && a.y == b.y && a.z == b.z)) {
            failAt(at, "ring is not closed: its last point differs from its first");
        }
    }

    // Polygon, MultiLineString and MultiPolygon: the ends of the arrays one level above the
    // positions cut the points into rings or lines; two levels above, into polygons.
    void emitNested(const Frame& f, int depth, const std::string& at) {
        const CoordinateTree& c = f.coords;
        std::vector<RingSet> polygons(1);
        std::size_t start = 0;
        for (const auto& [d, end] : c.closes) {
            if (d == depth - 1) {
                std::vector<CPoint3d> run = c.slice(start, end);
                start = end;
                const std::string runAt = depth == 4
                                              ? at + "/" + std::to_string(polygons.size() - 1) +
                                                    "/" + std::to_string(polygons.back().size())
                                              : at + "/" + std::to_string(polygons.back().size());
                if (f.type == "MultiLineString") {
                    emitLine(f, std::move(run), runAt);
                    polygons.back().emplace_back();
                    continue;
                }
                checkRing(run, runAt);
                polygons.back().push_back(std::move(run));
            } else if (d == depth - 2 && depth == 4) {
                polygons.emplace_back();
            }
        }
        if (f.type == "MultiLineString") {
            return;
        }
        if (depth == 4) {
            polygons.pop_back();  // opened by the end of the last polygon
        }
        polygons.erase(std::remove_if(polygons.begin(), polygons.end(),
                                      [](const RingSet& r) { return r.empty(); }),
                       polygons.end());
        Shape s = Shape::area(std::move(polygons));
        s.multi = depth == 4;
        emit(std::move(s), f.place);
    }

    void emit(Shape&& shape, const Place& place) {
        shape.place = place;
        out(std::move(shape));
    }

    CountingBuf& buffer;
    std::string spill;  // a number that runs over the end of a chunk
    const std::string& inputName;
    const ShapeSink& out;
    std::vector<Frame> stack;
};

// Parses the objects one after the other until only blanks remain.
void ParseObjects(CountingBuf& buf, const std::string& name, const ShapeSink& sink) {
    std::istream stream(&buf);
    bool any = false;
    for (;;) {
        std::istream::int_type c = buf.sgetc();
        while (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            c = buf.snextc();
        }
        if (c == std::istream::traits_type::eof()) {
            break;
        }
        GeoJsonHandler handler(buf, name, sink);
        json::sax_parse(stream, &handler, json::input_format_t::json, false);
        any = true;
    }
    if (!any) {
        const Cursor at = buf.here();
        throw InputError(Place{name, at.line, at.column(), at.offset, ""},
                         "empty input: expected a GeoJSON object");
    }
}

// ", " separated coordinates of a point, "[x,y]" or "[x,y,z]".
void AppendPosition(std::string& out, const CPoint3d& p, bool withZ, const NumberFormat& format) {
    out += '[';
    AppendNumber(out, p.x, format);
    out += ',';
    AppendNumber(out, p.y, format);
    if (withZ) {
        out += ',';
        AppendNumber(out, p.z, format);
    }
    out += ']';
}

void AppendPositions(std::string& out, const std::vector<CPoint3d>& pts, bool withZ,
                     const NumberFormat& format) {
    out += '[';
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendPosition(out, pts[i], withZ, format);
    }
    out += ']';
}

void AppendRingSet(std::string& out, const RingSet& rings, bool withZ, const NumberFormat& format) {
    out += '[';
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendPositions(out, rings[i], withZ, format);
    }
    out += ']';
}

}  // namespace

void ReadGeoJson(std::istream& in, const std::string& name, const ShapeSink& sink, Cursor start) {
    CountingBuf buf(in, start);
    ParseObjects(buf, name, sink);
}

void ReadGeoJson(std::string_view text, const std::string& name, const ShapeSink& sink) {
    CountingBuf buf(text);
    ParseObjects(buf, name, sink);
}

void AppendGeoJson(std::string& out, const Shape& shape, const NumberFormat& format) {
    const bool withZ = HasZ(shape);
    out.reserve(out.size() + VertexCount(shape) * kCoordinateText + 64);
    const bool multi = shape.multi || shape.polygons.size() > 1;
    out += "{\"type\":\"";
    out += shape.kind == ShapeKind::Point  ? "Point"
           : shape.kind == ShapeKind::Line ? "LineString"
           : multi                         ? "MultiPolygon"
                                           : "Polygon";
    out += "\",\"coordinates\":";
    if (shape.kind == ShapeKind::Point) {
        if (shape.pts.empty()) {
            out += "[]";
        } else {
            AppendPosition(out, shape.pts.front(), withZ, format);
        }
    } else if (shape.kind == ShapeKind::Line) {
        AppendPositions(out, shape.pts, withZ, format);
    } else if (!multi) {
        AppendRingSet(out, shape.polygons.empty() ? RingSet() : shape.polygons.front(), withZ,
                      format);
    } else {
        out += '[';
        for (std::size_t i = 0; i < shape.polygons.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            AppendRingSet(out, shape.polygons[i], withZ, format);
        }
        out += ']';
    }
    out += '}';
}

std::string ToGeoJson(const Shape& shape, const NumberFormat& format) {
    std::string out;
    AppendGeoJson(out, shape, format);
    return out;
}

}  // namespace geoio
