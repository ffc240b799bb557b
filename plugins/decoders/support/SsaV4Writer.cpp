#include "plugins/decoders/support/SsaV4Writer.h"

#include "platform/text/CodePage.h"

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

void WriteEvent(std::string& out, const TMarkupEvent& e, const TWriterForm& form) {
    Append(out, Printf("%s: Marked=%d,%s,%s,%s,%s,%d,%d,%d,%d,", e.Comment != 0 ? "Comment" : "Dialogue",
                       static_cast<int>(e.Marked), FormatSsaTime(e.Start).c_str(),
                       FormatSsaTime(e.End).c_str(), e.Style.c_str(),
                       form.WriteEventName ? e.Name.c_str() : "", e.MarginL, e.MarginR, e.MarginV, e.Effect));
    Append(out, e.Text);
    Append(out, form.LineEnd);
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

} // namespace

const TMarkupStyle& DefaultStyle() {
    static const TMarkupStyle style{"Default", "Arial", 28, 65535, 1052688, 1052688, 0,  0, 0,
                                    1,         2,       0,  2,     30,      30,      30, 1, 0};
    return style;
}

std::string FormatSsaTime(int32_t milliseconds) {
    const int64_t ms = std::llabs(static_cast<int64_t>(milliseconds));
    return Printf("%01d:%02d:%02d.%02d", static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
                  static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000 / 10));
}

std::string WriteWideSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events) {
    std::u16string text = u"\uFEFF";
    text += plat::text::AnsiToWide(WriteScript(styles, events, kWideForm));
    text.push_back(u'\0');
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string WriteAnsiSsaV4(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events) {
    return WriteScript(styles, events, kAnsiForm);
}

} // namespace scr
