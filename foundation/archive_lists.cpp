// Archive helpers shared by every entity record.
#include <geo/archive_lists.h>
#include <geo/mfc/exceptions.h>

#include <cstdint>
#include <limits>

#include "foundation/xyz_record.h"

void RequireStoring(CArchive& ar) {
    if (!ar.IsStoring()) {
        AfxThrowArchiveException(CArchiveException::readOnly);
    }
}

void RequireLoading(CArchive& ar) {
    if (ar.IsStoring()) {
        AfxThrowArchiveException(CArchiveException::writeOnly);
    }
}

void WriteRecordVersion(CArchive& ar, double version) {
    RequireStoring(ar);
    ar << version;
}

double ReadRecordVersion(CArchive& ar) {
    RequireLoading(ar);
    double version = 0.0;
    ar >> version;
    return version;
}

void EnsureRecordsAvailable(CArchive& ar, ULONGLONG count, ULONGLONG recordBytes) {
    RequireLoading(ar);
    ar.EnsureAvailable(count, recordBytes);  // overflow-safe product
}

void WriteBool(CArchive& ar, bool value) {
    RequireStoring(ar);
    ar << static_cast<BYTE>(value ? 1 : 0);
}

void ReadBool(CArchive& ar, bool& value) {
    RequireLoading(ar);
    BYTE byte = 0;
    ar >> byte;
    value = byte != 0;
}

void WritePointList(CArchive& ar, const std::vector<CPoint3d>& points) {
    RequireStoring(ar);
    // The count field is 32 bits wide; a longer list cannot be stored faithfully.
    if (points.size() > std::numeric_limits<std::uint32_t>::max()) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    ar << static_cast<DWORD>(points.size());
    for (const CPoint3d& p : points) {
        geo_detail::writeXyzRecord(ar, p.x, p.y, p.z);
    }
}

void ReadPointList(CArchive& ar, std::vector<CPoint3d>& points) {
    RequireLoading(ar);
    DWORD count = 0;
    ar >> count;
    EnsureRecordsAvailable(ar, count, kPointRecordBytes);
    std::vector<CPoint3d> read(count);
    for (CPoint3d& p : read) {
        geo_detail::readXyzRecord(ar, p.x, p.y, p.z);
    }
    points.swap(read);
}
