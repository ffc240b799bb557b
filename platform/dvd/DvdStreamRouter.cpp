#include "platform/dvd/DvdStreamRouter.h"

#include "platform/dvd/DvdPresentation.h"
#include "platform/media/ThreadHandOff.h"

#include <gst/app/gstappsrc.h>
#include <gst/video/video-event.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace plat::dvd {

namespace {

using media::CapsRef;
using media::PadRef;

// Read-ahead is kept short, so that jumps are quick and the navigator's events keep close to what
// plays: a little in the appsrc, a third of a second in each branch.
constexpr guint64 kQueuedBytes = 32 * 1024;
constexpr guint64 kQueuedTime = 300 * GST_MSECOND;

GstElement* MakeShortQueue() {
    GstElement* queue = gst_element_factory_make("queue", nullptr);
    if (queue != nullptr) {
        g_object_set(queue, "max-size-time", kQueuedTime, "max-size-bytes", 0u, "max-size-buffers", 0u,
                     nullptr);
    }
    return queue;
}
constexpr const char* kDvdEvent = "application/x-gst-dvd";
constexpr const char* kGeneration = "tovrin-generation";

// The highest-ranked element of the type that takes the caps, or null.
GstElement* MakeBest(GstElementFactoryListType type, GstCaps* caps) {
    GList* all = gst_element_factory_list_get_elements(type, GST_RANK_MARGINAL);
    GList* fitting = gst_element_factory_list_filter(all, caps, GST_PAD_SINK, FALSE);
    fitting = g_list_sort(fitting, gst_plugin_feature_rank_compare_func);
    GstElement* element = fitting != nullptr
                              ? gst_element_factory_create(GST_ELEMENT_FACTORY(fitting->data), nullptr)
                              : nullptr;
    gst_plugin_feature_list_free(fitting);
    gst_plugin_feature_list_free(all);
    return element;
}

bool Link(GstElement* from, GstElement* to) {
    return from != nullptr && to != nullptr && gst_element_link(from, to);
}

} // namespace

DvdStreamRouter::DvdStreamRouter(GstBin* bin) : bin_(bin) {
    Build();
}

DvdStreamRouter::~DvdStreamRouter() {
    if (demuxer_ != nullptr) {
        g_signal_handlers_disconnect_by_data(demuxer_, this);
    }
    if (source_ != nullptr) {
        g_signal_handlers_disconnect_by_data(source_, this);
    }
}

GstElement* DvdStreamRouter::Add(const char* factory, const char* name) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (element != nullptr) {
        gst_bin_add(bin_, element);
    }
    return element;
}

GstPad* DvdStreamRouter::AddGhost(const char* name, GstElement* element, const char* pad) {
    PadRef target = PadRef::Adopt(gst_element_get_static_pad(element, pad));
    GstPadTemplate* templ = gst_element_class_get_pad_template(GST_ELEMENT_GET_CLASS(bin_), name);
    GstPad* ghost = gst_ghost_pad_new_from_template(name, target.get(), templ);
    gst_element_add_pad(GST_ELEMENT(bin_), ghost);
    return ghost;
}

void DvdStreamRouter::Build() {
    source_ = Add("appsrc", "disc");
    demuxer_ = Add("mpegpsdemux", "demuxer");
    videoQueue_ = MakeShortQueue();
    if (videoQueue_ != nullptr) {
        gst_bin_add(bin_, videoQueue_);
    }
    GstElement* videoParser = Add("mpegvideoparse");
    CapsRef mpeg2 =
        CapsRef::Adopt(gst_caps_from_string("video/mpeg, mpegversion=(int)2, systemstream=(boolean)false"));
    GstElement* videoDecoder = AddDecoderFor(mpeg2.get(), GST_ELEMENT_FACTORY_TYPE_DECODER);
    subpictureUnit_ = Add("dvdspu", "subpicture-unit");
    audioSelector_ = Add("input-selector", "audio-selector");
    subpictureSelector_ = Add("input-selector", "subpicture-selector");
    subpicturePlaceholder_ = Add("appsrc", "subpicture-placeholder");
    if (source_ == nullptr || demuxer_ == nullptr || videoQueue_ == nullptr || videoParser == nullptr ||
        videoDecoder == nullptr || subpictureUnit_ == nullptr || audioSelector_ == nullptr ||
        subpictureSelector_ == nullptr || subpicturePlaceholder_ == nullptr) {
        return;
    }
    CapsRef program =
        CapsRef::Adopt(gst_caps_from_string("video/mpeg, mpegversion=(int)2, systemstream=(boolean)true"));
    g_object_set(source_, "caps", program.get(), "format", GST_FORMAT_BYTES, "block", TRUE, "max-bytes",
                 kQueuedBytes, "emit-signals", TRUE, nullptr);
    // The signals and probes run on GStreamer's threads.
    media::HandOver(this);
    g_signal_connect(source_, "need-data", G_CALLBACK(&DvdStreamRouter::NeedDataThunk), this);
    g_signal_connect(demuxer_, "pad-added", G_CALLBACK(&DvdStreamRouter::PadAddedThunk), this);
    // Inactive inputs drop their data at once rather than wait for the active one.
    g_object_set(audioSelector_, "sync-streams", FALSE, nullptr);
    g_object_set(subpictureSelector_, "sync-streams", FALSE, nullptr);
    CapsRef subpictures = CapsRef::Adopt(gst_caps_from_string("subpicture/x-dvd"));
    g_object_set(subpicturePlaceholder_, "caps", subpictures.get(), "format", GST_FORMAT_TIME, nullptr);
    gst_app_src_end_of_stream(GST_APP_SRC(subpicturePlaceholder_));

    PadRef spuInput = PadRef::Adopt(gst_element_get_static_pad(subpictureUnit_, "subpicture"));
    gst_pad_add_probe(spuInput.get(),
                      static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER |
                                                   GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                                   GST_PAD_PROBE_TYPE_EVENT_FLUSH),
                      &DvdStreamRouter::SubpictureProbeThunk, this, nullptr);
    PadRef selectorOutput = PadRef::Adopt(gst_element_get_static_pad(subpictureSelector_, "src"));
    PadRef queued = PadRef::Adopt(gst_element_get_static_pad(videoQueue_, "src"));
    gst_pad_add_probe(queued.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM,
                      &DvdStreamRouter::StaleStillProbeThunk, this, nullptr);
    complete_ = Link(source_, demuxer_) && Link(videoQueue_, videoParser) &&
                Link(videoParser, videoDecoder) &&
                gst_element_link_pads(videoDecoder, "src", subpictureUnit_, "video") &&
                gst_pad_link(selectorOutput.get(), spuInput.get()) == GST_PAD_LINK_OK;
    const auto timeline = static_cast<GstPadProbeType>(
        GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM | GST_PAD_PROBE_TYPE_EVENT_FLUSH);
    GstElement* outputs[] = {subpictureUnit_, audioSelector_};
    for (int i = 0; i < 2; ++i) {
        PadRef pad = PadRef::Adopt(gst_element_get_static_pad(outputs[i], "src"));
        gst_pad_add_probe(pad.get(), timeline, &DvdStreamRouter::TimelineProbeThunk, &outputs_[i], nullptr);
    }
    PadRef demuxerInput = PadRef::Adopt(gst_element_get_static_pad(demuxer_, "sink"));
    gst_pad_add_probe(demuxerInput.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM,
                      &DvdStreamRouter::KeepMarkerThunk, this, nullptr);
    PadRef audioOutput = PadRef::Adopt(gst_element_get_static_pad(audioSelector_, "src"));
    gst_pad_add_probe(audioOutput.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM,
                      &DvdStreamRouter::DropMarkersThunk, nullptr, nullptr);
    videoOutput_ = AddGhost("video", subpictureUnit_, "src");
    AddGhost("audio", audioSelector_, "src");
    AddGhost("subpicture", subpicturePlaceholder_, "src");
}

GstElement* DvdStreamRouter::AddDecoderFor(GstCaps* caps, GstElementFactoryListType type) {
    const GstElementFactoryListType media =
        gst_structure_has_name(gst_caps_get_structure(caps, 0), "video/mpeg")
            ? GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO
            : GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO;
    GstElement* element = MakeBest(type | media, caps);
    if (element != nullptr) {
        gst_bin_add(bin_, element);
    }
    return element;
}

DvdStreamRouter::Branch DvdStreamRouter::Classify(const char* padName) {
    unsigned id = 0;
    if (std::sscanf(padName, "video_%x", &id) == 1) {
        return {Kind::Video, 0};
    }
    if (std::sscanf(padName, "audio_%x", &id) == 1) {
        return {Kind::Audio, static_cast<int>(id & 0x07)};
    }
    if (std::sscanf(padName, "subpicture_%x", &id) == 1 && id >= 0x20 && id < 0x40) {
        return {Kind::Subpicture, static_cast<int>(id - 0x20)};
    }
    return {Kind::Other, 0};
}

void DvdStreamRouter::PadAddedThunk(GstElement*, GstPad* pad, gpointer self) {
    media::TakeOver(self);
    static_cast<DvdStreamRouter*>(self)->OnPadAdded(pad);
}

void DvdStreamRouter::NeedDataThunk(GstElement*, guint, gpointer self) {
    media::TakeOver(self);
    auto* router = static_cast<DvdStreamRouter*>(self);
    std::lock_guard lock(router->drainMutex_);
    router->empty_ = true;
    router->drained_.notify_all();
}

void DvdStreamRouter::OnPadAdded(GstPad* pad) {
    gchar* name = gst_pad_get_name(pad);
    const Branch branch = Classify(name);
    g_free(name);
    switch (branch.kind) {
    case Kind::Video: {
        PadRef input = PadRef::Adopt(gst_element_get_static_pad(videoQueue_, "sink"));
        if (!gst_pad_is_linked(input.get()) && gst_pad_link(pad, input.get()) == GST_PAD_LINK_OK) {
            std::lock_guard lock(mutex_);
            videoLinked_ = true;
            const auto types =
                static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                             GST_PAD_PROBE_TYPE_EVENT_FLUSH);
            gst_pad_add_probe(pad, types, &DvdStreamRouter::StampMarkerThunk, this, nullptr);
        }
        break;
    }
    case Kind::Audio:
        LinkAudio(pad, branch.physical);
        break;
    case Kind::Subpicture:
        LinkSubpicture(pad, branch.physical);
        break;
    case Kind::Other:
        break;
    }
}

// queue ! [parser] ! decoder ! audioconvert ! audioresample into a new input of the audio selector.
void DvdStreamRouter::LinkAudio(GstPad* pad, int physical) {
    CapsRef caps = CapsRef::Adopt(gst_pad_query_caps(pad, nullptr));
    GstElement* queue = MakeShortQueue();
    if (queue != nullptr) {
        gst_bin_add(bin_, queue);
    }
    GstElement* parser = AddDecoderFor(caps.get(), GST_ELEMENT_FACTORY_TYPE_PARSER);
    GstElement* decoder = nullptr;
    if (parser != nullptr) {
        PadRef parsed = PadRef::Adopt(gst_element_get_static_pad(parser, "src"));
        CapsRef parsedCaps = CapsRef::Adopt(gst_pad_query_caps(parsed.get(), nullptr));
        decoder = AddDecoderFor(parsedCaps.get(), GST_ELEMENT_FACTORY_TYPE_DECODER);
    } else {
        decoder = AddDecoderFor(caps.get(), GST_ELEMENT_FACTORY_TYPE_DECODER);
    }
    GstElement* convert = Add("audioconvert");
    GstElement* resample = Add("audioresample");
    PadRef queueInput =
        queue != nullptr ? PadRef::Adopt(gst_element_get_static_pad(queue, "sink")) : PadRef();
    const bool linked = decoder != nullptr && Link(parser != nullptr ? parser : queue, decoder) &&
                        (parser == nullptr || Link(queue, parser)) && Link(decoder, convert) &&
                        Link(convert, resample);
    GstPad* input = linked ? gst_element_request_pad_simple(audioSelector_, "sink_%u") : nullptr;
    PadRef output = linked ? PadRef::Adopt(gst_element_get_static_pad(resample, "src")) : PadRef();
    if (input == nullptr || gst_pad_link(output.get(), input) != GST_PAD_LINK_OK ||
        gst_pad_link(pad, queueInput.get()) != GST_PAD_LINK_OK) {
        GST_WARNING_OBJECT(bin_, "no decoder for audio stream %d", physical);
        return;
    }
    for (GstElement* element : {queue, parser, decoder, convert, resample}) {
        if (element != nullptr) {
            gst_element_sync_state_with_parent(element);
        }
    }
    std::lock_guard lock(mutex_);
    audioPads_[physical] = input;
    gst_object_unref(input); // the selector keeps its pad
    if (physical == audio_ || audioPads_.size() == 1) {
        g_object_set(audioSelector_, "active-pad", input, nullptr);
    }
}

void DvdStreamRouter::LinkSubpicture(GstPad* pad, int physical) {
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &DvdStreamRouter::DropMarkersThunk, nullptr,
                      nullptr);
    GstElement* queue = Add("queue");
    GstPad* input = gst_element_request_pad_simple(subpictureSelector_, "sink_%u");
    PadRef queueInput = PadRef::Adopt(gst_element_get_static_pad(queue, "sink"));
    PadRef queueOutput = PadRef::Adopt(gst_element_get_static_pad(queue, "src"));
    if (input == nullptr || gst_pad_link(queueOutput.get(), input) != GST_PAD_LINK_OK ||
        gst_pad_link(pad, queueInput.get()) != GST_PAD_LINK_OK) {
        return;
    }
    gst_element_sync_state_with_parent(queue);
    std::lock_guard lock(mutex_);
    subpicturePads_[physical] = input;
    gst_object_unref(input);
    if (physical == subpicture_ || subpicturePads_.size() == 1) {
        g_object_set(subpictureSelector_, "active-pad", input, nullptr);
    }
}

void DvdStreamRouter::Activate(GstElement* selector, std::map<int, GstPad*>& pads, int physical) {
    const auto it = pads.find(physical);
    if (it != pads.end()) {
        g_object_set(selector, "active-pad", it->second, nullptr);
    }
}

void DvdStreamRouter::SelectAudio(int physical) {
    std::lock_guard lock(mutex_);
    audio_ = physical;
    Activate(audioSelector_, audioPads_, physical);
}

void DvdStreamRouter::SelectSubpicture(int physical) {
    std::lock_guard lock(mutex_);
    subpicture_ = physical;
    Activate(subpictureSelector_, subpicturePads_, physical);
}

void DvdStreamRouter::PushEvent(GstEvent* event) {
    gst_element_send_event(source_, event);
}

void DvdStreamRouter::SetRate(double rate) {
    rate_.store(rate);
}

GstPadProbeReturn DvdStreamRouter::DropMarkersThunk(GstPad*, GstPadProbeInfo* info, gpointer) {
    return DvdPresentation::IsMarker(GST_PAD_PROBE_INFO_EVENT(info)) ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

GstPadProbeReturn DvdStreamRouter::KeepMarkerThunk(GstPad*, GstPadProbeInfo* info, gpointer self) {
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    auto* router = static_cast<DvdStreamRouter*>(self);
    std::lock_guard lock(router->mutex_);
    if (!router->videoLinked_ && DvdPresentation::IsMarker(event)) {
        router->heldMarker_ = media::GstRef<GstEvent>::Share(event);
    }
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn DvdStreamRouter::StampMarkerThunk(GstPad* pad, GstPadProbeInfo* info, gpointer self) {
    auto* router = static_cast<DvdStreamRouter*>(self);
    if ((info->type & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
        const GstClockTime timestamp = GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info));
        media::GstRef<GstEvent> marker;
        if (GST_CLOCK_TIME_IS_VALID(timestamp)) {
            std::lock_guard lock(router->mutex_);
            marker = std::move(router->heldMarker_);
        }
        if (marker) {
            gst_pad_push_event(pad, DvdPresentation::Stamped(marker.get(), timestamp));
        }
        return GST_PAD_PROBE_OK;
    }
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) {
        std::lock_guard lock(router->mutex_);
        router->heldMarker_ = {}; // it came before data that is gone
        return GST_PAD_PROBE_OK;
    }
    if (!DvdPresentation::IsMarker(event) || DvdPresentation::IsStamped(event)) {
        return GST_PAD_PROBE_OK;
    }
    std::lock_guard lock(router->mutex_);
    router->heldMarker_ = media::GstRef<GstEvent>::Share(event);
    return GST_PAD_PROBE_DROP;
}

GstPadProbeReturn DvdStreamRouter::TimelineProbeThunk(GstPad* pad, GstPadProbeInfo* info, gpointer output) {
    Output& out = *static_cast<Output*>(output);
    return out.router->OnOutput(pad, info, out);
}

GstPadProbeReturn DvdStreamRouter::OnOutput(GstPad* pad, GstPadProbeInfo* info, Output& output) {
    if ((info->type & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
        const GstClockTime first = GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info));
        GstSegment segment;
        {
            std::lock_guard lock(timelineMutex_);
            if (!output.held) {
                return GST_PAD_PROBE_OK;
            }
            segment = *std::exchange(output.held, std::nullopt);
            output.fresh = false;
            if (!timelineStart_) {
                timelineStart_ = GST_CLOCK_TIME_IS_VALID(first) ? first : segment.start;
            }
            if (*timelineStart_ > segment.start) {
                segment.time += *timelineStart_ - segment.start;
                segment.start = *timelineStart_;
                segment.position = segment.start;
            }
        }
        gst_pad_push_event(pad, gst_event_new_segment(&segment));
        return GST_PAD_PROBE_OK;
    }
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_FLUSH_START: {
        std::lock_guard lock(timelineMutex_);
        timelineStart_.reset();
        return GST_PAD_PROBE_OK;
    }
    case GST_EVENT_FLUSH_STOP: {
        std::lock_guard lock(timelineMutex_);
        output.fresh = true;
        output.held.reset();
        return GST_PAD_PROBE_OK;
    }
    case GST_EVENT_SEGMENT:
        break;
    default:
        return GST_PAD_PROBE_OK;
    }
    GstSegment segment;
    gst_event_copy_segment(event, &segment);
    segment.rate = rate_.load();
    if (segment.format == GST_FORMAT_TIME) {
        std::lock_guard lock(timelineMutex_);
        if (output.fresh) {
            output.held = segment; // given with the first frame
            return GST_PAD_PROBE_DROP;
        }
    }
    GstEvent* paced = gst_event_new_segment(&segment);
    gst_event_set_seqnum(paced, gst_event_get_seqnum(event));
    gst_event_unref(event);
    GST_PAD_PROBE_INFO_DATA(info) = paced;
    return GST_PAD_PROBE_OK;
}

GstFlowReturn DvdStreamRouter::PushBlock(const std::uint8_t* data, std::size_t size) {
    {
        std::lock_guard lock(drainMutex_);
        empty_ = false;
    }
    GstBuffer* buffer = gst_buffer_new_memdup(data, size);
    return gst_app_src_push_buffer(GST_APP_SRC(source_), buffer);
}

void DvdStreamRouter::FlushStart() {
    ++generation_;
    gst_element_send_event(source_, gst_event_new_flush_start());
    std::lock_guard lock(drainMutex_);
    empty_ = true; // what was queued is gone
    drained_.notify_all();
}

void DvdStreamRouter::FlushStop() {
    gst_element_send_event(source_, gst_event_new_flush_stop(TRUE));
    std::lock_guard lock(drainMutex_);
    empty_ = true;
}

bool DvdStreamRouter::WaitUntilDrained() {
    std::unique_lock lock(drainMutex_);
    drained_.wait(lock, [this] { return empty_ || cancelled_; });
    return !cancelled_;
}

void DvdStreamRouter::CancelWaits() {
    std::lock_guard lock(drainMutex_);
    cancelled_ = true;
    drained_.notify_all();
}

void DvdStreamRouter::ResumeWaits() {
    std::lock_guard lock(drainMutex_);
    cancelled_ = false;
}

void DvdStreamRouter::SendStill(bool still) {
    PadRef output = PadRef::Adopt(gst_element_get_static_pad(source_, "src"));
    GstEvent* event = gst_video_event_new_still_frame(still);
    gst_structure_set(gst_event_writable_structure(event), kGeneration, G_TYPE_UINT, generation_.load(),
                      nullptr);
    gst_pad_push_event(output.get(), event);
}

GstPadProbeReturn DvdStreamRouter::StaleStillProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self) {
    media::TakeOver(self);
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    gboolean still = FALSE;
    guint generation = 0;
    if (gst_video_event_parse_still_frame(event, &still) && still &&
        gst_structure_get_uint(gst_event_get_structure(event), kGeneration, &generation) &&
        generation != static_cast<DvdStreamRouter*>(self)->generation_.load()) {
        return GST_PAD_PROBE_DROP;
    }
    return GST_PAD_PROBE_OK;
}

// A flushing input refuses the event: what dvdspu was told is given again before its next data.
void DvdStreamRouter::SendToSubpictureUnit(GstStructure* structure) {
    PadRef input = PadRef::Adopt(gst_element_get_static_pad(subpictureUnit_, "subpicture"));
    if (!gst_pad_send_event(input.get(), gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM_OOB, structure))) {
        replay_ = true;
    }
}

GstPadProbeReturn DvdStreamRouter::SubpictureProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self) {
    media::TakeOver(self);
    static_cast<DvdStreamRouter*>(self)->OnSubpictureData(info);
    return GST_PAD_PROBE_OK;
}

void DvdStreamRouter::OnSubpictureData(GstPadProbeInfo* info) {
    std::lock_guard lock(unitMutex_);
    if ((info->type & (GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM | GST_PAD_PROBE_TYPE_EVENT_FLUSH)) != 0) {
        const GstEventType type = GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info));
        replay_ = replay_ || type == GST_EVENT_CAPS || type == GST_EVENT_FLUSH_STOP;
        return;
    }
    if (!std::exchange(replay_, false)) {
        return;
    }
    if (haveColours_) {
        SendColoursLocked();
    }
    SendShownLocked();
    if (highlighted_) {
        SendHighlightLocked();
    }
}

void DvdStreamRouter::ShowSubpictures(bool shown) {
    std::lock_guard lock(unitMutex_);
    shown_ = shown;
    SendShownLocked();
}

void DvdStreamRouter::SendShownLocked() {
    SendToSubpictureUnit(gst_structure_new(kDvdEvent, "event", G_TYPE_STRING, "dvd-set-subpicture-track",
                                           "forced-only", G_TYPE_BOOLEAN, !shown_, nullptr));
}

void DvdStreamRouter::SendColourTable(const std::uint32_t (&colours)[16]) {
    std::lock_guard lock(unitMutex_);
    std::copy(std::begin(colours), std::end(colours), colours_);
    haveColours_ = true;
    SendColoursLocked();
}

void DvdStreamRouter::SendColoursLocked() {
    GstStructure* structure =
        gst_structure_new(kDvdEvent, "event", G_TYPE_STRING, "dvd-spu-clut-change", nullptr);
    for (int i = 0; i < 16; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "clut%02d", i);
        gst_structure_set(structure, name, G_TYPE_INT, static_cast<gint>(colours_[i]), nullptr);
    }
    SendToSubpictureUnit(structure);
}

void DvdStreamRouter::SendHighlight(const DvdHighlight& highlight) {
    std::lock_guard lock(unitMutex_);
    highlight_ = highlight;
    highlighted_ = true;
    SendHighlightLocked();
}

void DvdStreamRouter::SendHighlightLocked() {
    GST_INFO_OBJECT(bin_, "highlight of button %d: palette %08x, (%d,%d)-(%d,%d)", highlight_.button,
                    highlight_.palette, highlight_.startX, highlight_.startY, highlight_.endX,
                    highlight_.endY);
    SendToSubpictureUnit(
        gst_structure_new(kDvdEvent, "event", G_TYPE_STRING, "dvd-spu-highlight", "button", G_TYPE_INT,
                          highlight_.button, "palette", G_TYPE_INT, static_cast<gint>(highlight_.palette),
                          "sx", G_TYPE_INT, highlight_.startX, "sy", G_TYPE_INT, highlight_.startY, "ex",
                          G_TYPE_INT, highlight_.endX, "ey", G_TYPE_INT, highlight_.endY, nullptr));
}

void DvdStreamRouter::ResetHighlight() {
    std::lock_guard lock(unitMutex_);
    highlighted_ = false;
    SendToSubpictureUnit(
        gst_structure_new(kDvdEvent, "event", G_TYPE_STRING, "dvd-spu-reset-highlight", nullptr));
}

} // namespace plat::dvd
