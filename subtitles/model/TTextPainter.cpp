#include "subtitles/model/TTextPainter.h"

#include "subtitles/model/TFontPool.h"
#include "subtitles/model/TRunDrawState.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/model/TTextLayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kBorderPlain = 0;
constexpr std::int32_t kBorderOpaqueBox = 2;
constexpr std::int32_t kAlignCentre = 2;
constexpr std::int32_t kAlignRight = 3;

std::vector<TTextPainter::Offset> MakeDisc(std::int32_t width) {
    static constexpr std::int32_t kRadiusSquared[] = {2, 5, 10, 18, 26};
    const std::int32_t limit = kRadiusSquared[width - 1];
    std::vector<TTextPainter::Offset> offsets;
    for (std::int32_t dy = -width; dy <= width; ++dy) {
        for (std::int32_t dx = -width; dx <= width; ++dx) {
            if ((dx != 0 || dy != 0) && dx * dx + dy * dy <= limit) {
                offsets.push_back({dx, dy});
            }
        }
    }
    return offsets;
}

const std::array<std::vector<TTextPainter::Offset>, TTextPainter::kMaxPatternWidth>& DiscTable() {
    static const std::array<std::vector<TTextPainter::Offset>, TTextPainter::kMaxPatternWidth> table = {
        MakeDisc(1), MakeDisc(2), MakeDisc(3), MakeDisc(4), MakeDisc(5)};
    return table;
}

double FontScale(const TTextEvent& event, double verticalScale) {
    return event.GetScaleY() != 0.0 ? verticalScale * event.GetScaleY() : verticalScale;
}

// Selects the run's font and spacing.
void SelectRunFont(TFontPool& pool, const TRunDrawState& state) {
    pool.SelectFont(state.Description());
    pool.Measurer()->SetTextCharacterExtra(state.Description().spacing);
}

// The back-colour copies (shadow, then outline pattern) in one go, then the text.
void DrawCopies(plat::gdi::Dc& dc, std::int32_t x, std::int32_t y, std::u16string_view text,
                std::span<const TTextPainter::Offset> copies, plat::gdi::ColourRef textColour,
                plat::gdi::ColourRef backColour) {
    if (!copies.empty()) {
        dc.SetTextColor(backColour);
        dc.PolyTextOut(x, y, text, copies);
    }
    dc.SetTextColor(textColour);
    dc.TextOut(x, y, text);
}

// x of a line by the event's horizontal alignment against the widest line.
std::int32_t AlignedX(std::int32_t x, std::int32_t alignment, std::int32_t widest, std::int32_t line) {
    switch (alignment & 3) {
    case kAlignCentre:
        return plat::gdi::SaturatedAdd(x, (std::int64_t{widest} - line) / 2);
    case kAlignRight:
        return plat::gdi::SaturatedAdd(x, std::int64_t{widest} - line);
    default:
        return x;
    }
}

bool EndsLineWhenDrawn(const TTextRun& run, std::int32_t wrapStyle) {
    const std::int32_t wrap = wrapStyle & 0x7F;
    return run.BreaksLine() || run.Kind() == kRunHardBreak ||
           (run.Kind() == kRunSoftBreak && (wrap == 2 || wrap == 4));
}

} // namespace

std::int32_t TTextPainter::ScaledEffect(std::int32_t value, double scale) {
    if (value <= 0) {
        return 0;
    }
    const double scaled = std::ceil(value * scale);
    const double held = std::isfinite(scaled) ? std::clamp(scaled, 1.0, double{kMaxEffectPixels}) : 1.0;
    return static_cast<std::int32_t>(held);
}

void TTextPainter::MeasureRuns(TTextEvent& event, TFontPool& pool, double verticalScale) {
    const TSubtitleStyleRecord* style = event.GetStyle();
    if (style == nullptr || pool.Measurer() == nullptr) {
        return;
    }
    TRunDrawState state(*style, FontScale(event, verticalScale), 0);
    plat::gdi::TextMeasurer& measurer = *pool.Measurer();
    for (TTextRun* run = event.GetRun(kFirstRun); run != nullptr && run->Kind() != kRunEnd;
         run = event.NextRun(run)) {
        plat::gdi::Size size;
        if (run->Kind() == kRunOverrideBlock) {
            state.Apply(event.GetOpcodes(run));
        } else {
            SelectRunFont(pool, state);
            if (run->Kind() == kRunWord) {
                size = measurer.GetTextExtent(event.GetRunText(run));
            } else if (run->Kind() <= kRunHardBreak) {
                size = measurer.GetTextExtent(u" ");
                size.width = static_cast<std::int32_t>(std::clamp<std::int64_t>(
                    std::int64_t{size.width} * std::max(std::int32_t{run->count}, 0), 0, INT32_MAX));
            }
        }
        run->width = size.width;
        run->height = size.height;
    }
}

void TTextPainter::DrawRuns(const TTextEvent& event, plat::gdi::Dc& dc, std::int32_t x, std::int32_t y,
                            std::int32_t colourIndex, TFontPool& pool, double verticalScale) {
    const TSubtitleStyleRecord* style = event.GetStyle();
    const TTextEventRecord* record = event.GetTextRecord();
    const TTextRun* run = event.GetRun(kFirstRun);
    if (style == nullptr || record == nullptr || run == nullptr) {
        return;
    }
    const std::int32_t alignment = record->alignment;
    const std::int32_t wrapStyle = record->wrapStyle;
    const std::int32_t borderStyle = style->borderStyle;
    std::int32_t widest = 0;
    std::int32_t ignored = 0;
    event.GetExtent(widest, ignored);
    TRunDrawState state(*style, FontScale(event, verticalScale), colourIndex);
    dc.SetTextColor(state.TextColour());
    std::int32_t lineX = AlignedX(x, alignment, widest, TTextLayout::MeasureLine(event, run, false));
    y = plat::gdi::SaturatedAdd(y, run->height);
    for (; run != nullptr && run->Kind() != kRunEnd; run = event.NextRun(run)) {
        if (run->Kind() == kRunOverrideBlock) {
            if (state.Apply(event.GetOpcodes(run))) {
                dc.SetTextColor(state.TextColour());
            }
        } else {
            SelectRunFont(pool, state);
            if (run->Kind() == kRunWord) {
                const double scale = state.FontScale();
                DrawTextWithEffects(dc, lineX, y, event.GetRunText(run), state.TextColour(),
                                    state.BackColour(), ScaledEffect(state.Description().outline, scale),
                                    ScaledEffect(state.Description().shadow, scale), borderStyle,
                                    pool.Overrides());
                lineX = plat::gdi::SaturatedAdd(lineX, run->width);
            } else if (!run->BreaksLine() || run->Kind() == kRunHardBlank) {
                lineX = plat::gdi::SaturatedAdd(lineX, run->width);
            }
        }
        const TTextRun* next = event.NextRun(run);
        if (next != nullptr && next->Kind() != kRunEnd && EndsLineWhenDrawn(*run, wrapStyle)) {
            y = plat::gdi::SaturatedAdd(y, next->height);
            lineX = AlignedX(x, alignment, widest, TTextLayout::MeasureLine(event, next, false));
        }
    }
}

void TTextPainter::DrawTextWithEffects(plat::gdi::Dc& dc, std::int32_t x, std::int32_t y,
                                       std::u16string_view text, plat::gdi::ColourRef textColour,
                                       plat::gdi::ColourRef backColour, std::int32_t outlineWidth,
                                       std::int32_t shadowDepth, std::int32_t borderStyle,
                                       const TDrawOverrides& overrides) {
    if (text.empty()) {
        return;
    }
    const std::uint8_t method = overrides.outlineMethod != 0 ? overrides.outlineMethod
                                                             : static_cast<std::uint8_t>(kOutlineDiscPattern);
    if (overrides.outlineWidth != TDrawOverrides::kNone) {
        outlineWidth = std::clamp(overrides.outlineWidth, 0, kMaxEffectPixels);
    }
    if (overrides.shadowDepth != TDrawOverrides::kNone) {
        shadowDepth = std::clamp(overrides.shadowDepth, 0, kMaxEffectPixels);
    }
    if (borderStyle == kBorderOpaqueBox) {
        dc.SetBkMode(plat::gdi::BkMode::Opaque);
        dc.SetBkColor(backColour);
        dc.SetTextColor(textColour);
        dc.TextOut(x, y, text);
        dc.SetBkMode(plat::gdi::BkMode::Transparent);
        return;
    }
    dc.SetBkMode(plat::gdi::BkMode::Transparent);
    if (borderStyle == kBorderPlain) {
        dc.SetTextColor(textColour);
        dc.TextOut(x, y, text);
        return;
    }
    std::vector<Offset> copies;
    for (std::int32_t k = 0; k < shadowDepth; ++k) {
        copies.push_back({k + 1, k + 1});
        copies.push_back({k + 2, k + 1});
    }
    // An outline wider than the patterns reach is always stroked, whatever the method.
    if (outlineWidth > kMaxPatternWidth || (outlineWidth > 0 && method == kOutlineStrokedPath)) {
        if (!copies.empty()) {
            dc.SetTextColor(backColour);
            dc.PolyTextOut(x, y, text, copies);
        }
        DrawOutlinedText(dc, x, y, text, outlineWidth, textColour, backColour);
    } else if (outlineWidth <= 0 || method == kOutlineNone) {
        DrawCopies(dc, x, y, text, copies, textColour, backColour);
    } else if (method == kOutlineDiscPattern || method == kOutlineEightCopies) {
        const bool disc = method == kOutlineDiscPattern || outlineWidth == kMaxPatternWidth;
        const std::vector<Offset> pattern =
            disc ? std::vector<Offset>(DiscOffsets(outlineWidth).begin(), DiscOffsets(outlineWidth).end())
                 : EightCopyOffsets(outlineWidth);
        copies.insert(copies.end(), pattern.begin(), pattern.end());
        DrawCopies(dc, x, y, text, copies, textColour, backColour);
    } else if (!copies.empty()) {
        dc.SetTextColor(backColour); // another method draws only the shadow
        dc.PolyTextOut(x, y, text, copies);
    }
    dc.SetTextColor(textColour);
}

void TTextPainter::DrawOutlinedText(plat::gdi::Dc& dc, std::int32_t x, std::int32_t y,
                                    std::u16string_view text, std::int32_t outlineWidth,
                                    plat::gdi::ColourRef textColour, plat::gdi::ColourRef backColour) {
    dc.SetBkMode(plat::gdi::BkMode::Transparent);
    dc.StrokeTextPath(x, y, text, 2 * outlineWidth + 1, backColour, textColour);
    dc.SetTextColor(textColour);
    dc.TextOut(x, y, text);
}

std::span<const TTextPainter::Offset> TTextPainter::DiscOffsets(std::int32_t width) {
    if (width < 1 || width > kMaxPatternWidth) {
        return {};
    }
    return DiscTable()[static_cast<std::size_t>(width - 1)];
}

std::vector<TTextPainter::Offset> TTextPainter::EightCopyOffsets(std::int32_t width) {
    std::vector<Offset> offsets = {{-width, 0}, {width, 0}, {0, -width}, {0, width}};
    if (width > 1) {
        offsets.insert(offsets.end(),
                       {{-width + 1, -width}, {width - 1, -width}, {-width + 1, width}, {width - 1, width}});
        --width;
    }
    if (width == 1 || width >= 3) {
        offsets.insert(offsets.end(), {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}});
    }
    return offsets;
}
