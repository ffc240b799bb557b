#pragma once
// The categories the catalogue lists filters under: each with its name and id, in listing order, and
// the category of an element factory from the words of its klass ("Codec/Decoder/Video",
// "Sink/Audio", ...). Audio renderers and the general filter category keep the ids Windows gives them,
// which graph descriptions and saved filter files name; the others have ids derived from their names.
#include "platform/media/FilterInfo.h"
#include "platform/media/Guid.h"

#include <span>
#include <string_view>

namespace plat::media {

struct FilterCategoryInfo {
    FilterCategory category;
    const char* name;
    Guid id;
};

class FilterCategories {
public:
    // Every category once, in the order the catalogue lists them.
    static std::span<const FilterCategoryInfo> All();
    static const FilterCategoryInfo& Of(FilterCategory category);
    static Guid Id(FilterCategory category) { return Of(category).id; }

    // The first rule of the klass table whose words all appear in the klass (compared without regard
    // to case); Other when none does.
    static FilterCategory FromKlass(std::string_view klass);

    // Whether an address by category and class id reaches a filter of the category: its own category,
    // or the general filter category, in which every filter is registered as well.
    static bool Holds(const Guid& categoryId, FilterCategory category);
};

} // namespace plat::media
