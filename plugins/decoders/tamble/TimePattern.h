#pragma once
// Time patterns of templates, such as "hh:mm:ss,ms": codes hh mm ss hu ms ff read digit runs ("!"
// and a count asks for exactly that many digits), "!!" makes the next character literal, and every
// other character is literal text that must stand before the next code.
#include <cstdint>
#include <string_view>

// Reads the pattern from `position` of `subject`, moving the position past what it read; answers
// false (position undefined) when a literal does not match, digits are missing, or an "ff" field
// meets a frame rate that is not positive. Values saturate instead of overflowing.
bool ReadTimePattern(std::u16string_view pattern, std::u16string_view subject, std::size_t& position,
                     double frameRate, int64_t& milliseconds);

// Reads a run of decimal digits (exactly `count` of them when count > 0, else at least one) as a
// number that saturates at kMaxFieldNumber.
bool ReadDigits(std::u16string_view subject, std::size_t& position, std::size_t count, int64_t& value);

inline constexpr int64_t kMaxFieldNumber = 1'000'000'000'000;
