#include "DvdPlayback.h"

#include <cstring>

namespace plat::dvd::test {

using media::GraphEvent;

namespace {

// The frame of a sample, its rows copied without padding.
Frame FrameOf(GstSample* sample) {
    Frame frame;
    const GstStructure* caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    gst_structure_get_int(caps, "width", &frame.width);
    gst_structure_get_int(caps, "height", &frame.height);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    frame.time = GST_BUFFER_PTS(buffer);
    GstMapInfo map;
    if (frame.height > 0 && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        const std::size_t stride = static_cast<std::size_t>(frame.width) * 4;
        frame.pixels.resize(stride * frame.height);
        const std::size_t sourceStride = map.size / frame.height; // rows may be padded
        for (int row = 0; row < frame.height; ++row) {
            std::memcpy(&frame.pixels[row * stride], map.data + row * sourceStride, stride);
        }
        gst_buffer_unmap(buffer, &map);
    }
    return frame;
}

} // namespace

std::uint32_t Frame::Rgb(int x, int y) const {
    const std::uint8_t* pixel = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    return (pixel[0] << 16) | (pixel[1] << 8) | pixel[2];
}

int Frame::Brightness(int x, int y) const {
    const std::uint32_t rgb = Rgb(x, y);
    return static_cast<int>(((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)) / 3;
}

DvdPlayback::DvdPlayback(PipelineClock clock) {
    DvdNavigatorElement::Register();
    pipeline_ = media::ElementRef::Sink(gst_pipeline_new(nullptr));
    if (clock == PipelineClock::Manual) {
        manualClock_ = std::make_unique<media::ManualPipelineClock>();
        clock_ = media::GstRef<GstClock>::Share(manualClock_->Clock());
    } else {
        clock_ = media::GstRef<GstClock>::Adopt(gst_system_clock_obtain());
    }
    gst_pipeline_use_clock(GST_PIPELINE(pipeline_.get()), clock_.get());
    // As the program's graphs do: a sink that a jump's flush left prerolled under a playing pipeline
    // is brought back to playing (the backward scan flushes in quick succession).
    media::BusRef bus = media::BusRef::Adopt(gst_pipeline_get_bus(GST_PIPELINE(pipeline_.get())));
    repair_ = std::make_unique<media::StrandedSinkRepair>(pipeline_.get());
    gst_bus_set_sync_handler(bus.get(), &DvdPlayback::OnBusMessage, repair_.get(), nullptr);
    element_ = gst_element_factory_make(DvdNavigatorElement::kFactoryName, nullptr);
    GstElement* videoConvert = gst_element_factory_make("videoconvert", nullptr);
    videoSink_ = gst_element_factory_make("appsink", nullptr);
    GstElement* audioConvert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* audioResample = gst_element_factory_make("audioresample", nullptr);
    audioSink_ = gst_element_factory_make("appsink", nullptr);
    gst_bin_add_many(GST_BIN(pipeline_.get()), element_, videoConvert, videoSink_, audioConvert,
                     audioResample, audioSink_, nullptr);
    media::CapsRef video = media::CapsRef::Adopt(gst_caps_from_string("video/x-raw, format=RGBx"));
    media::CapsRef audio =
        media::CapsRef::Adopt(gst_caps_from_string("audio/x-raw, format=S16LE, channels=1, rate=48000"));
    g_object_set(videoSink_, "caps", video.get(), "max-buffers", 2u, "drop", TRUE, "sync", TRUE, nullptr);
    g_object_set(audioSink_, "caps", audio.get(), "max-buffers", 8u, "drop", TRUE, "sync",
                 clock == PipelineClock::System, nullptr);
    GstAppSinkCallbacks shown{};
    shown.new_sample = &DvdPlayback::ShownThunk;
    gst_app_sink_set_callbacks(GST_APP_SINK(videoSink_), &shown, this, nullptr);
    gst_element_link_pads(element_, "video", videoConvert, "sink");
    gst_element_link(videoConvert, videoSink_);
    gst_element_link_pads(element_, "audio", audioConvert, "sink");
    gst_element_link_many(audioConvert, audioResample, audioSink_, nullptr);
    navigator_ = DvdNavigatorElement::Navigator(element_);
    navigator_->SetEventListener([this](const GraphEvent& event) {
        {
            std::lock_guard lock(historyMutex_);
            history_.push_back({event, Now(), history_.size()});
            if (holdWhen_ && holdWhen_(event)) {
                manualClock_->Hold(true);
                holdWhen_ = nullptr;
            }
        }
        events_.Push(event);
    });
}

DvdPlayback::~DvdPlayback() {
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    repair_->Stop();
    media::BusRef bus = media::BusRef::Adopt(gst_pipeline_get_bus(GST_PIPELINE(pipeline_.get())));
    gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
}

bool DvdPlayback::Play() {
    if (gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        return false;
    }
    return gst_element_get_state(pipeline_.get(), nullptr, nullptr, 5 * GST_SECOND) ==
           GST_STATE_CHANGE_SUCCESS;
}

std::optional<GraphEvent> DvdPlayback::WaitFor(long code, std::chrono::milliseconds timeout) {
    return events_.WaitFor(code, timeout);
}

bool DvdPlayback::WaitFor(long code, std::int64_t first, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::optional<GraphEvent> event = events_.WaitFor(code, left);
        if (event && event->param1 == first) {
            return true;
        }
    }
    return false;
}

std::optional<Frame> DvdPlayback::NextFrame(std::chrono::milliseconds timeout) {
    while (GstSample* stale = gst_app_sink_try_pull_sample(GST_APP_SINK(videoSink_), 0)) {
        gst_sample_unref(stale);
    }
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(videoSink_), timeout.count() * GST_MSECOND);
    if (sample == nullptr) {
        return std::nullopt;
    }
    Frame frame = FrameOf(sample);
    gst_sample_unref(sample);
    return frame;
}

void DvdPlayback::WatchShown(std::vector<FrameTest> tests) {
    std::lock_guard lock(shownMutex_);
    shownAt_.assign(tests.size(), std::nullopt);
    awaited_ = std::move(tests);
}

std::vector<std::optional<GstClockTime>> DvdPlayback::WhenShown(std::chrono::milliseconds timeout) {
    std::unique_lock lock(shownMutex_);
    shownChanged_.wait_for(lock, timeout, [this] { return awaited_.empty(); });
    awaited_.clear();
    return shownAt_;
}

GstBusSyncReply DvdPlayback::OnBusMessage(GstBus*, GstMessage* message, gpointer repair) {
    static_cast<media::StrandedSinkRepair*>(repair)->Watch(message);
    return GST_BUS_PASS;
}

GstFlowReturn DvdPlayback::ShownThunk(GstAppSink*, gpointer self) {
    static_cast<DvdPlayback*>(self)->OnShown();
    return GST_FLOW_OK;
}

// The sink calls this as it shows a frame, which is its last sample then.
void DvdPlayback::OnShown() {
    const GstClockTime at = Now();
    std::lock_guard lock(shownMutex_);
    GstSample* sample = nullptr;
    if (!awaited_.empty()) {
        g_object_get(videoSink_, "last-sample", &sample, nullptr);
    }
    if (sample == nullptr) {
        return;
    }
    const Frame frame = FrameOf(sample);
    gst_sample_unref(sample);
    bool all = true;
    for (std::size_t i = 0; i < awaited_.size(); ++i) {
        if (!shownAt_[i] && awaited_[i](frame)) {
            shownAt_[i] = at;
        }
        all = all && shownAt_[i].has_value();
    }
    if (all) {
        awaited_.clear(); // what was waited for has come
        shownChanged_.notify_all();
    }
}

void DvdPlayback::HoldClockWhenTold(std::function<bool(const GraphEvent&)> accepts) {
    std::lock_guard lock(historyMutex_);
    if (manualClock_) {
        holdWhen_ = std::move(accepts);
    }
}

void DvdPlayback::ReleaseClock() {
    if (manualClock_) {
        manualClock_->Hold(false);
    }
}

std::size_t DvdPlayback::ToldCount() const {
    std::lock_guard lock(historyMutex_);
    return history_.size();
}

std::vector<Told> DvdPlayback::History(long code) const {
    std::lock_guard lock(historyMutex_);
    std::vector<Told> told;
    for (const Told& entry : history_) {
        if (entry.event.code == code) {
            told.push_back(entry);
        }
    }
    return told;
}

double DvdPlayback::NextToneFrequency() {
    while (GstSample* stale = gst_app_sink_try_pull_sample(GST_APP_SINK(audioSink_), 0)) {
        gst_sample_unref(stale);
    }
    // The first 50 ms may still hold what played before; the next 200 ms are measured.
    constexpr std::size_t skipped = 2400;
    std::vector<std::int16_t> samples;
    while (samples.size() < skipped + 9600) {
        GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(audioSink_), GST_SECOND);
        if (sample == nullptr) {
            return 0;
        }
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            const auto* data = reinterpret_cast<const std::int16_t*>(map.data);
            samples.insert(samples.end(), data, data + map.size / 2);
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
    }
    int crossings = 0;
    for (std::size_t i = skipped + 1; i < samples.size(); ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    return crossings / 2.0 * 48000.0 / static_cast<double>(samples.size() - skipped);
}

} // namespace plat::dvd::test
