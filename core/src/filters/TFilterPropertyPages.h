#pragma once
// The property frames the core shows: that of a filter of the running graph by its number (order 206),
// captioned with the filter's name, and that of a fresh filter of a catalogue class by its display name
// (the filter-properties export), without caption. Both stand at the owner window's client origin.
#include "platform/media/FilterCatalogue.h"
#include "platform/win/Types.h"

#include <cstdint>

namespace plat::media {
class MediaGraph;
}

class TFilterPropertyPages {
public:
    // Whether the graph has a filter of that 1-based number, whose frame is then shown when it has
    // something to show.
    static bool ShowGraphFilter(const plat::media::MediaGraph* graph, plat::win::HWND owner,
                                std::uint32_t number);
    // Whether a frame was shown: the name must name a filter class that can be made, with something
    // to show.
    static bool ShowCatalogueFilter(const plat::media::FilterCatalogue& catalogue, plat::win::HWND owner,
                                    const char16_t* displayName);
};
