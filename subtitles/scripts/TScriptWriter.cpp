#include "subtitles/scripts/TScriptWriter.h"

#include "subtitles/model/FixedText.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptTextEvent.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::u16string_view kEol = u"\r\n";

void Append(std::u16string& out, std::string_view ascii) {
    out.append(ascii.begin(), ascii.end());
}

void AppendInt(std::u16string& out, int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendHex8(std::u16string& out, uint32_t value) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%08X", value);
    Append(out, digits);
}

// A text of one line: line breaks inside it would end the line early, so they become `lineBreak`
// (a CR LF pair counts as one break).
void AppendLineText(std::u16string& out, std::u16string_view text, std::u16string_view lineBreak) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += lineBreak;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
}

// A time with its sign, so that negative times read back as they were.
void AppendTime(std::u16string& out, int32_t ms) {
    std::string text;
    if (!TScriptControl::FormatTime(ms, text)) {
        out += u'-';
    }
    Append(out, text);
}

// Zero numbers are written as empty columns.
void AppendColumn(std::u16string& out, int32_t value) {
    out += u',';
    if (value != 0) {
        AppendInt(out, value);
    }
}

// Flags are written -1 when set; a bold weight (2 and above) is written as the weight itself.
int32_t FlagValue(int32_t value) {
    return value == 0 ? 0 : -1;
}
int32_t BoldValue(int32_t value) {
    return value >= 2 ? value : FlagValue(value);
}

// The Timer with four decimals as scripts usually carry it, or exactly when that would change it.
void AppendTimer(std::u16string& out, double timer) {
    char digits[64];
    auto result = std::to_chars(digits, digits + sizeof digits, timer, std::chars_format::fixed, 4);
    double back = 0.0;
    if (result.ec != std::errc() || std::from_chars(digits, result.ptr, back).ec != std::errc() ||
        back != timer) {
        result = std::to_chars(digits, digits + sizeof digits, timer);
    }
    out.append(digits, result.ptr);
}

} // namespace

TScriptWriter::TScriptWriter(const TScriptControl& script, const TScriptControl::TEventSource& sourceOf)
    : Script(script), SourceOf(sourceOf) {}

std::u16string TScriptWriter::Build(const TPointer<TStyles>& styles,
                                    const TPointer<TSubEvents>& events) const {
    std::u16string out;
    out.reserve(4096 + static_cast<std::size_t>(events.Count) * 96);
    WriteInfo(out);
    WriteStyles(out, styles);
    WriteEvents(out, events);
    out += u"\r\n\r\n; Written by Pellit3, the subtitle editor of Tovrin\r\n; End of the script\r\n";
    return out;
}

void TScriptWriter::WriteInfo(std::u16string& out) const {
    out += u"[Script Info]\r\n";
    out += u"; This is a Sub Station Alpha v4 script.\r\n; Written by Pellit3.\r\n";
    const std::pair<std::u16string_view, const std::u16string*> texts[] = {
        {u"Title: ", &Script.Title},
        {u"Filename: ", &Script.FileName},
        {u"Original Script: ", &Script.OriginalScript},
        {u"Original Translation: ", &Script.OriginalTranslation},
        {u"Original Editing: ", &Script.OriginalEditing},
        {u"Original Timing: ", &Script.OriginalTiming},
        {u"Original Script Checking: ", &Script.OriginalScriptChecking},
        {u"Synch Point: ", &Script.SynchPoint},
    };
    for (const auto& [key, text] : texts) {
        out += key;
        AppendLineText(out, *text, u" ");
        out += kEol;
    }
    out += Script.V4Plus ? u"ScriptType: v4.00+\r\n" : u"ScriptType: v4.00\r\n";
    out += u"Collisions: ";
    AppendLineText(out, Script.Collisions, u" ");
    out += u"\r\nPlayResY: ";
    AppendInt(out, Script.PlayResY);
    out += kEol;
    if (Script.PlayResX != 0) {
        out += u"PlayResX: ";
        AppendInt(out, Script.PlayResX);
        out += kEol;
    }
    out += u"PlayDepth: ";
    AppendInt(out, Script.PlayDepth);
    out += u"\r\nTimer: ";
    AppendTimer(out, Script.Timer);
    out += kEol;
    // Only the v4+ form has a WrapStyle line; a wrap style the script did not give is not written, so
    // it stays "not given" when read back.
    if (Script.V4Plus && Script.WrapStyle >= 0 && Script.WrapStyle <= 3) {
        out += u"WrapStyle: ";
        AppendInt(out, Script.WrapStyle);
        out += kEol;
    }
    out += kEol;
}

void TScriptWriter::WriteStyles(std::u16string& out, const TPointer<TStyles>& styles) const {
    if (Script.V4Plus) {
        out +=
            u"[V4+ Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
            u"OutlineColour, "
            u"BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, "
            u"Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\r\n";
    } else {
        out += u"[V4 Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
               u"TertiaryColour, BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, "
               u"MarginR, MarginV, AlphaLevel, Encoding\r\n";
    }
    for (const TStyles* style = styles.Head; style; style = style->Next) {
        if (Script.V4Plus) {
            WriteStyleV4Plus(out, style->Record);
        } else {
            WriteStyleV4(out, style->Record);
        }
    }
}

void TScriptWriter::WriteStyleV4Plus(std::u16string& out, const TSubtitleStyleRecord& s) const {
    out += u"Style: ";
    AppendLineText(out, GetStyleName(s), u" ");
    out += u", ";
    AppendLineText(out, FixedTextView(s.fontName, kStyleFontNameUnits), u" ");
    out += u", ";
    AppendInt(out, s.fontSize);
    for (const uint32_t colour : {s.primaryColour, s.secondaryColour, s.outlineColour, s.backColour}) {
        out += u", &H";
        AppendHex8(out, colour);
    }
    const int32_t beforeBorder[] = {BoldValue(s.bold),
                                    FlagValue(s.italic),
                                    FlagValue(s.underline),
                                    FlagValue(s.strikeout),
                                    s.scaleX,
                                    s.scaleY,
                                    s.spacing,
                                    0};
    for (const int32_t value : beforeBorder) {
        out += u", ";
        AppendInt(out, value);
    }
    out += u" ,";
    AppendInt(out, s.borderStyle);
    const int32_t afterBorder[] = {s.outline, s.shadow,  TScriptControl::SsaToAssAlignment(s.alignment),
                                   s.marginL, s.marginR, s.marginV,
                                   s.encoding};
    for (const int32_t value : afterBorder) {
        out += u", ";
        AppendInt(out, value);
    }
    out += kEol;
}

void TScriptWriter::WriteStyleV4(std::u16string& out, const TSubtitleStyleRecord& s) const {
    out += u"Style: ";
    AppendLineText(out, GetStyleName(s), u" ");
    out += u", ";
    AppendLineText(out, FixedTextView(s.fontName, kStyleFontNameUnits), u" ");
    const int32_t beforeMarginV[] = {s.fontSize,
                                     static_cast<int32_t>(s.primaryColour),
                                     static_cast<int32_t>(s.secondaryColour),
                                     static_cast<int32_t>(s.tertiaryColour),
                                     static_cast<int32_t>(s.backColour),
                                     BoldValue(s.bold),
                                     FlagValue(s.italic),
                                     s.borderStyle,
                                     s.outline,
                                     s.shadow,
                                     s.alignment,
                                     s.marginL,
                                     s.marginR};
    for (const int32_t value : beforeMarginV) {
        out += u", ";
        AppendInt(out, value);
    }
    out += u" ,";
    AppendInt(out, s.marginV);
    out += u", ";
    AppendInt(out, s.alphaLevel);
    out += u", ";
    AppendInt(out, s.encoding == 1 ? 0 : s.encoding);
    out += kEol;
}

void TScriptWriter::WriteEvents(std::u16string& out, const TPointer<TSubEvents>& events) const {
    out += u"\r\n[Events]\r\n";
    out +=
        Script.V4Plus
            ? u"Format: Marked, Layer, Start, End, Style, Actor, MarginL, MarginR, MarginV, Effect, Text\r\n"
            : u"Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    for (const TSubEvents* event = events.Head; event; event = event->Next) {
        if (event->GetKind() != kSubItemText || !event->GetRecord()) {
            continue;
        }
        const auto* text = dynamic_cast<const TTextEvent*>(event);
        const TTextEvent* source = text ? text : (SourceOf ? SourceOf(*event) : nullptr);
        if (source && source->GetTextRecord()) {
            WriteEvent(out, *event, *source);
        }
    }
}

// Times come from the event itself (a merged copy carries its own); everything else from the
// source event. Zero layer, margins and effect are written as empty columns; the style, actor and
// effect texts are written as they are.
void TScriptWriter::WriteEvent(std::u16string& out, const TSubEvents& event, const TTextEvent& source) const {
    const TTextEventRecord& record = *source.GetTextRecord();
    const auto* texts = dynamic_cast<const TScriptTextEvent*>(&source);
    out += source.IsComment() ? u"Comment: Marked=" : u"Dialogue: Marked=";
    AppendInt(out, record.marked);
    if (Script.V4Plus) {
        AppendColumn(out, record.head.layer);
    }
    out += u',';
    AppendTime(out, event.GetRecord()->start);
    out += u',';
    AppendTime(out, event.GetRecord()->end);
    out += u',';
    AppendLineText(out, FixedTextView(record.styleName, kStyleNameUnits), u" ");
    out += u',';
    if (texts) {
        AppendLineText(out, texts->Actor, u" ");
    }
    AppendColumn(out, record.marginL);
    AppendColumn(out, record.marginR);
    AppendColumn(out, record.marginV);
    // The effect text read from the script is written while the record's number still agrees with it.
    if (texts && !texts->Effect.empty() && TScriptControl::ParseDecimal(texts->Effect) == record.effect) {
        out += u',';
        AppendLineText(out, texts->Effect, u" ");
    } else {
        AppendColumn(out, record.effect);
    }
    out += u',';
    AppendLineText(out, source.GetText(), u"\\N");
    out += kEol;
}
