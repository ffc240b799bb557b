#pragma once
// A manual clock for pipeline tests: a GStreamer test clock that the pipeline runs on, moved on by a
// thread of its own. The clock stands still while the pipeline works and moves on to the next time
// waited for only while a thread of the pipeline is blocked on the clock (a sink holding its next
// frame): what the pipeline shows at a clock time then does not depend on how fast the machine runs
// it. A time that only callbacks wait for is reached once nothing new has come to wait for a moment,
// since the streams may still bring an earlier one. A test holds the clock to act at a clock time of
// its choice: the pipeline runs up to what is due then and waits.
#include "platform/media/GstRef.h"

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace plat::media {

class ManualPipelineClock {
public:
    ManualPipelineClock();
    ~ManualPipelineClock();
    ManualPipelineClock(const ManualPipelineClock&) = delete;
    ManualPipelineClock& operator=(const ManualPipelineClock&) = delete;

    GstClock* Clock() const { return clock_.get(); }
    GstClockTime Now() const { return gst_clock_get_time(clock_.get()); }
    // Stops the clock where it is, or lets it move on again. Any thread may call it, the pipeline's
    // callbacks too.
    void Hold(bool held);

private:
    // The earliest time waited for, whether a thread is blocked on it or a later one, and how many waits.
    struct Waiting {
        GstClockTime earliest = GST_CLOCK_TIME_NONE;
        bool blocked = false;
        guint count = 0;
    };

    void Run();
    // One move: waits for something to wait on the clock, moves the clock to it when the pipeline has
    // settled, and releases everything due.
    void Step();
    // Whether nothing new came to wait while the pipeline had a moment to bring it.
    bool Settled(const Waiting& waiting) const;
    // Moves the clock on unless it is held (then waits a little for the release); false when held.
    bool MoveTo(GstClockTime time);
    // What waits on the clock, once something does or the time is up.
    Waiting Look(guint timeoutMs) const;
    void ReleaseDue();

    GstRef<GstClock> clock_;
    std::atomic<bool> stopping_{false};
    std::mutex holdMutex_;
    std::condition_variable released_;
    bool held_ = false;
    std::thread thread_;
};

} // namespace plat::media
