#include "platform/video/SurfaceSink.h"

#include "platform/media/ThreadHandOff.h"
#include "platform/video/RendererBin.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <chrono>
#include <optional>
#include <utility>

namespace plat::video {

namespace {

using plat::media::CapsRef;
using plat::media::ElementRef;

// The surface's frame format as GStreamer names its memory layout.
constexpr const char* kSinkCaps =
    G_BYTE_ORDER == G_LITTLE_ENDIAN ? "video/x-raw,format=BGRx" : "video/x-raw,format=xRGB";
// As a video sink: frames more than this late are dropped, and upstream hears of it (QoS).
constexpr GstClockTimeDiff kMaxLateness = 20 * GST_MSECOND;

// What the appsink's callbacks share; they run one at a time on the streaming thread.
struct SinkContext {
    std::shared_ptr<VideoSurface> surface;
    GstBuffer* shown = nullptr; // the last buffer presented, referenced so that its address stays unique

    ~SinkContext() { gst_buffer_replace(&shown, nullptr); }
};

void UnmapFrame(void* mapped) {
    auto* frame = static_cast<GstVideoFrame*>(mapped);
    gst_video_frame_unmap(frame);
    delete frame;
}

// A view of the buffer's picture that keeps the buffer mapped for as long as the image lives.
QImage MapImage(GstBuffer* buffer, const GstVideoInfo& info) {
    auto* frame = new GstVideoFrame;
    if (!gst_video_frame_map(frame, &info, buffer, GST_MAP_READ)) {
        delete frame;
        return {};
    }
    QImage image(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(frame, 0)),
                 GST_VIDEO_FRAME_WIDTH(frame), GST_VIDEO_FRAME_HEIGHT(frame),
                 GST_VIDEO_FRAME_PLANE_STRIDE(frame, 0), VideoSurface::kFrameFormat, &UnmapFrame, frame);
    if (image.isNull()) {
        UnmapFrame(frame); // a null image never calls its clean-up
    }
    return image;
}

// Where the buffer starts in its stream, by the segment it came in.
std::optional<std::chrono::nanoseconds> StreamTimeOf(GstSample* sample, GstBuffer* buffer) {
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    const GstSegment* segment = gst_sample_get_segment(sample);
    if (!GST_CLOCK_TIME_IS_VALID(pts) || segment == nullptr || segment->format != GST_FORMAT_TIME) {
        return std::nullopt;
    }
    const GstClockTime time = gst_segment_to_stream_time(segment, GST_FORMAT_TIME, pts);
    if (!GST_CLOCK_TIME_IS_VALID(time)) {
        return std::nullopt;
    }
    return std::chrono::nanoseconds(time);
}

GstFlowReturn Present(GstAppSink* sink, GstSample* sample, SinkContext& context) {
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    // Going to PLAYING renders the buffer that was shown at preroll again: it is no new frame.
    if (buffer == nullptr || buffer == context.shown) {
        return GST_FLOW_OK;
    }
    GstVideoInfo info;
    QImage image;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) {
        image = MapImage(buffer, info);
    }
    if (image.isNull()) {
        GST_ELEMENT_ERROR(sink, STREAM, FAILED, ("The video frame could not be read."), (nullptr));
        return GST_FLOW_ERROR;
    }
    gst_buffer_replace(&context.shown, buffer);
    context.surface->PresentFrame(std::move(image),
                                  {GST_VIDEO_INFO_PAR_N(&info), GST_VIDEO_INFO_PAR_D(&info)},
                                  StreamTimeOf(sample, buffer));
    return GST_FLOW_OK;
}

GstFlowReturn OnPreroll(GstAppSink* sink, gpointer context) {
    media::TakeOver(context);
    GstSample* sample = gst_app_sink_pull_preroll(sink);
    if (sample == nullptr) {
        return GST_FLOW_FLUSHING;
    }
    const GstFlowReturn result = Present(sink, sample, *static_cast<SinkContext*>(context));
    gst_sample_unref(sample);
    return result;
}

GstFlowReturn OnSample(GstAppSink* sink, gpointer context) {
    media::TakeOver(context);
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (sample == nullptr) {
        return GST_FLOW_FLUSHING;
    }
    const GstFlowReturn result = Present(sink, sample, *static_cast<SinkContext*>(context));
    gst_sample_unref(sample);
    return result;
}

void DeleteContext(gpointer context) {
    media::TakeOver(context);
    delete static_cast<SinkContext*>(context);
}

} // namespace

ElementRef SurfaceSink::Create(std::shared_ptr<VideoSurface> surface) {
    if (!surface) {
        return {};
    }
    // The leading queue decouples the renderer from a demuxer that feeds several branches.
    ElementRef bin = ParseRendererBin("queue ! videoconvert ! appsink name=surface");
    if (!bin) {
        return {};
    }
    ElementRef appsink = ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(bin.get()), "surface"));
    CapsRef caps = CapsRef::Adopt(gst_caps_from_string(kSinkCaps));
    g_object_set(appsink.get(), "caps", caps.get(), "sync", TRUE, "qos", TRUE, "max-lateness", kMaxLateness,
                 "enable-last-sample", FALSE, nullptr);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = &OnPreroll;
    callbacks.new_sample = &OnSample;
    auto* context = new SinkContext{std::move(surface)};
    media::HandOver(context); // to the streaming thread that presents the frames
    gst_app_sink_set_callbacks(GST_APP_SINK(appsink.get()), &callbacks, context, &DeleteContext);
    return bin;
}

} // namespace plat::video
