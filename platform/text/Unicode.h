#pragma once
// Code point steps over UTF-8 and UTF-16 text, shared by the converters, the case folding and the
// formatter.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat::text::unicode {

constexpr char32_t kReplacement = 0xFFFD;

// One character of encoded text. An invalid sequence is its maximal subpart (the bytes that could
// start a valid character), reported with valid == false and cp == U+FFFD; an unpaired surrogate in
// UTF-16 is one unit with valid == false and cp holding the unit.
struct Step {
    char32_t cp;
    std::size_t length;
    bool valid;
};

// The character that starts at pos; pos must be below text.size().
Step DecodeUtf8(std::string_view text, std::size_t pos);
Step DecodeUtf16(std::u16string_view text, std::size_t pos);

// Append a Unicode scalar value (not a surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);
void AppendUtf16(std::u16string& out, char32_t cp);
// Writes the UTF-16 units of such a value at `out` (room for 2); answers how many were written.
std::size_t PutUtf16(char16_t* out, char32_t cp);

bool IsSurrogate(char32_t cp);

// The value of a hexadecimal digit in either case; -1 for any other character.
constexpr int HexDigitValue(char32_t c) {
    if (c >= '0' && c <= '9') {
        return static_cast<int>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<int>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<int>(c - 'A' + 10);
    }
    return -1;
}

} // namespace plat::text::unicode
