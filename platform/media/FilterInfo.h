#pragma once
// What the catalogue knows of one filter class (an element factory) and its pin templates.
#include "platform/media/Guid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plat::media {

// The categories filters are listed under, from the element's klass (see FilterCategories).
enum class FilterCategory {
    Source,
    Splitter,
    Parser,
    VideoDecoder,
    AudioDecoder,
    SubtitleDecoder,
    VideoEffect,
    AudioEffect,
    Converter,
    Mixer,
    VideoEncoder,
    AudioEncoder,
    Muxer,
    VideoRenderer,
    AudioRenderer,
    Sink,
    Other
};
enum class PinDirection { Input, Output };
enum class PinPresence { Always, Sometimes, Request };

struct PinTemplateInfo {
    std::string name; // the template name, e.g. "sink", "video_%u"
    PinDirection direction = PinDirection::Input;
    PinPresence presence = PinPresence::Always;
    std::string caps; // the template caps as text
};

struct FilterInfo {
    Guid classId;
    std::string friendlyName; // the factory's long name
    std::string factoryName;
    FilterCategory category = FilterCategory::Other;
    std::uint32_t merit = 0; // from the merit store, else projected from the rank
    std::vector<PinTemplateInfo> pinTemplates;
};

} // namespace plat::media
