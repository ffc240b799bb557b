// The disc's place told as the picture shows it, play at other rates and the stopped graph's seek to
// the start, on the test discs: time events in step with the clock, titles told when their first
// frame shows, scans that move the picture at about their speed. The pipelines run on a manual clock,
// and every pace is measured against its time, so that the machine's load does not change it.
#include "DvdPlayback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace plat::dvd::test {
namespace {

using media::S_OK;

// Milliseconds of clock time from one time to another.
double Ms(GstClockTime from, GstClockTime to) {
    return static_cast<double>(GST_CLOCK_DIFF(from, to)) / GST_MSECOND;
}

constexpr double kPace = 200; // ms the time events may stray from the clock

bool Near(std::uint32_t rgb, std::uint32_t expected) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((rgb >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
            24) {
            return false;
        }
    }
    return true;
}

double TitleMs(const Told& told) {
    const DvdTimeCode time = DvdTimeCode::FromPacked(static_cast<std::uint32_t>(told.event.param1));
    return static_cast<double>(time.Ticks(static_cast<std::uint32_t>(told.event.param2))) * 1000.0 /
           kDvdTicksPerSecond;
}

// The largest difference between how far the title time moved and how far the clock moved (times the
// speed), each event against the first.
double LargestStray(const std::vector<Told>& times, double speed = 1.0) {
    double largest = 0;
    for (const Told& told : times) {
        const double moved = TitleMs(told) - TitleMs(times.front());
        const double elapsed = Ms(times.front().at, told.at);
        largest = std::max(largest, std::abs(moved - speed * elapsed));
    }
    return largest;
}

class DvdPaceTest : public ::testing::Test {
protected:
    void StartTitle(std::uint32_t title) {
        ASSERT_EQ(playback_.Open(Fixture("disc")), S_OK);
        ASSERT_TRUE(playback_.Play());
        ASSERT_TRUE(playback_.WaitFor(EC_DVD_STILL_ON)) << "the menu was not reached";
        ASSERT_EQ(Nav().PlayTitle(title), S_OK);
        ASSERT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, title));
    }
    static bool IsSecond(const media::GraphEvent& event, int second) {
        return event.code == EC_DVD_CURRENT_HMSF_TIME &&
               DvdTimeCode::FromPacked(static_cast<std::uint32_t>(event.param1)).seconds == second;
    }
    // Waits for the time event of the second in the title.
    bool WaitForSecond(int second) {
        for (auto event = playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME); event;
             event = playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME)) {
            if (IsSecond(*event, second)) {
                return true;
            }
        }
        return false;
    }
    // The same, and the clock stands still from that event on until released: the test gives its
    // command at that second however late its thread runs.
    bool HoldAtSecond(int second) {
        playback_.HoldClockWhenTold(
            [second](const media::GraphEvent& event) { return IsSecond(event, second); });
        return WaitForSecond(second);
    }
    // The time events told from the place in the history on.
    std::vector<Told> TimesFrom(std::size_t place) const {
        std::vector<Told> times = playback_.History(EC_DVD_CURRENT_HMSF_TIME);
        times.erase(
            std::remove_if(times.begin(), times.end(), [&](const Told& t) { return t.order < place; }),
            times.end());
        return times;
    }
    // The title's last change event (an event nobody told when there was none).
    Told TitleTold(std::uint32_t title) const {
        Told last{{}, GST_CLOCK_TIME_NONE, ~std::size_t{0}};
        for (const Told& told : playback_.History(EC_DVD_TITLE_CHANGE)) {
            if (told.event.param1 == title) {
                last = told;
            }
        }
        return last;
    }
    DvdNavigator& Nav() { return playback_.Navigator(); }

    DvdPlayback playback_{PipelineClock::Manual};
};

TEST_F(DvdPaceTest, TimeEventsKeepPaceWithTheClock) {
    StartTitle(1);
    ASSERT_TRUE(WaitForSecond(4));
    const std::vector<Told> times = TimesFrom(TitleTold(1).order);
    ASSERT_GE(times.size(), 5u);
    EXPECT_EQ(TitleMs(times.front()), 0.0);
    EXPECT_LE(LargestStray(times), kPace);
}

TEST_F(DvdPaceTest, AfterATitleJumpTheTimeStartsAtZeroAndKeepsPace) {
    StartTitle(1);
    ASSERT_TRUE(HoldAtSecond(2));
    ASSERT_EQ(Nav().PlayTitle(2), S_OK);
    playback_.ReleaseClock();
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 2));
    ASSERT_TRUE(WaitForSecond(2));
    const std::vector<Told> times = TimesFrom(TitleTold(2).order);
    ASSERT_GE(times.size(), 3u);
    EXPECT_EQ(TitleMs(times.front()), 0.0);
    EXPECT_LE(LargestStray(times), kPace)
        << "the first times came " << Ms(times[0].at, times[2].at) << " ms apart";
}

// Title 1 (4 s, dark blue) ends in a jump to title 3 (olive): title 3 is told when its first frame
// shows, not while title 1 is still on the screen.
TEST_F(DvdPaceTest, AChainedTitleIsToldWhenItsFirstFrameShows) {
    ASSERT_EQ(playback_.Open(Fixture("chained")), S_OK);
    playback_.WatchShown({[](const Frame& f) { return Near(f.Rgb(100, 100), 0x000050); },
                          [](const Frame& f) { return Near(f.Rgb(100, 100), 0x505000); }});
    ASSERT_TRUE(playback_.Play());
    const auto shown = playback_.WhenShown(3 * kWait);
    ASSERT_TRUE(shown[0]) << "title 1 did not show";
    ASSERT_TRUE(shown[1]) << "title 3 did not show";
    const GstClockTime title1 = *shown[0];
    const GstClockTime title3 = *shown[1];
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 3));
    EXPECT_GE(Ms(title1, title3), 3600) << "title 1 plays to its end";
    EXPECT_NEAR(Ms(title3, TitleTold(3).at), 0, kPace);
    DvdLocation location;
    ASSERT_EQ(Nav().GetCurrentLocation(&location), S_OK);
    EXPECT_EQ(location.title, 3u);
    // Title 3 (3 s) ends the disc: the stop is told when its last frame has been shown, not when the
    // reading reached the end.
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::Stop)));
    const std::vector<Told> domains = playback_.History(EC_DVD_DOMAIN_CHANGE);
    EXPECT_GE(Ms(title3, domains.back().at), 2600);
}

TEST_F(DvdPaceTest, ForwardsAtTwiceTheSpeedTheTimeMovesTwiceAsFast) {
    StartTitle(1);
    ASSERT_TRUE(HoldAtSecond(1));
    const std::size_t from = playback_.ToldCount();
    ASSERT_EQ(Nav().PlayForwards(2.0), S_OK);
    playback_.ReleaseClock();
    ASSERT_TRUE(HoldAtSecond(5));
    const std::vector<Told> times = TimesFrom(from);
    ASSERT_GE(times.size(), 3u);
    const double speed =
        (TitleMs(times.back()) - TitleMs(times.front())) / Ms(times.front().at, times.back().at);
    EXPECT_NEAR(speed, 2.0, 0.5);
    EXPECT_EQ(Nav().PlayForwards(1.0), S_OK);
    playback_.ReleaseClock();
}

// The scan jumps back from unit to unit; at the title's start it plays on forwards at normal speed.
TEST_F(DvdPaceTest, BackwardsAtTwiceTheSpeedTheTimeMovesBackAndPlaysOnFromTheStart) {
    StartTitle(1);
    ASSERT_TRUE(HoldAtSecond(4));
    const std::size_t from = playback_.ToldCount();
    ASSERT_EQ(Nav().PlayBackwards(2.0), S_OK);
    playback_.ReleaseClock();
    ASSERT_TRUE(WaitForSecond(0)) << "the scan reached the title's start";
    const std::vector<Told> back = TimesFrom(from);
    ASSERT_GE(back.size(), 2u);
    const double speed = (TitleMs(back.back()) - TitleMs(back.front())) / Ms(back.front().at, back.back().at);
    EXPECT_NEAR(speed, -2.0, 0.8);
    ASSERT_TRUE(WaitForSecond(1)) << "at the start the title plays on forwards";
    ASSERT_TRUE(WaitForSecond(2));
    const std::vector<Told> forwards = TimesFrom(back.back().order);
    ASSERT_GE(forwards.size(), 2u);
    EXPECT_NEAR(Ms(forwards[forwards.size() - 2].at, forwards.back().at), 1000, kPace) << "at normal speed";
}

TEST_F(DvdPaceTest, RatesNeedATitleAndASpeed) {
    ASSERT_EQ(playback_.Open(Fixture("disc")), S_OK);
    ASSERT_TRUE(playback_.Play());
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_STILL_ON));
    EXPECT_EQ(Nav().PlayForwards(2.0), VFW_E_DVD_INVALIDDOMAIN) << "a menu plays at its own pace";
    EXPECT_EQ(Nav().PlayBackwards(2.0), VFW_E_DVD_INVALIDDOMAIN);
    ASSERT_EQ(Nav().PlayTitle(1), S_OK);
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 1));
    for (const double speed : {0.0, -1.0, std::nan("")}) {
        EXPECT_EQ(Nav().PlayForwards(speed), media::E_INVALIDARG) << speed;
        EXPECT_EQ(Nav().PlayBackwards(speed), media::E_INVALIDARG) << speed;
    }
}

// A stopped graph seeks to its start: the disc starts over from its first play, into the menu.
TEST_F(DvdPaceTest, ASeekToTheStartStartsTheDiscOver) {
    StartTitle(1);
    ASSERT_TRUE(WaitForSecond(1));
    EXPECT_FALSE(
        gst_element_seek_simple(playback_.Pipeline(), GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 2 * GST_SECOND))
        << "other places are reached by the navigator's jumps";
    ASSERT_TRUE(WaitForSecond(2)) << "and the disc plays on";
    ASSERT_TRUE(gst_element_seek_simple(playback_.Pipeline(), GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0));
    EXPECT_TRUE(
        playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::VideoManagerMenu)));
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_STILL_ON));
}

} // namespace
} // namespace plat::dvd::test
