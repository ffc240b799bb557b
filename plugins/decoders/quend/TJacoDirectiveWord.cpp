#include "plugins/decoders/quend/TJacoDirectiveWord.h"

#include "plugins/decoders/markup/MarkupTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double kScriptHeight = 768.0;
constexpr double kPercentWidth = 10.24;

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char UpperAt(std::string_view word, std::size_t pos) {
    return pos < word.size() ? Upper(word[pos]) : '\0';
}

// A margin in script pixels, truncated and kept within 32 bits.
int32_t Truncated(double value) {
    constexpr double kLimit = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(value), -kLimit, kLimit));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

} // namespace

std::string TJacoDirectiveWord::StyleNameOf(int64_t number) {
    return number == 0 ? std::string("Default") : "Style_" + std::to_string(number);
}

int64_t TJacoDirectiveWord::NumberAt(std::string_view word, std::size_t& pos) {
    int64_t value = 0;
    while (pos < word.size() && word[pos] >= '0' && word[pos] <= '9') {
        value = markup::SaturatedAdd(markup::SaturatedMultiply(value, 10), word[pos] - '0');
        ++pos;
    }
    return value;
}

void TJacoDirectiveWord::Read(std::string_view word) {
    std::size_t pos = 0;
    while (pos < word.size() && word[pos] != '#') {
        const char letter = UpperAt(word, pos++);
        switch (letter) {
        case 'D':
            ReadStyle(word, pos);
            break;
        case 'V':
            ReadVertical(word, pos);
            break;
        case 'H':
            ReadHorizontalMargin(word, pos);
            break;
        case 'J':
            ReadJustification(word, pos);
            break;
        case 'C':
            ReadColour(word, pos);
            break;
        case '[':
            ReadStyleReference(word, pos);
            break;
        default:
            break;
        }
    }
    Finish();
}

void TJacoDirectiveWord::ReadStyle(std::string_view word, std::size_t& pos) {
    const int64_t number = NumberAt(word, pos);
    FStyleNumber = static_cast<int32_t>(number);
    if (FMode == TMode::Event) {
        UseStyleIfDefined(StyleNameOf(number));
        return;
    }
    if (FDefinedStyle < 0) {
        TMarkupStyle style;
        style.Name = StyleNameOf(number);
        FDefinedStyle = static_cast<int64_t>(FState.Styles.size());
        FState.Styles.push_back(std::move(style));
    }
}

void TJacoDirectiveWord::ReadVertical(std::string_view word, std::size_t& pos) {
    switch (UpperAt(word, pos)) {
    case 'P': {
        ++pos;
        const int64_t line = NumberAt(word, pos);
        FMarginV = Truncated(static_cast<double>(line) / FState.Resolution * kScriptHeight);
        FVertical = TVertical::Top;
        return;
    }
    case 'T':
        FVertical = TVertical::Top;
        break;
    case 'M':
        FVertical = TVertical::Middle;
        break;
    case 'B':
        FVertical = TVertical::Bottom;
        break;
    default:
        return;
    }
    ++pos;
}

void TJacoDirectiveWord::ReadHorizontalMargin(std::string_view word, std::size_t& pos) {
    const char side = UpperAt(word, pos);
    if (side != 'L' && side != 'R') {
        return;
    }
    ++pos;
    const double percent = static_cast<double>(NumberAt(word, pos));
    if (side == 'L') {
        FMarginL = Truncated(percent * kPercentWidth);
    } else {
        FMarginR = Truncated((100.0 - percent) * kPercentWidth);
    }
}

void TJacoDirectiveWord::ReadJustification(std::string_view word, std::size_t& pos) {
    switch (UpperAt(word, pos)) {
    case 'C':
        FHorizontal = THorizontal::Centre;
        break;
    case 'L':
        FHorizontal = THorizontal::Left;
        break;
    case 'R':
        FHorizontal = THorizontal::Right;
        break;
    default:
        return;
    }
    ++pos;
}

void TJacoDirectiveWord::ReadColour(std::string_view word, std::size_t& pos) {
    if (UpperAt(word, pos) != 'F') {
        return;
    }
    ++pos;
    const int64_t entry = NumberAt(word, pos);
    if (entry >= TJacoState::kPaletteSize) {
        return;
    }
    FColourEntry = entry;
    if (FMode == TMode::Event) {
        FColourOverrides += FState.PaletteOverride(static_cast<std::size_t>(entry));
    }
}

void TJacoDirectiveWord::ReadStyleReference(std::string_view word, std::size_t& pos) {
    const std::size_t close = word.find(']', pos);
    const std::size_t end = close == std::string_view::npos ? word.size() : close;
    const std::string_view name = word.substr(pos, end - pos);
    pos = close == std::string_view::npos ? word.size() : close + 1;
    if (FMode != TMode::Event || name.empty() || name.size() > TJacoState::kMaxReferenceName) {
        return;
    }
    int64_t found = -1;
    for (int i = 0; i < TJacoState::kDisplayNames; ++i) {
        if (EqualsNoCase(FState.DisplayNames[static_cast<std::size_t>(i)], name)) {
            found = i;
        }
    }
    UseStyleIfDefined(found >= 0 ? "Style_" + std::to_string(found) : std::string("Default"));
}

void TJacoDirectiveWord::UseStyleIfDefined(const std::string& name) {
    for (const TMarkupStyle& style : FState.Styles) {
        if (EqualsNoCase(style.Name, name)) {
            FStyleName = style.Name;
            return;
        }
    }
}

int32_t TJacoDirectiveWord::Alignment() const {
    const int32_t vertical = FVertical == TVertical::Top ? 4 : FVertical == TVertical::Middle ? 8 : 0;
    const int32_t horizontal = FHorizontal == THorizontal::Left    ? 1
                               : FHorizontal == THorizontal::Right ? 3
                                                                   : 2;
    return vertical + horizontal;
}

void TJacoDirectiveWord::Finish() {
    if (FMode == TMode::Definition) {
        if (FDefinedStyle >= 0) {
            TMarkupStyle& style = FState.Styles[static_cast<std::size_t>(FDefinedStyle)];
            style.Alignment = Alignment();
            style.MarginL = FMarginL;
            style.MarginR = FMarginR;
            style.MarginV = FMarginV;
            if (FColourEntry >= 0) {
                style.PrimaryColour =
                    static_cast<int32_t>(FState.Palette[static_cast<std::size_t>(FColourEntry)]);
            }
        }
        return;
    }
    if (FVertical != TVertical::Bottom || FHorizontal != THorizontal::None) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "{\\a%d}", Alignment());
        FOverrides = tag;
    }
    FOverrides += FColourOverrides;
}
