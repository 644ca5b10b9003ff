// Tolerances built from one distance, for callers that carry their tolerance as a double
// (internal).
#pragma once

#include <geo/acge/getol.h>

namespace acge_detail {

// A tolerance whose point bound is tol; the vector bound keeps its default.
inline AcGeTol pointTol(double tol) {
    AcGeTol t;
    t.setEqualPoint(tol);
    return t;
}

// A tolerance whose vector bound is tol; the point bound keeps its default.
inline AcGeTol vectorTol(double tol) {
    AcGeTol t;
    t.setEqualVector(tol);
    return t;
}

// A tolerance with tol as both its point and its vector bound.
inline AcGeTol pointAndVectorTol(double tol) {
    AcGeTol t;
    t.setEqualPoint(tol);
    t.setEqualVector(tol);
    return t;
}

}  // namespace acge_detail
