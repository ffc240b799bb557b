#include "platform/media/SampleGrabber.h"

#include "platform/media/ThreadHandOff.h"

#include <memory>

namespace plat::media {

namespace {

constexpr const char* kGrabberKey = "plat-media-sample-grabber";

bool IsLinked(GstElement* element, const char* padName) {
    PadRef pad = PadRef::Adopt(gst_element_get_static_pad(element, padName));
    return pad && gst_pad_is_linked(pad.get());
}

} // namespace

SampleGrabber::SampleGrabber(GstElement* bin, GstElement* filter) : bin_(bin), filter_(filter) {}

ElementRef SampleGrabber::Create() {
    ElementRef bin = ElementRef::Sink(gst_bin_new(nullptr));
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
    if (convert == nullptr || filter == nullptr) {
        return {};
    }
    gst_bin_add_many(GST_BIN(bin.get()), convert, filter, nullptr);
    gst_element_link(convert, filter);
    PadRef input = PadRef::Adopt(gst_element_get_static_pad(convert, "sink"));
    PadRef output = PadRef::Adopt(gst_element_get_static_pad(filter, "src"));
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", input.get()));
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("src", output.get()));

    // The element owns its grabber: it is deleted with the element's data.
    auto owned = std::unique_ptr<SampleGrabber>(new SampleGrabber(bin.get(), filter));
    SampleGrabber* grabber = owned.get();
    g_object_set_data_full(G_OBJECT(bin.get()), kGrabberKey, owned.release(),
                           [](gpointer data) { delete static_cast<SampleGrabber*>(data); });
    HandOver(grabber); // to the streaming thread that runs the probe
    gst_pad_add_probe(output.get(), GST_PAD_PROBE_TYPE_BUFFER, &SampleGrabber::ProbeThunk, grabber, nullptr);
    return bin;
}

SampleGrabber* SampleGrabber::From(GstElement* element) {
    return element != nullptr ? static_cast<SampleGrabber*>(g_object_get_data(G_OBJECT(element), kGrabberKey))
                              : nullptr;
}

HResult SampleGrabber::SetMediaType(const std::string& caps) {
    CapsRef parsed = CapsRef::Adopt(gst_caps_from_string(caps.c_str()));
    if (!parsed || gst_caps_get_size(parsed.get()) != 1 ||
        !gst_structure_has_name(gst_caps_get_structure(parsed.get(), 0), "video/x-raw")) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    if (IsLinked(bin_, "sink") || IsLinked(bin_, "src")) {
        return VFW_E_ALREADY_CONNECTED;
    }
    g_object_set(filter_, "caps", parsed.get(), nullptr);
    return S_OK;
}

HResult SampleGrabber::GetConnectedMediaType(std::string* caps) const {
    if (caps == nullptr) {
        return E_POINTER;
    }
    PadRef output = PadRef::Adopt(gst_element_get_static_pad(filter_, "src"));
    CapsRef current = CapsRef::Adopt(gst_pad_get_current_caps(output.get()));
    if (!current) {
        return VFW_E_NOT_CONNECTED;
    }
    std::unique_ptr<gchar, GFreeDeleter> text(gst_caps_to_string(current.get()));
    *caps = text.get();
    return S_OK;
}

void SampleGrabber::SetCallback(Callback callback) {
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

void SampleGrabber::SetBufferSamples(bool buffer) {
    std::lock_guard lock(mutex_);
    buffering_ = buffer;
}

HResult SampleGrabber::GetCurrentBuffer(std::vector<std::uint8_t>* frame) const {
    if (frame == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (!buffering_) {
        return E_INVALIDARG;
    }
    if (!sampled_) {
        return VFW_E_WRONG_STATE;
    }
    *frame = last_;
    return S_OK;
}

std::uint64_t SampleGrabber::FrameCount() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

bool SampleGrabber::WaitForFrame(std::uint64_t seen, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return framePassed_.wait_for(lock, timeout, [&] { return frames_ > seen; });
}

void SampleGrabber::OnBuffer(GstPad* pad, GstBuffer* buffer) {
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return;
    }
    GstRef<GstEvent> segmentEvent =
        GstRef<GstEvent>::Adopt(gst_pad_get_sticky_event(pad, GST_EVENT_SEGMENT, 0));
    const GstSegment* segment = nullptr;
    if (segmentEvent) {
        gst_event_parse_segment(segmentEvent.get(), &segment);
    }
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    const GstClockTime streamTime = segment != nullptr && GST_CLOCK_TIME_IS_VALID(pts)
                                        ? gst_segment_to_stream_time(segment, GST_FORMAT_TIME, pts)
                                        : pts;
    const std::int64_t time =
        GST_CLOCK_TIME_IS_VALID(streamTime) ? static_cast<std::int64_t>(streamTime) / 100 : 0;
    {
        std::lock_guard lock(mutex_);
        if (buffering_) {
            last_.assign(map.data, map.data + map.size);
            sampled_ = true;
        }
        ++frames_;
    }
    framePassed_.notify_all();
    {
        // A lock of its own, so the callback may ask the grabber for its buffer.
        std::lock_guard lock(callbackMutex_);
        if (callback_) {
            callback_(time, map.data, map.size);
        }
    }
    gst_buffer_unmap(buffer, &map);
}

GstPadProbeReturn SampleGrabber::ProbeThunk(GstPad* pad, GstPadProbeInfo* info, gpointer self) {
    TakeOver(self);
    static_cast<SampleGrabber*>(self)->OnBuffer(pad, GST_PAD_PROBE_INFO_BUFFER(info));
    return GST_PAD_PROBE_OK;
}

} // namespace plat::media
