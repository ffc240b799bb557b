#pragma once
// What a run of text is drawn with: the face, size and attributes of its font and the effects around
// it. The font pool compares descriptions byte for byte, so every byte not set stays zero.
#include <cstdint>

#pragma pack(push, 4)
struct TFontDescription {
    char16_t faceName[100]; // terminated
    std::int32_t size;      // points
    std::int32_t width;
    std::int32_t escapement;
    std::int32_t weight;  // 0 normal, 1 or negative bold (700), 2 and above the weight itself
    std::int32_t spacing; // extra pixels after every character
    std::int32_t italic;
    std::int32_t underline;
    std::int32_t strikeOut;
    std::uint32_t backColour;
    std::int32_t zero236;
    std::int32_t outline;
    std::int32_t shadow;
    std::uint8_t charSet; // 0 the default set
    std::uint8_t zero249[3];
};
#pragma pack(pop)
static_assert(sizeof(TFontDescription) == 252);
