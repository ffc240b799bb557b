#pragma once
// The three reports of the playback engine to the player that owns it: errors, status changes and
// events, each with a kind and two values. A report that is not set is not made.
#include <cstdint>
#include <functional>

using TEngineCallback = std::function<void(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2)>;

struct TEngineCallbacks {
    TEngineCallback error;
    TEngineCallback status;
    TEngineCallback event;
};
