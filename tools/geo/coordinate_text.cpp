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
    if (style.bracketEachPoint) {
        out += style.open;
    }
    AppendNumber(out, p.x, format);
    out += style.numberSeparator;
    AppendNumber(out, p.y, format);
    if (withZ) {
        out += style.numberSeparator;
        AppendNumber(out, p.z, format);
    }
    if (style.bracketEachPoint) {
        out += style.close;
    }
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
