#pragma once
// A flush from inside a running pipeline (a jump on a disc) makes its sinks lose their state: they
// preroll again and the pipeline takes them back to playing. GStreamer's bins ignore a sink's loss
// while they are still changing state after an earlier one, so a second flush that comes during
// that change leaves the sink prerolled in paused while the pipeline counts itself playing; and a
// flush that reaches another sink while the bin is taking it to playing makes that sink announce a
// loss it never ends, so the pipeline waits for good to go back to playing. Either way the picture
// stands still for good. This repair watches the sinks' state messages and, when it finds one
// stranded so, brings the pipeline back to playing as the bin would have done.
#include <gst/gst.h>

namespace plat::media {

class StrandedSinkRepair {
public:
    // Called from the pipeline's synchronous bus handler with every message. Schedules a check off
    // the streaming thread when a sink settled in paused; never blocks.
    static void Watch(GstElement* pipeline, GstMessage* message);

    // Whether the sink sits prerolled in paused, with nothing pending, under a pipeline that is
    // meant to play and either plays or waits for a change that none of its sinks is making.
    // Holds the pipeline's state lock for a consistent view.
    static bool IsStranded(GstElement* pipeline, GstElement* sink);

private:
    struct Look;
    static void Schedule(GstElement* sink, GstElement* pipeline, bool again);
    static void Forget(gpointer look);
    static bool SettledInPause(GstMessage* message);
    // Whether one of the pipeline's sinks (or bins holding sinks) is still changing state.
    static bool AnySinkChanging(GstElement* pipeline);
    static void Repair(GstElement* sink, gpointer pipeline);
    // A pipeline that plays: through paused and back, its clock restarted at the sink's frame.
    static void Restart(GstElement* pipeline, GstElement* sink);
    // A pipeline still changing state is looked at again a moment later, off the clock's thread.
    static void LookAgainLater(GstElement* sink, GstElement* pipeline);
    // A pipeline that waits: the losses of state its children announced and will never end are
    // ended for them, and the pipeline goes back to playing as after any loss.
    static void EndForgottenLosses(GstElement* pipeline);
    // The running time of the frame the sink prerolled, or GST_CLOCK_TIME_NONE.
    static GstClockTime PrerolledRunningTime(GstElement* sink);
};

} // namespace plat::media
