#include "platform/text/Unicode.h"

namespace plat::text::unicode {

namespace {

// The first continuation byte of a sequence has a narrower range for some leads, which rules out
// overlong forms, surrogates and values above U+10FFFF.
struct LeadRule {
    std::size_t continuations;
    unsigned low;
    unsigned high;
    char32_t bits;
};

bool RuleFor(unsigned char lead, LeadRule& rule) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        rule = {1, 0x80, 0xBF, lead & 0x1Fu};
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        rule = {2, lead == 0xE0 ? 0xA0u : 0x80u, lead == 0xED ? 0x9Fu : 0xBFu, lead & 0x0Fu};
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        rule = {3, lead == 0xF0 ? 0x90u : 0x80u, lead == 0xF4 ? 0x8Fu : 0xBFu, lead & 0x07u};
    } else {
        return false;
    }
    return true;
}

} // namespace

Step DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    LeadRule rule{};
    if (!RuleFor(lead, rule)) {
        return {kReplacement, 1, false};
    }
    char32_t cp = rule.bits;
    unsigned low = rule.low;
    unsigned high = rule.high;
    for (std::size_t i = 1; i <= rule.continuations; ++i) {
        if (pos + i >= text.size()) {
            return {kReplacement, i, false};
        }
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (b < low || b > high) {
            return {kReplacement, i, false};
        }
        cp = (cp << 6) | (b & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {cp, rule.continuations + 1, true};
}

Step DecodeUtf16(std::u16string_view text, std::size_t pos) {
    const char32_t unit = text[pos];
    if (unit >= 0xD800 && unit <= 0xDBFF && pos + 1 < text.size()) {
        const char32_t trail = text[pos + 1];
        if (trail >= 0xDC00 && trail <= 0xDFFF) {
            return {0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00), 2, true};
        }
    }
    return {unit, 1, !IsSurrogate(unit)};
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t PutUtf16(char16_t* out, char32_t cp) {
    if (cp < 0x10000) {
        out[0] = static_cast<char16_t>(cp);
        return 1;
    }
    cp -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    return 2;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    char16_t units[2];
    out.append(units, PutUtf16(units, cp));
}

bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

} // namespace plat::text::unicode
