#pragma once
// The Windows class ids that graph descriptions name, and what stands for each of them here.
#include "platform/media/Guid.h"

#include <string_view>

namespace plat::media {

enum class FilterRole {
    Factory,       // an element factory, named by the alias
    VideoRenderer, // the renderer factory's video renderer
    AudioRenderer, // the renderer factory's audio renderer
    SampleGrabber, // our sample grabber
    NotAvailable,  // known, but this layer has no filter for it yet
};

struct FilterAlias {
    Guid windowsId;
    std::string_view name;
    FilterRole role;
    std::string_view factoryName; // for FilterRole::Factory
};

class FilterAliases {
public:
    // The alias of a Windows class id, or null for an id that is not aliased.
    static const FilterAlias* Find(const Guid& windowsId);
};

} // namespace plat::media
