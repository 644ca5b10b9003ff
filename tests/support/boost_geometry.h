#pragma once
// Boost.Geometry for the cross-checks and benchmarks, with a false GCC warning silenced.

// Boost.Geometry's rescaling policy trips GCC's optimiser into a false uninitialised warning.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/geometry.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
