// Saved states in a storage file without a graph: the index entry of a new state, the names the core
// picks, the checks that refuse a save before anything is written, deleting, and the media record.
#include "core/src/state/TStateStorage.h"
#include "core/include/StateIndex.h"
#include "core/src/state/TMediaStateRecord.h"
#include "platform/storage/CompoundFile.h"
#include "platform/storage/tests/GsfTool.h"
#include "platform/text/CodePage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using plat::storage::CompoundFile;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Word(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

class TStateStorageTest : public testing::Test {
protected:
    std::string Path() const { return dir_.filePath("disc.dsi").toStdString(); }
    std::u16string File() const { return plat::text::AnsiToWide(Path()); }

    // A capture that gives the bytes and an entry at title 2, chapter 3, 61000 ms.
    static TStateStorage::TCapture Capture(std::string bytes, bool* called = nullptr) {
        return [bytes, called](std::string& state, TStateIndexSlot& entry) {
            if (called != nullptr) {
                *called = true;
            }
            state = bytes;
            entry.title = 2;
            entry.chapter = 3;
            entry.time = 61000;
            return true;
        };
    }
    void Put(std::initializer_list<std::pair<std::u16string, std::string>> streams) {
        CompoundFile file;
        ASSERT_TRUE(file.Open(Path(), CompoundFile::Access::Update, true));
        for (const auto& [name, bytes] : streams) {
            ASSERT_TRUE(file.WriteStream(name, bytes));
        }
    }
    // The element names, sorted.
    std::vector<std::u16string> Names() {
        CompoundFile file;
        EXPECT_TRUE(file.Open(Path(), CompoundFile::Access::Read, false));
        std::vector<std::u16string> names = file.ElementNames();
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Stream(const std::u16string& name) {
        CompoundFile file;
        EXPECT_TRUE(file.Open(Path(), CompoundFile::Access::Read, false));
        const std::string* bytes = file.Stream(name);
        return bytes != nullptr ? *bytes : std::string("(none)");
    }

    QTemporaryDir dir_;
};

TEST_F(TStateStorageTest, AFirstIndexedSaveMakesTheFileWithTheStateAndItsEntry) {
    ASSERT_TRUE(TStateStorage::SaveIndexed(File(), u"The chase \u00E9", Capture("state-bytes")));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"B0001", u"Info"}));
    EXPECT_EQ(Stream(u"B0001"), "state-bytes");
    const std::string index = Stream(u"Info");
    ASSERT_EQ(index.size(), sizeof(TStateIndex));
    std::string expected(sizeof(TStateIndex), '\0');
    expected[360] = 1;
    std::memcpy(&expected[1024], "B0001", 5);
    std::memcpy(&expected[1024 + 6], "The chase \xC3\xA9", 12);
    expected[1024 + 81] = 2;
    expected[1024 + 82] = 3;
    const std::uint32_t ms = 61000;
    std::memcpy(&expected[1024 + 84], &ms, 4);
    EXPECT_EQ(index, expected);

    // An independent reader sees the same streams.
    if (!GsfTool::Available()) {
        GTEST_SKIP() << "the gsf program of libgsf-bin is not installed";
    }
    const auto info = GsfTool::Cat(Path(), "Info");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(*info, expected);
    EXPECT_EQ(GsfTool::Cat(Path(), "B0001"), std::optional<std::string>("state-bytes"));
}

TEST_F(TStateStorageTest, TheNextSaveTakesTheFirstFreeNameAndKeepsTheClientsBytes) {
    std::string index(sizeof(TStateIndex), '\0');
    index[360] = 1;
    index[372] = static_cast<char>(0x80); // the client's start-up bookmark
    std::memcpy(&index[1024], "B0003", 5);
    index[1024 + 89] = 7;      // the client's flag 2 of entry 0
    index[1024 + 92 + 89] = 9; // and a byte of the free slot
    Put({{u"b0001", "one"}, {u"B0003", "three"}, {u"Info", index}, {u"TitlesChaptersInfo", "titles"}});
    ASSERT_TRUE(TStateStorage::SaveIndexed(File(), u"Second", Capture("two")));
    EXPECT_EQ(Stream(u"B0002"), "two");
    const std::string after = Stream(u"Info");
    EXPECT_EQ(after[360], 2);
    EXPECT_EQ(static_cast<unsigned char>(after[372]), 0x80);
    EXPECT_EQ(after[1024 + 89], 7);
    EXPECT_EQ(after.substr(1024 + 92, 7), std::string("B0002\0S", 7));
    EXPECT_EQ(after[1024 + 92 + 88], 0); // flag 1 of the new entry
    EXPECT_EQ(after[1024 + 92 + 89], 9); // flag 2 as it was
    EXPECT_EQ(Word(after, 1024 + 92 + 84), 61000u);
    EXPECT_EQ(Stream(u"b0001"), "one");
    EXPECT_EQ(Stream(u"TitlesChaptersInfo"), "titles");
}

// A stream shorter or longer than the index: what is missing reads as zeros, what is beyond is dropped.
TEST_F(TStateStorageTest, AnIndexOfAnotherSizeIsWrittenBackWhole) {
    for (const std::size_t size : {std::size_t{361}, sizeof(TStateIndex) + 100}) {
        QFile::remove(dir_.filePath("disc.dsi"));
        std::string index(size, '\0');
        index[360] = 2;
        Put({{u"Info", index}});
        ASSERT_TRUE(TStateStorage::SaveIndexed(File(), u"Third", Capture("three"))) << size;
        const std::string after = Stream(u"Info");
        ASSERT_EQ(after.size(), sizeof(TStateIndex)) << size;
        EXPECT_EQ(after[360], 3);
        EXPECT_EQ(after.substr(1024 + 2 * 92, 12), std::string("B0001\0Third\0", 12));
    }
}

TEST_F(TStateStorageTest, FreeNumbersSkipTakenNamesWithoutRegardToCase) {
    EXPECT_EQ(TStateStorage::FreeStateNumber({}), 1);
    EXPECT_EQ(TStateStorage::FreeStateNumber({u"Info", u"b0001", u"B0003"}), 2);
    std::vector<std::u16string> all;
    for (int n = 1; n <= 98; ++n) {
        all.push_back(TStateStorage::StateName(n));
    }
    EXPECT_EQ(TStateStorage::FreeStateNumber(all), 0);
    all.erase(all.begin() + 41);
    EXPECT_EQ(TStateStorage::FreeStateNumber(all), 42);
    EXPECT_EQ(TStateStorage::StateName(7), u"B0007");
}

// Every refusal comes before anything is written: the file stays byte for byte as it was.
TEST_F(TStateStorageTest, RefusedSavesLeaveTheFileAsItWas) {
    struct Case {
        const char* name;
        int count;  // index count byte
        int states; // "B%04d" streams present
        std::u16string caption;
        bool captured; // whether the state is taken before the refusal
    };
    const Case cases[] = {
        {"full index", static_cast<int>(kStateIndexAddLimit), 1, u"x", true},
        {"hostile count", 200, 1, u"x", true},
        {"no free name", 1, 98, u"x", true},
        {"caption too long", 1, 1, std::u16string(75, u'c'), false},
        {"multi-byte caption too long", 1, 1, std::u16string(38, u'\u00E9'), false},
    };
    for (const Case& c : cases) {
        QFile::remove(dir_.filePath("disc.dsi"));
        std::string index(sizeof(TStateIndex), '\0');
        index[360] = static_cast<char>(c.count);
        Put({{u"Info", index}});
        for (int n = 1; n <= c.states; ++n) {
            Put({{TStateStorage::StateName(n), "s"}});
        }
        const std::string before = FileBytes(Path());
        bool called = false;
        EXPECT_FALSE(TStateStorage::SaveIndexed(File(), c.caption, Capture("new", &called))) << c.name;
        EXPECT_EQ(called, c.captured) << c.name;
        EXPECT_EQ(FileBytes(Path()), before) << c.name;
    }
    // 74 bytes still fit.
    EXPECT_TRUE(TStateStorage::SaveIndexed(File(), std::u16string(74, u'c'), Capture("new")));
}

TEST_F(TStateStorageTest, AFailedCaptureWritesNothing) {
    const auto fails = [](std::string&, TStateIndexSlot&) { return false; };
    EXPECT_FALSE(TStateStorage::SaveIndexed(File(), u"x", fails));
    EXPECT_FALSE(QFile::exists(dir_.filePath("disc.dsi")));
}

TEST_F(TStateStorageTest, NamedStatesAreWrittenReadAndDeletedWithoutTouchingTheIndex) {
    std::string index(sizeof(TStateIndex), '\0');
    index[360] = 1;
    std::memcpy(&index[1024], "B0001", 5);
    Put({{u"Info", index}, {u"B0001", "one"}});
    ASSERT_TRUE(TStateStorage::WriteState(File(), u"SAVEFORRESUME", "resume"));
    EXPECT_EQ(TStateStorage::ReadState(File(), u"saveforresume"), std::optional<std::string>("resume"));
    EXPECT_EQ(Stream(u"Info"), index);

    ASSERT_TRUE(TStateStorage::DeleteState(File(), u"B0001"));
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Info", u"SAVEFORRESUME"}));
    EXPECT_EQ(Stream(u"Info"), index);
    EXPECT_FALSE(TStateStorage::DeleteState(File(), u"B0001"));
    EXPECT_EQ(TStateStorage::ReadState(File(), u"B0001"), std::nullopt);

    const std::u16string missing = plat::text::AnsiToWide(dir_.filePath("none.dsi").toStdString());
    EXPECT_EQ(TStateStorage::ReadState(missing, u"B0001"), std::nullopt);
    EXPECT_FALSE(TStateStorage::DeleteState(missing, u"B0001"));
    EXPECT_FALSE(QFile::exists(dir_.filePath("none.dsi")));
    EXPECT_TRUE(TStateStorage::WriteState(missing, u"B0001", "made"));
    EXPECT_EQ(TStateStorage::ReadState(missing, u"B0001"), std::optional<std::string>("made"));
}

TEST(TMediaStateRecordTest, FiftySixBytesWithThePositionFirst) {
    const auto record = TMediaStateRecord::Encode(4000);
    std::array<std::uint8_t, 56> expected{};
    expected[0] = 0xA0;
    expected[1] = 0x0F;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(TMediaStateRecord::Decode(record), 4000u);
    EXPECT_EQ(TMediaStateRecord::Decode(TMediaStateRecord::Encode(0xFFFFFFFF)), 0xFFFFFFFFu);
}

TEST(TMediaStateRecordTest, OtherSizesAndDirtyPaddingAreRefused) {
    const auto good = TMediaStateRecord::Encode(4000);
    const std::vector<std::uint8_t> record(good.begin(), good.end());
    for (std::size_t size : {0u, 4u, 10u, 55u, 57u, 112u}) {
        std::vector<std::uint8_t> bytes = record;
        bytes.resize(size);
        EXPECT_EQ(TMediaStateRecord::Decode(bytes), std::nullopt) << size;
    }
    for (std::size_t at : {4u, 30u, 55u}) {
        std::vector<std::uint8_t> bytes = record;
        bytes[at] = 1;
        EXPECT_EQ(TMediaStateRecord::Decode(bytes), std::nullopt) << at;
    }
}

} // namespace
