#include "platform/gdi/BmpReader.h"

#include <cstdlib>
#include <cstring>

namespace plat::gdi {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

template <class T> T ReadLe(std::span<const std::byte> data, std::size_t offset) {
    T value{};
    std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

bool Fail(std::string* error, const char* text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

} // namespace

bool BmpReader::IsBitmapFile(std::span<const std::byte> data) {
    return data.size() >= 2 && data[0] == std::byte{'B'} && data[1] == std::byte{'M'};
}

bool BmpReader::ReadInfo(std::span<const std::byte> data, BmpInfo& info, std::string* error) {
    if (!IsBitmapFile(data)) {
        return Fail(error, "not a bitmap file");
    }
    if (data.size() < kFileHeaderBytes + kInfoHeaderBytes) {
        return Fail(error, "bitmap headers cut short");
    }
    const auto headerBytes = ReadLe<std::uint32_t>(data, kFileHeaderBytes);
    if (headerBytes < kInfoHeaderBytes || headerBytes > data.size() - kFileHeaderBytes) {
        return Fail(error, "bitmap information header size out of range");
    }
    info.width = ReadLe<std::int32_t>(data, 18);
    info.height = ReadLe<std::int32_t>(data, 22);
    info.planes = ReadLe<std::uint16_t>(data, 26);
    info.bitsPerPixel = ReadLe<std::uint16_t>(data, 28);
    info.compression = ReadLe<std::uint32_t>(data, 30);
    info.imageSize = ReadLe<std::uint32_t>(data, 34);
    info.pixelOffset = kFileHeaderBytes + headerBytes;
    return true;
}

bool BmpReader::Read(std::span<const std::byte> data, Bitmap& bitmap, std::string* error) {
    BmpInfo info;
    if (!ReadInfo(data, info, error)) {
        return false;
    }
    if (info.width <= 0 || info.width > kMaxSide || info.height == 0 || info.height < -kMaxSide ||
        info.height > kMaxSide) {
        return Fail(error, "bitmap size out of range");
    }
    if (info.planes != 1 || (info.bitsPerPixel != 24 && info.bitsPerPixel != 32) || info.compression != 0) {
        return Fail(error, "only uncompressed 24- and 32-bit bitmaps are read");
    }
    if (info.imageSize > data.size() - info.pixelOffset) {
        return Fail(error, "bitmap image size runs past the data");
    }
    const std::size_t width = static_cast<std::size_t>(info.width);
    const std::size_t rows = static_cast<std::size_t>(std::abs(info.height));
    const std::size_t bytesPerPixel = info.bitsPerPixel / 8u;
    const std::size_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    // The picture is only made for sizes whose rows the data holds: a few bytes claiming a huge
    // picture would otherwise cost its whole size in memory.
    if (stride * rows > data.size() - info.pixelOffset) {
        return Fail(error, "bitmap size larger than its data");
    }
    const std::byte* pixels = data.data() + info.pixelOffset;
    const std::size_t available = info.imageSize;

    Bitmap result;
    result.width = info.width;
    result.height = static_cast<std::int32_t>(rows);
    result.pixels.assign(width * rows, 0xFF000000u);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t targetRow = info.height > 0 ? rows - 1 - row : row;
        const std::size_t rowStart = row * stride;
        for (std::size_t column = 0; column < width; ++column) {
            const std::size_t at = rowStart + column * bytesPerPixel;
            if (at + 3 > available) {
                break;
            }
            const auto blue = static_cast<std::uint32_t>(pixels[at]);
            const auto green = static_cast<std::uint32_t>(pixels[at + 1]);
            const auto red = static_cast<std::uint32_t>(pixels[at + 2]);
            result.pixels[targetRow * width + column] = 0xFF000000u | (red << 16) | (green << 8) | blue;
        }
    }
    bitmap = std::move(result);
    return true;
}

} // namespace plat::gdi
