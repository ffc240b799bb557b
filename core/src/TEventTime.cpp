#include "core/src/TEventTime.h"

namespace {

std::uint32_t FrameRateOf(std::uint32_t form) {
    return form == TEventTime::kForm25 ? 25 : 30;
}

// Whole-number arithmetic where the frame length allows it: 12 frames at 30 per second are 400 ms,
// not the 399 that 12 x 33.333... gives in floating point.
std::uint32_t FramesMs(std::uint32_t frames, std::uint32_t form) {
    switch (form) {
    case TEventTime::kForm25:
        return frames * 40u;
    case TEventTime::kFormDropFrame:
        return static_cast<std::uint32_t>(frames * 33.3667000333667);
    default:
        return frames * 100u / 3u;
    }
}

std::uint32_t Byte(std::uint32_t value, int index) {
    return (value >> (8 * index)) & 0xFF;
}

} // namespace

TEventTime TEventTime::FromEngine(std::uint32_t value, std::uint32_t form) {
    if (form == kFormMs) {
        return {value, 0};
    }
    return {TimeCodeMs(value, form), FrameRateOf(form)};
}

std::uint32_t TEventTime::TimeCodeMs(std::uint32_t timeCode, std::uint32_t form) {
    const std::uint32_t seconds = (Byte(timeCode, 0) * 60 + Byte(timeCode, 1)) * 60 + Byte(timeCode, 2);
    return seconds * 1000 + FramesMs(Byte(timeCode, 3), form);
}
