#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"
#include "platform/win/tests/WindowThread.h"

#include <QEventLoop>
#include <QThread>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <future>
#include <thread>

namespace plat::win {
namespace {

using testing::Handler;
using testing::TestWindow;
using testing::WindowThread;

constexpr int kProducers = 4;
constexpr LPARAM kRounds = 200;
constexpr UINT kPosted = WM_USER + 1; // wParam: producer, lParam: its sequence number for this target
constexpr UINT kAdd = WM_USER + 2;    // answers wParam + 1
constexpr UINT kRelay = WM_USER + 3;  // sends kAdd to the other target and answers its answer
constexpr UINT kFlush = WM_USER + 4;  // every earlier post has been delivered
constexpr UINT kQuit = WM_USER + 5;

// A window that checks each producer's posts arrive in order; its state is touched on its thread only.
struct Target {
    Handler MakeHandler(const Target& other, std::function<void()> onQuit) {
        return [this, &other, onQuit](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            switch (msg) {
            case kPosted:
                outOfOrder += lParam != nextSequence[wParam]++ ? 1 : 0;
                ++posted;
                return 0;
            case kAdd:
                return static_cast<LRESULT>(wParam) + 1;
            case kRelay:
                return SendMessage(other.hwnd, kAdd, wParam, 0);
            case kFlush:
                flushed.set_value();
                return 0;
            case kQuit:
                onQuit();
                return 0;
            default:
                return DefWindowProc(hwnd, msg, wParam, lParam);
            }
        };
    }

    std::atomic<HWND> hwnd{0};
    std::array<LPARAM, kProducers> nextSequence{};
    std::atomic<int> outOfOrder{0};
    std::atomic<int> posted{0};
    std::promise<void> flushed;
};

void Produce(int producer, std::array<Target, 2>& targets, std::atomic<int>& wrongAnswers) {
    std::array<LPARAM, 2> sequence{};
    for (LPARAM round = 0; round < kRounds; ++round) {
        const int mine = static_cast<int>(round % 2);
        const auto value = static_cast<WPARAM>(round + producer * kRounds);
        EXPECT_TRUE(PostMessage(targets[mine].hwnd, kPosted, producer, sequence[mine]++));
        wrongAnswers +=
            SendMessage(targets[1 - mine].hwnd, kAdd, value, 0) != static_cast<LRESULT>(value) + 1;
        wrongAnswers += SendMessage(targets[mine].hwnd, kRelay, value, 0) != static_cast<LRESULT>(value) + 1;
    }
}

TEST(MessageStress, ConcurrentPostsAndSendsFromSeveralThreads) {
    std::array<Target, 2> targets;

    // Target 0 delivers by hand on a std::thread.
    WindowThread handThread;
    std::unique_ptr<TestWindow> handWindow;
    handThread.Run([&] {
        handWindow = std::make_unique<TestWindow>(targets[0].MakeHandler(targets[1], [] {}));
        targets[0].hwnd = handWindow->hwnd();
    });

    // Target 1 is delivered by a Qt event loop on a QThread.
    std::promise<void> loopReady;
    std::unique_ptr<QThread> loopThread(QThread::create([&] {
        QEventLoop loop;
        TestWindow window(targets[1].MakeHandler(targets[0], [&] { loop.quit(); }));
        targets[1].hwnd = window.hwnd();
        loopReady.set_value();
        loop.exec();
    }));
    loopThread->start();
    loopReady.get_future().wait();

    std::atomic<int> wrongAnswers{0};
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back(Produce, p, std::ref(targets), std::ref(wrongAnswers));
    }
    for (auto& producer : producers) {
        producer.join();
    }
    for (Target& target : targets) {
        auto flushed = target.flushed.get_future();
        ASSERT_TRUE(PostMessage(target.hwnd, kFlush, 0, 0));
        flushed.wait();
        EXPECT_EQ(target.posted, kProducers * kRounds / 2);
        EXPECT_EQ(target.outOfOrder, 0);
    }
    EXPECT_EQ(wrongAnswers, 0);

    PostMessage(targets[1].hwnd, kQuit, 0, 0);
    EXPECT_TRUE(loopThread->wait());
    handThread.Run([&] { handWindow.reset(); });
}

} // namespace
} // namespace plat::win
