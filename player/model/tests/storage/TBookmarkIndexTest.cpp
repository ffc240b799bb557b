// The "Info" codec against a golden stream written from the layout's byte table, and its answers to
// streams of the wrong size or with hostile counts and unterminated texts.
#include "player/model/storage/TBookmarkIndex.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Golden() {
    return TempDir::Read(std::string(STORAGE_GOLDEN_FOLDER) + "/Info.bin");
}

struct Expected {
    std::string identifier, name;
    uint8_t title, chapter;
    uint32_t time;
    uint8_t flag1, flag2;
};

void ExpectEntries(const TPointer<TBookmarksEntry>& list, const std::vector<Expected>& expected) {
    ASSERT_EQ(list.Count, static_cast<int32_t>(expected.size()));
    const TBookmarksEntry* entry = list.Head;
    for (std::size_t i = 0; i < expected.size(); ++i, entry = entry->Next) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entry->Identifier, expected[i].identifier);
        EXPECT_EQ(entry->Name, expected[i].name);
        EXPECT_EQ(entry->Title, expected[i].title);
        EXPECT_EQ(entry->Chapter, expected[i].chapter);
        EXPECT_EQ(entry->Time, expected[i].time);
        EXPECT_EQ(entry->Flag1, expected[i].flag1);
        EXPECT_EQ(entry->Flag2, expected[i].flag2);
        EXPECT_EQ(entry->Index, static_cast<int32_t>(i + 1));
    }
}

const std::vector<Expected> kGoldenEntries = {
    {"B0001", "Opening", 1, 2, 5000, 0, 0},
    {"B0003", "Caf\xC3\xA9 scene", 2, 14, 0x01020304, 0, 7},
    {"B0002", std::string(74, 'x'), 255, 99, 0xFFFFFFFF, 1, 255},
};

} // namespace

TEST(TBookmarkIndex, TheGoldenStreamDecodesAndEncodesByteForByte) {
    const std::string golden = Golden();
    ASSERT_EQ(golden.size(), 7464u);
    TPointer<TBookmarksEntry> list;
    int32_t startup = 0;
    ASSERT_TRUE(TBookmarkIndex::Decode(golden, list, startup));
    ExpectEntries(list, kGoldenEntries);
    EXPECT_EQ(startup, 1);
    EXPECT_EQ(TBookmarkIndex::Encode(list, startup), golden);
}

TEST(TBookmarkIndex, AListBuiltByHandEncodesToTheGoldenStream) {
    TPointer<TBookmarksEntry> list;
    for (const Expected& e : kGoldenEntries) {
        TBookmarksEntry* entry = list.Add();
        std::strcpy(entry->Identifier, e.identifier.c_str());
        std::strcpy(entry->Name, e.name.c_str());
        entry->Title = e.title;
        entry->Chapter = e.chapter;
        entry->Time = e.time;
        entry->Flag1 = e.flag1;
        entry->Flag2 = e.flag2;
    }
    EXPECT_EQ(TBookmarkIndex::Encode(list, 1), Golden());
}

TEST(TBookmarkIndex, TheStartupByteNeedsItsTopBit) {
    struct Case {
        uint8_t byte;
        int32_t startup;
        uint8_t encoded;
    };
    for (const Case c : {Case{0x83, 3, 0x83}, Case{0x03, -1, 0x00}, Case{0x80, 0, 0x80}, Case{0x00, -1, 0x00},
                         Case{0xFF, 127, 0xFF}}) {
        std::string stream = Golden();
        stream[372] = static_cast<char>(c.byte);
        TPointer<TBookmarksEntry> list;
        int32_t startup = 0;
        ASSERT_TRUE(TBookmarkIndex::Decode(stream, list, startup));
        EXPECT_EQ(startup, c.startup) << int(c.byte);
        EXPECT_EQ(static_cast<uint8_t>(TBookmarkIndex::Encode(list, startup)[372]), c.encoded) << int(c.byte);
    }
}

TEST(TBookmarkIndex, StreamsOfAnyOtherSizeAreRefusedWithTheListEmptied) {
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{7463}, std::size_t{7465}, std::size_t{14928}}) {
        std::string stream = Golden();
        stream.resize(size, '\x01');
        TPointer<TBookmarksEntry> list;
        list.Add();
        int32_t startup = 4;
        EXPECT_FALSE(TBookmarkIndex::Decode(stream, list, startup)) << size;
        EXPECT_EQ(list.Count, 0);
        EXPECT_EQ(startup, -1);
    }
}

TEST(TBookmarkIndex, HostileCountsAndUnterminatedTextsStayInsideTheStream) {
    std::string stream(7464, '\xAB');
    stream[360] = static_cast<char>(200);
    TPointer<TBookmarksEntry> list;
    int32_t startup = 0;
    ASSERT_TRUE(TBookmarkIndex::Decode(stream, list, startup));
    EXPECT_EQ(list.Count, 70);
    EXPECT_EQ(std::strlen(list.Head->Identifier), 5u);
    EXPECT_EQ(std::strlen(list.Tail->Name), 74u);
    const std::string encoded = TBookmarkIndex::Encode(list, startup);
    EXPECT_EQ(static_cast<uint8_t>(encoded[360]), 70);
    EXPECT_EQ(encoded.substr(0, 360), std::string(360, '\0')) << "reserved bytes are written as zero";
}

TEST(TBookmarkIndex, OnlyTheFirstSeventyEntriesAreWritten) {
    TPointer<TBookmarksEntry> list;
    for (int i = 0; i < 75; ++i) {
        list.Add()->Time = static_cast<uint32_t>(i);
    }
    const std::string encoded = TBookmarkIndex::Encode(list, -1);
    ASSERT_EQ(encoded.size(), 7464u);
    TPointer<TBookmarksEntry> decoded;
    int32_t startup = 0;
    ASSERT_TRUE(TBookmarkIndex::Decode(encoded, decoded, startup));
    EXPECT_EQ(decoded.Count, 70);
    EXPECT_EQ(decoded.Tail->Time, 69u);
}
