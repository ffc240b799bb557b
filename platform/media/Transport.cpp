#include "platform/media/Transport.h"

#include <gst/audio/streamvolume.h>

#include <cmath>

namespace plat::media {

namespace {

constexpr std::int64_t kNanosecondsPerUnit = 100;

GstStreamVolume* StreamVolume(GstElement* renderer) {
    if (GST_IS_STREAM_VOLUME(renderer)) {
        return GST_STREAM_VOLUME(g_object_ref(renderer));
    }
    if (!GST_IS_BIN(renderer)) {
        return nullptr;
    }
    GstElement* found = gst_bin_get_by_interface(GST_BIN(renderer), GST_TYPE_STREAM_VOLUME);
    return found != nullptr ? GST_STREAM_VOLUME(found) : nullptr;
}

} // namespace

Transport::Transport(MediaGraph& graph, std::chrono::milliseconds timeout)
    : graph_(graph), timeout_(timeout) {}

HResult Transport::Run() {
    const HResult hr = graph_.ChangeState(GST_STATE_PLAYING, timeout_);
    stopped_ = stopped_ && Failed(hr);
    return hr;
}

HResult Transport::Pause() {
    const HResult hr = graph_.ChangeState(GST_STATE_PAUSED, timeout_);
    stopped_ = stopped_ && Failed(hr);
    return hr;
}

HResult Transport::Stop() {
    HResult hr = graph_.ChangeState(GST_STATE_PAUSED, timeout_);
    if (Succeeded(hr)) {
        hr = SeekTo(0, GST_SEEK_FLAG_ACCURATE);
    }
    stopped_ = Succeeded(hr);
    return hr;
}

HResult Transport::GetState(std::chrono::milliseconds timeout, FilterState* state) const {
    if (state == nullptr) {
        return E_POINTER;
    }
    GstState current = GST_STATE_NULL;
    const GstStateChangeReturn result = gst_element_get_state(
        graph_.Pipeline(), &current, nullptr, static_cast<GstClockTime>(timeout.count()) * GST_MSECOND);
    *state = stopped_ || current < GST_STATE_PAUSED ? FilterState::Stopped
             : current == GST_STATE_PLAYING         ? FilterState::Running
                                                    : FilterState::Paused;
    if (result == GST_STATE_CHANGE_FAILURE) {
        return E_FAIL;
    }
    return result == GST_STATE_CHANGE_ASYNC ? VFW_S_STATE_INTERMEDIATE : S_OK;
}

HResult Transport::GetPosition(std::int64_t* position) const {
    if (position == nullptr) {
        return E_POINTER;
    }
    gint64 nanoseconds = 0;
    if (!gst_element_query_position(graph_.Pipeline(), GST_FORMAT_TIME, &nanoseconds)) {
        return E_FAIL;
    }
    *position = nanoseconds / kNanosecondsPerUnit;
    return S_OK;
}

HResult Transport::GetDuration(std::int64_t* duration) const {
    if (duration == nullptr) {
        return E_POINTER;
    }
    gint64 nanoseconds = 0;
    if (!gst_element_query_duration(graph_.Pipeline(), GST_FORMAT_TIME, &nanoseconds) || nanoseconds < 0) {
        return E_FAIL;
    }
    *duration = nanoseconds / kNanosecondsPerUnit;
    return S_OK;
}

HResult Transport::Seek(std::int64_t position, SeekMode mode) {
    std::int64_t duration = 0;
    if (position < 0 || (Succeeded(GetDuration(&duration)) && position > duration)) {
        return E_INVALIDARG;
    }
    const auto accuracy = mode == SeekMode::Accurate
                              ? GST_SEEK_FLAG_ACCURATE
                              : GstSeekFlags(GST_SEEK_FLAG_KEY_UNIT | GST_SEEK_FLAG_SNAP_BEFORE);
    return SeekTo(position, accuracy);
}

HResult Transport::SeekTo(std::int64_t position, GstSeekFlags accuracy) {
    if (graph_.CurrentState(nullptr) < GST_STATE_PAUSED) {
        return VFW_E_WRONG_STATE;
    }
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | accuracy);
    if (!gst_element_seek(graph_.Pipeline(), rate_, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                          position * kNanosecondsPerUnit, GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE)) {
        return E_FAIL;
    }
    return WaitSettled();
}

HResult Transport::WaitSettled() {
    return graph_.WaitForState(graph_.TargetState(), std::chrono::steady_clock::now() + timeout_);
}

HResult Transport::SetRate(double rate) {
    if (!(rate > 0.0) || !std::isfinite(rate)) {
        return E_INVALIDARG;
    }
    std::int64_t position = 0;
    const double previous = rate_;
    rate_ = rate;
    if (graph_.CurrentState(nullptr) < GST_STATE_PAUSED || Failed(GetPosition(&position))) {
        return S_OK; // applied with the next seek
    }
    const HResult hr = SeekTo(position, GST_SEEK_FLAG_ACCURATE);
    if (Failed(hr)) {
        rate_ = previous;
    }
    return hr;
}

double Transport::LinearFromVolume(long volume) {
    return volume <= VOLUME_SILENT ? 0.0 : std::pow(10.0, static_cast<double>(volume) / 2000.0);
}

long Transport::VolumeFromLinear(double linear) {
    if (linear <= 0.0) {
        return VOLUME_SILENT;
    }
    const long volume = std::lround(2000.0 * std::log10(linear));
    return std::clamp(volume, VOLUME_SILENT, VOLUME_FULL);
}

HResult Transport::SetVolume(long volume) {
    if (volume < VOLUME_SILENT || volume > VOLUME_FULL) {
        return E_INVALIDARG;
    }
    HResult hr = E_NOINTERFACE;
    for (GstElement* renderer : graph_.FiltersWithRole(FilterRole::AudioRenderer)) {
        if (GstStreamVolume* control = StreamVolume(renderer)) {
            gst_stream_volume_set_volume(control, GST_STREAM_VOLUME_FORMAT_LINEAR, LinearFromVolume(volume));
            g_object_unref(control);
            hr = S_OK;
        }
    }
    return hr;
}

HResult Transport::GetVolume(long* volume) const {
    if (volume == nullptr) {
        return E_POINTER;
    }
    for (GstElement* renderer : graph_.FiltersWithRole(FilterRole::AudioRenderer)) {
        if (GstStreamVolume* control = StreamVolume(renderer)) {
            *volume =
                VolumeFromLinear(gst_stream_volume_get_volume(control, GST_STREAM_VOLUME_FORMAT_LINEAR));
            g_object_unref(control);
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

HResult Transport::Step(unsigned frames) {
    if (frames == 0) {
        return E_INVALIDARG;
    }
    bool changing = false;
    if (graph_.CurrentState(&changing) != GST_STATE_PAUSED || changing) {
        return VFW_E_WRONG_STATE;
    }
    const auto renderers = graph_.FiltersWithRole(FilterRole::VideoRenderer);
    if (renderers.empty()) {
        return E_NOINTERFACE;
    }
    stopped_ = false;
    for (GstElement* renderer : renderers) {
        gst_element_send_event(renderer, gst_event_new_step(GST_FORMAT_BUFFERS, frames, 1.0, TRUE, FALSE));
    }
    return S_OK;
}

} // namespace plat::media
