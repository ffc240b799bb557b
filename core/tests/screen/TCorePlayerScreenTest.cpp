// The player's subtitle screen and video placement through its orders, on manual timers and clocks:
// the renderer mode of status 11, the re-layout debounce, order 209 and the layout it gives the
// engine and the pages, the screen orders, and the on-screen message timer at the earliest expiry.
#include "core/src/TCorePlayer.h"

#include "core/include/VokradNotifications.h"
#include "core/tests/ManualClocks.h"
#include "core/tests/pages/PageBlockBuilder.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/testing/TestFont.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"
#include "subtitles/model/FixedText.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace win = plat::win;
using plat::win::testing::TestWindow;

namespace {

void Deliver() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class TCorePlayerScreenTest : public testing::Test {
protected:
    void SetUp() override {
        win::InstallTimerHost(&timers_);
        TEngineSetup setup = TEngineSetup::Default();
        surface_ = setup.videoSurface;
        player_.SetEngineSetup(std::move(setup));
        player_.SetScreenSize([] { return TScreenSize{1024, 768}; });
        player_.PlayStart();
    }
    void TearDown() override {
        player_.Close();
        win::InstallTimerHost(nullptr);
    }

    template <class Record> int Send(std::uint32_t order, Record record) {
        record.head = {0, sizeof(Record)};
        return player_.SendOrder(order, &record, nullptr);
    }
    int Send(std::uint32_t order) { return player_.SendOrder(order, nullptr, nullptr); }

    int AddText(std::u16string text, std::int32_t duration, std::int32_t layer) {
        TOrderOsdItem item{};
        item.type = kOsdItemText;
        item.duration = duration;
        item.layer = layer;
        item.data = text.c_str();
        item.dataBytes = static_cast<std::uint32_t>((text.size() + 1) * 2);
        return Send(kOrderOsdItem, item);
    }

    std::size_t OsdCount() {
        const std::lock_guard lock(player_.SubtitleLock());
        return static_cast<std::size_t>(player_.OsdQueue().Items().Count);
    }

    bool Armed(win::UINT_PTR id) const { return timers_.IsArmed(player_.Handle(), id); }

    void Advance(std::int64_t ms) {
        clocks_->Advance(ms);
        timers_.Advance(static_cast<std::uint64_t>(ms));
        Deliver();
    }

    // The overlay mode: the subtitle screen shows its own pictures, which the test can look at.
    void ShowThroughOverlay() {
        player_.EngineState(kStatusConfiguration, kConfigVideoWindow | kConfigOverlayMixer, 0);
        EXPECT_EQ(Send(kOrderShowVideo), 0);
        Deliver(); // the first paint makes the surfaces and draws
        ASSERT_TRUE(player_.Screen()->SurfacesReady());
    }
    QImage Shown() const { return player_.Screen()->ShownPicture(); }

    // Messages in the test font, enabled.
    void EnableMessages() {
        TOrderOsdStyle style{};
        TSubtitleStyleRecord record = TOsdQueue::DefaultStyle();
        SetFixedText(record.fontName, kStyleFontNameUnits, kTestFontFamily);
        std::memcpy(style.style, &record, sizeof(record));
        style.enabled = 1;
        EXPECT_EQ(Send(kOrderOsdStyle, style), 0);
    }

    win::ManualTimerHost timers_;
    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    std::shared_ptr<plat::video::VideoSurface> surface_;
    TCorePlayer player_{nullptr, clocks_};
};

TEST_F(TCorePlayerScreenTest, StartUpMakesTheScreenAndLaysTheVideoOut) {
    TSubtitleWindow* screen = player_.Screen();
    ASSERT_NE(screen, nullptr);
    char name[32] = {};
    win::GetClassName(screen->Handle(), name, sizeof(name));
    EXPECT_STREQ(name, "RenderWindow");
    EXPECT_EQ(screen->Width(), 320);
    EXPECT_EQ(player_.Engine()->Width(), 320) << "the engine window takes the screen's size";
    EXPECT_TRUE(player_.LayoutPending());
    EXPECT_TRUE(Armed(TCorePlayer::kLayoutTimer));
}

// Three changes of the video area in a row lay the pages out once, 20 ms after the last.
TEST_F(TCorePlayerScreenTest, PagesAreLaidOutOnceTheChangesSettle) {
    TOrderVideoLayout layout{};
    for (int i = 0; i < 3; ++i) {
        timers_.Advance(10);
        Deliver();
        EXPECT_EQ(Send(kOrderVideoLayout, layout), 0);
    }
    timers_.Advance(19);
    Deliver();
    EXPECT_TRUE(player_.LayoutPending());
    timers_.Advance(1);
    Deliver();
    EXPECT_FALSE(player_.LayoutPending());
    EXPECT_FALSE(Armed(TCorePlayer::kLayoutTimer));
}

// Without a picture the engine tells only its window; the layout takes the screen's size for the
// picture and gives the pages the window's area.
TEST_F(TCorePlayerScreenTest, LayoutWithoutAPictureFillsTheWindow) {
    TOrderVideoLayout layout{};
    layout.aspect[13] = 1; // blanking in use
    layout.blankingColour = 0x0000FF;
    EXPECT_EQ(Send(kOrderVideoLayout, layout), 0);
    const std::lock_guard lock(player_.SubtitleLock());
    const TVideoLayout& result = player_.ComputedLayout();
    EXPECT_EQ(result.picture.width, 1024);
    EXPECT_EQ(result.window.width, 320);
    EXPECT_EQ(result.pictureRect.right, 320);
    EXPECT_EQ(result.pictureRect.bottom, 240);
    EXPECT_EQ(player_.TextLayoutArea().GetScreenWidth(false) > 0, true);
    EXPECT_EQ(player_.Engine()->Placement().BorderColor(), 0x0000FFu) << "blanking colour as the border";
    EXPECT_EQ(surface_->BorderColor(), qRgb(255, 0, 0));
}

TEST_F(TCorePlayerScreenTest, RendererModeFollowsStatusEleven) {
    TSubtitleWindow* screen = player_.Screen();
    const win::HWND engine = player_.Engine()->Handle();
    player_.EngineState(kStatusConfiguration, kConfigVideoWindow | kConfigWindowless, 0);
    EXPECT_EQ(screen->Mode(), TSubtitleWindow::TDrawingMode::Bitmap);
    EXPECT_TRUE(player_.Windowless());
    EXPECT_FALSE(player_.OverlayUsed());
    EXPECT_EQ(win::GetParent(engine), screen->Handle());
    EXPECT_NE(win::GetWindowLongPtr(engine, win::GWL_STYLE) & win::WS_POPUP, 0);

    player_.EngineState(kStatusConfiguration, kConfigVideoWindow | kConfigOverlayMixer, 0);
    EXPECT_EQ(screen->Mode(), TSubtitleWindow::TDrawingMode::Overlay);
    EXPECT_TRUE(player_.OverlayUsed());
    EXPECT_EQ(win::GetParent(engine), 0u);
    EXPECT_NE(win::GetWindowLongPtr(engine, win::GWL_STYLE) & win::WS_CHILD, 0);
    EXPECT_EQ(win::GetWindowLongPtr(engine, win::GWL_STYLE) & win::WS_POPUP, 0);

    player_.EngineState(kStatusConfiguration, kConfigVideoWindow, 0);
    EXPECT_EQ(screen->Mode(), TSubtitleWindow::TDrawingMode::ShownOnly) << "a video window, not windowless";
}

TEST_F(TCorePlayerScreenTest, ScreenOrders) {
    TestWindow panel;
    TestWindow fullScreen;
    win::SetWindowPos(panel.hwnd(), 0, 0, 0, 640, 480, win::SWP_NOZORDER);
    win::SetWindowPos(fullScreen.hwnd(), 0, 0, 0, 1280, 720, win::SWP_NOZORDER);
    TSubtitleWindow* screen = player_.Screen();

    EXPECT_EQ(Send(kOrderParentWindows, TOrderParentWindows{{}, panel.hwnd(), fullScreen.hwnd()}), 0);
    EXPECT_EQ(screen->OwnerWindow(), panel.hwnd());
    EXPECT_EQ(screen->VideoWindow(), fullScreen.hwnd());
    EXPECT_EQ(Send(kOrderRefreshPosition), 0);
    EXPECT_EQ(screen->Width(), 640);
    EXPECT_EQ(player_.Engine()->Width(), 640) << "the size change lays the video out again";

    TOrderDisplayMode mode{{}, kDisplayModeFullScreen};
    EXPECT_EQ(Send(kOrderDisplayMode, mode), 0);
    EXPECT_EQ(screen->Width(), 1280);
    mode.mode = kDisplayModeAsk;
    mode.head = {0, sizeof(mode)};
    EXPECT_EQ(player_.SendOrder(kOrderDisplayMode, &mode, nullptr), 0);
    EXPECT_EQ(mode.mode, kDisplayModeFullScreen);

    EXPECT_EQ(Send(kOrderShowVideo), 0);
    EXPECT_EQ(Send(kOrderHideVideo), 0);
    EXPECT_FALSE(win::IsWindowVisible(player_.Engine()->Handle()));

    EXPECT_EQ(Send(kOrderColourKey, TOrderColourKey{{}, 0x00102030}), 0);
    EXPECT_EQ(screen->ColorKey(), 0x00102030u);
    EXPECT_EQ(surface_->ColorKey(), qRgb(0x30, 0x20, 0x10));

    // The subtitle screen hides the cursor; the engine has no video window of its own to hide it over.
    EXPECT_EQ(Send(kOrderCursor, TOrderCursor{{}, 0, {}}), -1);
    EXPECT_FALSE(win::IsCursorShown());
    EXPECT_EQ(Send(kOrderCursor, TOrderCursor{{}, 7, {}}), -1);
    EXPECT_TRUE(win::IsCursorShown());

    EXPECT_EQ(Send(kOrderParentWindows, TOrderParentWindows{{}, 0, 0}), 0);
    EXPECT_EQ(win::GetParent(screen->Handle()), 0u) << "out of the full-screen window before it goes";
}

// The panel of order 202 gets the video surface to paint; the panel before it lets go of it.
TEST_F(TCorePlayerScreenTest, TheVideoPanelGetsTheSurfaceAndThePanelBeforeLetsGo) {
    using Received = std::vector<const plat::video::VideoSurface*>;
    const auto recorder = [](Received& received) {
        return [&received](win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                           win::LPARAM lParam) -> win::LRESULT {
            if (msg != kMsgCoreVideoSurface) {
                return win::DefWindowProc(hwnd, msg, wParam, lParam);
            }
            const auto* surface = reinterpret_cast<const std::shared_ptr<plat::video::VideoSurface>*>(lParam);
            received.push_back(surface != nullptr ? surface->get() : nullptr);
            return 0;
        };
    };
    Received first;
    Received second;
    TestWindow firstPanel(recorder(first));
    TestWindow secondPanel(recorder(second));
    for (const win::HWND panel : {firstPanel.hwnd(), firstPanel.hwnd(), secondPanel.hwnd(), win::HWND{0}}) {
        EXPECT_EQ(Send(kOrderParentWindows, TOrderParentWindows{{}, panel, 0}), 0);
    }
    EXPECT_EQ(first, (Received{surface_.get(), nullptr})) << "told once, then let go";
    EXPECT_EQ(second, (Received{surface_.get(), nullptr}));
}

// Order 602 arms the expiry timer for the earliest expiry; each expiry re-arms it for the next.
TEST_F(TCorePlayerScreenTest, MessageTimerFollowsTheEarliestExpiry) {
    EXPECT_EQ(AddText(u"long", 3000, 1), 0);
    EXPECT_EQ(AddText(u"short", 500, 2), 0);
    EXPECT_EQ(AddText(u"ignored", 100, 2), 0) << "the layer is taken";
    EXPECT_EQ(OsdCount(), 2u);
    clocks_->Advance(499);
    timers_.Advance(499);
    Deliver();
    EXPECT_EQ(OsdCount(), 2u);
    clocks_->Advance(1);
    timers_.Advance(1);
    Deliver();
    EXPECT_EQ(OsdCount(), 1u) << "the short one went at its own time";
    clocks_->Advance(2499);
    timers_.Advance(2499);
    Deliver();
    EXPECT_EQ(OsdCount(), 1u);
    clocks_->Advance(1);
    timers_.Advance(1);
    Deliver();
    EXPECT_EQ(OsdCount(), 0u);
    EXPECT_FALSE(Armed(TCorePlayer::kMessageTimer));

    EXPECT_EQ(AddText(u"x", TOsdItem::kRemove, 4), 0);
    EXPECT_EQ(AddText(u"x", TOsdItem::kRemove, 4), 0) << "removes what the first one added";
    EXPECT_EQ(OsdCount(), 0u);
    TOrderOsdItem bad{};
    bad.type = kOsdItemText;
    bad.dataBytes = 8; // no data behind it
    EXPECT_EQ(Send(kOrderOsdItem, bad), -1);
    bad.type = 9;
    EXPECT_EQ(Send(kOrderOsdItem, bad), -1);
}

TEST_F(TCorePlayerScreenTest, MessageStyleAndVariableOrders) {
    TOrderOsdStyle style{};
    TSubtitleStyleRecord record = TOsdQueue::DefaultStyle();
    record.fontSize = 40;
    std::memcpy(style.style, &record, sizeof(record));
    style.defaultDuration = 2000;
    style.enabled = 1;
    EXPECT_EQ(Send(kOrderOsdStyle, style), 0);
    TOrderOsdVariable variable{{}, u"AudioVolume", u"80"};
    EXPECT_EQ(Send(kOrderOsdVariable, variable), 0);
    EXPECT_EQ(Send(kOrderOsdVariable, TOrderOsdVariable{{}, nullptr, u"80"}), 0) << "kept nowhere, still 0";
    {
        const std::lock_guard lock(player_.SubtitleLock());
        EXPECT_TRUE(player_.OsdQueue().IsEnabled());
        EXPECT_EQ(player_.OsdQueue().Style().fontSize, 40);
        EXPECT_EQ(player_.OsdQueue().DefaultDuration(), 2000);
        EXPECT_EQ(player_.OsdQueue().Expand(u"$(AudioVolume)"), u"80");
    }
    EXPECT_EQ(Send(kOrderClearOsdVariables), 0);
    EXPECT_EQ(AddText(u"a", 0, 1), 0);
    EXPECT_TRUE(Armed(TCorePlayer::kMessageTimer)) << "the default duration applies";
    EXPECT_EQ(Send(kOrderClearOsdItems), 0);
    EXPECT_EQ(OsdCount(), 0u);
    const std::lock_guard lock(player_.SubtitleLock());
    EXPECT_EQ(player_.OsdQueue().Expand(u"$(AudioVolume)"), u"");
}

} // namespace

namespace {

constexpr QRgb kYellow = 0xFFFFFF00u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlackKey = 0xFF000000u;

class TCorePlayerPictureTest : public TCorePlayerScreenTest {
protected:
    void SetUp() override {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        TCorePlayerScreenTest::SetUp();
        ShowThroughOverlay();
    }
};

// Blanking margins of 32 screen pixels on a 1024-pixel screen are 10 pixels of the 320-pixel window:
// the bars take the blanking colour, the inside keeps the key; a message lies over them until it
// expires.
TEST_F(TCorePlayerPictureTest, BlankingBarsAndAMessageUntilItExpires) {
    TOrderVideoLayout layout{};
    layout.aspect[13] = 1;
    for (std::size_t side = 14; side < 18; ++side) {
        layout.aspect[side] = 32;
    }
    layout.blankingColour = 0x000000FF; // red
    EXPECT_EQ(Send(kOrderVideoLayout, layout), 0);
    EnableMessages();
    EXPECT_EQ(Send(kOrderFreezeMessages), 0);
    EXPECT_EQ(AddText(u"Play", 1000, 1), 0);
    EXPECT_EQ(Send(kOrderUnfreezeMessages), 0);

    QImage picture = Shown();
    ASSERT_EQ(picture.size(), QSize(320, 240));
    for (const QPoint bar : {QPoint(5, 120), QPoint(314, 120), QPoint(160, 5), QPoint(160, 234)}) {
        EXPECT_EQ(picture.pixel(bar), kRed) << bar.x() << "," << bar.y();
    }
    for (const QPoint inside : {QPoint(10, 120), QPoint(309, 120), QPoint(160, 10), QPoint(160, 229)}) {
        EXPECT_EQ(picture.pixel(inside), kBlackKey) << inside.x() << "," << inside.y();
    }
    const QRect yellow = BoxOf(picture, kYellow);
    ASSERT_FALSE(yellow.isEmpty());
    EXPECT_LT(yellow.top(), 20) << "at the top left";
    EXPECT_LT(yellow.left(), 20);

    Advance(999);
    EXPECT_FALSE(BoxOf(Shown(), kYellow).isEmpty());
    Advance(1);
    picture = Shown();
    EXPECT_TRUE(BoxOf(picture, kYellow).isEmpty()) << "gone once expired";
    EXPECT_EQ(picture.pixel(5, 120), kRed);
}

// While the pages wait for their new layout a redraw shows the messages but no page; the layout
// 20 ms later brings the page back.
TEST_F(TCorePlayerPictureTest, APendingLayoutShowsNoPage) {
    TOrderStyles styles{};
    styles.step = 4;
    TSubtitleStyleRecord style{};
    SetFixedText(style.name, kStyleNameUnits, u"Default");
    SetFixedText(style.fontName, kStyleFontNameUnits, kTestFontFamily);
    style.fontSize = 30;
    style.primaryColour = 0xFFFFFF;
    style.alignment = 2;
    std::memcpy(styles.style, &style, sizeof(style));
    EXPECT_EQ(Send(kOrderStyles, styles), 0);
    styles.step = 3; // the display on
    EXPECT_EQ(Send(kOrderStyles, styles), 0);
    std::vector<std::byte> pages = PageBlockBuilder::Order(1, {{1, 0, 5000, 0, u"Page"}});
    EXPECT_EQ(player_.SendOrder(kOrderSubtitlePages, pages.data(), nullptr), 0);
    EXPECT_EQ(Send(kOrderProfileTitle, TOrderProfileTitle{{}, 1}), 0);
    EXPECT_EQ(Send(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}), 0);
    EnableMessages();
    EXPECT_EQ(AddText(u"Msg", 0, 1), 0);
    Advance(20); // the layout of the start-up settles
    player_.ClockReport(100);
    EXPECT_FALSE(BoxOf(Shown(), kWhite).isEmpty()) << "the page";

    EXPECT_EQ(Send(kOrderVideoLayout, TOrderVideoLayout{}), 0);
    EXPECT_EQ(Send(kOrderUnfreezeMessages), 0);
    EXPECT_TRUE(player_.LayoutPending());
    EXPECT_TRUE(BoxOf(Shown(), kWhite).isEmpty()) << "no page while the layout is pending";
    EXPECT_FALSE(BoxOf(Shown(), kYellow).isEmpty()) << "the message stays";
    Advance(20);
    EXPECT_FALSE(BoxOf(Shown(), kWhite).isEmpty());
}

// The clock thread redraws on every report while the host thread changes pages, messages, the layout
// and the renderer mode; run under ThreadSanitizer this shows the two never touch the same state
// unguarded, and the pictures the clock thread rebuilds reach the host thread.
TEST_F(TCorePlayerPictureTest, ClockThreadRedrawsWhileOrdersChangeTheScreen) {
    std::vector<TTestEvent> events;
    for (std::uint32_t i = 0; i < 200; ++i) {
        events.push_back(
            {i, static_cast<std::int32_t>(i) * 20, static_cast<std::int32_t>(i + 1) * 20, 0, u"Line"});
    }
    std::vector<std::byte> pages = PageBlockBuilder::Order(1, events);
    EXPECT_EQ(player_.SendOrder(kOrderSubtitlePages, pages.data(), nullptr), 0);
    EXPECT_EQ(Send(kOrderProfileTitle, TOrderProfileTitle{{}, 1}), 0);
    EXPECT_EQ(Send(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}), 0);
    EnableMessages();
    player_.UpdatePlayState(kPlayStatePlaying, false);
    clocks_->AdvanceAtEachRead(20); // a new slot at every step of the clock thread
    // Until the clock thread has gone through most of the page, with a bound for a clock that stalls.
    for (int round = 0; round < 20000 && player_.LastClockTime() < 3000; ++round) {
        const std::uint32_t configuration = round % 2 == 0 ? kConfigVideoWindow | kConfigWindowless
                                                           : kConfigVideoWindow | kConfigOverlayMixer;
        player_.EngineState(kStatusConfiguration, configuration, 0);
        EXPECT_EQ(AddText(u"Msg", 30, round % 3), 0);
        EXPECT_EQ(Send(kOrderUnfreezeMessages), 0);
        TOrderVideoLayout layout{};
        layout.aspect[13] = static_cast<std::uint32_t>(round % 2);
        EXPECT_EQ(Send(kOrderVideoLayout, layout), 0);
        if (round % 50 == 0) {
            EXPECT_EQ(player_.SendOrder(kOrderSubtitlePages, pages.data(), nullptr), 0);
        }
        Advance(5);
    }
    EXPECT_GE(player_.LastClockTime(), 3000) << "the clock reported while the orders ran";
    player_.UpdatePlayState(kPlayStatePaused, false);
    clocks_->AdvanceAtEachRead(0);
}

} // namespace
