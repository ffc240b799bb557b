#pragma once
// An item of the settings model's lists: a text with a number (a filter file's kind, a graph file's
// type).
#include <cstdint>
#include <string>
#include <vector>

struct TNamedItem {
    std::u16string Text;
    std::int32_t Number = 0;

    friend bool operator==(const TNamedItem&, const TNamedItem&) = default;
};

using TNamedList = std::vector<TNamedItem>;
