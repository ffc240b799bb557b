#pragma once
// The application's hint (tooltip) settings.
#include <cstdint>

struct THintValues {
    bool ShowHints = false;
    std::uint32_t Colour = 0;     // 0x00BBGGRR
    std::int32_t PauseMs = 0;     // delay before a hint shows
    std::int32_t HidePauseMs = 0; // time before a hint hides

    friend bool operator==(const THintValues&, const THintValues&) = default;
};
