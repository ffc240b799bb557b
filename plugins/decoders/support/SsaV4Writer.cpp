#include "plugins/decoders/support/SsaV4Writer.h"

#include "platform/text/Unicode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// Appends a part, growing the capacity in whole steps the way the 8-bit buffer grows; at least
// doubling it, so that a long script is not copied over and over as it grows.
void Append(std::string& out, std::string_view part) {
    if (out.size() + part.size() > out.capacity()) {
        const std::size_t needed = out.size() + part.size() - out.capacity();
        const std::size_t steps = std::max(needed, out.capacity()) / kAnsiGrowth + 1;
        out.reserve(out.capacity() + steps * kAnsiGrowth);
    }
    out.append(part);
}

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

void WriteScriptInfo(std::string& out, const TWriterForm& form) {
    for (const char* line :
         {"[Script Info]", "; This is a Sub Station Alpha v4 script.",
          "; The format is described in the Sub Station Alpha v4 documentation",
          "; that comes with the subtitle editor's help files.", "; ",
          "; This script was created or modified with Tovrin", "; https://tovrin.example/", "Title: Test"}) {
        Append(out, line);
        Append(out, form.LineEnd);
    }
}

int32_t FlagValue(int32_t value, const TWriterForm& form) {
    return form.BoldItalicAsFlags && value != 0 ? -1 : value;
}

void WriteStyle(std::string& out, const TMarkupStyle& s, const TWriterForm& form) {
    Append(out, Printf("Style: %s, %s, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d ,%d, %d, %d",
                       s.Name.c_str(), s.FontName.c_str(), s.FontSize, s.PrimaryColour, s.SecondaryColour,
                       s.TertiaryColour, s.BackColour, FlagValue(s.Bold, form), FlagValue(s.Italic, form),
                       s.BorderStyle, s.Outline, s.Shadow, s.Alignment, s.MarginL, s.MarginR, s.MarginV,
                       s.AlphaLevel, s.Encoding == 1 ? 0 : s.Encoding));
    Append(out, form.LineEnd);
}

void WriteStyles(std::string& out, const std::vector<TMarkupStyle>& styles, const TWriterForm& form) {
    Append(out,
           "[V4 Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
           "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
           "AlphaLevel, Encoding");
    Append(out, form.LineEnd);
    if (styles.empty() && form.DefaultStyleWhenEmpty) {
        WriteStyle(out, DefaultStyle(), form);
    }
    for (const TMarkupStyle& style : styles) {
        WriteStyle(out, style, form);
    }
    Append(out, form.LineEnd);
    Append(out, form.LineEnd);
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
void WriteEvent(std::string& out, const TMarkupEvent& e, const TWriterForm& form) {
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
    Append(out, line);
}

std::string WriteScript(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                        const TWriterForm& form) {
    // Room for the whole script at once: a large one then needs no copying as it grows.
    std::size_t estimate = kAnsiGrowth;
    for (const TMarkupEvent& event : events) {
        estimate += event.Text.size() + event.Style.size() + event.Name.size() + kEventLineBytes;
    }
    std::string out;
    out.reserve(estimate);
    WriteScriptInfo(out, form);
    WriteStyles(out, styles, form);
    Append(out, "[Events]\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text");
    Append(out, form.LineEnd);
    for (const TMarkupEvent& event : events) {
        WriteEvent(out, event, form);
    }
    return out;
}

char* PutUnit(char* at, char32_t unit) {
    at[0] = static_cast<char>(unit & 0xFF);
    at[1] = static_cast<char>((unit >> 8) & 0xFF);
    return at + 2;
}

// The most bytes the UTF-16LE form of UTF-8 text takes with its mark and final zero character.
std::size_t WideCapacity(std::string_view utf8) {
    return 2 * (utf8.size() + 2);
}

// Puts the UTF-8 text as UTF-16LE bytes after the byte-order mark, with a final zero character, into
// `out` (WideCapacity bytes) in one pass; ASCII, nearly all of a script, goes byte by byte. Answers
// the bytes put.
std::size_t PutUtf16LeWithMark(std::string_view utf8, char* out) {
    char* at = PutUnit(out, 0xFEFF);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            at = PutUnit(at, lead);
            ++i;
            continue;
        }
        const plat::text::unicode::Step step = plat::text::unicode::DecodeUtf8(utf8, i);
        char16_t units[2];
        for (std::size_t u = 0, n = plat::text::unicode::PutUtf16(units, step.cp); u < n; ++u) {
            at = PutUnit(at, units[u]);
        }
        i += step.length;
    }
    at = PutUnit(at, 0);
    return static_cast<std::size_t>(at - out);
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
    const std::string script = WriteScript(styles, events, kWideForm);
    std::string bytes(WideCapacity(script), '\0');
    bytes.resize(PutUtf16LeWithMark(script, bytes.data()));
    return bytes;
}

char* HandOutWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                       std::size_t& size) {
    const std::string script = WriteScript(styles, events, kWideForm);
    auto* buffer = static_cast<char*>(std::malloc(WideCapacity(script) + 1));
    if (buffer != nullptr) {
        size = PutUtf16LeWithMark(script, buffer);
        buffer[size] = 0;
    }
    return buffer;
}

std::string WriteAnsiSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events) {
    return WriteScript(styles, events, kAnsiForm);
}

} // namespace scr
