// The region entity: construction, queries, transforms and archive record.
#include <geo/region.h>

#include <geo/archive_lists.h>
#include <geo/containment.h>
#include <geo/conversions.h>
#include <geo/gpc_contours.h>
#include <geo/measures.h>

#include <algorithm>

IMPLEMENT_SERIAL(CRegion, CGeometry, 1)

namespace {

// Bytes of the smallest contour record: an empty point list's count and the outer flag.
constexpr ULONGLONG kMinContourRecordBytes = 4 + 1;

// Appends one contour per list with the given flag.
void AppendContours(std::vector<RegionContour>& contours,
                    const std::vector<std::vector<CPoint3d>>& lists, bool outer) {
    for (const std::vector<CPoint3d>& pts : lists) {
        contours.emplace_back(pts, outer);
    }
}

// The vertex lists of the contours of one kind appended to out; their number.
int CollectContours(const std::vector<RegionContour>& contours, bool outer,
                    std::vector<std::vector<CPoint3d>>& out) {
    int count = 0;
    for (const RegionContour& c : contours) {
        if (c.isOuter == outer) {
            out.push_back(c.pts);
            ++count;
        }
    }
    return count;
}

// CalBox of the outer contours' vertices one after another, without gathering them: the plan
// box, z taken from the first vertex; min and max untouched when there is none.
void OuterBox(const std::vector<RegionContour>& contours, CPoint3d& min, CPoint3d& max) {
    const CPoint3d* first = nullptr;
    CPoint3d lo, hi;
    for (const RegionContour& c : contours) {
        if (!c.isOuter || c.pts.empty()) {
            continue;
        }
        if (first == nullptr) {
            first = &c.pts.front();
            lo = hi = *first;
        }
        for (const CPoint3d& p : c.pts) {
            lo.x = std::min(lo.x, p.x);
            lo.y = std::min(lo.y, p.y);
            hi.x = std::max(hi.x, p.x);
            hi.y = std::max(hi.y, p.y);
        }
    }
    if (first != nullptr) {
        min = lo;
        max = hi;
    }
}

// A copy of pts closed with its first vertex unless the last lies within tol on every axis.
std::vector<CPoint3d> ClosedCopy(const std::vector<CPoint3d>& pts, double tol) {
    std::vector<CPoint3d> copy = pts;
    if (!copy.empty() && !copy.back().isEqualTo(copy.front(), tol)) {
        copy.push_back(copy.front());
    }
    return copy;
}

}  // namespace

CRegion::CRegion() = default;

CRegion::CRegion(const std::vector<CPoint3d>& pts) {
    contours.emplace_back(pts, true);
    calBox();
}

CRegion::CRegion(const std::vector<AcGePoint2d>& pts) {
    std::vector<CPoint3d> points;
    points.reserve(pts.size());
    for (const AcGePoint2d& p : pts) {
        points.emplace_back(p.x, p.y, 0.0);
    }
    contours.emplace_back(std::move(points), true);
    calBox();
}

CRegion::CRegion(const std::vector<std::vector<CPoint3d>>& outers) {
    AppendContours(contours, outers, true);
    calBox();
}

CRegion::CRegion(const std::vector<std::vector<CPoint3d>>& outers,
                 const std::vector<std::vector<CPoint3d>>& holes) {
    contours.reserve(outers.size() + holes.size());
    AppendContours(contours, outers, true);
    AppendContours(contours, holes, false);
    calBox();
}

CRegion::CRegion(const CPolygon& polygon) : elev(polygon.elevation()), thick(polygon.thickness()) {
    contours.emplace_back(polygon.getPoints(), true);
    calBox();
}

CRegion::CRegion(const gpc::gpc_polygon& poly) {
    if (poly.contour != nullptr && poly.num_contours > 0) {
        contours.reserve(static_cast<size_t>(poly.num_contours));
        for (int i = 0; i < poly.num_contours; ++i) {
            const bool hole = poly.hole != nullptr && poly.hole[i] != 0;
            contours.emplace_back(GpcContourPoints(poly.contour[i]), !hole);
        }
    }
    calBox();
}

CRegion::CRegion(const CRegion& other)
    : CGeometry(other), contours(other.contours), elev(other.elev), thick(other.thick) {
    calBox();
}

CRegion::CRegion(CRegion&& other) noexcept
    : CGeometry(other), contours(std::move(other.contours)), elev(other.elev), thick(other.thick) {
    calBox();
}

CRegion::~CRegion() = default;

CRegion& CRegion::operator=(const CRegion& other) {
    CGeometry::operator=(other);
    contours = other.contours;
    elev = other.elev;
    thick = other.thick;
    calBox();
    return *this;
}

CRegion& CRegion::operator=(CRegion&& other) noexcept {
    if (this != &other) {
        contours = std::move(other.contours);
        elev = other.elev;
        thick = other.thick;
    }
    calBox();
    return *this;
}

double CRegion::area() const {
    double total = 0.0;
    for (const RegionContour& c : contours) {
        total += c.isOuter ? CalPolyArea(c.pts) : -CalPolyArea(c.pts);
    }
    return total;
}

bool CRegion::ptIn(const CPoint3d& p, bool onEdgeIn, double tol) const {
    for (const RegionContour& c : contours) {
        if (!c.isOuter && PtInArea(p, c.pts, tol, !onEdgeIn)) {
            return false;
        }
    }
    for (const RegionContour& c : contours) {
        if (c.isOuter && PtInArea(p, c.pts, tol, onEdgeIn)) {
            return true;
        }
    }
    return false;
}

bool CRegion::ptIn(const AcGePoint3d& p, bool onEdgeIn, double tol) const {
    return ptIn(AcPnt3dToPnt3d(p), onEdgeIn, tol);
}

bool CRegion::ptOn(const CPoint3d& p, double tol) const {
    for (const RegionContour& c : contours) {
        if (PtOnPolyline(p, ClosedCopy(c.pts, tol), tol)) {
            return true;
        }
    }
    return false;
}

bool CRegion::ptOn(const AcGePoint3d& p, double tol) const {
    return ptOn(AcPnt3dToPnt3d(p), tol);
}

int CRegion::getPtsOuter(std::vector<std::vector<CPoint3d>>& out) const {
    out.clear();
    return CollectContours(contours, true, out);
}

int CRegion::getPtsHoles(std::vector<std::vector<CPoint3d>>& out) const {
    out.clear();
    return CollectContours(contours, false, out);
}

void CRegion::getAllContour(std::vector<std::vector<AcGePoint3d>>& out) const {
    // Same order as inserting each outer at the front: outers reversed, then holes.
    std::vector<std::vector<AcGePoint3d>> outers, holes;
    for (const RegionContour& c : contours) {
        std::vector<std::vector<AcGePoint3d>>& target = c.isOuter ? outers : holes;
        target.emplace_back();
        acVecPts2VecgePts(c.pts, target.back());
    }
    out.clear();
    out.reserve(outers.size() + holes.size());
    std::move(outers.rbegin(), outers.rend(), std::back_inserter(out));
    std::move(holes.begin(), holes.end(), std::back_inserter(out));
}

void CRegion::getBox(CPoint3d& min, CPoint3d& max) const {
    OuterBox(contours, min, max);
}

void CRegion::calBox() {
    OuterBox(contours, boxMin, boxMax);
}

double CRegion::elevation() const {
    return elev;
}

void CRegion::setElevation(double e) {
    elev = e;
}

double CRegion::thickness() const {
    return thick;
}

void CRegion::setThickness(double t) {
    thick = t;
}

const std::type_info& CRegion::type() const {
    return typeid(CRegion);
}

CGeometry* CRegion::clone() const {
    return new CRegion(*this);
}

void CRegion::move(const CVector3d& v) {
    for (RegionContour& c : contours) {
        for (CPoint3d& p : c.pts) {
            p.x += v.x;
            p.y += v.y;
        }
    }
    calBox();
}

void CRegion::rotate(const CPoint3d& base, double angle) {
    for (RegionContour& c : contours) {
        for (CPoint3d& p : c.pts) {
            p.rotate(base, angle);
        }
    }
    calBox();
}

void CRegion::scale(const CPoint3d& base, double factor) {
    for (RegionContour& c : contours) {
        for (CPoint3d& p : c.pts) {
            p.scale(factor, base);
        }
    }
    calBox();
}

void CRegion::mirror(const CLine& line) {
    for (RegionContour& c : contours) {
        for (CPoint3d& p : c.pts) {
            p.mirror(line);
        }
        std::reverse(c.pts.begin(), c.pts.end());
    }
    calBox();
}

void CRegion::writeRecord(CArchive& ar) const {
    WriteRecordVersion(ar);
    ar << elev << thick;
    ar << static_cast<DWORD>(contours.size());
    for (const RegionContour& c : contours) {
        WritePointList(ar, c.pts);
        WriteBool(ar, c.isOuter);
    }
}

void CRegion::readRecord(CArchive& ar) {
    // Everything is read into locals first so that a failed read leaves the region intact.
    ReadRecordVersion(ar);
    double newElev = 0.0, newThick = 0.0;
    ar >> newElev >> newThick;
    DWORD count = 0;
    ar >> count;
    EnsureRecordsAvailable(ar, count, kMinContourRecordBytes);
    std::vector<RegionContour> read(count);
    for (RegionContour& c : read) {
        ReadPointList(ar, c.pts);
        ReadBool(ar, c.isOuter);
    }
    contours.swap(read);
    elev = newElev;
    thick = newThick;
    calBox();
}

void CRegion::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        writeRecord(ar);
    } else {
        readRecord(ar);
    }
}
