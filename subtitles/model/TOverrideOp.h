#pragma once
// One decoded override opcode with its operand.
#include "subtitles/model/TOverrideOpcode.h"

#include <cstdint>
#include <string_view>

struct TOverrideOp {
    std::uint16_t opcode = kOpEnd;
    std::int16_t number = 0;      // operand of the 16-bit opcodes
    std::uint8_t colourIndex = 0; // kOpColour, kOpAlpha
    std::uint32_t colour = 0;     // kOpColour, kOpAlpha: the value as read
    std::u16string_view fontName; // kOpFontName; views the run block
};
