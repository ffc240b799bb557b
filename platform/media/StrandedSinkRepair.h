#pragma once
// A flush from inside a running pipeline (a jump on a disc) makes its sinks lose their state: they
// preroll again and the pipeline takes them back to playing. GStreamer's bins ignore a sink's loss
// while they are still changing state after an earlier one, so a second flush that comes during
// that change leaves the sink prerolled in paused while the pipeline counts itself playing: the
// picture stands still for good. This repair watches the sinks' state messages and, when it finds
// one stranded so, takes the pipeline through paused and back with its clock restarted at the
// sink's first frame, as the bin would have done.
#include <gst/gst.h>

namespace plat::media {

class StrandedSinkRepair {
public:
    // Called from the pipeline's synchronous bus handler with every message. Schedules a check off
    // the streaming thread when a sink settled in paused; never blocks.
    static void Watch(GstElement* pipeline, GstMessage* message);

    // Whether the sink sits prerolled in paused, with nothing pending, under a pipeline that is
    // playing and meant to play. Holds the pipeline's state lock for a consistent view.
    static bool IsStranded(GstElement* pipeline, GstElement* sink);

private:
    static bool SettledInPause(GstMessage* message);
    static void Repair(GstElement* sink, gpointer pipeline);
    // The running time of the frame the sink prerolled, or GST_CLOCK_TIME_NONE.
    static GstClockTime PrerolledRunningTime(GstElement* sink);
};

} // namespace plat::media
