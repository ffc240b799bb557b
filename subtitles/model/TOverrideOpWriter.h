#pragma once
// Appends opcodes with their operands to a run block.
#include "subtitles/model/TOverrideOpcode.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TOverrideOpWriter {
public:
    explicit TOverrideOpWriter(std::vector<std::byte>& block) : Block(block) {}

    void Add(TOverrideOpcode opcode);
    void AddNumber(TOverrideOpcode opcode, std::int16_t value);
    void AddColour(TOverrideOpcode opcode, std::uint8_t index, std::uint32_t value);
    // The name is cut to kOpFontNameMaxChars characters.
    void AddFontName(std::u16string_view name);

private:
    void Append(const void* data, std::size_t bytes);

    std::vector<std::byte>& Block;
};
