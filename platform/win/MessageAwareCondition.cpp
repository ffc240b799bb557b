#include "platform/win/MessageAwareCondition.h"

#include "platform/win/ThreadQueue.h"

#include <algorithm>

namespace plat::win {

void MessageAwareCondition::Wait(const std::function<bool()>& done) {
    const auto queue = ThreadQueue::Current();
    if (!queue) {
        // A thread that is ending has no windows left to answer for.
        std::unique_lock lock(mutex_);
        changed_.wait(lock, done);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(queue);
    }
    queue->AwaitDelivering(done);
    const std::lock_guard lock(mutex_);
    waiting_.erase(std::find(waiting_.begin(), waiting_.end(), queue));
}

void MessageAwareCondition::NotifyAll() {
    std::vector<std::shared_ptr<ThreadQueue>> queues;
    {
        const std::lock_guard lock(mutex_);
        queues = waiting_;
        changed_.notify_all();
    }
    for (const auto& queue : queues) {
        queue->Wake();
    }
}

} // namespace plat::win
