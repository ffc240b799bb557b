// DVD playback through the core's orders on the authored test disc: first play into the menu, buttons
// (by order and by mouse), titles, chapters, time jumps, streams, menus, the disc information and the
// chapter table, the notifications each of them gives, operations the locked copy prohibits, discs
// that cannot be read, time and title messages in step with the picture, stop and play again, and
// play at other rates.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/tests/engine/EnginePlayer.h"
#include "core/tests/screen/SubtitleScene.h"
#include "platform/dvd/DvdAttributes.h"
#include "platform/dvd/DvdStateRecord.h"
#include "platform/dvd/DvdTypes.h"
#include "platform/storage/CompoundFile.h"
#include "platform/testing/TestFont.h"
#include "platform/text/CodePage.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;
using Status = EnginePlayer::Status;

const std::u16string kDiscGraph = u"<GRAPH version=\"1.0\">\r\n"
                                  u"<FILTER ID=\"DVD\" clsid=\"{9B8C4620-2C1A-11D0-8493-00A02438AD48}\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##1\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##0\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##2\"/>\r\n"
                                  u"</GRAPH>";
constexpr std::uint32_t kShown = 1u << 16;
constexpr std::uint32_t kNtscFlags = plat::dvd::kTimeCode30Fps;

std::string Disc(const std::string& name) {
    return std::string(DVD_FIXTURES) + "/" + name;
}

std::uint32_t PackedTime(std::uint8_t hours, std::uint8_t minutes, std::uint8_t seconds,
                         std::uint8_t frames) {
    return plat::dvd::DvdTimeCode{hours, minutes, seconds, frames}.Packed();
}

class TGraphEngineDvdTest : public testing::Test {
protected:
    explicit TGraphEngineDvdTest(EnginePlayer::Renderers renderers = EnginePlayer::Renderers::Fake)
        : player_(renderers) {}

    // Plays the disc and waits until its menu shows.
    void StartDisc(const std::string& disc = "disc") {
        player_.Describe(kDiscGraph, Disc(disc));
        ASSERT_EQ(player_.Send(kOrderPlay), 0) << testing::PrintToString(player_.Texts());
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return Engine().IsInDvdMenu(); })) << "no menu";
    }
    // Activates the selected menu button (button 1 plays title 1) and waits until the title runs.
    void StartTitle1(const std::string& disc = "disc") {
        StartDisc(disc);
        player_.Forget();
        ASSERT_TRUE(ButtonOnceShown(4));
        ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
        ASSERT_TRUE(WaitPosted(kMsgCoreTime));
    }
    int Button(std::uint8_t button) {
        TOrderDvdButton record{{0, sizeof(record)}, button, {}};
        return player_.Send(kOrderDvdButton, &record);
    }
    // A menu's buttons come with its first navigation packet, a little after the domain changes:
    // until then the button order finds no button.
    bool ButtonOnceShown(std::uint8_t button) {
        return EnginePlayer::PumpUntil([&] { return Button(button) == 0; });
    }
    int Menu(std::uint8_t menu) {
        TOrderDvdMenu record{{0, sizeof(record)}, menu, {}};
        return player_.Send(kOrderDvdMenu, &record);
    }
    int TitleChapter(std::uint32_t title, std::uint32_t chapter) {
        TOrderTitleChapter record{{0, sizeof(record)}, title, chapter};
        return player_.Send(kOrderTitleChapter, &record);
    }
    int TimeInTitle(std::uint8_t title, std::uint32_t timeCode) {
        TOrderPlayAtTimeInTitle record{{0, sizeof(record)}, title, 0, {}, timeCode};
        return player_.Send(kOrderPlayAtTimeInTitle, &record);
    }
    int Streams(std::uint32_t order, std::uint32_t audio, std::uint32_t subpicture, std::uint8_t shown) {
        TOrderStreams record{{0, sizeof(record)}, audio, subpicture, shown, {}, 0};
        return player_.Send(order, &record);
    }
    // Waits for a posted message; a value of -1 matches any.
    bool WaitPosted(plat::win::UINT msg, std::int64_t wParam = -1, std::int64_t lParam = -1) {
        return EnginePlayer::PumpUntil([&] {
            const auto posted = player_.PostedOf(msg);
            return std::any_of(posted.begin(), posted.end(), [&](const ClientWindow::Posted& p) {
                return (wParam < 0 || p.wParam == static_cast<plat::win::WPARAM>(wParam)) &&
                       (lParam < 0 || p.lParam == static_cast<plat::win::LPARAM>(lParam));
            });
        });
    }
    bool WaitStatus(const Status& status) {
        return EnginePlayer::PumpUntil([&] {
            const auto statuses = player_.StatusRecords();
            return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
        });
    }
    // The title time that the navigator reports next, in ms.
    bool WaitTimeBetween(std::uint32_t from, std::uint32_t to) {
        return EnginePlayer::PumpUntil([&] {
            const auto times = player_.PostedOf(kMsgCoreTime);
            return !times.empty() && times.back().wParam >= from && times.back().wParam <= to;
        });
    }
    // The time messages that arrived since the moment.
    std::vector<ClientWindow::Posted> TimesSince(std::chrono::steady_clock::time_point since) const {
        std::vector<ClientWindow::Posted> times = player_.PostedOf(kMsgCoreTime);
        std::erase_if(times, [&](const ClientWindow::Posted& p) { return p.at < since; });
        return times;
    }
    // When the title message of the title last arrived.
    std::chrono::steady_clock::time_point WhenTitleTold(std::uint32_t title) const {
        std::chrono::steady_clock::time_point when{};
        for (const ClientWindow::Posted& p : player_.PostedOf(kMsgCoreTitleChapter)) {
            if (p.wParam == kTitleChapterTitle && p.lParam == static_cast<plat::win::LPARAM>(title)) {
                when = p.at;
            }
        }
        return when;
    }
    int Rate(std::int32_t thousandths) {
        TOrderRate record{{0, sizeof(record)}, thousandths};
        return player_.Send(kOrderRate, &record);
    }
    TGraphEngine& Engine() { return *player_.Player().Engine(); }

    EnginePlayer player_;
};

using Ms = std::chrono::duration<double, std::milli>;
// Ms the time messages may stray from the clock (the wall clock: the core runs its graphs on the system
// clock), longer where the sanitizers slow the pipeline down.
constexpr double kPace = 200.0 * TOVRIN_TEST_SLOWDOWN;

// The largest difference between how far the time moved and how far the clock moved (times the speed),
// each message against the first.
double LargestStray(const std::vector<ClientWindow::Posted>& times, double speed = 1.0) {
    double largest = 0;
    for (const ClientWindow::Posted& p : times) {
        const double moved = static_cast<double>(p.wParam) - static_cast<double>(times.front().wParam);
        largest = std::max(largest, std::abs(moved - speed * Ms(p.at - times.front().at).count()));
    }
    return largest;
}

// How fast the time moved between the first and the last message, against the clock.
double Speed(const std::vector<ClientWindow::Posted>& times) {
    return (static_cast<double>(times.back().wParam) - static_cast<double>(times.front().wParam)) /
           Ms(times.back().at - times.front().at).count();
}

// How far that speed may be off: as far as the pace lets each of the two messages stray over the time
// between them, and never less than `least`.
double SpeedSlack(const std::vector<ClientWindow::Posted>& times, double least) {
    return std::max(least, 2 * kPace / Ms(times.back().at - times.front().at).count());
}

TEST_F(TGraphEngineDvdTest, FirstPlayShowsTheMenuAndAButtonPlaysTitleOne) {
    StartDisc();
    // The graph is a disc graph, the disc is announced by its identifier, the menu is a domain change.
    const auto statuses = player_.StatusRecords();
    const auto configuration = std::find_if(statuses.begin(), statuses.end(),
                                            [](const Status& s) { return s.kind == kStatusConfiguration; });
    ASSERT_NE(configuration, statuses.end());
    EXPECT_NE(configuration->value1 & kConfigDvd, 0u);
    ASSERT_TRUE(WaitPosted(kMsgCoreNewMedia));
    const ClientWindow::Posted disc = player_.PostedOf(kMsgCoreNewMedia).front();
    EXPECT_TRUE(disc.wParam != 0 || disc.lParam != 0) << "a disc has an identifier";
    EXPECT_TRUE(player_.HasStatus(kStatusDomainChanged));
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return player_.HasStatus(kStatusUserOperations); }));
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);

    // In a menu: no chapter jumps and no relative seeks; an unknown button action does nothing.
    EXPECT_EQ(player_.Send(kOrderNextChapter), -1);
    TOrderRelativeSeek seek{{0, sizeof(seek)}, 1000};
    EXPECT_EQ(player_.Send(kOrderRelativeSeek, &seek), -1);
    EXPECT_EQ(Button(7), 0);
    EXPECT_TRUE(player_.Texts().empty()) << testing::PrintToString(player_.Texts());

    player_.Forget();
    ASSERT_EQ(Button(4), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 1));
    EXPECT_FALSE(Engine().IsInDvdMenu());
    EXPECT_TRUE(WaitStatus({kStatusDomainChanged, 0, 0}));
    // Title 1 lasts 6 s: its length comes with the frame-rate flags, the time at 30 frames per second.
    ASSERT_TRUE(WaitPosted(kMsgCoreDuration, -1, kNtscFlags));
    EXPECT_NEAR(static_cast<double>(player_.PostedOf(kMsgCoreDuration).back().wParam), 6000.0, 300.0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTime, -1, 30));
    // The streams of the new title: two audio and two subpicture streams.
    const auto streams = player_.RecordsOf(kCoreMessageStreams);
    ASSERT_FALSE(streams.empty());
    std::uint32_t counts[2] = {};
    std::memcpy(&counts[0], streams.back().data() + 20, 4);
    std::memcpy(&counts[1], streams.back().data() + 152, 4);
    EXPECT_EQ(counts[0], 2u);
    EXPECT_EQ(counts[1], 2u);
    // Buttons need a menu.
    EXPECT_EQ(Button(0), -1);
}

TEST_F(TGraphEngineDvdTest, MouseActivationAtAPointPlaysThatButtonsTitle) {
    StartDisc();
    plat::win::RECT client{};
    ASSERT_TRUE(plat::win::GetClientRect(Engine().Handle(), &client));
    // Button 2 covers (420, 200)-(620, 260) of the 720 x 480 picture.
    const int x = client.right > 0 ? 500 * client.right / 720 : 500;
    const int y = client.bottom > 0 ? 230 * client.bottom / 480 : 230;
    player_.Forget();
    plat::win::SendMessage(Engine().Handle(), plat::win::WM_LBUTTONDOWN, 0, (y << 16) | x);
    EXPECT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 2));
}

TEST_F(TGraphEngineDvdTest, TitlesChaptersAndTimeJumps) {
    StartTitle1();
    player_.Forget();
    ASSERT_EQ(TitleChapter(2, 0), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 2));
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 1));

    player_.Forget();
    ASSERT_EQ(TitleChapter(1, 2), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 2));
    ASSERT_TRUE(WaitTimeBetween(1700, 3500));

    player_.Forget();
    ASSERT_EQ(player_.Send(kOrderNextChapter), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 3));
    player_.Forget();
    ASSERT_EQ(player_.Send(kOrderPreviousChapter), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 2));

    // Title 0 is the current title: 4 s into title 1 is in its third chapter.
    player_.Forget();
    ASSERT_EQ(TimeInTitle(0, PackedTime(0, 0, 4, 0)), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 3));
    EXPECT_TRUE(WaitTimeBetween(3500, 5900));
    // A relative seek moves within the title, after its debounce.
    player_.Forget();
    TOrderRelativeSeek back{{0, sizeof(back)}, -3000};
    ASSERT_EQ(player_.Send(kOrderRelativeSeek, &back), 0);
    EXPECT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 1));
    // A time the title does not have is refused.
    EXPECT_EQ(TimeInTitle(1, PackedTime(0, 1, 0, 0)), -1);

    // The chapter table: two titles of three and two chapters.
    void* out = nullptr;
    ASSERT_EQ(player_.Send(kOrderTitlesChapters, nullptr, &out), 0);
    std::uint32_t table[5] = {};
    std::memcpy(table, static_cast<const std::byte*>(out) + 4, sizeof(table));
    std::free(out);
    EXPECT_EQ(std::vector<std::uint32_t>(table, table + 4), (std::vector<std::uint32_t>{12, 2, 3, 2}));
}

TEST_F(TGraphEngineDvdTest, DiscInformationGivesTheTitlesAttributesAndTheCurrentStreams) {
    StartTitle1();
    auto information = std::make_unique<TOrderDiscInformation>();
    information->head = {0, sizeof(TOrderDiscInformation)};
    information->title = 1;
    ASSERT_EQ(player_.Send(kOrderDiscInformation, information.get()), 0);
    plat::dvd::DvdTitleAttributes title{};
    std::memcpy(&title, information->titleAttributes, sizeof(title));
    EXPECT_EQ(title.audioStreamCount, 2u);
    EXPECT_EQ(title.subpictureStreamCount, 2u);
    EXPECT_EQ(title.video.frameHeight, 480u);
    EXPECT_EQ(information->audioStream, 0u);
    EXPECT_EQ(information->angle, 1u);

    // A title the disc does not have fails, and the current streams are filled all the same.
    information->title = 9;
    information->audioStream = 0xEEEE;
    information->angle = 0xEEEE;
    EXPECT_EQ(player_.Send(kOrderDiscInformation, information.get()), -1);
    EXPECT_EQ(information->audioStream, 0u);
    EXPECT_EQ(information->angle, 1u);
}

TEST_F(TGraphEngineDvdTest, AudioAndSubpictureStreamsSwitchAndAreTold) {
    StartTitle1();
    player_.Forget();
    TOrderStreams audio{{0, sizeof(TOrderStreams)}, 1, 0, 0, {}, 0};
    ASSERT_EQ(player_.Send(kOrderAudioStream, &audio), 1);
    EXPECT_TRUE(WaitStatus({kStatusAudioStream, 2, 1}));
    EXPECT_TRUE(player_.HasStatus(kStatusSubpicture));
    EXPECT_TRUE(player_.HasStatus(kStatusAngle));
    audio.audio = 5; // the title has two
    EXPECT_EQ(player_.Send(kOrderAudioStream, &audio), 0);

    // Stream -1 with state 1 shows the current stream; stream 1 with 255 keeps it shown; state 0 hides.
    player_.Forget();
    ASSERT_EQ(Streams(kOrderSubpictureStream, 0, 0xFFFFFFFF, 1), 0);
    EXPECT_TRUE(WaitStatus({kStatusSubpicture, 2, kShown | 0}));
    player_.Forget();
    ASSERT_EQ(Streams(kOrderSubpictureStream, 0, 1, 255), 0);
    EXPECT_TRUE(WaitStatus({kStatusSubpicture, 2, kShown | 1}));
    player_.Forget();
    ASSERT_EQ(Streams(kOrderSubpictureStream, 0, 0xFFFFFFFF, 0), 0);
    EXPECT_TRUE(WaitStatus({kStatusSubpicture, 2, 1}));
    // The disc has one angle.
    TOrderStreams angle{{0, sizeof(TOrderStreams)}, 0, 0, 0, {}, 2};
    EXPECT_EQ(player_.Send(kOrderAngle, &angle), -1);
}

// Menu ids are those of the order record: 2 title, 3 root; any other value is the title menu. The
// disc has a title menu only.
TEST_F(TGraphEngineDvdTest, MenuOrdersOpenTheMenuTheyNameAndAButtonReturnsToTheTitle) {
    StartTitle1();
    EXPECT_EQ(Menu(3), -1) << "the disc has no root menu";
    for (const std::uint8_t menu : {std::uint8_t{2}, std::uint8_t{9}}) {
        SCOPED_TRACE(static_cast<int>(menu));
        player_.Forget();
        ASSERT_EQ(Menu(menu), 0);
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return Engine().IsInDvdMenu(); }));
        EXPECT_TRUE(WaitStatus({kStatusDomainChanged, 0, 0}));
        player_.Forget();
        ASSERT_TRUE(ButtonOnceShown(4));
        ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
        EXPECT_FALSE(Engine().IsInDvdMenu());
    }
}

TEST_F(TGraphEngineDvdTest, OperationsTheLockedDiscProhibitsAreRefused) {
    StartTitle1("locked");
    const std::uint32_t prohibited = plat::dvd::uop::PlayNextChapter |
                                     plat::dvd::uop::PlayPrevOrReplayChapter | plat::dvd::uop::ShowMenuTitle |
                                     plat::dvd::uop::SelectAudioStream;
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] {
        const auto statuses = player_.StatusRecords();
        return std::any_of(statuses.begin(), statuses.end(), [&](const Status& s) {
            return s.kind == kStatusUserOperations && (s.value1 & prohibited) == prohibited;
        });
    }));
    player_.Forget();
    EXPECT_EQ(player_.Send(kOrderNextChapter), -1);
    EXPECT_EQ(player_.Send(kOrderPreviousChapter), -1);
    EXPECT_EQ(Menu(2), -1);
    EXPECT_EQ(TimeInTitle(0, PackedTime(0, 0, 4, 0)), -1);
    EXPECT_EQ(Streams(kOrderAudioStream, 1, 0, 0), 0);
    EXPECT_TRUE(player_.Texts().empty()) << testing::PrintToString(player_.Texts());
    EXPECT_FALSE(Engine().IsInDvdMenu());
}

// The subtitle clock follows the time messages: they come as the picture shows the time, in step
// with the clock, also after a jump to another title.
TEST_F(TGraphEngineDvdTest, TimeMessagesKeepPaceWithThePictureAndTheClock) {
    StartTitle1();
    ASSERT_TRUE(WaitTimeBetween(3000, 3999));
    std::vector<ClientWindow::Posted> times = TimesSince(WhenTitleTold(1));
    ASSERT_GE(times.size(), 4u);
    EXPECT_LT(times.front().wParam, 100u);
    EXPECT_LE(LargestStray(times), kPace);

    ASSERT_EQ(TitleChapter(2, 0), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 2));
    ASSERT_TRUE(WaitTimeBetween(2000, 2999));
    times = TimesSince(WhenTitleTold(2));
    ASSERT_GE(times.size(), 3u);
    EXPECT_LT(times.front().wParam, 100u);
    EXPECT_LE(LargestStray(times), kPace)
        << "the first times after the jump came " << Ms(times[2].at - times[0].at).count() << " ms apart";
}

// Title 1 of the chained disc lasts 4 s and goes on to title 3: title 3 is told when title 1 has played.
TEST_F(TGraphEngineDvdTest, AChainedTitleIsToldWhenThePictureReachesIt) {
    player_.Describe(kDiscGraph, Disc("chained"));
    ASSERT_EQ(player_.Send(kOrderPlay), 0) << testing::PrintToString(player_.Texts());
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 3));
    EXPECT_GE(Ms(WhenTitleTold(3) - WhenTitleTold(1)).count(), 3600) << "not while title 1 is shown";
    ASSERT_TRUE(WaitTimeBetween(1000, 1999));
    const std::vector<ClientWindow::Posted> times = TimesSince(WhenTitleTold(3));
    EXPECT_LT(times.front().wParam, 100u);
    EXPECT_LE(LargestStray(times), kPace);
}

TEST_F(TGraphEngineDvdTest, StopPlayStopSucceedsOnTheFolderAndTheImage) {
    for (const char* disc : {"disc", "disc.iso"}) {
        SCOPED_TRACE(disc);
        StartDisc(disc);
        EXPECT_EQ(player_.Send(kOrderStop), 0);
        EXPECT_EQ(player_.PlayState(), kPlayStateStopped);
        ASSERT_EQ(player_.Send(kOrderPlay), 0);
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return Engine().IsInDvdMenu(); }))
            << "the disc plays again";
        EXPECT_EQ(player_.Send(kOrderStop), 0);
        EXPECT_EQ(player_.PlayState(), kPlayStateStopped);
        EXPECT_TRUE(player_.Texts().empty()) << testing::PrintToString(player_.Texts());
    }
}

TEST_F(TGraphEngineDvdTest, TwiceTheSpeedForwardsScansAndPlayReturnsToNormalSpeed) {
    StartTitle1();
    ASSERT_TRUE(WaitTimeBetween(1000, 1999));
    const auto from = std::chrono::steady_clock::now();
    ASSERT_EQ(Rate(2000), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStateScanning);
    ASSERT_TRUE(WaitTimeBetween(4000, 5999));
    const std::vector<ClientWindow::Posted> times = TimesSince(from);
    ASSERT_GE(times.size(), 3u);
    EXPECT_NEAR(Speed(times), 2.0, SpeedSlack(times, 0.5));
    ASSERT_EQ(player_.Send(kOrderPlay), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);
}

TEST_F(TGraphEngineDvdTest, TwiceTheSpeedBackwardsScansBackToTheTitlesStart) {
    StartTitle1();
    ASSERT_TRUE(WaitTimeBetween(4000, 4999));
    const auto from = std::chrono::steady_clock::now();
    ASSERT_EQ(Rate(-2000), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStateScanning);
    ASSERT_TRUE(WaitTimeBetween(0, 999)) << "the scan reached the start";
    const std::vector<ClientWindow::Posted> times = TimesSince(from);
    ASSERT_GE(times.size(), 2u);
    EXPECT_NEAR(Speed(times), -2.0, SpeedSlack(times, 0.8));
    // Pausing a scan returns to normal speed first.
    ASSERT_EQ(player_.Send(kOrderPauseToggle), 0);
    EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
}

// Title 1 playing into a video surface with the subtitles of a profile page for it: a short line over
// its first two seconds, a long one from the third to the sixth.
class TGraphEngineDvdSubtitleTest : public TGraphEngineDvdTest {
protected:
    TGraphEngineDvdSubtitleTest() : TGraphEngineDvdTest(EnginePlayer::Renderers::Surface) {}

    void SetUp() override {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        player_.Player().SetScreenSize([] { return TScreenSize{1024, 768}; });
        ASSERT_NO_FATAL_FAILURE(StartTitle1());
        ASSERT_TRUE(
            scene_.SendScript(1, {{1, 0, 2000, 0, u"Early"}, {2, 3000, 6000, 0, u"A much later line"}}));
    }

    SubtitleScene scene_{player_};
};

// While paused a time jump shows its place and tells its time: the subtitle clock takes that time at
// once and the picture comes to show the subtitle of that time, forwards and back, by small steps and
// by jumps that a running clock would report only a step later. The navigator lands on the nearest
// unit of the title, so the time told decides which subtitle is due.
TEST_F(TGraphEngineDvdSubtitleTest, ATimeJumpWhilePausedShowsTheSubtitleOfItsTime) {
    ASSERT_TRUE(WaitTimeBetween(1000, 1999));
    ASSERT_EQ(player_.Send(kOrderPauseToggle), 0);
    for (const std::uint8_t seconds : {4, 1, 5, 2, 1}) {
        SCOPED_TRACE(static_cast<int>(seconds));
        player_.Forget();
        ASSERT_EQ(TimeInTitle(0, PackedTime(0, 0, seconds, 0)), 0);
        const std::uint32_t target = seconds * 1000u;
        ASSERT_TRUE(WaitTimeBetween(target - 500, target + 500));
        const auto told = static_cast<std::int32_t>(player_.PostedOf(kMsgCoreTime).back().wParam);
        EXPECT_EQ(player_.Send(kOrderClockTime), told);
        using Shown = SubtitleScene::Shown;
        const Shown due = told < 2000 ? Shown::Short : told >= 3000 ? Shown::Long : Shown::None;
        EXPECT_TRUE(EnginePlayer::PumpUntil([&] {
            return SubtitleScene::SubtitleIn(scene_.CurrentPicture()) == due;
        })) << "at "
            << told << " ms the picture shows subtitle "
            << static_cast<int>(SubtitleScene::SubtitleIn(scene_.CurrentPicture()));
        EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
    }
}

TEST_F(TGraphEngineDvdTest, RatesAreRefusedInAMenu) {
    StartDisc();
    EXPECT_EQ(Rate(2000), -1);
    EXPECT_EQ(Rate(-2000), -1);
    EXPECT_EQ(player_.PlayState(), kPlayStatePlaying);
    EXPECT_TRUE(player_.Texts().empty()) << "the graph has the navigator: no error is told";
}

// Discs that cannot be read fail the build with a text the client can show; nothing waits for them.
TEST(TGraphEngineBadDiscTest, UnreadableDiscsFailWithAClearError) {
    EnginePlayer player;
    const fs::path folder = player.Folder();
    fs::create_directories(folder / "empty");
    fs::create_directories(folder / "novideo/AUDIO_TS");
    fs::create_directories(folder / "truncated/VIDEO_TS");
    for (const auto& entry : fs::directory_iterator(Disc("disc") + "/VIDEO_TS")) {
        const fs::path to = folder / "truncated/VIDEO_TS" / entry.path().filename();
        fs::copy_file(entry.path(), to);
        if (entry.path().extension() == ".IFO" || entry.path().extension() == ".BUP") {
            fs::resize_file(to, 100);
        }
    }
    for (const char* disc : {"empty", "novideo", "truncated", "missing"}) {
        SCOPED_TRACE(disc);
        player.Forget();
        player.Describe(kDiscGraph, (folder / disc).string());
        EXPECT_EQ(player.Send(kOrderPlay), -1);
        EXPECT_TRUE(player.HasStatus(kStatusGraphBuilt));
        const auto texts = player.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "No valid DVD-Video volume could be located"),
                  texts.end())
            << testing::PrintToString(texts);
        EXPECT_EQ(player.PlayState(), kPlayStateStopped);
    }
}

// Without a disc graph the DVD orders fail; those that need the navigator's control say so.
TEST(TGraphEngineNoDiscTest, DvdOrdersFailOutsideDvdMode) {
    EnginePlayer player;
    player.Describe(u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>",
                    EnginePlayer::Fixture("clip.avi"));
    ASSERT_EQ(player.Send(kOrderPlay), 0);
    player.Forget();
    TOrderDvdMenu menu{{0, sizeof(menu)}, 2, {}};
    EXPECT_EQ(player.Send(kOrderDvdMenu, &menu), -1);
    EXPECT_EQ(player.Texts(), std::vector<std::string>{"DVD-Video playback graph hasn't been built yet"});
    EXPECT_EQ(player.Send(kOrderNextChapter), -1);
    auto information = std::make_unique<TOrderDiscInformation>();
    information->head = {0, sizeof(TOrderDiscInformation)};
    information->title = 1;
    EXPECT_EQ(player.Send(kOrderDiscInformation, information.get()), -1);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(player.Send(kOrderTitlesChapters, nullptr, &out), -1);
    EXPECT_EQ(out, nullptr);
    TOrderStreams audio{{0, sizeof(TOrderStreams)}, 1, 0, 0, {}, 0};
    EXPECT_EQ(player.Send(kOrderAudioStream, &audio), 0);
    // A media file's streams are not told.
    EXPECT_FALSE(player.HasStatus(kStatusAudioStream));
}

// Orders 250-252 on the disc: a place saved in a title comes back with its title, chapter, time and
// streams after playing elsewhere; menus save nothing; a record that is not whole moves nothing.
class TGraphEngineDvdStateTest : public TGraphEngineDvdTest {
protected:
    int State(std::uint32_t order, const std::u16string& name, bool flag = true) {
        auto record = std::make_unique<TOrderDvdState>();
        record->head = {0, sizeof(TOrderDvdState)};
        std::copy(file_.begin(), file_.end(), record->storageFile);
        std::copy(name.begin(), name.end(), record->streamName);
        record->flag = flag ? 1 : 0;
        return player_.Send(order, record.get());
    }
    std::optional<std::string> Stream(const std::u16string& name) {
        plat::storage::CompoundFile file;
        if (!file.Open(plat::text::WideToAnsi(file_), plat::storage::CompoundFile::Access::Read, false)) {
            return std::nullopt;
        }
        const std::string* bytes = file.Stream(name);
        return bytes != nullptr ? std::optional<std::string>(*bytes) : std::nullopt;
    }
    // The streams order 300 reports for the current title.
    std::pair<std::uint32_t, std::uint32_t> CurrentStreams() {
        auto information = std::make_unique<TOrderDiscInformation>();
        information->head = {0, sizeof(TOrderDiscInformation)};
        information->title = 1;
        player_.Send(kOrderDiscInformation, information.get());
        return {information->audioStream, information->subpictureStream};
    }

    std::u16string file_ = EnginePlayer::Wide(player_.Folder() + "/disc.dsi");
};

TEST_F(TGraphEngineDvdStateTest, APlaceSavedInATitleIsRestoredAfterPlayingElsewhere) {
    StartTitle1();
    player_.Forget();
    ASSERT_EQ(Streams(kOrderAudioStream, 1, 0, 0), 1);
    ASSERT_TRUE(WaitStatus({kStatusAudioStream, 2, 1}));
    ASSERT_EQ(Streams(kOrderSubpictureStream, 0, 1, 1), 0);
    ASSERT_TRUE(WaitStatus({kStatusSubpicture, 2, kShown | 1}));
    player_.Forget();
    ASSERT_EQ(TitleChapter(1, 2), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 2));
    ASSERT_TRUE(WaitTimeBetween(2000, 3400));
    ASSERT_EQ(State(kOrderSaveDvdState, u"The chase", false), 0);

    const std::optional<std::string> index = Stream(u"Info");
    ASSERT_TRUE(index.has_value());
    ASSERT_EQ(index->size(), 7464u);
    EXPECT_EQ((*index)[360], 1);
    EXPECT_EQ(index->substr(1024, 16), std::string("B0001\0The chase\0", 16));
    EXPECT_EQ((*index)[1024 + 81], 1);
    EXPECT_EQ((*index)[1024 + 82], 2);
    std::uint32_t savedMs = 0;
    std::memcpy(&savedMs, index->data() + 1024 + 84, 4);
    EXPECT_GE(savedMs, 2000u);
    EXPECT_LE(savedMs, 3600u);

    player_.Forget();
    ASSERT_EQ(TitleChapter(2, 0), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 2));
    ASSERT_TRUE(WaitTimeBetween(0, 2900));

    player_.Forget();
    ASSERT_EQ(State(kOrderRestoreDvdState, u"B0001"), 0);
    EXPECT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 1));
    EXPECT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterChapter, 2));
    EXPECT_TRUE(WaitTimeBetween(savedMs > 1000 ? savedMs - 1000 : 0, savedMs + 1000));
    EXPECT_EQ(CurrentStreams(), std::make_pair(1u, kShown | 1));
}

TEST_F(TGraphEngineDvdStateTest, NothingIsSavedInAMenuAndTheFileIsNotMade) {
    StartDisc();
    EXPECT_EQ(State(kOrderSaveDvdState, u"Menu", false), -1);
    EXPECT_EQ(State(kOrderSaveDvdState, u"SAVEFORRESUME"), -1);
    EXPECT_FALSE(fs::exists(plat::text::WideToAnsi(file_)));
}

TEST_F(TGraphEngineDvdStateTest, AResumeStateLeavesTheIndexAndADamagedOneMovesNothing) {
    StartTitle1();
    ASSERT_EQ(State(kOrderSaveDvdState, u"SAVEFORRESUME"), 0);
    EXPECT_EQ(Stream(u"Info"), std::nullopt);
    const std::optional<std::string> resume = Stream(u"SAVEFORRESUME");
    ASSERT_TRUE(resume.has_value());
    EXPECT_EQ(resume->size(), plat::dvd::DvdStateRecord::kRecordBytes);
    {
        plat::storage::CompoundFile file;
        ASSERT_TRUE(
            file.Open(plat::text::WideToAnsi(file_), plat::storage::CompoundFile::Access::Update, false));
        ASSERT_TRUE(file.WriteStream(u"Short", resume->substr(0, 10)));
        std::string otherTitle = *resume;
        otherTitle[20] = 42; // a title the disc does not have
        ASSERT_TRUE(file.WriteStream(u"Elsewhere", otherTitle));
    }
    player_.Forget();
    ASSERT_EQ(TitleChapter(2, 0), 0);
    ASSERT_TRUE(WaitPosted(kMsgCoreTitleChapter, kTitleChapterTitle, 2));
    player_.Forget();
    EXPECT_EQ(State(kOrderRestoreDvdState, u"Short"), -1);
    EXPECT_EQ(State(kOrderRestoreDvdState, u"Elsewhere"), -1);
    EXPECT_TRUE(WaitTimeBetween(0, 2900));
    EXPECT_TRUE(player_.PostedOf(kMsgCoreTitleChapter).empty());
    ASSERT_EQ(State(kOrderDeleteDvdState, u"SAVEFORRESUME"), 0);
    EXPECT_EQ(Stream(u"SAVEFORRESUME"), std::nullopt);
}

} // namespace
