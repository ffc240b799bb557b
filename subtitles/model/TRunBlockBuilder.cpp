#include "subtitles/model/TRunBlockBuilder.h"

#include "subtitles/model/TOverrideOpWriter.h"

#include <cstring>

TRunBlockBuilder::TRunBlockBuilder(std::vector<std::byte>& block) : Block(block) {
    Block.assign(sizeof(std::uint32_t), std::byte{0});
}

TTextRun* TRunBlockBuilder::Current() {
    return CurrentOffset ? reinterpret_cast<TTextRun*>(Block.data() + CurrentOffset) : nullptr;
}

void TRunBlockBuilder::Append(TTextRunKind kind, std::int32_t first, std::int32_t count) {
    const auto offset = static_cast<std::int32_t>(Block.size());
    TTextRun run{};
    run.previous = CurrentOffset;
    run.kind = kind;
    run.first = first;
    run.count = count;
    if (TTextRun* current = Current()) {
        current->next = offset;
    }
    Block.resize(Block.size() + sizeof run);
    std::memcpy(Block.data() + offset, &run, sizeof run);
    CurrentOffset = offset;
}

void TRunBlockBuilder::AppendOverrideBlock(std::int32_t first, std::span<const std::byte> opcodes) {
    Append(kRunOverrideBlock, first, 0);
    Block.insert(Block.end(), opcodes.begin(), opcodes.end());
    TOverrideOpWriter(Block).Add(kOpEnd);
}

void TRunBlockBuilder::AddWordChar(std::int32_t first) {
    TTextRun* current = Current();
    if (current && current->Kind() == kRunWord) {
        ++current->count;
        return;
    }
    Append(kRunWord, first, 1);
}
