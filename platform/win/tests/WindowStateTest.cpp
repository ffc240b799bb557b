#include "platform/win/Message.h"
#include "platform/win/MouseInput.h"
#include "platform/win/Window.h"
#include "platform/win/tests/MessageLog.h"
#include "platform/win/tests/ScopedClass.h"
#include "platform/win/tests/TestWindow.h"
#include "platform/win/tests/WindowThread.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace plat::win {
namespace {

using testing::Handler;
using testing::MessageLog;
using testing::ScopedClass;
using testing::TestWindow;
using testing::WindowThread;

bool IsTopmost(HWND hwnd) {
    return (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(WindowState, SetWindowPosZOrderRequests) {
    struct Case {
        HWND insertAfter;
        UINT flags;
        bool topmostBefore;
        bool topmostAfter;
    };
    TestWindow other;
    const Case cases[] = {
        {HWND_TOP, 0, false, false},      {HWND_TOP, 0, true, true},
        {HWND_BOTTOM, 0, true, false},    {HWND_TOPMOST, 0, false, true},
        {HWND_NOTOPMOST, 0, true, false}, {HWND_TOPMOST, SWP_NOZORDER, false, false},
        {other.hwnd(), 0, true, true},    {HWND_NOTOPMOST, SWP_NOZORDER, true, true},
    };
    TestWindow window;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.insertAfter << " flags " << c.flags);
        SetWindowLongPtr(window.hwnd(), GWL_EXSTYLE,
                         c.topmostBefore ? WS_EX_TOPMOST | WS_EX_TOOLWINDOW : WS_EX_TOOLWINDOW);
        EXPECT_TRUE(
            SetWindowPos(window.hwnd(), c.insertAfter, 0, 0, 0, 0, c.flags | SWP_NOMOVE | SWP_NOSIZE));
        EXPECT_EQ(IsTopmost(window.hwnd()), c.topmostAfter);
        EXPECT_TRUE(GetWindowLongPtr(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    }
    EXPECT_FALSE(SetWindowPos(window.hwnd(), 0x7FFFFFF0, 0, 0, 0, 0, 0)); // no such window to go after
}

TEST(WindowState, SetWindowPosHonoursTheChangingHook) {
    std::vector<WINDOWPOS> changed;
    TestWindow window([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (msg == WM_WINDOWPOSCHANGING && pos->x < 0) {
            pos->x = 0;   // keep the window on the screen
            pos->cy = 50; // dropped: the hook asks for no size change
            pos->flags |= SWP_NOSIZE;
            pos->hwndInsertAfter = HWND_TOPMOST;
        } else if (msg == WM_WINDOWPOSCHANGED) {
            changed.push_back(*pos);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    });
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOP, 10, 20, 300, 200, 0));
    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOP, -5, 7, 1, 1, 0));
    ASSERT_TRUE(SetWindowPos(hwnd, HWND_TOP, 99, 99, 640, 480, SWP_NOMOVE));

    RECT rect{};
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom), std::make_tuple(0, 7, 640, 487));
    EXPECT_TRUE(IsTopmost(hwnd));
    ASSERT_EQ(changed.size(), 3u);
    EXPECT_EQ(std::tie(changed[1].x, changed[1].y, changed[1].cx, changed[1].cy),
              std::make_tuple(0, 7, 300, 200));
    EXPECT_EQ(std::tie(changed[2].x, changed[2].y, changed[2].cx, changed[2].cy),
              std::make_tuple(0, 7, 640, 480));
}

TEST(WindowState, VisibilityFromShowWindowAndSetWindowPos) {
    MessageLog log;
    TestWindow parent(log.Recorder());
    TestWindow child(log.Recorder(), parent.hwnd(), WS_CHILD | WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child.hwnd())); // its parent is hidden

    EXPECT_FALSE(ShowWindow(parent.hwnd(), SW_SHOW));
    EXPECT_TRUE(ShowWindow(parent.hwnd(), SW_SHOW)); // no change, no message
    EXPECT_TRUE(IsWindowVisible(child.hwnd()));
    EXPECT_TRUE(GetWindowLongPtr(parent.hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(ShowWindow(parent.hwnd(), SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(parent.hwnd()));
    const std::vector<MessageLog::Entry> shows = {{parent.hwnd(), WM_SHOWWINDOW, 1},
                                                  {parent.hwnd(), WM_SHOWWINDOW, 0}};
    auto entries = log.Entries();
    std::erase_if(entries, [](const MessageLog::Entry& e) { return e.msg != WM_SHOWWINDOW; });
    EXPECT_EQ(entries, shows);

    SetWindowPos(parent.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(parent.hwnd()));
    SetWindowPos(parent.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_FALSE(IsWindowVisible(parent.hwnd()));
}

TEST(WindowState, PositionsAddUpAlongParents) {
    TestWindow top;
    TestWindow middle(Handler{}, top.hwnd(), WS_CHILD);
    TestWindow inner(Handler{}, middle.hwnd(), WS_CHILD);
    SetWindowPos(top.hwnd(), HWND_TOP, 100, 200, 800, 600, SWP_NOZORDER);
    SetWindowPos(middle.hwnd(), HWND_TOP, 10, 20, 400, 300, SWP_NOZORDER);
    SetWindowPos(inner.hwnd(), HWND_TOP, 1, 2, 30, 40, SWP_NOZORDER);

    POINT point{5, 5};
    ASSERT_TRUE(ClientToScreen(inner.hwnd(), &point));
    EXPECT_EQ(std::tie(point.x, point.y), std::make_tuple(116, 227));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(inner.hwnd(), &rect));
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom), std::make_tuple(111, 222, 141, 262));
    ASSERT_TRUE(GetClientRect(inner.hwnd(), &rect));
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom), std::make_tuple(0, 0, 30, 40));
    EXPECT_FALSE(ClientToScreen(inner.hwnd(), nullptr));

    EXPECT_EQ(SetParent(top.hwnd(), inner.hwnd()), 0u); // would be a cycle
    EXPECT_EQ(SetParent(inner.hwnd(), top.hwnd()), middle.hwnd());
    point = {0, 0};
    ClientToScreen(inner.hwnd(), &point);
    EXPECT_EQ(std::tie(point.x, point.y), std::make_tuple(101, 202));
}

TEST(WindowState, TitleIsCutAtCharacterBoundaries) {
    TestWindow window;
    ASSERT_TRUE(SetWindowText(window.hwnd(), "a\xC3\xA9\xE2\x82\xAC")); // "aé€": 1 + 2 + 3 bytes
    struct Case {
        int size;
        const char* text;
    };
    const Case cases[] = {{1, ""},          {2, "a"},         {3, "a"},
                          {4, "a\xC3\xA9"}, {6, "a\xC3\xA9"}, {7, "a\xC3\xA9\xE2\x82\xAC"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(GetWindowText(window.hwnd(), buffer, c.size), static_cast<int>(std::strlen(c.text)));
        EXPECT_STREQ(buffer, c.text);
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(SendMessage(window.hwnd(), WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)),
                  static_cast<LRESULT>(std::strlen(c.text)));
        EXPECT_STREQ(buffer, c.text);
    }
    char untouched[2] = {'x', 'x'};
    EXPECT_EQ(GetWindowText(window.hwnd(), untouched, 0), 0);
    EXPECT_EQ(untouched[0], 'x');
}

TEST(WindowState, TitleGoesThroughTheProcedure) {
    TestWindow window([](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const bool refused =
            msg == WM_SETTEXT && std::strcmp(reinterpret_cast<const char*>(lParam), "no") == 0;
        return refused ? 0 : DefWindowProc(hwnd, msg, wParam, lParam);
    });
    EXPECT_TRUE(SetWindowText(window.hwnd(), "yes"));
    EXPECT_FALSE(SetWindowText(window.hwnd(), "no"));
    EXPECT_EQ(GetWindowTextString(window.hwnd()), "yes");
    EXPECT_TRUE(SendMessage(window.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("direct")));
    EXPECT_EQ(GetWindowTextString(window.hwnd()), "direct");

    WindowThread thread;
    std::string fromThere;
    thread.Run([&] {
        SetWindowText(window.hwnd(), "from another thread");
        fromThere = GetWindowTextString(window.hwnd());
    });
    EXPECT_EQ(fromThere, "from another thread");
}

TEST(WindowState, WindowLongs) {
    struct Case {
        int index;
        std::intptr_t value;
        std::intptr_t readBack;
    };
    const Case cases[] = {
        {GWL_STYLE, WS_POPUP | WS_VISIBLE, WS_POPUP | WS_VISIBLE},
        {GWL_EXSTYLE, WS_EX_TOPMOST, WS_EX_TOPMOST},
        {GWLP_USERDATA, -12345678912345, -12345678912345},
        {-4, 77, 0}, // not kept
    };
    ScopedClass windowClass("WindowLongClass", &DefWindowProc);
    const HWND hwnd = CreateWindowEx(0, "WindowLongClass", "", 0, 0, 0, 0, 0, 0, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(SetWindowLongPtr(hwnd, c.index, c.value), 0);
        EXPECT_EQ(GetWindowLongPtr(hwnd, c.index), c.readBack);
        EXPECT_EQ(SetWindowLongPtr(hwnd, c.index, 0), c.readBack);
    }
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(WindowState, FindWindowMatchesTopLevelWindowsWithoutRegardToCase) {
    ScopedClass windowClass("FindClass", &DefWindowProc);
    const auto create = [](const char* title, HWND parent) {
        return CreateWindowEx(0, "FindClass", title, 0, 0, 0, 0, 0, parent, nullptr);
    };
    const HWND first = create("Player Main", 0);
    const HWND second = create("Other", 0);
    const HWND child = create("Child Only", first);
    struct Case {
        const char* className;
        const char* title;
        HWND found;
    };
    const Case cases[] = {
        {"findclass", "", first},       {"", "PLAYER main", first}, {"FindClass", "other", second},
        {"FindClass", "Child Only", 0}, {"OtherClass", "Other", 0}, {"", "nothing", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.className << "/" << c.title);
        EXPECT_EQ(FindWindow(c.className, c.title), c.found);
    }
    DestroyWindow(child);
    DestroyWindow(second);
    DestroyWindow(first);
    EXPECT_EQ(FindWindow("FindClass", ""), 0u);
}

TEST(WindowState, CaptureAndMouseTracking) {
    auto first = std::make_unique<TestWindow>();
    TestWindow second;
    EXPECT_EQ(SetCapture(first->hwnd()), 0u);
    EXPECT_EQ(GetCapture(), first->hwnd());
    EXPECT_EQ(SetCapture(second.hwnd()), first->hwnd());
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), 0u);
    SetCapture(first->hwnd());
    const HWND gone = first->hwnd();

    struct Case {
        DWORD flags;
        DWORD hoverTime;
        DWORD trackedAfter;
        DWORD hoverAfter;
    };
    const Case cases[] = {
        {TME_LEAVE, 0, TME_LEAVE, 0},
        {TME_HOVER, 400, TME_LEAVE | TME_HOVER, 400},
        {TME_CANCEL | TME_LEAVE, 0, TME_HOVER, 400},
        {TME_CANCEL | TME_HOVER, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_TRUE(TrackMouseEvent({c.flags, gone, c.hoverTime}));
        const TRACKMOUSEEVENT tracked = GetMouseTracking(gone);
        EXPECT_EQ(tracked.dwFlags, c.trackedAfter);
        EXPECT_EQ(tracked.dwHoverTime, c.hoverAfter);
    }
    EXPECT_EQ(GetMouseTracking(second.hwnd()).dwFlags, 0u);

    first.reset();
    EXPECT_EQ(GetCapture(), 0u); // the captured window went
    EXPECT_EQ(GetMouseTracking(gone).dwFlags, 0u);
}

TEST(WindowState, CursorCountAndForegroundWindow) {
    EXPECT_TRUE(IsCursorShown());
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_FALSE(IsCursorShown());
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_FALSE(IsCursorShown()) << "shows again only once every hide is matched";
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_TRUE(IsCursorShown());

    auto window = std::make_unique<TestWindow>();
    EXPECT_FALSE(SetForegroundWindow(0));
    EXPECT_TRUE(SetForegroundWindow(window->hwnd()));
    EXPECT_EQ(GetForegroundWindow(), window->hwnd());
    window.reset();
    EXPECT_EQ(GetForegroundWindow(), 0u);
}

TEST(WindowState, ChildWindowFromPointFindsTheVisibleChildUnderThePoint) {
    TestWindow parent;
    SetWindowPos(parent.hwnd(), 0, 0, 0, 400, 300, SWP_NOZORDER);
    TestWindow lower({}, parent.hwnd(), WS_CHILD | WS_VISIBLE);
    SetWindowPos(lower.hwnd(), 0, 0, 0, 400, 300, SWP_NOZORDER);
    TestWindow upper({}, parent.hwnd(), WS_CHILD | WS_VISIBLE);
    SetWindowPos(upper.hwnd(), 0, 100, 50, 100, 100, SWP_NOZORDER);
    TestWindow hidden({}, parent.hwnd(), WS_CHILD);
    SetWindowPos(hidden.hwnd(), 0, 0, 0, 400, 300, SWP_NOZORDER);
    struct Case {
        POINT point;
        HWND expected;
    };
    const Case cases[] = {
        {{150, 100}, upper.hwnd()}, {{100, 50}, upper.hwnd()},  {{200, 150}, lower.hwnd()},
        {{10, 10}, lower.hwnd()},   {{450, 10}, parent.hwnd()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChildWindowFromPoint(parent.hwnd(), c.point), c.expected) << c.point.x << "," << c.point.y;
    }
    ShowWindow(lower.hwnd(), SW_HIDE);
    EXPECT_EQ(ChildWindowFromPoint(parent.hwnd(), {10, 10}), parent.hwnd()) << "hidden children take nothing";
    EXPECT_EQ(ChildWindowFromPoint(0x7FFFFFF0, {10, 10}), 0u);
}

} // namespace
} // namespace plat::win
