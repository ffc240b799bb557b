#include "platform/testing/ManualPipelineClock.h"

#include "platform/media/GstInit.h"

#include <gst/check/gsttestclock.h>

#include <chrono>

namespace plat::media {

namespace {

// How often the thread looks whether it is to stop while nothing waits on the clock.
constexpr guint kPollMs = 20;
// How long nothing new may come to wait before a time that no thread is blocked on is reached. Only
// callbacks wait then (a check that the data has ended), so this is rarely spent.
constexpr guint kSettleMs = 200;

GstTestClock* TestClock(GstClock* clock) {
    return GST_TEST_CLOCK(clock);
}

} // namespace

ManualPipelineClock::ManualPipelineClock() {
    EnsureGstInitialized();
    clock_ = GstRef<GstClock>::Adopt(gst_test_clock_new());
    thread_ = std::thread(&ManualPipelineClock::Run, this);
}

ManualPipelineClock::~ManualPipelineClock() {
    stopping_ = true;
    thread_.join();
}

void ManualPipelineClock::Hold(bool held) {
    std::lock_guard lock(holdMutex_);
    held_ = held;
    released_.notify_all();
}

void ManualPipelineClock::Run() {
    while (!stopping_) {
        Step();
    }
}

void ManualPipelineClock::Step() {
    const Waiting waiting = Look(kPollMs);
    if (!GST_CLOCK_TIME_IS_VALID(waiting.earliest)) {
        return;
    }
    const bool due = waiting.earliest <= Now();
    if (!due && !waiting.blocked && !Settled(waiting)) {
        return;
    }
    if (!due && !MoveTo(waiting.earliest)) {
        return;
    }
    ReleaseDue();
}

// No stream is held: one may be on its way to an earlier wait. Once nothing new came for a moment, the
// time still waited for is reached.
bool ManualPipelineClock::Settled(const Waiting& waiting) const {
    gst_test_clock_timed_wait_for_multiple_pending_ids(TestClock(clock_.get()), waiting.count + 1, kSettleMs,
                                                       nullptr);
    return gst_test_clock_peek_id_count(TestClock(clock_.get())) <= waiting.count &&
           Look(0).earliest == waiting.earliest;
}

bool ManualPipelineClock::MoveTo(GstClockTime time) {
    std::unique_lock lock(holdMutex_);
    if (held_) {
        released_.wait_for(lock, std::chrono::milliseconds(kPollMs), [this] { return !held_; });
        return false;
    }
    gst_test_clock_set_time(TestClock(clock_.get()), time);
    return true;
}

ManualPipelineClock::Waiting ManualPipelineClock::Look(guint timeoutMs) const {
    Waiting waiting;
    GList* pending = nullptr;
    // Its answer is false when more than one waits; the list it fills holds them all.
    gst_test_clock_timed_wait_for_multiple_pending_ids(TestClock(clock_.get()), 1, timeoutMs, &pending);
    GST_OBJECT_LOCK(clock_.get()); // the waiters set their entries' status under it
    for (GList* item = pending; item != nullptr; item = item->next) {
        GstClockEntry* entry = GST_CLOCK_ENTRY(item->data);
        ++waiting.count;
        if (!GST_CLOCK_TIME_IS_VALID(waiting.earliest) || GST_CLOCK_ENTRY_TIME(entry) < waiting.earliest) {
            waiting.earliest = GST_CLOCK_ENTRY_TIME(entry);
        }
        // A thread blocked in a wait marks its entry busy; callbacks' entries stay as they are.
        waiting.blocked = waiting.blocked || GST_CLOCK_ENTRY_STATUS(entry) == GST_CLOCK_BUSY;
    }
    GST_OBJECT_UNLOCK(clock_.get());
    g_list_free_full(pending, reinterpret_cast<GDestroyNotify>(gst_clock_id_unref));
    return waiting;
}

void ManualPipelineClock::ReleaseDue() {
    while (GstClockID released = gst_test_clock_process_next_clock_id(TestClock(clock_.get()))) {
        gst_clock_id_unref(released);
    }
}

} // namespace plat::media
