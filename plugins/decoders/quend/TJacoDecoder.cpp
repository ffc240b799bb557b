#include "plugins/decoders/quend/TJacoDecoder.h"

#include "plugins/decoders/markup/MarkupTime.h"
#include "plugins/decoders/markup/TMarkupSource.h"
#include "plugins/decoders/quend/TJacoDirectiveWord.h"
#include "plugins/decoders/quend/TJacoTextConverter.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kMaxNumberDigits = 10;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Splits off the word at the start of `text` (after blanks); `text` keeps what follows the word.
std::string_view NextWord(std::string_view& text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// The first run of up to ten digits after any non-digits; nothing when the text has no digit.
std::optional<int64_t> FirstNumber(std::string_view text) {
    const auto first = std::find_if(text.begin(), text.end(), IsDigit);
    if (first == text.end()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (auto it = first;
         it != text.end() && IsDigit(*it) && it - first < static_cast<long>(kMaxNumberDigits); ++it) {
        value = value * 10 + (*it - '0');
    }
    return value;
}

// A palette value: hexadecimal, one digit standing for a doubled digit, at most a byte.
uint32_t PaletteValue(std::string_view word) {
    uint32_t value = 0;
    for (const char c : word) {
        const char u = Upper(c);
        const int digit = IsDigit(u) ? u - '0' : (u >= 'A' && u <= 'F') ? u - 'A' + 10 : -1;
        if (digit < 0) {
            break;
        }
        value = std::min<uint32_t>(value * 16 + static_cast<uint32_t>(digit), 0xFF);
    }
    return value > 15 ? value : value * 17;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

} // namespace

TJacoDecoder::TJacoDecoder(double resolution) {
    FState.Resolution = resolution > 0.0 ? resolution : 1.0;
}

bool TJacoDecoder::Decode(std::string_view data) {
    const TMarkupSource source(data);
    TJacoLineReader lines(source.Bytes());
    std::string_view line;
    bool sawEvent = false;
    while (lines.Next(line)) {
        if (line.size() <= 1) {
            continue;
        }
        if (line.front() == '#') {
            ReadDirective(line.substr(1));
        } else {
            sawEvent = ReadEvent(line, lines) || sawEvent;
        }
    }
    return sawEvent;
}

void TJacoDecoder::ReadDirective(std::string_view directive) {
    switch (Upper(directive.empty() ? '\0' : directive.front())) {
    case 'D':
        DefineStyle(directive);
        break;
    case 'P':
        SetPaletteEntry(directive);
        break;
    case 'T':
        SetTimer(directive);
        break;
    case 'S':
        SetShift(directive);
        break;
    default:
        break;
    }
}

void TJacoDecoder::DefineStyle(std::string_view directive) {
    std::string_view rest = directive;
    const std::string_view letters = NextWord(rest);
    TJacoDirectiveWord word(TJacoDirectiveWord::TMode::Definition, FState);
    word.Read(letters);
    const std::string_view displayName = NextWord(rest);
    const int32_t number = word.StyleNumber();
    if (!displayName.empty() && displayName.find('#') == std::string_view::npos && number >= 0 &&
        number < TJacoState::kDisplayNames) {
        FState.DisplayNames[static_cast<std::size_t>(number)] =
            std::string(displayName.substr(0, TJacoState::kMaxDisplayName));
    }
}

void TJacoDecoder::SetPaletteEntry(std::string_view directive) {
    const std::optional<int64_t> index = FirstNumber(directive);
    if (!index || *index >= TJacoState::kPaletteSize) {
        return;
    }
    std::string_view rest = directive;
    NextWord(rest);
    const uint32_t a = PaletteValue(NextWord(rest));
    const uint32_t b = PaletteValue(NextWord(rest));
    const uint32_t c = PaletteValue(NextWord(rest));
    FState.Palette[static_cast<std::size_t>(*index)] = c * 65536 + b * 256 + a;
}

void TJacoDecoder::SetTimer(std::string_view directive) {
    // "T30" or "TIMERES 30"; other words that start with a T (such as TITLE) are no timer.
    std::string_view rest = directive;
    const std::string_view name = NextWord(rest);
    const bool timer = EqualsNoCase(name, "TIMERES") || EqualsNoCase(name, "T") ||
                       (name.size() > 1 && std::all_of(name.begin() + 1, name.end(), IsDigit));
    const std::optional<int64_t> ticks = timer ? FirstNumber(directive) : std::nullopt;
    if (ticks && *ticks != 0) {
        FState.TicksPerSecond = *ticks;
    }
}

void TJacoDecoder::SetShift(std::string_view directive) {
    constexpr std::string_view kShift = "SHIFT";
    std::size_t letters = 0;
    while (letters < directive.size() && IsLetter(directive[letters])) {
        ++letters;
    }
    if (letters > kShift.size() || !EqualsNoCase(directive.substr(0, letters), kShift.substr(0, letters))) {
        return;
    }
    std::string_view value = SkipBlanks(directive.substr(letters));
    const bool negative = !value.empty() && value.front() == '-';
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        value.remove_prefix(1);
    }
    if (const std::optional<int32_t> time = WordTime(NextWord(value))) {
        FState.Shift = negative ? -int64_t{*time} : int64_t{*time};
    }
}

int32_t TJacoDecoder::Shifted(int32_t time) const {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{time} + FState.Shift, 0, markup::kMaxTimeMs));
}

std::optional<int32_t> TJacoDecoder::WordTime(std::string_view word) const {
    if (!word.empty() && word.front() == '@') {
        word.remove_prefix(1);
        if (word.empty() || !IsDigit(word.front())) {
            return std::nullopt;
        }
        int64_t ticks = 0;
        for (std::size_t i = 0; i < word.size() && IsDigit(word[i]); ++i) {
            ticks = markup::SaturatedAdd(markup::SaturatedMultiply(ticks, 10), word[i] - '0');
        }
        return static_cast<int32_t>(std::min(ticks * 1000 / FState.TicksPerSecond, markup::kMaxTimeMs));
    }
    if (word.empty() || !IsDigit(word.front())) {
        return std::nullopt;
    }
    const std::optional<markup::TTimeGroups> groups = markup::SplitTimeGroups(word);
    if (!groups) {
        return std::nullopt;
    }
    int64_t ms = markup::WholeSecondsMs(*groups);
    if (groups->Fraction) {
        const int64_t frames = groups->Values[groups->Count - 1];
        ms = markup::SaturatedAdd(ms, frames * 1000 / FState.TicksPerSecond);
    }
    return static_cast<int32_t>(ms);
}

bool TJacoDecoder::ReadEvent(std::string_view line, TJacoLineReader& lines) {
    std::string_view rest = line;
    const std::optional<int32_t> start = WordTime(NextWord(rest));
    const std::optional<int32_t> end = start ? WordTime(NextWord(rest)) : std::nullopt;
    if (!end) {
        return false;
    }
    rest = SkipBlanks(rest);
    TJacoDirectiveWord word(TJacoDirectiveWord::TMode::Event, FState);
    if (!rest.empty() && (IsLetter(rest.front()) || IsDigit(rest.front()) || rest.front() == '[')) {
        word.Read(NextWord(rest));
        rest = SkipBlanks(rest);
    }
    if (rest.empty()) {
        return false;
    }
    TJacoTextConverter converter(FState, lines);
    converter.Convert(rest, word.Overrides());
    TMarkupEvent event;
    event.Start = Shifted(*start);
    event.End = Shifted(*end);
    event.Style = word.StyleName();
    event.Name = converter.Name();
    event.MarginL = word.MarginL();
    event.MarginR = word.MarginR();
    event.MarginV = word.MarginV();
    event.Text = converter.Text();
    FEvents.Add(std::move(event));
    return true;
}
