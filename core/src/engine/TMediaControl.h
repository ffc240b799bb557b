#pragma once
// The playback controls of a built graph that the transport drives: state changes, position and
// duration in 100 ns units, key-frame seeks, rate, volume in hundredths of a decibel and frame steps.
#include "platform/media/Result.h"
#include "platform/media/Transport.h"

#include <chrono>
#include <cstdint>

class TMediaControl {
public:
    using HResult = plat::media::HResult;

    virtual ~TMediaControl() = default;

    virtual HResult Run() = 0;
    virtual HResult Pause() = 0;
    // Stopped at the start of the media.
    virtual HResult Stop() = 0;
    // S_OK with the state reached, VFW_S_STATE_INTERMEDIATE while a change is still under way.
    virtual HResult GetState(std::chrono::milliseconds timeout, plat::media::FilterState* state) = 0;

    virtual HResult GetCurrentPosition(std::int64_t* position) = 0;
    virtual HResult GetDuration(std::int64_t* duration) = 0;
    // Moves to the key frame at or before the position.
    virtual HResult SetPosition(std::int64_t position) = 0;
    // A positive rate.
    virtual HResult SetRate(double rate) = 0;

    virtual HResult GetVolume(long* volume) = 0;
    virtual HResult SetVolume(long volume) = 0;

    // Whether the graph has a video renderer that can step; Step moves a paused graph on one frame.
    virtual bool CanStep() = 0;
    virtual HResult Step() = 0;
};
