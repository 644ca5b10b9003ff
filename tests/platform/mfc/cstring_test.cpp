// CString: members, wide conversion, the Unicode archive form and the narrow GBK form.
#include <geo/mfc/archive.h>
#include <geo/mfc/cstring.h>
#include <geo/mfc/exceptions.h>

#include <gtest/gtest.h>

#include <iconv.h>
#include <string>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

namespace {

// "数组越界" in UTF-8 and in GBK (code page 936).
const char kOutOfRangeUtf8[] = "\xE6\x95\xB0\xE7\xBB\x84\xE8\xB6\x8A\xE7\x95\x8C";
const std::string kOutOfRangeGbk = "\xCA\xFD\xD7\xE9\xD4\xBD\xBD\xE7";

// A string length: one byte, escalating to 0xFF + 16 bits, then 0xFF 0xFFFF + 32 bits.
void AppendLength(LayoutBuilder& b, size_t n) {
    if (n < 0xFF) {
        b.u8(static_cast<unsigned>(n));
    } else if (n < 0xFFFE) {
        b.u8(0xFF).u16(static_cast<unsigned>(n));
    } else {
        b.u8(0xFF).u16(0xFFFF).u32(n);
    }
}

// The expected Unicode archive form of UTF-16 text, with the length escalation spelled out.
Bytes UnicodeForm(const std::u16string& units) {
    LayoutBuilder b;
    b.u8(0xFF).u16(0xFFFE);
    AppendLength(b, units.size());
    b.utf16(units);
    return b.bytes();
}

// The narrow archive form: a length with escalation and no marker, then the bytes.
Bytes NarrowForm(const std::string& bytes) {
    LayoutBuilder b;
    AppendLength(b, bytes.size());
    b.raw(bytes);
    return b.bytes();
}

Bytes Store(const CString& s) {
    return StoreBytes([&](CArchive& ar) { ar << s; });
}

CString Load(const Bytes& bytes) {
    CString s("unchanged");
    LoadBytes(bytes, [&](CArchive& ar) { ar >> s; });
    return s;
}

int LoadCause(const Bytes& bytes) {
    return ArchiveCause([&] { Load(bytes); });
}

TEST(CStringMembers, ConstructionLengthAndComparison) {
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ(static_cast<const char*>(empty), "");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    CString s("abc");
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString("abcdef", 2), "ab");
    EXPECT_TRUE(s == CString("abc"));
    EXPECT_TRUE(s != "abd");
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_FALSE(CString("b") < CString("a"));
    EXPECT_TRUE(CString("a") < "b" && "a" < CString("b") && CString("b") > "a");
    EXPECT_TRUE(CString("a") <= "a" && CString("a") >= CString("a") && "b" >= CString("a"));
    EXPECT_EQ(s + "d" + CString("e") + 'f', "abcdef");
    EXPECT_EQ("x" + s, "xabc");
    s += "!";
    EXPECT_EQ(s, "abc!");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_LT(CString("apple").CompareNoCase("Banana"), 0);
    EXPECT_GT(CString("apples").CompareNoCase("APPLE"), 0);
    EXPECT_EQ(CString("a").Compare("b"), -1);
}

TEST(CStringMembers, FormatCaseSearchSlicesAndTrim) {
    CString s;
    s.Format("%d-%s-%.2f", 42, "x", 1.5);
    EXPECT_EQ(s, "42-x-1.50");
    std::string longText(5000, 'q');
    s.Format("<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    CString mixed("MiXeD 1");
    EXPECT_EQ(CString(mixed).MakeUpper(), "MIXED 1");
    EXPECT_EQ(CString(mixed).MakeLower(), "mixed 1");
    CString text("one two one");
    EXPECT_EQ(text.Find("one"), 0);
    EXPECT_EQ(text.Find("one", 1), 8);
    EXPECT_EQ(text.Find("three"), -1);
    EXPECT_EQ(text.Find('t'), 4);
    EXPECT_EQ(text.Find('t', 100), -1);
    EXPECT_EQ(text.Left(3), "one");
    EXPECT_EQ(text.Left(100), text);
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(text.Mid(4), "two one");
    EXPECT_EQ(text.Mid(4, 3), "two");
    EXPECT_EQ(text.Mid(-5, 3), "one");
    EXPECT_EQ(text.Mid(50, 3), "");
    EXPECT_EQ(text.Right(3), "one");
    EXPECT_EQ(text.Right(50), text);
    EXPECT_EQ(CString(" \t x y \r\n").Trim(), "x y");
    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("--a-b--").Trim('-'), "a-b");
}

TEST(CStringMembers, WideTextBecomesUtf8) {
    EXPECT_EQ(CString(L"\u6570\u7EC4\u8D8A\u754C"), kOutOfRangeUtf8);
    EXPECT_EQ(CString(L"a\U0001F600"), "a\xF0\x9F\x98\x80");
    const wchar_t bad[] = {L'a', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), 0};
    EXPECT_EQ(CString(bad), "a\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
}

TEST(CStringArchive, WritesTheUnicodeFormWithEscalatingLengths) {
    EXPECT_EQ(Store(CString("")), UnicodeForm(u""));
    EXPECT_EQ(Store(CString("Ab")), UnicodeForm(u"Ab"));
    EXPECT_EQ(Store(CString(kOutOfRangeUtf8)), UnicodeForm(u"数组越界"));
    // A character beyond the BMP is a surrogate pair: two units in the length.
    Bytes pair = Store(CString("\xF0\x9F\x98\x80"));
    EXPECT_EQ(pair, (LayoutBuilder().u8(0xFF).u16(0xFFFE).u8(2).u16(0xD83D).u16(0xDE00).bytes()));
    for (size_t n : {254u, 255u, 0xFFFDu, 0xFFFEu, 0x10000u}) {
        std::string text(n, 'k');
        Bytes got = Store(CString(text));
        EXPECT_EQ(got, UnicodeForm(std::u16string(n, u'k'))) << n;
        EXPECT_EQ(Load(got), text.c_str()) << n;
    }
}

TEST(CStringArchive, RoundTripsMixedText) {
    CString text(std::string("x\xC3\xA9") + kOutOfRangeUtf8 + "\xF0\x9F\x98\x80 end");
    EXPECT_EQ(Load(Store(text)), text);
}

TEST(CStringArchive, RefusesToWriteTextThatIsNotUtf8) {
    EXPECT_EQ(ArchiveCause([] { Store(CString(kOutOfRangeGbk.c_str())); }),
              CArchiveException::genericException);
    EXPECT_EQ(ArchiveCause([] { Store(CString("\xED\xA0\x80")); }),  // an encoded surrogate
              CArchiveException::genericException);
    EXPECT_EQ(ArchiveCause([] { Store(CString("\xC0\xAF")); }),  // overlong '/'
              CArchiveException::genericException);
}

// Confirms the GBK literal with the system converter, so the table above is not circular.
TEST(CStringArchive, GbkLiteralMatchesTheSystemConverter) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in(kOutOfRangeUtf8);
    char out[32];
    char* inPtr = &in[0];
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    EXPECT_EQ(std::string(out, sizeof out - outLeft), kOutOfRangeGbk);
}

TEST(CStringArchive, ReadsTheNarrowGbkForm) {
    EXPECT_EQ(Load(NarrowForm(kOutOfRangeGbk)), kOutOfRangeUtf8);
    EXPECT_EQ(Load(NarrowForm("")), "");
    EXPECT_EQ(Load(NarrowForm("plain ascii")), "plain ascii");
    EXPECT_EQ(Load(NarrowForm("\x80")), "\xE2\x82\xAC");  // the euro sign of code page 936
    std::string longText(300, 'w');
    longText += kOutOfRangeGbk;
    EXPECT_EQ(Load(NarrowForm(longText)), std::string(300, 'w') + kOutOfRangeUtf8);
    std::string veryLong(0x10005, 'v');
    EXPECT_EQ(Load(NarrowForm(veryLong)), veryLong.c_str());
}

TEST(CStringArchive, CorruptTextRaisesInsteadOfBeingReplaced) {
    // A GBK lead byte cut off at the end of the string, and a byte that never leads.
    EXPECT_EQ(LoadCause(NarrowForm("ab\xCA")), CArchiveException::genericException);
    EXPECT_EQ(LoadCause(NarrowForm("\xFF\x41")), CArchiveException::genericException);
    // Lone and reversed surrogates in the Unicode form.
    EXPECT_EQ(LoadCause(UnicodeForm(std::u16string(1, u'\xD800'))),
              CArchiveException::genericException);
    EXPECT_EQ(LoadCause(UnicodeForm(std::u16string{u'\xDE00', u'\xD83D'})),
              CArchiveException::genericException);
    EXPECT_EQ(LoadCause(UnicodeForm(std::u16string{u'a', u'\xD83D'})),
              CArchiveException::genericException);
}

TEST(CStringArchive, LengthsBeyondTheDataRaiseEndOfFileBeforeAllocating) {
    EXPECT_EQ(LoadCause(LayoutBuilder().u8(5).raw("abc").bytes()), CArchiveException::endOfFile);
    EXPECT_EQ(LoadCause(LayoutBuilder().u8(0xFF).u16(0xFFFE).u8(3).u16('a').bytes()),
              CArchiveException::endOfFile);
    // Claims of 4 GB and 2^64 - 1 units must not be allocated.
    EXPECT_EQ(LoadCause(LayoutBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFE).bytes()),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadCause(LayoutBuilder()
                            .u8(0xFF)
                            .u16(0xFFFE)
                            .u8(0xFF)
                            .u16(0xFFFF)
                            .u32(0xFFFFFFFF)
                            .u64(0xFFFFFFFFFFFFFFFFULL)
                            .raw("xx")
                            .bytes()),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadCause(LayoutBuilder().u8(0xFF).bytes()), CArchiveException::endOfFile);
    EXPECT_EQ(LoadCause(Bytes{}), CArchiveException::endOfFile);
}

TEST(CStringArchive, DirectionIsChecked) {
    CString s("x");
    LoadBytes(Store(s), [&](CArchive& ar) {
        EXPECT_EQ(ArchiveCause([&] { ar << s; }), CArchiveException::readOnly);
    });
    EXPECT_EQ(ArchiveCause([&] { StoreBytes([&](CArchive& ar) { ar >> s; }); }),
              CArchiveException::writeOnly);
}

}  // namespace
