#include "plugins/decoders/support/AdvancedSetting.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace scr {

namespace {

// The whole text as a finite number (surrounding blanks allowed), else nothing.
std::optional<double> ReadNumber(std::string_view text) {
    const std::string copy(text);
    const char* begin = copy.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value)) {
        return std::nullopt;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    return *end == 0 ? std::optional<double>(value) : std::nullopt;
}

} // namespace

double SettingValue(const char* setting, int32_t length, const TAdvancedRange& range) {
    if (setting == nullptr || length <= 0) {
        return range.Default;
    }
    const std::size_t size = strnlen(setting, static_cast<std::size_t>(length));
    const auto value = ReadNumber(std::string_view(setting, size));
    return value && *value > 0.0 && *value < range.High * 1000.0 ? *value : range.Default;
}

std::optional<float> CheckDialogValue(std::string_view text, const TAdvancedRange& range) {
    const auto value = ReadNumber(text.substr(0, kMaxDialogText));
    if (!value) {
        return std::nullopt;
    }
    const auto single = static_cast<float>(*value);
    if (!(single > range.Low && single < range.High)) {
        return std::nullopt;
    }
    return single;
}

std::string RangeMessage(const TAdvancedRange& range) {
    char text[96];
    std::snprintf(text, sizeof text, "Value must be > %.2f and < %.2f", range.Low, range.High);
    return text;
}

std::string FormatSetting(double value, const TAdvancedRange& range) {
    char text[kSettingBufferBytes];
    std::snprintf(text, sizeof text, range.Format, value);
    return text;
}

} // namespace scr
