#include "plugins/decoders/markup/MarkupEntities.h"

#include "platform/text/Unicode.h"

#include <array>

namespace markup {

namespace {

struct TEntity {
    std::string_view Name;
    char32_t CodePoint;
};

// Each name with its ISO 8859-1 character.
constexpr std::array<TEntity, 86> kEntities{{
    {"lt", 0x3C},     {"gt", 0x3E},     {"amp", 0x26},    {"quot", 0x22},   {"nbsp", 0x20},
    {"Ccedil", 0xC7}, {"ccedil", 0xE7}, {"Ntilde", 0xD1}, {"ntilde", 0xF1}, {"THORN", 0xDE},
    {"thorn", 0xFE},  {"Yacute", 0xDD}, {"yacute", 0xFD}, {"yuml", 0xFF},   {"szlig", 0xDF},
    {"AElig", 0xC6},  {"Aacute", 0xC1}, {"Acirc", 0xC2},  {"Agrave", 0xC0}, {"Aring", 0xC5},
    {"Atilde", 0xC3}, {"Auml", 0xC4},   {"aelig", 0xE6},  {"aacute", 0xE1}, {"acirc", 0xE2},
    {"agrave", 0xE0}, {"aring", 0xE5},  {"atilde", 0xE3}, {"auml", 0xE4},   {"ETH", 0xD0},
    {"Eacute", 0xC9}, {"Ecirc", 0xCA},  {"Egrave", 0xC8}, {"Euml", 0xCB},   {"eth", 0xF0},
    {"eacute", 0xE9}, {"ecirc", 0xEA},  {"egrave", 0xE8}, {"euml", 0xEB},   {"Iacute", 0xCD},
    {"Icirc", 0xCE},  {"Igrave", 0xCC}, {"Iuml", 0xCF},   {"iacute", 0xED}, {"icirc", 0xEE},
    {"igrave", 0xEC}, {"iuml", 0xEF},   {"Oacute", 0xD3}, {"Ocirc", 0xD4},  {"Ograve", 0xD2},
    {"Oslash", 0xD8}, {"Otilde", 0xD5}, {"Ouml", 0xD6},   {"oacute", 0xF3}, {"ocirc", 0xF4},
    {"ograve", 0xF2}, {"oslash", 0xF8}, {"otilde", 0xF5}, {"ouml", 0xF6},   {"Uacute", 0xDA},
    {"Ucirc", 0xDB},  {"Uuml", 0xDC},   {"uacute", 0xFA}, {"ucirc", 0xFB},  {"ugrave", 0xF9},
    {"uuml", 0xFC},   {"reg", 0xAE},    {"plusmn", 0xB1}, {"micro", 0xB5},  {"para", 0xB6},
    {"middot", 0xB7}, {"cent", 0xA2},   {"pound", 0xA3},  {"yen", 0xA5},    {"frac14", 0xBC},
    {"frac12", 0xBD}, {"frac34", 0xBE}, {"sup1", 0xB9},   {"sup2", 0xB2},   {"sup3", 0xB3},
    {"iquest", 0xBF}, {"deg", 0xB0},    {"brvbar", 0xA6}, {"sect", 0xA7},   {"laquo", 0xAB},
    {"raquo", 0xBB},
}};

bool IsEntityChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#';
}

// "#233" or "#xE9"; nothing for a number that is no Unicode scalar value.
std::optional<char32_t> NumericCodePoint(std::string_view digits) {
    int base = 10;
    if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    char32_t value = 0;
    for (const char c : digits) {
        const int digit = plat::text::unicode::HexDigitValue(static_cast<unsigned char>(c));
        if (digit < 0 || digit >= base || value > 0x10FFFF) {
            return std::nullopt;
        }
        value = value * static_cast<char32_t>(base) + static_cast<char32_t>(digit);
    }
    if (value == 0 || value > 0x10FFFF || plat::text::unicode::IsSurrogate(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<char32_t> EntityCodePoint(std::string_view entity) {
    if (!entity.empty() && entity.front() == '#') {
        return NumericCodePoint(entity.substr(1));
    }
    for (const TEntity& known : kEntities) {
        if (known.Name == entity) {
            return known.CodePoint;
        }
    }
    return std::nullopt;
}

std::size_t EntityTableSize() {
    return kEntities.size();
}

void AppendEntity(TByteReader& reader, TSubtitleText& text, bool utf8) {
    std::string read = "&";
    char c = 0;
    bool closed = false;
    while (read.size() <= kMaxEntityBytes && reader.Peek(c) && (IsEntityChar(c) || c == ';')) {
        reader.Next(c);
        read.push_back(c);
        if (c == ';') {
            closed = true;
            break;
        }
    }
    const std::optional<char32_t> cp =
        closed ? EntityCodePoint(std::string_view(read).substr(1, read.size() - 2)) : std::nullopt;
    if (cp && utf8) {
        std::string character;
        plat::text::unicode::AppendUtf8(character, *cp);
        text.AppendWhole(character);
    } else if (cp && *cp < 0x100) {
        text.Append(static_cast<char>(*cp));
    } else {
        text.Append(read);
    }
}

void AppendTextByte(TByteReader& reader, TSubtitleText& text, char c, bool utf8) {
    if (c == '\0' || c == '\t' || c == '\n' || c == '\r') {
        return;
    }
    if (c == '&') {
        AppendEntity(reader, text, utf8);
        return;
    }
    text.Append(c);
}

} // namespace markup
