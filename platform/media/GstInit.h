#pragma once

namespace plat::media {

// Initialises GStreamer once per process (thread-safe); every entry point of this layer calls it.
void EnsureGstInitialized();

} // namespace plat::media
