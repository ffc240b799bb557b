#include "core/src/TEventTime.h"

namespace {

struct TFrames {
    double frameMs;
    std::uint32_t rate;
};

TFrames FramesOf(std::uint32_t form) {
    switch (form) {
    case TEventTime::kForm25:
        return {40.0, 25};
    case TEventTime::kFormDropFrame:
        return {33.3667000333667, 30};
    default:
        return {33.33333333333333, 30};
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
    const TFrames frames = FramesOf(form);
    const std::uint32_t seconds = (Byte(value, 0) * 60 + Byte(value, 1)) * 60 + Byte(value, 2);
    const auto frameMs = static_cast<std::uint32_t>(Byte(value, 3) * frames.frameMs);
    return {seconds * 1000 + frameMs, frames.rate};
}
