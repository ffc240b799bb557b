#include "platform/video/SurfaceSink.h"

#include "platform/media/ThreadHandOff.h"
#include "platform/video/NativeBufferPicture.h"
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

// What the appsink's callbacks and the scaler's probe share; they run one at a time on the streaming
// thread.
struct SinkContext {
    std::shared_ptr<VideoSurface> surface;
    ElementRef scaler;            // converts and scales to the appsink's caps
    ElementRef sizeCaps;          // the capsfilter that gives the scaled size, none for the native one
    GstBuffer* shown = nullptr;   // the last buffer presented, referenced so that its address stays unique
    GstBuffer* decoded = nullptr; // the last buffer the scaler took: the native picture of the next one
    QSize scaledTo;               // the size asked of the scaler, empty for the native size

    ~SinkContext() {
        gst_buffer_replace(&shown, nullptr);
        gst_buffer_replace(&decoded, nullptr);
    }
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

// The caps the scaler receives: the stream's own picture.
bool NativeInfo(const SinkContext& context, GstVideoInfo& info) {
    GstPad* pad = gst_element_get_static_pad(context.scaler.get(), "sink");
    GstCaps* caps = gst_pad_get_current_caps(pad);
    const bool known = caps != nullptr && gst_video_info_from_caps(&info, caps);
    if (caps != nullptr) {
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
    return known;
}

// Frames come at the size the surface shows them at from the next one on; the scaler takes the new
// caps at its next buffer.
void FollowShownSize(SinkContext& context) {
    const QSize wanted = context.surface->ShownSize();
    if (wanted == context.scaledTo) {
        return;
    }
    context.scaledTo = wanted;
    GstCaps* caps = gst_caps_from_string(kSinkCaps);
    if (!wanted.isEmpty()) {
        gst_caps_set_simple(caps, "width", G_TYPE_INT, wanted.width(), "height", G_TYPE_INT, wanted.height(),
                            "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
    }
    g_object_set(context.sizeCaps.get(), "caps", caps, nullptr);
    gst_caps_unref(caps);
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
    GstVideoInfo native;
    if (image.isNull() || !NativeInfo(context, native)) {
        GST_ELEMENT_ERROR(sink, STREAM, FAILED, ("The video frame could not be read."), (nullptr));
        return GST_FLOW_ERROR;
    }
    std::optional<NativePicture> picture;
    if (GST_VIDEO_INFO_WIDTH(&native) != image.width() || GST_VIDEO_INFO_HEIGHT(&native) != image.height()) {
        if (context.decoded == nullptr) {
            GST_ELEMENT_ERROR(sink, STREAM, FAILED, ("The video frame could not be read."), (nullptr));
            return GST_FLOW_ERROR;
        }
        picture = KeepNativeBufferPicture(context.decoded, native);
    }
    gst_buffer_replace(&context.shown, buffer);
    context.surface->PresentFrame(std::move(image),
                                  {GST_VIDEO_INFO_PAR_N(&native), GST_VIDEO_INFO_PAR_D(&native)},
                                  StreamTimeOf(sample, buffer), std::move(picture));
    FollowShownSize(context);
    return GST_FLOW_OK;
}

// Each decoded buffer is kept until the next one: the frame made of it may need its native picture.
GstPadProbeReturn KeepDecoded(GstPad*, GstPadProbeInfo* info, gpointer context) {
    media::TakeOver(context);
    gst_buffer_replace(&static_cast<SinkContext*>(context)->decoded, GST_PAD_PROBE_INFO_BUFFER(info));
    return GST_PAD_PROBE_OK;
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
    // The leading queue decouples the renderer from a demuxer that feeds several branches. The scaler
    // converts and scales in one pass, to the size the capsfilter names (the native size at first).
    ElementRef bin = ParseRendererBin(
        "queue ! videoconvertscale name=scaler ! capsfilter name=size ! appsink name=surface");
    if (!bin) {
        return {};
    }
    ElementRef appsink = ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(bin.get()), "surface"));
    CapsRef caps = CapsRef::Adopt(gst_caps_from_string(kSinkCaps));
    g_object_set(appsink.get(), "caps", caps.get(), "sync", TRUE, "qos", TRUE, "max-lateness", kMaxLateness,
                 "enable-last-sample", FALSE, nullptr);
    auto* context = new SinkContext{std::move(surface),
                                    ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(bin.get()), "scaler")),
                                    ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(bin.get()), "size")),
                                    nullptr,
                                    nullptr,
                                    QSize()};
    g_object_set(context->sizeCaps.get(), "caps", caps.get(), nullptr);
    GstPad* scalerSink = gst_element_get_static_pad(context->scaler.get(), "sink");
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = &OnPreroll;
    callbacks.new_sample = &OnSample;
    media::HandOver(context); // to the streaming thread that presents the frames
    gst_pad_add_probe(scalerSink, GST_PAD_PROBE_TYPE_BUFFER, &KeepDecoded, context, nullptr);
    gst_object_unref(scalerSink);
    gst_app_sink_set_callbacks(GST_APP_SINK(appsink.get()), &callbacks, context, &DeleteContext);
    return bin;
}

} // namespace plat::video
