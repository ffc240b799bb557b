#include "platform/win/ThreadQueue.h"

#include "platform/win/HandleTable.h"
#include "platform/win/PeerRegistry.h"
#include "platform/win/QueueWaker.h"
#include "platform/win/Timer.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace plat::win {

namespace {

// Set as the thread's queue ends; being trivial, it stays readable until the thread is gone.
thread_local bool queueEnded = false;
thread_local bool inSendMessage = false;

// Holds the thread's queue and shuts it down as the thread ends.
struct QueueSlot {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueSlot() {
        queueEnded = true;
        if (queue) {
            queue->Shutdown();
        }
    }
};

thread_local QueueSlot currentQueue;

// Marks the procedure calls of one delivery as answering a cross-thread send or not.
class InSendScope {
public:
    explicit InSendScope(bool sent) : saved_(std::exchange(inSendMessage, sent)) {}
    ~InSendScope() { inSendMessage = saved_; }
    InSendScope(const InSendScope&) = delete;
    InSendScope& operator=(const InSendScope&) = delete;

private:
    bool saved_;
};

} // namespace

ThreadQueue::ThreadQueue()
    : owner_(std::this_thread::get_id()), waker_(std::make_unique<QueueWaker>(*this)) {}

ThreadQueue::~ThreadQueue() = default;

std::shared_ptr<ThreadQueue> ThreadQueue::Current() {
    if (queueEnded) {
        return nullptr;
    }
    if (!currentQueue.queue) {
        currentQueue.queue = std::make_shared<ThreadQueue>();
    }
    return currentQueue.queue;
}

bool ThreadQueue::InSendMessage() {
    return inSendMessage;
}

void ThreadQueue::WakeLocked() {
    changed_.notify_all();
    if (waker_ && !wakePosted_.exchange(true)) {
        QCoreApplication::postEvent(waker_.get(), new QEvent(QueueWaker::EventType()));
    }
}

bool ThreadQueue::PostLocked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (dead_) {
        return false;
    }
    posted_.push_back(PostedMessage{hwnd, msg, wParam, lParam, postedCount_++});
    WakeLocked();
    return true;
}

bool ThreadQueue::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(mutex_);
    return PostLocked(hwnd, msg, wParam, lParam);
}

void ThreadQueue::PostTimer(HWND hwnd, UINT_PTR id) {
    std::lock_guard lock(mutex_);
    const bool waiting = std::any_of(posted_.begin(), posted_.end(), [&](const PostedMessage& m) {
        return m.hwnd == hwnd && m.msg == WM_TIMER && m.wParam == id;
    });
    if (!waiting) {
        PostLocked(hwnd, WM_TIMER, id, 0);
    }
}

LRESULT ThreadQueue::Send(const std::shared_ptr<ThreadQueue>& caller, HWND hwnd, UINT msg, WPARAM wParam,
                          LPARAM lParam) {
    const auto message = std::make_shared<SentMessage>(SentMessage{hwnd, msg, wParam, lParam, caller});
    {
        std::lock_guard lock(mutex_);
        if (dead_) {
            return 0;
        }
        sent_.push_back(message);
        WakeLocked();
    }
    // The answer is written under the caller's lock (CompleteReply), which done() is asked under.
    caller->AwaitDelivering([&] { return message->done; });
    return message->result;
}

void ThreadQueue::AwaitDelivering(const std::function<bool()>& done) {
    std::unique_lock lock(mutex_);
    while (!done()) {
        if (sent_.empty()) {
            changed_.wait(lock);
            continue;
        }
        const auto next = std::move(sent_.front());
        sent_.pop_front();
        lock.unlock();
        DeliverSent(*next);
        lock.lock();
    }
}

void ThreadQueue::Wake() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

void ThreadQueue::CompleteReply(SentMessage& message, LRESULT result) {
    std::lock_guard lock(mutex_);
    message.result = result;
    message.done = true;
    changed_.notify_all();
}

void ThreadQueue::CompleteAll(const std::deque<std::shared_ptr<SentMessage>>& messages) {
    for (const auto& message : messages) {
        message->replyTo->CompleteReply(*message, 0);
    }
}

void ThreadQueue::DropWindow(HWND hwnd) {
    std::deque<std::shared_ptr<SentMessage>> dropped;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(posted_, [&](const PostedMessage& m) { return m.hwnd == hwnd; });
        std::deque<std::shared_ptr<SentMessage>> kept;
        for (auto& message : sent_) {
            (message->hwnd == hwnd ? dropped : kept).push_back(std::move(message));
        }
        sent_.swap(kept);
    }
    CompleteAll(dropped);
}

bool ThreadQueue::DeliverSent(SentMessage& message) {
    std::optional<LRESULT> result;
    {
        InSendScope scope(true);
        result =
            HandleTable::Instance().CallProcedure(message.hwnd, message.msg, message.wParam, message.lParam);
    }
    message.replyTo->CompleteReply(message, result.value_or(0));
    return result.has_value();
}

bool ThreadQueue::Deliver(const Task& task) {
    if (const auto* sent = std::get_if<std::shared_ptr<SentMessage>>(&task)) {
        return DeliverSent(**sent);
    }
    const auto& posted = std::get<PostedMessage>(task);
    InSendScope scope(false);
    return HandleTable::Instance()
        .CallProcedure(posted.hwnd, posted.msg, posted.wParam, posted.lParam)
        .has_value();
}

std::optional<ThreadQueue::Task> ThreadQueue::TakeNext(std::uint64_t postedBefore) {
    std::lock_guard lock(mutex_);
    if (!sent_.empty()) {
        auto next = std::move(sent_.front());
        sent_.pop_front();
        return next;
    }
    if (posted_.empty() || posted_.front().sequence >= postedBefore) {
        return std::nullopt;
    }
    const PostedMessage next = posted_.front();
    posted_.pop_front();
    return next;
}

std::size_t ThreadQueue::DispatchPending() {
    std::uint64_t postedBefore = 0;
    {
        std::lock_guard lock(mutex_);
        postedBefore = postedCount_;
    }
    std::size_t delivered = 0;
    while (const auto task = TakeNext(postedBefore)) {
        delivered += Deliver(*task) ? 1 : 0;
    }
    return delivered;
}

std::size_t ThreadQueue::PendingCount() const {
    std::lock_guard lock(mutex_);
    return sent_.size() + posted_.size();
}

void ThreadQueue::WaitMessage() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !sent_.empty() || !posted_.empty(); });
}

void ThreadQueue::OnWake() {
    wakePosted_.store(false);
    DispatchPending();
}

void ThreadQueue::Shutdown() {
    // The windows go first, so that no new message can find them.
    const auto removed = HandleTable::Instance().RemoveWindowsOf(this);
    for (const HWND hwnd : removed) {
        ActiveTimerHost().DisarmAll(hwnd);
    }
    std::deque<std::shared_ptr<SentMessage>> orphans;
    std::unique_ptr<QueueWaker> waker;
    {
        std::lock_guard lock(mutex_);
        dead_ = true;
        orphans.swap(sent_);
        posted_.clear();
        waker = std::move(waker_);
    }
    CompleteAll(orphans);
    for (const HWND hwnd : removed) {
        PeerRegistry::Instance().Unpublish(hwnd);
    }
    // The waker is deleted here, on its own thread, and its Qt timers with it.
}

} // namespace plat::win
