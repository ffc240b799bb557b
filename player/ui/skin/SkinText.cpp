#include "player/ui/skin/SkinText.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {
char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
} // namespace

bool SkinText::SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool SkinText::StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

int32_t SkinText::Number(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), kLimit);
    }
    value = negative ? -value : std::min<int64_t>(value, std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(value);
}
