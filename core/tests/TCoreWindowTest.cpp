#include "core/src/framework/TCoreWindow.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace win = plat::win;

namespace {

constexpr const char* kClassName = "CoreFrameworkTestWindow";

win::LPARAM Point(int x, int y) {
    return static_cast<win::LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

// A core window whose handlers record what reaches them in a log that outlives the window, as a
// handler bound to the window's owner would: the window's destruction still calls handlers.
class TRecordingWindow : public TCoreWindow {
public:
    explicit TRecordingWindow(std::vector<std::string>& events) : TCoreWindow(nullptr), events_(events) {
        const auto note = [&events](std::string event) {
            events.push_back(std::move(event));
            return true;
        };
        const auto at = [](int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); };
        OnMouseDown = [=](TCoreVisual&, int button, WPARAM, int x, int y) {
            return note("down " + std::to_string(button) + at(x, y));
        };
        OnMouseUp = [=](TCoreVisual&, int button, WPARAM, int, int) {
            return note("up " + std::to_string(button));
        };
        OnClick = [=](TCoreVisual&, int button) { return note("click " + std::to_string(button)); };
        OnDoubleClick = [=](TCoreVisual&, int button) { return note("double " + std::to_string(button)); };
        OnMouseMove = [=](TCoreVisual&, WPARAM, int, int) { return note("move"); };
        OnMouseEnter = [=](TCoreWindowRoot&, WPARAM, int, int) { return note("enter"); };
        OnMouseLeave = [=](TCoreWindowRoot&, WPARAM, int, int) { return note("leave"); };
        OnMouseHover = [=](TCoreWindowRoot&, WPARAM, int, int) { return note("hover"); };
        OnMove = [=](TCoreWindowRoot&, int x, int y) { return note("moving" + at(x, y)); };
        OnSize = [=](TCoreWindowRoot&, int cx, int cy) { return note("sizing" + at(cx, cy)); };
        OnShow = [=](TCoreWindowRoot&) { return note("shown"); };
        OnHide = [=](TCoreWindowRoot&) { return note("hidden"); };
        OnActivate = [=](TCoreWindowRoot&, bool active) { return note(active ? "active" : "inactive"); };
        OnPaint = [=](TCoreWindowRoot&) { return note("paint"); };
        OnDestroy = [=](TCoreWindowRoot&) { return note("destroy"); };
    }

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(msg);
        return TCoreWindow::WindowProc(hwnd, msg, wParam, lParam);
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return win::SendMessage(Handle(), msg, wParam, lParam);
    }

    std::vector<std::string> TakeEvents() { return std::exchange(events_, {}); }

    std::vector<UINT> messages;

private:
    std::vector<std::string>& events_;
};

class TCoreWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(window_->CreateDefault(kClassName, "first title", 0), 0); }

    std::vector<std::string> events_;
    std::unique_ptr<TRecordingWindow> window_ = std::make_unique<TRecordingWindow>(events_);
};

TEST_F(TCoreWindowTest, CreateRegistersTheClassAndTiesTheWindowToTheObject) {
    const win::HWND hwnd = window_->Handle();
    ASSERT_TRUE(win::IsWindow(hwnd));
    EXPECT_EQ(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA),
              reinterpret_cast<std::intptr_t>(window_.get()));
    EXPECT_EQ(static_cast<win::DWORD>(win::GetWindowLongPtr(hwnd, win::GWL_STYLE)), 0x02CF0000u);
    win::WNDCLASS wc;
    ASSERT_TRUE(win::GetClassInfo(kClassName, &wc));
    EXPECT_EQ(wc.style, win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS);
    EXPECT_EQ(window_->Create(0, kClassName, "second", 0, 0, 0, 10, 10, 0, nullptr), -1);
    EXPECT_EQ(window_->Handle(), hwnd);
}

TEST_F(TCoreWindowTest, CreateMessageIsAnsweredWithoutReachingTheObject) {
    EXPECT_EQ(window_->Send(win::WM_CREATE), 0);
    EXPECT_TRUE(window_->messages.empty());
}

TEST_F(TCoreWindowTest, WindowNotYetTiedToAnObjectTakesTheDefaultProcedure) {
    const win::HWND untied = win::CreateWindowEx(0, kClassName, "untied", 0, 0, 0, 10, 10, 0, nullptr);
    ASSERT_NE(untied, 0u);
    win::SendMessage(untied, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("by default"));
    EXPECT_EQ(win::GetWindowTextString(untied), "by default");
    win::SendMessage(untied, win::WM_CLOSE, 0, 0);
    EXPECT_FALSE(win::IsWindow(untied));
    EXPECT_TRUE(window_->messages.empty());
}

TEST_F(TCoreWindowTest, CloseWithoutHandlerDestroysTheWindow) {
    const win::HWND hwnd = window_->Handle();
    EXPECT_EQ(window_->Send(win::WM_CLOSE), 0);
    EXPECT_FALSE(win::IsWindow(hwnd));
    EXPECT_EQ(window_->Handle(), 0u);
    EXPECT_EQ(window_->TakeEvents(), std::vector<std::string>{"destroy"});
    EXPECT_EQ(win::PendingMessageCount(), 0u);
}

TEST_F(TCoreWindowTest, RefusedCloseKeepsTheWindowUntilTheObjectGoes) {
    window_->OnClose = [](TCoreWindowRoot&) { return false; };
    const win::HWND hwnd = window_->Handle();
    window_->Send(win::WM_CLOSE);
    ASSERT_TRUE(win::IsWindow(hwnd));

    window_.reset();
    EXPECT_FALSE(win::IsWindow(hwnd));
}

TEST_F(TCoreWindowTest, ClassStaysWhileAnotherWindowOfItExists) {
    TRecordingWindow second(events_);
    ASSERT_EQ(second.CreateDefault(kClassName, "", 0), 0);
    window_.reset();
    win::WNDCLASS wc;
    EXPECT_TRUE(win::GetClassInfo(kClassName, &wc));
}

TEST(TCoreWindowClassTest, ClassGoesWhenTheLastObjectIsDestroyed) {
    win::WNDCLASS wc;
    std::vector<std::string> events;
    {
        TRecordingWindow window(events);
        ASSERT_EQ(window.CreateDefault("CoreFrameworkShortLivedClass", "", 0), 0);
        ASSERT_TRUE(win::GetClassInfo("CoreFrameworkShortLivedClass", &wc));
    }
    EXPECT_FALSE(win::GetClassInfo("CoreFrameworkShortLivedClass", &wc));
}

TEST_F(TCoreWindowTest, ZOrderRequestsKeepTheirMeaning) {
    struct Case {
        win::HWND insertAfter;
        bool topmost;
    };
    constexpr win::UINT kOnlyZOrder = win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE;
    for (const Case c :
         {Case{win::HWND_BOTTOM, false}, Case{win::HWND_TOPMOST, true}, Case{win::HWND_TOP, true},
          Case{win::HWND_NOTOPMOST, false}, Case{win::HWND_BOTTOM, false}}) {
        ASSERT_TRUE(win::SetWindowPos(window_->Handle(), c.insertAfter, 0, 0, 0, 0, kOnlyZOrder));
        const auto exStyle =
            static_cast<win::DWORD>(win::GetWindowLongPtr(window_->Handle(), win::GWL_EXSTYLE));
        EXPECT_EQ((exStyle & win::WS_EX_TOPMOST) != 0, c.topmost) << c.insertAfter;
        EXPECT_EQ(window_->IsTopmost(), c.topmost) << c.insertAfter;
    }
}

TEST_F(TCoreWindowTest, MoveAndResizeGoThroughTheWindowAndAreStored) {
    ASSERT_TRUE(window_->Move(10, -20));
    ASSERT_TRUE(window_->Resize(300, 200));
    EXPECT_EQ(window_->TakeEvents(), (std::vector<std::string>{"moving 10,-20", "sizing 300,200"}));
    EXPECT_EQ(window_->Left(), 10);
    EXPECT_EQ(window_->Top(), -20);
    EXPECT_EQ(window_->Width(), 300);
    EXPECT_EQ(window_->Height(), 200);
    win::RECT rect{};
    ASSERT_TRUE(win::GetWindowRect(window_->Handle(), &rect));
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, -20);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST(TCoreWindowWithoutHandleTest, WindowOperationsFail) {
    std::vector<std::string> events;
    TRecordingWindow window(events);
    EXPECT_FALSE(window.Move(1, 2));
    EXPECT_FALSE(window.Resize(3, 4));
    EXPECT_FALSE(window.Show());
    EXPECT_FALSE(window.Hide());
    EXPECT_FALSE(window.IsVisible());
    EXPECT_FALSE(window.SetText("x"));
    EXPECT_FALSE(window.SetParentWindow(0));
    EXPECT_EQ(window.Width(), 0);
}

TEST_F(TCoreWindowTest, ShowHideAndActivationReachTheHandlers) {
    EXPECT_TRUE(window_->Show());
    EXPECT_TRUE(window_->IsVisible());
    EXPECT_TRUE(window_->Hide());
    EXPECT_FALSE(window_->IsVisible());
    window_->Send(win::WM_ACTIVATE, 1);
    window_->Send(win::WM_ACTIVATE, 0);
    EXPECT_EQ(window_->TakeEvents(), (std::vector<std::string>{"shown", "hidden", "active", "inactive"}));
}

TEST_F(TCoreWindowTest, PaintAndEraseAnswers) {
    EXPECT_EQ(window_->Send(win::WM_PAINT), 0);
    EXPECT_EQ(window_->TakeEvents(), std::vector<std::string>{"paint"});
    EXPECT_EQ(window_->Send(win::WM_ERASEBKGND), 0);
}

TEST_F(TCoreWindowTest, MinimumTrackSizeTakesTheOverrideWhenNotNegative) {
    window_->SetMinimumTrack(100, -1, 50, 70);
    win::MINMAXINFO info{};
    window_->Send(win::WM_GETMINMAXINFO, 0, reinterpret_cast<win::LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 100);
    EXPECT_EQ(info.ptMinTrackSize.y, 70);
    EXPECT_EQ(window_->Send(win::WM_GETMINMAXINFO), 0); // no record: nothing to fill
}

TEST_F(TCoreWindowTest, TextAndParentGoToTheWindow) {
    EXPECT_TRUE(window_->SetText("new title"));
    char buffer[32] = {};
    ASSERT_TRUE(window_->GetText(buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "new title");

    TRecordingWindow parent(events_);
    ASSERT_EQ(parent.CreateDefault(kClassName, "parent", 0), 0);
    EXPECT_TRUE(window_->SetParentWindow(parent.Handle()));
    EXPECT_EQ(win::GetParent(window_->Handle()), parent.Handle());
    EXPECT_TRUE(window_->SetParentWindow(0));
}

struct MouseCase {
    const char* name;
    std::vector<std::pair<win::UINT, win::WPARAM>> messages;
    std::vector<std::string> events;
};

TEST_F(TCoreWindowTest, MouseMessagesReachTheirOperations) {
    constexpr win::WPARAM kLeft = 1;
    const MouseCase cases[] = {
        {"left press and release click",
         {{win::WM_LBUTTONDOWN, kLeft}, {win::WM_LBUTTONUP, 0}},
         {"down 0 7,-3", "up 0", "click 0"}},
        {"release without press is no click", {{win::WM_LBUTTONUP, 0}}, {"up 0"}},
        {"right and middle buttons",
         {{win::WM_RBUTTONDOWN, 0}, {win::WM_MBUTTONUP, 0}},
         {"down 2 7,-3", "up 1"}},
        {"right release after left press is no click",
         {{win::WM_LBUTTONDOWN, kLeft}, {win::WM_RBUTTONUP, kLeft}, {win::WM_LBUTTONUP, 0}},
         {"down 0 7,-3", "up 2", "up 0", "click 0"}},
        {"double clicks",
         {{win::WM_LBUTTONDBLCLK, kLeft}, {win::WM_MBUTTONDBLCLK, 0}},
         {"double 0", "double 1"}},
        {"the mouse enters once",
         {{win::WM_MOUSEMOVE, 0},
          {win::WM_MOUSEMOVE, 0},
          {win::WM_MOUSEHOVER, 0},
          {win::WM_MOUSELEAVE, 0},
          {win::WM_MOUSEMOVE, 0}},
         {"enter", "move", "move", "hover", "leave", "enter", "move"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> events;
        TRecordingWindow window(events);
        ASSERT_EQ(window.CreateDefault(kClassName, "", 0), 0);
        for (const auto& [msg, keys] : c.messages) {
            window.Send(msg, keys, Point(7, -3));
        }
        EXPECT_EQ(window.TakeEvents(), c.events) << c.name;
    }
}

TEST_F(TCoreWindowTest, ButtonsCaptureTheMouseAndMovesAskForTracking) {
    window_->Send(win::WM_LBUTTONDOWN, 1, Point(1, 1));
    EXPECT_EQ(win::GetCapture(), window_->Handle());
    EXPECT_TRUE(window_->IsLeftButtonDown());
    window_->Send(win::WM_LBUTTONUP, 0, Point(1, 1));
    EXPECT_EQ(win::GetCapture(), 0u);
    EXPECT_FALSE(window_->IsLeftButtonDown());

    window_->Send(win::WM_MOUSEMOVE, 0, Point(2, 2));
    const win::TRACKMOUSEEVENT tracking = win::GetMouseTracking(window_->Handle());
    EXPECT_EQ(tracking.dwFlags, win::TME_HOVER | win::TME_LEAVE);
    EXPECT_EQ(tracking.dwHoverTime, TCoreWindowRoot::kHoverMs);
    EXPECT_TRUE(window_->IsMouseInside());
    window_->Send(win::WM_MOUSELEAVE);
    EXPECT_FALSE(window_->IsMouseInside());
}

} // namespace
