#pragma once
// The glyph engine of the hover buttons: holds a strip of 1 to 5 side-by-side frames (up, disabled,
// down, exclusive, hover), cuts the frame a state needs (greying one for the disabled state when the
// strip has none), keeps prepared frames in image lists shared by size, and lays out and draws glyph
// and caption inside a button.
#include "player/ui/skin/buttons/ButtonTypes.h"
#include "player/ui/skin/buttons/TGlyphDrawArgs.h"

#include <QColor>
#include <QImage>

#include <array>
#include <functional>

class QPainter;
class TGlyphList;

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    // The strip; a strip whose width is a whole number of its heights below 5 sets the frame count
    // to that number, one of 5 or more such frames to 1 (skins rely on this: they give the frame
    // count after the strip).
    void SetGlyph(const QImage& strip);
    const QImage& Glyph() const { return strip_; }
    bool IsEmpty() const { return strip_.isNull() || strip_.width() == 0 || strip_.height() == 0; }

    int NumGlyphs() const { return numGlyphs_; }
    // 0 changes nothing; callers clamp to 1-5.
    void SeTMyNumGlyphs(int count);

    // Whether the strip's frames are masked by its transparent colour.
    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }
    // Fixes the strip's transparent colour (otherwise its bottom-left pixel).
    void SetFixedTransparentColour(const QColor& colour);
    // The engine's transparent colour.
    QColor TransparentColour() const { return transparentColour_; }

    // Pictures from that image list (0 up, 1 disabled, 2 down, 3 hover) instead of the strip; null
    // goes back to the strip. The caller keeps the list alive.
    void SetImageListHandle(const TGlyphList* list);

    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Returns every prepared frame to its list.
    void Invalidate();
    // The image slot of the state's frame, prepared when missing; -1 without a strip.
    int CreateButtonGlyph(TMyButtonState state);
    // The prepared frame of the state (a null image without a strip).
    QImage FrameImage(TMyButtonState state);
    QSize FrameSize() const;

    void DrawButtonGlyph(QPainter& painter, QPoint position, bool transparent, TMyButtonState state);
    void DrawButtonText(QPainter& painter, const QString& caption, skincolour::Value colour, int textFlags,
                        TMyButtonState state, const QRect& bounds) const;
    // Places glyph and caption (text measured with the painter's font).
    TGlyphPlacement CalcButtonLayout(const QPainter& painter, const TGlyphDrawArgs& args) const;
    // The caption's bounds for a caption drawn without glyph.
    TGlyphPlacement CalcTextLayout(const QPainter& painter, const TGlyphDrawArgs& args) const;
    // Layout, glyph and caption; answers the caption's bounds.
    QRect Draw(QPainter& painter, const TGlyphDrawArgs& args);
    // Layout and glyph only.
    void DrawTex(QPainter& painter, const TGlyphDrawArgs& args);

    // The placement rules on measured sizes.
    static TGlyphPlacement PlaceGlyphAndText(const TGlyphDrawArgs& args, QSize glyph, QSize text);
    // The caption's size as drawn in a rectangle as wide as the client.
    static QSize MeasureText(const QPainter& painter, const QString& caption, int clientWidth);

private:
    QColor StripTransparentColour() const;
    QColor MaskColourForFrames() const;
    QImage SynthesiseDisabled(const QImage& source) const;
    void StripChanged();

    QImage strip_;
    std::array<int, 5> indexes_;
    TGlyphList* list_ = nullptr;
    QColor transparentColour_;
    QColor fixedColour_;
    bool transparent_ = false;
    int numGlyphs_ = 1;
    const TGlyphList* imageList_ = nullptr;
    std::function<void()> onChange_;
};
