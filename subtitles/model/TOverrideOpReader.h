#pragma once
// Walks the opcode list that follows an override-block run, never past the end of the run block.
#include "subtitles/model/TOverrideOp.h"

#include <array>
#include <cstddef>
#include <span>

class TOverrideOpReader {
public:
    // `list` runs from the first opcode to the end of the run block.
    explicit TOverrideOpReader(std::span<const std::byte> list);

    // Decodes the next opcode into `op` and steps past it. False at kOpEnd, at the end of the block
    // and for an operand cut short by it. A face name is viewed in the reader's own copy (the run
    // block may hold it at an odd address) until the next call.
    bool Next(TOverrideOp& op);

private:
    std::span<const std::byte> List;
    std::size_t Position = 0;
    std::array<char16_t, kOpFontNameBytes / 2> NameCopy{};
};
