#pragma once
// The video renderer that feeds a VideoSurface: a bin with one always "sink" pad taking raw video of
// any format, converted to the surface's frame format and handed over in time with the pipeline clock,
// the preroll frame included.
#include "platform/media/GstRef.h"
#include "platform/video/VideoSurface.h"

#include <memory>

namespace plat::video {

class SurfaceSink {
public:
    // The bin keeps the surface alive while its streaming thread may still present to it. Null when an
    // element is missing.
    static plat::media::ElementRef Create(std::shared_ptr<VideoSurface> surface);
};

} // namespace plat::video
