// Three-way comparison of reals with an absolute tolerance.
#include <geo/float_comp.h>

#include <cmath>

int FloatComp(double a, double b, double tol) {
    if (a == b) {
        return 0;  // also equal infinities, whose difference would be NaN
    }
    if (std::isnan(a)) {
        return 1;
    }
    if (std::isnan(b)) {
        return -1;
    }
    const double diff = a - b;
    if (std::fabs(diff) <= tol) {
        return 0;
    }
    return diff < 0 ? -1 : 1;
}
