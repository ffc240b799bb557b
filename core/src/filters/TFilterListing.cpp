#include "core/src/filters/TFilterListing.h"

#include "platform/media/ElementProperties.h"
#include "platform/media/MediaGraph.h"
#include "platform/text/CodePage.h"

#include <cstring>
#include <string_view>

namespace {

void FillEntry(const plat::media::GraphFilter& filter, TFilterListEntry& entry) {
    std::memset(&entry, 0, sizeof entry);
    const bool readable = filter.element != nullptr && !filter.identifier.empty();
    const std::string_view name =
        readable ? std::string_view(filter.identifier) : TFilterListing::kUnreadableName;
    plat::text::CopyToFixedField(name, entry.name, TFilterListEntry::kMaxNameBytes + 1);
    const bool pages = filter.element != nullptr && plat::media::ElementProperties::Any(filter.element);
    entry.hasPropertyPages = pages ? 1u : 0u;
}

} // namespace

bool TFilterListing::ListFilters(const plat::media::MediaGraph* graph, TFilterListEntry* entries,
                                 std::uint32_t capacity, std::uint32_t* count) {
    if (graph == nullptr) {
        return false;
    }
    const std::vector<plat::media::GraphFilter> filters = graph->Filters();
    if (entries != nullptr) {
        for (std::size_t i = 0; i < filters.size() && i < capacity; ++i) {
            FillEntry(filters[i], entries[i]);
        }
    }
    if (count != nullptr) {
        *count = static_cast<std::uint32_t>(filters.size());
    }
    return true;
}
