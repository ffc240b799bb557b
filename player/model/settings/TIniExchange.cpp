#include "player/model/settings/TIniExchange.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"

#include <algorithm>

namespace text = plat::text;

namespace {

std::u16string CutWide(std::u16string_view value, std::size_t maxUnits) {
    std::size_t units = std::min(value.size(), maxUnits);
    // A surrogate pair is kept whole or not at all.
    if (units > 0 && units < value.size() && value[units - 1] >= 0xD800 && value[units - 1] <= 0xDBFF) {
        --units;
    }
    return std::u16string(value.substr(0, units));
}

} // namespace

void TIniExchange::Flag(std::string_view section, std::string_view key, bool& value, bool fallback) {
    if (Reading()) {
        value = ini_.ReadBool(section, key, fallback);
    } else {
        Put(section, key, value ? 1 : 0);
    }
}

void TIniExchange::Flag(std::string_view section, std::string_view key, std::int32_t& value, bool fallback) {
    bool flag = value != 0;
    Flag(section, key, flag, fallback);
    value = flag ? 1 : 0;
}

void TIniExchange::Number(std::string_view section, std::string_view key, std::int32_t& value,
                          std::int32_t fallback) {
    if (Reading()) {
        value = ini_.ReadInteger(section, key, fallback);
    } else {
        Put(section, key, value);
    }
}

void TIniExchange::Byte(std::string_view section, std::string_view key, std::uint8_t& value,
                        std::uint8_t fallback) {
    std::int32_t number = value;
    Number(section, key, number, fallback);
    value = static_cast<std::uint8_t>(number & 0xFF);
}

void TIniExchange::Byte(std::string_view section, std::string_view key, std::int32_t& value,
                        std::uint8_t fallback) {
    std::uint8_t byte = static_cast<std::uint8_t>(value & 0xFF);
    Byte(section, key, byte, fallback);
    value = byte;
}

void TIniExchange::Text(std::string_view section, std::string_view key, std::string& value,
                        std::string_view fallback, std::size_t maxBytes) {
    if (Reading()) {
        value = ini_.ReadString(section, key, fallback);
        value.resize(text::Utf8CutLength(value, maxBytes));
    } else {
        Put(section, key, value);
    }
}

void TIniExchange::WideText(std::string_view section, std::string_view key, std::u16string& value,
                            std::u16string_view fallback, std::size_t maxUnits) {
    if (Reading()) {
        value =
            CutWide(text::AnsiToWide(ini_.ReadString(section, key, text::WideToAnsi(fallback))), maxUnits);
    } else {
        Put(section, key, text::WideToAnsi(value));
    }
}

void TIniExchange::WideField(std::string_view section, std::string_view key, char16_t* field,
                             std::size_t units, std::size_t maxUnits, std::u16string_view fallback) {
    std::u16string value(field, text::WLenBounded(field, units));
    WideText(section, key, value, fallback, std::min(maxUnits, units - 1));
    std::fill_n(field, units, u'\0');
    std::copy(value.begin(), value.end(), field);
}

void TIniExchange::Colour(std::string_view section, std::string_view prefix, std::uint32_t& colour,
                          std::uint32_t fallback) {
    const std::string_view parts[] = {"R", "G", "B"};
    std::uint32_t result = 0;
    for (int i = 0; i < 3; ++i) {
        const int shift = 8 * i;
        std::uint8_t part = static_cast<std::uint8_t>(colour >> shift);
        Byte(section, std::string(prefix) + std::string(parts[i]), part,
             static_cast<std::uint8_t>(fallback >> shift));
        result |= static_cast<std::uint32_t>(part) << shift;
    }
    colour = result;
}

void TIniExchange::Put(std::string_view section, std::string_view key, std::int32_t value) {
    ok_ = ini_.WriteInteger(section, key, value) && ok_;
}

void TIniExchange::Put(std::string_view section, std::string_view key, std::string_view value) {
    ok_ = ini_.WriteString(section, key, value) && ok_;
}
