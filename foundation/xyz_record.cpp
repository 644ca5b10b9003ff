// The 32-byte record shared by points and vectors.
#include "foundation/xyz_record.h"

#include <geo/archive_lists.h>

namespace geo_detail {

void writeXyzRecord(CArchive& ar, double x, double y, double z) {
    WriteRecordVersion(ar);
    ar << x << y << z;
}

void readXyzRecord(CArchive& ar, double& x, double& y, double& z) {
    ReadRecordVersion(ar);  // every version is read the same way
    double rx = 0.0;
    double ry = 0.0;
    double rz = 0.0;
    ar >> rx >> ry >> rz;
    x = rx;
    y = ry;
    z = rz;
}

}  // namespace geo_detail
