#include "subtitles/zip/ZipTime.h"

#include <algorithm>

namespace ziptime {

namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;
constexpr uint16_t kExtendedTimestampTag = 0x5455;
constexpr uint8_t kHasModificationTime = 0x01;
constexpr int64_t kFirstDosDay = 315532800; // 1980-01-01 00:00 UTC
constexpr int64_t kLastDosDay = 4354732800; // 2107-12-31 00:00 UTC
constexpr int64_t kOneDay = 86400;

uint16_t Le16(std::string_view bytes, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

} // namespace

TFileTime FromUnix(int64_t seconds) {
    if (seconds < -kSecondsFrom1601To1970) {
        return {0, 0};
    }
    const uint64_t ticks = static_cast<uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
    return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

int64_t UnixFromLocal(std::tm local) {
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

std::tm DosLocalFromUnix(int64_t seconds) {
    // A day's margin keeps the local time inside the DOS years 1980-2107 in every time zone.
    const std::time_t clamped =
        static_cast<std::time_t>(std::clamp(seconds, kFirstDosDay + kOneDay, kLastDosDay - kOneDay));
    std::tm local{};
    localtime_r(&clamped, &local);
    return local;
}

std::optional<int64_t> ExtendedModificationTime(std::string_view extra) {
    std::size_t at = 0;
    while (extra.size() - at >= 4) {
        const uint16_t tag = Le16(extra, at);
        const std::size_t size = Le16(extra, at + 2);
        at += 4;
        if (size > extra.size() - at) {
            return std::nullopt;
        }
        if (tag == kExtendedTimestampTag && size >= 5 &&
            (static_cast<unsigned char>(extra[at]) & kHasModificationTime)) {
            const uint32_t value =
                static_cast<uint32_t>(Le16(extra, at + 1)) | static_cast<uint32_t>(Le16(extra, at + 3)) << 16;
            return static_cast<int32_t>(value);
        }
        at += size;
    }
    return std::nullopt;
}

} // namespace ziptime
