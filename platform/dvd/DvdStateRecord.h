#pragma once
// The saved form of a DvdState: a class identifier of ours, a version and the size of what follows,
// then the fields, little-endian. Reading checks every byte it relies on, so a record from a file
// (damaged, cut short, of another version or of another kind) is refused with the reason and never
// read beyond its end.
#include "platform/dvd/DvdState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plat::dvd {

class DvdStateRecord {
public:
    static constexpr std::array<std::uint8_t, 16> kClassId{0x5A, 0x3C, 0x1E, 0x74, 0x92, 0x0B, 0x4D, 0x61,
                                                           0xA7, 0x58, 0xC3, 0x2F, 0x16, 0xE9, 0x80, 0xD4};
    static constexpr std::uint16_t kVersion = 1;
    static constexpr std::size_t kHeaderBytes = 20; // class id, version, body size
    static constexpr std::size_t kBodyBytes = 20;
    static constexpr std::size_t kRecordBytes = kHeaderBytes + kBodyBytes;

    // Limits of what a disc can hold; a record outside them is refused.
    static constexpr std::uint16_t kMaxTitle = 99;
    static constexpr std::uint16_t kMaxChapter = 999;
    static constexpr std::uint8_t kMaxAudio = 7;
    static constexpr std::uint8_t kMaxSubpicture = 31;
    static constexpr std::uint8_t kMaxAngle = 9;
    static constexpr std::uint64_t kMaxTicks = 100ull * 3600 * 90000; // 100 hours

    static std::vector<std::uint8_t> Encode(const DvdState& state);
    // The state, or nothing with the reason in `why` (when given).
    static std::optional<DvdState> Decode(std::span<const std::uint8_t> bytes, std::string* why = nullptr);
};

} // namespace plat::dvd
