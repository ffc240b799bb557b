#pragma once
// Graph events filled from the pipeline's bus on any thread and drained on the host thread. The
// notifier is called after each push (the host posts itself a message there).
#include "platform/media/GraphEvent.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace plat::media {

class GraphEventQueue {
public:
    void SetNotifier(std::function<void()> notifier);
    void Push(GraphEvent event);
    std::optional<GraphEvent> TryPop();
    // Waits for the next event up to the time-out.
    std::optional<GraphEvent> WaitPop(std::chrono::milliseconds timeout);
    // Waits up to the time-out for an event with the code, dropping the events before it.
    std::optional<GraphEvent> WaitFor(long code, std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<GraphEvent> events_;
    std::function<void()> notifier_;
};

} // namespace plat::media
