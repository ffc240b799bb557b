#include "core/src/engine/TEngineCapture.h"

#include "core/src/capture/TBitmapFile.h"

#include <utility>

using plat::video::VideoFrame;
using plat::video::VideoSurface;

namespace {

// The surface keeps its frames as tightly packed 32-bit rows.
std::optional<TFrameFormat> FormatOf(const QImage& image) {
    if (image.isNull() || image.format() != VideoSurface::kFrameFormat) {
        return std::nullopt;
    }
    return TFrameFormat::FromGeometry(image.width(), image.height(), image.depth());
}

// Stream time in the ring's 100 ns units; a frame without a time counts as 0.
std::int64_t RingTime(const VideoFrame& frame) {
    return frame.streamTime ? frame.streamTime->count() / 100 : 0;
}

} // namespace

TEngineCapture::TEngineCapture(TEngineContext& context, std::shared_ptr<VideoSurface> surface)
    : context_(context), surface_(std::move(surface)) {}

TEngineCapture::~TEngineCapture() {
    StopRecording();
}

QImage TEngineCapture::CurrentPicture() const {
    if (!context_.graph || !context_.located.basicVideo || !surface_) {
        return {};
    }
    const VideoFrame frame = surface_->Frame();
    return frame.number > framesBeforeGraph_ ? frame.NativeImage() : QImage();
}

bool TEngineCapture::StartFrameCapture(std::uint32_t capacity) {
    const QImage shown =
        context_.graph && !context_.graph->sampleGrabber.empty() ? CurrentPicture() : QImage();
    const std::optional<TFrameFormat> format = FormatOf(shown);
    if (!format) {
        return true;
    }
    if (capacity == 0) {
        StopRecording();
        ring_.Release();
        return true;
    }
    if (ring_.Setup(*format, capacity) != TCaptureStatus::Ok) {
        return false;
    }
    StopRecording();
    // Frames of another size than the recording's are left out, as a change of format stops it.
    recorder_ = surface_->AddFrameListener([ring = &ring_, size = shown.size()](const VideoFrame& frame) {
        if (frame.NativeSize() == size) {
            const QImage image = frame.NativeImage();
            ring->OnFrame(RingTime(frame), image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
        }
    });
    return true;
}

TCaptureStatus TEngineCapture::GetCapturedFrame(std::uint32_t number, TCapturedFrame* frame) {
    return ring_.ReadFrame(number, frame);
}

bool TEngineCapture::GetCurrentPicture(std::vector<std::uint8_t>* image) {
    const QImage picture = CurrentPicture().isNull() ? QImage() : surface_->DisplayedImage();
    const std::optional<TFrameFormat> format = FormatOf(picture);
    if (!format || image == nullptr) {
        return false;
    }
    auto file =
        TBitmapFile::FromFrame(*format, picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
    if (!file) {
        return false;
    }
    *image = std::move(*file);
    return true;
}

void TEngineCapture::Release() {
    StopRecording();
    ring_.Release();
    if (surface_) {
        framesBeforeGraph_ = surface_->FrameCount();
    }
}

// Returns once a frame being recorded on the streaming thread is stored.
void TEngineCapture::StopRecording() {
    if (recorder_) {
        surface_->RemoveFrameListener(*recorder_);
        recorder_.reset();
    }
}
