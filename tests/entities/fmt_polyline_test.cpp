// Tests of the formatted (wide) polyline: record bytes, runtime class, editing, measures.
#include <geo/fmt_polyline.h>
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/expect.h"

namespace {

using point_expect::expectXyz;

using test_support::ArchiveCause;
using test_support::Bytes;
using test_support::LoadBytes;
using test_support::RecordBuilder;
using test_support::StoreBytes;

constexpr double kEps = 1e-12;
const char kWallLabel[] = "W\xe5\xa2\x99";  // "W" and U+5899 in UTF-8

// MFC's Unicode string form for short texts: 0xFF, 0xFFFE, a length byte, UTF-16 units.
void AppendWide(RecordBuilder& b, const std::u16string& s) {
    b.byte(0xFF).byte(0xFE).byte(0xFF).byte(static_cast<BYTE>(s.size()));
    for (char16_t c : s) {
        b.byte(static_cast<BYTE>(c & 0xFF)).byte(static_cast<BYTE>(c >> 8));
    }
}

void AppendVertex(RecordBuilder& b, double x, double y, double z, double sw, double ew,
                  double extra) {
    b.real(2.0).real(x).real(y).real(z).real(sw).real(ew).real(extra);
}

std::string Value(const CMapStringToString& map, const char* key) {
    CString v;
    return map.Lookup(key, v) ? std::string(v.GetString()) : std::string("<missing>");
}

// Two vertices, a label, two extended-data pairs and a set box.
CFmtPolyline SamplePolyline() {
    CFmtPolyline f;
    f.insertVertex(0, CPoint3d(1, 2, 3), 0.5, 0.25);
    f.insertVertex(1, CPoint3d(-4, 5, 6), 1.5, 2.5);
    f.vertexList[1].extra = 7.0;
    f.label = kWallLabel;
    f.xdata.SetAt("a", "yy");
    f.xdata.SetAt("d", "x");
    f.boxMin = CPoint3d(1, 2, 0);
    f.boxMax = CPoint3d(3, 4, 0);
    return f;
}

// The expected image of SamplePolyline, built value by value.
Bytes SampleRecord() {
    RecordBuilder b;
    b.real(2.0).count(2);
    AppendVertex(b, 1, 2, 3, 0.5, 0.25, 0);
    AppendVertex(b, -4, 5, 6, 1.5, 2.5, 7);
    AppendWide(b, u"W\u5899");
    // Ten buckets: "d" (hash 100) lands in bucket 0, "a" (hash 97) in bucket 7.
    b.byte(2).byte(0);
    AppendWide(b, u"d");
    AppendWide(b, u"x");
    AppendWide(b, u"a");
    AppendWide(b, u"yy");
    b.real(2.0).xyz(1, 2, 0).xyz(3, 4, 0);
    return b.bytes();
}

// A distinctive object that failed reads must leave untouched.
CFmtPolyline Bystander() {
    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(9, 9, 9)});
    f.setWidthAt(0, 3, 4);
    f.label = "keep";
    f.xdata.SetAt("k", "v");
    f.boxMax = CPoint3d(5, 5, 5);
    return f;
}

void ExpectBystander(const CFmtPolyline& f) {
    ASSERT_EQ(f.numVerts(), 1u);
    expectXyz(f[0], 9, 9, 9, kEps);
    EXPECT_EQ(f.vertexList[0].startWidth, 3.0);
    EXPECT_EQ(f.vertexList[0].endWidth, 4.0);
    EXPECT_STREQ(f.label.GetString(), "keep");
    EXPECT_EQ(f.xdata.GetCount(), 1);
    EXPECT_EQ(Value(f.xdata, "k"), "v");
    expectXyz(f.boxMax, 5, 5, 5, kEps);
}

}  // namespace

// ---- Records ----------------------------------------------------------------------------

TEST(FmtPolylineRecord, WritesTheExactLayout) {
    CFmtPolyline f = SamplePolyline();
    const Bytes got = StoreBytes([&](CArchive& ar) { f.Serialize(ar); });
    const Bytes want = SampleRecord();
    EXPECT_EQ(got, want);
}

TEST(FmtPolylineRecord, EmptyPolylineRecord) {
    CFmtPolyline f;
    RecordBuilder b;
    b.real(2.0).count(0);
    AppendWide(b, u"");
    b.byte(0).byte(0);
    b.real(2.0).xyz(0, 0, 0).xyz(0, 0, 0);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { f.Serialize(ar); }), b.bytes());
}

TEST(FmtPolylineRecord, RoundTripReplacesEverything) {
    CFmtPolyline src = SamplePolyline();
    const Bytes bytes = StoreBytes([&](CArchive& ar) { src.Serialize(ar); });
    CFmtPolyline dst = Bystander();
    LoadBytes(bytes, [&](CArchive& ar) { dst.Serialize(ar); });
    ASSERT_EQ(dst.numVerts(), 2u);
    expectXyz(dst[1], -4, 5, 6, kEps);
    EXPECT_EQ(dst.vertexList[0].endWidth, 0.25);
    EXPECT_EQ(dst.vertexList[1].extra, 7.0);
    EXPECT_STREQ(dst.label.GetString(), kWallLabel);
    EXPECT_EQ(dst.xdata.GetCount(), 2);  // the old pair "k" does not survive the load
    EXPECT_EQ(Value(dst.xdata, "a"), "yy");
    EXPECT_EQ(Value(dst.xdata, "d"), "x");
    EXPECT_EQ(dst.xdata.GetHashTableSize(), kFmtXdataHashSize);
    expectXyz(dst.boxMin, 1, 2, 0, kEps);
    expectXyz(dst.boxMax, 3, 4, 0, kEps);
    // Writing the loaded object gives the same bytes back.
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { dst.Serialize(ar); }), bytes);
}

TEST(FmtPolylineRecord, ReadsNarrowLabelsAndIgnoresTheVersion) {
    RecordBuilder b;
    b.real(3.0).count(1);
    AppendVertex(b, 1, 1, 0, 2, 2, 0);
    b.byte(3).byte('a').byte('b').byte('c');  // narrow form: length byte, then the bytes
    b.byte(0).byte(0);
    b.real(1.0).xyz(0, 0, 0).xyz(0, 0, 0);
    CFmtPolyline f;
    LoadBytes(b.bytes(), [&](CArchive& ar) { f.Serialize(ar); });
    EXPECT_STREQ(f.label.GetString(), "abc");
    ASSERT_EQ(f.numVerts(), 1u);
    EXPECT_EQ(f.getConstantWidth(), 2.0);
}

TEST(FmtPolylineRecord, EveryTruncationFailsWithoutChangingTheTarget) {
    const Bytes full = SampleRecord();
    for (size_t n = 0; n < full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<long>(n));
        CFmtPolyline f = Bystander();
        const int cause =
            ArchiveCause([&] { LoadBytes(cut, [&](CArchive& ar) { f.Serialize(ar); }); });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << "prefix " << n;
        ExpectBystander(f);
    }
}

TEST(FmtPolylineRecord, HostileVertexCountsFailBeforeAllocating) {
    for (std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
        RecordBuilder b;
        b.real(2.0).count(count);
        AppendVertex(b, 1, 1, 0, 0, 0, 0);
        AppendVertex(b, 2, 2, 0, 0, 0, 0);
        CFmtPolyline f = Bystander();
        const int cause =
            ArchiveCause([&] { LoadBytes(b.bytes(), [&](CArchive& ar) { f.Serialize(ar); }); });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << count;
        ExpectBystander(f);
    }
}

TEST(FmtPolylineRecord, VertexOperatorsUseSevenDoublesAndCheckDirection) {
    CFmtPolyline::VertexFmt v;
    v.pt = CPoint3d(1, -2, 3);
    v.startWidth = 4;
    v.endWidth = 5;
    v.extra = 6;
    RecordBuilder b;
    AppendVertex(b, 1, -2, 3, 4, 5, 6);
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar << v; }), b.bytes());

    CFmtPolyline::VertexFmt back;
    LoadBytes(b.bytes(), [&](CArchive& ar) { ar >> back; });
    expectXyz(back.pt, 1, -2, 3, kEps);
    EXPECT_EQ(back.extra, 6.0);

    const Bytes shortRecord(b.bytes().begin(), b.bytes().end() - 1);
    CFmtPolyline::VertexFmt kept;
    kept.extra = 42;
    EXPECT_EQ(ArchiveCause([&] { LoadBytes(shortRecord, [&](CArchive& ar) { ar >> kept; }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(kept.extra, 42.0);
    EXPECT_EQ(kept.pt.x, 0.0);

    EXPECT_EQ(ArchiveCause([&] { LoadBytes(b.bytes(), [&](CArchive& ar) { ar << v; }); }),
              CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> kept; }); }),
              CArchiveException::writeOnly);
}

// ---- Class, copies ----------------------------------------------------------------------

TEST(FmtPolylineClass, RuntimeClassCreatesAnEmptyPolyline) {
    CRuntimeClass* rc = CRuntimeClass::FromName("CFmtPolyline");
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(rc, RUNTIME_CLASS(CFmtPolyline));
    EXPECT_EQ(rc->m_wSchema, 1u);
    EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(CGeometry));
    EXPECT_EQ(rc->m_nObjectSize, static_cast<int>(sizeof(CFmtPolyline)));
    std::unique_ptr<CObject> obj(rc->CreateObject());
    auto* f = dynamic_cast<CFmtPolyline*>(obj.get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->numVerts(), 0u);
    EXPECT_TRUE(f->label.IsEmpty());
    EXPECT_TRUE(f->xdata.IsEmpty());
    EXPECT_EQ(f->xdata.GetHashTableSize(), kFmtXdataHashSize);
    EXPECT_TRUE(f->type() == typeid(CFmtPolyline));
}

TEST(FmtPolylineClass, CopiesCloneAndAssignCarryLabelAndXdata) {
    const CFmtPolyline src = SamplePolyline();
    const CFmtPolyline copy(src);
    CFmtPolyline assigned = Bystander();
    assigned = src;
    std::unique_ptr<CGeometry> cloned(src.clone());
    auto* clone = dynamic_cast<CFmtPolyline*>(cloned.get());
    ASSERT_NE(clone, nullptr);
    const std::vector<const CFmtPolyline*> all{&copy, &assigned, clone};
    for (const CFmtPolyline* c : all) {
        ASSERT_EQ(c->numVerts(), 2u);
        EXPECT_EQ(c->vertexList[1].extra, 7.0);
        EXPECT_EQ(c->vertexList[1].endWidth, 2.5);
        EXPECT_STREQ(c->label.GetString(), kWallLabel);
        EXPECT_EQ(c->xdata.GetCount(), 2);
        EXPECT_EQ(Value(c->xdata, "a"), "yy");
        EXPECT_EQ(Value(c->xdata, "d"), "x");
        EXPECT_EQ(c->xdata.GetHashTableSize(), kFmtXdataHashSize);
    }
    expectXyz(copy.boxMax, 0, 0, 0, kEps);      // the base copy starts with a zero box
    expectXyz(assigned.boxMax, 5, 5, 5, kEps);  // and assignment keeps the target's box
    // Copies are independent.
    assigned.xdata.SetAt("a", "changed");
    EXPECT_EQ(Value(src.xdata, "a"), "yy");

    CFmtPolyline self = SamplePolyline();
    CFmtPolyline& alias = self;
    self = alias;
    EXPECT_EQ(self.xdata.GetCount(), 2);
    EXPECT_EQ(self.numVerts(), 2u);
}

// ---- Vertex editing -----------------------------------------------------------------------

TEST(FmtPolylineVertices, PointsWidthsAndEditing) {
    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(2, 0, 0)});
    ASSERT_EQ(f.numVerts(), 3u);
    f.setWidthAt(0, 1, 2);
    f.setWidthAt(2, 5, 6);
    f.insertVertex(1, CPoint3d(0.5, 1, 0), 3, 4);
    f.insertVertex(4, CPoint3d(3, 0, 0), 7, 8);  // index == count appends
    ASSERT_EQ(f.numVerts(), 5u);
    double s = 0, e = 0;
    f.getWidthAt(0, s, e);
    EXPECT_EQ(s, 1.0);
    EXPECT_EQ(e, 2.0);
    f.getWidthAt(1, s, e);
    EXPECT_EQ(s, 3.0);
    EXPECT_EQ(f.vertexList[1].extra, 0.0);
    f.getWidthAt(3, s, e);  // the old vertex 2 kept its widths
    EXPECT_EQ(s, 5.0);
    EXPECT_EQ(e, 6.0);
    expectXyz(f[4], 3, 0, 0, kEps);

    f.removeVertex(1);
    ASSERT_EQ(f.numVerts(), 4u);
    expectXyz(f[1], 1, 0, 0, kEps);
    f.setPointAt(1, CPoint3d(1, 2, 3));
    CPoint3d p;
    f.getPointAt(1, p);
    expectXyz(p, 1, 2, 3, kEps);
    f[1].x = 10;
    EXPECT_EQ(f.vertexList[1].pt.x, 10.0);

    std::vector<CPoint3d> out(9);
    f.getPoints(out);
    ASSERT_EQ(out.size(), 4u);
    expectXyz(out[3], 3, 0, 0, kEps);

    f.vertexList[0].extra = 1;
    f.setPoints({CPoint3d(5, 5, 0), CPoint3d(6, 6, 0)});
    ASSERT_EQ(f.numVerts(), 2u);
    for (const auto& v : f.vertexList) {
        EXPECT_EQ(v.startWidth, 0.0);
        EXPECT_EQ(v.endWidth, 0.0);
        EXPECT_EQ(v.extra, 0.0);
    }
}

TEST(FmtPolylineVertices, IndicesOutOfRangeChangeNothing) {
    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)});
    f.setWidthAt(2, 9, 9);
    f.setPointAt(2, CPoint3d(9, 9, 9));
    f.insertVertex(3, CPoint3d(9, 9, 9), 1, 1);
    f.removeVertex(2);
    f.removeVertex(0xFFFFFFFFu);
    ASSERT_EQ(f.numVerts(), 2u);
    EXPECT_TRUE(f.hasConstantWidth());
    double s = -1, e = -2;
    f.getWidthAt(2, s, e);
    EXPECT_EQ(s, -1.0);
    EXPECT_EQ(e, -2.0);
    CPoint3d p(7, 7, 7);
    f.getPointAt(5, p);
    expectXyz(p, 7, 7, 7, kEps);
    EXPECT_EQ(f.lengthAt(1), 0.0);
    EXPECT_EQ(f.lengthAt(-1), 0.0);

    const char* thrown = nullptr;
    try {
        (void)f[2];
    } catch (const char* text) {
        thrown = text;
    }
    EXPECT_EQ(thrown, kArrayOutOfBounds);
    const CFmtPolyline& cf = f;
    EXPECT_THROW((void)cf[7], const char*);

    CFmtPolyline empty;
    empty.removeVertex(0);
    empty.insertVertex(0, CPoint3d(1, 1, 1), 2, 3);
    EXPECT_EQ(empty.numVerts(), 1u);
}

// ---- Widths and measures ---------------------------------------------------------------

TEST(FmtPolylineWidths, ConstantWidthRules) {
    CFmtPolyline empty;
    EXPECT_TRUE(empty.hasConstantWidth());
    EXPECT_EQ(empty.getConstantWidth(), 0.0);

    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(1, 0, 0), CPoint3d(2, 0, 0)});
    f.setConstantWidth(0.75);
    EXPECT_TRUE(f.hasConstantWidth());
    EXPECT_EQ(f.getConstantWidth(), 0.75);
    f.setWidthAt(2, 0.75, 0.75 + 5e-7);  // within 1e-6
    EXPECT_TRUE(f.hasConstantWidth());
    f.setWidthAt(2, 0.75, 0.75 + 5e-6);  // an end width off
    EXPECT_FALSE(f.hasConstantWidth());
    f.setConstantWidth(0.75);
    f.setWidthAt(1, 0.7, 0.75);  // a start width off
    EXPECT_FALSE(f.hasConstantWidth());
}

TEST(FmtPolylineMeasures, LengthAndArea) {
    CFmtPolyline one(std::vector<CPoint3d>{CPoint3d(1, 1, 0)});
    one.setConstantWidth(3);
    EXPECT_EQ(one.length(), 0.0);
    EXPECT_EQ(one.area(), 0.0);

    CFmtPolyline seg(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(10, 0, 0)});
    seg.setWidthAt(0, 2, 4);
    EXPECT_NEAR(seg.area(), 30.0, kEps);

    // A 3-4-5 leg then a vertical 12 (with a z step that counts in 3D).
    CFmtPolyline path(
        std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(3, 4, 0), CPoint3d(3, 4, 12)});
    EXPECT_NEAR(path.length(), 17.0, kEps);
    EXPECT_NEAR(path.lengthAt(0), 5.0, kEps);
    EXPECT_NEAR(path.lengthAt(1), 12.0, kEps);
    EXPECT_EQ(path.area(), 0.0);  // constant width 0
    path.setConstantWidth(1e-7);
    EXPECT_EQ(path.area(), 0.0);  // still 0 within 1e-6
    path.setWidthAt(0, 1, 3);
    path.setWidthAt(1, 2, 0);
    path.setWidthAt(2, 100, 100);  // the last vertex's widths draw nothing
    EXPECT_NEAR(path.area(), 5.0 * 2.0 + 12.0 * 1.0, kEps);
    path.setConstantWidth(2);
    EXPECT_NEAR(path.area(), 34.0, kEps);
}

TEST(FmtPolylineMeasures, IsCloseNeedsThreeVertices) {
    const AcGeTol tol;
    CFmtPolyline tri(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(4, 0, 0), CPoint3d(0, 3, 0),
                                           CPoint3d(0, 0, 0)});
    EXPECT_TRUE(tri.isClose(tol));
    tri.setPointAt(3, CPoint3d(0, 0.5, 0));
    EXPECT_FALSE(tri.isClose(tol));
    AcGeTol loose;
    loose.setEqualPoint(1.0);
    EXPECT_TRUE(tri.isClose(loose));
    CFmtPolyline two(std::vector<CPoint3d>{CPoint3d(1, 1, 0), CPoint3d(1, 1, 0)});
    EXPECT_FALSE(two.isClose(tol));
    EXPECT_FALSE(CFmtPolyline().isClose(tol));
}

TEST(FmtPolylineEdges, EdgesOfAWideSegment) {
    CFmtPolyline f(
        std::vector<CPoint3d>{CPoint3d(1, 2, 0), CPoint3d(11, 2, 0), CPoint3d(11, 8, 0)});
    f.setWidthAt(0, 2, 4);
    CLineSeg left, right;
    f.get2Edge(0, left, right);
    expectXyz(left.startPt, 1, 3, 0, kEps);
    expectXyz(left.endPt, 11, 4, 0, kEps);
    expectXyz(right.startPt, 1, 1, 0, kEps);
    expectXyz(right.endPt, 11, 0, 0, kEps);

    // A diagonal 3-4-5 segment: the unit normals are (-0.8, 0.6) and (0.8, -0.6).
    CFmtPolyline d(std::vector<CPoint3d>{CPoint3d(0, 0, 0), CPoint3d(3, 4, 0)});
    d.setWidthAt(0, 10, 20);
    d.get2Edge(0, left, right);
    expectXyz(left.startPt, -4, 3, 0, 1e-9);
    expectXyz(left.endPt, 3 - 8, 4 + 6, 0, 1e-9);
    expectXyz(right.startPt, 4, -3, 0, 1e-9);
    expectXyz(right.endPt, 3 + 8, 4 - 6, 0, 1e-9);

    // Without a following vertex there is no segment: outputs untouched.
    CLineSeg keepL(CPoint3d(7, 7, 7), CPoint3d(8, 8, 8)), keepR = keepL;
    d.get2Edge(1, keepL, keepR);
    f.get2Edge(0xFFFFFFFFu, keepL, keepR);
    expectXyz(keepL.startPt, 7, 7, 7, kEps);
    expectXyz(keepR.endPt, 8, 8, 8, kEps);
}

// ---- Transforms and validity -------------------------------------------------------------

TEST(FmtPolylineTransforms, MoveVerticesKeepWidths) {
    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(1, 0, 2), CPoint3d(3, 1, 0)});
    f.setWidthAt(0, 1, 2);
    f.move(CVector3d(1, 1, 1));
    expectXyz(f[0], 2, 1, 3, kEps);
    f.rotate(CPoint3d(2, 1, 0), geo_detail::kHalfPi);  // (3,1) turns to (2,2) about (2,1)
    expectXyz(f[0], 2, 1, 3, 1e-9);
    expectXyz(f[1], 1, 3, 1, 1e-9);
    f.scale(CPoint3d(0, 0, 0), 2);
    expectXyz(f[1], 2, 6, 2, 1e-9);
    f.mirror(CLine(CPoint3d(0, 0, 0), CPoint3d(1, 0, 0)));
    expectXyz(f[1], 2, -6, 2, 1e-9);
    EXPECT_EQ(f.vertexList[0].startWidth, 1.0);
    EXPECT_EQ(f.vertexList[0].endWidth, 2.0);
    expectXyz(f.boxMax, 0, 0, 0, kEps);  // the box is not maintained
}

TEST(FmtPolylineTransforms, ValidityChecksBoxAndVertices) {
    CFmtPolyline f(std::vector<CPoint3d>{CPoint3d(1, 0, 2)});
    EXPECT_TRUE(f.isValid());
    f.vertexList[0].startWidth = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(f.isValid());  // widths are not checked
    f.setPointAt(0, CPoint3d(std::numeric_limits<double>::quiet_NaN(), 0, 0));
    EXPECT_FALSE(f.isValid());
    CFmtPolyline g;
    g.boxMin = CPoint3d(0, std::numeric_limits<double>::infinity(), 0);
    EXPECT_FALSE(g.isValid());
}
