#pragma once
// Areas computed by GEOS from CPoint3d outlines, as independent oracles for the toolkit.

#include "support/overlay_corpus.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace geos_areas {

// An outline's WKT polygon, closing point added.
inline std::string polygonWkt(const std::vector<CPoint3d>& pts) {
    std::ostringstream text;
    text << std::setprecision(17) << "POLYGON((";
    for (const CPoint3d& p : pts) {
        text << p.x << ' ' << p.y << ", ";
    }
    text << pts[0].x << ' ' << pts[0].y << "))";
    return text.str();
}

// Area of the geometry `make` builds from the WKT text; -1 when GEOS fails.
template <class Make>
double areaOf(const std::string& text, Make make) {
    overlay_corpus::GeosSession geos;
    GEOSGeometry* in = geos.read(text);
    GEOSGeometry* out = in ? make(geos.ctx(), in) : nullptr;
    double area = -1.0;
    if (out) {
        GEOSArea_r(geos.ctx(), out, &area);
    }
    geos.destroy(out);
    geos.destroy(in);
    return area;
}

// Area of the union of the outlines.
inline double unionArea(const std::vector<std::vector<CPoint3d>>& pieces) {
    std::string text = "GEOMETRYCOLLECTION(";
    for (size_t k = 0; k < pieces.size(); ++k) {
        text += (k ? ", " : "") + polygonWkt(pieces[k]);
    }
    text += ")";
    return areaOf(text, [](GEOSContextHandle_t ctx, const GEOSGeometry* g) {
        return GEOSUnaryUnion_r(ctx, g);
    });
}

// Area of the outline grown by d with mitred corners that are never cut off.
inline double mitredGrowthArea(const std::vector<CPoint3d>& outline, double d) {
    return areaOf(polygonWkt(outline), [d](GEOSContextHandle_t ctx, const GEOSGeometry* g) {
        return GEOSBufferWithStyle_r(ctx, g, d, 8, GEOSBUF_CAP_FLAT, GEOSBUF_JOIN_MITRE, 1e6);
    });
}

}  // namespace geos_areas
