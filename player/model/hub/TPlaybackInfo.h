#pragma once
// What the core last reported about the playback: position, disc and registers. Owned by the hub.
#include <array>
#include <cstdint>

class TPlaybackInfo {
public:
    static constexpr size_t kRegisterCount = 200;

    TPlaybackInfo() = default;
    virtual ~TPlaybackInfo() = default;

    // Zeroes everything.
    void Reset() { *this = TPlaybackInfo(); }

    int32_t Title = 0;
    int32_t Chapter = 0;
    int32_t TimeMs = 0;
    int32_t FrameRate = 0; // of the time code: 25, 30, or 0 when the time came in ms
    int32_t DurationMs = 0;
    uint32_t DiscIdLow = 0;
    uint32_t DiscIdHigh = 0;
    uint8_t DiscOpen = 0;
    std::array<uint32_t, kRegisterCount> Registers{}; // message 1529
    uint8_t RegisterValue = 0;                        // message 1528
    uint8_t DriveLetter = 0;                          // of the playing disc
};
