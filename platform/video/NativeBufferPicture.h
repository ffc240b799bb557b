#pragma once
// The native picture behind a scaled frame: a reference to the decoded buffer the renderer scaled,
// converted to the surface's frame format only when someone asks for it (captures, grabs).
#include "platform/video/VideoFrame.h"

#include <gst/gst.h>
#include <gst/video/video.h>

namespace plat::video {

// Keeps a reference to `buffer`, which holds a picture described by `info`.
NativePicture KeepNativeBufferPicture(GstBuffer* buffer, const GstVideoInfo& info);

} // namespace plat::video
