#pragma once
// Builds order-502 records as the programs send them: the order head, the total size again, the page
// block head {12, key, count} and serialised text events, each marked with an id in its client
// reference so that tests can tell which events a slot shows.
#include "core/include/SubtitleRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TTestEvent {
    std::uint32_t id = 0;
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::int32_t layer = 0;
    std::u16string text = u"Hi";
    bool comment = false;
    std::uint8_t kind = kSubItemText;
};

class PageBlockBuilder {
public:
    // The whole order record: size word and length word hold the record's size.
    static std::vector<std::byte> Order(std::uint32_t key, const std::vector<TTestEvent>& events);
    // One serialised event: 204 bytes without text, else 206 + 2 x the text length.
    static std::vector<std::byte> Event(const TTestEvent& event);
    // Writes the record's size into its size word and its length word.
    static void SetOrderSize(std::vector<std::byte>& order, std::uint32_t size);

    static constexpr std::size_t kFirstRecord = kPageOrderHeadBytes;
};
