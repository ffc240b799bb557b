// Player instances against their free: orders in flight on other threads finish first, a free asked
// for inside an order waits for it to end, and no order reaches a freed player.
#include "core/src/TCoreInstance.h"

#include "core/include/VokradOrders.h"
#include "platform/win/Message.h"
#include "platform/win/MessageAwareCondition.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <latch>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace win = plat::win;

namespace {

const char16_t kEmptyGraph[] = u"<GRAPH/>";

// A host window on the calling thread that runs a handler for each record the core sends it.
class Host {
public:
    explicit Host(std::function<void()> onRecord)
        : onRecord_(std::move(onRecord)), window_([this](win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                                         win::LPARAM lParam) -> win::LRESULT {
              if (msg != win::WM_COPYDATA) {
                  return win::DefWindowProc(hwnd, msg, wParam, lParam);
              }
              ++records;
              onRecord_();
              return 1;
          }) {}

    win::HWND hwnd() const { return window_.hwnd(); }

    int records = 0;

private:
    std::function<void()> onRecord_;
    win::testing::TestWindow window_;
};

int Send(TCoreInstance* instance, std::uint32_t order, void* record = nullptr) {
    return TCoreInstance::SendOrder(instance, order, record, nullptr);
}

// Building the empty graph sends the host its play state and configuration while the order runs.
int PlayEmptyGraph(TCoreInstance* instance) {
    TOrderGraphDescription description{{0, sizeof(description)}, 1, kEmptyGraph};
    if (Send(instance, kOrderGraphDescription, &description) != 0) {
        return -1;
    }
    return Send(instance, kOrderPlay);
}

// A thread that plays the empty graph; the thread that waits for it answers what the order sends.
class PlayingThread {
public:
    explicit PlayingThread(TCoreInstance* instance)
        : thread_([this, instance] {
              const int answer = PlayEmptyGraph(instance);
              {
                  const std::lock_guard lock(mutex_);
                  answer_ = answer;
              }
              ended_.NotifyAll();
          }) {}
    ~PlayingThread() { thread_.join(); }

    // Answers the thread's messages until its order has ended; the order's answer.
    int AwaitAnswer() {
        ended_.Wait([this] {
            const std::lock_guard lock(mutex_);
            return answer_.has_value();
        });
        return *answer_;
    }

private:
    std::mutex mutex_;
    std::optional<int> answer_;
    win::MessageAwareCondition ended_;
    std::thread thread_;
};

TEST(TCoreInstanceTest, AnOrderInFlightOnAnotherThreadFinishesBeforeTheFreeProceeds) {
    bool freeReturned = false;
    std::vector<bool> freeReturnedAtRecord;
    Host host([&] { freeReturnedAtRecord.push_back(freeReturned); });
    TCoreInstance* instance = TCoreInstance::Create(host.hwnd(), "Test");
    ASSERT_NE(instance, nullptr);

    PlayingThread worker(instance);
    // The worker's order waits for this thread to take its first record: it is in flight.
    win::WaitMessage();
    EXPECT_EQ(TCoreInstance::Free(instance), 0);
    freeReturned = true;
    EXPECT_EQ(worker.AwaitAnswer(), 0);

    ASSERT_FALSE(freeReturnedAtRecord.empty());
    EXPECT_EQ(freeReturnedAtRecord, std::vector<bool>(freeReturnedAtRecord.size(), false));
    EXPECT_EQ(TCoreInstance::PlayerOf(instance), nullptr);
    EXPECT_EQ(Send(instance, kOrderPing), -1);
}

TEST(TCoreInstanceTest, AFreeAskedInsideAnOrderTakesPlaceAsTheOrderEnds) {
    TCoreInstance* instance = nullptr;
    std::vector<int> answersInside;
    Host host([&] {
        answersInside.push_back(TCoreInstance::Free(instance));
        answersInside.push_back(Send(instance, kOrderPing));
        answersInside.push_back(TCoreInstance::PlayerOf(instance) != nullptr ? 1 : 0);
    });
    instance = TCoreInstance::Create(host.hwnd(), "Test");
    ASSERT_NE(instance, nullptr);
    host.records = 0; // what the host heard while the instance was made
    answersInside.clear();

    EXPECT_EQ(PlayEmptyGraph(instance), 0);
    ASSERT_GT(host.records, 0);
    // The free is taken, later orders are refused, and the player lives until the order ends.
    EXPECT_EQ(std::vector<int>(answersInside.begin(), answersInside.begin() + 3), (std::vector<int>{0, -1, 1}));
    EXPECT_EQ(TCoreInstance::PlayerOf(instance), nullptr);
    EXPECT_EQ(Send(instance, kOrderPing), -1);
    EXPECT_EQ(TCoreInstance::Free(instance), 0);
}

TEST(TCoreInstanceTest, AFreeAskedWhileAnsweringAnotherThreadsOrderIsRefused) {
    TCoreInstance* instance = nullptr;
    std::vector<int> freeAnswers;
    Host host([&] { freeAnswers.push_back(TCoreInstance::Free(instance)); });
    instance = TCoreInstance::Create(host.hwnd(), "Test");
    ASSERT_NE(instance, nullptr);
    freeAnswers.clear(); // what the host heard while the instance was made

    // The worker waits for this thread's answers: a free that waited for the worker could never end.
    EXPECT_EQ(PlayingThread(instance).AwaitAnswer(), 0);
    ASSERT_FALSE(freeAnswers.empty());
    EXPECT_EQ(freeAnswers, std::vector<int>(freeAnswers.size(), -1));
    EXPECT_EQ(Send(instance, kOrderPing), 0);
    EXPECT_EQ(TCoreInstance::Free(instance), 0);
    EXPECT_EQ(Send(instance, kOrderPing), -1);
}

TEST(TCoreInstanceTest, OrdersFromSeveralThreadsMeetTheFreeOnlyAsAWhole) {
    TCoreInstance* instance = TCoreInstance::Create(0, "Test");
    ASSERT_NE(instance, nullptr);
    constexpr int kOrdersPerThread = 200;
    std::latch started(2);
    std::atomic<bool> wrongAnswer{false};
    std::vector<std::thread> senders;
    for (int i = 0; i < 2; ++i) {
        senders.emplace_back([&] {
            bool refused = false;
            started.count_down();
            for (int n = 0; n < kOrdersPerThread; ++n) {
                TOrderPlayState state{{0, sizeof(state)}, 9};
                const int answer = Send(instance, kOrderPlayState, &state);
                // Once refused, always refused: no order gets in after the free has begun.
                wrongAnswer = wrongAnswer || (answer != 0 && answer != -1) || (refused && answer == 0);
                refused = refused || answer == -1;
            }
        });
    }
    started.wait();
    EXPECT_EQ(TCoreInstance::Free(instance), 0);
    for (std::thread& sender : senders) {
        sender.join();
    }
    EXPECT_FALSE(wrongAnswer);
    EXPECT_EQ(TCoreInstance::PlayerOf(instance), nullptr);
}

} // namespace
