#pragma once
// The audio output over GStreamer: appsrc ! audioconvert ! audioresample ! the audio sink (the
// system's, or fakeaudiosink when no sound card may be used). Each written block is pushed as short
// buffers that wrap its memory without copying; the block is done when GStreamer has released the
// last of them, that is when the sink has taken all of it (see WaveOut.h for what that means with a
// sound server). Done notices run on a thread of the output's own.
#include "platform/audio/WaveOut.h"
#include "platform/media/GstRef.h"

#include <memory>
#include <mutex>
#include <string>

namespace plat::audio {

class DoneNotifier;

class GstWaveOut : public WaveOut {
public:
    enum class Sink {
        System, // autoaudiosink
        Fake,   // fakeaudiosink: nothing reaches a device
    };
    // Fake when the environment variable TOVRIN_AUDIO_SINK is "fake" (as under CTest), else System.
    static Sink SinkFromEnvironment();

    // `sync` false lets a fake sink take the audio as fast as it comes (tests of what arrives).
    explicit GstWaveOut(Sink sink = SinkFromEnvironment(), bool sync = true);
    ~GstWaveOut() override;

    bool Open(const WaveFormat& format, DoneHandler onDone) override;
    std::uint64_t Write(const std::uint8_t* data, std::size_t length, std::uintptr_t user) override;
    void Pause() override;
    void Restart() override;
    void Reset() override;
    std::optional<std::uint64_t> PositionBytes() override;
    void Close() override;

    // The sink element while open (tests watch what reaches it); nullptr while closed.
    GstElement* SinkElement() const;

private:
    std::string PipelineDescription() const;

    const Sink sink_;
    const bool sync_;
    mutable std::mutex mutex_;
    plat::media::ElementRef pipeline_;
    plat::media::ElementRef source_;
    plat::media::ElementRef sinkElement_;
    std::shared_ptr<DoneNotifier> notifier_;
    WaveFormat format_;
    bool paused_ = false;
    std::uint64_t bytesQueued_ = 0; // since the last open or reset: the next buffer's time stamp
    std::uint64_t nextSerial_ = 1;
};

} // namespace plat::audio
