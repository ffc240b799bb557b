#pragma once
// Pictures out of the engine's graph as the video surface shows them: the ring of recent frames
// (orders 208 and 400), recorded when the graph has a sample grabber, and the current picture as a
// bitmap file image (order 260). Both follow the frames the renderer presents, never the frames that
// are still on their way to it.
#include "core/src/capture/TFrameGrabber.h"
#include "core/src/engine/TEngineContext.h"
#include "platform/video/VideoSurface.h"

#include <QImage>

namespace plat::media {
class SampleGrabber;
}

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TEngineCapture {
public:
    TEngineCapture(TEngineContext& context, std::shared_ptr<plat::video::VideoSurface> surface);
    ~TEngineCapture();
    TEngineCapture(const TEngineCapture&) = delete;
    TEngineCapture& operator=(const TEngineCapture&) = delete;

    // Records the most recent `capacity` frames shown from now on, in the format the graph's sample
    // grabber negotiated (known once the graph is built, before a frame is shown), rows bottom-up;
    // capacity 0 stops recording. True also when the graph has no sample grabber (nothing is recorded
    // then); false, with nothing recorded, when the grabber has no format yet or the ring refuses the
    // capacity.
    bool StartFrameCapture(std::uint32_t capacity);
    TCaptureStatus GetCapturedFrame(std::uint32_t number, TCapturedFrame* frame);
    // Order 260: the picture as the surface shows it (the frame with the subtitle and message layers
    // mixed over it) as a bitmap file image; false when the graph shows none.
    bool GetCurrentPicture(std::vector<std::uint8_t>* image);

    // Stops recording and frees the ring, once the graph is gone: frames shown until then belong to it.
    void Release();

private:
    // The graph's sample grabber, null without one.
    plat::media::SampleGrabber* Grabber() const;
    // The picture shown now, the one source of order 260's image: the video surface's frame, null when
    // the graph shows none.
    QImage CurrentPicture() const;
    void StopRecording();

    TEngineContext& context_;
    const std::shared_ptr<plat::video::VideoSurface> surface_;
    TFrameGrabber ring_;
    std::optional<plat::video::VideoSurface::ListenerId> recorder_;
    // The surface's frame count when the last graph was released; later frames are the current graph's.
    std::uint64_t framesBeforeGraph_ = 0;
};
