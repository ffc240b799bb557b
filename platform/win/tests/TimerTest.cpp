#include "platform/win/Timer.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/MessageLog.h"
#include "platform/win/tests/TestWindow.h"
#include "platform/win/tests/WindowThread.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace plat::win {
namespace {

using testing::MessageLog;
using testing::TestWindow;
using testing::WindowThread;

class ManualTimers : public ::testing::Test {
protected:
    ManualTimers() { InstallTimerHost(&host_); }
    ~ManualTimers() override { InstallTimerHost(nullptr); }

    // The timer ids of the WM_TIMER messages delivered by one DispatchPending.
    std::vector<WPARAM> Fired() {
        const std::size_t before = log_.Entries().size();
        DispatchPending();
        std::vector<WPARAM> ids;
        const auto entries = log_.Entries();
        for (std::size_t i = before; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].msg, WM_TIMER);
            ids.push_back(entries[i].wParam);
        }
        return ids;
    }

    ManualTimerHost host_;
    MessageLog log_;
    TestWindow window_{log_.Recorder()};
};

using Ids = std::vector<WPARAM>;

TEST_F(ManualTimers, SetTimerRules) {
    WindowThread thread;
    std::unique_ptr<TestWindow> foreign;
    thread.Run([&] { foreign = std::make_unique<TestWindow>(); });
    EXPECT_EQ(SetTimer(window_.hwnd(), 0, 10), 0u);
    EXPECT_EQ(SetTimer(foreign->hwnd(), 1, 10), 0u);
    EXPECT_FALSE(KillTimer(foreign->hwnd(), 1));
    EXPECT_EQ(SetTimer(window_.hwnd(), 7, 10), 7u);
    EXPECT_TRUE(host_.IsArmed(window_.hwnd(), 7));
    EXPECT_EQ(host_.ArmedCount(), 1u);
    thread.Run([&] { foreign.reset(); });
}

TEST_F(ManualTimers, ExpiriesArriveInDueOrder) {
    SetTimer(window_.hwnd(), 1, 30);
    SetTimer(window_.hwnd(), 2, 10);
    SetTimer(window_.hwnd(), 3, 20);
    SetTimer(window_.hwnd(), 4, 0); // raised to the 10 ms minimum
    host_.Advance(9);
    EXPECT_EQ(Fired(), Ids{});
    host_.Advance(21);
    EXPECT_EQ(host_.NowMs(), 30u);
    EXPECT_EQ(Fired(), (Ids{2, 4, 3, 1}));
}

TEST_F(ManualTimers, PeriodicTimerFiresOncePerStepAndStaysOnItsPeriod) {
    SetTimer(window_.hwnd(), 1, 10);
    host_.Advance(35); // three expiries pass; their messages coalesce
    EXPECT_EQ(Fired(), Ids{1});
    host_.Advance(4);
    EXPECT_EQ(Fired(), Ids{});
    host_.Advance(1); // 40
    EXPECT_EQ(Fired(), Ids{1});
}

TEST_F(ManualTimers, WaitingMessageCoalescesLaterExpiries) {
    SetTimer(window_.hwnd(), 1, 10);
    SetTimer(window_.hwnd(), 2, 10);
    host_.Advance(10);
    host_.Advance(10);
    EXPECT_EQ(PendingMessageCount(), 2u);
    EXPECT_EQ(Fired(), (Ids{1, 2}));
    host_.Advance(10);
    EXPECT_EQ(Fired(), (Ids{1, 2}));
}

TEST_F(ManualTimers, ReArmingRestartsTheInterval) {
    SetTimer(window_.hwnd(), 1, 10);
    host_.Advance(8);
    EXPECT_EQ(SetTimer(window_.hwnd(), 1, 10), 1u);
    host_.Advance(8);
    EXPECT_EQ(Fired(), Ids{});
    host_.Advance(2);
    EXPECT_EQ(Fired(), Ids{1});
}

TEST_F(ManualTimers, KillTimerDisarms) {
    SetTimer(window_.hwnd(), 1, 10);
    SetTimer(window_.hwnd(), 2, 10);
    EXPECT_TRUE(KillTimer(window_.hwnd(), 1));
    EXPECT_FALSE(KillTimer(window_.hwnd(), 1));
    EXPECT_FALSE(KillTimer(window_.hwnd(), 99));
    host_.Advance(10);
    EXPECT_EQ(Fired(), Ids{2});
}

TEST_F(ManualTimers, DestroyedWindowLosesItsTimersAndWaitingExpiries) {
    auto doomed = std::make_unique<TestWindow>(log_.Recorder());
    SetTimer(doomed->hwnd(), 1, 10);
    SetTimer(doomed->hwnd(), 2, 50);
    SetTimer(window_.hwnd(), 3, 10);
    host_.Advance(10);
    doomed.reset();
    EXPECT_EQ(host_.ArmedCount(), 1u);
    EXPECT_EQ(Fired(), Ids{3});
}

TEST(QtTimers, EventLoopDeliversTimerMessages) {
    QEventLoop loop;
    int ticks = 0;
    TestWindow window([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_TIMER && wParam == 5 && ++ticks == 3) {
            EXPECT_TRUE(KillTimer(hwnd, 5));
            loop.exit(1);
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    });
    ASSERT_EQ(SetTimer(window.hwnd(), 5, 10), 5u);
    QTimer::singleShot(10000, &loop, [&] { loop.exit(-1); });
    EXPECT_EQ(loop.exec(), 1);
    EXPECT_EQ(ticks, 3);
}

} // namespace
} // namespace plat::win
