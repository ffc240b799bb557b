#pragma once
// What a playback engine is built with: the renderers its graphs render to, the folder of the merit
// store and the undo log, and its time limits. The core's defaults are chosen in Default() alone.
#include "platform/media/RendererFactory.h"
#include "platform/video/VideoSurface.h"

#include <chrono>
#include <memory>
#include <string>

struct TEngineSetup {
    std::shared_ptr<plat::media::RendererFactory> renderers;
    // The surface the video renderers present their frames on, for the host to paint; may be null.
    std::shared_ptr<plat::video::VideoSurface> videoSurface;
    std::string filterFolder;
    // How long a build may wait for the graph to preroll.
    std::chrono::milliseconds prerollLimit{10000};
    // How long one state change or seek of a built graph may take.
    std::chrono::milliseconds controlTimeout{5000};

    static TEngineSetup Default();
};
