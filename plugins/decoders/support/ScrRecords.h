#pragma once
// The event and style records the decoder plug-ins fill and the SubStation Alpha v4 writers write.
// Text is 8-bit in the ANSI code page (UTF-8).
#include <cstdint>
#include <string>

struct TMarkupEvent {
    int32_t Start = 0; // milliseconds
    int32_t End = 0;
    int8_t Marked = 0;
    int8_t Comment = 0;
    std::string Style;
    std::string Name;
    int32_t MarginL = 0;
    int32_t MarginR = 0;
    int32_t MarginV = 0;
    int32_t Effect = 0;
    std::string Text;
};

struct TMarkupStyle {
    std::string Name;
    std::string FontName;
    int32_t FontSize = 0;
    int32_t PrimaryColour = 0;
    int32_t SecondaryColour = 0;
    int32_t TertiaryColour = 0;
    int32_t BackColour = 0;
    int32_t Bold = 0;
    int32_t Italic = 0;
    int32_t BorderStyle = 0;
    int32_t Outline = 0;
    int32_t Shadow = 0;
    int32_t Alignment = 0;
    int32_t MarginL = 0;
    int32_t MarginR = 0;
    int32_t MarginV = 0;
    int32_t AlphaLevel = 0;
    int32_t Encoding = 0;
};
