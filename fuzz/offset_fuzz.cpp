// PlineOffset and PlineOffset3D on decoded polylines: the count returned is the list's size
// and nothing non-finite comes from finite input.
#include <geo/offset.h>

#include "fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fuzz::Decoder in(data, size);
    const double distance = in.real();
    const double tol = in.tolerance();
    const CVector3d normal(in.real(), in.real(), in.real());
    const std::vector<CPoint3d> pts = in.points(24);
    const bool finite =
        fuzz::AllFinite(pts) && std::isfinite(distance) && geo_detail::isFiniteXYZ(normal);

    std::vector<std::vector<CPoint3d>> out(2);
    const int n = PlineOffset(pts, out, distance, tol);
    FUZZ_CHECK(n == static_cast<int>(out.size()), "PlineOffset count differs from its list");
    FUZZ_CHECK(!finite || fuzz::AllFinite(out), "PlineOffset gave a non-finite point");

    std::vector<std::vector<CPoint3d>> out3d(1);
    const int n3d = PlineOffset3D(pts, out3d, distance, normal, tol);
    FUZZ_CHECK(n3d == static_cast<int>(out3d.size()), "PlineOffset3D count differs from its list");
    FUZZ_CHECK(!finite || fuzz::AllFinite(out3d), "PlineOffset3D gave a non-finite point");
    return 0;
}
