// Start-up and shut-down of the library as a loaded module.
//
// Loading, in this order:
//   1. The constant points and vectors (CPoint3d::kOrigin, CVector3d::kXAxis,
//      kYAxis, kZAxis) are built; their definitions carry GEO_CONSTANT_INIT, so
//      they exist before any other static object of the library.
//   2. Each serialisable class registers its runtime class by name: the one
//      IMPLEMENT_SERIAL line in the class's source holds a registrar object.
//   3. Module state is set by StartupStep objects in the files that own the
//      state (the two-point curve sets its default tolerance this way).
// Unloading: each registrar removes its class again; nothing else is undone,
// because nothing else holds resources.
#include "foundation/module.h"

namespace geo_detail {

// Static objects of the library are built after the prioritised constants, so
// the step can run at once.
StartupStep::StartupStep(void (*action)()) {
    if (action != nullptr) {
        action();
    }
}

}  // namespace geo_detail
