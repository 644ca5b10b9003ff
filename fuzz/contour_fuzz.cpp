// CContourGenerator on decoded grids and samples: every line point is finite and lies on the
// grid, and the line index is checked.
#include <geo/contour.h>
#include <geo/mfc/exceptions.h>

#include "fuzz_support.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxCells = 24;
constexpr int kMaxSamples = 256;
constexpr double kMaxLevelNodes = 1e5;

bool OnGrid(const AcGePoint2d& p, const AcGePoint2d& base, const AcGePoint2d& far) {
    const double slack =
        1e-9 * (1.0 + std::fabs(base.x) + std::fabs(base.y) + std::fabs(far.x) + std::fabs(far.y));
    return p.x >= std::min(base.x, far.x) - slack && p.x <= std::max(base.x, far.x) + slack &&
           p.y >= std::min(base.y, far.y) - slack && p.y <= std::max(base.y, far.y) + slack;
}

void CheckLines(const CContourGenerator& gen, const AcGePoint2d& base, const AcGePoint2d& far,
                bool finite) {
    for (int i = 0; i < gen.lineSize(); ++i) {
        const CContourLine* line = gen.at(i);
        for (INT_PTR k = 0; k < line->pts.GetSize(); ++k) {
            const AcGePoint2d p = line->pts.GetAt(k);
            FUZZ_CHECK(geo_detail::isFiniteXY(p), "non-finite contour point");
            FUZZ_CHECK(!finite || OnGrid(p, base, far), "contour point off the grid");
        }
    }
    bool raised = false;
    try {
        gen.at(gen.lineSize());
    } catch (CInvalidArgException* e) {
        e->Delete();
        raised = true;
    }
    FUZZ_CHECK(raised, "a line index past the end was accepted");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fuzz::Decoder in(data, size);
    const AcGePoint2d base(in.real(), in.real());
    const AcGePoint2d step(in.real(), in.real());
    const int a = in.upTo(kMaxCells) - 1;
    const int b = in.upTo(kMaxCells) - 1;
    const double interval = in.flag() ? in.tolerance() : in.real();
    CContourGenerator gen;
    gen.setParam(base, step, a, b, interval);
    double low = 0.0, high = 0.0;  // nodes without a sample hold 0
    for (int n = in.upTo(kMaxSamples); n > 0; --n) {
        const AcGePoint3d sample(in.real(), in.real(), in.real());
        gen.setZ(sample);
        if (std::isfinite(sample.z)) {
            low = std::min(low, sample.z);
            high = std::max(high, sample.z);
        }
    }
    // a counts rows (along y), b columns (along x).
    const AcGePoint2d far(base.x + step.x * b, base.y + step.y * a);
    const bool finite = geo_detail::isFiniteXY(far);
    // A run's work is levels x nodes; the generator bounds both, but far beyond what a fuzz
    // input may take, so runs over many levels are left to the single-level call.
    const double levels = (high - low) / interval;
    if (!(levels * (a + 1.0) * (b + 1.0) > kMaxLevelNodes)) {
        gen.exeCalu();
        CheckLines(gen, base, far, finite);
    }
    gen.caluElev(in.real());
    CheckLines(gen, base, far, finite);
    return 0;
}
