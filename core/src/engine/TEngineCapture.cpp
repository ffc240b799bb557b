#include "core/src/engine/TEngineCapture.h"

#include "core/src/capture/TBitmapFile.h"
#include "core/src/engine/TGrabberSplice.h"
#include "platform/media/SampleGrabber.h"

using plat::media::Failed;
using plat::media::SampleGrabber;

TEngineCapture::TEngineCapture(TEngineContext& context, TFrameGrabber& ring)
    : context_(context), ring_(ring) {}

SampleGrabber* TEngineCapture::Grabber() {
    if (!context_.graph) {
        return nullptr;
    }
    TEngineGraph& graph = *context_.graph;
    plat::media::MediaGraph& media = graph.Media();
    if (graph.sampleGrabber.empty()) {
        const std::optional<std::string> renderer = graph.VideoRendererName();
        const std::string name = media.UniqueIdentifier("Sample_Grabber");
        if (!renderer ||
            Failed(media.AddFilter(*plat::media::Guid::Parse(TGrabberSplice::kSampleGrabberClsid), name))) {
            return nullptr;
        }
        if (TGrabberSplice::Splice(media, *renderer, name, TGrabberSubtype::Rgb32) !=
            TGrabberSpliceStage::Done) {
            media.RemoveFilter(name);
            return nullptr;
        }
        graph.sampleGrabber = name;
        context_.located.sampleGrabber = true;
    }
    SampleGrabber* grabber = SampleGrabber::From(media.FindFilter(graph.sampleGrabber));
    if (grabber != nullptr) {
        grabber->SetBufferSamples(true);
    }
    return grabber;
}

std::optional<TFrameFormat> TEngineCapture::PassingFormat(SampleGrabber& grabber) {
    std::string caps;
    if (Failed(grabber.GetConnectedMediaType(&caps))) {
        grabber.WaitForFrame(0, kFirstFrameLimit);
        if (Failed(grabber.GetConnectedMediaType(&caps))) {
            return std::nullopt;
        }
    }
    return TFrameFormat::FromCaps(caps);
}

bool TEngineCapture::StartFrameCapture(std::uint32_t capacity) {
    SampleGrabber* grabber = Grabber();
    const std::optional<TFrameFormat> format = grabber != nullptr ? PassingFormat(*grabber) : std::nullopt;
    if (!format) {
        return true;
    }
    if (ring_.Setup(*format, capacity) != TCaptureStatus::Ok) {
        return false;
    }
    grabber->SetCallback([ring = &ring_](std::int64_t time, const std::uint8_t* data, std::size_t size) {
        ring->OnFrame(time, data, size);
    });
    return true;
}

TCaptureStatus TEngineCapture::GetCapturedFrame(std::uint32_t number, TCapturedFrame* frame) {
    return ring_.ReadFrame(number, frame);
}

bool TEngineCapture::GetCurrentPicture(std::vector<std::uint8_t>* image) {
    SampleGrabber* grabber = Grabber();
    const std::optional<TFrameFormat> format = grabber != nullptr ? PassingFormat(*grabber) : std::nullopt;
    std::vector<std::uint8_t> frame;
    if (!format ||
        (Failed(grabber->GetCurrentBuffer(&frame)) &&
         (!grabber->WaitForFrame(0, kFirstFrameLimit) || Failed(grabber->GetCurrentBuffer(&frame))))) {
        return false;
    }
    auto file = TBitmapFile::FromFrame(*format, frame.data(), frame.size());
    if (!file) {
        return false;
    }
    *image = std::move(*file);
    return true;
}
