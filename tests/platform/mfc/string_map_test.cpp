// CMapStringToString: MFC's iteration order, members, copies and the archive form.
#include <geo/mfc/archive.h>
#include <geo/mfc/collections.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>
#include <cstdio>

#include "support/mfc_archive_bytes.h"

using namespace mfc_test;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The literal order rule: buckets ascending by hash % size, newest first within a bucket,
// where a key keeps the age of its first insertion.
class ReferenceOrder {
public:
    explicit ReferenceOrder(unsigned tableSize) : size_(tableSize) {}
    void Set(const std::u16string& key16, const std::string& key, const std::string& value) {
        auto it = entries_.find(key);
        if (it != entries_.end()) {
            it->second.value = value;
            return;
        }
        unsigned h = 0;
        for (char16_t c : key16) {
            h = h * 33 + c;
        }
        entries_[key] = Entry{h % size_, next_++, value};
    }
    void Remove(const std::string& key) { entries_.erase(key); }
    Pairs Expected() const {
        std::vector<std::pair<const std::string*, const Entry*>> all;
        for (const auto& kv : entries_) {
            all.push_back({&kv.first, &kv.second});
        }
        std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
            if (a.second->bucket != b.second->bucket) {
                return a.second->bucket < b.second->bucket;
            }
            return a.second->age > b.second->age;
        });
        Pairs out;
        for (const auto& e : all) {
            out.push_back({*e.first, e.second->value});
        }
        return out;
    }

private:
    struct Entry {
        unsigned bucket;
        unsigned long age;
        std::string value;
    };
    unsigned size_;
    unsigned long next_ = 0;
    std::map<std::string, Entry> entries_;
};

Pairs Iterate(const CMapStringToString& map) {
    Pairs out;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        CString key, value;
        map.GetNextAssoc(pos, key, value);
        out.push_back({key.str(), value.str()});
    }
    return out;
}

// Keys whose UTF-16 form is plain ASCII, so the test can hash them without a converter.
std::u16string Ascii16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

TEST(StringMapOrder, MatchesTheBucketRuleOnRandomInsertsUpdatesAndRemovals) {
    std::mt19937 rng(12345);
    for (unsigned tableSize : {17u, 1u, 7u, 101u}) {
        CMapStringToString map;
        if (tableSize != 17) {
            map.InitHashTable(tableSize);
        }
        ReferenceOrder ref(tableSize);
        for (int step = 0; step < 400; ++step) {
            std::string key = "k" + std::to_string(rng() % 60);
            if (rng() % 5 == 0) {
                map.RemoveKey(key.c_str());
                ref.Remove(key);
            } else {
                std::string value = "v" + std::to_string(step);
                map.SetAt(key.c_str(), value.c_str());
                ref.Set(Ascii16(key), key, value);
            }
        }
        EXPECT_EQ(Iterate(map), ref.Expected()) << tableSize;
        EXPECT_EQ(static_cast<size_t>(map.GetCount()), ref.Expected().size());
    }
}

TEST(StringMapOrder, HashesUtf16CodeUnitsOfNonAsciiKeys) {
    // Known values: "a" hashes to 97; "数" (U+6570) to 0x6570; a surrogate pair hashes both units.
    EXPECT_EQ(CMapStringToString::HashKey("a"), 97u);
    EXPECT_EQ(CMapStringToString::HashKey("ab"), 97u * 33 + 98);
    EXPECT_EQ(CMapStringToString::HashKey("\xE6\x95\xB0"), 0x6570u);
    EXPECT_EQ(CMapStringToString::HashKey("\xF0\x9F\x98\x80"), 0xD83Du * 33 + 0xDE00);
    // Wrapping at 32 bits.
    std::string longKey(40, 'z');
    unsigned h = 0;
    for (char c : longKey) {
        h = h * 33 + static_cast<unsigned char>(c);
    }
    EXPECT_EQ(CMapStringToString::HashKey(longKey.c_str()), h);

    CMapStringToString map;
    ReferenceOrder ref(17);
    const std::pair<const char*, std::u16string> keys[] = {{"\xE6\x95\xB0", u"数"},
                                                           {"\xE7\xBB\x84", u"组"},
                                                           {"\xE8\xB6\x8A", u"越"},
                                                           {"\xE7\x95\x8C", u"界"},
                                                           {"\xF0\x9F\x98\x80", u"\U0001F600"},
                                                           {"plain", u"plain"}};
    for (const auto& k : keys) {
        map.SetAt(k.first, "x");
        ref.Set(k.second, k.first, "x");
    }
    EXPECT_EQ(Iterate(map), ref.Expected());
}

TEST(StringMapMembers, LookupIndexRemoveAndCounts) {
    CMapStringToString map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    map.SetAt("a", "1");
    map["b"] = "2";
    map["a"] += "!";
    CString value;
    EXPECT_TRUE(map.Lookup("a", value));
    EXPECT_EQ(value, "1!");
    EXPECT_FALSE(map.Lookup("zz", value));
    EXPECT_EQ(value, "1!");
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_EQ(map.GetSize(), 2);
    EXPECT_TRUE(map.RemoveKey("a"));
    EXPECT_FALSE(map.RemoveKey("a"));
    EXPECT_EQ(map.GetCount(), 1);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.RemoveKey("b"));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.SetAt("c", "3");  // usable again after RemoveAll
    EXPECT_EQ(Iterate(map), (Pairs{{"c", "3"}}));
}

TEST(StringMapMembers, BadPositionsAndTableSizesRaise) {
    CMapStringToString map;
    POSITION pos = nullptr;
    CString k, v;
    EXPECT_TRUE(
        ThrowsOfClass([&] { map.GetNextAssoc(pos, k, v); }, RUNTIME_CLASS(CInvalidArgException)));
    EXPECT_TRUE(ThrowsOfClass([&] { map.InitHashTable(0); }, RUNTIME_CLASS(CInvalidArgException)));
    // A start position kept after the map emptied must not be followed.
    map.SetAt("x", "1");
    POSITION stale = map.GetStartPosition();
    map.RemoveKey("x");
    EXPECT_TRUE(
        ThrowsOfClass([&] { map.GetNextAssoc(stale, k, v); }, RUNTIME_CLASS(CInvalidArgException)));
}

TEST(StringMapMembers, ResizingAFilledTableKeepsEveryEntryAndTheAgeOrder) {
    CMapStringToString map;
    ReferenceOrder ref(5);
    for (int i = 0; i < 30; ++i) {
        std::string key = "key" + std::to_string(i);
        map.SetAt(key.c_str(), "v");
        ref.Set(Ascii16(key), key, "v");
    }
    map.InitHashTable(5);
    EXPECT_EQ(map.GetHashTableSize(), 5u);
    EXPECT_EQ(Iterate(map), ref.Expected());
}

TEST(StringMapMembers, CopiesIterateLikeTheOriginal) {
    CMapStringToString map;
    map.InitHashTable(3);
    for (const char* k : {"one", "two", "three", "four", "five"}) {
        map.SetAt(k, k);
    }
    CMapStringToString copy(map);
    EXPECT_EQ(Iterate(copy), Iterate(map));
    EXPECT_EQ(copy.GetHashTableSize(), 3u);
    CMapStringToString assigned;
    assigned.SetAt("old", "gone");
    assigned = map;
    EXPECT_EQ(Iterate(assigned), Iterate(map));
    // Later inserts into the copy age like inserts into the original.
    copy.SetAt("six", "6");
    map.SetAt("six", "6");
    EXPECT_EQ(Iterate(copy), Iterate(map));
}

TEST(StringMapArchive, WritesCountThenPairsInIterationOrder) {
    CMapStringToString map;
    for (const char* k : {"alpha", "beta", "gamma", "delta"}) {
        map.SetAt(k, "x");
    }
    Bytes got = StoreBytes([&](CArchive& ar) { map.Serialize(ar); });
    LayoutBuilder want;
    want.u16(4);
    for (const auto& kv : Iterate(map)) {
        for (const std::string* s : {&kv.first, &kv.second}) {
            want.u8(0xFF).u16(0xFFFE).u8(static_cast<unsigned>(s->size())).utf16(Ascii16(*s));
        }
    }
    EXPECT_EQ(got, want.bytes());

    CMapStringToString loaded;
    LoadBytes(got, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetCount(), 4);
    CString value;
    EXPECT_TRUE(loaded.Lookup("gamma", value));
    EXPECT_EQ(value, "x");
}

TEST(StringMapArchive, LoadingAddsToTheMapAndReadsNarrowStrings) {
    LayoutBuilder in;
    in.u16(2).u8(1).raw("k").u8(2).raw("\xCA\xFD").u8(1).raw("e").u8(0);
    CMapStringToString map;
    map.SetAt("kept", "1");
    map.SetAt("k", "old");
    LoadBytes(in.bytes(), [&](CArchive& ar) { map.Serialize(ar); });
    EXPECT_EQ(map.GetCount(), 3);
    CString value;
    EXPECT_TRUE(map.Lookup("k", value));
    EXPECT_EQ(value, "\xE6\x95\xB0");
    EXPECT_TRUE(map.Lookup("e", value));
    EXPECT_EQ(value, "");
}

TEST(StringMapArchive, HostileCountsRaiseEndOfFileUpFront) {
    for (const Bytes& in : {LayoutBuilder().u16(3).u8(0).u8(0).u8(0).u8(0).bytes(),
                            LayoutBuilder().u16(0xFFFF).u32(0xFFFFFFFE).bytes(),
                            LayoutBuilder().u16(0xFFFF).u32(0xFFFFFFFF).u64(~0ULL).bytes()}) {
        CMapStringToString map;
        map.SetAt("before", "1");
        EXPECT_EQ(ArchiveCause([&] { LoadBytes(in, [&](CArchive& ar) { map.Serialize(ar); }); }),
                  CArchiveException::endOfFile);
        // Nothing was read into the map before the count was refused.
        EXPECT_EQ(map.GetCount(), 1);
    }
}

TEST(StringMapArchive, RoundTripsThroughARealFileInTheSameOrder) {
    char path[] = "/tmp/geo_mfc_mapXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    CMapStringToString map;
    map.SetAt("\xE6\x95\xB0\xE7\xBB\x84", "\xE8\xB6\x8A\xE7\x95\x8C");
    map.SetAt(std::string(300, 'L').c_str(), "\xF0\x9F\x98\x80");
    for (int i = 0; i < 50; ++i) {
        map.SetAt(("k" + std::to_string(i)).c_str(), "v");
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
    CMapStringToString loaded;
    {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        EXPECT_EQ(ar.GetRemaining(), 0u);
    }
    std::remove(path);
    // Re-inserting in iteration order reverses each bucket, so compare as sets and by lookup.
    EXPECT_EQ(loaded.GetCount(), map.GetCount());
    for (const auto& kv : Iterate(map)) {
        CString value;
        ASSERT_TRUE(loaded.Lookup(kv.first.c_str(), value)) << kv.first;
        EXPECT_EQ(value, kv.second.c_str());
    }
}

TEST(StringMapRuntime, IsRegisteredAndSerialisable) {
    CMapStringToString map;
    EXPECT_TRUE(map.IsSerializable());
    EXPECT_TRUE(map.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(CRuntimeClass::FromName("CMapStringToString"), RUNTIME_CLASS(CMapStringToString));
}

}  // namespace
