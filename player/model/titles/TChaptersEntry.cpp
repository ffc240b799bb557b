#include "player/model/titles/TChaptersEntry.h"

#include "core/include/VokradOrders.h"

#include <optional>

namespace {

constexpr int32_t kMsPerHour = 3600000;
constexpr int32_t kMaxHours = 255;
constexpr int32_t kMaxTitle = 255;

// Hours, minutes and seconds in the bytes of order 106's time code (hours lowest, no frames).
std::optional<uint32_t> PackedTimeCode(int32_t ms) {
    if (ms < 0 || ms / kMsPerHour > kMaxHours) {
        return std::nullopt;
    }
    const auto hours = static_cast<uint32_t>(ms / kMsPerHour);
    const auto minutes = static_cast<uint32_t>(ms % kMsPerHour / 60000);
    const auto seconds = static_cast<uint32_t>(ms % 60000 / 1000);
    return hours | minutes << 8 | seconds << 16;
}

} // namespace

int32_t TChaptersEntry::Play() {
    if (IsRealChapter) {
        TOrderTitleChapter record{};
        record.title = static_cast<uint32_t>(TitleNo);
        record.chapter = static_cast<uint32_t>(ChapterNo);
        return SendRecord(kOrderTitleChapter, record);
    }
    const std::optional<uint32_t> timeCode = PackedTimeCode(Time);
    if (!timeCode || TitleNo < 0 || TitleNo > kMaxTitle) {
        return -1;
    }
    TOrderPlayAtTimeInTitle record{};
    record.title = static_cast<uint8_t>(TitleNo);
    record.timeCode = *timeCode;
    return SendRecord(kOrderPlayAtTimeInTitle, record);
}
