#pragma once
// The storage of an XML document: its elements, attributes and texts are carved out of large blocks
// one after the other and released together, so that reading a document costs a few allocations
// rather than several per element. Clearing a document keeps the blocks for the next one read into
// it (as a cleared vector keeps its capacity); destroying the document frees them.
#include "foundation/XmlScan.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

class XmlStore {
public:
    XmlStore() = default;
    XmlStore(const XmlStore&) = delete;
    XmlStore& operator=(const XmlStore&) = delete;

    // A default-initialised object in the store. Its destructor may run; its memory stays the
    // store's until Reset.
    template <class T> T* Make() { return ::new (Allocate(sizeof(T), alignof(T))) T; }

    // Room for `count` characters and a terminator.
    char16_t* AllocateText(std::size_t count) {
        if (count >= SIZE_MAX / sizeof(char16_t)) {
            throw std::bad_alloc();
        }
        return static_cast<char16_t*>(Allocate((count + 1) * sizeof(char16_t), alignof(char16_t)));
    }
    // A zero-terminated copy of `count` characters.
    const char16_t* CopyText(const char16_t* text, std::size_t count) {
        char16_t* copy = AllocateText(count);
        xmlscan::MoveChars(copy, text, count);
        copy[count] = 0;
        return copy;
    }

    // Takes back everything made in the store, for use again.
    void Reset();

private:
    static constexpr std::size_t kFirstBlock = 8u << 10;
    static constexpr std::size_t kLargestBlock = 1u << 20;

    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size;
    };

    void* Allocate(std::size_t size, std::size_t alignment) {
        std::byte* start = At ? AlignUp(At, alignment) : nullptr;
        if (!start || start > End || size > static_cast<std::size_t>(End - start)) {
            NextBlock(size, alignment);
            start = AlignUp(At, alignment);
        }
        At = start + size;
        return start;
    }
    static std::byte* AlignUp(std::byte* at, std::size_t alignment) {
        const auto address = reinterpret_cast<std::uintptr_t>(at);
        return at + ((alignment - address % alignment) % alignment);
    }
    // Moves on to the next block with room for the request, adding one when there is none.
    void NextBlock(std::size_t size, std::size_t alignment);

    std::vector<Block> Blocks;
    std::size_t Current = 0;  // the block being filled
    std::byte* At = nullptr;  // its next free byte
    std::byte* End = nullptr; // its end
};
