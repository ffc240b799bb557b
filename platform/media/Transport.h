#pragma once
// Playback control of a graph: run, pause and stop with state waits under a time limit; position and
// duration in 100 ns units; seeking; rate; volume in hundredths of a decibel; frame stepping.
#include "platform/media/MediaGraph.h"

#include <chrono>
#include <cstdint>

namespace plat::media {

enum class FilterState { Stopped = 0, Paused = 1, Running = 2 };
enum class SeekMode { Accurate, KeyFrame };

constexpr long VOLUME_SILENT = -10000;
constexpr long VOLUME_FULL = 0;

class Transport {
public:
    explicit Transport(MediaGraph& graph, std::chrono::milliseconds timeout = std::chrono::seconds(5));

    HResult Run();
    HResult Pause();
    // Paused at the start: links and pads made while data flowed stay as they are.
    HResult Stop();
    // S_OK with the state, or VFW_S_STATE_INTERMEDIATE when a change did not end within the time-out.
    HResult GetState(std::chrono::milliseconds timeout, FilterState* state) const;

    HResult GetPosition(std::int64_t* position) const;
    HResult GetDuration(std::int64_t* duration) const;
    // Flushes and moves to the position; waits until the paused or running graph has settled again.
    HResult Seek(std::int64_t position, SeekMode mode);
    // A positive rate, from the current position on.
    HResult SetRate(double rate);
    double Rate() const { return rate_; }

    // 0 is full volume, -10000 silence; applies to every audio renderer (E_NOINTERFACE when there is none).
    HResult SetVolume(long volume);
    HResult GetVolume(long* volume) const;
    static double LinearFromVolume(long volume);
    static long VolumeFromLinear(double linear);

    // Steps the paused video renderers by frames; EC_STEP_COMPLETE follows when done.
    HResult Step(unsigned frames);

private:
    HResult SeekTo(std::int64_t position, GstSeekFlags accuracy);
    HResult WaitSettled();

    MediaGraph& graph_;
    std::chrono::milliseconds timeout_;
    double rate_ = 1.0;
    bool stopped_ = true;
};

} // namespace plat::media
