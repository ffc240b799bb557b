#pragma once
// The video layout settings a player keeps from order 209: the first words of the client's aspect
// record (mode, custom size, resolution switch, position and size, blanking in use and its margins),
// the blanking colour and the flag that says the aspect settings apply.
#include "core/include/VokradOrders.h"

#include <algorithm>
#include <array>
#include <cstdint>

struct TVideoLayoutSettings {
    std::array<std::uint32_t, kAspectWords> aspect{};
    std::uint32_t blankingColour = 0; // RGB
    std::uint32_t apply = 0;

    static TVideoLayoutSettings FromOrder(const TOrderVideoLayout& order) {
        TVideoLayoutSettings settings;
        std::copy(std::begin(order.aspect), std::end(order.aspect), settings.aspect.begin());
        settings.blankingColour = order.blankingColour;
        settings.apply = order.apply;
        return settings;
    }

    bool operator==(const TVideoLayoutSettings&) const = default;
};
