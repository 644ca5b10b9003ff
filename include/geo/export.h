// Visibility of the public surface: everything else in libgeo.so is hidden.
#pragma once

#if defined(_WIN32)
#if defined(GEO_BUILDING_LIBRARY)
#define GEO_API __declspec(dllexport)
#else
#define GEO_API __declspec(dllimport)
#endif
#else
#define GEO_API __attribute__((visibility("default")))
#endif
