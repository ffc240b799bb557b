#pragma once
// The geometry of the frames the capture ring records and the true byte size of one frame: whole
// rows of bytes without padding between them.
#include <cstdint>
#include <optional>

struct TFrameFormat {
    static constexpr std::int32_t kMaxSide = 16384;
    static constexpr std::int32_t kMaxBits = 64;

    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    std::uint32_t frameBytes = 0; // rowBytes × height: what one frame really holds
    std::uint32_t rowBytes = 0;   // ceil(width × bits / 8)

    // Tightly packed rows, so 12-bit formats count 1.5 bytes a pixel.
    static std::optional<TFrameFormat> FromGeometry(std::int32_t width, std::int32_t height,
                                                    std::int32_t bits);

    bool operator==(const TFrameFormat&) const = default;
};
