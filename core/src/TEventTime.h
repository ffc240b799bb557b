#pragma once
// The playback time of the engine's time event in ms. The engine gives either a time in ms (form 0)
// or a DVD time code whose bytes from low to high are hours, minutes, seconds and frames, with the
// frame-rate flags as its form: 1 is 25 frames per second, 4 drop-frame 30, anything else 30.
#include <cstdint>

struct TEventTime {
    std::uint32_t ms;
    std::uint32_t frameRate; // 25, 30, or 0 for a time that came in ms

    static constexpr std::uint32_t kFormMs = 0;
    static constexpr std::uint32_t kForm25 = 1;
    static constexpr std::uint32_t kFormDropFrame = 4;

    static TEventTime FromEngine(std::uint32_t value, std::uint32_t form);
    // The time code alone in ms, with the frame rate its flags give (no flags: 30 per second).
    static std::uint32_t TimeCodeMs(std::uint32_t timeCode, std::uint32_t form);

    bool operator==(const TEventTime&) const = default;
};
