#pragma once
// One run of a parsed text event: a 28-byte record of the event's run block. The block starts with
// one zero 32-bit word; the runs follow in text order, linked by their byte offsets in the block, and
// an override-block run is followed directly by its opcode list (TOverrideOpcode). Runs therefore sit
// at any byte offset: the record is packed to 1 byte and is read and written through its fields.
#include <cstdint>

// Run kinds (the low 7 bits of TTextRun::kind).
enum TTextRunKind : std::uint8_t {
    kRunBlanks = 1,         // count blanks
    kRunHardBlank = 2,      // written and drawn, never produced by the parser
    kRunSoftBreak = 3,      // \n: breaks only in wrap styles 2 and 4
    kRunHardBreak = 4,      // \N: always breaks
    kRunEnd = 5,            // always the last run
    kRunOverrideBlock = 16, // followed by its opcode list
    kRunWord = 127,         // characters other than blanks
};

// Bit 7 of the kind byte: the layout ends a line after this run.
inline constexpr std::uint8_t kRunLineBreakFlag = 0x80;
// Offset of the first run in the block (after the zero head word).
inline constexpr std::int32_t kFirstRunOffset = 4;
// Run lookup argument that stands for the first run.
inline constexpr std::int32_t kFirstRun = -1;

#pragma pack(push, 1)
struct TTextRun {
    std::int32_t previous; // offset of the previous run, 0 for the first
    std::int32_t next;     // offset of the next run, 0 in the end run
    std::uint8_t kind;     // TTextRunKind, with kRunLineBreakFlag
    std::uint8_t zero[3];
    std::int32_t first;  // index of the first character in the compacted text
    std::int32_t count;  // characters of a word, blanks of a blank run, 1 for a break
    std::int32_t width;  // pixels, measured by the layout; 0 for override blocks
    std::int32_t height; // pixels; the first run of a line holds the line height

    TTextRunKind Kind() const { return static_cast<TTextRunKind>(kind & ~kRunLineBreakFlag); }
    bool BreaksLine() const { return (kind & kRunLineBreakFlag) != 0; }
    void SetLineBreak(bool on) {
        kind = static_cast<std::uint8_t>(on ? (kind | kRunLineBreakFlag) : (kind & ~kRunLineBreakFlag));
    }
};
#pragma pack(pop)
static_assert(sizeof(TTextRun) == 28);
