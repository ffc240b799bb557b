#pragma once
// The small readers of skin script values: keywords compared without regard to case, numbers read
// as atol reads them, colours as the class library keeps them.
#include <cstdint>
#include <string_view>

class SkinText {
public:
    // ASCII letters compared without regard to case.
    static bool SameText(std::string_view a, std::string_view b);
    static bool StartsWithText(std::string_view text, std::string_view prefix);
    // Leading blanks and a sign, then digits up to the first other character; 0 for no number.
    // Values beyond 32 bits are held to the 32-bit range.
    static int32_t Number(std::string_view text);
    static bool Flag(std::string_view text) { return Number(text) != 0; }
};
