// The 32-byte record shared by points and vectors (internal).
#pragma once

#include <geo/mfc/archive.h>

namespace geo_detail {

// Writes version 2.0, then x, y, z.
void writeXyzRecord(CArchive& ar, double x, double y, double z);
// Reads a record into x, y, z; they are changed only when all of it was read.
void readXyzRecord(CArchive& ar, double& x, double& y, double& z);

}  // namespace geo_detail
