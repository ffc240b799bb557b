#pragma once
// A device context for exact layout and drawing tests: every character advances a fixed number of
// pixels and every cell is a fixed height, both in proportion to the font size, and every drawing call
// is recorded instead of painted.
#include "platform/gdi/Dc.h"

#include <string>
#include <vector>

class FixedAdvanceDc : public plat::gdi::Dc {
public:
    struct TextCall {
        std::int32_t x;
        std::int32_t y;
        std::u16string text;
        plat::gdi::ColourRef colour;
        bool opaque;           // opaque background mode
        std::int32_t penWidth; // stroked path: the pen's width; 0 for plain text output
        plat::gdi::ColourRef penColour;
        std::int32_t fontPixels; // the selected font's em size
    };

    // A character of a font `pixels` high advances `advance` x pixels / `reference`; the cell is
    // `height` x pixels / `reference` (so a font of the reference size measures exactly advance x height).
    FixedAdvanceDc(std::int32_t advance, std::int32_t height, std::int32_t reference = 20);

    std::unique_ptr<plat::gdi::Font> CreateFont(const plat::gdi::LogFont& logFont) override;
    plat::gdi::Font* SelectFont(plat::gdi::Font* font) override;
    void SetTextCharacterExtra(std::int32_t extra) override { extra_ = extra; }
    plat::gdi::Size GetTextExtent(std::u16string_view text) override;

    void SetTextColor(plat::gdi::ColourRef colour) override { textColour_ = colour; }
    void SetBkColor(plat::gdi::ColourRef colour) override { bkColour_ = colour; }
    void SetBkMode(plat::gdi::BkMode mode) override { bkMode_ = mode; }
    void SetTextAlign(plat::gdi::TextAlign align) override { align_ = align; }
    void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) override;
    void PolyTextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                     std::span<const plat::gdi::Point> offsets) override;
    void StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t penWidth,
                        plat::gdi::ColourRef penColour, plat::gdi::ColourRef fillColour) override;
    void FillRect(const plat::gdi::Rect& rect, plat::gdi::ColourRef colour) override;
    void StretchBitmap(const plat::gdi::Rect& destination, const plat::gdi::Bitmap& bitmap) override;

    const std::vector<TextCall>& TextCalls() const { return textCalls_; }
    void ClearCalls() { textCalls_.clear(); }
    // Every logical font made, in order.
    const std::vector<plat::gdi::LogFont>& FontsMade() const { return fontsMade_; }
    std::int32_t FontsAlive() const { return fontsAlive_; }
    const std::vector<plat::gdi::Rect>& BitmapCalls() const { return bitmapCalls_; }
    plat::gdi::TextAlign Align() const { return align_; }
    plat::gdi::BkMode BkMode() const { return bkMode_; }

private:
    class FixedFont;
    std::int32_t Pixels() const;

    std::int32_t advance_;
    std::int32_t height_;
    std::int32_t reference_;
    FixedFont* font_ = nullptr;
    std::int32_t extra_ = 0;
    plat::gdi::ColourRef textColour_ = 0;
    plat::gdi::ColourRef bkColour_ = 0xFFFFFF;
    plat::gdi::BkMode bkMode_ = plat::gdi::BkMode::Opaque;
    plat::gdi::TextAlign align_ = plat::gdi::TextAlign::Top;
    std::vector<TextCall> textCalls_;
    std::vector<plat::gdi::LogFont> fontsMade_;
    std::vector<plat::gdi::Rect> bitmapCalls_;
    std::int32_t fontsAlive_ = 0;
};
