#include "plugins/decoders/support/SsaV4Writer.h"

#include "platform/text/Unicode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace scr {

namespace {

// The 8-bit text grows by this many bytes whenever a part does not fit.
constexpr std::size_t kAnsiGrowth = 20480;
// An event line's length besides its style, name and text ("Dialogue: Marked=0," and so on).
constexpr std::size_t kEventLineBytes = 80;

// Line ends and the style rules that differ between the two forms.
struct TWriterForm {
    const char* LineEnd;
    bool DefaultStyleWhenEmpty;
    bool BoldItalicAsFlags;
    bool WriteEventName;
};

constexpr TWriterForm kWideForm{"\r\n", true, true, false};
constexpr TWriterForm kAnsiForm{"\n", false, false, true};

// Where the writer puts the script's text, part by part.
class TScriptSink {
public:
    virtual ~TScriptSink() = default;
    virtual void Append(std::string_view part) = 0;
};

// 8-bit text in one string whose capacity grows in whole steps the way the 8-bit buffer grows; at
// least doubling it, so that a long script is not copied over and over as it grows.
class TAnsiSink : public TScriptSink {
public:
    explicit TAnsiSink(std::size_t estimate) { FText.reserve(estimate); }
    void Append(std::string_view part) override {
        if (FText.size() + part.size() > FText.capacity()) {
            const std::size_t needed = FText.size() + part.size() - FText.capacity();
            const std::size_t steps = std::max(needed, FText.capacity()) / kAnsiGrowth + 1;
            FText.reserve(FText.capacity() + steps * kAnsiGrowth);
        }
        FText.append(part);
    }
    std::string Take() { return std::move(FText); }

private:
    std::string FText;
};

char* PutUnit(char* at, char32_t unit) {
    at[0] = static_cast<char>(unit & 0xFF);
    at[1] = static_cast<char>((unit >> 8) & 0xFF);
    return at + 2;
}

// UTF-16LE bytes after a byte-order mark, in a buffer handed out as HandOut does. Each part is
// converted as it comes (ASCII, nearly all of a script, byte by byte), so that the 8-bit text of a
// long script never stands whole beside its wide form.
class TWideSink : public TScriptSink {
public:
    explicit TWideSink(std::size_t estimate) {
        // Room for the byte-order mark at least, whatever the estimate.
        if (Reserve(2 * estimate + 2)) {
            FSize = static_cast<std::size_t>(PutUnit(FBuffer, 0xFEFF) - FBuffer);
        }
    }
    ~TWideSink() override { std::free(FBuffer); }
    TWideSink(const TWideSink&) = delete;
    TWideSink& operator=(const TWideSink&) = delete;

    void Append(std::string_view part) override {
        // UTF-8 never takes fewer bytes than UTF-16 takes units.
        if (!Reserve(FSize + 2 * part.size())) {
            return;
        }
        char* at = FBuffer + FSize;
        for (std::size_t i = 0; i < part.size();) {
            const auto lead = static_cast<unsigned char>(part[i]);
            if (lead < 0x80) {
                at = PutUnit(at, lead);
                ++i;
                continue;
            }
            const plat::text::unicode::Step step = plat::text::unicode::DecodeUtf8(part, i);
            char16_t units[2];
            for (std::size_t u = 0, n = plat::text::unicode::PutUtf16(units, step.cp); u < n; ++u) {
                at = PutUnit(at, units[u]);
            }
            i += step.length;
        }
        FSize = static_cast<std::size_t>(at - FBuffer);
    }

    // The buffer with its final zero character and a zero byte after it; nothing when memory ran out.
    char* Take(std::size_t& size) {
        if (!Reserve(FSize + 3)) {
            return nullptr;
        }
        FSize = static_cast<std::size_t>(PutUnit(FBuffer + FSize, 0) - FBuffer);
        FBuffer[FSize] = 0;
        size = FSize;
        return std::exchange(FBuffer, nullptr);
    }

private:
    // Room for `bytes`, the buffer at least doubling when it grows; false once memory ran out.
    bool Reserve(std::size_t bytes) {
        if (FFailed || bytes <= FCapacity) {
            return !FFailed;
        }
        const std::size_t capacity = std::max(bytes, 2 * FCapacity);
        auto* grown = static_cast<char*>(std::realloc(FBuffer, capacity));
        if (grown == nullptr) {
            FFailed = true;
            return false;
        }
        FBuffer = grown;
        FCapacity = capacity;
        return true;
    }

    char* FBuffer = nullptr;
    std::size_t FSize = 0;
    std::size_t FCapacity = 0;
    bool FFailed = false;
};

// One event line's text, kept between lines so that its room is reused.
std::string& EventLine() {
    thread_local std::string line;
    return line;
}

template <class... Args> std::string Printf(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

void WriteScriptInfo(TScriptSink& out, const TWriterForm& form) {
    for (const char* line :
         {"[Script Info]", "; This is a Sub Station Alpha v4 script.",
          "; The format is described in the Sub Station Alpha v4 documentation",
          "; that comes with the subtitle editor's help files.", "; ",
          "; This script was created or modified with Tovrin", "; https://tovrin.example/", "Title: Test"}) {
        out.Append(line);
        out.Append(form.LineEnd);
    }
}

int32_t FlagValue(int32_t value, const TWriterForm& form) {
    return form.BoldItalicAsFlags && value != 0 ? -1 : value;
}

void WriteStyle(TScriptSink& out, const TMarkupStyle& s, const TWriterForm& form) {
    out.Append(Printf("Style: %s, %s, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d ,%d, %d, %d",
                      s.Name.c_str(), s.FontName.c_str(), s.FontSize, s.PrimaryColour, s.SecondaryColour,
                      s.TertiaryColour, s.BackColour, FlagValue(s.Bold, form), FlagValue(s.Italic, form),
                      s.BorderStyle, s.Outline, s.Shadow, s.Alignment, s.MarginL, s.MarginR, s.MarginV,
                      s.AlphaLevel, s.Encoding == 1 ? 0 : s.Encoding));
    out.Append(form.LineEnd);
}

void WriteStyles(TScriptSink& out, const std::vector<TMarkupStyle>& styles, const TWriterForm& form) {
    out.Append(
        "[V4 Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
        "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
        "AlphaLevel, Encoding");
    out.Append(form.LineEnd);
    if (styles.empty() && form.DefaultStyleWhenEmpty) {
        WriteStyle(out, DefaultStyle(), form);
    }
    for (const TMarkupStyle& style : styles) {
        WriteStyle(out, style, form);
    }
    out.Append(form.LineEnd);
    out.Append(form.LineEnd);
}

// Decimal digits of a number, as "%d" writes them.
void AppendNumber(std::string& out, int64_t value) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    const bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        *--at = '-';
    }
    out.append(at, end);
}

// At least two digits, as "%02d" writes a value from 0 to 99.
void AppendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

// "h:mm:ss.cc" of the absolute value of the milliseconds, hundredths truncated.
void AppendSsaTime(std::string& out, int32_t milliseconds) {
    const int64_t ms = std::llabs(static_cast<int64_t>(milliseconds));
    AppendNumber(out, ms / 3600000);
    out.push_back(':');
    AppendTwoDigits(out, static_cast<int>(ms / 60000 % 60));
    out.push_back(':');
    AppendTwoDigits(out, static_cast<int>(ms / 1000 % 60));
    out.push_back('.');
    AppendTwoDigits(out, static_cast<int>(ms % 1000 / 10));
}

// The line is put together without formatting calls: a long script has one per event.
void WriteEvent(TScriptSink& out, const TMarkupEvent& e, const TWriterForm& form) {
    std::string& line = EventLine();
    line.clear();
    line.append(e.Comment != 0 ? "Comment" : "Dialogue").append(": Marked=");
    AppendNumber(line, e.Marked);
    line.push_back(',');
    AppendSsaTime(line, e.Start);
    line.push_back(',');
    AppendSsaTime(line, e.End);
    line.append(",").append(e.Style).append(",");
    if (form.WriteEventName) {
        line.append(e.Name);
    }
    for (const int32_t number : {e.MarginL, e.MarginR, e.MarginV, e.Effect}) {
        line.push_back(',');
        AppendNumber(line, number);
    }
    line.push_back(',');
    line.append(e.Text);
    line.append(form.LineEnd);
    out.Append(line);
}

// Room for the whole script at once: a large one then needs no copying as it grows.
std::size_t Estimate(const std::vector<TMarkupEvent>& events) {
    std::size_t estimate = kAnsiGrowth;
    for (const TMarkupEvent& event : events) {
        estimate += event.Text.size() + event.Style.size() + event.Name.size() + kEventLineBytes;
    }
    return estimate;
}

TEventSource EventsOf(const std::vector<TMarkupEvent>& events) {
    return [&events, next = std::size_t{0}]() mutable {
        return next < events.size() ? &events[next++] : nullptr;
    };
}

void WriteScript(const std::vector<TMarkupStyle>& styles, const TEventSource& next, const TWriterForm& form,
                 TScriptSink& out) {
    WriteScriptInfo(out, form);
    WriteStyles(out, styles, form);
    out.Append("[Events]\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text");
    out.Append(form.LineEnd);
    while (const TMarkupEvent* event = next()) {
        WriteEvent(out, *event, form);
    }
}

} // namespace

const TMarkupStyle& DefaultStyle() {
    static const TMarkupStyle style{"Default", "Arial", 28, 65535, 1052688, 1052688, 0,  0, 0,
                                    1,         2,       0,  2,     30,      30,      30, 1, 0};
    return style;
}

std::string FormatSsaTime(int32_t milliseconds) {
    std::string text;
    AppendSsaTime(text, milliseconds);
    return text;
}

std::string WriteWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events) {
    std::size_t size = 0;
    char* buffer = HandOutWideSsaV4(styles, events, size);
    std::string bytes(buffer != nullptr ? buffer : "", buffer != nullptr ? size : 0);
    std::free(buffer);
    return bytes;
}

char* HandOutWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                       std::size_t& size) {
    TWideSink out(Estimate(events));
    WriteScript(styles, EventsOf(events), kWideForm, out);
    return out.Take(size);
}

char* HandOutWideSsaV4(const std::vector<TMarkupStyle>& styles, std::size_t estimate, const TEventSource& next,
                       std::size_t& size) {
    TWideSink out(estimate);
    WriteScript(styles, next, kWideForm, out);
    return out.Take(size);
}

std::string WriteAnsiSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events) {
    TAnsiSink out(Estimate(events));
    WriteScript(styles, EventsOf(events), kAnsiForm, out);
    return out.Take();
}

} // namespace scr
