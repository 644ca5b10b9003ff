// Transformed point lists and entity vertex lists.
#include <geo/measures.h>
#include <geo/polygon3d.h>
#include <geo/polylines.h>
#include <geo/region.h>
#include <geo/solids.h>
#include <geo/transformed_lists.h>

#include <typeindex>

namespace {

// Direction of ring edge j, measured back from its far end as the fitting rule takes it.
double edgeAngle(const std::vector<CPoint3d>& ring, int j) {
    const size_t n = ring.size();
    return GetAngle(ring[(static_cast<size_t>(j) + 1) % n], ring[static_cast<size_t>(j)]);
}

bool validEdge(const std::vector<CPoint3d>& ring, int j) {
    return j >= 0 && static_cast<size_t>(j) < ring.size();
}

// The outer contours of a region, one after another.
std::vector<CPoint3d> outerPoints(const CRegion& region) {
    std::vector<CPoint3d> pts;
    for (const RegionContour& c : region.contours) {
        if (c.isOuter) {
            pts.insert(pts.end(), c.pts.begin(), c.pts.end());
        }
    }
    return pts;
}

}  // namespace

std::vector<CPoint3d> PtsMove(std::vector<CPoint3d>& pts, CVector3d v) {
    for (CPoint3d& p : pts) {
        p += v;
    }
    return pts;
}

std::vector<CPoint3d> PtsRotate(std::vector<CPoint3d>& pts, CPoint3d base, double angle) {
    for (CPoint3d& p : pts) {
        p.rotate(base, angle);
    }
    return pts;
}

std::vector<CPoint3d> PtsMirror(std::vector<CPoint3d>& pts, CLine line) {
    for (CPoint3d& p : pts) {
        p.mirror(line);
    }
    return pts;
}

std::vector<CPoint3d> PtsScale(std::vector<CPoint3d>& pts, CPoint3d base, double factor) {
    for (CPoint3d& p : pts) {
        p.scale(factor, base);
    }
    return pts;
}

void ScalePtBaseline(CLine const& line, std::vector<CPoint3d>& pts, double const& factor) {
    for (CPoint3d& p : pts) {
        const CPoint3d foot = line.getClosestPnt(p);
        p = foot + (p - foot) * factor;
    }
}

bool RotateGeo(CGeometry* geo, std::vector<CPoint3d> const& ring, int edgeA, CPoint3d const& p1,
               int edgeB, CPoint3d const& p2) {
    if (geo == nullptr || !validEdge(ring, edgeA) || !validEdge(ring, edgeB)) {
        return false;
    }
    geo->move(p2 - p1);
    geo->rotate(p2, edgeAngle(ring, edgeB) - edgeAngle(ring, edgeA));
    return true;
}

std::vector<CPoint3d> GetGeometryPts(CGeometry* geo) {
    if (geo == nullptr) {
        return {};
    }
    const std::type_info& t = geo->type();
    if (t == typeid(CPolygon)) {
        return static_cast<CPolygon*>(geo)->getPoints();
    }
    if (t == typeid(CPolyline)) {
        return static_cast<CPolyline*>(geo)->getPoints();
    }
    if (t == typeid(CRegion)) {
        return outerPoints(*static_cast<CRegion*>(geo));
    }
    if (t == typeid(CPolygon3D)) {
        return static_cast<CPolygon3D*>(geo)->getWorldPts();
    }
    return {};
}

bool GeoIsPline(CGeometry* geo) {
    if (geo == nullptr) {
        return true;
    }
    static const std::type_index areasAndSolids[] = {typeid(CPolygon),   typeid(CRegion),
                                                     typeid(CPolygon3D), typeid(CSphere),
                                                     typeid(CCone),      typeid(CPyramid)};
    const std::type_index t(geo->type());
    for (const std::type_index& a : areasAndSolids) {
        if (t == a) {
            return false;
        }
    }
    return true;
}
