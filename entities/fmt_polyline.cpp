// The formatted (wide) polyline: vertex editing, widths, measures, edges, record.
#include <geo/acge/gevec3d.h>
#include <geo/archive_lists.h>
#include <geo/float_comp.h>
#include <geo/fmt_polyline.h>
#include <geo/measures.h>

#include "foundation/numeric.h"

#include <cstdint>

IMPLEMENT_SERIAL(CFmtPolyline, CGeometry, 1)

namespace {

// Widths closer than this count as equal.
constexpr double kWidthTol = 1e-6;

// A vertex with zero widths.
CFmtPolyline::VertexFmt PlainVertex(const CPoint3d& p) {
    CFmtPolyline::VertexFmt v;
    v.pt = p;
    return v;
}

// The count and the vertex records; a count larger than the data raises
// endOfFile before anything is allocated.
std::vector<CFmtPolyline::VertexFmt> ReadVertices(CArchive& ar) {
    int stored = 0;
    ar >> stored;
    const auto count = static_cast<std::uint32_t>(stored);
    EnsureRecordsAvailable(ar, count, kVertexFmtRecordBytes);
    std::vector<CFmtPolyline::VertexFmt> verts(count);
    for (auto& v : verts) {
        ar >> v;
    }
    return verts;
}

// d turned by angle about +Z and made unit length.
CVector3d TurnedUnit(const CVector3d& d, double angle) {
    AcGeVector3d v = d.toAcGeVector3d();
    v.rotateBy(angle, AcGeVector3d::kZAxis);
    v.normalize(AcGeContext::gTol);
    return CVector3d(v.x, v.y, v.z);
}

// p + n * w / 2.
CPoint3d Offset(const CPoint3d& p, const CVector3d& n, double w) {
    CPoint3d q = p;
    q += n * (w / 2.0);
    return q;
}

}  // namespace

// ---- Construction and copying -------------------------------------------------------

CFmtPolyline::CFmtPolyline() {
    xdata.InitHashTable(kFmtXdataHashSize, FALSE);
}

CFmtPolyline::CFmtPolyline(const std::vector<CPoint3d>& pts) : CFmtPolyline() {
    setPoints(pts);
}

CFmtPolyline::CFmtPolyline(const CFmtPolyline& other)
    : CGeometry(other), vertexList(other.vertexList), label(other.label) {
    xdata.InitHashTable(kFmtXdataHashSize, FALSE);
    other.copyXdata(xdata);
}

CFmtPolyline::~CFmtPolyline() = default;

CFmtPolyline& CFmtPolyline::operator=(const CFmtPolyline& other) {
    if (this == &other) {
        return *this;
    }
    CGeometry::operator=(other);
    vertexList = other.vertexList;
    label = other.label;
    other.copyXdata(xdata);
    return *this;
}

void CFmtPolyline::copyXdata(CMapStringToString& to) const {
    to.RemoveAll();
    CString key, value;
    for (POSITION pos = xdata.GetStartPosition(); pos != nullptr;) {
        xdata.GetNextAssoc(pos, key, value);
        to[key] = value;
    }
}

void CFmtPolyline::calBox() {}

// ---- Vertices -------------------------------------------------------------------------

unsigned int CFmtPolyline::numVerts() const {
    return static_cast<unsigned int>(vertexList.size());
}

CPoint3d& CFmtPolyline::operator[](unsigned int i) {
    if (i >= vertexList.size()) {
        ThrowArrayOutOfBounds();
    }
    return vertexList[i].pt;
}

const CPoint3d& CFmtPolyline::operator[](unsigned int i) const {
    if (i >= vertexList.size()) {
        ThrowArrayOutOfBounds();
    }
    return vertexList[i].pt;
}

void CFmtPolyline::setPointAt(unsigned int i, const CPoint3d& p) {
    if (i < vertexList.size()) {
        vertexList[i].pt = p;
    }
}

void CFmtPolyline::getPointAt(unsigned int i, CPoint3d& p) const {
    if (i < vertexList.size()) {
        p = vertexList[i].pt;
    }
}

void CFmtPolyline::setPoints(const std::vector<CPoint3d>& pts) {
    std::vector<VertexFmt> verts;
    verts.reserve(pts.size());
    for (const CPoint3d& p : pts) {
        verts.push_back(PlainVertex(p));
    }
    vertexList.swap(verts);
}

void CFmtPolyline::getPoints(std::vector<CPoint3d>& pts) const {
    pts.resize(vertexList.size());
    for (size_t i = 0; i < vertexList.size(); ++i) {
        pts[i] = vertexList[i].pt;
    }
}

void CFmtPolyline::insertVertex(unsigned int i, const CPoint3d& p, double startWidth,
                                double endWidth) {
    if (i > vertexList.size()) {
        return;
    }
    VertexFmt v = PlainVertex(p);
    v.startWidth = startWidth;
    v.endWidth = endWidth;
    vertexList.insert(vertexList.begin() + i, v);
}

void CFmtPolyline::removeVertex(unsigned int i) {
    if (i < vertexList.size()) {
        vertexList.erase(vertexList.begin() + i);
    }
}

// ---- Widths ---------------------------------------------------------------------------

void CFmtPolyline::setWidthAt(unsigned int i, double start, double end) {
    if (i >= vertexList.size()) {
        return;
    }
    vertexList[i].startWidth = start;
    vertexList[i].endWidth = end;
}

void CFmtPolyline::getWidthAt(unsigned int i, double& start, double& end) const {
    if (i >= vertexList.size()) {
        return;
    }
    start = vertexList[i].startWidth;
    end = vertexList[i].endWidth;
}

void CFmtPolyline::setConstantWidth(double w) {
    for (VertexFmt& v : vertexList) {
        v.startWidth = v.endWidth = w;
    }
}

double CFmtPolyline::getConstantWidth() const {
    return vertexList.empty() ? 0.0 : vertexList.front().startWidth;
}

bool CFmtPolyline::hasConstantWidth() const {
    if (vertexList.empty()) {
        return true;
    }
    const double w = vertexList.front().startWidth;
    for (const VertexFmt& v : vertexList) {
        if (FloatComp(v.startWidth, w, kWidthTol) != 0 ||
            FloatComp(v.endWidth, w, kWidthTol) != 0) {
            return false;
        }
    }
    return true;
}

// ---- Measures and edges -----------------------------------------------------------------

double CFmtPolyline::length() const {
    double sum = 0.0;
    for (size_t i = 1; i < vertexList.size(); ++i) {
        sum += vertexList[i - 1].pt.distanceTo(vertexList[i].pt);
    }
    return sum;
}

double CFmtPolyline::lengthAt(int i) const {
    if (i < 0 || static_cast<size_t>(i) + 1 >= vertexList.size()) {
        return 0.0;
    }
    const auto k = static_cast<size_t>(i);
    return GetDistance(vertexList[k].pt, vertexList[k + 1].pt);
}

double CFmtPolyline::area() const {
    if (vertexList.size() == 1) {
        return 0.0;
    }
    if (hasConstantWidth() && FloatComp(getConstantWidth(), 0.0, kWidthTol) == 0) {
        return 0.0;
    }
    double sum = 0.0;
    for (size_t i = 0; i + 1 < vertexList.size(); ++i) {
        const VertexFmt& v = vertexList[i];
        sum += lengthAt(static_cast<int>(i)) * (v.startWidth + v.endWidth) / 2.0;
    }
    return sum;
}

bool CFmtPolyline::isClose(const AcGeTol& tol) const {
    if (vertexList.size() < 3) {
        return false;
    }
    return vertexList.front().pt.toAcGePoint3d().isEqualTo(vertexList.back().pt.toAcGePoint3d(),
                                                           tol);
}

void CFmtPolyline::get2Edge(unsigned int i, CLineSeg& left, CLineSeg& right) const {
    if (static_cast<size_t>(i) + 1 >= vertexList.size()) {
        return;
    }
    const VertexFmt& v = vertexList[i];
    const CPoint3d& p = v.pt;
    const CPoint3d& q = vertexList[i + 1].pt;
    const CVector3d d = q - p;
    const CVector3d nL = TurnedUnit(d, geo_detail::kHalfPi);
    const CVector3d nR = TurnedUnit(d, -geo_detail::kHalfPi);
    left.set(Offset(p, nL, v.startWidth), Offset(q, nL, v.endWidth));
    right.set(Offset(p, nR, v.startWidth), Offset(q, nR, v.endWidth));
}

// ---- Entity operations ----------------------------------------------------------------

const std::type_info& CFmtPolyline::type() const {
    return typeid(CFmtPolyline);
}

CGeometry* CFmtPolyline::clone() const {
    return new CFmtPolyline(*this);
}

void CFmtPolyline::move(const CVector3d& offset) {
    for (VertexFmt& v : vertexList) {
        v.pt += offset;
    }
}

void CFmtPolyline::rotate(const CPoint3d& base, double angle) {
    for (VertexFmt& v : vertexList) {
        v.pt.rotate(base, angle);
    }
}

void CFmtPolyline::scale(const CPoint3d& base, double factor) {
    for (VertexFmt& v : vertexList) {
        v.pt.scale(factor, base);
    }
}

void CFmtPolyline::mirror(const CLine& line) {
    for (VertexFmt& v : vertexList) {
        v.pt.mirror(line);
    }
}

bool CFmtPolyline::isValid() const {
    if (!CGeometry::isValid()) {
        return false;
    }
    for (const VertexFmt& v : vertexList) {
        if (!v.pt.isValid()) {
            return false;
        }
    }
    return true;
}

// ---- Records ----------------------------------------------------------------------------

void CFmtPolyline::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteRecordVersion(ar);
        ar << static_cast<int>(vertexList.size());
        for (const VertexFmt& v : vertexList) {
            ar << v;
        }
        ar << label;
        xdata.Serialize(ar);
        CGeometry::Serialize(ar);
        return;
    }
    ReadRecordVersion(ar);
    std::vector<VertexFmt> verts = ReadVertices(ar);
    CString text;
    ar >> text;
    // The stored pairs replace the current ones rather than joining them.
    CMapStringToString pairs;
    pairs.InitHashTable(kFmtXdataHashSize, FALSE);
    pairs.Serialize(ar);
    CPoint3d lo, hi;
    ReadGeometryBox(ar, lo, hi);
    vertexList.swap(verts);
    label = text;
    xdata = pairs;
    boxMin = lo;
    boxMax = hi;
}

CArchive& operator<<(CArchive& ar, const CFmtPolyline::VertexFmt& v) {
    RequireStoring(ar);
    WriteRecordVersion(ar);
    ar << v.pt.x << v.pt.y << v.pt.z << v.startWidth << v.endWidth << v.extra;
    return ar;
}

CArchive& operator>>(CArchive& ar, CFmtPolyline::VertexFmt& v) {
    RequireLoading(ar);
    ReadRecordVersion(ar);
    CFmtPolyline::VertexFmt read;
    ar >> read.pt.x >> read.pt.y >> read.pt.z >> read.startWidth >> read.endWidth >> read.extra;
    v = read;
    return ar;
}
