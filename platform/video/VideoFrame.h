#pragma once
// One decoded video picture as the surface keeps it.
#include <QImage>
#include <QSize>

#include <chrono>
#include <cstdint>
#include <optional>

namespace plat::video {

// The shape of one pixel, width : height (1 : 1 for square pixels).
struct PixelAspect {
    int numerator = 1;
    int denominator = 1;
    bool operator==(const PixelAspect&) const = default;
};

struct VideoFrame {
    QImage image; // in VideoSurface::kFrameFormat, at the stream's native size; null before the first
    PixelAspect pixelAspect;  // as the stream declares it
    std::uint64_t number = 0; // 1 for the first frame the surface received, 0 before it
    // Where the frame starts in its stream: the position it shows. Unknown for a frame without a time.
    std::optional<std::chrono::nanoseconds> streamTime;

    QSize NativeSize() const { return image.size(); }
};

} // namespace plat::video
