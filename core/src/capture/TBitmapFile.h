#pragma once
// A bitmap file image (file header, 40-byte information header, bottom-up rows padded to four bytes)
// made from one top-down packed RGB frame of 24 or 32 bits per pixel.
#include "core/src/capture/TFrameFormat.h"

#include <cstdint>
#include <optional>
#include <vector>

class TBitmapFile {
public:
    static constexpr std::uint32_t kHeadersBytes = 14 + 40;

    // Empty for other depths or when the frame holds fewer bytes than its format says.
    static std::optional<std::vector<std::uint8_t>> FromFrame(const TFrameFormat& format,
                                                              const std::uint8_t* frame, std::size_t size);

private:
    static void WriteHeaders(const TFrameFormat& format, std::uint32_t imageBytes, std::uint8_t* out);
};
