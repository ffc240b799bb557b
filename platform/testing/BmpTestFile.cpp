#include "platform/testing/BmpTestFile.h"

#include <cstdlib>
#include <cstring>

namespace {

template <class T> void Put(std::vector<std::byte>& out, std::size_t offset, T value) {
    std::memcpy(out.data() + offset, &value, sizeof value);
}

} // namespace

std::vector<std::byte> MakeBmp(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                               const PixelAt& pixel) {
    const std::size_t rows = static_cast<std::size_t>(std::abs(height));
    const std::size_t bytesPerPixel = bitsPerPixel / 8u;
    const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    const std::size_t imageSize = stride * rows;
    std::vector<std::byte> bmp(54 + imageSize);
    bmp[0] = std::byte{'B'};
    bmp[1] = std::byte{'M'};
    Put<std::uint32_t>(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    Put<std::uint32_t>(bmp, 10, 54);
    Put<std::uint32_t>(bmp, 14, 40);
    Put<std::int32_t>(bmp, 18, width);
    Put<std::int32_t>(bmp, 22, height);
    Put<std::uint16_t>(bmp, 26, 1);
    Put<std::uint16_t>(bmp, 28, bitsPerPixel);
    Put<std::uint32_t>(bmp, 34, static_cast<std::uint32_t>(imageSize));
    for (std::size_t row = 0; row < rows; ++row) {
        const auto y = static_cast<std::int32_t>(height > 0 ? rows - 1 - row : row);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixel(x, y);
            std::byte* at = bmp.data() + 54 + row * stride + static_cast<std::size_t>(x) * bytesPerPixel;
            at[0] = static_cast<std::byte>(rgb & 0xFF);
            at[1] = static_cast<std::byte>((rgb >> 8) & 0xFF);
            at[2] = static_cast<std::byte>((rgb >> 16) & 0xFF);
        }
    }
    return bmp;
}

void SetBmpField(std::vector<std::byte>& bmp, std::size_t offset, std::uint32_t value) {
    Put<std::uint32_t>(bmp, offset, value);
}
