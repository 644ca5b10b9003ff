// Sampling: points along polylines, lattices inside outlines, arcs, circles, segment
// rectangles, wavy arc chains and triangles of outlines with holes.
#include <geo/acge/gearc2d.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/float_comp.h>
#include <geo/gpc.h>
#include <geo/gpc_contours.h>
#include <geo/lines.h>
#include <geo/measures.h>
#include <geo/polylines.h>
#include <geo/sampling.h>

#include "foundation/numeric.h"
#include "toolkit/lattice.h"
#include "toolkit/outline_queries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using geo_detail::isFiniteXY;
using geo_detail::kHalfPi;
using geo_detail::kPi;
using geo_detail::kPointTol;
using geo_detail::Lattice;

namespace {

constexpr double kDegree = kPi / 180.0;
// Rounding added to length / step before taking the integer part: the end of a polyline gets
// its own point only when the last remainder exceeds 0.3 step.
constexpr double kCountRounding = 0.7;
// Arc sampling: one point per this much sweep, at least kMinArcSamples points.
constexpr double kFineArcStep = kPi / 144.0;
constexpr double kCoarseArcStep = kPi / 18.0;
constexpr int kMinArcSamples = 6;
// Most points one coarse arc can give: a sweep below a full turn sampled every pi/18.
constexpr double kMaxCoarseArcSamples = 36.0;
// Steps of Circle no larger than this (degrees) give no points.
constexpr double kMinCircleStep = 0.0001;
// An arc whose half sweep has a sine below this (a sweep of 0 or a whole number of turns)
// has no finite radius.
constexpr double kMinHalfSweepSine = 1e-12;
// Chords and bulges below this give no arc centre.
constexpr double kMinChordOrBulge = 1e-6;
// Random sweeps of the arc chains: rand() % 180, raised to at least 60 degrees.
constexpr int kSweepRange = 180;
constexpr int kMinSweep = 60;

// True when step is a usable, positive, finite length.
bool usableStep(double step) {
    return step > 0.0 && std::isfinite(step);
}

// True when length / step points stay within the sample cap.
bool withinCap(double length, double step) {
    return length / step < static_cast<double>(kMaxSamplePoints);
}

// The plan box of the closed outline, through a normalised polygon as the lattice rule says.
void outlineBox(const std::vector<CPoint3d>& ring, CPoint3d& min, CPoint3d& max) {
    CPolygon(ring, true).getBox(min, max);
}

// Closes a copy of the outline: its first point is appended when the last differs by more
// than 1e-6.
std::vector<CPoint3d> closedCopy(std::vector<CPoint3d> pts) {
    if (!pts.back().isEqualTo(pts.front(), kPointTol)) {
        pts.push_back(pts.front());
    }
    return pts;
}

// Appends every lattice point (unfiltered).
void appendLattice(const Lattice& lattice, std::vector<CPoint3d>& out) {
    for (size_t i = 0; i < lattice.rows; ++i) {
        for (size_t j = 0; j < lattice.cols; ++j) {
            out.push_back(lattice.at(i, j));
        }
    }
}

// Counts the lattice points strictly inside the box that share the first such point's column
// (alongX) and row (alongY), comparing within 1e-6.
void countAlongBox(const Lattice& lattice, const CPoint3d& min, const CPoint3d& max, int& alongX,
                   int& alongY) {
    bool haveRef = false;
    double xr = 0.0, yr = 0.0;
    for (size_t i = 0; i < lattice.rows; ++i) {
        for (size_t j = 0; j < lattice.cols; ++j) {
            const double x = lattice.x(j), y = lattice.y(i);
            if (!(x > min.x && x < max.x && y > min.y && y < max.y)) {
                continue;
            }
            if (!haveRef) {
                haveRef = true;
                xr = x;
                yr = y;
            }
            alongX += FloatComp(x, xr, kPointTol) == 0 ? 1 : 0;
            alongY += FloatComp(y, yr, kPointTol) == 0 ? 1 : 0;
        }
    }
}

// Drops the points of out that are not strictly inside the ring.
void keepInside(std::vector<CPoint3d>& out, const std::vector<CPoint3d>& ring) {
    const containment_detail::OutlineQueries inRing(ring, kPointTol, out.size());
    out.erase(std::remove_if(out.begin(), out.end(),
                             [&](const CPoint3d& p) { return !inRing.ptIn(p, false); }),
              out.end());
}

// The shared body of the two MesurePolygon forms: earlier points of out are filtered, then
// the inside lattice points are appended. counts (may be null) receives alongX / alongY.
void measurePolygon(const std::vector<CPoint3d>& pts, std::vector<CPoint3d>& out, double step,
                    int* alongX, int* alongY) {
    if (pts.size() < 3) {
        return;
    }
    const std::vector<CPoint3d> ring = closedCopy(pts);
    CPoint3d min, max;
    outlineBox(ring, min, max);
    Lattice lattice;
    if (!geo_detail::MakeLattice(min, max, step, lattice)) {
        return;
    }
    if (alongX != nullptr) {
        countAlongBox(lattice, min, max, *alongX, *alongY);
    }
    keepInside(out, ring);
    geo_detail::AppendInsideLattice(lattice, ring, kPointTol, out);
}

// The vertex list MeasureGeometry samples, closed where the entity is.
std::vector<CPoint3d> measuredVertices(const CGeometry& geo) {
    std::vector<CPoint3d> pts;
    bool closed = false;
    if (geo.type() == typeid(CPolygon)) {
        pts = static_cast<const CPolygon&>(geo).getPoints();
        closed = true;
    } else if (geo.type() == typeid(CLineSeg)) {
        const auto& seg = static_cast<const CLineSeg&>(geo);
        pts = {seg.startPt, seg.endPt};
    } else if (geo.type() == typeid(CPolyline)) {
        const auto& pl = static_cast<const CPolyline&>(geo);
        pts = pl.getPoints();
        closed = pl.isClosed();
    }
    if (closed && pts.size() >= 2 && pts.back() != pts.front()) {
        pts.push_back(pts.front());
    }
    return pts;
}

// The unit direction Polar(a, GetAngle(a, b), d) moves along, computed as Polar computes it,
// so a segment's points can share it.
CVector3d polarDirection(const CPoint3d& a, const CPoint3d& b) {
    CVector3d dir(1.0, 0.0, 0.0);
    dir.rotate(GetAngle(a, b), CVector3d(0.0, 0.0, 1.0));
    return dir;
}

// ---- arcs ----------------------------------------------------------------------------------

// The arc of GetChildArcPoints: its chord midpoint, right-hand unit normal, the height of its
// middle above the chord, and its points sampled one per sampleStep of sweep.
struct ChildArc {
    CPoint3d mid;
    CVector3d normal;
    double height = 0.0;
    std::vector<CPoint3d> points;
};

bool buildChildArc(const CPoint3d& p1, const CPoint3d& p2, double angleDeg, double sampleStep,
                   ChildArc& arc) {
    const double h = 0.5 * angleDeg * kDegree;
    const double chord = p1.distanceTo(p2);
    const double radius = 0.5 * chord / std::sin(h);
    arc.mid = GetMidPoint(p1, p2);
    arc.normal = CVector3d(p2 - p1).normalize().rotate(-kHalfPi, CVector3d::kZAxis);
    arc.height = radius * (1.0 - std::cos(h));
    const CPoint3d q = arc.mid + arc.normal * arc.height;
    if (!(chord >= kMinChordOrBulge) || !(std::fabs(std::sin(h)) >= kMinHalfSweepSine) ||
        !std::isfinite(arc.height) || !isFiniteXY(p1) || !isFiniteXY(p2)) {
        return false;
    }
    const AcGeCircArc2d curve(Pnt3dToAcPnt2d(p1), Pnt3dToAcPnt2d(q), Pnt3dToAcPnt2d(p2));
    const double sweep = std::fabs(curve.endAng() - curve.startAng());
    const int count = std::max(kMinArcSamples, static_cast<int>(sweep / sampleStep));
    AcGePoint2dArray samples;
    curve.getSamplePoints(count, samples);
    AcPnt2dToPnt3d_Ary(samples, arc.points);
    return true;
}

// One random sweep in degrees: 60 to 179, negated (the other side) when odd.
double randomSweep() {
    int e = std::rand() % kSweepRange;
    e = std::max(e, kMinSweep);
    return (e % 2 != 0) ? -e : e;
}

// The points c, c + L, c + 2L, ... along a -> b (the direction of GetAngle(a, b)), ending at b;
// empty when the chord length L is unusable or the arcs drawn on the pieces, `arcsPerPiece` of
// at most kMaxCoarseArcSamples points each, would exceed the cap.
std::vector<CPoint3d> chainStops(const CPoint3d& a, const CPoint3d& b, double piece,
                                 double arcsPerPiece) {
    std::vector<CPoint3d> stops;
    const double total = a.distanceTo(b);
    if (!usableStep(piece) || !isFiniteXY(a) || !isFiniteXY(b) || !std::isfinite(total) ||
        !withinCap(total * arcsPerPiece * kMaxCoarseArcSamples, piece)) {
        return stops;
    }
    const double angle = GetAngle(a, b);
    // The walk ends within this many pieces even when rounding leaves a sliver.
    const size_t maxPieces = static_cast<size_t>(total / piece) + 2;
    CPoint3d c = a;
    stops.push_back(c);
    while (c.distanceTo(b) > kPointTol && stops.size() <= maxPieces) {
        const bool last =
            FloatComp(c.distanceTo(b), piece, kPointTol) == -1 || stops.size() == maxPieces;
        c = last ? b : Polar(c, angle, piece);
        stops.push_back(c);
    }
    return stops;
}

// ---- triangles -----------------------------------------------------------------------------

bool finiteLists(const std::vector<std::vector<AcGePoint3d>>& lists) {
    for (const auto& list : lists) {
        if (!std::all_of(list.begin(), list.end(), isFiniteXY<AcGePoint3d>)) {
            return false;
        }
    }
    return true;
}

void addContours(const std::vector<std::vector<AcGePoint3d>>& lists, int hole,
                 gpc::gpc_polygon& poly) {
    for (const auto& list : lists) {
        std::vector<CPoint3d> pts;
        vecgePts2AcVecPts(list, pts);
        AddPtarrToPolygon(pts, &poly, hole);
    }
}

// Triangles of the outers less the holes, from triangle strips: for a strip v0, v1, ... each
// triple (v[i-2], v[i-1], v[i]).
void triangulate(const std::vector<std::vector<AcGePoint3d>>& outers,
                 const std::vector<std::vector<AcGePoint3d>>& holes, double z,
                 std::vector<std::vector<AcGePoint3d>>& triangles) {
    if (!finiteLists(outers) || !finiteLists(holes)) {
        return;
    }
    gpc::gpc_polygon poly{0, nullptr, nullptr};
    addContours(outers, 0, poly);
    addContours(holes, 1, poly);
    gpc::gpc_tristrip strips{0, nullptr};
    gpc::gpc_polygon_to_tristrip(&poly, &strips);
    for (int s = 0; s < strips.num_strips; ++s) {
        const gpc::gpc_vertex_list& strip = strips.strip[s];
        for (int i = 2; i < strip.num_vertices; ++i) {
            const gpc::gpc_vertex* v = strip.vertex;
            triangles.push_back({AcGePoint3d(v[i - 2].x, v[i - 2].y, z),
                                 AcGePoint3d(v[i - 1].x, v[i - 1].y, z),
                                 AcGePoint3d(v[i].x, v[i].y, z)});
        }
    }
    gpc::gpc_free_tristrip(&strips);
    gpc::gpc_free_polygon(&poly);
}

}  // namespace

// ---- along polylines -----------------------------------------------------------------------

void MeasurePolyline(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step) {
    if (pts.size() < 2 || !usableStep(step)) {
        return;
    }
    SetZ(pts, 0.0);
    std::vector<double> ends, lens;  // running length at the end of each segment, its length
    double total = 0.0;
    for (size_t j = 0; j + 1 < pts.size(); ++j) {
        lens.push_back(pts[j].distanceTo(pts[j + 1]));
        total += lens.back();
        ends.push_back(total);
    }
    if (!std::isfinite(total) || !withinCap(total, step)) {
        return;
    }
    const long count = static_cast<long>(total / step + kCountRounding);
    out.reserve(out.size() + static_cast<size_t>(count));
    size_t j = 0;
    CVector3d dir = polarDirection(pts[0], pts[1]);
    for (long k = 0; k < count; ++k) {
        const double at = static_cast<double>(k) * step;
        if (j + 1 < ends.size() && ends[j] < at) {
            while (j + 1 < ends.size() && ends[j] < at) {
                ++j;
            }
            dir = polarDirection(pts[j], pts[j + 1]);
        }
        CPoint3d p = pts[j] + dir * (at - (ends[j] - lens[j]));
        p.z = pts[j].z;
        out.push_back(p);
    }
}

void MeasurePolylineEx(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step) {
    out.clear();
    if (pts.size() < 2 || !usableStep(step) || !withinCap(GetTotalLength(pts), step)) {
        return;
    }
    double remain = step;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        out.push_back(pts[i]);
        remain -= pts[i].distanceTo(pts[i + 1]);
        const CVector3d dir = CVector3d(pts[i + 1] - pts[i]).normalize();
        while (remain <= 0.0) {
            out.push_back(pts[i + 1] + dir * remain);
            remain += step;
        }
    }
    out.push_back(pts.back());
}

bool MeasureGeometry(CGeometry* geo, double step, std::vector<CPoint3d>& out) {
    out.clear();
    if (geo == nullptr) {
        return false;
    }
    const std::vector<CPoint3d> pts = measuredVertices(*geo);
    if (pts.size() >= 2) {
        MeasurePolyline(pts, out, step);
    }
    return !out.empty();
}

// ---- lattices ------------------------------------------------------------------------------

void MesurePolygon(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step) {
    measurePolygon(pts, out, step, nullptr, nullptr);
}

void MesurePolygon(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step, int& alongX,
                   int& alongY) {
    alongY = 0;
    measurePolygon(pts, out, step, &alongX, &alongY);
}

void MesurePolygonWGF(std::vector<CPoint3d> pts, std::vector<CPoint3d>& out, double step, int& rows,
                      int& cols) {
    rows = 0;
    cols = 0;
    if (pts.size() < 3) {
        return;
    }
    CPoint3d min, max;
    outlineBox(closedCopy(pts), min, max);
    Lattice lattice;
    if (geo_detail::MakeLattice(min, max, step, lattice)) {
        appendLattice(lattice, out);
        rows = static_cast<int>(lattice.rows);
        cols = static_cast<int>(lattice.cols);
    }
}

// ---- arcs and circles ----------------------------------------------------------------------

void GetChildArcPoints(CPoint3d p1, CPoint3d p2, double angle, double factor,
                       std::vector<CPoint3d>& out) {
    ChildArc arc;
    if (!buildChildArc(p1, p2, angle, kFineArcStep, arc)) {
        return;
    }
    const size_t first = out.size();
    out.insert(out.end(), arc.points.begin(), arc.points.end());
    // The middle of the points just appended; earlier points of out are not the arc's.
    out[first + arc.points.size() / 2] = arc.mid + arc.normal * (arc.height * factor);
}

void GetChildArcPoints(CPoint3d p1, CPoint3d p2, double angle, std::vector<CPoint3d>& out) {
    ChildArc arc;
    if (buildChildArc(p1, p2, angle, kCoarseArcStep, arc)) {
        out.insert(out.end(), arc.points.begin(), arc.points.end());
    }
}

std::vector<CPoint3d> Circle(CPoint3d const& center, double radius, double stepDeg) {
    std::vector<CPoint3d> ring;
    if (FloatComp(stepDeg, 0.0, kMinCircleStep) != 1 || !std::isfinite(stepDeg)) {
        return ring;
    }
    const double s = stepDeg * kDegree;
    const long last = static_cast<long>(360.0 / stepDeg);
    for (long i = 0; i <= last; ++i) {
        const double a = static_cast<double>(i) * s;
        ring.emplace_back(center.x + radius * std::cos(a), center.y + radius * std::sin(a),
                          center.z);
    }
    return ring;
}

bool GetCenterFromBulge(CPoint3d const& p1, CPoint3d const& p2, double const& bulge,
                        CPoint3d& center) {
    const double chord = p1.distanceTo(p2);
    if (!(chord >= kMinChordOrBulge) || !(std::fabs(bulge) >= kMinChordOrBulge) ||
        !std::isfinite(chord) || !std::isfinite(bulge)) {
        return false;
    }
    const double half = 0.5 * chord;
    const double sagitta = half * std::fabs(bulge);
    const double radius = (sagitta * sagitta + half * half) / (2.0 * sagitta);
    const CVector3d n = CVector3d(p1.y - p2.y, p2.x - p1.x, 0.0).normalize();
    const CVector3d shift = n * (radius - sagitta);
    const CPoint3d mid = GetMidPoint(p1, p2);
    center = bulge > 0.0 ? mid + shift : mid + (-shift);
    return true;
}

void LineToRectPts(CPoint3d a, CPoint3d b, double width, std::vector<CPoint3d>& out) {
    const CVector3d n = CVector3d(b - a).normalize().rotate(kHalfPi, CVector3d::kZAxis);
    const CVector3d w = n * (0.5 * width);
    out.push_back(a + w);
    out.push_back(b + w);
    out.push_back(b + (-w));
    out.push_back(a + (-w));
    out.push_back(a + w);
}

// ---- wavy chains ---------------------------------------------------------------------------

void LineToArcPts(CPoint3d a, CPoint3d b, double len, std::vector<CPoint3d>& out, int mode) {
    const double piece = mode != 0 ? 0.5 * len : 0.25 * len;
    const std::vector<CPoint3d> stops = chainStops(a, b, piece, 1.0);
    for (size_t i = 1; i < stops.size(); ++i) {
        GetChildArcPoints(stops[i - 1], stops[i], randomSweep(), out);
    }
}

void LineToArcArcpts(CPoint3d a, CPoint3d b, double len, double angle, std::vector<CPoint3d>& out) {
    if (!(angle != 0.0) || !std::isfinite(angle)) {
        return;
    }
    const std::vector<CPoint3d> stops = chainStops(a, b, len, 2.0);
    for (size_t i = 1; i < stops.size(); ++i) {
        const double side = randomSweep() < 0.0 ? -1.0 : 1.0;
        const CPoint3d mid = GetMidPoint(stops[i - 1], stops[i]);
        GetChildArcPoints(stops[i - 1], mid, side * angle, out);
        GetChildArcPoints(mid, stops[i], -side * angle, out);
    }
}

// ---- windows -------------------------------------------------------------------------------

bool getWindowLatticePtArr(std::vector<CPoint3d>& pts, double colStep, double rowStep,
                           std::vector<CPoint3d>& out) {
    out.clear();
    if (pts.size() < 3 || !usableStep(colStep) || !usableStep(rowStep)) {
        return false;
    }
    std::vector<CPoint3d> ring = closedCopy(pts);
    if (PolyIsClockWise(ring)) {
        std::reverse(ring.begin(), ring.end());
    }
    std::vector<CPoint3d> sill;
    MeasurePolyline({ring[0], ring[1]}, sill, colStep);
    CPoint3d min, max;
    CalBox(ring, min, max);
    const double reach = std::hypot(max.x - min.x, max.y - min.y);
    if (sill.empty() || !std::isfinite(reach) || !withinCap(reach * sill.size(), rowStep)) {
        return false;
    }
    const CVector3d up =
        CVector3d(ring[1] - ring[0]).normalize().rotate(kHalfPi, CVector3d::kZAxis);
    const long rows = static_cast<long>(reach / rowStep);
    const containment_detail::OutlineQueries inRing(
        ring, kPointTol, sill.size() * static_cast<size_t>(std::max(rows, 0L)));
    for (const CPoint3d& s : sill) {
        for (long k = 1; k <= rows; ++k) {
            const CPoint3d p = s + up * (static_cast<double>(k) * rowStep);
            if (inRing.ptIn(p, false)) {
                out.push_back(p);
            }
        }
    }
    return !out.empty();
}

// ---- triangles -----------------------------------------------------------------------------

void divTringle(std::vector<AcGePoint3d>& outer, std::vector<std::vector<AcGePoint3d>>& holes,
                double z, std::vector<std::vector<AcGePoint3d>>& triangles) {
    triangulate({outer}, holes, z, triangles);
}

void divTringle(std::vector<std::vector<AcGePoint3d>>& outers,
                std::vector<std::vector<AcGePoint3d>>& holes, double z,
                std::vector<std::vector<AcGePoint3d>>& triangles) {
    triangulate(outers, holes, z, triangles);
}
