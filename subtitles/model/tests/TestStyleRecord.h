#pragma once
// The style record tests, benchmarks and fixtures build: named "Default", in a font and size, with the
// colours, border and placement they choose; every field not named here is zero.
#include "core/include/SubtitleRecords.h"
#include "subtitles/model/FixedText.h"

#include <cstdint>
#include <string_view>

struct TestStyle {
    std::u16string_view font = u"DejaVu Sans";
    std::int32_t fontSize = 15; // points
    std::uint32_t primary = 0xFFFFFF;
    std::uint32_t secondary = 0;
    std::uint32_t tertiary = 0;
    std::int32_t borderStyle = 1;
    std::int32_t outline = 0;
    std::int32_t shadow = 0;
    std::int32_t alignment = 2; // v4 numbering
    std::int32_t marginLR = 10; // left and right
    std::int32_t marginV = 10;
};

inline TSubtitleStyleRecord TestStyleRecord(const TestStyle& choice) {
    TSubtitleStyleRecord style{};
    SetFixedText(style.name, kStyleNameUnits, u"Default");
    SetFixedText(style.fontName, kStyleFontNameUnits, choice.font);
    style.fontSize = choice.fontSize;
    style.primaryColour = choice.primary;
    style.secondaryColour = choice.secondary;
    style.tertiaryColour = choice.tertiary;
    style.borderStyle = choice.borderStyle;
    style.outline = choice.outline;
    style.shadow = choice.shadow;
    style.alignment = choice.alignment;
    style.marginL = choice.marginLR;
    style.marginR = choice.marginLR;
    style.marginV = choice.marginV;
    return style;
}
