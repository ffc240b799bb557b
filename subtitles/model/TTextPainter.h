#pragma once
// Measures and draws the runs of a laid-out text event with its style: override blocks change the
// font and colours run by run, and every word is drawn with the style's border style (plain, in an
// opaque box, or with a shadow and an outline).
#include "core/include/SubtitleRecords.h"
#include "platform/gdi/Dc.h"
#include "subtitles/model/TDrawOverrides.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class TFontPool;
class TTextEvent;

class TTextPainter {
public:
    // Widest outline drawn by offset patterns; wider outlines are stroked paths.
    static constexpr std::int32_t kMaxPatternWidth = 5;
    // Outline widths and shadow depths are held to this many pixels.
    static constexpr std::int32_t kMaxEffectPixels = 64;

    using Offset = plat::gdi::Point;

    // Gives every run its width and height in the fonts it is drawn with (override blocks 0 x 0).
    static void MeasureRuns(TTextEvent& event, TFontPool& pool, double verticalScale);
    // Draws the laid-out runs with the first line's bottom-left corner origin at (x, y) + the first
    // line's height; the context must be in transparent mode with bottom text alignment, and the pool
    // made on it. Nothing is drawn without a style or runs.
    static void DrawRuns(const TTextEvent& event, plat::gdi::Dc& dc, std::int32_t x, std::int32_t y,
                         std::int32_t colourIndex, TFontPool& pool, double verticalScale);
    // One word with its effects by border style: 2 an opaque box, 0 plain, others the shadow and the
    // outline by the overrides' method.
    static void DrawTextWithEffects(plat::gdi::Dc& dc, std::int32_t x, std::int32_t y,
                                    std::u16string_view text, plat::gdi::ColourRef textColour,
                                    plat::gdi::ColourRef backColour, std::int32_t outlineWidth,
                                    std::int32_t shadowDepth, std::int32_t borderStyle,
                                    const TDrawOverrides& overrides);
    // The text's path stroked with a round pen of 2w + 1 in the back colour and filled, then the text.
    static void DrawOutlinedText(plat::gdi::Dc& dc, std::int32_t x, std::int32_t y, std::u16string_view text,
                                 std::int32_t outlineWidth, plat::gdi::ColourRef textColour,
                                 plat::gdi::ColourRef backColour);
    // The disc pattern's offsets for widths 1 to 5: every (dx, dy) other than (0, 0) with dx² + dy² at
    // most 2, 5, 10, 18 or 26, row by row from the top, left to right.
    static std::span<const Offset> DiscOffsets(std::int32_t width);
    // The eight-copies pattern's offsets for a width, in drawing order.
    static std::vector<Offset> EightCopyOffsets(std::int32_t width);
    // An effect size at the font scale: rounded up, at least 1 when not 0, never negative.
    static std::int32_t ScaledEffect(std::int32_t value, double scale);
};
