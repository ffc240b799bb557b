#pragma once
// The renderers of real playback: video into a VideoSurface, audio to the system's sound output (or,
// for tests and machines without sound, to a sink that only keeps time).
#include "platform/media/RendererFactory.h"
#include "platform/video/VideoSurface.h"

#include <memory>

namespace plat::video {

class SurfaceRendererFactory : public plat::media::RendererFactory {
public:
    enum class AudioOutput { System, Fake };

    // Fake when the environment variable TOVRIN_AUDIO_SINK is "fake", else System.
    static AudioOutput AudioOutputFromEnvironment();

    explicit SurfaceRendererFactory(std::shared_ptr<VideoSurface> surface,
                                    AudioOutput audio = AudioOutputFromEnvironment());

    plat::media::ElementRef CreateVideoRenderer() override;
    plat::media::ElementRef CreateAudioRenderer() override;

    AudioOutput Audio() const { return audio_; }

private:
    std::shared_ptr<VideoSurface> surface_;
    AudioOutput audio_;
};

} // namespace plat::video
