#pragma once
// The message queue of one thread: messages that other threads send to its windows, messages posted
// to them, and the Qt waker through which the thread's Qt event loop delivers them. Created on a
// thread's first use of messaging; when the thread ends its windows vanish, waiting senders get 0
// and posted messages are dropped.
#include "platform/win/QueuedMessage.h"
#include "platform/win/Types.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <variant>

namespace plat::win {

class QueueWaker;

class ThreadQueue {
public:
    // Made on the owning thread (Current() does it).
    ThreadQueue();
    ~ThreadQueue();
    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    // The calling thread's queue, created on first use; null once it has ended with the thread
    // (for calls from destructors that run as the thread ends).
    static std::shared_ptr<ThreadQueue> Current();
    // True inside a window procedure called for a message sent from another thread.
    static bool InSendMessage();

    std::thread::id OwnerThread() const { return owner_; }
    // The Qt side of the queue; for the owning thread only, null once the thread has ended.
    QueueWaker* Waker() const { return waker_.get(); }

    // False once the thread has ended.
    bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Posts WM_TIMER unless one for the same window and timer is still waiting.
    void PostTimer(HWND hwnd, UINT_PTR id);

    // Called on the sender's thread (caller is its queue): queues the message here and waits for the
    // answer, meanwhile delivering messages that other threads send to the caller. 0 when this
    // thread has ended or the window goes before delivery.
    LRESULT Send(const std::shared_ptr<ThreadQueue>& caller, HWND hwnd, UINT msg, WPARAM wParam,
                 LPARAM lParam);

    // Owning thread only: blocks until done() answers true, meanwhile delivering the messages that
    // other threads send to this thread (not posted ones). done() is asked under the queue's lock,
    // first and again after each delivery and each Wake(); it must not send or post.
    void AwaitDelivering(const std::function<bool()>& done);
    // Makes a thread inside AwaitDelivering ask its done() again.
    void Wake();

    // Forgets the messages for a destroyed window: posted ones are dropped, senders get 0.
    void DropWindow(HWND hwnd);

    // Owning thread only: delivers sent messages, then the messages posted before the call.
    std::size_t DispatchPending();
    std::size_t PendingCount() const;
    // Owning thread only: blocks until a message is waiting.
    void WaitMessage();
    // Called by the waker when the Qt event loop delivers its wake event.
    void OnWake();

    // Called as the owning thread ends.
    void Shutdown();

private:
    using Task = std::variant<std::shared_ptr<SentMessage>, PostedMessage>;

    bool PostLocked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void WakeLocked();
    std::optional<Task> TakeNext(std::uint64_t postedBefore);
    void CompleteReply(SentMessage& message, LRESULT result);
    static bool Deliver(const Task& task);
    static bool DeliverSent(SentMessage& message);
    static void CompleteAll(const std::deque<std::shared_ptr<SentMessage>>& messages);

    const std::thread::id owner_;
    mutable std::mutex mutex_;
    std::condition_variable changed_; // a message arrived, or an answer for this thread's sender
    std::deque<std::shared_ptr<SentMessage>> sent_;
    std::deque<PostedMessage> posted_;
    std::uint64_t postedCount_ = 0;
    bool dead_ = false;
    std::atomic<bool> wakePosted_{false}; // a wake event is on its way through Qt
    std::unique_ptr<QueueWaker> waker_;
};

} // namespace plat::win
