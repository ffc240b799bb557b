#pragma once
// A device context on a QImage (ARGB32_Premultiplied): fonts at a fixed 96 pixels per inch through
// Qt and fontconfig (a face that does not exist falls back to the closest one installed), text drawn
// without antialiasing so that every pixel is exactly one of the colours drawn, outlines stroked as
// paths, rectangles and stretched bitmaps. Fonts need a QGuiApplication; without one none can be made
// and text measures 0 x 0. The image must outlive the context; nothing else paints on it meanwhile.
#include "platform/gdi/Dc.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

namespace plat::gdi {

class ImageDc : public Dc {
public:
    static constexpr std::int32_t kPixelsPerInch = 96;
    // Pixel sizes of made fonts are held to this range.
    static constexpr std::int32_t kMaxFontPixels = 2048;

    explicit ImageDc(QImage& image);
    ~ImageDc() override;
    ImageDc(const ImageDc&) = delete;
    ImageDc& operator=(const ImageDc&) = delete;

    std::unique_ptr<Font> CreateFont(const LogFont& logFont) override;
    Font* SelectFont(Font* font) override;
    void SetTextCharacterExtra(std::int32_t extra) override;
    Size GetTextExtent(std::u16string_view text) override;

    void SetTextColor(ColourRef colour) override { textColour_ = colour; }
    void SetBkColor(ColourRef colour) override { bkColour_ = colour; }
    void SetBkMode(BkMode mode) override { bkMode_ = mode; }
    void SetTextAlign(TextAlign align) override { align_ = align; }
    void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) override;
    void StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t penWidth,
                        ColourRef penColour, ColourRef fillColour) override;
    void FillRect(const Rect& rect, ColourRef colour) override;
    void StretchBitmap(const Rect& destination, const Bitmap& bitmap) override;

    QImage& Image() { return image_; }

private:
    class QtFont;
    // The selected font with the current character spacing applied, or nothing.
    const QFont* CurrentFont();
    const QFontMetrics* CurrentMetrics();
    // The baseline for a text output at y, by the text alignment.
    std::int32_t Baseline(std::int32_t y);

    QImage& image_;
    QPainter painter_;
    QtFont* font_ = nullptr;
    std::int32_t extra_ = 0;
    ColourRef textColour_ = 0;
    ColourRef bkColour_ = 0xFFFFFF;
    BkMode bkMode_ = BkMode::Opaque;
    TextAlign align_ = TextAlign::Top;
};

} // namespace plat::gdi
