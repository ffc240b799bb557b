#pragma once
// The aspect settings of the video: 20 signed 32-bit fields (80 bytes), sent as they are with order 209.
// An "AspectRatio.xml" file (the ASPECTRATIO element) keeps them per disc.
#include <cstdint>

struct TAspectSettings {
    // Modes: 0 LetterBox, 1 Stretched, 2 Crop, 3 No Scale, 4 Custom.
    int32_t Mode = 0;
    int32_t CustomWidth = 0;
    int32_t CustomHeight = 0;
    int32_t SwitchInUse = 0; // switch the display mode for full-screen playback
    int32_t SwitchWidth = 0;
    int32_t SwitchHeight = 0;
    int32_t SwitchBits = 0;
    int32_t SwitchFrequency = 0;
    int32_t PosInUse = 0; // place the picture at the position and size below
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BlankingInUse = 0; // bars over the picture's edges
    int32_t BlankingLeft = 0;
    int32_t BlankingTop = 0;
    int32_t BlankingRight = 0;
    int32_t BlankingBottom = 0;
    int32_t BlankingColor = 0;
    int32_t Apply = 0; // set when sending
    bool operator==(const TAspectSettings&) const = default;
};
static_assert(sizeof(TAspectSettings) == 80);
