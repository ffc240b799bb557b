#include "core/src/engine/TGrabberSplice.h"

#include "platform/media/SampleGrabber.h"

using plat::media::Failed;
using plat::media::SpliceStage;

namespace {

TGrabberSpliceStage StageOf(SpliceStage stage) {
    switch (stage) {
    case SpliceStage::Done:
        return TGrabberSpliceStage::Done;
    case SpliceStage::RendererInput:
        return TGrabberSpliceStage::RendererInput;
    case SpliceStage::NotConnected:
        return TGrabberSpliceStage::NotConnected;
    case SpliceStage::Disconnect:
        return TGrabberSpliceStage::Disconnect;
    case SpliceStage::FilterPins:
        return TGrabberSpliceStage::GrabberPins;
    case SpliceStage::ConnectUpstream:
        return TGrabberSpliceStage::ConnectUpstream;
    case SpliceStage::ConnectDownstream:
        return TGrabberSpliceStage::ConnectDownstream;
    }
    return TGrabberSpliceStage::ConnectDownstream;
}

} // namespace

std::string TGrabberSplice::CapsOf(TGrabberSubtype subtype) {
    switch (subtype) {
    case TGrabberSubtype::Rgb8:
        return "video/x-raw,format=RGB8P";
    case TGrabberSubtype::Rgb555:
        return "video/x-raw,format=RGB15";
    case TGrabberSubtype::Rgb24:
        return "video/x-raw,format=BGR";
    case TGrabberSubtype::Rgb32:
        break;
    }
    return "video/x-raw,format=BGRx";
}

TGrabberSpliceStage TGrabberSplice::Splice(plat::media::MediaGraph& graph, const std::string& renderer,
                                           const std::string& grabber, TGrabberSubtype subtype) {
    plat::media::SampleGrabber* sampleGrabber = plat::media::SampleGrabber::From(graph.FindFilter(grabber));
    if (sampleGrabber == nullptr) {
        return TGrabberSpliceStage::NoGrabber;
    }
    if (Failed(sampleGrabber->SetMediaType(CapsOf(subtype)))) {
        return TGrabberSpliceStage::MediaType;
    }
    return StageOf(graph.InsertBefore(renderer, grabber).stage);
}
