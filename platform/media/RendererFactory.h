#pragma once
// Makes the renderers that rendering a pin adds to a graph. Each renderer is a bin with one always
// "sink" pad that accepts raw media; an audio renderer carries a GstStreamVolume for the volume.
#include "platform/media/GstRef.h"

namespace plat::media {

class RendererFactory {
public:
    virtual ~RendererFactory() = default;
    virtual ElementRef CreateVideoRenderer() = 0;
    virtual ElementRef CreateAudioRenderer() = 0;
};

} // namespace plat::media
