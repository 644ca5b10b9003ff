#pragma once
// Boost.Geometry for the cross-checks and benchmarks, with a false GCC warning silenced.

// Boost.Geometry's rescaling and envelope code trips GCC's optimiser into false
// "maybe uninitialized" warnings. They are reported where the templates are instantiated, later
// in the including file, so the warning stays off for the rest of that file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/geometry.hpp>
