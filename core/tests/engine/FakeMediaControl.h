#pragma once
// Playback controls that only record what the transport asks of them. Each state read moves a manual
// time on by the read's time-out, as a real wait would.
#include "core/src/engine/TMediaControl.h"

#include <chrono>
#include <string>
#include <vector>

class FakeMediaControl : public TMediaControl {
public:
    HResult Run() override;
    HResult Pause() override;
    HResult Stop() override;
    HResult GetState(std::chrono::milliseconds timeout, plat::media::FilterState* state) override;
    HResult GetCurrentPosition(std::int64_t* position) override;
    HResult GetDuration(std::int64_t* duration) override;
    HResult SetPosition(std::int64_t position) override;
    HResult SetRate(double rate) override;
    HResult GetVolume(long* volume) override;
    HResult SetVolume(long volume) override;
    bool CanStep() override { return true; }
    HResult Step() override;

    std::chrono::steady_clock::time_point Now() const { return now_; }

    std::vector<std::string> calls;
    std::vector<std::int64_t> seeks; // positions of SetPosition, 100 ns units
    std::int64_t positionMs = 0;
    bool positionFails = false;
    bool stateNeverSettles = false;
    double rate = 1.0;
    long volume = 0;

private:
    plat::media::FilterState state_ = plat::media::FilterState::Stopped;
    std::chrono::steady_clock::time_point now_{};
};
