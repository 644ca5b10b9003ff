#include "read_shapes.h"

#include "geojson.h"
#include "wkt.h"

namespace geoio {
namespace {

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

[[noreturn]] void FailEmpty(const std::string& name, const Cursor& at) {
    throw InputError(Place{name, at.line, at.column(), at.offset, ""},
                     "empty input: expected a WKT or GeoJSON geometry");
}

}  // namespace

void ReadShapes(std::istream& in, const std::string& name, const ShapeSink& sink) {
    std::streambuf* buf = in.rdbuf();
    Cursor at;
    int c = buf->sgetc();
    for (; IsBlank(c); c = buf->snextc()) {
        ++at.offset;
        if (c == '\n') {
            ++at.line;
            at.lineStart = at.offset;
        }
    }
    if (c == std::char_traits<char>::eof()) {
        FailEmpty(name, at);
    }
    if (c == '{') {
        ReadGeoJson(in, name, sink, at);
    } else {
        TextSource source(in, name, at);
        ReadWkt(source, sink);
    }
}

void ReadShapes(std::string_view text, const std::string& name, const ShapeSink& sink) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string_view::npos) {
        Cursor at;
        for (char c : text) {
            ++at.offset;
            if (c == '\n') {
                ++at.line;
                at.lineStart = at.offset;
            }
        }
        FailEmpty(name, at);
    }
    if (text[first] == '{') {
        ReadGeoJson(text, name, sink);
    } else {
        ReadWkt(text, name, sink);
    }
}

}  // namespace geoio
