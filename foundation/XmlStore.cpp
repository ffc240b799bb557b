#include "foundation/XmlStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void XmlStore::NextBlock(std::size_t size, std::size_t alignment) {
    if (size > SIZE_MAX - alignment) {
        throw std::bad_alloc();
    }
    const std::size_t needed = size + alignment;
    std::size_t next = At ? Current + 1 : 0;
    while (next < Blocks.size() && Blocks[next].size < needed) {
        ++next;
    }
    if (next == Blocks.size()) {
        const std::size_t grown =
            Blocks.empty() ? kFirstBlock : std::min(Blocks.back().size * 2, kLargestBlock);
        const std::size_t blockSize = std::max(grown, needed);
        Blocks.push_back({std::make_unique_for_overwrite<std::byte[]>(blockSize), blockSize});
    }
    Current = next;
    At = Blocks[next].bytes.get();
    End = At + Blocks[next].size;
}

void XmlStore::Reset() {
    Current = 0;
    At = Blocks.empty() ? nullptr : Blocks.front().bytes.get();
    End = Blocks.empty() ? nullptr : At + Blocks.front().size;
}
