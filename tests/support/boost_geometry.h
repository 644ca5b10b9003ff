#pragma once
// Boost.Geometry for the cross-checks and benchmarks, with a false GCC warning silenced.

// Boost.Geometry's rescaling and envelope code trips GCC's optimiser into false
// "maybe uninitialized" warnings. They are reported where the templates are instantiated, later
// in the including file, so the warning stays off for the rest of that file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/geometry.hpp>

namespace geo_test {

// Boost.Geometry's overlay for a gpc operation code (0 difference, 1 intersection,
// 2 symmetric difference, 3 union), written to `out`.
template <class A, class B, class Out>
void boostOverlay(int op, const A& a, const B& b, Out& out) {
    switch (op) {
        case 0:
            boost::geometry::difference(a, b, out);
            break;
        case 1:
            boost::geometry::intersection(a, b, out);
            break;
        case 2:
            boost::geometry::sym_difference(a, b, out);
            break;
        default:
            boost::geometry::union_(a, b, out);
    }
}

}  // namespace geo_test
