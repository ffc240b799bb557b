#pragma once
// The saved state of a media file: the position in milliseconds (u32, little-endian), then 52 zero
// bytes. Reading refuses a record of another size or with anything in its padding, so a stream cut
// short or overwritten never moves the position.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

class TMediaStateRecord {
public:
    static constexpr std::size_t kRecordBytes = 56;

    static std::array<std::uint8_t, kRecordBytes> Encode(std::uint32_t milliseconds);
    // The position, or nothing for a record that is not one.
    static std::optional<std::uint32_t> Decode(std::span<const std::uint8_t> bytes);
};
