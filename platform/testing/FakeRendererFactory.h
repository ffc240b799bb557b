#pragma once
#include "platform/media/RendererFactory.h"

namespace plat::media {

// Renderers that consume the data in time with the clock without a display or a sound card.
class FakeRendererFactory : public RendererFactory {
public:
    ElementRef CreateVideoRenderer() override;
    ElementRef CreateAudioRenderer() override;
};

} // namespace plat::media
