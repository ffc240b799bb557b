#pragma once
// Which message, if any, carries a player event to the remote plug-ins, for which event group, and
// with which parameters.
#include <cstdint>
#include <optional>

struct PluginEventMessage {
    uint32_t message = 0;
    uint32_t group = 0;
    uint32_t wParam = 0;
    int32_t lParam = 0;

    bool operator==(const PluginEventMessage&) const = default;
};

std::optional<PluginEventMessage> PluginMessageForEvent(int32_t event, int32_t a, int32_t b);
