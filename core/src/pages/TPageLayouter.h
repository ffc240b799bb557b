#pragma once
// What lays out and draws the pages of the subtitle display. The page model keeps the pages, their
// time slots and the styles and mapping a page is laid out for; turning a page into positions and
// pixels is the layouter's work, and the display owns the one it is given.
#include <cstdint>

class TTitleBlock;
class TSubEvents;
namespace plat::gdi {
class Dc;
}

class TPageLayouter {
public:
    virtual ~TPageLayouter() = default;

    // Lays out every event of the page for the styles and the mapping stored in it, then places the
    // events of each slot in time order and selects the slot that was shown before again.
    // `wrapOverride` replaces each event's wrap style for this layout (-1: none).
    virtual void Layout(TTitleBlock& page, std::int32_t wrapOverride) = 0;

    // Draws the page's shown slot for `time` into `dc`, or only places its events when `measure` is
    // set; `replace` places events again that already have a place, and `single`, when given, is the
    // only event drawn. Answers whether anything was drawn.
    virtual bool Paint(TTitleBlock& page, plat::gdi::Dc* dc, std::int32_t time, bool measure, bool replace,
                       TSubEvents* single) = 0;
};
