#pragma once
// Pictures out of the engine's graph: the ring of recent frames (orders 208 and 400) and the current
// picture as a bitmap file image (order 260), both through the graph's sample grabber. A graph
// without one gets a grabber spliced in front of its video renderer when it is first asked.
#include "core/src/capture/TFrameGrabber.h"
#include "core/src/engine/TEngineContext.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace plat::media {
class SampleGrabber;
}

class TEngineCapture {
public:
    // How long a capture waits for the first frame through a new grabber.
    static constexpr std::chrono::milliseconds kFirstFrameLimit{5000};

    TEngineCapture(TEngineContext& context, TFrameGrabber& ring);

    // Records the most recent `capacity` frames from now on. True also when the graph has no video to
    // record (nothing is recorded then); false for a capacity the ring refuses.
    bool StartFrameCapture(std::uint32_t capacity);
    TCaptureStatus GetCapturedFrame(std::uint32_t number, TCapturedFrame* frame);
    bool GetCurrentPicture(std::vector<std::uint8_t>* image);

private:
    // The graph's sample grabber, spliced in when there is none; null when none can be had.
    plat::media::SampleGrabber* Grabber();
    // The format of the frames passing the grabber, waiting for the first one when needed.
    std::optional<TFrameFormat> PassingFormat(plat::media::SampleGrabber& grabber);

    TEngineContext& context_;
    TFrameGrabber& ring_;
};
