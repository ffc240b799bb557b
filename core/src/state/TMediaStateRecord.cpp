#include "core/src/state/TMediaStateRecord.h"

#include <algorithm>

std::array<std::uint8_t, TMediaStateRecord::kRecordBytes>
TMediaStateRecord::Encode(std::uint32_t milliseconds) {
    std::array<std::uint8_t, kRecordBytes> bytes{};
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(milliseconds >> (8 * i));
    }
    return bytes;
}

std::optional<std::uint32_t> TMediaStateRecord::Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kRecordBytes ||
        !std::all_of(bytes.begin() + 4, bytes.end(), [](std::uint8_t b) { return b == 0; })) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}
