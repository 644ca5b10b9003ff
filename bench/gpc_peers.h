#pragma once
// One GPC ring handed to the peers the clipping benchmarks compare against.

#include <geos_c.h>

#include <cstddef>
#include <vector>

#include "support/boost_geometry.h"

#include <geo/gpc.h>

namespace gpc_peers {

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BMulti = bg::model::multi_polygon<BPolygon>;
using Ring = std::vector<gpc::gpc_vertex>;

// The ring as a Boost polygon, oriented and closed as Boost expects.
inline BPolygon toBoost(const Ring& ring) {
    BPolygon p;
    for (const gpc::gpc_vertex& v : ring) {
        bg::append(p.outer(), BPoint(v.x, v.y));
    }
    bg::correct(p);
    return p;
}

// The ring as a GEOS polygon (closing vertex added); the caller destroys it.
inline GEOSGeometry* toGeos(GEOSContextHandle_t h, const Ring& ring) {
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(ring.size() + 1), 2);
    for (std::size_t i = 0; i <= ring.size(); ++i) {
        const gpc::gpc_vertex& v = ring[i % ring.size()];
        GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), v.x, v.y);
    }
    return GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, seq), nullptr, 0);
}

// GEOS's boolean for a GPC operation code; the caller destroys the result.
inline GEOSGeometry* geosBoolean(GEOSContextHandle_t h, int op, const GEOSGeometry* a,
                                 const GEOSGeometry* b) {
    switch (op) {
        case gpc::GPC_DIFF:
            return GEOSDifference_r(h, a, b);
        case gpc::GPC_INT:
            return GEOSIntersection_r(h, a, b);
        case gpc::GPC_XOR:
            return GEOSSymDifference_r(h, a, b);
        default:
            return GEOSUnion_r(h, a, b);
    }
}

}  // namespace gpc_peers
