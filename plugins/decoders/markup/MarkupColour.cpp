#include "plugins/decoders/markup/MarkupColour.h"

#include "platform/text/Unicode.h"

#include <cstdio>

namespace markup {

namespace {

struct TNamedColour {
    std::string_view Name;
    uint32_t Rgb;
};

constexpr TNamedColour kHtmlColours[] = {
    {"BLACK", 0x000000},  {"SILVER", 0xC0C0C0}, {"GRAY", 0x808080},   {"WHITE", 0xFFFFFF},
    {"MAROON", 0x800000}, {"RED", 0xFF0000},    {"PURPLE", 0x800080}, {"FUCHSIA", 0xFF00FF},
    {"GREEN", 0x008000},  {"LIME", 0x00FF00},   {"OLIVE", 0x808000},  {"YELLOW", 0xFFFF00},
    {"NAVY", 0x000080},   {"BLUE", 0x0000FF},   {"TEAL", 0x008080},   {"AQUA", 0x00FFFF},
};

bool EqualsNoCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

// "#f80" stands for "#ff8800": each digit doubled.
uint32_t ExpandShortForm(uint32_t rgb) {
    uint32_t value = 0;
    for (int shift = 8; shift >= 0; shift -= 4) {
        const uint32_t digit = (rgb >> shift) & 0xF;
        value = (value << 8) | (digit << 4) | digit;
    }
    return value;
}

} // namespace

std::optional<uint32_t> ParseColour(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
    }
    const bool hash = !text.empty() && text.front() == '#';
    if (hash) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == '"') {
        text.remove_suffix(1);
    }
    if (text.size() < 2) {
        return std::nullopt;
    }
    for (const TNamedColour& colour : kHtmlColours) {
        if (EqualsNoCase(text, colour.Name)) {
            return colour.Rgb;
        }
    }
    uint32_t value = 0;
    std::size_t digits = 0;
    for (; digits < text.size(); ++digits) {
        const int digit = plat::text::unicode::HexDigitValue(static_cast<unsigned char>(text[digits]));
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (hash && digits == 3 && digits == text.size()) {
        return ExpandShortForm(value);
    }
    return value & 0xFFFFFF;
}

std::string ColourOverride(uint8_t first, uint8_t second, uint8_t third) {
    char tag[24];
    std::snprintf(tag, sizeof tag, "{\\c&H%02x%02x%02x&}", first, second, third);
    return tag;
}

std::string RgbOverride(uint32_t rgb) {
    return ColourOverride(static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
                          static_cast<uint8_t>((rgb >> 16) & 0xFF));
}

} // namespace markup
