// Demo: shows the library's round trips and typical calls end to end.
#include <geo/geo.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The bytes of one object's record, written through its Serialize.
Bytes RecordOf(CObject& obj) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    obj.Serialize(ar);
    ar.Close();
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty()) {
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    return bytes;
}

// Reads a record into obj through its Serialize.
void ReadRecord(CObject& obj, const Bytes& bytes) {
    CMemFile file;
    if (!bytes.empty()) {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    obj.Serialize(ar);
}

// One row: creates the class by name twice, writes the first object, reads the
// record into the second and checks that the second writes the same bytes.
void PrintRoundTrip(const CRuntimeClass& cls) {
    const char* name = cls.m_lpszClassName;
    std::unique_ptr<CObject> first(CRuntimeClass::CreateObject(name));
    std::unique_ptr<CObject> second(CRuntimeClass::CreateObject(name));
    if (!first || !second) {
        std::printf("%-20s %8s  %s\n", name, "-", "not creatable");
        return;
    }
    try {
        const Bytes written = RecordOf(*first);
        ReadRecord(*second, written);
        const bool same = RecordOf(*second) == written;
        std::printf("%-20s %8zu  %s\n", name, written.size(), same ? "yes" : "NO");
    } catch (CException* e) {
        std::printf("%-20s %8s  failed: %s\n", name, "-", e->GetMessage().GetString());
        e->Delete();
    }
}

// The table of every registered class's default record and its round trip.
void PrintRecordTable() {
    std::printf("%-20s %8s  %s\n", "class", "bytes", "round trip equal");
    for (const CRuntimeClass* cls : CRuntimeClass::GetRegistered()) {
        PrintRoundTrip(*cls);
    }
}

// Where the union of the rooms and its offset are stored and read back.
const char kRoomsFile[] = "/tmp/geo_demo_rooms.bin";
// The picture of the rooms, their union and its offset, written to the current directory.
const char kPictureFile[] = "demo.svg";
// How far the union's outline is pushed outwards.
constexpr double kSetback = 0.5;

// Prints a point list as (x, y) pairs on one line.
void PrintOutline(const char* label, const std::vector<CPoint3d>& pts) {
    std::printf("  %s:", label);
    for (const CPoint3d& p : pts) {
        std::printf(" (%g, %g)", p.x, p.y);
    }
    std::printf("\n");
}

// Writes the union's polygons and the offset outlines to an archive file, each list after
// its count.
void StoreRooms(const std::vector<CPolygon>& rooms, const std::vector<CPolyline>& offsets) {
    CFile file(kRoomsFile, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << static_cast<int>(rooms.size());
    for (const CPolygon& room : rooms) {
        ar << room;
    }
    ar << static_cast<int>(offsets.size());
    for (const CPolyline& line : offsets) {
        ar << line;
    }
    ar.Close();
}

// Reads one list written by StoreRooms; a negative count reads as none.
template <typename T>
std::vector<T> LoadList(CArchive& ar) {
    int count = 0;
    ar >> count;
    std::vector<T> items;
    for (int i = 0; i < count; ++i) {
        items.emplace_back();
        ar >> items.back();
    }
    return items;
}

// Reads back what StoreRooms wrote and reports whether every vertex came back.
void ReloadRooms(const std::vector<CPolygon>& rooms, const std::vector<CPolyline>& offsets) {
    CFile file(kRoomsFile, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    const std::vector<CPolygon> backRooms = LoadList<CPolygon>(ar);
    const std::vector<CPolyline> backOffsets = LoadList<CPolyline>(ar);
    bool same = backRooms.size() == rooms.size() && backOffsets.size() == offsets.size();
    for (size_t i = 0; same && i < rooms.size(); ++i) {
        same = backRooms[i].getPoints() == rooms[i].getPoints();
    }
    for (size_t i = 0; same && i < offsets.size(); ++i) {
        same = backOffsets[i].getPoints() == offsets[i].getPoints();
    }
    std::printf(
        "  stored to %s and read back: %zu polygon(s), %zu offset outline(s), vertices %s\n",
        kRoomsFile, backRooms.size(), backOffsets.size(), same ? "equal" : "DIFFERENT");
}

// The union's outline pushed outwards by kSetback: the outline is counter-clockwise, so the
// outside is on the right of travel (a negative distance).
std::vector<CPolyline> OffsetOutline(const CPolygon& piece) {
    std::vector<CPoint3d> closed = piece.getPoints();
    ClosePts(closed, 1e-6);
    std::vector<std::vector<CPoint3d>> lists;
    const int count = PlineOffset(closed, lists, -kSetback, 1e-6);
    std::printf("  PlineOffset(%g): %d outline(s)\n", -kSetback, count);
    std::vector<CPolyline> offsets;
    for (const std::vector<CPoint3d>& pts : lists) {
        PrintOutline("offset", pts);
        std::printf("  offset area %g\n", CalPolyArea(pts));
        offsets.emplace_back(pts);
    }
    return offsets;
}

const char* InOrOut(bool inside) {
    return inside ? "inside" : "outside";
}

// Point tests against the union (edge points counted out, then in) and its offset.
void PrintPointTests(const CPolygon& piece, const std::vector<CPolyline>& offsets) {
    for (const CPoint3d& p : {CPoint3d(2, 2, 0), CPoint3d(9, 2, 0), CPoint3d(9.3, 2, 0),
                              CPoint3d(8, 3.8, 0), CPoint3d(10, 2, 0)}) {
        const bool inOffset = !offsets.empty() && PtInArea(p, offsets[0].getPoints(), 1e-6, false);
        std::printf("  PtInArea(%g, %g): union %s / %s with edges counted in, offset %s\n", p.x,
                    p.y, InOrOut(PtInArea(p, piece.getPoints(), 1e-6, false)),
                    InOrOut(PtInArea(p, piece.getPoints(), 1e-6, true)), InOrOut(inOffset));
    }
}

// The same union and offset through regions: CRegion::booleanOper and CRegion::Offset.
void PrintRegionUnion(const std::vector<CPoint3d>& kitchen, const std::vector<CPoint3d>& hall) {
    CRegion merged;
    const bool ok = CRegion(kitchen).booleanOper(CRegion(hall), merged, gpc::GPC_UNION);
    std::printf("  CRegion::booleanOper(GPC_UNION): %s, %zu contour(s), area %g\n",
                ok ? "true" : "false", merged.contours.size(), merged.area());
    CRegion grown = merged;
    const bool offset = grown.Offset(kSetback);
    std::printf("  CRegion::Offset(%g): %s, %zu contour(s), area %g\n", kSetback,
                offset ? "true" : "false", grown.contours.size(), grown.area());
}

// Plan extents of a set of outlines.
struct Extents {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(const std::vector<CPoint3d>& pts) {
        for (const CPoint3d& p : pts) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    }
};

// Maps drawing units to picture pixels, y pointing down.
struct SvgFrame {
    Extents ext;
    double pixelsPerUnit = 60.0;
    double margin = 40.0;
    double x(double v) const { return margin + (v - ext.minX) * pixelsPerUnit; }
    double y(double v) const { return margin + (ext.maxY - v) * pixelsPerUnit; }
    double width() const { return 2 * margin + (ext.maxX - ext.minX) * pixelsPerUnit; }
    double height() const { return 2 * margin + (ext.maxY - ext.minY) * pixelsPerUnit; }
};

// One closed outline as an SVG polygon element.
void SvgOutline(std::FILE* out, const SvgFrame& frame, const std::vector<CPoint3d>& pts,
                const char* style) {
    std::fprintf(out, "  <polygon style=\"%s\" points=\"", style);
    for (const CPoint3d& p : pts) {
        std::fprintf(out, "%.2f,%.2f ", frame.x(p.x), frame.y(p.y));
    }
    std::fprintf(out, "\"/>\n");
}

// One legend row: a line sample in the style and its label.
void SvgLegendRow(std::FILE* out, double x, double y, const char* style, const char* label) {
    std::fprintf(out, "  <line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" style=\"%s\"/>\n", x,
                 y, x + 30, y, style);
    std::fprintf(out,
                 "  <text x=\"%.1f\" y=\"%.1f\" font-family=\"sans-serif\" "
                 "font-size=\"13\">%s</text>\n",
                 x + 38, y + 4, label);
}

const char kKitchenStyle[] = "fill:none;stroke:#1f6fd0;stroke-width:2;stroke-dasharray:6,4";
const char kHallStyle[] = "fill:none;stroke:#2a9d3a;stroke-width:2;stroke-dasharray:2,3";
const char kUnionStyle[] = "fill:#d8d8d8;fill-opacity:0.6;stroke:#000000;stroke-width:1.5";
const char kOffsetStyle[] = "fill:none;stroke:#d0301f;stroke-width:2";

// One further outline of the picture, with its legend label.
struct Layer {
    std::vector<CPoint3d> pts;
    const char* style;
    const char* label;
};

const char kShadeStyle[] = "fill:#6a4c93;fill-opacity:0.18;stroke:#6a4c93;stroke-width:1";
const char kRoadStyle[] = "fill:#e9a23b;fill-opacity:0.35;stroke:#b36b00;stroke-width:1.5";
// The sun's shift of the union's shadow, and the road's centre line and half width.
const CVector3d kSunShift(1.5, -1.5, 0.0);
constexpr double kRoadHalfWidth = 0.6;

// The site step: the union's shadow along the sun's shift and a road band along a centre
// line, printed and returned as picture layers.
std::vector<Layer> SiteLayers(const CPolygon& piece) {
    std::vector<Layer> layers;
    std::vector<CPoint3d> shade;
    GetEntShade(piece.getPoints(), kSunShift, shade);
    std::printf("  GetEntShade(shift %g, %g): %zu vertices, area %g\n", kSunShift.x, kSunShift.y,
                shade.size(), CalPolyArea(shade));
    layers.push_back(
        {shade, kShadeStyle, "shadow of the union, sun shift (1.5, -1.5) (GetEntShade)"});
    const std::vector<CPoint3d> centre{CPoint3d(-1, 6, 0), CPoint3d(5, 6, 0), CPoint3d(10, 4.5, 0)};
    std::vector<CPoint3d> left, right;
    const int result = RoadLineCalc(centre, left, right, kRoadHalfWidth);
    std::printf("  RoadLineCalc(half width %g): %d\n", kRoadHalfWidth, result);
    PrintOutline("road left", left);
    PrintOutline("road right", right);
    std::vector<CPoint3d> band(left);
    band.insert(band.end(), right.rbegin(), right.rend());
    layers.push_back({band, kRoadStyle, "road band of half width 0.6 (RoadLineCalc)"});
    return layers;
}

const char* const kPieceStyles[] = {
    "fill:#2a9d8f;fill-opacity:0.3;stroke:#1d6f65;stroke-width:1.5;stroke-dasharray:8,3",
    "fill:#e76f51;fill-opacity:0.3;stroke:#a4452d;stroke-width:1.5;stroke-dasharray:8,3"};
const char kCutterStyle[] = "fill:none;stroke:#264653;stroke-width:2.5";
// The pieces of the cut take turns with the two piece styles and their labels.
const char* const kPieceLabels[] = {"union cut by the segment, one piece (LineSegSplitPolyGon)",
                                    "union cut by the segment, the next piece"};

// The union cut by a segment across both rooms, printed and returned as picture layers: the
// cutting segment, then the pieces.
std::vector<Layer> CutLayers(const CPolygon& piece) {
    CLineSeg cutter(CPoint3d(-0.5, 4.5, 0), CPoint3d(9.5, -0.5, 0));
    CPolygon whole = piece;
    std::vector<CPolygon> pieces;
    const int result = LineSegSplitPolyGon(&cutter, &whole, pieces);
    std::printf("  LineSegSplitPolyGon((%g, %g)-(%g, %g)): %d, %zu piece(s)\n", cutter.startPt.x,
                cutter.startPt.y, cutter.endPt.x, cutter.endPt.y, result, pieces.size());
    std::vector<Layer> layers{
        {{cutter.startPt, cutter.endPt}, kCutterStyle, "cutting segment (-0.5, 4.5)-(9.5, -0.5)"}};
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::printf("  piece %zu area %g\n", i + 1, pieces[i].area());
        layers.push_back({pieces[i].getPoints(), kPieceStyles[i % 2], kPieceLabels[i % 2]});
    }
    return layers;
}

const char kHullStyle[] = "fill:none;stroke:#8a3ab9;stroke-width:1.5;stroke-dasharray:2,2";
const char kRectStyle[] = "fill:none;stroke:#e08a00;stroke-width:1.5";

// The union's hull, least-area rectangle, inside lattice and four sides, printed; the hull
// and rectangle are returned as picture layers.
std::vector<Layer> HullLayers(const CPolygon& piece) {
    std::vector<CPoint3d> hull, rect;
    ConvexHull(piece.getPoints(), hull);
    PrintOutline("ConvexHull (clockwise)", hull);
    const bool boxed = GetMinBesiegeRect(hull, rect);
    std::printf("  GetMinBesiegeRect: %s, area %g\n", boxed ? "true" : "false", CalPolyArea(rect));
    std::vector<Layer> layers{{hull, kHullStyle, "convex hull of the union (ConvexHull)"},
                              {rect, kRectStyle, "least-area rectangle (GetMinBesiegeRect)"}};
    std::vector<CPoint3d> lattice;
    int alongX = 0, alongY = 0;
    MesurePolygon(piece.getPoints(), lattice, 1.0, alongX, alongY);
    std::printf("  MesurePolygon(step 1): %zu lattice points inside, %d x %d inside the box\n",
                lattice.size(), alongY, alongX);
    CPolygon outline(piece);
    std::vector<CPoint3d> sides[4];
    bool elongated = false;
    if (GetFourEdge(&outline, sides[0], sides[1], sides[2], sides[3], elongated, rect)) {
        std::printf("  GetFourEdge: sides of %zu, %zu, %zu and %zu vertices, %s\n", sides[0].size(),
                    sides[1].size(), sides[2].size(), sides[3].size(),
                    elongated ? "elongated" : "not elongated");
    }
    return layers;
}

// Draws the two rooms, their union and its offset with a legend; false when the file
// cannot be written.
bool WritePicture(const std::vector<CPoint3d>& kitchen, const std::vector<CPoint3d>& hall,
                  const std::vector<CPolygon>& merged, const std::vector<CPolyline>& offsets,
                  const std::vector<Layer>& layers) {
    SvgFrame frame;
    frame.ext.add(kitchen);
    frame.ext.add(hall);
    for (const CPolyline& line : offsets) {
        frame.ext.add(line.getPoints());
    }
    for (const Layer& layer : layers) {
        frame.ext.add(layer.pts);
    }
    const double legendHeight = (4 + layers.size()) * 22 + 10;
    std::FILE* out = std::fopen(kPictureFile, "w");
    if (out == nullptr) {
        return false;
    }
    std::fprintf(out,
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\">\n"
                 "  <rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
                 frame.width(), frame.height() + legendHeight);
    for (const Layer& layer : layers) {
        SvgOutline(out, frame, layer.pts, layer.style);
    }
    for (const CPolygon& piece : merged) {
        SvgOutline(out, frame, piece.getPoints(), kUnionStyle);
    }
    for (const CPolyline& line : offsets) {
        SvgOutline(out, frame, line.getPoints(), kOffsetStyle);
    }
    SvgOutline(out, frame, kitchen, kKitchenStyle);
    SvgOutline(out, frame, hall, kHallStyle);
    const double top = frame.height() + 10;
    SvgLegendRow(out, frame.margin, top, kKitchenStyle, "kitchen (input)");
    SvgLegendRow(out, frame.margin, top + 22, kHallStyle, "hall (input)");
    SvgLegendRow(out, frame.margin, top + 44, "stroke:#000000;stroke-width:6;stroke-opacity:0.3",
                 "union (CPolygon::booleanOper, GPC_UNION)");
    SvgLegendRow(out, frame.margin, top + 66, kOffsetStyle,
                 "union offset outwards by 0.5 (PlineOffset)");
    for (size_t i = 0; i < layers.size(); ++i) {
        SvgLegendRow(out, frame.margin, top + 22 * (4 + i), layers[i].style, layers[i].label);
    }
    std::fprintf(out, "</svg>\n");
    return std::fclose(out) == 0;
}

// The typical call end to end: two room outlines, their union, its offset, point tests, a
// file round trip and a picture.
void PrintRoomUnion() {
    std::printf("\nunion of two rooms\n");
    const std::vector<CPoint3d> kitchen{CPoint3d(0, 0, 0), CPoint3d(0, 4, 0), CPoint3d(5, 4, 0),
                                        CPoint3d(5, 0, 0)};  // clockwise, as drawn
    const std::vector<CPoint3d> hall{CPoint3d(4, 1, 0), CPoint3d(9, 1, 0), CPoint3d(9, 3, 0),
                                     CPoint3d(4, 3, 0)};
    const CPolygon a(kitchen, true), b(hall, true);
    PrintOutline("kitchen (normalised)", a.getPoints());
    PrintOutline("hall", b.getPoints());
    std::vector<CPolygon> merged;
    const bool ok = a.booleanOper(b, merged, gpc::GPC_UNION);
    std::printf("  booleanOper(GPC_UNION): %s, %zu piece(s)\n", ok ? "true" : "false",
                merged.size());
    for (const CPolygon& piece : merged) {
        PrintOutline("piece", piece.getPoints());
        std::printf("  area %g (kitchen %g + hall %g - shared 2)\n", piece.area(), a.area(),
                    b.area());
    }
    if (merged.empty()) {
        return;
    }
    const std::vector<CPolyline> offsets = OffsetOutline(merged[0]);
    PrintPointTests(merged[0], offsets);
    PrintRegionUnion(kitchen, hall);
    std::vector<Layer> layers = SiteLayers(merged[0]);
    for (const Layer& layer : CutLayers(merged[0])) {
        layers.push_back(layer);
    }
    for (const Layer& layer : HullLayers(merged[0])) {
        layers.push_back(layer);
    }
    try {
        StoreRooms(merged, offsets);
        ReloadRooms(merged, offsets);
    } catch (CException* e) {
        std::printf("  file round trip failed: %s\n", e->GetMessage().GetString());
        e->Delete();
    }
    if (WritePicture(kitchen, hall, merged, offsets, layers)) {
        char where[PATH_MAX];
        std::printf("  picture written to %s\n",
                    realpath(kPictureFile, where) != nullptr ? where : kPictureFile);
    } else {
        std::printf("  picture could not be written to %s\n", kPictureFile);
    }
}

}  // namespace

int main() {
    std::printf("geo demo\n\n");
    PrintRecordTable();
    PrintRoomUnion();
    return 0;
}
