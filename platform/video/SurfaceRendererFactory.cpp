#include "platform/video/SurfaceRendererFactory.h"

#include "platform/video/RendererBin.h"
#include "platform/video/SurfaceSink.h"

#include <cstdlib>
#include <string_view>
#include <utility>

namespace plat::video {

SurfaceRendererFactory::AudioOutput SurfaceRendererFactory::AudioOutputFromEnvironment() {
    const char* sink = std::getenv("TOVRIN_AUDIO_SINK");
    return sink != nullptr && std::string_view(sink) == "fake" ? AudioOutput::Fake : AudioOutput::System;
}

SurfaceRendererFactory::SurfaceRendererFactory(std::shared_ptr<VideoSurface> surface, AudioOutput audio)
    : surface_(std::move(surface)), audio_(audio) {}

plat::media::ElementRef SurfaceRendererFactory::CreateVideoRenderer() {
    return SurfaceSink::Create(surface_);
}

// The volume element is the renderer's GstStreamVolume; the queue decouples it from a demuxer that
// feeds several branches.
plat::media::ElementRef SurfaceRendererFactory::CreateAudioRenderer() {
    return ParseRendererBin(audio_ == AudioOutput::Fake
                                ? "queue ! audioconvert ! audioresample ! volume ! fakeaudiosink sync=true"
                                : "queue ! audioconvert ! audioresample ! volume ! autoaudiosink");
}

} // namespace plat::video
