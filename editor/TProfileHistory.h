#pragma once
// The four recent profiles of the editor settings, most recent first.
#include <array>
#include <string>

class TProfileHistory {
public:
    explicit TProfileHistory(std::array<std::string, 4>& entries) : entries_(entries) {}

    // The path becomes entry 1: found at 1 nothing changes; found further back it moves to the
    // front; new, the others move back and the fourth is dropped. Answers whether the entries
    // changed (the menu is then rebuilt). Paths compare byte for byte.
    bool Add(const std::string& path);

private:
    std::array<std::string, 4>& entries_;
};
