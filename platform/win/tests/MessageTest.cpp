#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/MessageLog.h"
#include "platform/win/tests/TestWindow.h"
#include "platform/win/tests/WindowThread.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <future>
#include <numeric>
#include <thread>

namespace plat::win {
namespace {

using testing::Handler;
using testing::MessageLog;
using testing::TestWindow;
using testing::WindowThread;

constexpr int kSafetyTimeoutMs = 10000;
constexpr UINT kNumbered = WM_USER + 1;
constexpr UINT kLast = WM_USER + 2;

std::vector<WPARAM> Numbers(const MessageLog& log) {
    std::vector<WPARAM> numbers;
    for (const auto& entry : log.Entries()) {
        if (entry.msg == kNumbered) {
            numbers.push_back(entry.wParam);
        }
    }
    return numbers;
}

std::vector<WPARAM> Sequence(WPARAM count) {
    std::vector<WPARAM> numbers(count);
    std::iota(numbers.begin(), numbers.end(), WPARAM{0});
    return numbers;
}

// Posts kNumbered with wParam first..first+count-1, then kLast when asked to.
void PostNumbered(HWND hwnd, WPARAM first, WPARAM count, bool last) {
    for (WPARAM i = first; i < first + count; ++i) {
        ASSERT_TRUE(PostMessage(hwnd, kNumbered, i, 0));
    }
    ASSERT_TRUE(!last || PostMessage(hwnd, kLast, 0, 0));
}

// A handler that records messages and runs onLast when kLast arrives.
Handler RecordUntilLast(MessageLog& log, std::function<void()> onLast) {
    return [&log, onLast](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        log.Add(hwnd, msg, wParam);
        if (msg == kLast) {
            onLast();
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    };
}

TEST(PostMessage, DispatchPendingDeliversInOrderWhatWasPostedBeforeIt) {
    MessageLog log;
    TestWindow window([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        log.Add(hwnd, msg, wParam);
        if (msg == kNumbered && wParam == 2) {
            PostMessage(hwnd, kNumbered, 3, 0); // for the next round
        }
        return 0;
    });
    for (WPARAM i = 0; i < 3; ++i) {
        PostMessage(window.hwnd(), kNumbered, i, 0);
    }
    EXPECT_EQ(PendingMessageCount(), 3u);
    EXPECT_EQ(DispatchPending(), 3u);
    EXPECT_EQ(Numbers(log), Sequence(3));
    EXPECT_EQ(DispatchPending(), 1u);
    EXPECT_EQ(Numbers(log), Sequence(4));
    EXPECT_EQ(DispatchPending(), 0u);
}

TEST(PostMessage, MainThreadEventLoopDeliversInOrder) {
    QEventLoop loop;
    MessageLog log;
    TestWindow window(RecordUntilLast(log, [&] { loop.exit(1); }));
    PostNumbered(window.hwnd(), 0, 50, false);
    std::thread([&] { PostNumbered(window.hwnd(), 50, 1, true); }).join();
    QTimer::singleShot(kSafetyTimeoutMs, &loop, [&] { loop.exit(-1); });
    EXPECT_EQ(loop.exec(), 1);
    EXPECT_EQ(Numbers(log), Sequence(51));
}

TEST(PostMessage, WorkerQThreadEventLoopDelivers) {
    MessageLog log;
    std::promise<HWND> created;
    std::thread::id deliveredOn;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        QEventLoop loop;
        TestWindow window(RecordUntilLast(log, [&] {
            deliveredOn = std::this_thread::get_id();
            loop.quit();
        }));
        created.set_value(window.hwnd());
        loop.exec();
    }));
    worker->start();
    PostNumbered(created.get_future().get(), 0, 200, true);
    ASSERT_TRUE(worker->wait(QDeadlineTimer(kSafetyTimeoutMs)));
    EXPECT_EQ(Numbers(log), Sequence(200));
    EXPECT_NE(deliveredOn, std::this_thread::get_id());
}

TEST(PostMessage, ThreadDeliveringByHand) {
    WindowThread thread;
    MessageLog log;
    std::promise<void> done;
    std::unique_ptr<TestWindow> window;
    thread.Run(
        [&] { window = std::make_unique<TestWindow>(RecordUntilLast(log, [&] { done.set_value(); })); });
    PostNumbered(window->hwnd(), 0, 200, true);
    done.get_future().wait();
    EXPECT_EQ(Numbers(log), Sequence(200));
    thread.Run([&] { window.reset(); });
}

TEST(PostMessage, CopyDataIsRefused) {
    TestWindow window;
    COPYDATASTRUCT cds{1, 0, nullptr};
    EXPECT_FALSE(PostMessage(window.hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    EXPECT_EQ(PendingMessageCount(), 0u);
}

TEST(SendMessage, SameThreadCallsDirectly) {
    bool inSend = true;
    TestWindow window([&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        inSend = InSendMessage();
        return static_cast<LRESULT>(wParam) * 10 + lParam;
    });
    EXPECT_EQ(SendMessage(window.hwnd(), WM_USER, 4, 2), 42);
    EXPECT_FALSE(inSend);
    EXPECT_EQ(PendingMessageCount(), 0u);
}

TEST(SendMessage, OtherThreadAnswersWhileTheSenderWaits) {
    WindowThread thread;
    std::thread::id ranOn;
    bool inSend = false;
    std::unique_ptr<TestWindow> window;
    thread.Run([&] {
        window = std::make_unique<TestWindow>([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
            ranOn = std::this_thread::get_id();
            inSend = InSendMessage();
            return -static_cast<LRESULT>(wParam);
        });
    });
    EXPECT_EQ(SendMessage(window->hwnd(), WM_USER, 7, 0), -7);
    EXPECT_EQ(ranOn, thread.Id());
    EXPECT_TRUE(inSend);
    EXPECT_FALSE(InSendMessage());
    thread.Run([&] { window.reset(); });
}

TEST(SendMessage, NestedSendBackIsDeliveredWhileWaiting) {
    constexpr UINT kAsk = WM_USER + 10;
    constexpr UINT kAnswer = WM_USER + 11;
    constexpr UINT kNote = WM_USER + 12;
    WindowThread thread;
    MessageLog log;
    bool inSendHere = false;
    TestWindow here([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
        if (msg >= WM_USER) {
            log.Add(hwnd, msg, wParam);
        }
        inSendHere = inSendHere || (msg == kAnswer && InSendMessage());
        return msg == kAnswer ? static_cast<LRESULT>(wParam) * 2 : 0;
    });
    std::unique_ptr<TestWindow> there;
    thread.Run([&] {
        there = std::make_unique<TestWindow>([&](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
            if (msg != kAsk) {
                return 0;
            }
            // A posted note waits for the sender's own loop; the send back is answered at once.
            PostMessage(here.hwnd(), kNote, 0, 0);
            return SendMessage(here.hwnd(), kAnswer, wParam, 0) + 1;
        });
    });
    EXPECT_EQ(SendMessage(there->hwnd(), kAsk, 5, 0), 11);
    EXPECT_TRUE(inSendHere);
    EXPECT_EQ(log.Messages(), std::vector<UINT>{kAnswer});
    EXPECT_EQ(DispatchPending(), 1u);
    EXPECT_EQ(log.Messages(), (std::vector<UINT>{kAnswer, kNote}));
    thread.Run([&] { there.reset(); });
}

TEST(SendMessage, CopyDataCarriesBytesAcrossThreads) {
    WindowThread thread;
    TestWindow sender;
    std::string received;
    std::uintptr_t receivedTag = 0;
    HWND receivedFrom = 0;
    std::unique_ptr<TestWindow> receiver;
    thread.Run([&] {
        receiver = std::make_unique<TestWindow>([&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg != WM_COPYDATA) {
                return 0;
            }
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            received.assign(static_cast<const char*>(cds->lpData), cds->cbData);
            receivedTag = cds->dwData;
            receivedFrom = static_cast<HWND>(wParam);
            return 1;
        });
    });
    const std::string payload("frame\0with\0zeros", 16);
    COPYDATASTRUCT cds{0xC0FFEE, static_cast<DWORD>(payload.size()), payload.data()};
    EXPECT_EQ(SendMessage(receiver->hwnd(), WM_COPYDATA, sender.hwnd(), reinterpret_cast<LPARAM>(&cds)), 1);
    EXPECT_EQ(received, payload);
    EXPECT_EQ(receivedTag, 0xC0FFEEu);
    EXPECT_EQ(receivedFrom, sender.hwnd());
    thread.Run([&] { receiver.reset(); });
}

// A thread owning one window that, once a message waits, does `then` and ends without delivering.
struct Abandoning {
    static LRESULT Procedure(HWND, UINT msg, WPARAM, LPARAM) {
        EXPECT_NE(msg, WM_USER) << "delivered to an abandoned window";
        return 1;
    }

    explicit Abandoning(std::function<void(HWND)> then) {
        static const bool registered =
            RegisterClass({.lpfnWndProc = &Abandoning::Procedure, .lpszClassName = "AbandonedClass"});
        EXPECT_TRUE(registered);
        std::promise<HWND> created;
        thread = std::thread([&created, then] {
            const HWND window = CreateWindowEx(0, "AbandonedClass", "", 0, 0, 0, 0, 0, 0, nullptr);
            created.set_value(window);
            WaitMessage();
            then(window);
        });
        hwnd = created.get_future().get();
    }
    ~Abandoning() { thread.join(); }

    HWND hwnd = 0;
    std::thread thread;
};

TEST(SendMessage, AnswersZeroWhenTheWindowGoesBeforeDelivery) {
    Abandoning owner([](HWND hwnd) {
        DestroyWindow(hwnd);
        EXPECT_EQ(DispatchPending(), 0u);
    });
    EXPECT_EQ(SendMessage(owner.hwnd, WM_USER, 0, 0), 0);
}

TEST(SendMessage, AnswersZeroWhenTheThreadEndsBeforeDelivery) {
    HWND hwnd = 0;
    {
        Abandoning owner([](HWND) {});
        hwnd = owner.hwnd;
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
    }
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0); // and at once once it has ended
    EXPECT_FALSE(PostMessage(hwnd, WM_USER, 0, 0));
}

} // namespace
} // namespace plat::win
