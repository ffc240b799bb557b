// The player's clock: start-up and teardown, the play state that runs and stops it, its reports, and
// the clock thread against orders and teardown on the player's own thread.
#include "core/src/TCorePlayer.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/tests/ManualClocks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

class TCorePlayerTest : public testing::Test {
protected:
    void SetUp() override { player_.PlayStart(); }

    bool Counting() const { return player_.Clock()->IsCounting(); }

    // Moves the clocks and steps on this thread; the clock thread may step first, the result is the
    // same.
    void CountMs(std::int64_t ms) {
        clocks_->Advance(ms);
        player_.Clock()->Step(TSubTimer::kAdvance);
    }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    TCorePlayer player_{nullptr, clocks_};
};

TEST_F(TCorePlayerTest, StartUpCreatesAndStartsTheClockAndCloseDeletesIt) {
    ASSERT_NE(player_.Clock(), nullptr);
    EXPECT_TRUE(player_.Clock()->Started());
    EXPECT_FALSE(Counting());
    player_.PlayStart(); // once only
    player_.Close();
    EXPECT_TRUE(player_.IsClosing());
    EXPECT_EQ(player_.Clock(), nullptr);
    player_.Close(); // nothing is left to stop
}

TEST_F(TCorePlayerTest, StartUpWritesItsLogLines) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("core.log").toStdString();
    ASSERT_EQ(player_.SendOrder(kOrderLogFile, const_cast<char*>(path.c_str()), nullptr), 0);
    TCorePlayer second(nullptr, clocks_);
    second.PlayStart();
    TCoreLogFile::Instance().SetEnabled(false);
    TCoreLogFile::Instance().SetPath(nullptr);
    std::ostringstream log;
    log << std::ifstream(path).rdbuf();
    EXPECT_EQ(log.str(),
              "PLAYSTART: Create Player ObjectPLAYSTART: Create Subtitler WindowPLAYSTART: Create Video "
              "WindowPLAYSTART: Start Timer thread");
}

TEST_F(TCorePlayerTest, PlayStateRunsTheClockAndADvdMenuClearsTheScreenOnce) {
    struct Step {
        std::uint32_t state;
        bool menu;
        bool counting;
        bool cleared;
    };
    const Step steps[] = {
        {kPlayStatePlaying, false, true, false},   {kPlayStatePaused, false, false, false},
        {kPlayStateFirstPlay, false, true, false}, {kPlayStatePlaying, true, false, true},
        {kPlayStatePaused, true, false, true},     {kPlayStatePlaying, false, true, false},
        {kPlayStateFirstPlay, true, false, true},  {kPlayStateScanning, false, false, true},
        {kPlayStateStopped, false, false, true},   {kPlayStateNoEngine, false, false, true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(player_.UpdatePlayState(s.state, s.menu), s.state);
        EXPECT_EQ(Counting(), s.counting) << s.state << " " << s.menu;
        EXPECT_EQ(player_.MenuCleared(), s.cleared) << s.state << " " << s.menu;
    }
}

TEST_F(TCorePlayerTest, OrdersThatAskThePlayStateOrStopStopTheClock) {
    TOrderPlayState state{{0, sizeof(state)}, 9};
    TOrderVideoRectangle rectangle{{0, sizeof(rectangle)}, 1, 2, 3, 4};
    struct Case {
        std::uint32_t order;
        void* record;
        int answer;
    };
    for (const Case c : {Case{kOrderPlayState, &state, 0}, Case{kOrderVideoRectangle, &rectangle, -1},
                         Case{kOrderStop, nullptr, 0}}) {
        player_.UpdatePlayState(kPlayStatePlaying, false);
        ASSERT_TRUE(Counting());
        EXPECT_EQ(player_.SendOrder(c.order, c.record, nullptr), c.answer) << c.order;
        EXPECT_FALSE(Counting()) << c.order;
    }
    EXPECT_EQ(state.state, kPlayStateStopped); // the engine has no graph
    EXPECT_EQ(player_.SendOrder(kOrderClockTime, nullptr, nullptr), 0);
}

TEST_F(TCorePlayerTest, ClockReportsReachThePlayer) {
    player_.UpdatePlayState(kPlayStatePlaying, false);
    EXPECT_EQ(player_.LastClockTime(), -1);
    CountMs(10);
    EXPECT_EQ(player_.LastClockTime(), 10);
    CountMs(27);
    EXPECT_EQ(player_.LastClockTime(), 30);
    EXPECT_EQ(player_.Clock()->GetTime(), 37);
}

TEST_F(TCorePlayerTest, TimeEventSetsTheClockAndTheReportFollows) {
    player_.EngineEvent(TCorePlayer::kEngineEventTime, 2500, 0);
    EXPECT_EQ(player_.Clock()->GetTime(), 2500);
    EXPECT_EQ(player_.LastClockTime(), 2500);
}

TEST(TCorePlayerShiftTest, OffsetMovesTheTimeButNotBelowZero) {
    struct Case {
        std::int32_t time;
        std::int32_t offset;
        std::int32_t shifted;
    };
    for (const Case c :
         {Case{3000, -5000, 0}, Case{3000, -3000, 0}, Case{3000, -2990, 10}, Case{3000, 500, 3500},
          Case{0, 0, 0}, Case{2147483000, 1000, 2147483647}, Case{10, -2147483647 - 1, 0}}) {
        EXPECT_EQ(TCorePlayer::ShiftedTime(c.time, c.offset), c.shifted) << c.time << " " << c.offset;
    }
}

TEST_F(TCorePlayerTest, SubtitlesOnReportsTheLastClockTimeOnlyWhenOneIsKnown) {
    TOrderSubtitlesOn on{{0, sizeof(on)}, 1, {}};
    EXPECT_EQ(player_.SendOrder(kOrderSubtitlesOn, &on, nullptr), 0);
    EXPECT_EQ(player_.LastClockTime(), -1);
    EXPECT_FALSE(player_.ClockReport(TCorePlayer::kLastClockTime));
    player_.ClockReport(4560);
    EXPECT_EQ(player_.SendOrder(kOrderSubtitlesOn, &on, nullptr), 0);
    EXPECT_EQ(player_.LastClockTime(), 4560);
    EXPECT_TRUE(player_.SubtitlesOn());
}

// The clock thread reports at every step (the counter moves 10 ms at each read) while this thread
// sends the orders that run under the subtitle lock, sets the clock from time events and then tears
// the player down with the thread running.
TEST(TCorePlayerThreadTest, ClockRunsAgainstLockedOrdersAndTeardown) {
    auto clocks = std::make_shared<ManualClocks>();
    clocks->AdvanceAtEachRead(10);
    for (int round = 0; round < 3; ++round) {
        auto player = std::make_unique<TCorePlayer>(nullptr, clocks);
        player->PlayStart();
        player->UpdatePlayState(kPlayStatePlaying, false);
        std::vector<std::byte> pages(40);
        const std::uint32_t pageSize = 40;
        std::memcpy(pages.data() + 4, &pageSize, 4);
        std::memcpy(pages.data() + 8, &pageSize, 4);
        TOrderStyles styles{{0, sizeof(styles)}, 1, {}};
        TOrderOsdItem item{{0, sizeof(item)}, 0, {}, 1000, 1, "x", 1};
        TOrderOsdStyle osdStyle{{0, sizeof(osdStyle)}, 0, {}, 2000, 1, {}};
        TOrderOsdVariable variable{{0, sizeof(variable)}, u"name", u"value"};
        for (std::int32_t i = 1; i <= 200; ++i) {
            TOrderSubtitleOffset offset{{0, sizeof(offset)}, i - 100};
            player->SendOrder(kOrderSubtitlePages, pages.data(), nullptr);
            player->SendOrder(kOrderStyles, &styles, nullptr);
            EXPECT_EQ(player->SendOrder(kOrderSubtitleOffset, &offset, nullptr), 0);
            EXPECT_EQ(player->SendOrder(kOrderFreezeMessages, nullptr, nullptr), 0);
            EXPECT_EQ(player->SendOrder(kOrderUnfreezeMessages, nullptr, nullptr), 0);
            player->SendOrder(kOrderOsdItem, &item, nullptr);
            player->SendOrder(kOrderClearOsdItems, nullptr, nullptr);
            player->SendOrder(kOrderOsdStyle, &osdStyle, nullptr);
            player->SendOrder(kOrderOsdVariable, &variable, nullptr);
            player->SendOrder(kOrderClearOsdVariables, nullptr, nullptr);
            player->EngineEvent(TCorePlayer::kEngineEventTime, static_cast<std::uint32_t>(i) * 40, 0);
            EXPECT_GE(player->LastClockTime(), 0); // the time event's report or the thread's
        }
        player->Close();
        EXPECT_EQ(player->Clock(), nullptr);
    }
}

// Saving needs the engine: without one, order 250 fails and writes no file, whatever its flag.
TEST(TCorePlayerStateTest, SavingWithoutAnEngineFailsAndWritesNothing) {
    QTemporaryDir dir;
    const std::u16string file = dir.filePath("disc.dsi").toStdU16String();
    TCorePlayer player(nullptr, std::make_shared<ManualClocks>());
    for (const std::uint8_t flag : {0, 1}) {
        auto record = std::make_unique<TOrderDvdState>();
        record->head = {0, sizeof(TOrderDvdState)};
        std::copy(file.begin(), file.end(), record->storageFile);
        std::copy_n(u"B0001", 5, record->streamName);
        record->flag = flag;
        EXPECT_EQ(player.SendOrder(kOrderSaveDvdState, record.get(), nullptr), -1);
        EXPECT_EQ(player.SendOrder(kOrderRestoreDvdState, record.get(), nullptr), -1);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("disc.dsi")));
}

} // namespace
