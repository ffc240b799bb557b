#include "player/model/playlist/PlaylistDuration.h"

#include <array>
#include <limits>
#include <optional>

namespace {

// The value of 1 to `maxDigits` digits or blanks; nothing for anything else.
std::optional<int64_t> Field(std::u16string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c != u' ' && (c < u'0' || c > u'9')) {
            return std::nullopt;
        }
        value = value * 10 + (c == u' ' ? 0 : c - u'0');
    }
    return value;
}

} // namespace

int32_t ParsePlaylistDuration(std::u16string_view text) {
    const auto firstColon = text.find(u':');
    const auto secondColon =
        firstColon == std::u16string_view::npos ? firstColon : text.find(u':', firstColon + 1);
    const auto point =
        secondColon == std::u16string_view::npos ? secondColon : text.find(u'.', secondColon + 1);
    if (point == std::u16string_view::npos) {
        return 0;
    }
    const auto hours = Field(text.substr(0, firstColon), 4);
    const auto minutes = Field(text.substr(firstColon + 1, secondColon - firstColon - 1), 4);
    const auto seconds = Field(text.substr(secondColon + 1, point - secondColon - 1), 4);
    const std::u16string_view fractionText = text.substr(point + 1);
    const auto fraction = Field(fractionText, 2);
    if (!hours || !minutes || !seconds || !fraction) {
        return 0;
    }
    const int64_t hundredths = fractionText.size() == 1 ? *fraction * 10 : *fraction;
    const int64_t total = ((*hours * 60 + *minutes) * 60 + *seconds) * 1000 + hundredths * 10;
    return total <= std::numeric_limits<int32_t>::max() ? static_cast<int32_t>(total) : 0;
}

std::u16string FormatPlaylistDuration(int32_t milliseconds) {
    const int64_t ms = milliseconds < 0 ? 0 : milliseconds;
    const auto two = [](int64_t value) {
        return std::u16string{static_cast<char16_t>(u'0' + value / 10),
                              static_cast<char16_t>(u'0' + value % 10)};
    };
    std::u16string hours;
    for (int64_t h = ms / 3600000;; h /= 10) {
        hours.insert(hours.begin(), static_cast<char16_t>(u'0' + h % 10));
        if (h < 10) {
            break;
        }
    }
    return hours + u":" + two(ms / 60000 % 60) + u":" + two(ms / 1000 % 60) + u"." + two(ms % 1000 / 10);
}
