#include "core/src/engine/TEngineCapture.h"

#include "core/src/capture/TBitmapFile.h"
#include "platform/media/SampleGrabber.h"

#include <QList>

#include <utility>

using plat::media::SampleGrabber;
using plat::video::VideoFrame;
using plat::video::VideoSurface;

namespace {

// The palette of 8-bit frames: a 6 x 6 x 6 colour cube, blue varying fastest, as the media layer's
// palettised RGB format has it.
QList<QRgb> ColourCube() {
    QList<QRgb> table;
    for (int red = 0; red < 6; ++red) {
        for (int green = 0; green < 6; ++green) {
            for (int blue = 0; blue < 6; ++blue) {
                table.push_back(qRgb(red * 0x33, green * 0x33, blue * 0x33));
            }
        }
    }
    return table;
}

// The image format whose rows hold the grabber's pixels of that depth, byte for byte.
std::optional<QImage::Format> RingImageFormat(std::int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 32:
        return VideoSurface::kFrameFormat; // blue, green, red, pad
    case 24:
        return QImage::Format_BGR888;
    case 16:
        return QImage::Format_RGB555;
    case 8:
        return QImage::Format_Indexed8;
    default:
        return std::nullopt;
    }
}

// A frame of the surface in the grabber's pixel format.
QImage InRingFormat(const QImage& frame, QImage::Format format) {
    if (frame.format() == format) {
        return frame;
    }
    if (format == QImage::Format_Indexed8) {
        static const QList<QRgb> cube = ColourCube();
        return frame.convertToFormat(format, cube);
    }
    return frame.convertToFormat(format);
}

// The geometry the grabber negotiated, in a depth the ring can record; none before negotiation.
std::optional<TFrameFormat> NegotiatedFormat(const SampleGrabber& grabber) {
    plat::media::VideoGeometry geometry;
    if (plat::media::Failed(grabber.GetConnectedFormat(&geometry)) ||
        !RingImageFormat(geometry.bitsPerPixel)) {
        return std::nullopt;
    }
    return TFrameFormat::FromGeometry(geometry.width, geometry.height, geometry.bitsPerPixel);
}

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

SampleGrabber* TEngineCapture::Grabber() const {
    if (!context_.graph || context_.graph->sampleGrabber.empty()) {
        return nullptr;
    }
    return SampleGrabber::From(context_.graph->Media().FindFilter(context_.graph->sampleGrabber));
}

bool TEngineCapture::StartFrameCapture(std::uint32_t capacity) {
    const SampleGrabber* grabber = Grabber();
    if (grabber == nullptr || !surface_) {
        return true;
    }
    StopRecording();
    ring_.Release();
    if (capacity == 0) {
        return true;
    }
    const std::optional<TFrameFormat> format = NegotiatedFormat(*grabber);
    if (!format || ring_.Setup(*format, capacity) != TCaptureStatus::Ok) {
        return false;
    }
    // Frames of another size than the recording's are left out, as a change of format stops it.
    recorder_ = surface_->AddFrameListener([ring = &ring_, size = QSize(format->width, format->height),
                                            pixels = *RingImageFormat(format->bitsPerPixel)](
                                               const VideoFrame& frame) {
        if (frame.NativeSize() == size) {
            const QImage image = InRingFormat(frame.NativeImage(), pixels);
            ring->OnFrame(RingTime(frame), image.constBits(), static_cast<std::size_t>(image.bytesPerLine()),
                          static_cast<std::size_t>(image.sizeInBytes()));
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
