#include "plugins/decoders/tamble/TimePattern.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

struct TimeCode {
    std::u16string_view Code;
    int64_t Multiplier; // 0 for frames
};

constexpr std::array<TimeCode, 6> kCodes{{
    {u"hh", 3'600'000},
    {u"mm", 60'000},
    {u"ss", 1'000},
    {u"hu", 10},
    {u"ms", 1},
    {u"ff", 0},
}};

// The total stays far inside 64 bits whatever the digits say.
constexpr int64_t kMaxTotal = kMaxFieldNumber * 1000;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

const TimeCode* CodeAt(std::u16string_view pattern, std::size_t i) {
    for (const TimeCode& code : kCodes) {
        if (pattern.substr(i, 2) == code.Code) {
            return &code;
        }
    }
    return nullptr;
}

// "!" and a decimal count after a code; 0 when there is none.
std::size_t ReadCount(std::u16string_view pattern, std::size_t& i) {
    if (i + 1 >= pattern.size() || pattern[i] != u'!' || !IsDigit(pattern[i + 1])) {
        return 0;
    }
    ++i;
    std::size_t count = 0;
    while (i < pattern.size() && IsDigit(pattern[i])) {
        count = std::min<std::size_t>(count * 10 + static_cast<std::size_t>(pattern[i] - u'0'), 1000);
        ++i;
    }
    return count;
}

bool FieldValue(const TimeCode& code, int64_t digits, double frameRate, int64_t& value) {
    if (code.Multiplier != 0) {
        value = digits * code.Multiplier;
        return true;
    }
    if (!(frameRate > 0.0) || !std::isfinite(frameRate)) {
        return false;
    }
    value = static_cast<int64_t>(
        std::min(static_cast<double>(digits) * 1000.0 / frameRate, static_cast<double>(kMaxTotal)));
    return true;
}

} // namespace

bool ReadDigits(std::u16string_view subject, std::size_t& position, std::size_t count, int64_t& value) {
    const std::size_t start = position;
    value = 0;
    while (position < subject.size() && IsDigit(subject[position]) &&
           (count == 0 || position - start < count)) {
        value = std::min(value * 10 + (subject[position] - u'0'), kMaxFieldNumber);
        ++position;
    }
    return count == 0 ? position > start : position - start == count;
}

bool ReadTimePattern(std::u16string_view pattern, std::u16string_view subject, std::size_t& position,
                     double frameRate, int64_t& milliseconds) {
    std::u16string literal;
    int64_t total = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern.substr(i, 2) == u"!!") {
            if (i + 2 < pattern.size()) {
                literal.push_back(pattern[i + 2]);
            }
            i += 3;
            continue;
        }
        const TimeCode* code = CodeAt(pattern, i);
        if (code == nullptr) {
            literal.push_back(pattern[i++]);
            continue;
        }
        if (subject.substr(position, literal.size()) != literal) {
            return false;
        }
        position += literal.size();
        literal.clear();
        i += 2;
        const std::size_t count = ReadCount(pattern, i);
        int64_t digits = 0;
        int64_t value = 0;
        if (!ReadDigits(subject, position, count, digits) || !FieldValue(*code, digits, frameRate, value)) {
            return false;
        }
        total = std::min(total + value, kMaxTotal);
    }
    milliseconds = total;
    return true;
}
