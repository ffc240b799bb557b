#pragma once
// Putting a sample grabber of a graph in front of its video renderer: the grabber asks for the pixel
// format of the capture and is spliced in with the feeding pin blocked.
#include "core/src/graph/TGraphSteps.h"
#include "platform/media/MediaGraph.h"

#include <string>

enum class TGrabberSpliceStage {
    Done,
    NoGrabber, // the filter is not a sample grabber
    MediaType, // the grabber refused the pixel format
    RendererInput,
    NotConnected,
    Disconnect,
    GrabberPins,
    ConnectUpstream,
    ConnectDownstream
};

class TGrabberSplice {
public:
    static constexpr const char* kSampleGrabberClsid = "{C1F400A0-3F08-11D3-9F0B-006008039E37}";

    static TGrabberSpliceStage Splice(plat::media::MediaGraph& graph, const std::string& renderer,
                                      const std::string& grabber, TGrabberSubtype subtype);
    // Raw video caps of the subtype.
    static std::string CapsOf(TGrabberSubtype subtype);
};
