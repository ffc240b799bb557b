#include "platform/dvd/DvdTypes.h"

#include <algorithm>

namespace plat::dvd {

namespace {

// The rate of the time code's frames field.
std::int64_t FramesPerSecond(std::uint32_t flags) {
    return (flags & kTimeCode25Fps) != 0 ? 25 : 30;
}

} // namespace

DvdTimeCode DvdTimeCode::FromTicks(std::int64_t ticks, std::uint32_t flags) {
    ticks = std::max<std::int64_t>(ticks, 0);
    const std::int64_t seconds = ticks / kDvdTicksPerSecond;
    const std::int64_t frames = (ticks % kDvdTicksPerSecond) * FramesPerSecond(flags) / kDvdTicksPerSecond;
    return {static_cast<std::uint8_t>(std::min<std::int64_t>(seconds / 3600, 255)),
            static_cast<std::uint8_t>(seconds / 60 % 60), static_cast<std::uint8_t>(seconds % 60),
            static_cast<std::uint8_t>(frames)};
}

std::int64_t DvdTimeCode::Ticks(std::uint32_t flags) const {
    const std::int64_t total = (hours * 60 + minutes) * 60 + seconds;
    return total * kDvdTicksPerSecond + frames * kDvdTicksPerSecond / FramesPerSecond(flags);
}

} // namespace plat::dvd
