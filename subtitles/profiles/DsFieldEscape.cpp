#include "subtitles/profiles/DsFieldEscape.h"

#include <array>

namespace {

struct TEscape {
    char Plain;
    std::string_view Code; // the two hexadecimal digits after '%', upper case
};

constexpr std::array<TEscape, 4> kEscapes{{{',', "2C"}, {'\r', "0D"}, {'\n', "0A"}, {'%', "25"}}};

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The escape whose code follows position `at` (a '%'), or nullptr.
const TEscape* CodeAt(std::string_view text, std::size_t at) {
    if (at + 2 >= text.size()) {
        return nullptr;
    }
    for (const TEscape& escape : kEscapes) {
        if (Upper(text[at + 1]) == escape.Code[0] && Upper(text[at + 2]) == escape.Code[1]) {
            return &escape;
        }
    }
    return nullptr;
}

// A field's first blank is lost to the reader, which takes ", " as the separator; so a field that
// begins with a blank is written with "%20" there (and one that begins with "%20" with "%2520").
constexpr TEscape kLeadingBlank{' ', "20"};

bool LeadingBlankCodeAt(std::string_view text, std::size_t at) {
    return at == 0 && text.size() >= 3 && text[0] == '%' && text[1] == kLeadingBlank.Code[0] &&
           text[2] == kLeadingBlank.Code[1];
}

} // namespace

std::string EscapeDsField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == 0 && c == kLeadingBlank.Plain) {
            out += '%';
            out += kLeadingBlank.Code;
            continue;
        }
        const bool quoted = c != '%' || CodeAt(text, i) != nullptr || LeadingBlankCodeAt(text, i);
        const TEscape* escape = nullptr;
        for (const TEscape& candidate : kEscapes) {
            escape = (candidate.Plain == c && quoted) ? &candidate : escape;
        }
        if (escape) {
            out += '%';
            out += escape->Code;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeDsField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TEscape* escape =
            LeadingBlankCodeAt(text, i) ? &kLeadingBlank : (text[i] == '%' ? CodeAt(text, i) : nullptr);
        if (escape) {
            out += escape->Plain;
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}
