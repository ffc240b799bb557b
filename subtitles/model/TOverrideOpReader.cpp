#include "subtitles/model/TOverrideOpReader.h"

#include "subtitles/model/FixedText.h"

#include <cstring>

TOverrideOpReader::TOverrideOpReader(std::span<const std::byte> list) : List(list) {}

bool TOverrideOpReader::Next(TOverrideOp& op) {
    const auto take = [this](void* out, std::size_t bytes) {
        if (List.size() - Position < bytes) {
            Position = List.size();
            return false;
        }
        std::memcpy(out, List.data() + Position, bytes);
        Position += bytes;
        return true;
    };
    op = TOverrideOp{};
    if (!take(&op.opcode, sizeof op.opcode) || op.opcode == kOpEnd) {
        op.opcode = kOpEnd;
        return false;
    }
    switch (op.opcode) {
    case kOpOutline:
    case kOpShadow:
    case kOpScaleX:
    case kOpScaleY:
    case kOpSpacing:
    case kOpFontSize:
    case kOpCharset:
        return take(&op.number, sizeof op.number);
    case kOpColour:
    case kOpAlpha:
        return take(&op.colourIndex, sizeof op.colourIndex) && take(&op.colour, sizeof op.colour);
    case kOpFontName: {
        if (List.size() - Position < kOpFontNameBytes) {
            Position = List.size();
            return false;
        }
        std::memcpy(NameCopy.data(), List.data() + Position, kOpFontNameBytes);
        Position += kOpFontNameBytes;
        op.fontName = FixedTextView(NameCopy.data(), NameCopy.size());
        return true;
    }
    default:
        return true; // operand-less, 13 and 22 included
    }
}
