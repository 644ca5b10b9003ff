// PtInArea on decoded outlines, against the literal edge-by-edge rule kept in the tests.
#include <geo/containment.h>

#include "fuzz_support.h"
#include "toolkit/pt_in_area_reference.h"

// Coordinates up to this size keep products of two differences finite.
constexpr double kLargestSquarable = 1e150;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fuzz::Decoder in(data, size);
    const bool onEdge = in.flag();
    const double tol = in.flag() ? 1e-6 : in.tolerance();
    const CPoint3d pt = in.point();
    const std::vector<CPoint3d> outline = in.points(64);
    const bool inside = PtInArea(pt, outline, tol, onEdge);
    // Non-finite input, and coordinates whose squares overflow, have no defined answer, only
    // the promise of one.
    const bool representable =
        fuzz::AllWithin(outline, kLargestSquarable) && fuzz::AllWithin({pt}, kLargestSquarable);
    FUZZ_CHECK(!representable || inside == reference::PtInArea(pt, outline, tol, onEdge),
               "PtInArea differs from the edge-by-edge rule");
    FUZZ_CHECK(!(PtInArea(pt, outline, tol, false) && !PtInArea(pt, outline, tol, true)),
               "inside without the boundary but not with it");
    return 0;
}
