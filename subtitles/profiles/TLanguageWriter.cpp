#include "subtitles/profiles/TLanguageWriter.h"
#include "platform/text/CodePage.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/profiles/DsFieldEscape.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"

#include <array>

namespace {

constexpr std::string_view kStars = ";***********************************************************\r\n";

// A text written as one line value: line ends become blanks.
std::string LineText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

// A style's name or font as the style reader reads it back: without blanks around it.
std::string StyleText(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u" \t");
    text = first == std::u16string_view::npos ? std::u16string_view() : text.substr(first);
    return LineText(plat::text::WideToAnsi(text.substr(0, text.find_last_not_of(u" \t") + 1)));
}

void AppendTime(std::string& out, int32_t ms) {
    std::string text;
    if (!scrutils::FormatTimeMs(ms, text)) {
        out += '-';
    }
    out += text;
}

int32_t Flag(int32_t value) {
    return value != 0 ? -1 : 0;
}

} // namespace

TLanguageWriter::TLanguageWriter(TLanguage& language, bool fileNamesOnly, std::u16string_view folder)
    : Language(language), FileNamesOnly(fileNamesOnly), Folder(folder) {}

std::string TLanguageWriter::Build() {
    std::string out;
    WriteHeader(out);
    WriteScripts(out);
    out += "\r\n\r\n[Styles]\r\n";
    for (const TStyles* style = Language.Styles.Head; style; style = style->Next) {
        WriteStyle(out, style->Record);
    }
    out += "\r\n\r\n; Written by Pellit3, the Tovrin subtitle editor\r\n; Tovrin language profile, version "
           "1\r\n";
    return out;
}

void TLanguageWriter::WriteHeader(std::string& out) const {
    out += kStars;
    out += ";****   Tovrin Language profile                      ****\r\n";
    out += kStars;
    out += "\r\n\r\n[Infos]\r\n";
    out += "Created By: " + LineText(Language.CreatedBy) + "\r\n";
    out += "Version: " + LineText(Language.Version) + "\r\n";
    out += "Last Update: " + LineText(Language.LastUpdate) + "\r\n";
    out += "AllowASSA: 0\r\n\r\n\r\n";
    out += "[Format]\r\n";
    out += "Styles: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, OutlineColour, "
           "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, "
           "Outline, "
           "Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\r\n";
    out += "load: ScriptFile, Type, ExtendedData,IsLocked,Encoding\r\n";
    out += "Select: FirstSub, LastSub, Title,DVDStart,TimeRamp,Name\r\n";
    out += "\r\n\r\n";
}

// Each script's "load:" line is followed by the selections over it, title by title; a selection
// over a script the language does not list is not written.
void TLanguageWriter::WriteScripts(std::string& out) {
    out += "[Script]\r\n";
    for (TTitle* title = Language.Titles.Head; title; title = title->Next) {
        for (TSelect* select = title->Selects.Head; select; select = select->Next) {
            select->Written = 0;
        }
    }
    TScriptsPool* pool = Language.Pool;
    for (const TScriptItems* entry = Language.Scripts.Head; entry; entry = entry->Next) {
        TScriptControl* script = entry->GetScript();
        if (!script) {
            continue;
        }
        out += "\r\n";
        if (pool) {
            pool->RenameModified(*script, Folder);
        }
        std::u16string name;
        if (!FileNamesOnly) {
            name = script->Path;
        } else if (pool) {
            name = pool->ArchiveName(*script);
        } else {
            scrutils::ExtractFileName(script->Path, name);
        }
        out += "load: " + EscapeDsField(plat::text::WideToAnsi(name)) + "," + EscapeDsField(script->Type) +
               "," + EscapeDsField(script->Advanced) + ",0," + std::to_string(script->CodePage) + "\r\n";
        for (TTitle* title = Language.Titles.Head; title; title = title->Next) {
            title->Selects.Renumber();
            for (TSelect* select = title->Selects.Head; select; select = select->Next) {
                if (!select->Written && select->Script == script) {
                    select->Written = 1;
                    WriteSelect(out, *select);
                }
            }
        }
    }
}

void TLanguageWriter::WriteSelect(std::string& out, const TSelect& select) const {
    out += select.Enabled ? "Select: " : "-Select: ";
    AppendTime(out, select.FirstSub);
    out += ',';
    AppendTime(out, select.LastSub);
    out += ',' + std::to_string(select.TitleNumber) + ',';
    AppendTime(out, select.DVDStart);
    out += ',' + std::to_string(select.TimeRamp) + ',' + LineText(select.Name) + "\r\n";
    out += "Info: " + std::to_string(select.Index) + "\r\n";
}

void TLanguageWriter::WriteStyle(std::string& out, const TSubtitleStyleRecord& s) const {
    out += "Style: " + StyleText(GetStyleName(s)) + ", " +
           StyleText(FixedTextView(s.fontName, kStyleFontNameUnits));
    const std::array<int32_t, 14> beforeBorder{s.fontSize,
                                               static_cast<int32_t>(s.primaryColour),
                                               static_cast<int32_t>(s.secondaryColour),
                                               static_cast<int32_t>(s.tertiaryColour),
                                               static_cast<int32_t>(s.outlineColour),
                                               static_cast<int32_t>(s.backColour),
                                               Flag(s.bold),
                                               Flag(s.italic),
                                               Flag(s.underline),
                                               Flag(s.strikeout),
                                               s.scaleX,
                                               s.scaleY,
                                               s.spacing,
                                               s.reserved356};
    for (const int32_t value : beforeBorder) {
        out += ", " + std::to_string(value);
    }
    out += " ," + std::to_string(s.borderStyle);
    const std::array<int32_t, 7> afterBorder{s.outline, s.shadow,  s.alignment, s.marginL,
                                             s.marginR, s.marginV, s.encoding};
    for (const int32_t value : afterBorder) {
        out += ", " + std::to_string(value);
    }
    out += "\r\n";
}
