#include "subtitles/model/TOverrideOpWriter.h"

#include <algorithm>
#include <array>

void TOverrideOpWriter::Append(const void* data, std::size_t bytes) {
    const auto* first = static_cast<const std::byte*>(data);
    Block.insert(Block.end(), first, first + bytes);
}

void TOverrideOpWriter::Add(TOverrideOpcode opcode) {
    const std::uint16_t code = opcode;
    Append(&code, sizeof code);
}

void TOverrideOpWriter::AddNumber(TOverrideOpcode opcode, std::int16_t value) {
    Add(opcode);
    Append(&value, sizeof value);
}

void TOverrideOpWriter::AddColour(TOverrideOpcode opcode, std::uint8_t index, std::uint32_t value) {
    Add(opcode);
    Append(&index, sizeof index);
    Append(&value, sizeof value);
}

void TOverrideOpWriter::AddFontName(std::u16string_view name) {
    Add(kOpFontName);
    std::array<char16_t, kOpFontNameBytes / 2> field{};
    name = name.substr(0, kOpFontNameMaxChars);
    std::copy(name.begin(), name.end(), field.begin());
    Append(field.data(), kOpFontNameBytes);
}
