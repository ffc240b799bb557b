#pragma once
// Reads a bitmap file image (file header, information header, pixels) into a Bitmap. The pixels are
// taken to follow the information header directly, and as many pixel bytes as the header's image-size
// field gives are read; pixels it does not cover stay black. Uncompressed 24- and 32-bit images are
// read, bottom-up (positive height) or top-down; every size is checked against the data first, and an
// image whose rows the data cannot hold is refused.
#include "platform/gdi/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace plat::gdi {

struct BmpInfo {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative for a top-down image
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::size_t pixelOffset = 0;
};

class BmpReader {
public:
    static constexpr std::int32_t kMaxSide = 16384;

    // Whether the data starts with "BM".
    static bool IsBitmapFile(std::span<const std::byte> data);
    // The information header's fields; false (with `error`) for data that does not hold one.
    static bool ReadInfo(std::span<const std::byte> data, BmpInfo& info, std::string* error = nullptr);
    // The picture; false (with `error`, `bitmap` untouched) for data that cannot be read as one.
    static bool Read(std::span<const std::byte> data, Bitmap& bitmap, std::string* error = nullptr);
};

} // namespace plat::gdi
