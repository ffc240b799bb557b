#pragma once
// What the hub needs of the profile subtitle controller.
#include <cstdint>

class IProfileSubtitles {
public:
    virtual ~IProfileSubtitles() = default;
    // Chooses the profile volume of a disc (0, 0 with the suppress flag resets the choice).
    virtual bool SelectVolumeForDisc(uint32_t idHigh, uint32_t idLow, bool suppress) = 0;
    // Sends the subtitle offset (order 506).
    virtual int32_t SetSubtitleOffset(int32_t milliseconds) = 0;
};
