#include "platform/audio/GstWaveOut.h"

#include "platform/audio/DoneNotifier.h"
#include "platform/media/GstInit.h"
#include "platform/media/ThreadHandOff.h"

#include <gst/app/gstappsrc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string_view>

namespace plat::audio {
namespace {

using plat::media::ElementRef;

// A written block on its way through the pipeline: done when the last of its buffers is released.
struct BlockInFlight {
    std::shared_ptr<DoneNotifier> notifier;
    std::uintptr_t user;
    std::uint64_t serial;
    std::atomic<int> buffersLeft;
};

void BufferReleased(gpointer data) {
    auto* block = static_cast<BlockInFlight*>(data);
    plat::media::TakeOver(block);
    if (block->buffersLeft.fetch_sub(1) == 1) {
        block->notifier->Post(block->user, block->serial);
        delete block;
    }
}

// Sinks keep the last buffer for their "last-sample" property, which would hold back a block's
// done notice until the next block arrives.
void DropLastSample(GstElement* element) {
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "enable-last-sample") != nullptr) {
        g_object_set(element, "enable-last-sample", FALSE, nullptr);
    }
}

void ElementAdded(GstBin*, GstBin*, GstElement* element, gpointer) {
    DropLastSample(element);
}

// 40 ms of audio in whole frames: short enough that a block is done soon after its end is taken.
std::size_t BufferBytes(const WaveFormat& format) {
    const std::size_t frames = std::max<std::size_t>(1, format.samplesPerSec / 25);
    return frames * format.blockAlign;
}

GstClockTime BytesToTime(std::uint64_t bytes, const WaveFormat& format) {
    return gst_util_uint64_scale(bytes, GST_SECOND, format.avgBytesPerSec);
}

} // namespace

GstWaveOut::Sink GstWaveOut::SinkFromEnvironment() {
    const char* sink = std::getenv("TOVRIN_AUDIO_SINK");
    return sink != nullptr && std::string_view(sink) == "fake" ? Sink::Fake : Sink::System;
}

GstWaveOut::GstWaveOut(Sink sink, bool sync) : sink_(sink), sync_(sync) {}

GstWaveOut::~GstWaveOut() {
    Close();
}

std::string GstWaveOut::PipelineDescription() const {
    std::string description = "appsrc name=source ! audioconvert ! audioresample ! ";
    description += sink_ == Sink::Fake ? "fakeaudiosink" : "autoaudiosink";
    description += " name=sink sync=";
    description += sync_ ? "true" : "false";
    return description;
}

bool GstWaveOut::Open(const WaveFormat& format, DoneHandler onDone) {
    Close();
    std::unique_lock lock(mutex_);
    if (CheckPcmFormat(format) != FormatProblem::None) {
        return false;
    }
    plat::media::EnsureGstInitialized();
    GError* error = nullptr;
    ElementRef pipeline = ElementRef::Sink(gst_parse_launch(PipelineDescription().c_str(), &error));
    if (error != nullptr) {
        g_error_free(error);
        return false;
    }
    g_signal_connect(pipeline.get(), "deep-element-added", G_CALLBACK(ElementAdded), nullptr);
    source_ = ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(pipeline.get()), "source"));
    sinkElement_ = ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(pipeline.get()), "sink"));
    DropLastSample(sinkElement_.get());
    GstCaps* caps = gst_caps_new_simple(
        "audio/x-raw", "format", G_TYPE_STRING, format.bitsPerSample == 8 ? "U8" : "S16LE", "layout",
        G_TYPE_STRING, "interleaved", "rate", G_TYPE_INT, static_cast<int>(format.samplesPerSec), "channels",
        G_TYPE_INT, static_cast<int>(format.channels), nullptr);
    // Unlimited queue: a whole block is pushed at once and pushing must never block the caller.
    g_object_set(source_.get(), "caps", caps, "format", GST_FORMAT_TIME, "max-bytes", guint64{0}, "block",
                 FALSE, nullptr);
    gst_caps_unref(caps);
    pipeline_ = std::move(pipeline);
    notifier_ = std::make_shared<DoneNotifier>(std::move(onDone));
    format_ = format;
    paused_ = false;
    bytesQueued_ = 0;
    if (gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        lock.unlock();
        Close();
        return false;
    }
    return true;
}

std::uint64_t GstWaveOut::Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) {
    std::lock_guard lock(mutex_);
    if (!pipeline_ || length == 0) {
        return 0;
    }
    const std::size_t step = BufferBytes(format_);
    const std::uint64_t serial = nextSerial_++;
    auto* block = new BlockInFlight{notifier_, user, serial, static_cast<int>((length + step - 1) / step)};
    plat::media::HandOver(block);
    for (std::size_t offset = 0; offset < length; offset += step) {
        const std::size_t size = std::min(step, length - offset);
        GstBuffer* buffer =
            gst_buffer_new_wrapped_full(GST_MEMORY_FLAG_READONLY, const_cast<std::uint8_t*>(data + offset),
                                        size, 0, size, block, &BufferReleased);
        GST_BUFFER_PTS(buffer) = BytesToTime(bytesQueued_, format_);
        GST_BUFFER_DURATION(buffer) = BytesToTime(bytesQueued_ + size, format_) - GST_BUFFER_PTS(buffer);
        bytesQueued_ += size;
        // A refused buffer is released at once, which counts as done.
        gst_app_src_push_buffer(GST_APP_SRC(source_.get()), buffer);
    }
    return serial;
}

void GstWaveOut::Pause() {
    std::lock_guard lock(mutex_);
    if (pipeline_) {
        paused_ = true;
        gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
    }
}

void GstWaveOut::Restart() {
    std::lock_guard lock(mutex_);
    if (pipeline_) {
        paused_ = false;
        gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING);
    }
}

// Going down to READY flushes every element and releases every queued buffer; the stream then
// starts again from time 0.
void GstWaveOut::Reset() {
    std::lock_guard lock(mutex_);
    if (!pipeline_) {
        return;
    }
    gst_element_set_state(pipeline_.get(), GST_STATE_READY);
    bytesQueued_ = 0;
    gst_element_set_state(pipeline_.get(), paused_ ? GST_STATE_PAUSED : GST_STATE_PLAYING);
}

// The sink's position, never beyond what was written since the last reset.
std::optional<std::uint64_t> GstWaveOut::PositionBytes() {
    std::lock_guard lock(mutex_);
    if (!pipeline_) {
        return std::nullopt;
    }
    gint64 time = 0;
    if (!gst_element_query_position(pipeline_.get(), GST_FORMAT_TIME, &time) || time < 0) {
        return 0;
    }
    const std::uint64_t bytes =
        gst_util_uint64_scale(static_cast<std::uint64_t>(time), format_.avgBytesPerSec, GST_SECOND);
    return std::min(bytes - bytes % format_.blockAlign, bytesQueued_);
}

// The notifier is ended outside the lock: a done handler that is running may still write.
void GstWaveOut::Close() {
    std::shared_ptr<DoneNotifier> notifier;
    {
        std::lock_guard lock(mutex_);
        if (pipeline_) {
            gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
        }
        sinkElement_ = {};
        source_ = {};
        pipeline_ = {};
        bytesQueued_ = 0;
        notifier = std::move(notifier_);
    }
    // Every buffer has been released by now; the notifier delivers the last notices and ends.
    notifier.reset();
}

GstElement* GstWaveOut::SinkElement() const {
    std::lock_guard lock(mutex_);
    return sinkElement_.get();
}

} // namespace plat::audio
