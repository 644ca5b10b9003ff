// Load-time ordering of the library's own start-up work (internal).
#pragma once

// Marks the definition of a constant that other start-up code may read: such
// constants are built before every unmarked static object of the library.
#define GEO_CONSTANT_INIT __attribute__((init_priority(101)))

namespace geo_detail {

// A piece of module state set when the library loads, declared as a static
// object in the file that owns the state:
//     static const geo_detail::StartupStep kSetTolerance(&setDefaultTolerance);
// Steps run after the constants are built, in no particular order between files.
class StartupStep {
public:
    explicit StartupStep(void (*action)());
};

}  // namespace geo_detail
