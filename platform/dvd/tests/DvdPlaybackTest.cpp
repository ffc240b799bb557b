// The navigator playing the test disc in a real pipeline: menus, buttons, jumps, streams, operations
// the disc prohibits.
#include "DvdPlayback.h"

#include <gtest/gtest.h>

namespace plat::dvd::test {
namespace {

using media::S_OK;

constexpr std::uint32_t kNavy = 0x00007e;
constexpr std::uint32_t kRed = 0xfe0000;
constexpr int kLeftButtonEdge = 103;  // on the frame of button 1
constexpr int kRightButtonEdge = 423; // on the frame of button 2
constexpr int kButtonRow = 230;
constexpr int kLeftBlock = 160;  // inside subpicture 0's block
constexpr int kRightBlock = 560; // inside subpicture 1's block
constexpr int kBlockRow = 390;

// Within a little of the colour (decoding and colour conversion round).
bool Near(std::uint32_t rgb, std::uint32_t expected) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((rgb >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
            24) {
            return false;
        }
    }
    return true;
}

class DvdPlaybackTest : public ::testing::Test {
protected:
    void Start(const char* disc = "disc") {
        ASSERT_EQ(playback_.Open(Fixture(disc)), S_OK);
        ASSERT_TRUE(playback_.Play());
        ASSERT_TRUE(playback_.WaitFor(EC_DVD_STILL_ON)) << "the menu was not reached";
    }
    // Plays a title from the menu and waits until it runs.
    void StartTitle(std::uint32_t title, const char* disc = "disc") {
        Start(disc);
        ASSERT_EQ(Nav().PlayTitle(title), S_OK);
        ASSERT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, title));
        ASSERT_TRUE(playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    }
    // Waits for a time event within the range, in seconds of the title.
    bool WaitForTime(int from, int to) {
        for (auto event = playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME); event;
             event = playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME)) {
            const DvdTimeCode time = DvdTimeCode::FromPacked(static_cast<std::uint32_t>(event->param1));
            const int seconds = time.minutes * 60 + time.seconds;
            if (seconds >= from && seconds <= to) {
                return true;
            }
        }
        return false;
    }
    // The first frame that shows what the predicate looks for, within a few seconds.
    template <typename Predicate> std::optional<Frame> FrameWhere(Predicate predicate) {
        for (int i = 0; i < 120; ++i) {
            std::optional<Frame> frame = playback_.NextFrame();
            if (!frame || predicate(*frame)) {
                return frame;
            }
        }
        return std::nullopt;
    }
    DvdLocation Location() {
        DvdLocation location;
        EXPECT_EQ(Nav().GetCurrentLocation(&location), S_OK);
        return location;
    }
    static double Seconds(const DvdLocation& location) {
        return location.time.hours * 3600.0 + location.time.minutes * 60.0 + location.time.seconds +
               location.time.frames / 30.0;
    }
    DvdNavigator& Nav() { return playback_.Navigator(); }

    DvdPlayback playback_;
};

TEST_F(DvdPlaybackTest, FirstPlayShowsTheMenuWithTheFirstButtonHighlighted) {
    Start();
    DvdDomain domain;
    ASSERT_EQ(Nav().GetCurrentDomain(&domain), S_OK);
    EXPECT_EQ(domain, DvdDomain::VideoManagerMenu);
    std::uint32_t buttons = 0;
    std::uint32_t button = 0;
    ASSERT_EQ(Nav().GetCurrentButton(&buttons, &button), S_OK);
    EXPECT_EQ(buttons, 2u);
    EXPECT_EQ(button, 1u);
    const auto frame =
        FrameWhere([](const Frame& f) { return Near(f.Rgb(kLeftButtonEdge, kButtonRow), kRed); });
    ASSERT_TRUE(frame) << "no highlight on button 1";
    EXPECT_TRUE(Near(frame->Rgb(200, kButtonRow), kNavy)) << "the menu picture shows inside the button";
    EXPECT_TRUE(Near(frame->Rgb(kRightButtonEdge, kButtonRow), kNavy)) << "button 2 is not highlighted";
}

TEST_F(DvdPlaybackTest, SelectingTheNextButtonMovesTheHighlight) {
    Start();
    ASSERT_EQ(Nav().SelectRelativeButton(DvdRelativeButton::Right), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_BUTTON_CHANGE, 2));
    const auto frame =
        FrameWhere([](const Frame& f) { return Near(f.Rgb(kRightButtonEdge, kButtonRow), kRed); });
    ASSERT_TRUE(frame) << "no highlight on button 2";
    EXPECT_TRUE(Near(frame->Rgb(kLeftButtonEdge, kButtonRow), kNavy));
    ASSERT_EQ(Nav().SelectButton(1), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_BUTTON_CHANGE, 2));
    EXPECT_EQ(Nav().SelectButton(3), media::E_FAIL) << "the menu has two buttons";
    ASSERT_EQ(Nav().SelectAndActivateButton(2), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 2));
}

TEST_F(DvdPlaybackTest, ActivatingAButtonPlaysItsTitle) {
    Start();
    ASSERT_EQ(Nav().ActivateButton(), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::Title)));
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 1));
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 1));
    const auto frame = FrameWhere([](const Frame& f) { return Near(f.Rgb(100, 100), 0x202020); });
    EXPECT_TRUE(frame) << "title 1's picture did not show";
    EXPECT_EQ(Location().title, 1u);
}

TEST_F(DvdPlaybackTest, ActivatingAtAPointPlaysThatButtonsTitle) {
    Start();
    ASSERT_EQ(Nav().SelectAtPosition(500, 230), S_OK);
    ASSERT_EQ(Nav().ActivateAtPosition(500, 230), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 2));
    EXPECT_TRUE(FrameWhere([](const Frame& f) { return Near(f.Rgb(100, 100), 0x005000); }));
}

TEST_F(DvdPlaybackTest, ButtonsOutsideAMenuAreRefused) {
    StartTitle(1);
    EXPECT_EQ(Nav().ActivateButton(), VFW_E_DVD_NO_BUTTON);
    EXPECT_EQ(Nav().SelectRelativeButton(DvdRelativeButton::Upper), VFW_E_DVD_NO_BUTTON);
    EXPECT_EQ(Nav().SelectAtPosition(500, 230), VFW_E_DVD_NO_BUTTON);
}

TEST_F(DvdPlaybackTest, ChapterJumpsReportTheChapter) {
    StartTitle(1);
    ASSERT_EQ(Nav().PlayChapterInTitle(1, 3), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 3));
    EXPECT_TRUE(WaitForTime(3, 5));
    EXPECT_GE(Seconds(Location()), 3.5);
    ASSERT_EQ(Nav().PlayPrevChapter(), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 2));
    ASSERT_EQ(Nav().PlayNextChapter(), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 3));
    ASSERT_EQ(Nav().PlayChapter(1), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 1));
    EXPECT_TRUE(WaitForTime(0, 0));
    EXPECT_EQ(Nav().ReplayChapter(), S_OK);
    EXPECT_EQ(Nav().PlayChapter(4), media::E_INVALIDARG);
}

TEST_F(DvdPlaybackTest, TitleAndTimeJumps) {
    StartTitle(2);
    EXPECT_TRUE(FrameWhere([](const Frame& f) { return Near(f.Rgb(100, 100), 0x005000); }));
    ASSERT_EQ(Nav().PlayAtTimeInTitle(1, DvdTimeCode{0, 0, 3, 0}), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 1));
    EXPECT_TRUE(WaitForTime(2, 3)) << "time jumps land on the start of a video unit at or before the time";
    ASSERT_EQ(Nav().PlayAtTime(DvdTimeCode{0, 0, 1, 0}), S_OK);
    EXPECT_TRUE(WaitForTime(0, 2));
    EXPECT_EQ(Nav().PlayAtTimeInTitle(1, DvdTimeCode{0, 1, 0, 0}), media::E_INVALIDARG) << "past the end";
    EXPECT_EQ(Nav().PlayTitle(3), media::E_INVALIDARG);
    EXPECT_EQ(Nav().PlayChapterInTitle(2, 3), media::E_INVALIDARG);
}

TEST_F(DvdPlaybackTest, TimeEventsAndTitleLength) {
    StartTitle(1);
    const auto time = playback_.WaitFor(EC_DVD_CURRENT_HMSF_TIME);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->param2, static_cast<std::int64_t>(kTimeCode30Fps));
    DvdTimeCode length;
    std::uint32_t flags = 0;
    ASSERT_EQ(Nav().GetTotalTitleTime(&length, &flags), S_OK);
    EXPECT_EQ(length.seconds, 6);
    EXPECT_EQ(flags, kTimeCode30Fps);
    DvdVideoAttributes video{};
    ASSERT_EQ(Nav().GetCurrentVideoAttributes(&video), S_OK);
    EXPECT_EQ(video.sourceResolutionX, 720u);
    std::uint32_t angles = 0;
    std::uint32_t angle = 0;
    ASSERT_EQ(Nav().GetCurrentAngle(&angles, &angle), S_OK);
    EXPECT_EQ(angles, 1u);
    EXPECT_EQ(angle, 1u);
    EXPECT_EQ(Nav().SelectAngle(2), media::E_INVALIDARG) << "the title has one angle";
    EXPECT_EQ(Nav().SelectVideoModePreference(DvdVideoPreference::Letterbox), S_OK);
    EXPECT_EQ(Nav().SelectVideoModePreference(static_cast<DvdVideoPreference>(4)), media::E_INVALIDARG);
}

TEST_F(DvdPlaybackTest, AudioStreamSwitchChangesTheTone) {
    StartTitle(1);
    EXPECT_NEAR(playback_.NextToneFrequency(), 440, 40);
    ASSERT_EQ(Nav().SelectAudioStream(1), S_OK);
    std::optional<media::GraphEvent> change;
    do {
        change = playback_.WaitFor(EC_DVD_AUDIO_STREAM_CHANGE);
    } while (change && change->param1 != 1);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->param2, 0x040C) << "French";
    EXPECT_NEAR(playback_.NextToneFrequency(), 1760, 100);
    std::uint32_t available = 0;
    std::uint32_t current = 0;
    ASSERT_EQ(Nav().GetCurrentAudio(&available, &current), S_OK);
    EXPECT_EQ(available, 2u);
    EXPECT_EQ(current, 1u);
    EXPECT_EQ(Nav().SelectAudioStream(2), media::E_INVALIDARG);
}

TEST_F(DvdPlaybackTest, SubpictureDisplayAndStreamSwitch) {
    StartTitle(1);
    std::uint32_t available = 0;
    std::uint32_t current = 0;
    bool disabled = false;
    ASSERT_EQ(Nav().GetCurrentSubpicture(&available, &current, &disabled), S_OK);
    EXPECT_EQ(available, 2u);
    EXPECT_TRUE(disabled);
    const auto shows = [](int x) { return [x](const Frame& f) { return f.Brightness(x, kBlockRow) > 200; }; };

    ASSERT_EQ(Nav().SetSubpictureState(true), S_OK);
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, 0));
    ASSERT_EQ(Nav().PlayChapterInTitle(1, 1), S_OK);
    const auto left = FrameWhere(shows(kLeftBlock));
    ASSERT_TRUE(left) << "subpicture 0 not drawn";
    EXPECT_LT(left->Brightness(kRightBlock, kBlockRow), 100);

    ASSERT_EQ(Nav().SelectSubpictureStream(1), S_OK);
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, 1));
    ASSERT_EQ(Nav().PlayChapterInTitle(1, 1), S_OK);
    const auto right = FrameWhere(shows(kRightBlock));
    ASSERT_TRUE(right) << "subpicture 1 not drawn";
    EXPECT_LT(right->Brightness(kLeftBlock, kBlockRow), 100);

    ASSERT_EQ(Nav().SetSubpictureState(false), S_OK);
    ASSERT_EQ(Nav().GetCurrentSubpicture(&available, &current, &disabled), S_OK);
    EXPECT_EQ(current, 1u);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(FrameWhere([](const Frame& f) { return f.Brightness(kRightBlock, kBlockRow) < 100; }));
}

// The jump follows the title's first picture and the order to show subpictures at once: its flush
// meets the pipeline on its way back to playing and may meet the order on its way to dvdspu.
TEST_F(DvdPlaybackTest, SubpicturesShownJustBeforeAJumpAreDrawnAfterIt) {
    StartTitle(1);
    ASSERT_EQ(Nav().SetSubpictureState(true), S_OK);
    ASSERT_EQ(Nav().PlayChapterInTitle(1, 1), S_OK);
    const auto left = FrameWhere([](const Frame& f) { return f.Brightness(kLeftBlock, kBlockRow) > 200; });
    ASSERT_TRUE(left) << "subpicture 0 not drawn";
}

TEST_F(DvdPlaybackTest, MenuCallsAndResume) {
    StartTitle(1);
    // libdvdnav 6.1.1 stops the disc when the title menu is called in the first second of this title.
    ASSERT_TRUE(WaitForTime(2, 3));
    EXPECT_EQ(Nav().Resume(), VFW_E_DVD_INVALIDDOMAIN);
    EXPECT_EQ(Nav().ShowMenu(DvdMenuId::Root), media::E_FAIL) << "the disc has no root menu";
    ASSERT_EQ(Nav().ShowMenu(DvdMenuId::Title), S_OK);
    EXPECT_TRUE(
        playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::VideoManagerMenu)));
    EXPECT_EQ(Nav().PlayNextChapter(), VFW_E_DVD_INVALIDDOMAIN);
    EXPECT_TRUE(FrameWhere([](const Frame& f) { return Near(f.Rgb(kLeftButtonEdge, kButtonRow), kRed); }));
    ASSERT_EQ(Nav().Resume(), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::Title)));
    EXPECT_TRUE(WaitForTime(1, 3)) << "back where the title was left";
}

TEST_F(DvdPlaybackTest, StopEndsInTheStopDomain) {
    StartTitle(1);
    ASSERT_EQ(Nav().StopPlayback(), S_OK);
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(DvdDomain::Stop)));
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_PLAYBACK_STOPPED));
    ASSERT_EQ(Nav().PlayTitle(2), S_OK) << "a stopped disc plays again";
    EXPECT_TRUE(playback_.WaitFor(EC_DVD_TITLE_CHANGE, 2));
}

TEST_F(DvdPlaybackTest, OperationsTheDiscProhibitsAreRefused) {
    Start("locked");
    ASSERT_EQ(Nav().PlayTitle(1), S_OK);
    const std::uint32_t prohibited = uop::PlayChapterOrAtTime | uop::PlayPrevOrReplayChapter |
                                     uop::PlayNextChapter | uop::ShowMenuTitle | uop::SelectAudioStream;
    std::uint32_t mask = 0;
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_VALID_UOPS_CHANGE, prohibited));
    ASSERT_EQ(Nav().GetCurrentUOPS(&mask), S_OK);
    EXPECT_EQ(mask, prohibited);
    EXPECT_EQ(Nav().PlayNextChapter(), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().PlayPrevChapter(), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().PlayChapter(2), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().PlayAtTime(DvdTimeCode{0, 0, 2, 0}), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().ShowMenu(DvdMenuId::Title), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().SelectAudioStream(1), VFW_E_DVD_OPERATION_INHIBITED);
    EXPECT_EQ(Nav().SelectSubpictureStream(1), S_OK) << "allowed on this disc";
    ASSERT_TRUE(playback_.WaitFor(EC_DVD_CHAPTER_START, 1));
    EXPECT_EQ(Location().chapter, 1u);
}

} // namespace
} // namespace plat::dvd::test
