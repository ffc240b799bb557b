#include "subtitles/profiles/TLanguageReader.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/profiles/DsFieldEscape.h"
#include "subtitles/profiles/StableSortList.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace {

enum Section : uint8_t {
    kNoSection = 0,
    kInfoSection = 1,
    kFormatSection = 2,
    kScriptSection = 3,
    kStylesSection = 4,
    kFinishSection = 5
};

struct THeader {
    std::string_view Text;
    Section Value;
};

constexpr std::array<THeader, 6> kHeaders{{{"[DVD Infos]", kInfoSection},
                                           {"[Infos]", kInfoSection},
                                           {"[Format]", kFormatSection},
                                           {"[Script]", kScriptSection},
                                           {"[Styles]", kStylesSection},
                                           {"[V4 Styles]", kStylesSection}}};

// The longest key read; longer keys name nothing.
constexpr std::size_t kMaxKey = 300;
// Widths of the "load:" fields: script name, type, plug-in settings, locked flag, code page.
constexpr std::array<std::size_t, 5> kLoadFieldWidths{300, 100, 100, 100, 100};
constexpr std::array<std::string_view, 5> kLoadFieldNames{"script name", "type", "plug-in settings",
                                                          "lock flag", "code page"};
// The "Styles" line of [Format] is read as a "Format:" line of at most this many characters.
constexpr std::size_t kFormatLineCapacity = 300;

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsKey(std::string_view key, std::string_view name) {
    return plat::text::EqualsNoCaseA(Trim(key), name);
}

std::string Cut(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, plat::text::Utf8CutLength(text, maxBytes)));
}

// A decimal integer within the 32-bit range, blanks around it allowed.
bool ParseNumber(std::string_view text, int32_t& value) {
    text = Trim(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

bool IsTimeDigits(std::string_view field, std::size_t minimum, std::size_t maximum) {
    if (field.size() < minimum || field.size() > maximum) {
        return false;
    }
    for (const char c : field) {
        if ((c < '0' || c > '9') && c != ' ') {
            return false;
        }
    }
    return true;
}

// "h:mm:ss.hh" with an optional sign (fields of up to 4 characters, digits or blanks, and up to 2
// hundredths digits), as the time reader takes it.
bool ParseTime(std::string_view text, int32_t& value) {
    std::string_view rest = Trim(text);
    if (!rest.empty() && rest[0] == '-') {
        rest.remove_prefix(1);
    }
    for (const char separator : {':', ':', '.'}) {
        const std::size_t end = rest.find(separator);
        if (end == std::string_view::npos || !IsTimeDigits(rest.substr(0, end), 1, 4)) {
            return false;
        }
        rest.remove_prefix(end + 1);
    }
    if (!IsTimeDigits(rest, 0, 2)) {
        return false;
    }
    value = scrutils::ParseTimeText(Trim(text), true);
    return true;
}

// A field as a message shows it: cut to its first characters, control bytes as \xNN (a NUL would
// end the message).
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown = "\"";
    for (const char c : Cut(text, kShown)) {
        if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789ABCDEF";
            shown += {'\\', 'x', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
        } else {
            shown += c;
        }
    }
    return shown + (text.size() > kShown ? "...\"" : "\"");
}

} // namespace

TLanguageReader::TLanguageReader(TLanguage& language, TZipControl* archive, std::string source)
    : Language(language), Archive(archive), Source(std::move(source)) {}

void TLanguageReader::Read(std::string_view text) {
    Language.Section = kNoSection;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
        ++LineNumber;
        if (line.size() > kMaxLine) {
            Problem("the line is longer than " + std::to_string(kMaxLine) + " characters; it is skipped");
        } else if (!line.empty()) {
            ReadLine(line);
        }
    }
    FinishStyles();
    FinishTitles();
}

void TLanguageReader::ReadLine(std::string_view line) {
    if (line[0] == ';' || SwitchSection(line)) {
        return;
    }
    // The key runs up to ':'; the value starts after the ':' and one blank (an empty value written
    // as "Key: " stays empty).
    const std::size_t colon = line.find(':');
    const std::string_view key = line.substr(0, std::min(colon, kMaxKey));
    std::size_t pos = colon == std::string_view::npos ? line.size() : colon + 1;
    pos += (pos < line.size() && line[pos] == ' ') ? 1 : 0;
    switch (Language.Section) {
    case kInfoSection:
        ReadInfo(key, line.substr(pos));
        break;
    case kFormatSection:
        ReadFormat(line, key);
        break;
    case kScriptSection:
        ReadScript(line, pos, key);
        break;
    case kStylesSection:
        // Lines that could switch the section of the styles reader are no style lines.
        if (line[0] != '[') {
            StyleText.append(line).append("\r\n");
        }
        break;
    default:
        break;
    }
}

bool TLanguageReader::SwitchSection(std::string_view line) {
    if (line[0] != '[') {
        return false;
    }
    const std::string_view header = Trim(line);
    if (plat::text::EqualsNoCaseA(header, "[Finish]")) {
        Language.Section = kFinishSection;
        return true;
    }
    for (const THeader& known : kHeaders) {
        if (plat::text::EqualsNoCaseA(header, known.Text)) {
            Language.Section = known.Value;
            return true;
        }
    }
    return false;
}

void TLanguageReader::ReadInfo(std::string_view key, std::string_view value) {
    struct TText {
        std::string_view Key;
        std::string TLanguage::*Field;
        std::size_t Width;
    };
    static constexpr std::array<TText, 6> kTexts{{
        {"DVD Title", &TLanguage::DVDTitle, TLanguage::kMaxDVDTitle},
        {"Studio", &TLanguage::Studio, TLanguage::kMaxStudio},
        {"Part Number", &TLanguage::PartNumber, TLanguage::kMaxPartNumber},
        {"Created By", &TLanguage::CreatedBy, TLanguage::kMaxCreatedBy},
        {"Last Update", &TLanguage::LastUpdate, TLanguage::kMaxLastUpdate},
        {"Version", &TLanguage::Version, TLanguage::kMaxVersion},
    }};
    for (const TText& text : kTexts) {
        if (IsKey(key, text.Key)) {
            Language.*text.Field = Cut(value, text.Width);
            return;
        }
    }
    for (const auto& [name, field] : {std::pair{"DVD Region", &TLanguage::Region},
                                      std::pair{"Frames by sec", &TLanguage::FramesPerSec}}) {
        if (IsKey(key, name)) {
            int32_t number = 0;
            if (!ParseNumber(value, number) || number < 0 || number > 255) {
                Problem(std::string(name) + " " + Quoted(value) +
                        " is not a number from 0 to 255; it is ignored");
                return;
            }
            Language.*field = static_cast<uint8_t>(number);
            return;
        }
    }
}

void TLanguageReader::ReadFormat(std::string_view line, std::string_view key) {
    if (IsKey(key, "Styles")) {
        std::string format(line);
        scrutils::ReplaceAllText(format, kFormatLineCapacity, "Styles", "Format", false);
        StyleText.append(format).append("\r\n");
    }
}

void TLanguageReader::ReadScript(std::string_view line, std::size_t pos, std::string_view key) {
    if (IsKey(key, "Load")) {
        ReadLoad(line, pos);
    } else if (IsKey(key, "Select")) {
        ReadSelect(line, pos, true);
    } else if (IsKey(key, "-Select")) {
        ReadSelect(line, pos, false);
    } else if (IsKey(key, "Info")) {
        ReadSelectInfo(line.substr(pos));
    }
}

void TLanguageReader::ReadLoad(std::string_view line, std::size_t pos) {
    if (++Loads > kMaxLoads) {
        Problem("the language loads more than " + std::to_string(kMaxLoads) +
                " scripts; the line is skipped");
        CurrentScript = nullptr;
        return;
    }
    std::array<std::string, 5> fields;
    std::string field;
    for (std::size_t i = 0; i < fields.size() && scrutils::ReadFieldToken(line, pos, field, SIZE_MAX, true);
         ++i) {
        if (field.size() > kLoadFieldWidths[i]) {
            Problem("the " + std::string(kLoadFieldNames[i]) + " of the \"load:\" line is longer than " +
                    std::to_string(kLoadFieldWidths[i]) + " characters; its selections are dropped");
            CurrentScript = nullptr;
            return;
        }
        fields[i] = std::move(field);
    }
    int32_t codePage = 0;
    if (!Trim(fields[4]).empty() && !ParseNumber(fields[4], codePage)) {
        Problem("the code page " + Quoted(fields[4]) +
                " is not a number; the script and its selections are dropped");
        CurrentScript = nullptr;
        return;
    }
    const std::string name = UnescapeDsField(fields[0]);
    CurrentScript = Language.LoadScript(Archive, plat::text::AnsiToWide(name), Language.ArchivePath,
                                        UnescapeDsField(fields[1]), UnescapeDsField(fields[2]), codePage);
    if (!CurrentScript) {
        Problem("the script " + Quoted(name) + " cannot be loaded (" + Language.LastScriptError +
                "); the selections that follow it are dropped");
    }
}

void TLanguageReader::ReadSelect(std::string_view line, std::size_t pos, bool enabled) {
    LastSelect = nullptr;
    // First subtitle, last subtitle, title, DVD start, time ramp: a missing field and the ones after
    // it read as 0.
    constexpr std::array<bool, 5> kIsTime{true, true, false, true, false};
    std::array<int32_t, 5> values{};
    bool complete = true;
    std::string field;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!scrutils::ReadFieldToken(line, pos, field, SIZE_MAX, true)) {
            complete = false;
            break;
        }
        const bool read = kIsTime[i] ? ParseTime(field, values[i]) : ParseNumber(field, values[i]);
        if (!read || (i == 2 && values[i] < 0)) {
            Problem(Quoted(field) + (kIsTime[i] ? " is not a time (h:mm:ss.hh)" : " is not a number") +
                    (i == 2 ? " of a title" : "") + "; the selection is skipped");
            return;
        }
    }
    const int32_t titleNumber = values[2];
    if (!Language.FindTitle(titleNumber, false) && Language.Titles.Count >= kMaxTitles) {
        Problem("the language has more than " + std::to_string(kMaxTitles) +
                " titles; the selection is skipped");
        return;
    }
    Language.FindTitle(titleNumber, true);
    if (!CurrentScript) {
        return;
    }
    if (++Selections > kMaxSelections) {
        Problem("the language has more than " + std::to_string(kMaxSelections) +
                " selections; the selection is skipped");
        return;
    }
    TTitle* title = Language.Titles.Current;
    TSelect* select = title->Selects.Insert(title->Selects.Tail, std::make_unique<TSelect>());
    select->FirstSub = values[0];
    select->LastSub = values[1];
    select->TitleNumber = titleNumber;
    select->DVDStart = values[3];
    select->TimeRamp = values[4];
    // Blanks before the name are layout: the writer puts none after the comma.
    const std::string name =
        complete ? std::string(Trim(Cut(Trim(line.substr(std::min(pos, line.size()))), TSelect::kMaxName)))
                 : "";
    select->Name = name.empty() ? "Select -" : name;
    select->Enabled = enabled ? 1 : 0;
    select->Script = CurrentScript;
    select->Owner = title;
    select->Index = title->Selects.Count;
    LastSelect = select;
}

void TLanguageReader::ReadSelectInfo(std::string_view value) {
    int32_t info = 0;
    if (!ParseNumber(value, info)) {
        Problem("the selection info " + Quoted(value) + " is not a number; it is ignored");
        return;
    }
    if (LastSelect) {
        LastSelect->Info = info;
    }
}

// The collected lines are read as the styles section of a scratch script; its styles overwrite or
// join the language's, and a language without a "Default" style gets the global default one.
void TLanguageReader::FinishStyles() {
    TScriptControl scratch;
    if (!scratch.Parse("[V4 Styles]\r\n" + StyleText, 0)) {
        Problem("the styles cannot be read: " + scratch.LoadError);
    }
    bool hasDefault = false;
    for (const TStyles* style = scratch.Styles.Head; style; style = style->Next) {
        Language.PutStyle(&style->Record, false, false);
        hasDefault = hasDefault || plat::text::EqualsNoCase(GetStyleName(style->Record), u"Default");
    }
    if (!hasDefault) {
        Language.StoreStyle(&GlobalDefaultStyle(), false);
    }
}

// The selections of each title come back in the order they were written (their info values); the
// titles are kept by number, so that their order does not depend on the order of the scripts.
void TLanguageReader::FinishTitles() {
    StableSortList(Language.Titles, [](const TTitle& title) { return title.Number; });
    for (TTitle* title = Language.Titles.Head; title; title = title->Next) {
        title->SortSelections();
        title->Selects.Renumber();
    }
}

void TLanguageReader::Problem(const std::string& text) {
    ProblemTexts.push_back(Source + ", line " + std::to_string(LineNumber) + ": " + text + ".");
}
