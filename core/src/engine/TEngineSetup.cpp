#include "core/src/engine/TEngineSetup.h"

#include "core/src/framework/TCoreModule.h"
#include "platform/video/SurfaceRendererFactory.h"
#include "platform/win/Library.h"

// Video goes to a video surface that the host paints; audio to the system's sound output.
TEngineSetup TEngineSetup::Default() {
    TEngineSetup setup;
    setup.videoSurface = std::make_shared<plat::video::VideoSurface>();
    setup.renderers = std::make_shared<plat::video::SurfaceRendererFactory>(setup.videoSurface);
    setup.filterFolder = TCoreModule::FolderOf(
        plat::win::ModuleFileNameOf(reinterpret_cast<const void*>(&TEngineSetup::Default)));
    return setup;
}
