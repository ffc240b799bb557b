#pragma once
// A flush from inside a running pipeline (a jump on a disc) makes its sinks lose their state: they
// preroll again and the pipeline takes them back to playing. GStreamer's bins ignore a sink's loss
// while they are still changing state after an earlier one, so a second flush that comes during
// that change leaves the sink prerolled in paused while the pipeline counts itself playing; and a
// flush that reaches another sink while the bin is taking it to playing makes that sink announce a
// loss it never ends, so the pipeline waits for good to go back to playing. Either way the picture
// stands still for good. This repair watches the sinks' state messages and, when it finds one
// stranded so, brings the pipeline back to playing as the bin would have done.
//
// The checks run on a thread of the repair's own, so that stopping the repair (its destructor) ends
// every check and lets go of every sink it held: nothing of the pipeline outlives its owner's
// teardown because of a check still queued somewhere.
#include "platform/media/GstRef.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace plat::media {

class StrandedSinkRepair {
public:
    // The pipeline is not owned: its owner keeps it until the repair is stopped or destroyed.
    explicit StrandedSinkRepair(GstElement* pipeline);
    ~StrandedSinkRepair();
    StrandedSinkRepair(const StrandedSinkRepair&) = delete;
    StrandedSinkRepair& operator=(const StrandedSinkRepair&) = delete;

    // Called from the pipeline's synchronous bus handler with every message. Queues a check when a
    // sink settled in paused; never blocks.
    void Watch(GstMessage* message);
    // Ends the check under way, drops those queued and joins the thread. Messages watched later are
    // ignored. Call it with the pipeline's state lock free.
    void Stop();

    // Whether the sink sits prerolled in paused, with nothing pending, under a pipeline that is
    // meant to play and either plays or waits for a change that none of its sinks is making.
    static bool IsStranded(GstElement* pipeline, GstElement* sink);

private:
    using Clock = std::chrono::steady_clock;
    struct Check {
        ElementRef sink;
        Clock::time_point due;
        bool again; // the second look at a pipeline that was changing state at the first
    };

    static bool SettledInPause(GstMessage* message);
    void Queue(ElementRef sink, Clock::time_point due, bool again);
    void Run();
    // Waits for the next check that is due; false once stopped.
    bool NextDue(Check* check);
    void Repair(const Check& check);
    // Whether one of the pipeline's sinks (or bins holding sinks) is still changing state.
    static bool AnySinkChanging(GstElement* pipeline);
    // A pipeline that plays: through paused and back, its clock restarted at the sink's frame.
    static void Restart(GstElement* pipeline, GstElement* sink);
    // A pipeline that waits: the losses of state its children announced and will never end are
    // ended for them, and the pipeline goes back to playing as after any loss.
    static void EndForgottenLosses(GstElement* pipeline);
    // The running time of the frame the sink prerolled, or GST_CLOCK_TIME_NONE.
    static GstClockTime PrerolledRunningTime(GstElement* sink);

    GstElement* pipeline_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Check> checks_;
    bool stopped_ = false;
    std::thread thread_;
};

} // namespace plat::media
