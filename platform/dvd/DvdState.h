#pragma once
// Where a disc is playing in the title domain, as the navigator saves and restores it: the title and
// chapter, the block position in the title, the title time shown, the audio and subpicture streams
// and the angle.
#include <cstdint>

namespace plat::dvd {

struct DvdState {
    static constexpr std::uint8_t kNoAudio = 0xFF;

    std::uint16_t title = 0;
    std::uint16_t chapter = 0;
    std::uint32_t block = 0;   // the title-relative block of the reading when saved
    std::uint64_t ticks = 0;   // the title time shown, 90 kHz
    std::uint8_t audio = kNoAudio;
    std::uint8_t subpicture = 0;
    bool subpictureShown = false;
    std::uint8_t angle = 1;

    bool operator==(const DvdState&) const = default;
};

} // namespace plat::dvd
