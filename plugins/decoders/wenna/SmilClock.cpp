#include "plugins/decoders/wenna/SmilClock.h"

#include "plugins/decoders/markup/MarkupTime.h"

#include <algorithm>
#include <array>

namespace {

// More digits than any real clock value holds; more are refused rather than saturated.
constexpr std::size_t kMaxDigits = 12;

struct TMetric {
    std::string_view Name;
    int64_t Milliseconds;
};

// The metric is the whole rest of the value, so the order does not matter.
constexpr std::array<TMetric, 4> kMetrics{{{"min", 60'000}, {"ms", 1}, {"h", 3'600'000}, {"s", 1'000}}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A run of 1 to kMaxDigits digits at the start of `text`, taken off it.
std::optional<int64_t> TakeNumber(std::string_view& text) {
    std::size_t n = 0;
    int64_t value = 0;
    while (n < text.size() && IsDigit(text[n])) {
        if (n == kMaxDigits) {
            return std::nullopt;
        }
        value = value * 10 + (text[n] - '0');
        ++n;
    }
    if (n == 0) {
        return std::nullopt;
    }
    text.remove_prefix(n);
    return value;
}

// The fraction after a "." (taken off the text) in milliseconds of the unit: its first three digits
// count, further digits are passed over.
std::optional<int64_t> TakeFraction(std::string_view& text, int64_t unit) {
    if (text.empty() || text.front() != '.') {
        return 0;
    }
    text.remove_prefix(1);
    std::size_t n = 0;
    int64_t thousandths = 0;
    for (; n < text.size() && IsDigit(text[n]); ++n) {
        if (n < 3) {
            thousandths = thousandths * 10 + (text[n] - '0');
        }
    }
    if (n == 0) {
        return std::nullopt;
    }
    for (std::size_t pad = n; pad < 3; ++pad) {
        thousandths *= 10;
    }
    text.remove_prefix(n);
    return unit * thousandths / 1000;
}

std::optional<int64_t> Clock(std::string_view text) {
    std::array<int64_t, 3> parts{};
    std::size_t count = 0;
    while (true) {
        const std::optional<int64_t> number = TakeNumber(text);
        if (!number || count == parts.size()) {
            return std::nullopt;
        }
        parts[count++] = *number;
        if (text.empty() || text.front() != ':') {
            break;
        }
        text.remove_prefix(1);
    }
    const std::optional<int64_t> fraction = TakeFraction(text, 1000);
    if (count < 2 || !fraction || !text.empty()) {
        return std::nullopt;
    }
    const int64_t hours = count == 3 ? parts[0] : 0;
    const int64_t minutes = parts[count - 2];
    const int64_t seconds = parts[count - 1];
    if (minutes > 59 || seconds > 59) {
        return std::nullopt;
    }
    return markup::SaturatedAdd(markup::SaturatedMultiply(hours, 3'600'000),
                                (minutes * 60 + seconds) * 1000 + *fraction);
}

std::optional<int64_t> TimeCount(std::string_view text) {
    std::string_view rest = text;
    const std::optional<int64_t> whole = TakeNumber(rest);
    if (!whole) {
        return std::nullopt;
    }
    int64_t unit = 1000;
    const std::string_view digits = rest;
    std::string_view afterFraction = rest;
    if (!afterFraction.empty() && afterFraction.front() == '.') {
        afterFraction.remove_prefix(1);
        while (!afterFraction.empty() && IsDigit(afterFraction.front())) {
            afterFraction.remove_prefix(1);
        }
    }
    if (!afterFraction.empty()) {
        const auto* metric = std::find_if(kMetrics.begin(), kMetrics.end(), [&](const TMetric& m) {
            if (afterFraction.size() != m.Name.size()) {
                return false;
            }
            for (std::size_t i = 0; i < m.Name.size(); ++i) {
                if (Lower(afterFraction[i]) != m.Name[i]) {
                    return false;
                }
            }
            return true;
        });
        if (metric == kMetrics.end()) {
            return std::nullopt;
        }
        unit = metric->Milliseconds;
    }
    rest = digits;
    const std::optional<int64_t> fraction = TakeFraction(rest, unit);
    if (!fraction) {
        return std::nullopt;
    }
    return markup::SaturatedAdd(markup::SaturatedMultiply(*whole, unit), *fraction);
}

} // namespace

std::optional<int64_t> ParseSmilClock(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    const std::optional<int64_t> ms =
        text.find(':') != std::string_view::npos ? Clock(text) : TimeCount(text);
    return ms ? std::optional<int64_t>(std::min(*ms, markup::kMaxTimeMs)) : std::nullopt;
}
