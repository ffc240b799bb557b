#pragma once
// The states that pick a frame of a glyph strip, the places of a glyph beside its caption, and the
// class library's colour values the buttons use.
#include <cstdint>

enum class TMyButtonState : uint8_t { Up = 0, Disabled = 1, Down = 2, Exclusive = 3, Hover = 4 };

enum class TMyButtonLayout : uint8_t { GlyphLeft = 0, GlyphRight = 1, GlyphTop = 2, GlyphBottom = 3 };

namespace skincolour {
// 0x00BBGGRR values; values from 0x80000000 up name system colours.
using Value = int32_t;
constexpr Value kNone = 0x1FFFFFFF;
constexpr Value kBtnFace = static_cast<Value>(0x8000000Fu);
constexpr Value kBtnShadow = static_cast<Value>(0x80000010u);
constexpr Value kBtnHighlight = static_cast<Value>(0x80000014u);
constexpr Value kWindow = static_cast<Value>(0x80000005u);
constexpr Value kWindowText = static_cast<Value>(0x80000008u);
constexpr Value kBlack = 0;
constexpr Value kOlive = 0x008080;
} // namespace skincolour
