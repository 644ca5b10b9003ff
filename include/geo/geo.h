// Umbrella header: every exported header of the library.
#pragma once

#include <geo/archive_lists.h>
#include <geo/export.h>
#include <geo/float_comp.h>
#include <geo/geometry.h>
#include <geo/gpc.h>
#include <geo/orvel.h>
#include <geo/point3d.h>
#include <geo/wintypes.h>
