#pragma once
// The playback controls of a media graph, through the media layer's transport.
#include "core/src/engine/TMediaControl.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/Transport.h"

class TGstMediaControl : public TMediaControl {
public:
    TGstMediaControl(plat::media::MediaGraph& graph, std::chrono::milliseconds timeout);

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
    bool CanStep() override;
    HResult Step() override;

private:
    plat::media::MediaGraph& graph_;
    plat::media::Transport transport_;
};
