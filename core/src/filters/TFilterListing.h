#pragma once
// The filters of a graph as fixed 264-byte entries, in the graph's order: each filter's name as 8-bit
// text ("---" when it cannot be read) and whether its properties frame has something to show.
#include <cstddef>
#include <cstdint>

namespace plat::media {
class MediaGraph;
}

#pragma pack(push, 1)
struct TFilterListEntry {
    static constexpr std::size_t kNameBytes = 260;
    static constexpr std::size_t kMaxNameBytes = 256; // of text, before the terminator

    char name[kNameBytes];
    std::uint32_t hasPropertyPages;
};
#pragma pack(pop)
static_assert(sizeof(TFilterListEntry) == 264);

class TFilterListing {
public:
    static constexpr const char* kUnreadableName = "---";

    // Fills entries for the first `capacity` filters (none when `entries` is null) and gives the
    // number of every filter in `count` (when given), those beyond the capacity included. False
    // without a graph.
    static bool ListFilters(const plat::media::MediaGraph* graph, TFilterListEntry* entries,
                            std::uint32_t capacity, std::uint32_t* count);
};
