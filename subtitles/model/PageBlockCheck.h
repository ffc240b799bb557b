#pragma once
// Checks a subtitle page block (order 502, from its block head on) before anything reads it: the head
// size, the count, and every record's size, which must be even, hold its 56-byte head (204 bytes for
// a text event) and stay inside the block; a text event's text must end with a zero character inside
// its record. The records the count names are all that is read; bytes after them are ignored.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

struct TPageBlockCheck {
    bool ok = false;
    std::string error;                      // why the block was refused
    std::vector<std::size_t> recordOffsets; // offsets of the records in the block, in order
};

TPageBlockCheck CheckPageBlock(std::span<const std::byte> block);
