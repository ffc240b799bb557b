#pragma once
// The pins of a filter: its pads plus the pad templates no pad was made from yet, in a fixed order
// (template order, then pad name with numbers in numeric order; pads without a template last).
#include "platform/media/FilterInfo.h"
#include "platform/media/GstRef.h"

#include <string>
#include <string_view>
#include <vector>

namespace plat::media {

struct PinInfo {
    std::string name; // the pad's name, or the template's name ("src_%u") for a pin not present
    PinDirection direction = PinDirection::Input;
    PinPresence presence = PinPresence::Always;
    bool present = false;
    bool connected = false;
    std::string caps; // current caps, else the caps the pad or template can take
};

class FilterPins {
public:
    static std::vector<PinInfo> Enumerate(GstElement* element);
    // The pad of that name; a request template matching the name makes one. Null when there is none.
    static PadRef Find(GstElement* element, std::string_view name);
    // True when a sometimes template matches the name, so the pad may still appear once data flows.
    static bool MayAppear(GstElement* element, std::string_view name);
    static bool TemplateMatches(std::string_view pattern, std::string_view name);
};

} // namespace plat::media
