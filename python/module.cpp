// The module `geo`: the library's areas, lines, analysis and stored records for scripts.
#include <geo/mfc/exceptions.h>

#include "bindings.h"

namespace {

// A library exception left uncaught by a binding becomes a ValueError, never a crash.
void TranslateLibraryExceptions(std::exception_ptr p) {
    try {
        if (p) {
            std::rethrow_exception(p);
        }
    } catch (CException* e) {
        e->Delete();
        PyErr_SetString(PyExc_ValueError, "the geometry library refused the input");
    }
}

}  // namespace

PYBIND11_MODULE(geo, m) {
    m.doc() =
        "Computational geometry for building design: areas and lines with Shapely's names "
        "where the two overlap, shadows, contour lines, wall and road lines, and the stored "
        "records of the building application's entities.";
    pybind11::register_exception_translator(&TranslateLibraryExceptions);
    geopy::BindLines(m);
    geopy::BindAreas(m);
    geopy::BindAnalysis(m);
    geopy::BindInterchange(m);
    geopy::BindEntities(m);
}
