// Umbrella header: every exported header of the library.
#pragma once

#include <geo/export.h>
#include <geo/gpc.h>
#include <geo/wintypes.h>
