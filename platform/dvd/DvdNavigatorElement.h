#pragma once
// The navigator as a GStreamer element (a bin) that graphs add under the DVD navigator's class id.
// Its output pins come in a fixed order: "video" (with subpictures and highlights drawn in), "audio",
// "subpicture" (a pin that carries no data, kept so that graph descriptions can render it).
#include "platform/dvd/DvdNavigator.h"

#include <gst/gst.h>

namespace plat::dvd {

class DvdNavigatorElement {
public:
    static constexpr const char* kFactoryName = "tovrindvdnav";

    // Adds the element factory to this process's registry (once; later calls do nothing). Filter
    // catalogues made or refreshed afterwards list it.
    static void Register();
    // The navigator of one of our elements; null for any other element.
    static DvdNavigator* Navigator(GstElement* element);
};

} // namespace plat::dvd
