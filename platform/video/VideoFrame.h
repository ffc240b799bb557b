#pragma once
// One decoded video picture as the surface keeps it.
#include <QImage>
#include <QSize>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace plat::video {

// The shape of one pixel, width : height (1 : 1 for square pixels).
struct PixelAspect {
    int numerator = 1;
    int denominator = 1;
    bool operator==(const PixelAspect&) const = default;
};

// The stream's own picture behind a frame that the renderer scaled to the size the host shows it at.
struct NativePicture {
    QSize size;
    std::function<QImage()> image; // the picture at `size` in VideoSurface::kFrameFormat, made on demand
};

struct VideoFrame {
    // In VideoSurface::kFrameFormat: at the stream's native size, or, when `native` is set, scaled to the
    // size the host shows it at (square pixels, the display aspect); null before the first frame.
    QImage image;
    PixelAspect pixelAspect;  // of the native picture, as the stream declares it
    std::uint64_t number = 0; // 1 for the first frame the surface received, 0 before it
    // Where the frame starts in its stream: the position it shows. Unknown for a frame without a time.
    std::optional<std::chrono::nanoseconds> streamTime;
    std::optional<NativePicture> native; // none: `image` is the native picture

    QSize NativeSize() const { return native ? native->size : image.size(); }
    // The picture at its native size (a conversion when the frame was scaled).
    QImage NativeImage() const { return native && native->image ? native->image() : image; }
};

} // namespace plat::video
