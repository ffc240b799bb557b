#include "platform/dvd/DvdPresentation.h"

#include <chrono>
#include <utility>

namespace plat::dvd {

namespace {

using media::GraphEvent;
using media::PadRef;

constexpr const char* kMarker = "application/x-tovrin-dvd-place";
// Pads followed at most from the navigator to the sink, so that a looped graph cannot hold us.
constexpr int kMaxHops = 64;

std::uint32_t SecondOf(std::int64_t ticks) {
    return static_cast<std::uint32_t>(ticks / kDvdTicksPerSecond);
}

// The single source pad of an element, or null when it has none or several.
PadRef OnlyOutput(GstElement* element) {
    if (element == nullptr || element->numsrcpads != 1) {
        return {};
    }
    GST_OBJECT_LOCK(element);
    PadRef output = PadRef::Share(GST_PAD(element->srcpads->data));
    GST_OBJECT_UNLOCK(element);
    return output;
}

} // namespace

DvdPresentation::DvdPresentation(Reporter report) : report_(std::move(report)) {}

DvdPresentation::~DvdPresentation() {
    Detach();
}

GstEvent* DvdPresentation::Marker(const DvdPlace& place, std::uint64_t* number) {
    std::uint64_t sequence = 0;
    {
        std::lock_guard lock(mutex_);
        sequence = ++made_;
    }
    if (number != nullptr) {
        *number = sequence;
    }
    GstStructure* structure = gst_structure_new(
        kMarker, "sequence", G_TYPE_UINT64, static_cast<guint64>(sequence), "domain", G_TYPE_UINT,
        static_cast<guint>(place.domain), "title", G_TYPE_UINT, place.title, "chapter", G_TYPE_UINT,
        place.chapter, "ticks", G_TYPE_INT64, static_cast<gint64>(place.ticks), "flags", G_TYPE_UINT,
        place.timeCodeFlags, nullptr);
    return gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM, structure);
}

bool DvdPresentation::IsMarker(GstEvent* event) {
    const GstStructure* structure = event != nullptr ? gst_event_get_structure(event) : nullptr;
    return structure != nullptr && gst_structure_has_name(structure, kMarker);
}

void DvdPresentation::ShowNow(const DvdPlace& place) {
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        shown_ = made_;
        anchorTicks_ = -1;
        anchorTimestamp_.reset();
        ShowLocked(place, events);
    }
    Deliver(events);
}

void DvdPresentation::Reset() {
    std::lock_guard lock(mutex_);
    shown_ = made_;
    place_ = {};
    anchorTicks_ = -1;
    anchorTimestamp_.reset();
    reportedSecond_ = ~0u;
}

void DvdPresentation::SetTimeEvents(bool on) {
    std::lock_guard lock(mutex_);
    timeEvents_ = on;
}

DvdPlace DvdPresentation::Shown() const {
    std::lock_guard lock(mutex_);
    return place_;
}

void DvdPresentation::WaitShown(std::uint64_t marker) {
    constexpr auto kLongest = std::chrono::seconds(3);
    std::unique_lock lock(mutex_);
    const std::uint64_t flushes = flushes_;
    changed_.wait_for(lock, kLongest, [&] { return shown_ >= marker || flushes_ != flushes || cancelled_; });
}

void DvdPresentation::CancelWaits() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
}

void DvdPresentation::ResumeWaits() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
}

PadRef DvdPresentation::FindSinkInput(GstPad* output) {
    PadRef pad = PadRef::Share(output);
    for (int hop = 0; hop < kMaxHops && pad; ++hop) {
        PadRef input = PadRef::Adopt(gst_pad_get_peer(pad.get()));
        if (!input) {
            return {};
        }
        // The peer of a pad leaving a bin is the inside of the bin's ghost pad: go on from the ghost.
        if (GST_IS_PROXY_PAD(input.get()) && GST_PAD_DIRECTION(input.get()) == GST_PAD_SINK) {
            GstProxyPad* ghost = gst_proxy_pad_get_internal(GST_PROXY_PAD(input.get()));
            if (ghost != nullptr && GST_IS_GHOST_PAD(ghost)) {
                pad = PadRef::Adopt(GST_PAD(ghost));
                continue;
            }
            if (ghost != nullptr) {
                gst_object_unref(ghost);
            }
        }
        // A bin's input leads to the input of the element inside.
        while (GST_IS_GHOST_PAD(input.get())) {
            PadRef target = PadRef::Adopt(gst_ghost_pad_get_target(GST_GHOST_PAD(input.get())));
            if (!target) {
                return input;
            }
            input = std::move(target);
        }
        media::ElementRef element = media::ElementRef::Adopt(gst_pad_get_parent_element(input.get()));
        PadRef next = OnlyOutput(element.get());
        if (!next) {
            return input; // a sink, or an element that splits the stream: as far as it can be followed
        }
        pad = std::move(next);
    }
    return {};
}

void DvdPresentation::Attach(GstPad* videoOutput) {
    Detach();
    PadRef watched = FindSinkInput(videoOutput);
    if (!watched) {
        watched = PadRef::Share(videoOutput);
    }
    const auto types = static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST |
                                                    GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                                    GST_PAD_PROBE_TYPE_EVENT_FLUSH);
    const gulong probe = gst_pad_add_probe(watched.get(), types, &DvdPresentation::ProbeThunk, this, nullptr);
    std::lock_guard lock(attachMutex_);
    watched_ = std::move(watched);
    probe_ = probe;
}

void DvdPresentation::Detach() {
    std::lock_guard lock(attachMutex_);
    if (watched_ && probe_ != 0) {
        gst_pad_remove_probe(watched_.get(), probe_);
    }
    watched_ = {};
    probe_ = 0;
}

GstPadProbeReturn DvdPresentation::ProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self) {
    auto* presentation = static_cast<DvdPresentation*>(self);
    if ((info->type & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
        presentation->OnFrame(GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info)));
    } else if ((info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) != 0) {
        GstBufferList* list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
        if (gst_buffer_list_length(list) > 0) {
            presentation->OnFrame(GST_BUFFER_PTS(gst_buffer_list_get(list, 0)));
        }
    } else if (GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info)) {
        if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) {
            presentation->OnFlushed();
        } else if (IsMarker(event)) {
            presentation->OnMarker(*gst_event_get_structure(event));
        }
    }
    return GST_PAD_PROBE_OK;
}

void DvdPresentation::OnMarker(const GstStructure& marker) {
    guint64 sequence = 0;
    guint domain = 0;
    DvdPlace place;
    gint64 ticks = -1;
    if (!gst_structure_get_uint64(&marker, "sequence", &sequence) ||
        !gst_structure_get_uint(&marker, "domain", &domain) ||
        !gst_structure_get_uint(&marker, "title", &place.title) ||
        !gst_structure_get_uint(&marker, "chapter", &place.chapter) ||
        !gst_structure_get_int64(&marker, "ticks", &ticks) ||
        !gst_structure_get_uint(&marker, "flags", &place.timeCodeFlags)) {
        return;
    }
    place.domain = static_cast<DvdDomain>(domain);
    place.ticks = ticks;
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        if (sequence <= shown_) {
            return; // made before a place that was shown at once
        }
        shown_ = sequence;
        anchorTicks_ = place.ticks;
        anchorTimestamp_.reset();
        ShowLocked(place, events);
        changed_.notify_all();
    }
    Deliver(events);
}

void DvdPresentation::OnFrame(GstClockTime timestamp) {
    if (!GST_CLOCK_TIME_IS_VALID(timestamp)) {
        return;
    }
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        if (anchorTicks_ < 0 || place_.domain != DvdDomain::Title) {
            return;
        }
        if (!anchorTimestamp_) {
            anchorTimestamp_ = timestamp;
        }
        // Frames shown before the first one of the unit (reordered pictures) count from the marker.
        const GstClockTime since = timestamp > *anchorTimestamp_ ? timestamp - *anchorTimestamp_ : 0;
        CountTimeLocked(anchorTicks_ + static_cast<std::int64_t>(gst_util_uint64_scale(
                                           since, static_cast<guint64>(kDvdTicksPerSecond), GST_SECOND)),
                        events);
    }
    Deliver(events);
}

// Timestamps start over after a flush: the next marker gives the time again.
void DvdPresentation::OnFlushed() {
    std::lock_guard lock(mutex_);
    anchorTicks_ = -1;
    anchorTimestamp_.reset();
    ++flushes_;
    changed_.notify_all();
}

void DvdPresentation::ShowLocked(const DvdPlace& place, std::vector<GraphEvent>& events) {
    if (place.domain != place_.domain) {
        events.push_back({EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(place.domain), 0, {}});
    }
    if (place.domain == DvdDomain::Title && place.title > 0) {
        if (place.title != place_.title) {
            events.push_back({EC_DVD_TITLE_CHANGE, place.title, 0, {}});
            place_.chapter = 0;
            reportedSecond_ = ~0u;
        }
        if (place.chapter > 0 && place.chapter != place_.chapter) {
            events.push_back({EC_DVD_CHAPTER_START, place.chapter, 0, {}});
        }
    }
    const std::int64_t ticks = place_.domain == place.domain && place_.title == place.title ? place_.ticks : -1;
    place_ = place;
    place_.ticks = ticks;
    if (place.domain != DvdDomain::Title) {
        place_.title = 0;
        place_.chapter = 0;
        reportedSecond_ = ~0u;
    } else if (place.ticks >= 0) {
        CountTimeLocked(place.ticks, events);
    }
}

void DvdPresentation::CountTimeLocked(std::int64_t ticks, std::vector<GraphEvent>& events) {
    place_.ticks = ticks;
    if (timeEvents_ && SecondOf(ticks) != reportedSecond_) {
        reportedSecond_ = SecondOf(ticks);
        events.push_back({EC_DVD_CURRENT_HMSF_TIME, DvdTimeCode::FromTicks(ticks, place_.timeCodeFlags).Packed(),
                          place_.timeCodeFlags, {}});
    }
}

void DvdPresentation::Deliver(const std::vector<GraphEvent>& events) const {
    if (!events.empty() && report_) {
        report_(events);
    }
}

} // namespace plat::dvd
