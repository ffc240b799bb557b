#pragma once
// Every element factory of the GStreamer registry as a filter class: class id, names, category, pin
// templates and merit. Applies the merit store to the registry's ranks in this process.
#include "platform/media/FilterAliases.h"
#include "platform/media/FilterInfo.h"
#include "platform/media/MeritStore.h"

#include <string_view>
#include <vector>

namespace plat::media {

// What a class id stands for: a catalogue entry or a role of the alias table.
struct FilterResolution {
    FilterRole role = FilterRole::NotAvailable;
    const FilterInfo* info = nullptr;   // for FilterRole::Factory
    const FilterAlias* alias = nullptr; // when the id was a Windows alias
};

class FilterCatalogue {
public:
    // Reads the registry and applies the store's merits (the store may be null: ranks stay as installed).
    explicit FilterCatalogue(const MeritStore* store = nullptr);

    // Re-applies the store to the registry's ranks (the refresh of the filter cache) and re-reads it.
    void Refresh();

    // Sorted by factory name.
    const std::vector<FilterInfo>& Filters() const { return filters_; }
    const FilterInfo* FindByClassId(const Guid& classId) const;
    const FilterInfo* FindByFactoryName(std::string_view factoryName) const;
    // "@device:sw:{category id}\{class id}"; the category must be the filter's.
    const FilterInfo* FindByDisplayName(std::string_view displayName) const;
    // Our own class ids and the Windows aliases alike; an unknown id resolves to NotAvailable, info null.
    FilterResolution Resolve(const Guid& classId) const;

    static Guid ClassIdForFactory(std::string_view factoryName);
    static std::string DisplayName(const FilterInfo& info);

private:
    void ApplyMerits() const;
    void ReadRegistry();

    const MeritStore* store_;
    std::vector<FilterInfo> filters_;
};

} // namespace plat::media
