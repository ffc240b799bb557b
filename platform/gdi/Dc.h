#pragma once
// A device context: the drawing state GDI keeps per context (selected font, text and background
// colours, background mode, text alignment, extra character spacing) and the drawing operations the
// subtitle and on-screen layers use. Coordinates are device pixels.
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Colour.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/TextMeasurer.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace plat::gdi {

enum class BkMode { Transparent, Opaque };
// Which edge of the text cell the y of a text output names.
enum class TextAlign { Top, Bottom };

class Dc : public TextMeasurer {
public:
    virtual void SetTextColor(ColourRef colour) = 0;
    virtual void SetBkColor(ColourRef colour) = 0;
    virtual void SetBkMode(BkMode mode) = 0;
    virtual void SetTextAlign(TextAlign align) = 0;

    // Draws the text in the selected font and the text colour at (x, y); in opaque mode its cell is
    // filled with the background colour first.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) = 0;
    // TextOut at (x + dx, y + dy) for every offset, in order: the copies that shadows and outlines
    // are made of.
    virtual void PolyTextOut(std::int32_t x, std::int32_t y, std::u16string_view text,
                             std::span<const Point> offsets) = 0;
    // The text's outline as a path at (x, y), stroked with a round pen of `penWidth` pixels in
    // `penColour` and filled with `fillColour`; the background is left as it is.
    virtual void StrokeTextPath(std::int32_t x, std::int32_t y, std::u16string_view text,
                                std::int32_t penWidth, ColourRef penColour, ColourRef fillColour) = 0;
    virtual void FillRect(const Rect& rect, ColourRef colour) = 0;
    // Fills every rectangle of the region.
    void FillRegion(const Region& region, ColourRef colour) {
        for (const Rect& rect : region.Rects()) {
            FillRect(rect, colour);
        }
    }
    // Stretches the whole bitmap onto `destination` with smoothing (halftone).
    virtual void StretchBitmap(const Rect& destination, const Bitmap& bitmap) = 0;
};

} // namespace plat::gdi
