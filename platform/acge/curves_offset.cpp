// Trimmed offsets of curves: curves become chains of line and arc pieces for
// the offset engine, and the engine's chains become segments, arcs or composite
// curves again.

#include <algorithm>
#include <cmath>
#include <vector>

#include <geo/acge/gearc2d.h>
#include <geo/acge/gearc3d.h>
#include <geo/acge/gecomp2d.h>
#include <geo/acge/gecomp3d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gelnsg3d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/gepoly2d.h>
#include <geo/acge/gepoly3d.h>

#include "platform/acge/curve_util.h"
#include "platform/acge/polyline_offset.h"
#include "platform/acge/trimmed_offset.h"
#include "platform/numeric.h"

using acge_detail::OffsetPiece;
typedef std::vector<OffsetPiece> Chain;

namespace {

// An arc sweeping at least this close to a full turn is handed over in two
// halves, since one piece cannot start and end at the same point.
constexpr double kFullTurnSlack = 1e-9;
// |cos| of the angle between an arc's normal and the offset normal must be this
// close to 1.
constexpr double kInPlaneSlack = 1e-9;

void pushPiece(const AcGePoint2d& s, const AcGePoint2d& e, double bulge, double tol, Chain& chain) {
    if (s.distanceTo(e) <= tol && bulge == 0.0) {
        return;  // zero-length pieces carry nothing
    }
    chain.push_back(OffsetPiece{s.x, s.y, e.x, e.y, bulge});
}

// Adds an arc given by its end points, middle point and signed sweep (positive
// = CCW).
void pushArc(const AcGePoint2d& s, const AcGePoint2d& mid, const AcGePoint2d& e, double sweep,
             double radius, double tol, Chain& chain) {
    if (!(radius > 0.0) || std::fabs(sweep) * radius <= tol) {
        return;
    }
    if (std::fabs(sweep) >= acge_detail::kTwoPi - kFullTurnSlack) {
        pushPiece(s, mid, std::tan(sweep / 8.0), tol, chain);
        pushPiece(mid, e, std::tan(sweep / 8.0), tol, chain);
    } else {
        pushPiece(s, e, std::tan(sweep / 4.0), tol, chain);
    }
}

// Appends the pieces of a 2D curve; false for a curve without a piece form
// (unbounded ones).
bool appendPieces(const AcGeCurve2d& curve, double tol, Chain& chain) {
    switch (curve.type()) {
        case AcGe::kLineSeg2d: {
            const AcGeLineSeg2d& seg = static_cast<const AcGeLineSeg2d&>(curve);
            pushPiece(seg.startPoint(), seg.endPoint(), 0.0, tol, chain);
            return true;
        }
        case AcGe::kCircArc2d: {
            const AcGeCircArc2d& arc = static_cast<const AcGeCircArc2d&>(curve);
            const double sweep = arc.endAng() - arc.startAng();
            if (!(arc.radius() > 0.0)) {
                return false;
            }
            pushArc(arc.startPoint(), arc.evalPoint(arc.startAng() + sweep / 2.0), arc.endPoint(),
                    arc.isClockWise() ? -sweep : sweep, arc.radius(), tol, chain);
            return true;
        }
        case AcGe::kPolyline2d: {
            const AcGePolyline2d& poly = static_cast<const AcGePolyline2d&>(curve);
            for (int i = 0; i + 1 < poly.numFitPoints(); ++i) {
                pushPiece(poly.fitPointAt(i), poly.fitPointAt(i + 1), 0.0, tol, chain);
            }
            return true;
        }
        case AcGe::kCompositeCrv2d: {
            AcArray<AcGeCurve2d*> pieces;
            static_cast<const AcGeCompositeCurve2d&>(curve).getCurveList(pieces);
            for (const AcGeCurve2d* piece : pieces) {
                if (!appendPieces(*piece, tol, chain)) {
                    return false;
                }
            }
            return true;
        }
        default:
            return false;
    }
}

bool isClosedChain(const Chain& chain, double tol) {
    if (chain.empty()) {
        return false;
    }
    return std::hypot(chain.back().ex - chain.front().sx, chain.back().ey - chain.front().sy) <=
           tol;
}

bool finiteChain(const Chain& chain) {
    return std::all_of(chain.begin(), chain.end(), acge_detail::isFinitePiece);
}

bool finitePoint(const AcGePoint2d& p) {
    return platform_detail::isFiniteXY(p);
}
bool finitePoint(const AcGePoint3d& p) {
    return platform_detail::isFiniteXYZ(p);
}

// Drops the last vertex list when joining its pieces left the range of doubles: finite pieces
// near the largest double can still meet beyond it.
template <class Point>
void dropUnlessFinite(std::vector<std::vector<Point>>& out) {
    const std::vector<Point>& last = out.back();
    if (!std::all_of(last.begin(), last.end(), [](const Point& p) { return finitePoint(p); })) {
        out.pop_back();
    }
}

// Runs the engine; an empty or non-finite chain gives no result, and a result chain that left
// the range of doubles (a distance near the largest double) is dropped.
std::vector<Chain> offsetChain(const Chain& chain, double distance, double tol) {
    if (chain.empty() || !finiteChain(chain) || !std::isfinite(distance) || !std::isfinite(tol)) {
        return {};
    }
    std::vector<Chain> result =
        acge_detail::trimmedOffset(chain, isClosedChain(chain, tol), distance, tol);
    result.erase(std::remove_if(result.begin(), result.end(),
                                [](const Chain& c) { return !finiteChain(c); }),
                 result.end());
    return result;
}

AcGeCurve2d* pieceCurve2d(const OffsetPiece& p) {
    const AcGePoint2d s(p.sx, p.sy), e(p.ex, p.ey);
    if (p.bulge == 0.0) {
        return new AcGeLineSeg2d(s, e);
    }
    return new AcGeCircArc2d(s, e, p.bulge, false);
}

// One engine chain as one curve: a single piece as itself, several as a
// composite.
AcGeCurve2d* chainCurve2d(const Chain& chain) {
    if (chain.size() == 1) {
        return pieceCurve2d(chain.front());
    }
    AcArray<AcGeCurve2d*> pieces;
    for (const OffsetPiece& p : chain) {
        pieces.append(pieceCurve2d(p));
    }
    AcGeCompositeCurve2d* composite = new AcGeCompositeCurve2d(pieces);
    for (AcGeCurve2d* piece : pieces) {
        delete piece;
    }
    return composite;
}

// ---- 3D: curves are mapped into the plane of the normal and back ----

struct PlaneFrame {
    AcGeMatrix3d toPlane;
    AcGeMatrix3d toWorld;
    AcGeVector3d normal;
    double elevation = 0.0;
    bool elevationSet = false;

    AcGePoint2d flatten(const AcGePoint3d& pnt) {
        AcGePoint3d local = toPlane * pnt;
        if (!elevationSet) {
            elevation = local.z;
            elevationSet = true;
        }
        return AcGePoint2d(local.x, local.y);
    }
    AcGePoint3d lift(const AcGePoint2d& pnt) const {
        return toWorld * AcGePoint3d(pnt.x, pnt.y, elevation);
    }
};

bool appendPieces3d(const AcGeCurve3d& curve, PlaneFrame& frame, double tol, Chain& chain) {
    switch (curve.type()) {
        case AcGe::kLineSeg3d: {
            const AcGeLineSeg3d& seg = static_cast<const AcGeLineSeg3d&>(curve);
            const AcGePoint2d s = frame.flatten(seg.startPoint());
            pushPiece(s, frame.flatten(seg.endPoint()), 0.0, tol, chain);
            return true;
        }
        case AcGe::kCircArc3d: {
            const AcGeCircArc3d& arc = static_cast<const AcGeCircArc3d&>(curve);
            const double along = acge_detail::dot3(arc.normal(), frame.normal);
            // An arc must lie in the offset plane to have a planar offset.
            if (!(arc.radius() > 0.0) || std::fabs(std::fabs(along) - 1.0) > kInPlaneSlack) {
                return false;
            }
            const double sweep = arc.endAng() - arc.startAng();
            const AcGePoint2d s = frame.flatten(arc.startPoint());
            const AcGePoint2d mid = frame.flatten(arc.evalPoint(arc.startAng() + sweep / 2.0));
            pushArc(s, mid, frame.flatten(arc.endPoint()), along > 0.0 ? sweep : -sweep,
                    arc.radius(), tol, chain);
            return true;
        }
        case AcGe::kPolyline3d: {
            const AcGePolyline3d& poly = static_cast<const AcGePolyline3d&>(curve);
            for (int i = 0; i + 1 < poly.numFitPoints(); ++i) {
                const AcGePoint2d s = frame.flatten(poly.fitPointAt(i));
                pushPiece(s, frame.flatten(poly.fitPointAt(i + 1)), 0.0, tol, chain);
            }
            return true;
        }
        case AcGe::kCompositeCrv3d: {
            AcArray<AcGeCurve3d*> pieces;
            static_cast<const AcGeCompositeCurve3d&>(curve).getCurveList(pieces);
            for (const AcGeCurve3d* piece : pieces) {
                if (!appendPieces3d(*piece, frame, tol, chain)) {
                    return false;
                }
            }
            return true;
        }
        default:
            return false;
    }
}

AcGeCurve3d* pieceCurve3d(const OffsetPiece& p, const PlaneFrame& frame) {
    const AcGePoint2d s(p.sx, p.sy), e(p.ex, p.ey);
    if (p.bulge == 0.0) {
        return new AcGeLineSeg3d(frame.lift(s), frame.lift(e));
    }
    const AcGeCircArc2d flat(s, e, p.bulge, false);
    const AcGePoint2d mid = flat.evalPoint((flat.startAng() + flat.endAng()) / 2.0);
    return new AcGeCircArc3d(frame.lift(s), frame.lift(mid), frame.lift(e));
}

AcGeCurve3d* chainCurve3d(const Chain& chain, const PlaneFrame& frame) {
    if (chain.size() == 1) {
        return pieceCurve3d(chain.front(), frame);
    }
    AcArray<AcGeCurve3d*> pieces;
    for (const OffsetPiece& p : chain) {
        pieces.append(pieceCurve3d(p, frame));
    }
    AcGeCompositeCurve3d* composite = new AcGeCompositeCurve3d(pieces);
    for (AcGeCurve3d* piece : pieces) {
        delete piece;
    }
    return composite;
}

}  // namespace

// The engine joins corners one way (by extension), whatever extension type is
// asked for.
void AcGeCurve2d::getTrimmedOffset(double distance, AcArray<AcGeCurve2d*>& offsetCurveList,
                                   AcGe::OffsetCrvExtType, const AcGeTol& tol) const {
    Chain chain;
    if (!appendPieces(*this, tol.equalPoint(), chain)) {
        return;
    }
    for (const Chain& result : offsetChain(chain, distance, tol.equalPoint())) {
        if (!result.empty()) {
            offsetCurveList.append(chainCurve2d(result));
        }
    }
}

void AcGeCurve2d::getTrimmedOffset(double distance, AcGeVoidPointerArray& offsetCurveList,
                                   AcGe::OffsetCrvExtType extensionType, const AcGeTol& tol) const {
    AcArray<AcGeCurve2d*> curves;
    getTrimmedOffset(distance, curves, extensionType, tol);
    for (AcGeCurve2d* curve : curves) {
        offsetCurveList.append(curve);
    }
}

void AcGeCurve3d::getTrimmedOffset(double distance, const AcGeVector3d& planeNormal,
                                   AcArray<AcGeCurve3d*>& offsetCurveList, AcGe::OffsetCrvExtType,
                                   const AcGeTol& tol) const {
    const double len = acge_detail::len3(planeNormal);
    if (!(len > 0.0) || !std::isfinite(len)) {
        return;
    }
    PlaneFrame frame;
    frame.normal = planeNormal / len;
    frame.toPlane = AcGeMatrix3d::worldToPlane(frame.normal);
    frame.toWorld = AcGeMatrix3d::planeToWorld(frame.normal);
    Chain chain;
    if (!appendPieces3d(*this, frame, tol.equalPoint(), chain)) {
        return;
    }
    for (const Chain& result : offsetChain(chain, distance, tol.equalPoint())) {
        if (!result.empty()) {
            offsetCurveList.append(chainCurve3d(result, frame));
        }
    }
}

void AcGeCurve3d::getTrimmedOffset(double distance, const AcGeVector3d& planeNormal,
                                   AcGeVoidPointerArray& offsetCurveList,
                                   AcGe::OffsetCrvExtType extensionType, const AcGeTol& tol) const {
    AcArray<AcGeCurve3d*> curves;
    getTrimmedOffset(distance, planeNormal, curves, extensionType, tol);
    for (AcGeCurve3d* curve : curves) {
        offsetCurveList.append(curve);
    }
}

// ---- Vertex lists of polyline offsets, without the curve objects ----

namespace {

// A composite's vertex list read through the curve interface: each piece's start (the origin
// for a piece without one), then the last piece's end.
template <class Composite, class Curve, class Point>
std::vector<Point> compositeVertices(const Composite& curve) {
    AcArray<Curve*> pieces;
    curve.getCurveList(pieces);
    std::vector<Point> out;
    for (const Curve* piece : pieces) {
        Point start;
        out.push_back(piece->hasStartPoint(start) ? start : Point());
    }
    Point end;
    if (!pieces.isEmpty() && pieces.last()->hasEndPoint(end)) {
        out.push_back(end);
    }
    return out;
}

// The vertex list of a built offset curve: a segment's ends, a composite's vertices, else none.
template <class Seg, class Composite, class Curve, class Point>
std::vector<Point> curveVertices(const Curve* curve, AcGe::EntityId segId,
                                 AcGe::EntityId compositeId) {
    if (curve->type() == segId) {
        const Seg* seg = static_cast<const Seg*>(curve);
        return {seg->startPoint(), seg->endPoint()};
    }
    if (curve->type() == compositeId) {
        return compositeVertices<Composite, Curve, Point>(*static_cast<const Composite*>(curve));
    }
    return {};
}

// A straight piece from s to e read back as the curve layer reads its segments: the start
// itself, the end as the start plus the difference. False when the chain holds an arc, or a
// piece a composite would leave out (no finite length): those are read from built curves.
template <class Point>
bool straightVertices(const std::vector<Point>& starts, const std::vector<Point>& ends,
                      std::vector<Point>& out) {
    for (size_t k = 0; k < starts.size(); ++k) {
        if (!std::isfinite((ends[k] - starts[k]).length())) {
            return false;
        }
    }
    out = starts;
    out.push_back(starts.back() + (ends.back() - starts.back()));
    return true;
}

bool allStraight(const Chain& chain) {
    for (const OffsetPiece& p : chain) {
        if (p.bulge != 0.0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::vector<AcGePoint2d>> acge_detail::polylineOffsetVertices(
    const AcArray<AcGePoint2d>& pts, double distance, double tol) {
    Chain chain;
    for (int i = 0; i + 1 < pts.length(); ++i) {
        pushPiece(pts[i], pts[i + 1], 0.0, tol, chain);
    }
    std::vector<std::vector<AcGePoint2d>> out;
    for (const Chain& result : offsetChain(chain, distance, tol)) {
        if (result.empty()) {
            continue;
        }
        out.emplace_back();
        if (allStraight(result)) {
            std::vector<AcGePoint2d> starts, ends;
            for (const OffsetPiece& p : result) {
                starts.emplace_back(p.sx, p.sy);
                ends.emplace_back(p.ex, p.ey);
            }
            if (straightVertices(starts, ends, out.back())) {
                dropUnlessFinite(out);
                continue;
            }
        }
        const AcGeCurve2d* curve = chainCurve2d(result);
        out.back() = curveVertices<AcGeLineSeg2d, AcGeCompositeCurve2d, AcGeCurve2d, AcGePoint2d>(
            curve, AcGe::kLineSeg2d, AcGe::kCompositeCrv2d);
        delete curve;
        dropUnlessFinite(out);
    }
    return out;
}

std::vector<std::vector<AcGePoint3d>> acge_detail::polylineOffsetVertices(
    const AcArray<AcGePoint3d>& pts, const AcGeVector3d& normal, double distance, double tol) {
    const double len = acge_detail::len3(normal);
    if (!(len > 0.0) || !std::isfinite(len)) {
        return {};
    }
    PlaneFrame frame;
    frame.normal = normal / len;
    frame.toPlane = AcGeMatrix3d::worldToPlane(frame.normal);
    frame.toWorld = AcGeMatrix3d::planeToWorld(frame.normal);
    Chain chain;
    for (int i = 0; i + 1 < pts.length(); ++i) {
        const AcGePoint2d s = frame.flatten(pts[i]);
        pushPiece(s, frame.flatten(pts[i + 1]), 0.0, tol, chain);
    }
    std::vector<std::vector<AcGePoint3d>> out;
    for (const Chain& result : offsetChain(chain, distance, tol)) {
        if (result.empty()) {
            continue;
        }
        out.emplace_back();
        if (allStraight(result)) {
            std::vector<AcGePoint3d> starts, ends;
            for (const OffsetPiece& p : result) {
                starts.push_back(frame.lift(AcGePoint2d(p.sx, p.sy)));
                ends.push_back(frame.lift(AcGePoint2d(p.ex, p.ey)));
            }
            if (straightVertices(starts, ends, out.back())) {
                dropUnlessFinite(out);
                continue;
            }
        }
        const AcGeCurve3d* curve = chainCurve3d(result, frame);
        out.back() = curveVertices<AcGeLineSeg3d, AcGeCompositeCurve3d, AcGeCurve3d, AcGePoint3d>(
            curve, AcGe::kLineSeg3d, AcGe::kCompositeCrv3d);
        delete curve;
        dropUnlessFinite(out);
    }
    return out;
}
