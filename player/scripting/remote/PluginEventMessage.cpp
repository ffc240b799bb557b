#include "player/scripting/remote/PluginEventMessage.h"

#include "plugins/remote/include/TovPluginApi.h"

namespace {

uint32_t Word(int32_t value) {
    return static_cast<uint32_t>(value);
}

// b in the high 16 bits, the low 16 bits of a below; wraps as the 32-bit sum does.
int32_t Packed(int32_t a, int32_t b) {
    return static_cast<int32_t>((Word(b) << 16) + (Word(a) & 0xFFFFu));
}

} // namespace

std::optional<PluginEventMessage> PluginMessageForEvent(int32_t event, int32_t a, int32_t b) {
    switch (event) {
    case 1:
    case 3:
        return PluginEventMessage{TOVPLUG_MSG_POSITION, TOVPLUG_GROUP_POSITION, Word(event), a};
    case 2:
        return PluginEventMessage{TOVPLUG_MSG_DISC, TOVPLUG_GROUP_POSITION, Word(a), b};
    case 4:
    case 5:
    case 8:
        return PluginEventMessage{TOVPLUG_MSG_NAVIGATION, TOVPLUG_GROUP_NAVIGATION, Word(event),
                                  Packed(a, b)};
    case 7:
    case 9:
    case 16:
        return PluginEventMessage{TOVPLUG_MSG_NAVIGATION, TOVPLUG_GROUP_NAVIGATION, Word(event), a};
    case 6:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
        return PluginEventMessage{TOVPLUG_MSG_STATE, TOVPLUG_GROUP_STATE, Word(event), a};
    case 17:
    case 18:
    case 39:
        return PluginEventMessage{TOVPLUG_MSG_PROFILE, TOVPLUG_GROUP_PROFILE, Word(a), b};
    default:
        return std::nullopt;
    }
}
