#pragma once
// A renderer bin from a pipeline description: its elements linked in a row, the first one's free sink
// pad ghosted as the bin's "sink" pad.
#include "platform/media/GstRef.h"

namespace plat::video {

// Null when the description names an element that is missing or cannot be linked.
plat::media::ElementRef ParseRendererBin(const char* description);

} // namespace plat::video
