#pragma once
// Reads one override block of an event text ("{\tag...\tag}") into opcodes and the record fields the
// tags set. Tags the renderer cannot draw are read and left unshown; a block that is not made of tags
// (a comment such as "{note}", "{}") or whose known tags are malformed is refused, so it shows as
// text. A refused block changes nothing.
#include "subtitles/model/TOverrideOpcode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What an accepted block sets.
struct TOverrideBlock {
    std::vector<std::byte> opcodes; // the opcode list without its end opcode
    bool keepsRun = false;          // a run is made: an opcode was produced, or \pos, \fad or \fr read
    std::int32_t alignment = 0;     // the record's alignment after the block's tags
    std::int32_t wrapStyle = 0;     // the record's wrap style after the block's tags
    bool positioned = false;        // \pos read: posX and posY hold it
    std::int32_t posX = -1;
    std::int32_t posY = -1;
    std::optional<bool> drawing; // \p: on with a non-zero scale (its text is not shown), off with 0
    std::size_t end = 0;         // index after the closing '}'
};

class TOverrideBlockParser {
public:
    // Tag words longer than this fail the read.
    static constexpr std::size_t kMaxTagWord = 499;
    // Characters a \t tag may span after its name.
    static constexpr std::size_t kMaxTransform = 498;
    // Hexadecimal digits a colour or alpha value may have.
    static constexpr std::size_t kMaxColourDigits = 8;

    // The block starts at text[open] == '{'; alignment and wrapStyle are the record's current values.
    TOverrideBlockParser(std::u16string_view text, std::size_t open, std::int32_t alignment,
                         std::int32_t wrapStyle);

    // The block's result, or nothing when it is refused.
    std::optional<TOverrideBlock> Parse();

private:
    bool ReadTag();
    bool ReadColour(TOverrideOpcode opcode, std::uint8_t index);
    bool ReadAlignment();
    bool ReadB();
    bool ReadF();
    bool ReadOnOff(TOverrideOpcode on, TOverrideOpcode off);
    bool ReadP();
    bool ReadQ();
    bool ReadS();
    bool ReadTransform();
    bool SkipUnknownTag();

    // Reads tag-word characters from the position; nothing when the word reaches kMaxTagWord + 1.
    std::optional<std::u16string_view> ReadTagWord();
    // Reads every character up to the next '\' or '}' (face and style names).
    std::optional<std::u16string_view> ReadNameWord();
    char16_t Peek(std::size_t ahead = 0) const;
    void AddNumber(TOverrideOpcode opcode, std::u16string_view digits);

    std::u16string_view Text;
    std::size_t Pos;
    TOverrideBlock Block;
};
