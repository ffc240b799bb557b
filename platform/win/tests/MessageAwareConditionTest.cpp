#include "platform/win/MessageAwareCondition.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace plat::win {
namespace {

using testing::TestWindow;

// A flag that waiters read through the condition.
struct Flag {
    std::mutex mutex;
    bool set = false;
    bool Read() {
        const std::lock_guard lock(mutex);
        return set;
    }
    void Set(MessageAwareCondition& condition) {
        {
            const std::lock_guard lock(mutex);
            set = true;
        }
        condition.NotifyAll();
    }
};

TEST(MessageAwareCondition, AWaiterAnswersSentMessagesButKeepsPostedOnesQueued) {
    constexpr UINT kAsk = WM_USER + 1;
    constexpr UINT kNote = WM_USER + 2;
    MessageAwareCondition condition;
    Flag flag;
    std::vector<UINT> delivered;
    TestWindow waiter([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg < WM_USER) {
            return DefWindowProc(hwnd, msg, wParam, lParam);
        }
        delivered.push_back(msg);
        return static_cast<LRESULT>(wParam) + 1;
    });
    LRESULT answer = 0;
    // The sender needs the waiter's answer before it can let the waiter go.
    std::thread sender([&] {
        PostMessage(waiter.hwnd(), kNote, 0, 0);
        answer = SendMessage(waiter.hwnd(), kAsk, 41, 0);
        flag.Set(condition);
    });
    condition.Wait([&] { return flag.Read(); });
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(delivered, std::vector<UINT>{kAsk});
    EXPECT_EQ(DispatchPending(), 1u);
    EXPECT_EQ(delivered, (std::vector<UINT>{kAsk, kNote}));
}

TEST(MessageAwareCondition, OneNotificationReleasesEveryWaiter) {
    MessageAwareCondition condition;
    Flag flag;
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] { condition.Wait([&] { return flag.Read(); }); });
    }
    flag.Set(condition);
    for (std::thread& waiter : waiters) {
        waiter.join();
    }
    condition.Wait([&] { return flag.Read(); }); // already true: returns at once
}

} // namespace
} // namespace plat::win
