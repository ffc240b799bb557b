#pragma once
// Colour values of markup attributes and the override tag that sets a text colour.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markup {

// 0xRRGGBB of an attribute value: a leading double quote, then a leading "#", and a trailing double
// quote are removed; one of the 16 HTML 4 colour names (any case), else a hexadecimal number ("#"
// and three digits is the short form, each digit doubled). Nothing for a text shorter than 2
// characters or without hexadecimal digits.
std::optional<uint32_t> ParseColour(std::string_view text);

// "{\c&Hbbggrr&}" of the three bytes, given as the low, middle and high byte order they are written in.
std::string ColourOverride(uint8_t first, uint8_t second, uint8_t third);

// The override of an 0xRRGGBB colour (blue, green, red).
std::string RgbOverride(uint32_t rgb);

} // namespace markup
