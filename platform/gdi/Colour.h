#pragma once
// Colours as GDI keeps them: 0x00BBGGRR, red in the low byte. Drawing code converts at the one place
// it hands a colour to the painter.
#include <cstdint>

namespace plat::gdi {

using ColourRef = std::uint32_t;

constexpr ColourRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ColourRef{red} | (ColourRef{green} << 8) | (ColourRef{blue} << 16);
}
constexpr std::uint8_t RedOf(ColourRef colour) {
    return colour & 0xFFu;
}
constexpr std::uint8_t GreenOf(ColourRef colour) {
    return (colour >> 8) & 0xFFu;
}
constexpr std::uint8_t BlueOf(ColourRef colour) {
    return (colour >> 16) & 0xFFu;
}
// The same colour as an opaque 0xAARRGGBB pixel.
constexpr std::uint32_t ToArgb(ColourRef colour) {
    return 0xFF000000u | (std::uint32_t{RedOf(colour)} << 16) | (std::uint32_t{GreenOf(colour)} << 8) |
           BlueOf(colour);
}

} // namespace plat::gdi
