// Umbrella header: every exported header of the library.
#pragma once

#include <geo/acge/acarray.h>
#include <geo/acge/adesk.h>
#include <geo/acge/geent2d.h>
#include <geo/acge/geent3d.h>
#include <geo/acge/gegbl.h>
#include <geo/acge/gemat2d.h>
#include <geo/acge/gemat3d.h>
#include <geo/acge/geplanar.h>
#include <geo/acge/geplane.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/gesurf.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/acge/gevec3d.h>
#include <geo/archive_lists.h>
#include <geo/export.h>
#include <geo/float_comp.h>
#include <geo/geometry.h>
#include <geo/gpc.h>
#include <geo/orvel.h>
#include <geo/point3d.h>
#include <geo/wintypes.h>
