#include "platform/media/GraphEventQueue.h"

namespace plat::media {

void GraphEventQueue::SetNotifier(std::function<void()> notifier) {
    std::lock_guard lock(mutex_);
    notifier_ = std::move(notifier);
}

void GraphEventQueue::Push(GraphEvent event) {
    std::function<void()> notifier;
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
        notifier = notifier_;
    }
    changed_.notify_all();
    if (notifier) {
        notifier();
    }
}

std::optional<GraphEvent> GraphEventQueue::TryPop() {
    return WaitPop(std::chrono::milliseconds(0));
}

std::optional<GraphEvent> GraphEventQueue::WaitPop(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !events_.empty(); })) {
        return std::nullopt;
    }
    GraphEvent event = std::move(events_.front());
    events_.pop_front();
    return event;
}

std::optional<GraphEvent> GraphEventQueue::WaitFor(long code, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        auto event = WaitPop(std::max(left, std::chrono::milliseconds(0)));
        if (!event || event->code == code) {
            return event;
        }
    }
}

} // namespace plat::media
