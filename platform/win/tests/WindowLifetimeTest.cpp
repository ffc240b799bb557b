#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/MessageLog.h"
#include "platform/win/tests/ScopedClass.h"
#include "platform/win/tests/TestWindow.h"
#include "platform/win/tests/WindowThread.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace plat::win {
namespace {

using testing::Handler;
using testing::MessageLog;
using testing::ScopedClass;
using testing::TestWindow;
using testing::WindowThread;
using Entry = MessageLog::Entry;

constexpr int kSafetyTimeoutMs = 10000;

// Copies the CREATESTRUCT of WM_CREATE to where lpCreateParams points, and its names to the title.
LRESULT CreateStructCopier(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        *static_cast<CREATESTRUCT*>(cs->lpCreateParams) = *cs;
        SetWindowText(hwnd, std::string(cs->lpszName) + "|" + cs->lpszClass);
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST(WindowLifetime, CreateSendsCreateStruct) {
    CREATESTRUCT seen{};
    int marker = 0;
    ScopedClass windowClass("CreateStructClass", &CreateStructCopier, &marker);
    const HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, "createstructclass", "Title", WS_POPUP, CW_USEDEFAULT,
                                     20, 300, CW_USEDEFAULT, 0, &seen);
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(seen.lpCreateParams, &seen);
    EXPECT_EQ(seen.hInstance, &marker);
    EXPECT_EQ(seen.hwndParent, 0u);
    EXPECT_EQ(seen.style, WS_POPUP);
    EXPECT_EQ(seen.dwExStyle, WS_EX_TOOLWINDOW);
    EXPECT_EQ(std::tie(seen.x, seen.y, seen.cx, seen.cy), std::make_tuple(0, 20, 300, 0));
    EXPECT_EQ(GetWindowTextString(hwnd), "Title|CreateStructClass");
    EXPECT_EQ(GetWindowThread(hwnd), std::this_thread::get_id());
    DestroyWindow(hwnd);
}

TEST(WindowLifetime, CreateAnsweringMinusOneDestroysTheWindow) {
    MessageLog log;
    HWND created = 0;
    TestWindow window([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> LRESULT {
        created = hwnd;
        log.Add(hwnd, msg);
        return msg == WM_CREATE ? -1 : 0;
    });
    EXPECT_EQ(window.hwnd(), 0u);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST(WindowLifetime, ChildrenAreDestroyedFirst) {
    MessageLog log;
    TestWindow parent(log.Recorder());
    TestWindow child(log.Recorder(), parent.hwnd(), WS_CHILD);
    TestWindow grandchild(log.Recorder(), child.hwnd(), WS_CHILD);
    TestWindow sibling(log.Recorder(), parent.hwnd(), WS_CHILD);
    const HWND p = parent.hwnd(), c = child.hwnd(), g = grandchild.hwnd(), s = sibling.hwnd();

    ASSERT_TRUE(DestroyWindow(p));
    std::vector<Entry> destroyed = log.Entries();
    std::erase_if(destroyed, [](const Entry& e) { return e.msg == WM_CREATE; });
    EXPECT_EQ(destroyed, (std::vector<Entry>{{g, WM_DESTROY, 0},
                                             {g, WM_NCDESTROY, 0},
                                             {c, WM_DESTROY, 0},
                                             {c, WM_NCDESTROY, 0},
                                             {s, WM_DESTROY, 0},
                                             {s, WM_NCDESTROY, 0},
                                             {p, WM_DESTROY, 0},
                                             {p, WM_NCDESTROY, 0}}));
    for (const HWND hwnd : {p, c, g, s}) {
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

TEST(WindowLifetime, DestroyDropsPostedMessagesAndPostsNoQuit) {
    MessageLog log;
    TestWindow other(log.Recorder());
    HWND destroyed = 0;
    {
        TestWindow window([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            log.Add(hwnd, msg);
            if (msg == WM_DESTROY) {
                EXPECT_FALSE(DestroyWindow(hwnd)); // already on its way
                PostMessage(hwnd, WM_USER + 2, 0, 0);
            }
            return DefWindowProc(hwnd, msg, wParam, lParam);
        });
        destroyed = window.hwnd();
        ASSERT_TRUE(PostMessage(destroyed, WM_USER, 0, 0));
        ASSERT_TRUE(PostMessage(other.hwnd(), WM_USER + 1, 0, 0));
        SendMessage(destroyed, WM_CLOSE, 0, 0); // DefWindowProc destroys it
        EXPECT_FALSE(IsWindow(destroyed));
    }
    EXPECT_EQ(PendingMessageCount(), 1u);
    EXPECT_EQ(DispatchPending(), 1u);
    const auto messages = log.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_USER), 0);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_USER + 1), 1);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_QUIT), 0);
}

TEST(WindowLifetime, EventLoopKeepsRunningAfterADestroyInsideIt) {
    constexpr int kFinished = 42;
    QEventLoop loop;
    TestWindow survivor([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_USER) {
            loop.exit(kFinished);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    });
    TestWindow doomed([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_USER) {
            EXPECT_TRUE(DestroyWindow(hwnd));
            // Delivered by a later turn of the loop, which a quit caused by the destroy would prevent.
            PostMessage(survivor.hwnd(), WM_USER, 0, 0);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    });
    ASSERT_TRUE(PostMessage(doomed.hwnd(), WM_USER, 0, 0));
    QTimer::singleShot(kSafetyTimeoutMs, &loop, [&] { loop.exit(-1); });
    EXPECT_EQ(loop.exec(), kFinished);
    EXPECT_FALSE(IsWindow(doomed.hwnd()));
}

TEST(WindowLifetime, OnlyTheOwningThreadDestroys) {
    WindowThread thread;
    std::unique_ptr<TestWindow> window;
    thread.Run([&] { window = std::make_unique<TestWindow>(); });
    EXPECT_EQ(GetWindowThread(window->hwnd()), thread.Id());
    EXPECT_FALSE(DestroyWindow(window->hwnd()));
    EXPECT_TRUE(IsWindow(window->hwnd()));
    thread.Run([&] { window.reset(); });
}

TEST(WindowLifetime, ChildOfAnotherThreadBecomesTopLevel) {
    WindowThread thread;
    TestWindow parent;
    std::unique_ptr<TestWindow> child;
    thread.Run([&] { child = std::make_unique<TestWindow>(Handler{}, parent.hwnd(), WS_CHILD); });
    ASSERT_EQ(GetParent(child->hwnd()), parent.hwnd());
    ASSERT_TRUE(DestroyWindow(parent.hwnd()));
    EXPECT_TRUE(IsWindow(child->hwnd()));
    EXPECT_EQ(GetParent(child->hwnd()), 0u);
    thread.Run([&] { child.reset(); });
}

TEST(WindowLifetime, WindowsEndWithTheirThread) {
    ScopedClass windowClass("ThreadEndClass", &DefWindowProc);
    HWND orphan = 0;
    std::thread([&] {
        orphan = CreateWindowEx(0, "ThreadEndClass", "LeftBehind", 0, 0, 0, 0, 0, 0, nullptr);
    }).join();
    ASSERT_NE(orphan, 0u);
    EXPECT_FALSE(IsWindow(orphan));
    EXPECT_EQ(FindWindow("", "LeftBehind"), 0u);
    EXPECT_FALSE(PostMessage(orphan, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(orphan, WM_USER, 0, 0), 0);
}

TEST(WindowLifetime, CallsFromTheEndOfAThreadAfterItsQueueAreHarmless) {
    // A thread-local object made before the thread's queue is destroyed after it.
    struct LateCaller {
        HWND target = 0;
        std::vector<std::intptr_t>* results = nullptr;
        ~LateCaller() {
            WaitMessage(); // nothing can arrive any more: must not block
            results->assign({static_cast<std::intptr_t>(DispatchPending()),
                             static_cast<std::intptr_t>(PendingMessageCount()),
                             CreateWindowEx(0, TestWindow::kClassName, "", 0, 0, 0, 0, 0, 0, nullptr),
                             SendMessage(target, WM_USER, 0, 0)});
        }
    };
    TestWindow target([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
    std::vector<std::intptr_t> results;
    std::thread([&] {
        static thread_local LateCaller late;
        late.target = target.hwnd();
        late.results = &results;
        EXPECT_EQ(PendingMessageCount(), 0u); // makes the thread's queue, after `late`
    }).join();
    EXPECT_EQ(results, (std::vector<std::intptr_t>{0, 0, 0, 0}));
}

} // namespace
} // namespace plat::win
