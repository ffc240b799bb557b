#pragma once
// Time values of markup attributes and subtitle lines: up to four groups of digits such as
// "1:02:03.25", "1:02.5" or "12".
#include <cstdint>
#include <optional>
#include <string_view>

namespace markup {

inline constexpr int kMaxTimeGroups = 4;
inline constexpr std::size_t kMaxTimeGroupChars = 20;
// Times are kept within what an event record holds.
inline constexpr int64_t kMaxTimeMs = INT32_MAX;

struct TTimeGroups {
    int Count = 0;
    int64_t Values[kMaxTimeGroups] = {};
    // Set when the last group followed a "."; it is then a fraction of FractionDigits digits (those
    // before anything else in the group, such as the "s" of "1.5s").
    bool Fraction = false;
    int FractionDigits = 0;
};

// Splits the text at double quotes, ".", "/", ":", ">" and backslashes (a leading double quote is
// passed over) into at most four groups of up to 20 characters, each read as a decimal number (huge
// numbers saturate). Nothing when the text holds no group.
std::optional<TTimeGroups> SplitTimeGroups(std::string_view text);

// The whole groups (all but a fraction) as hours, minutes and seconds from the last backwards, in
// milliseconds, saturated at kMaxTimeMs.
int64_t WholeSecondsMs(const TTimeGroups& groups);

// Milliseconds of a time value: the whole groups plus a fraction of 1, 2 or 3 digits counting 100,
// 10 or 1 ms (any other length counts nothing). Nothing when the text holds no group.
std::optional<int32_t> ParseMarkupTime(std::string_view text);

// Saturating arithmetic on non-negative times.
int64_t SaturatedAdd(int64_t a, int64_t b);
int64_t SaturatedMultiply(int64_t a, int64_t b);

} // namespace markup
