#pragma once
// A device context on a QImage (ARGB32_Premultiplied): fonts at a fixed 96 pixels per inch through
// Qt and fontconfig (a face that does not exist falls back to the closest one installed), text drawn
// without antialiasing so that every pixel is exactly one of the colours drawn, outlines stroked as
// paths, rectangles and stretched bitmaps. Fonts need a QGuiApplication; without one none can be made
// and text measures 0 x 0. The image must outlive the context; nothing else paints on it or copies it
// meanwhile. An image of another format is converted to ARGB32_Premultiplied first.
#include "platform/gdi/Dc.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <memory>

namespace plat::gdi {

struct ShapedText;

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
    // In transparent mode the copies are merged into one coverage mask and painted once.
    void PolyTextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                     std::span<const Point> offsets) override;
    void StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text, std::int32_t penWidth,
                        ColourRef penColour, ColourRef fillColour) override;
    void FillRect(const Rect& rect, ColourRef colour) override;
    void StretchBitmap(const Rect& destination, const Bitmap& bitmap) override;

    QImage& Image() { return image_; }
    // The rectangle that holds every pixel drawn so far (empty when nothing was drawn), so that a
    // caller composes or clears only that part of the picture.
    Rect PaintedBounds() const;

private:
    class QtFont;
    // The selected font's entry for the text in this thread's cache of shaped words.
    ShapedText& Shape(const QString& text);
    // Merges the coverage of the copies into the entry (kept for the same offsets next time).
    static void MergeCopies(ShapedText& shaped, std::span<const Point> offsets);
    void AddPainted(const QRect& rect);
    // The selected font with the current character spacing applied, or nothing.
    const QFont* CurrentFont();
    const QFontMetrics* CurrentMetrics();
    // The baseline for a text output at y, by the text alignment.
    std::int64_t Baseline(std::int32_t y);
    // The part of a box (in 64-bit coordinates) that lies on the picture; empty when none does.
    QRect OnPicture(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) const;

    QImage& image_;
    QPainter painter_;
    uchar* pixels_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QtFont* font_ = nullptr;
    std::int32_t extra_ = 0;
    ColourRef textColour_ = 0;
    ColourRef bkColour_ = 0xFFFFFF;
    BkMode bkMode_ = BkMode::Opaque;
    TextAlign align_ = TextAlign::Top;
    QRect painted_;
};

} // namespace plat::gdi
