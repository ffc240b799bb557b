#include "platform/media/Transport.h"

#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace plat::media::test {
namespace {

class TransportTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(graph_.RenderFile(Fixture("clip.ogg")), S_OK);
        ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    }
    std::int64_t Position() const {
        std::int64_t position = -1;
        EXPECT_EQ(transport_.GetPosition(&position), S_OK);
        return position;
    }
    FilterState State() const {
        FilterState state = FilterState::Stopped;
        EXPECT_EQ(transport_.GetState(kDeadline, &state), S_OK);
        return state;
    }
    // Waits on the pipeline's own clock, so the wait is exactly as long as the playback it measures.
    void WaitClock(std::chrono::milliseconds duration) const {
        GstRef<GstClock> clock = GstRef<GstClock>::Adopt(gst_element_get_clock(graph_.Pipeline()));
        ASSERT_TRUE(clock);
        const GstClockTime until = gst_clock_get_time(clock.get()) + duration.count() * GST_MSECOND;
        GstClockID id = gst_clock_new_single_shot_id(clock.get(), until);
        gst_clock_id_wait(id, nullptr);
        gst_clock_id_unref(id);
    }

    FakeRendererFactory renderers_;
    MediaGraph graph_{Catalogue(), renderers_};
    Transport transport_{graph_};
};

TEST_F(TransportTest, RunsPausesAndStops) {
    EXPECT_EQ(State(), FilterState::Stopped);
    ASSERT_EQ(transport_.Run(), S_OK);
    EXPECT_EQ(State(), FilterState::Running);
    WaitClock(300ms);
    const std::int64_t playing = Position();
    EXPECT_GE(playing, 250 * 10000);
    EXPECT_LT(playing, 2 * kSecond);

    ASSERT_EQ(transport_.Pause(), S_OK);
    EXPECT_EQ(State(), FilterState::Paused);
    const std::int64_t paused = Position();
    WaitClock(100ms);
    EXPECT_EQ(Position(), paused);

    ASSERT_EQ(transport_.Stop(), S_OK);
    EXPECT_EQ(State(), FilterState::Stopped);
    EXPECT_EQ(Position(), 0);
    std::int64_t duration = 0;
    ASSERT_EQ(transport_.GetDuration(&duration), S_OK);
    EXPECT_LE(std::llabs(duration - 2 * kSecond), kFrame);
}

TEST_F(TransportTest, SeeksLand) {
    struct Case {
        SeekMode mode;
        std::int64_t target;
        std::int64_t lowest;
        std::int64_t highest;
    };
    const Case cases[] = {
        {SeekMode::Accurate, 12 * kSecond / 10, 12 * kSecond / 10 - kFrame, 12 * kSecond / 10 + kFrame},
        {SeekMode::KeyFrame, 15 * kSecond / 10, kSecond / 2,
         15 * kSecond / 10}, // the key frame before, one GOP
        {SeekMode::Accurate, 0, 0, kFrame},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(transport_.Seek(c.target, c.mode), S_OK);
        const std::int64_t position = Position();
        EXPECT_GE(position, c.lowest) << c.target;
        EXPECT_LE(position, c.highest) << c.target;
    }
    EXPECT_EQ(transport_.Seek(-1, SeekMode::Accurate), E_INVALIDARG);
    EXPECT_EQ(transport_.Seek(3 * kSecond, SeekMode::Accurate), E_INVALIDARG);
}

TEST_F(TransportTest, SeeksWhileRunning) {
    ASSERT_EQ(transport_.Run(), S_OK);
    ASSERT_EQ(transport_.Seek(kSecond, SeekMode::Accurate), S_OK);
    EXPECT_EQ(State(), FilterState::Running);
    const std::int64_t position = Position();
    EXPECT_GE(position, kSecond - kFrame);
    EXPECT_LT(position, kSecond + 5 * kFrame);
}

TEST_F(TransportTest, ReportsTheEndOfTheStream) {
    ASSERT_EQ(transport_.Seek(18 * kSecond / 10, SeekMode::Accurate), S_OK);
    ASSERT_EQ(transport_.Run(), S_OK);
    const auto event = graph_.Events().WaitFor(EC_COMPLETE, kDeadline);
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->param1, S_OK);
}

TEST_F(TransportTest, StepsOneFrame) {
    EXPECT_EQ(transport_.Step(0), E_INVALIDARG);
    const std::int64_t before = Position();
    ASSERT_EQ(transport_.Step(1), S_OK);
    ASSERT_TRUE(graph_.Events().WaitFor(EC_STEP_COMPLETE, kDeadline).has_value());
    ASSERT_EQ(graph_.WaitForState(GST_STATE_PAUSED, std::chrono::steady_clock::now() + kDeadline), S_OK);
    EXPECT_EQ(Position() - before, kFrame);
    ASSERT_EQ(transport_.Run(), S_OK);
    EXPECT_EQ(transport_.Step(1), VFW_E_WRONG_STATE);
}

TEST_F(TransportTest, VolumeRoundTrips) {
    for (const long volume : {0L, -1L, -600L, -2500L, -9999L, -10000L}) {
        ASSERT_EQ(transport_.SetVolume(volume), S_OK);
        long read = 1;
        ASSERT_EQ(transport_.GetVolume(&read), S_OK);
        EXPECT_EQ(read, volume);
    }
    EXPECT_EQ(transport_.SetVolume(1), E_INVALIDARG);
    EXPECT_EQ(transport_.SetVolume(-10001), E_INVALIDARG);
    EXPECT_DOUBLE_EQ(Transport::LinearFromVolume(-2000), 0.1);
    EXPECT_EQ(Transport::VolumeFromLinear(2.0), 0);
}

TEST_F(TransportTest, ChangesTheRate) {
    EXPECT_EQ(transport_.SetRate(0.0), E_INVALIDARG);
    EXPECT_EQ(transport_.SetRate(-1.0), E_INVALIDARG);
    ASSERT_EQ(transport_.SetRate(2.0), S_OK);
    EXPECT_EQ(transport_.Rate(), 2.0);
    ASSERT_EQ(transport_.Run(), S_OK);
    WaitClock(300ms);
    EXPECT_GE(Position(), 500 * 10000); // twice the clock's pace
}

TEST(TransportWithoutAudioTest, VolumeNeedsAnAudioRenderer) {
    FakeRendererFactory renderers;
    MediaGraph graph(Catalogue(), renderers);
    Transport transport(graph);
    EXPECT_EQ(transport.SetVolume(0), E_NOINTERFACE);
    long volume = 0;
    EXPECT_EQ(transport.GetVolume(&volume), E_NOINTERFACE);
    EXPECT_EQ(transport.GetVolume(nullptr), E_POINTER);
    EXPECT_EQ(transport.Seek(0, SeekMode::Accurate), VFW_E_WRONG_STATE);
}

} // namespace
} // namespace plat::media::test
