#include "coordinate_text.h"

namespace geoio {
namespace {

// Each item through append, separated, in brackets.
template <typename Item, typename Append>
void AppendList(std::string& out, const std::vector<Item>& items, const CoordinateStyle& style,
                Append append) {
    out += style.open;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += style.listSeparator;
        }
        append(items[i]);
    }
    out += style.close;
}

}  // namespace

void AppendPoint(std::string& out, const CPoint3d& p, bool withZ, const NumberFormat& format,
                 const CoordinateStyle& style) {
    // The whole point is written to a buffer and appended at once.
    char buffer[3 * kMaxNumberText + 4];
    char* end = buffer;
    if (style.bracketEachPoint) {
        *end++ = style.open;
    }
    end = WriteNumber(end, p.x, format);
    *end++ = style.numberSeparator;
    end = WriteNumber(end, p.y, format);
    if (withZ) {
        *end++ = style.numberSeparator;
        end = WriteNumber(end, p.z, format);
    }
    if (style.bracketEachPoint) {
        *end++ = style.close;
    }
    out.append(buffer, end);
}

void AppendPoints(std::string& out, const std::vector<CPoint3d>& pts, bool withZ,
                  const NumberFormat& format, const CoordinateStyle& style) {
    AppendList(out, pts, style,
               [&](const CPoint3d& p) { AppendPoint(out, p, withZ, format, style); });
}

void AppendRingSet(std::string& out, const RingSet& rings, bool withZ, const NumberFormat& format,
                   const CoordinateStyle& style) {
    AppendList(out, rings, style,
               [&](const Ring& ring) { AppendPoints(out, ring, withZ, format, style); });
}

void AppendPolygons(std::string& out, const std::vector<RingSet>& polygons, bool withZ,
                    const NumberFormat& format, const CoordinateStyle& style) {
    AppendList(out, polygons, style,
               [&](const RingSet& rings) { AppendRingSet(out, rings, withZ, format, style); });
}

}  // namespace geoio
