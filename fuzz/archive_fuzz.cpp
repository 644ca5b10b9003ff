// Every archive reader of the library on arbitrary bytes: the first byte picks the reader,
// the rest is the record.
#include <geo/archive_lists.h>
#include <geo/fmt_polyline.h>
#include <geo/geo.h>

#include "fuzz_support.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

using fuzz::Bytes;

// The classes a host creates by name and reads through Serialize.
const char* const kRuntimeClasses[] = {
    "CPoint3d",     "CVector3d",  "CGeometry", "CLineSeg",  "CLine",    "CRay",
    "CPlane",       "CCircle",    "CArc",      "CPolyline", "CPolygon", "CRegion",
    "CFmtPolyline", "CPolygon3D", "CSphere",   "CCone",     "CPyramid",
};
constexpr int kRuntimeClassCount = sizeof kRuntimeClasses / sizeof kRuntimeClasses[0];

// A record read through the class's runtime record, as a host reads a stored drawing.
void CheckRuntimeClass(const char* name, const Bytes& input) {
    auto make = [name] {
        std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject(name));
        FUZZ_CHECK(obj != nullptr, "a registered class cannot be created by name");
        const CRuntimeClass* rc = obj->GetRuntimeClass();
        FUZZ_CHECK(std::strcmp(rc->m_lpszClassName, name) == 0 && rc->m_wSchema == 1,
                   "created object has another class or schema");
        return obj;
    };
    const int period = std::strcmp(name, "CFmtPolyline") == 0 ? 2 : 1;
    fuzz::CheckReader(
        input, make, [](CArchive& ar, CObject& o) { o.Serialize(ar); }, period);
}

// Writes or reads with the value's archive operators, by the archive's direction.
template <class T>
void Exchange(CArchive& ar, T& value) {
    if (ar.IsStoring()) {
        ar << value;
    } else {
        ar >> value;
    }
}

template <class T>
std::unique_ptr<T> Fresh() {
    return std::make_unique<T>();
}

void CheckPointList(const Bytes& input) {
    fuzz::CheckReader(input, Fresh<std::vector<CPoint3d>>,
                      [](CArchive& ar, std::vector<CPoint3d>& pts) {
                          if (ar.IsStoring()) {
                              WritePointList(ar, pts);
                          } else {
                              ReadPointList(ar, pts);
                          }
                      });
}

void CheckCurve(const Bytes& input) {
    fuzz::CheckReader(input, Fresh<C2PtCurve>, [](CArchive& ar, C2PtCurve& c) { c.Serialize(ar); });
}

void CheckString(const Bytes& input) {
    fuzz::CheckReader(input, Fresh<CString>, Exchange<CString>);
}

void CheckStringMap(const Bytes& input) {
    fuzz::CheckReader(
        input, Fresh<CMapStringToString>,
        [](CArchive& ar, CMapStringToString& m) { m.Serialize(ar); }, 2);
}

void CheckVertexFmt(const Bytes& input) {
    fuzz::CheckReader(input, Fresh<CFmtPolyline::VertexFmt>, Exchange<CFmtPolyline::VertexFmt>);
}

void CheckPointArray(const Bytes& input) {
    using Array = CArray<AcGePoint2d, AcGePoint2d>;
    fuzz::CheckReader(input, Fresh<Array>, [](CArchive& ar, Array& a) { a.Serialize(ar); });
}

// The readers that are not runtime classes, after the runtime classes in the selector's range.
void (*const kOtherReaders[])(const Bytes&) = {
    CheckPointList, CheckCurve, CheckString, CheckStringMap, CheckVertexFmt, CheckPointArray,
};
constexpr int kOtherCount = sizeof kOtherReaders / sizeof kOtherReaders[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    fuzz::Decoder in(data, size);
    const int pick = in.byte() % (kRuntimeClassCount + kOtherCount);
    const Bytes record = in.rest();
    if (pick < kRuntimeClassCount) {
        CheckRuntimeClass(kRuntimeClasses[pick], record);
    } else {
        kOtherReaders[pick - kRuntimeClassCount](record);
    }
    return 0;
}
