#pragma once
// Appends runs to a run block, linking each new run after the current one.
#include "subtitles/model/TTextRun.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TRunBlockBuilder {
public:
    // Empties the block and writes its zero head word.
    explicit TRunBlockBuilder(std::vector<std::byte>& block);

    // Appends a run after the current one and makes it current.
    void Append(TTextRunKind kind, std::int32_t first, std::int32_t count);
    // Appends an override-block run with its opcodes and the end opcode.
    void AppendOverrideBlock(std::int32_t first, std::span<const std::byte> opcodes);
    // Adds a character to the current word run, or starts a word run at `first`.
    void AddWordChar(std::int32_t first);

private:
    TTextRun* Current();

    std::vector<std::byte>& Block;
    std::int32_t CurrentOffset = 0; // 0: none yet
};
