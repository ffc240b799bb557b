// The subtitle screen window: its drawing modes and pictures, the key, its parents in windowed and
// full-screen mode, the close it refuses, the mouse it forwards and the cursor it hides.
#include "core/src/screen/TSubtitleWindow.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace win = plat::win;
using plat::win::testing::TestWindow;

namespace {

using Mode = TSubtitleWindow::TDrawingMode;

struct Message {
    win::UINT msg;
    win::WPARAM wParam;
    win::LPARAM lParam;
    bool operator==(const Message&) const = default;
};

win::LPARAM Point(int x, int y) {
    return static_cast<win::LPARAM>((static_cast<std::uint32_t>(y) << 16) | static_cast<std::uint32_t>(x));
}

// Delivers the messages posted so far.
void Deliver() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class TSubtitleWindowTest : public testing::Test {
protected:
    TSubtitleWindowTest() {
        window_.CreateScreen();
        window_.SetNotification([this](win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
            notified_.push_back({msg, wParam, lParam});
        });
        win::SetWindowPos(panel_.hwnd(), 0, 0, 0, 640, 360, win::SWP_NOZORDER);
        win::SetWindowPos(fullScreen_.hwnd(), 0, 0, 0, 1920, 1080, win::SWP_NOZORDER);
    }
    ~TSubtitleWindowTest() override { window_.SetClosing(); }

    std::vector<Message> TakeNotified() { return std::exchange(notified_, {}); }

    TestWindow panel_{[this](win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
        if (msg >= win::WM_MOUSEMOVE && msg <= win::WM_RBUTTONDOWN) {
            ownerGot_.push_back({msg, wParam, lParam});
        }
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }};
    TestWindow fullScreen_;
    TSubtitleWindow window_{nullptr};
    std::vector<Message> notified_;
    std::vector<Message> ownerGot_;
};

TEST_F(TSubtitleWindowTest, ModesFollowTheFlags) {
    struct Row {
        bool overlay, show, bitmap;
        Mode mode;
    };
    for (const Row& row : {Row{true, true, true, Mode::Overlay}, Row{false, true, true, Mode::Bitmap},
                           Row{false, true, false, Mode::ShownOnly}, Row{false, false, true, Mode::Bitmap},
                           Row{false, false, false, Mode::None}}) {
        window_.SetMode(row.overlay, row.show, row.bitmap);
        EXPECT_EQ(window_.Mode(), row.mode);
    }
    EXPECT_EQ(window_.Width(), 320);
    EXPECT_EQ(window_.Height(), 240);
}

// In the bitmap mode the picture is the client area's size, starts transparent, and goes back to
// the caller; nothing reaches the window itself.
TEST_F(TSubtitleWindowTest, BitmapModeHandsThePictureBack) {
    window_.SetMode(false, true, true);
    win::RECT client{};
    QImage* picture = window_.BeginPicture(client);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_EQ(picture->size(), QSize(320, 240));
    EXPECT_EQ(picture->pixel(10, 10), 0u);
    win::RECT again{};
    EXPECT_EQ(window_.BeginPicture(again), nullptr) << "one picture at a time";
    picture->setPixel(5, 5, 0xffff0000);

    const QImage finished = window_.EndPicture();
    EXPECT_EQ(finished.pixel(5, 5), 0xffff0000);
    EXPECT_TRUE(window_.ShownPicture().isNull());
    EXPECT_TRUE(window_.EndPicture().isNull()) << "none open";

    // The two back images take turns; each is cleared where it was painted.
    window_.BeginPicture(client)->fill(0xffffffff);
    EXPECT_EQ(window_.EndPicture().pixel(0, 0), 0xffffffffu) << "painted anywhere";
    QImage* first = window_.BeginPicture(client);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->pixel(5, 5), 0u) << "the other back image, cleared";
    first->setPixel(7, 7, 0xff00ff00);
    window_.EndPicture(QRect(7, 7, 1, 1));
    QImage* second = window_.BeginPicture(client);
    EXPECT_EQ(second->pixel(100, 100), 0u);
    window_.EndPicture(QRect());
    EXPECT_EQ(window_.BeginPicture(client)->pixel(7, 7), 0u);
    window_.EndPicture();

    window_.SetMode(false, true, false);
    EXPECT_EQ(window_.BeginPicture(client), nullptr) << "shown without drawing";
}

// The overlay mode draws only once its surfaces exist (at the first repaint); a changed key fills
// the next picture, which the window then shows.
TEST_F(TSubtitleWindowTest, OverlayModeFillsWithTheKeyAndShowsThePicture) {
    int repaints = 0;
    window_.SetRepaintRequest([&] { ++repaints; });
    window_.SetMode(true, true, false);
    window_.ShowOnVideo(true);
    win::RECT client{};
    EXPECT_EQ(window_.BeginPicture(client), nullptr) << "no surfaces before the first repaint";

    window_.SetColorKey(0x00102030);
    Deliver(); // the repaint the key change asks for
    EXPECT_TRUE(window_.SurfacesReady());
    EXPECT_GE(repaints, 1);
    QImage* picture = window_.BeginPicture(client);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixel(0, 0), 0xff302010u) << "the key, red in its low byte";
    EXPECT_EQ(window_.EndPicture().pixel(319, 239), 0xff302010u);
    EXPECT_EQ(window_.ShownPicture().pixel(100, 100), 0xff302010u);

    win::SendMessage(window_.Handle(), win::WM_DISPLAYCHANGE, 32, 0);
    EXPECT_FALSE(window_.SurfacesReady());
    EXPECT_EQ(window_.BeginPicture(client), nullptr);
    win::SendMessage(window_.Handle(), win::WM_PAINT, 0, 0);
    EXPECT_TRUE(window_.SurfacesReady()) << "made again at the next repaint";
}

TEST_F(TSubtitleWindowTest, ScreenModesMoveBetweenTheParents) {
    window_.SetVideoWindow(fullScreen_.hwnd());
    window_.SetOwnerWindow(panel_.hwnd());
    EXPECT_EQ(win::GetParent(window_.Handle()), panel_.hwnd());
    EXPECT_NE(win::GetWindowLongPtr(window_.Handle(), win::GWL_STYLE) & win::WS_CHILD, 0);
    window_.RefreshPosition();
    EXPECT_EQ(window_.Width(), 640);
    EXPECT_EQ(window_.Height(), 360);
    EXPECT_EQ(TakeNotified().back(), (Message{win::WM_MOVE, 0, 0}));

    EXPECT_EQ(window_.SetScreenMode(TSubtitleWindow::kToggle), TSubtitleWindow::kFullScreen);
    const win::RECT saved = window_.SavedPlacement();
    EXPECT_EQ(saved.right - saved.left, 640);
    EXPECT_EQ(win::GetParent(window_.Handle()), fullScreen_.hwnd());
    EXPECT_EQ(window_.Width(), 1920);
    EXPECT_FALSE(window_.Move(5, 5)) << "no moving in full screen";

    EXPECT_EQ(window_.SetScreenMode(TSubtitleWindow::kToggle), TSubtitleWindow::kWindowed);
    EXPECT_EQ(window_.SetScreenMode(TSubtitleWindow::kAskMode), TSubtitleWindow::kWindowed);
    EXPECT_EQ(win::GetParent(window_.Handle()), panel_.hwnd());
    EXPECT_EQ(window_.Height(), 360);
    EXPECT_EQ(window_.SavedPlacement().right - window_.SavedPlacement().left, 640) << "stays saved";
    TakeNotified();
    Deliver();
    const std::vector<Message> notified = TakeNotified();
    EXPECT_NE(std::find(notified.begin(), notified.end(), Message{win::WM_SIZE, 0, 0}), notified.end())
        << "each switch posts a size message";

    // The full-screen window goes: a window inside it follows into the new one.
    window_.SetScreenMode(TSubtitleWindow::kFullScreen);
    TestWindow other;
    window_.SetVideoWindow(other.hwnd());
    EXPECT_EQ(win::GetParent(window_.Handle()), other.hwnd());
    window_.SetScreenMode(TSubtitleWindow::kWindowed);
    window_.SetOwnerWindow(0);
    EXPECT_EQ(win::GetParent(window_.Handle()), 0u);
    EXPECT_NE(win::GetWindowLongPtr(window_.Handle(), win::GWL_STYLE) & win::WS_POPUP, 0);
}

TEST_F(TSubtitleWindowTest, RefusesToCloseUntilAllowed) {
    const win::HWND hwnd = window_.Handle();
    win::SendMessage(hwnd, win::WM_CLOSE, 0, 0);
    EXPECT_TRUE(win::IsWindow(hwnd));
    window_.SetClosing();
    win::SendMessage(hwnd, win::WM_CLOSE, 0, 0);
    EXPECT_FALSE(win::IsWindow(hwnd));
}

TEST_F(TSubtitleWindowTest, ForwardsMouseInputToTheOwner) {
    EXPECT_EQ(win::SendMessage(window_.Handle(), win::WM_LBUTTONDOWN, 1, Point(10, 20)), 0) << "no owner yet";
    window_.SetOwnerWindow(panel_.hwnd());
    TakeNotified();
    for (const win::UINT msg :
         {win::WM_MOUSEMOVE, win::WM_LBUTTONDOWN, win::WM_LBUTTONDBLCLK, win::WM_RBUTTONDOWN}) {
        EXPECT_EQ(win::SendMessage(window_.Handle(), msg, 1, Point(10, 20)), 1);
    }
    win::SendMessage(window_.Handle(), win::WM_LBUTTONUP, 0, Point(10, 20));
    Deliver();
    const std::vector<Message> expected{{win::WM_MOUSEMOVE, 1, Point(10, 20)},
                                        {win::WM_LBUTTONDOWN, 1, Point(10, 20)},
                                        {win::WM_LBUTTONDBLCLK, 1, Point(10, 20)},
                                        {win::WM_RBUTTONDOWN, 1, Point(10, 20)}};
    EXPECT_EQ(ownerGot_, expected) << "the same messages with the same values; button-up stays";
    EXPECT_EQ(TakeNotified(), expected);
}

TEST_F(TSubtitleWindowTest, MovesAndSizesAreTold) {
    window_.TCoreWindow::Move(30, 40);
    window_.TCoreWindow::Resize(200, 100);
    EXPECT_EQ(TakeNotified(),
              (std::vector<Message>{{win::WM_MOVE, 0, Point(30, 40)}, {win::WM_SIZE, 0, Point(200, 100)}}));
}

TEST_F(TSubtitleWindowTest, HidesAndShowsTheCursor) {
    window_.ShowCursor(false);
    EXPECT_FALSE(win::IsCursorShown());
    window_.ShowCursor(false);
    EXPECT_FALSE(win::IsCursorShown());
    window_.ShowCursor(true);
    EXPECT_TRUE(win::IsCursorShown());
    EXPECT_EQ(win::ShowCursor(false), -1) << "shown again at a count of exactly 0";
    EXPECT_EQ(win::ShowCursor(true), 0);
}

} // namespace
