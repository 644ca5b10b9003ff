// Archive helpers shared by every entity record: versions, flags, point lists.
#pragma once

#include <geo/export.h>
#include <geo/mfc/archive.h>
#include <geo/point3d.h>
#include <geo/wintypes.h>

#include <vector>

// The version double that leads every record this library writes.
constexpr double kRecordVersion = 2.0;
// Bytes of one embedded point or vector record and of the base geometry record.
constexpr ULONGLONG kPointRecordBytes = 32;
constexpr ULONGLONG kGeometryRecordBytes = 72;

// Throws CArchiveException readOnly unless the archive is storing.
GEO_API void RequireStoring(CArchive& ar);
// Throws CArchiveException writeOnly unless the archive is loading.
GEO_API void RequireLoading(CArchive& ar);

// Writes a record's leading version double.
GEO_API void WriteRecordVersion(CArchive& ar, double version = kRecordVersion);
// Reads a record's leading version double; its value is the caller's to judge.
GEO_API double ReadRecordVersion(CArchive& ar);

// Raises CArchiveException endOfFile unless count records of recordBytes each
// can still be read; call it before allocating for a count read from the archive.
GEO_API void EnsureRecordsAvailable(CArchive& ar, ULONGLONG count, ULONGLONG recordBytes);

// A flag as one byte, 0 or 1.
GEO_API void WriteBool(CArchive& ar, bool value);
// Reads one byte; any non-zero byte is true.
GEO_API void ReadBool(CArchive& ar, bool& value);

// A 32-bit unsigned count, then one 32-byte record per point.
GEO_API void WritePointList(CArchive& ar, const std::vector<CPoint3d>& points);
// Reads a list written by WritePointList, replacing `points`. A count larger
// than the data left raises endOfFile before anything is allocated; on any
// failure `points` keeps its previous contents.
GEO_API void ReadPointList(CArchive& ar, std::vector<CPoint3d>& points);
