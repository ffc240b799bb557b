#include "core/src/TOrderDispatcher.h"

#include "core/src/TCorePlayer.h"
#include "core/src/framework/TCoreLogFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A record of `size` bytes whose size word says `sizeWord`.
std::vector<std::byte> RecordOf(std::size_t size, std::uint32_t sizeWord) {
    std::vector<std::byte> record(size);
    std::memcpy(record.data() + offsetof(TOrderRecord, size), &sizeWord, sizeof(sizeWord));
    return record;
}

TEST(TOrderDispatcherTest, PageRecordNeedsItsPageHeadAndMatchingLengthWords) {
    struct Case {
        std::uint32_t size;
        std::uint32_t length;
        bool fits;
    };
    const TOrderInfo& pages = *FindOrder(kOrderSubtitlePages);
    for (const Case c :
         {Case{12, 12, false}, Case{13, 13, false}, Case{23, 23, false}, Case{24, 24, true},
          Case{24, 25, false}, Case{100, 100, true}, Case{100, 99, false}, Case{100, 12, false}}) {
        auto record = RecordOf(std::max<std::size_t>(c.size, 12), c.size);
        std::memcpy(record.data() + offsetof(TOrderSubtitlePages, length), &c.length, sizeof(c.length));
        EXPECT_EQ(TOrderDispatcher::RecordFits(pages, record.data()), c.fits) << c.size << " " << c.length;
    }
    EXPECT_FALSE(TOrderDispatcher::RecordFits(pages, nullptr));
}

TEST(TOrderDispatcherTest, FixedRecordsFitOnlyAtTheirSize) {
    for (const TOrderInfo& row : kOrderTable) {
        if (row.record != TOrderRecordKind::Fixed) {
            continue;
        }
        for (const std::uint32_t size : {row.size - 1, row.size, row.size + 1}) {
            const auto record = RecordOf(std::max(size, row.size), size);
            EXPECT_EQ(TOrderDispatcher::RecordFits(row, record.data()), size == row.size) << row.order;
        }
        EXPECT_FALSE(TOrderDispatcher::RecordFits(row, nullptr)) << row.order;
    }
}

TEST(TOrderDispatcherTest, FixedTextNeedsATerminatorInsideItsField) {
    struct Case {
        std::u16string field;
        std::optional<std::u16string> text;
    };
    const Case cases[] = {
        {std::u16string(u"abc\0zz", 6), u"abc"},
        {std::u16string(6, u'\0'), u""},
        {std::u16string(u"abcde\0", 6), u"abcde"},
        {u"abcdef", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TOrderDispatcher::FixedText(c.field.data(), c.field.size()), c.text);
    }
}

TEST(TOrderDispatcherTest, ClosingPlayerAnswersWithoutTouchingTheOutPointer) {
    TCorePlayer player(nullptr);
    int sentinel = 0;
    void* out = &sentinel;
    ASSERT_EQ(player.SendOrder(kOrderPing, nullptr, &out), 0);
    EXPECT_EQ(out, nullptr);

    out = &sentinel;
    player.SetClosing();
    EXPECT_EQ(player.SendOrder(kOrderPing, nullptr, &out), -1);
    EXPECT_EQ(out, &sentinel);
}

TEST(TOrderDispatcherTest, StoredValuesBelongToTheirPlayer) {
    TCorePlayer first(nullptr);
    TCorePlayer second(nullptr);
    TOrderSubtitleOffset offset{{0, sizeof(offset)}, -5000};
    TOrderProfileFlag profile{{0, sizeof(profile)}, 1, {}};
    TOrderSubtitlesOn subtitles{{0, sizeof(subtitles)}, 7, {}};
    TOrderStyleOverride styleOverride{{0, sizeof(styleOverride)}, 3, 1, 2};
    TOrderVideoLayout layout{{0, sizeof(layout)}, {}, 0x102030, 1};
    for (std::uint32_t word = 0; word < kAspectWords; ++word) {
        layout.aspect[word] = word + 1;
    }
    for (const auto& [order, record] :
         std::initializer_list<std::pair<std::uint32_t, void*>>{{kOrderSubtitleOffset, &offset},
                                                                {kOrderProfileFlag, &profile},
                                                                {kOrderSubtitlesOn, &subtitles},
                                                                {kOrderStyleOverride, &styleOverride},
                                                                {kOrderVideoLayout, &layout},
                                                                {kOrderFreezeMessages, nullptr}}) {
        EXPECT_EQ(first.SendOrder(order, record, nullptr), 0) << order;
    }
    EXPECT_EQ(first.SubtitleOffset(), -5000);
    EXPECT_TRUE(first.ProfileFlag());
    EXPECT_TRUE(first.SubtitlesOn());
    EXPECT_TRUE(first.MessagesFrozen());
    EXPECT_EQ(first.StyleOverride().shadowDepth, 3);
    EXPECT_EQ(first.StyleOverride().outlineStyle, 1);
    EXPECT_EQ(first.StyleOverride().outlineWidth, 2);
    EXPECT_EQ(first.VideoLayout(), TVideoLayoutSettings::FromOrder(layout));
    EXPECT_EQ(first.VideoLayout().aspect[17], 18u);
    EXPECT_EQ(first.VideoLayout().blankingColour, 0x102030u);
    EXPECT_EQ(first.VideoLayout().apply, 1u);

    EXPECT_EQ(second.SubtitleOffset(), 0);
    EXPECT_FALSE(second.ProfileFlag());
    EXPECT_FALSE(second.SubtitlesOn());
    EXPECT_FALSE(second.MessagesFrozen());
    EXPECT_EQ(second.StyleOverride().shadowDepth, -1);
    EXPECT_EQ(second.VideoLayout(), TVideoLayoutSettings());

    EXPECT_EQ(first.SendOrder(kOrderUnfreezeMessages, nullptr, nullptr), 0);
    EXPECT_FALSE(first.MessagesFrozen());
}

TEST(TOrderDispatcherTest, EachPlayerHasItsOwnSubtitleLock) {
    TCorePlayer held(nullptr);
    TCorePlayer free(nullptr);
    const std::lock_guard lock(held.SubtitleLock());
    TOrderSubtitleOffset offset{{0, sizeof(offset)}, 40};
    auto order = std::async(std::launch::async,
                            [&] { return free.SendOrder(kOrderSubtitleOffset, &offset, nullptr); });
    ASSERT_EQ(order.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(order.get(), 0);
    EXPECT_EQ(free.SubtitleOffset(), 40);
}

class TLogFileOrderTest : public testing::Test {
protected:
    void TearDown() override {
        TCoreLogFile::Instance().SetEnabled(false);
        TCoreLogFile::Instance().SetPath(nullptr);
    }

    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    QTemporaryDir dir_;
    TCorePlayer player_{nullptr};
};

TEST_F(TLogFileOrderTest, NameStartsAnEmptyLogThatLaterWritesFill) {
    const std::string path = PathOf("log \u00e9.txt");
    std::ofstream(path) << "old run";
    ASSERT_EQ(player_.SendOrder(kOrderLogFile, const_cast<char*>(path.c_str()), nullptr), 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    TCoreLogFile::Instance().WriteNarrow("PLAYSTART: %s\n", "test");
    EXPECT_EQ(Contents(path), "PLAYSTART: test\n");
}

TEST_F(TLogFileOrderTest, NullNameIsRefusedAndKeepsTheLog) {
    const std::string path = PathOf("kept.txt");
    ASSERT_EQ(player_.SendOrder(kOrderLogFile, const_cast<char*>(path.c_str()), nullptr), 0);
    EXPECT_EQ(player_.SendOrder(kOrderLogFile, nullptr, nullptr), -1);
    TCoreLogFile::Instance().WriteNarrow("still here\n");
    EXPECT_EQ(Contents(path), "still here\n");
}

} // namespace
