// Page blocks come from another program: a block whose count, sizes or texts do not fit the bytes
// delivered is refused with -1, and the pages, the current page and what it shows stay as they were.
#include "core/tests/pages/PagesTest.h"

#include "core/src/framework/TCoreLogFile.h"

#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

using Ids = std::vector<std::uint32_t>;
using Bytes = std::vector<std::byte>;

constexpr std::size_t kFirst = PageBlockBuilder::kFirstRecord;
constexpr std::size_t kSecond = kFirst + 210; // after an event with the text "Hi"

void PutWord(Bytes& order, std::size_t offset, std::uint32_t value) {
    std::memcpy(order.data() + offset, &value, sizeof(value));
}

// Fills a text from its start to the end of its record, leaving no terminator.
void Unterminate(Bytes& order, std::size_t record, std::size_t size) {
    for (std::size_t at = record + kTextEventTextOffset; at + 1 < record + size; at += 2) {
        order[at] = std::byte{'x'};
        order[at + 1] = std::byte{0};
    }
}

struct Corruption {
    std::string name;
    std::function<void(Bytes&)> apply;
};

class TPageBlockRefusalTest : public PagesTest {
protected:
    void SetUp() override {
        PagesTest::SetUp();
        ASSERT_EQ(SendPages(1, {{1, 0, 1000}, {2, 1000, 2000}}), 0);
        ASSERT_EQ(SelectTitle(1), 0);
        ASSERT_EQ(ShownAt(1500), (Ids{2}));
    }

    // The replacement page for key 1 that the corruptions spoil: two events with the text "Hi".
    static Bytes GoodReplacement() { return PageBlockBuilder::Order(1, {{7, 0, 1000}, {8, 1000, 2000}}); }
};

TEST_F(TPageBlockRefusalTest, BadBlocksAreRefusedAndThePagesStay) {
    const std::vector<Corruption> corruptions = {
        {"count above the records",
         [](Bytes& o) { PutWord(o, offsetof(TOrderSubtitlePages, itemCount), 3); }},
        {"count of all ones",
         [](Bytes& o) { PutWord(o, offsetof(TOrderSubtitlePages, itemCount), 0xFFFFFFFFu); }},
        {"block head size not 12",
         [](Bytes& o) { PutWord(o, offsetof(TOrderSubtitlePages, pageHeadSize), 16); }},
        {"record size 0", [](Bytes& o) { PutWord(o, kSecond + offsetof(TSubEventRecord, size), 0); }},
        {"record size below the head",
         [](Bytes& o) { PutWord(o, kFirst + offsetof(TSubEventRecord, size), 54); }},
        {"text record below 204 bytes",
         [](Bytes& o) { PutWord(o, kFirst + offsetof(TSubEventRecord, size), 202); }},
        {"odd record size", [](Bytes& o) { PutWord(o, kFirst + offsetof(TSubEventRecord, size), 209); }},
        {"record past the end", [](Bytes& o) { PutWord(o, kSecond + offsetof(TSubEventRecord, size), 212); }},
        {"record size of all ones",
         [](Bytes& o) { PutWord(o, kSecond + offsetof(TSubEventRecord, size), 0xFFFFFFFEu); }},
        {"text without terminator", [](Bytes& o) { Unterminate(o, kSecond, 210); }},
        {"truncated in the last record",
         [](Bytes& o) {
             o.resize(o.size() - 6);
             PageBlockBuilder::SetOrderSize(o, static_cast<std::uint32_t>(o.size()));
         }},
        {"truncated in the last head",
         [](Bytes& o) {
             o.resize(kSecond + 40);
             PageBlockBuilder::SetOrderSize(o, static_cast<std::uint32_t>(o.size()));
         }},
        {"truncated to the block head",
         [](Bytes& o) {
             o.resize(kFirst);
             PageBlockBuilder::SetOrderSize(o, static_cast<std::uint32_t>(o.size()));
         }},
        {"length word apart from the size",
         [](Bytes& o) { PutWord(o, offsetof(TOrderSubtitlePages, length), 300); }},
        {"record shorter than the block head",
         [](Bytes& o) {
             o.resize(kFirst - 1);
             PageBlockBuilder::SetOrderSize(o, static_cast<std::uint32_t>(o.size()));
         }},
    };
    for (const Corruption& c : corruptions) {
        Bytes order = GoodReplacement();
        c.apply(order);
        EXPECT_EQ(Send(kOrderSubtitlePages, order.data()), -1) << c.name;
        EXPECT_EQ(Shown(), (Ids{2})) << c.name;
        EXPECT_EQ(ShownAt(500), (Ids{1})) << c.name;
        EXPECT_EQ(ShownAt(1500), (Ids{2})) << c.name;
    }
    Bytes good = GoodReplacement();
    EXPECT_EQ(Send(kOrderSubtitlePages, good.data()), 0); // the unspoilt block is taken
    ASSERT_EQ(SelectTitle(1), 0);
    EXPECT_EQ(ShownAt(500), (Ids{7}));
}

TEST_F(TPageBlockRefusalTest, ARefusedBlockIsLoggedWithItsReason) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("core.log").toStdString();
    ASSERT_EQ(player_.SendOrder(kOrderLogFile, const_cast<char*>(path.c_str()), nullptr), 0);
    Bytes order = GoodReplacement();
    PutWord(order, kSecond + offsetof(TSubEventRecord, size), 0);
    EXPECT_EQ(Send(kOrderSubtitlePages, order.data()), -1);
    TCoreLogFile::Instance().SetEnabled(false);
    TCoreLogFile::Instance().SetPath(nullptr);
    std::ostringstream log;
    log << std::ifstream(path).rdbuf();
    const std::string prefix = "SUBTITLES: page 1 refused: ";
    EXPECT_THAT(log.str(), testing::StartsWith(prefix));
    EXPECT_GT(log.str().size(), prefix.size() + 1); // the reason follows
    EXPECT_THAT(log.str(), testing::EndsWith("\n"));
}

// Events of other kinds are stepped over by their size; a text event sent without text shows nothing
// of it but its time.
TEST_F(TPageBlockRefusalTest, OtherKindsAreSkippedAndEmptyTextsAreKept) {
    TTestEvent other{5, 0, 1000};
    other.kind = kSubItemBitmap;
    TTestEvent empty{6, 0, 1000};
    empty.text.clear();
    ASSERT_EQ(SendPages(1, {other, empty, {7, 500, 1000}}), 0);
    ASSERT_EQ(SelectTitle(1), 0);
    EXPECT_EQ(ShownAt(0), (Ids{6}));
    EXPECT_EQ(ShownAt(500), (Ids{6, 7}));
    const std::lock_guard lock(player_.SubtitleLock());
    EXPECT_EQ(player_.SubDisplay().CurrentBlock()->Events().Count, 2);
}

} // namespace
