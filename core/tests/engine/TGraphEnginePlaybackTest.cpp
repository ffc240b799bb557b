// Playback of the generated clips through the core's orders: a RENDERFILE description, play, the
// position clock, pause, volume, frame step, absolute and relative seeks, rate, the end of the clip and
// play after it, stop.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/tests/engine/EnginePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const std::u16string kRenderFile =
    u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";

class TGraphEnginePlaybackTest : public testing::TestWithParam<const char*> {
protected:
    std::uint32_t PositionMs() {
        std::uint32_t ms = 0;
        std::uint32_t flags = 0;
        return player_.Player().Engine()->GetPosition(ms, flags, nullptr) ? ms : 0xFFFFFFFF;
    }
    bool LastTimeAtLeast(std::uint32_t ms) {
        const auto times = player_.PostedOf(kMsgCoreTime);
        return !times.empty() && times.back().wParam >= ms;
    }

    EnginePlayer player_;
};

TEST_P(TGraphEnginePlaybackTest, PlaysPausesSeeksAndEndsAsTheOrdersSay) {
    const std::string file = EnginePlayer::Fixture(GetParam());
    player_.Describe(kRenderFile, file);
    ASSERT_EQ(player_.Send(kOrderPlay), 0) << testing::PrintToString(player_.Texts());
    EXPECT_TRUE(player_.HasStatus(kStatusGraphBuilt));
    EXPECT_TRUE(player_.HasStatus(kStatusConfiguration));
    // The play state that status 15 carries is the first query after the start: the medium is new.
    const auto statuses = player_.Statuses();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), std::pair(kStatusPlayState, kPlayStateFirstPlay)),
              statuses.end());
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] {
        return player_.PostedOf(kMsgCoreNewMedia).size() == 1 &&
               player_.PostedOf(kMsgCoreDuration).size() == 1;
    }));
    EXPECT_NEAR(static_cast<double>(player_.PostedOf(kMsgCoreDuration)[0].wParam), 2000.0, 100.0);

    // The position clock reports the time as the clip plays.
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return LastTimeAtLeast(300); }));

    ASSERT_EQ(player_.Send(kOrderPauseToggle), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
    EXPECT_NEAR(player_.Volume(-2000), -2000, 1);
    EXPECT_EQ(player_.Volume(std::nullopt), player_.Volume(std::nullopt));

    // A time code of 13 frames: 520 ms in a media file, whatever its frame rate.
    TOrderPlayAtTimeInTitle at{{0, sizeof(TOrderPlayAtTimeInTitle)}, 0, 0, {}, 0x0D000000};
    ASSERT_EQ(player_.Send(kOrderPlayAtTimeInTitle, &at), 0);
    EXPECT_NEAR(static_cast<double>(PositionMs()), 520.0, 60.0);
    // Paused, the subtitle clock and the clients learn the new position as the seek returns.
    EXPECT_NEAR(player_.Send(kOrderClockTime), 520.0, 60.0);

    // A frame step moves the position on by one frame, told when the frame arrived.
    player_.Forget();
    TOrderFrameStep step{{0, sizeof(TOrderFrameStep)}, 10};
    EXPECT_EQ(player_.Send(kOrderFrameStep, &step), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player_.HasStatus(kStatusFrameStepped); }));
    const std::uint32_t stepped = PositionMs();
    EXPECT_GT(stepped, 520u);
    EXPECT_EQ(player_.Send(kOrderClockTime), static_cast<int>(stepped));
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return LastTimeAtLeast(stepped); }));
    step.count = -1;
    EXPECT_EQ(player_.Send(kOrderFrameStep, &step), -1);

    // Far back: the target clamps to the start, after the debounce.
    TOrderRelativeSeek back{{0, sizeof(TOrderRelativeSeek)}, -10000};
    ASSERT_EQ(player_.Send(kOrderRelativeSeek, &back), 0);
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return PositionMs() < 200; }));

    TOrderRate rate{{0, sizeof(TOrderRate)}, 2000};
    ASSERT_EQ(player_.Send(kOrderRate, &rate), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStateScanning);
    ASSERT_EQ(player_.Send(kOrderPlay), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);

    // The end of the clip is told, and leaves the graph stopped at the start ready to play again.
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player_.HasStatus(kStatusEndOfMedia); }));
    EXPECT_EQ(player_.PlayState(), kPlayStateStopped);
    EXPECT_LT(PositionMs(), 200u);
    ASSERT_EQ(player_.Send(kOrderPlay), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);

    ASSERT_EQ(player_.Send(kOrderStop), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStateStopped);
    EXPECT_EQ(player_.Send(kOrderPauseToggle), -1);
}

INSTANTIATE_TEST_SUITE_P(Clips, TGraphEnginePlaybackTest,
                         testing::Values("clip.ogg", "clip.mp4", "clip.avi", "clip.mpg"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(name.find('.') + 1);
                         });

TEST(TGraphEngineNoGraphTest, OrdersWithoutABuiltGraphFailAndTheStateIsStopped) {
    EnginePlayer player;
    EXPECT_EQ(player.PlayState(), kPlayStateStopped);
    EXPECT_EQ(player.Send(kOrderPauseToggle), -1);
    EXPECT_EQ(player.Volume(-100), 0);
    TOrderRelativeSeek seek{{0, sizeof(TOrderRelativeSeek)}, 1000};
    EXPECT_EQ(player.Send(kOrderRelativeSeek, &seek), -1);
    // Playing without a description builds nothing and says so in the log.
    EXPECT_EQ(player.Send(kOrderPlay), -1);
    EXPECT_NE(player.GraphLog().find(u"No XGR Graph found"), std::u16string::npos);
    EXPECT_TRUE(player.HasStatus(kStatusGraphBuilt));
    EXPECT_EQ(player.FilterList(), u"");
}

TEST(TGraphEngineNoGraphTest, ANullDescriptionClearsTheStoredOne) {
    EnginePlayer player;
    player.Describe(kRenderFile, EnginePlayer::Fixture("clip.avi"));
    TOrderGraphDescription cleared{{0, sizeof(TOrderGraphDescription)}, 1, nullptr};
    ASSERT_EQ(player.Send(kOrderGraphDescription, &cleared), 0);
    EXPECT_EQ(player.Send(kOrderPlay), -1);
    EXPECT_NE(player.GraphLog().find(u"No XGR Graph found"), std::u16string::npos);
}

TEST(TGraphEngineClientTest, AClientThatRegistersHearsTheConfigurationAndPlayStateAgain) {
    EnginePlayer player;
    player.Describe(kRenderFile, EnginePlayer::Fixture("clip.avi"));
    ASSERT_EQ(player.Send(kOrderPlay), 0);
    ClientWindow late;
    ASSERT_EQ(player.Player().RegisterClient(late.hwnd(), late.hwnd(), kHostClientMask), 1);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> statuses;
    for (const auto& record : late.records) {
        std::uint32_t kind = 0;
        std::uint32_t value = 0;
        std::memcpy(&kind, record.data() + 16, sizeof(kind));
        std::memcpy(&value, record.data() + 20, sizeof(value));
        statuses.emplace_back(kind, value);
    }
    EXPECT_EQ(statuses, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                            {kStatusConfiguration, kConfigVideoWindow | kConfigWindowless},
                            {kStatusPlayState, kPlayStatePlaying}}));
}

} // namespace
