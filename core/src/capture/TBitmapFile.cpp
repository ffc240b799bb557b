#include "core/src/capture/TBitmapFile.h"

#include <algorithm>

namespace {

void Put16(std::uint8_t*& out, std::uint32_t value) {
    *out++ = std::uint8_t(value);
    *out++ = std::uint8_t(value >> 8);
}

void Put32(std::uint8_t*& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t PaddedRow(std::uint32_t bytes) {
    return (bytes + 3) & ~3u;
}

} // namespace

std::optional<std::vector<std::uint8_t>> TBitmapFile::FromFrame(const TFrameFormat& format,
                                                                const std::uint8_t* frame, std::size_t size) {
    if ((format.bitsPerPixel != 24 && format.bitsPerPixel != 32) || frame == nullptr || format.height <= 0) {
        return std::nullopt;
    }
    const std::uint32_t rowBytes = std::uint32_t(format.width) * std::uint32_t(format.bitsPerPixel / 8);
    const std::uint32_t stride =
        format.frameBytes / std::uint32_t(format.height); // source rows may be padded
    if (stride < rowBytes || size < format.frameBytes) {
        return std::nullopt;
    }
    const std::uint32_t outRow = PaddedRow(rowBytes);
    const std::uint32_t imageBytes = outRow * std::uint32_t(format.height);
    std::vector<std::uint8_t> image(kHeadersBytes + imageBytes, 0);
    WriteHeaders(format, imageBytes, image.data());
    for (std::int32_t row = 0; row < format.height; ++row) {
        const std::uint8_t* source = frame + std::size_t(row) * stride;
        std::uint8_t* target = image.data() + kHeadersBytes + std::size_t(format.height - 1 - row) * outRow;
        std::copy_n(source, rowBytes, target);
    }
    return image;
}

void TBitmapFile::WriteHeaders(const TFrameFormat& format, std::uint32_t imageBytes, std::uint8_t* out) {
    Put16(out, 0x4D42); // "BM"
    Put32(out, kHeadersBytes + imageBytes);
    Put32(out, 0);
    Put32(out, kHeadersBytes);
    Put32(out, 40);
    Put32(out, std::uint32_t(format.width));
    Put32(out, std::uint32_t(format.height)); // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, std::uint32_t(format.bitsPerPixel));
    Put32(out, 0); // uncompressed
    Put32(out, imageBytes);
    // Resolution and colour counts stay 0.
}
