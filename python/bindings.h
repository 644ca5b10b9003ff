// The parts of the module, each binding one topic.
#pragma once

#include <pybind11/pybind11.h>

namespace geopy {

void BindAreas(pybind11::module_& m);
void BindLines(pybind11::module_& m);
void BindAnalysis(pybind11::module_& m);
void BindInterchange(pybind11::module_& m);
void BindEntities(pybind11::module_& m);

}  // namespace geopy
