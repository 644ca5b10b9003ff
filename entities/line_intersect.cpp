// Planar crossings and overlap of segments and lines; z is carried along the first entity.
#include <geo/lines.h>

#include "foundation/segments.h"

bool CLineSeg::intersectWith(const CLineSeg& other, CPoint3d& out, double tol) const {
    return geo_detail::segmentsCross(startPt, endPt, other.startPt, other.endPt, tol, out);
}

bool CLineSeg::intersectWith(const CLine& line, CPoint3d& out, double tol) const {
    return geo_detail::segmentCrossesLine(startPt, endPt, line.startPt, line.endPt, tol, out);
}

bool CLine::intersectWith(const CLine& other, CPoint3d& out, double tol) const {
    return geo_detail::linesCross(startPt, endPt, other.startPt, other.endPt, tol, out);
}

bool CLineSeg::overlap(const CLineSeg& other, CLineSeg* out, double angTol, double distTol) const {
    CPoint3d from, to;
    if (!geo_detail::segmentsOverlap(startPt, endPt, other.startPt, other.endPt, angTol, distTol,
                                     from, to)) {
        return false;
    }
    if (out != nullptr) {
        out->set(from, to);
    }
    return true;
}
