#include "plugins/decoders/markup/MarkupTime.h"

#include <algorithm>
#include <string>

namespace markup {

namespace {

bool IsSeparator(char c) {
    return c == '"' || c == '.' || c == '/' || c == ':' || c == '>' || c == '\\';
}

std::size_t LeadingDigits(std::string_view group) {
    std::size_t digits = 0;
    while (digits < group.size() && group[digits] >= '0' && group[digits] <= '9') {
        ++digits;
    }
    return digits;
}

// The leading decimal digits of a group.
int64_t GroupValue(std::string_view group) {
    int64_t value = 0;
    for (const char c : group) {
        if (c < '0' || c > '9') {
            break;
        }
        value = SaturatedAdd(SaturatedMultiply(value, 10), c - '0');
    }
    return value;
}

} // namespace

int64_t SaturatedAdd(int64_t a, int64_t b) {
    return a > kMaxTimeMs - b ? kMaxTimeMs : a + b;
}

int64_t SaturatedMultiply(int64_t a, int64_t b) {
    return b != 0 && a > kMaxTimeMs / b ? kMaxTimeMs : a * b;
}

std::optional<TTimeGroups> SplitTimeGroups(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
    }
    TTimeGroups groups;
    char separator = 0;
    std::size_t pos = 0;
    while (pos < text.size() && groups.Count < kMaxTimeGroups) {
        if (IsSeparator(text[pos])) {
            separator = text[pos++];
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !IsSeparator(text[pos])) {
            ++pos;
        }
        const std::string_view group = text.substr(start, std::min(pos - start, kMaxTimeGroupChars));
        groups.Values[groups.Count++] = GroupValue(group);
        groups.Fraction = separator == '.';
        groups.FractionDigits = static_cast<int>(LeadingDigits(group));
    }
    if (groups.Count == 0) {
        return std::nullopt;
    }
    if (groups.Count == 1) {
        groups.Fraction = false;
    }
    return groups;
}

int64_t WholeSecondsMs(const TTimeGroups& groups) {
    const int whole = groups.Count - (groups.Fraction ? 1 : 0);
    int64_t seconds = 0;
    int64_t unit = 1;
    for (int i = whole - 1, place = 0; i >= 0 && place < 3; --i, ++place) {
        seconds = SaturatedAdd(seconds, SaturatedMultiply(groups.Values[i], unit));
        unit *= 60;
    }
    return SaturatedMultiply(seconds, 1000);
}

std::optional<int32_t> ParseMarkupTime(std::string_view text) {
    const std::optional<TTimeGroups> groups = SplitTimeGroups(text);
    if (!groups) {
        return std::nullopt;
    }
    int64_t ms = WholeSecondsMs(*groups);
    if (groups->Fraction) {
        static constexpr int64_t kDigitUnit[] = {0, 100, 10, 1};
        const int digits = groups->FractionDigits;
        const int64_t unit = digits >= 1 && digits <= 3 ? kDigitUnit[digits] : 0;
        ms = SaturatedAdd(ms, SaturatedMultiply(groups->Values[groups->Count - 1], unit));
    }
    return static_cast<int32_t>(ms);
}

} // namespace markup
