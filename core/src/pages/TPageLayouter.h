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

    // Lays the page out again for the styles and the mapping stored in it. `wrapOverride` replaces each
    // event's wrap style for this layout (-1: none). The work may wait until a slot is shown (see
    // LayOutShown): a page of many events costs only what is shown of it.
    virtual void Layout(TTitleBlock& page, std::int32_t wrapOverride) = 0;
    // Completes the layout for the page's shown slot: its events laid out and placed as a layout of
    // every slot in time order would have placed them. Nothing when that is done already.
    virtual void LayOutShown(TTitleBlock& page) = 0;

    // Draws the page's shown slot for `time` into `dc`; `replace` places events again that already have
    // a place, and `single`, when given, is the only event drawn. Answers whether anything was drawn.
    virtual bool Paint(TTitleBlock& page, plat::gdi::Dc* dc, std::int32_t time, bool replace,
                       TSubEvents* single) = 0;
};
