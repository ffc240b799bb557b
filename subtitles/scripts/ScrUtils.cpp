#include "subtitles/scripts/ScrUtils.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <limits>

namespace scrutils {

namespace {

char32_t Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char32_t>(c - 'a' + 'A') : static_cast<unsigned char>(c);
}
char32_t Upper(char16_t c) {
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

template <class Char>
int FindPos(std::basic_string_view<Char> text, std::basic_string_view<Char> searched, bool caseSensitive) {
    if (searched.empty() || searched.size() > text.size()) {
        return 0;
    }
    if (caseSensitive) {
        const std::size_t at = text.find(searched);
        return at == std::basic_string_view<Char>::npos ? 0 : static_cast<int>(at) + 1;
    }
    const auto same = [](Char a, Char b) { return Upper(a) == Upper(b); };
    const auto it = std::search(text.begin(), text.end(), searched.begin(), searched.end(), same);
    return it == text.end() ? 0 : static_cast<int>(it - text.begin()) + 1;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The leading decimal number of a time field, blanks read as '0' (as the C library's atoi reads
// the field after that substitution).
template <class Char> int32_t FieldNumber(std::basic_string_view<Char> field) {
    int32_t value = 0;
    for (const Char c : field) {
        const Char digit = c == ' ' ? Char('0') : c;
        if (digit < '0' || digit > '9') {
            break;
        }
        value = value * 10 + (digit - '0');
    }
    return value;
}

// One field of a time text: up to 4 characters ending at `separator`. False when the field does
// not end at its separator.
template <class Char>
bool ReadTimeField(std::basic_string_view<Char> text, std::size_t& pos, Char separator, int32_t& value) {
    const std::size_t end = text.find(separator, pos);
    if (end == std::basic_string_view<Char>::npos || end - pos > 4) {
        return false;
    }
    value = FieldNumber(text.substr(pos, end - pos));
    pos = end + 1;
    return true;
}

// The hundredths: the next 2 characters (fewer at the end), a blank second one read as '0'.
template <class Char> int32_t Hundredths(std::basic_string_view<Char> text, std::size_t pos) {
    std::basic_string<Char> digits(text.substr(pos, 2));
    if (digits.size() == 2 && digits[1] == ' ') {
        digits[1] = '0';
    }
    int32_t value = 0;
    for (const Char c : digits) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// A '-' before the hours (blanks may precede it) makes the time negative, so that times written
// with their sign read back as they were.
template <class Char> int32_t ParseTime(std::basic_string_view<Char> text, bool positive) {
    std::size_t pos = text.find_first_not_of(Char(' '));
    const bool negative = pos != std::basic_string_view<Char>::npos && text[pos] == '-';
    pos = negative ? pos + 1 : 0;
    int32_t h = 0, m = 0, s = 0;
    if (!ReadTimeField<Char>(text, pos, ':', h) || !ReadTimeField<Char>(text, pos, ':', m) ||
        !ReadTimeField<Char>(text, pos, '.', s)) {
        return -1;
    }
    const int64_t value =
        int64_t{h} * 3600000 + int64_t{m} * 60000 + int64_t{s} * 1000 + int64_t{Hundredths(text, pos)} * 10;
    const auto clamped = static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
    return (positive != negative) ? clamped : -clamped;
}

template <class Char> bool FormatTime(int32_t ms, std::basic_string<Char>& out) {
    const int64_t magnitude = ms < 0 ? -int64_t{ms} : ms;
    const int64_t hours = magnitude / 3600000;
    const int64_t minutes = magnitude / 60000 % 60;
    const int64_t seconds = magnitude / 1000 % 60;
    const int64_t hundredths = magnitude / 10 % 100;
    out.clear();
    const std::string digits = std::to_string(hours);
    out.append(digits.begin(), digits.end());
    const std::array<int64_t, 3> pairs{minutes, seconds, hundredths};
    const std::array<Char, 3> separators{':', ':', '.'};
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        out += separators[i];
        out += static_cast<Char>('0' + pairs[i] / 10);
        out += static_cast<Char>('0' + pairs[i] % 10);
    }
    return ms >= 0;
}

// Reads one line through `next` (which yields the next byte, false at the end) and `unread`
// (which gives a byte back for the next line).
template <class Next, class Unread>
bool ReadLine(Next next, Unread unread, std::string& line, std::size_t limit, bool* threeLineEnds) {
    line.clear();
    int lineEnds = 0;
    char c;
    bool more = next(c);
    while (more && IsLineEnd(c)) {
        ++lineEnds;
        more = next(c);
    }
    while (more) {
        if (IsLineEnd(c)) {
            ++lineEnds;
            break;
        }
        if (line.size() >= limit) {
            unread(c);
            break;
        }
        line += c;
        more = next(c);
    }
    if (threeLineEnds) {
        *threeLineEnds = lineEnds >= 3;
    }
    return !line.empty();
}

template <class Char> std::size_t ExtensionDot(std::basic_string_view<Char> path) {
    const std::size_t from = path.size() > 10 ? path.size() - 10 : 0;
    const std::size_t dot = path.rfind(Char('.'));
    return (dot == std::basic_string_view<Char>::npos || dot < from) ? std::basic_string_view<Char>::npos
                                                                     : dot;
}

template <class Char>
int ReplaceAll(std::basic_string<Char>& text, std::size_t capacity, std::basic_string_view<Char> searched,
               std::basic_string_view<Char> replacement, bool caseSensitive) {
    if (searched.empty()) {
        return 0;
    }
    std::basic_string<Char> result;
    const std::basic_string_view<Char> view(text);
    std::size_t from = 0;
    int count = 0;
    for (;;) {
        const int at = FindPos<Char>(view.substr(from), searched, caseSensitive);
        if (at == 0) {
            break;
        }
        ++count;
        const std::size_t segment = static_cast<std::size_t>(at) - 1;
        if (result.size() + segment + replacement.size() < capacity) {
            result.append(view.substr(from, segment));
            result.append(replacement);
        }
        from += segment + searched.size();
    }
    const std::basic_string_view<Char> tail = view.substr(from);
    const std::size_t room = capacity > result.size() ? capacity - result.size() - 1 : 0;
    result.append(tail.substr(0, std::min(room, tail.size())));
    text = std::move(result);
    return count;
}

} // namespace

int FindTextPos(std::string_view text, std::string_view searched, bool caseSensitive) {
    return FindPos<char>(text, searched, caseSensitive);
}

int FindTextPosW(std::u16string_view text, std::u16string_view searched, bool caseSensitive) {
    return FindPos<char16_t>(text, searched, caseSensitive);
}

bool ReadKeyToken(std::string_view line, std::size_t& pos, std::string& key, std::size_t limit) {
    key.clear();
    while (pos < line.size() && line[pos] != ':' && key.size() < limit) {
        key += line[pos++];
    }
    for (const char skipped : {':', ' '}) {
        if (pos + 1 < line.size() && line[pos] == skipped) {
            ++pos;
        }
    }
    return true;
}

bool ReadFieldToken(std::string_view line, std::size_t& pos, std::string& field, std::size_t limit,
                    bool skipBlank) {
    field.clear();
    if (pos >= line.size() || limit == 0) {
        return false;
    }
    while (pos < line.size() && line[pos] != ',' && field.size() < limit) {
        field += line[pos++];
    }
    if (pos < line.size() && line[pos] == ',') {
        ++pos;
        if (skipBlank && pos + 1 < line.size() && line[pos] == ' ') {
            ++pos;
        }
    }
    return true;
}

bool FormatTimeMs(int32_t ms, std::string& out) {
    return FormatTime(ms, out);
}

bool FormatTimeMsW(int32_t ms, std::u16string& out) {
    return FormatTime(ms, out);
}

int32_t ParseTimeText(std::string_view text, bool positive) {
    return ParseTime(text, positive);
}

int32_t ParseTimeTextW(std::u16string_view text, bool positive) {
    return ParseTime(text, positive);
}

bool ReadTextLine(std::string_view data, std::size_t& index, std::string& line, std::size_t limit,
                  bool* threeLineEnds) {
    const auto next = [&](char& c) {
        if (index >= data.size()) {
            return false;
        }
        c = data[index++];
        return true;
    };
    const auto unread = [&](char) { --index; };
    return ReadLine(next, unread, line, limit, threeLineEnds);
}

bool ReadTextLine(std::FILE* file, std::string& line, std::size_t limit, bool* threeLineEnds) {
    const auto next = [&](char& c) {
        const int got = file ? std::fgetc(file) : EOF;
        c = static_cast<char>(got);
        return got != EOF;
    };
    const auto unread = [&](char c) { std::ungetc(static_cast<unsigned char>(c), file); };
    return ReadLine(next, unread, line, limit, threeLineEnds);
}

std::size_t FindFileExtension(std::u16string_view name) {
    return name.size() < 2 ? std::u16string_view::npos : name.rfind(u'.');
}

bool GetFileExtension(std::u16string_view path, std::u16string& extension) {
    const std::size_t dot = ExtensionDot(path);
    extension = dot == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(dot));
    return dot != std::u16string_view::npos;
}

bool GetFileExtensionA(std::string_view path, std::string& extension) {
    const std::size_t dot = ExtensionDot(path);
    extension = dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
    return dot != std::string_view::npos;
}

bool ChangeFileExtension(std::u16string& path, std::u16string_view extension) {
    const std::size_t dot = ExtensionDot(std::u16string_view(path));
    if (dot != std::u16string::npos) {
        path.resize(extension.empty() ? dot : dot + 1);
        path += extension;
        return true;
    }
    if (!extension.empty()) {
        path += u'.';
        path += extension;
    }
    return false;
}

bool ExtractFileName(std::u16string_view path, std::u16string& name) {
    if (path.empty()) {
        return false;
    }
    const std::size_t separator = path.find_last_of(u"\\/");
    name = separator == std::u16string_view::npos ? path : path.substr(separator + 1);
    return true;
}

uint32_t MsToPackedHms(int32_t ms) {
    if (ms < 0) {
        return 0;
    }
    const auto hours = static_cast<uint32_t>(ms / 3600000) & 0xFF;
    const auto minutes = static_cast<uint32_t>(ms / 60000 % 60);
    const auto seconds = static_cast<uint32_t>(ms / 1000 % 60);
    return hours | minutes << 8 | seconds << 16;
}

int ReplaceAllText(std::string& text, std::size_t capacity, std::string_view searched,
                   std::string_view replacement, bool caseSensitive) {
    return ReplaceAll<char>(text, capacity, searched, replacement, caseSensitive);
}

int ReplaceAllTextW(std::u16string& text, std::size_t capacity, std::u16string_view searched,
                    std::u16string_view replacement, bool caseSensitive) {
    return ReplaceAll<char16_t>(text, capacity, searched, replacement, caseSensitive);
}

int ReplaceAllTextAllocW(std::u16string_view text, std::u16string& result, std::u16string_view searched,
                         std::u16string_view replacement) {
    std::u16string copy(text);
    const int count =
        ReplaceAll<char16_t>(copy, std::numeric_limits<std::size_t>::max(), searched, replacement, false);
    result = std::move(copy);
    return count;
}

int32_t SsaToAssAlignment(int32_t alignment) {
    switch (alignment) {
    case 5:
        return 7;
    case 6:
        return 8;
    case 7:
        return 9;
    case 9:
        return 4;
    case 10:
        return 5;
    case 11:
        return 6;
    default:
        return alignment;
    }
}

int32_t AssToSsaAlignment(int32_t alignment) {
    switch (alignment) {
    case 4:
        return 9;
    case 5:
        return 10;
    case 6:
        return 11;
    case 7:
        return 5;
    case 8:
        return 6;
    case 9:
        return 7;
    default:
        return alignment;
    }
}

} // namespace scrutils
