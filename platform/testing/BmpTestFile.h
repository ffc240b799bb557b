#pragma once
// Bitmap file images for tests: 24- or 32-bit, bottom-up unless the height is negative, rows padded
// to 4 bytes, the image-size field filled in (and changeable).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// 0x00RRGGBB of the pixel at (x, y), counting rows from the top of the picture.
using PixelAt = std::function<std::uint32_t(std::int32_t x, std::int32_t y)>;

std::vector<std::byte> MakeBmp(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                               const PixelAt& pixel);
// Overwrites a 32-bit field of the image.
void SetBmpField(std::vector<std::byte>& bmp, std::size_t offset, std::uint32_t value);
