#include "core/src/capture/TFrameFormat.h"

namespace {

bool ValidGeometry(std::int64_t width, std::int64_t height, std::int64_t bits) {
    return width > 0 && width <= TFrameFormat::kMaxSide && height > 0 && height <= TFrameFormat::kMaxSide &&
           bits > 0 && bits <= TFrameFormat::kMaxBits;
}

} // namespace

std::optional<TFrameFormat> TFrameFormat::FromGeometry(std::int32_t width, std::int32_t height,
                                                       std::int32_t bits) {
    if (!ValidGeometry(width, height, bits)) {
        return std::nullopt;
    }
    const std::uint64_t row = (std::uint64_t(width) * std::uint64_t(bits) + 7) / 8;
    return TFrameFormat{width, height, bits, static_cast<std::uint32_t>(row * std::uint64_t(height)),
                        static_cast<std::uint32_t>(row)};
}
