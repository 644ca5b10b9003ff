// The clean-up and self-intersection functions on decoded point lists: nothing non-finite
// from finite input, lists that only lose points, edge indices that exist.
#include <geo/cleanup.h>
#include <geo/conversions.h>

#include "fuzz_support.h"

namespace {

constexpr int kMaxPoints = 48;

// The removing functions keep a subset of the list's points.
void CheckRemovals(const std::vector<CPoint3d>& pts, bool ring, double tol, bool finite) {
    std::vector<CPoint3d> kept = pts;
    RemoveRedundancyPts(kept, ring, tol);
    FUZZ_CHECK(kept.size() <= pts.size() + 1, "redundancy removal added points");
    FUZZ_CHECK(!finite || fuzz::AllFinite(kept), "redundancy removal made a point non-finite");

    std::vector<AcGePoint3d> ac3;
    acVecPts2VecgePts(pts, ac3);
    RemoveRedundancyPts(ac3, ring, tol);
    std::vector<AcGePoint2d> ac2;
    pts3dTo2d(pts, ac2);
    RemoveRedundancyPts(ac2, ring, tol);
    FUZZ_CHECK(ac3.size() <= pts.size() + 1 && ac2.size() <= pts.size() + 1,
               "redundancy removal added points");
    removeRepoint(ac3);

    std::vector<CPoint3d> caved = pts;
    CavePtArr(caved, tol, tol);
    FUZZ_CHECK(caved.size() <= pts.size(), "CavePtArr added points");
    FUZZ_CHECK(!finite || fuzz::AllFinite(caved), "CavePtArr made a point non-finite");
}

// Opening and closing, and cutting out the loops of a self-crossing polyline.
void CheckLoops(const std::vector<CPoint3d>& pts, double tol, bool finite) {
    std::vector<CPoint3d> ends = pts;
    ClosePts(ends, tol);
    FUZZ_CHECK(ends.size() <= pts.size() + 1, "ClosePts added more than one point");
    OpenPts(ends, tol);
    FUZZ_CHECK(ends.size() <= pts.size() + 1, "OpenPts added points");

    std::vector<CPoint3d> cut = pts;
    ClearSelfIntersect(cut, tol);
    FUZZ_CHECK(!finite || fuzz::AllFinite(cut), "ClearSelfIntersect made a point non-finite");
    FUZZ_CHECK(cut.size() <= pts.size() + 1, "ClearSelfIntersect grew the list");
}

// The predicates; the overlap report names edges of both lists in pairs.
void CheckPredicates(const std::vector<CPoint3d>& a, const std::vector<CPoint3d>& b) {
    IsSelfIntersect(a, false);
    IsSelfIntersect(a, true);
    IsIntersectWithSelf(a);
    std::vector<int> edgesA, edgesB;
    const bool overlap = HaveOverlapLine(a, b, &edgesA, &edgesB);
    FUZZ_CHECK(edgesA.size() == edgesB.size(), "overlap edges not in pairs");
    FUZZ_CHECK(edgesA.empty() || overlap, "overlap edges reported without an overlap");
    for (size_t i = 0; i < edgesA.size(); ++i) {
        FUZZ_CHECK(edgesA[i] >= 0 && edgesA[i] + 1 < static_cast<int>(a.size()) + 1 &&
                       edgesB[i] >= 0 && edgesB[i] + 1 < static_cast<int>(b.size()) + 1,
                   "overlap edge index out of range");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fuzz::Decoder in(data, size);
    const bool ring = in.flag();
    const double tol = in.tolerance();
    const std::vector<CPoint3d> pts = in.points(kMaxPoints);
    const std::vector<CPoint3d> other = in.points(kMaxPoints);
    const bool finite = fuzz::AllFinite(pts);
    CheckRemovals(pts, ring, tol, finite);
    CheckLoops(pts, tol, finite);
    CheckPredicates(pts, other);
    return 0;
}
