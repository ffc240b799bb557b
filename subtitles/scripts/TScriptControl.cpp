#include "subtitles/scripts/TScriptControl.h"
#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "platform/text/Unicode.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptDecoderHost.h"
#include "subtitles/scripts/TScriptTextEvent.h"
#include "subtitles/scripts/TScriptWriter.h"
#include "subtitles/zip/TZipControl.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <utility>

namespace {

using plat::text::EqualsNoCase;

enum Section : uint8_t { kNoSection = 0, kInfoSection = 1, kStylesSection = 2, kEventsSection = 3 };

// What an event column stores.
enum EventColumn : uint8_t {
    kIgnoredColumn,
    kMarkedColumn,
    kStartColumn,
    kEndColumn,
    kStyleColumn,
    kLayerColumn,
    kActorColumn,
    kMarginLColumn,
    kMarginRColumn,
    kMarginVColumn,
    kEffectColumn,
    kTextColumn,
};

struct EventColumnName {
    std::u16string_view name;
    EventColumn column;
};

constexpr std::array<EventColumnName, 12> kEventColumns{{
    {u"Marked", kMarkedColumn},
    {u"Start", kStartColumn},
    {u"End", kEndColumn},
    {u"Style", kStyleColumn},
    {u"Layer", kLayerColumn},
    {u"Name", kActorColumn},
    {u"Actor", kActorColumn},
    {u"MarginL", kMarginLColumn},
    {u"MarginR", kMarginRColumn},
    {u"MarginV", kMarginVColumn},
    {u"Effect", kEffectColumn},
    {u"Text", kTextColumn},
}};

// The info keys that hold texts, with the longest text each keeps.
struct InfoText {
    std::u16string_view key;
    std::u16string TScriptFields::*field;
    std::size_t maxLength;
};

constexpr std::array<InfoText, 8> kInfoTexts{{
    {u"Title", &TScriptFields::Title, TScriptFields::kMaxTitle},
    {u"Original Script", &TScriptFields::OriginalScript, TScriptFields::kMaxOriginal},
    {u"Original Translation", &TScriptFields::OriginalTranslation, TScriptFields::kMaxOriginal},
    {u"Original Editing", &TScriptFields::OriginalEditing, TScriptFields::kMaxOriginal},
    {u"Original Timing", &TScriptFields::OriginalTiming, TScriptFields::kMaxOriginal},
    {u"Original Script Checking", &TScriptFields::OriginalScriptChecking, TScriptFields::kMaxOriginal},
    {u"Synch Point", &TScriptFields::SynchPoint, TScriptFields::kMaxSynchPoint},
    {u"Collisions", &TScriptFields::Collisions, TScriptFields::kMaxCollisions},
}};

struct InfoNumber {
    std::u16string_view key;
    int32_t TScriptFields::*field;
};

constexpr std::array<InfoNumber, 3> kInfoNumbers{{
    {u"PlayResY", &TScriptFields::PlayResY},
    {u"PlayResX", &TScriptFields::PlayResX},
    {u"PlayDepth", &TScriptFields::PlayDepth},
}};

// The SubStation default resolution, used when a script gives neither PlayResX nor PlayResY.
constexpr int32_t kDefaultPlayResX = 384;
constexpr int32_t kDefaultPlayResY = 288;

// Decodes text that is valid UTF-8 as a whole; false for any invalid sequence. (ICU's converter is
// several times faster than a character-by-character one on the megabytes of a long script.)
bool DecodeValidUtf8(std::string_view bytes, std::u16string& text) {
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
        return false;
    }
    text.resize(bytes.size());
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8(text.data(), static_cast<int32_t>(text.size()), &length, bytes.data(),
                  static_cast<int32_t>(bytes.size()), &error);
    if (U_FAILURE(error)) {
        return false;
    }
    text.resize(static_cast<std::size_t>(length));
    return true;
}

// Appends the UTF-8 of a long script text straight into the buffer; unpaired surrogates become
// U+FFFD, as the ANSI conversion does. False, with nothing appended, for a text too long for that.
bool EncodeUtf8(std::u16string_view text, TMemoryObject& out) {
    const int64_t room = static_cast<int64_t>(text.size()) * 3;
    if (room > INT32_MAX / 2) {
        return false;
    }
    const int32_t start = out.Used;
    char* bytes = out.AppendData(nullptr, static_cast<int32_t>(room));
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(bytes, static_cast<int32_t>(room), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &error);
    out.SetUsed(start + (U_FAILURE(error) ? 0 : length));
    return true;
}

// The keys and column names of the formats are ASCII: compared unit by unit, with the full
// case-insensitive comparison only for text that is not ASCII.
bool IsName(std::u16string_view text, std::u16string_view ascii) {
    if (text.size() != ascii.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c > 0x7F) {
            return EqualsNoCase(text, ascii);
        }
        const char16_t lower = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
        const char16_t expected =
            (ascii[i] >= u'A' && ascii[i] <= u'Z') ? static_cast<char16_t>(ascii[i] + 32) : ascii[i];
        if (lower != expected) {
            return false;
        }
    }
    return true;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The code page of legacy 8-bit text that detection cannot place: the most common one.
constexpr int32_t kFallbackCodePage = 1252;

// The decoder host of the unit.
std::unique_ptr<TScriptDecoderHost>& DecoderHost() {
    static std::unique_ptr<TScriptDecoderHost> host;
    return host;
}

std::u16string_view Cut(std::u16string_view text, std::size_t maxLength) {
    return text.substr(0, std::min(text.size(), maxLength));
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

// A floating value as the C library reads one, without regard to the process locale.
double ParseFloating(std::u16string_view text) {
    std::string narrow;
    for (const char16_t c : TrimBlanks(text)) {
        if (c > 0x7F) {
            break;
        }
        narrow += static_cast<char>(c);
    }
    double value = 0.0;
    const char* first = narrow.data();
    if (!narrow.empty() && narrow[0] == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, narrow.data() + narrow.size(), value);
    return (error == std::errc() && std::isfinite(value)) ? value : 0.0;
}

// Style templates (".ST") are SubStation scripts too.
bool IsNativeSelector(std::u16string_view selector) {
    constexpr std::array<std::u16string_view, 5> kNative{u"SSA4", u".SSA", u"SSA4+", u".ASS", u".ST"};
    return std::any_of(kNative.begin(), kNative.end(), [selector](std::u16string_view native) {
        return plat::text::StartsWithNoCase(native, selector);
    });
}

// The extension of the path's file name from its last '.', which is what selects a decoder.
std::u16string ExtensionSelector(std::u16string_view path) {
    std::u16string name;
    scrutils::ExtractFileName(path, name);
    const std::size_t dot = name.rfind(u'.');
    return (path.size() < 2 || dot == std::u16string::npos) ? std::u16string() : name.substr(dot);
}

// The file part of the full path name of `path`.
std::u16string FullPathFileName(std::u16string_view path) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::path(plat::text::WideToAnsi(path)), error);
    const std::u16string full = error ? std::u16string(path) : plat::text::AnsiToWide(absolute.string());
    std::u16string name;
    scrutils::ExtractFileName(full, name);
    return std::u16string(Cut(name, TScriptFields::kMaxPath));
}

template <class T> void SwapList(TPointer<T>& a, TPointer<T>& b) {
    std::swap(a.Head, b.Head);
    std::swap(a.Tail, b.Tail);
    std::swap(a.Current, b.Current);
    std::swap(a.Count, b.Count);
}

// Refills a Format list with the column names of the line from `pos` on.
template <class Resolve>
void ReadFormat(TPointer<TNewFormat>& format, std::u16string_view line, std::size_t pos, Resolve resolve) {
    format.Clear();
    std::u16string_view token;
    while (format.Count < TScriptControl::kMaxColumns &&
           TScriptControl::ReadFieldToken(line, pos, token, true)) {
        auto column = std::make_unique<TNewFormat>();
        column->Name = std::u16string(Cut(TrimBlanks(token), TNewFormat::kMaxName));
        column->Column = resolve(column->Name);
        format.Insert(nullptr, std::move(column));
    }
}

// Style columns are numbered 1 + their index among the record's fields; 0 is a column not stored.
uint8_t StyleColumnOf(std::u16string_view name) {
    const TStyleField* field = FindStyleField(name);
    return field ? static_cast<uint8_t>(field - StyleFields().data() + 1) : 0;
}

uint8_t EventColumnOf(std::u16string_view name) {
    const auto it = std::find_if(kEventColumns.begin(), kEventColumns.end(),
                                 [name](const EventColumnName& c) { return IsName(name, c.name); });
    return it == kEventColumns.end() ? kIgnoredColumn : it->column;
}

// The code page the 8-bit writer encodes in: the script's, or the ANSI page (UTF-8) when the
// script's page is a system page, a UTF-16 or UTF-32 page or one that cannot be converted.
uint32_t WriterCodePage(int32_t codePage) {
    const auto page = static_cast<uint32_t>(codePage);
    const bool unicodeBytes = page == plat::text::kCpUtf16Le || page == plat::text::kCpUtf16Be ||
                              page == plat::text::kCpUtf32Le || page == plat::text::kCpUtf32Be;
    return (codePage <= 3 || unicodeBytes || !plat::text::IsCodePageSupported(page)) ? plat::text::kCpUtf8
                                                                                     : page;
}

} // namespace

TSubtitleStyleRecord& GlobalDefaultStyle() {
    static TSubtitleStyleRecord style{};
    return style;
}

void InitScriptControlUnit(std::unique_ptr<TScriptDecoderHost> host) {
    static bool zeroed = false;
    if (!zeroed) {
        GlobalDefaultStyle() = TSubtitleStyleRecord{};
        zeroed = true;
    }
    DecoderHost() = std::move(host);
}

void FreeScriptControlUnit() {
    DecoderHost().reset();
}

TScriptControl::TScriptControl() {
    SetStyleName(GlobalDefaultStyle(), u"Default");
}

TScriptControl::~TScriptControl() = default;

bool TScriptControl::LoadFile(std::u16string_view path, int32_t codePage) {
    return Load(nullptr, path, codePage, false);
}

bool TScriptControl::Load(TZipControl* archive, std::u16string_view path, int32_t codePage,
                          bool forceNative) {
    LoadError.clear();
    TScriptControl loaded;
    std::string bytes;
    if (archive && archive->IsOpen()) {
        char* buffer = nullptr;
        uint32_t size = 0;
        if (!archive->ReadEntryW(std::u16string(path).c_str(), buffer, size)) {
            LoadError = "The archive entry \"" + plat::text::WideToAnsi(path) + "\" is missing or empty.";
            return false;
        }
        bytes.assign(buffer, size);
        TZipControl::FreeBuffer(buffer);
        loaded.FromArchive = 1;
    } else {
        const std::string file = plat::text::path::Normalize(plat::text::WideToAnsi(path));
        std::error_code error;
        if (std::filesystem::file_size(file, error) > kMaxScriptBytes && !error) {
            LoadError = "The file \"" + file + "\" is too large for a subtitle script.";
            return false;
        }
        if (!fileio::ReadWholeFile(file.c_str(), bytes)) {
            LoadError = "The file \"" + file + "\" cannot be read.";
            return false;
        }
        loaded.FromPlainFile = 1;
    }
    loaded.Path = std::u16string(Cut(path, kMaxPath));
    loaded.FileName = FullPathFileName(path);
    loaded.Type = forceNative ? "SSA4" : "";
    loaded.Advanced = Advanced;
    loaded.AdvancedLength = AdvancedLength;
    const std::u16string selector =
        loaded.Type.empty() ? ExtensionSelector(path) : plat::text::AnsiToWide(loaded.Type);
    if (!loaded.DecodeAndParse(bytes, codePage, selector)) {
        LoadError = loaded.LoadError;
        return false;
    }
    TakeContent(loaded);
    return true;
}

bool TScriptControl::DecodeAndParse(std::string_view data, int32_t codePage, std::u16string_view selector) {
    LoadError.clear();
    if (IsNativeSelector(selector)) {
        if (!Parse(data, codePage)) {
            return false;
        }
        Type = Type.empty() ? "SSA4" : Type;
        return true;
    }
    TScriptDecoderHost* host = DecoderHost().get();
    std::string advanced = Advanced;
    std::string text;
    if (!host || !host->Decode(data, selector, Type, advanced, text) || text.empty()) {
        LoadError = "No decoder plug-in turned the \"" + plat::text::WideToAnsi(selector) +
                    "\" file into a SubStation script.";
        return false;
    }
    if (!Parse(text, codePage, true)) {
        return false;
    }
    const std::string type = plat::text::WideToAnsi(selector);
    Type = type.substr(0, plat::text::Utf8CutLength(type, kMaxType));
    Advanced = advanced.substr(0, plat::text::Utf8CutLength(advanced, kMaxAdvanced));
    AdvancedLength = static_cast<int32_t>(Advanced.size());
    return true;
}

int32_t TScriptControl::ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength) const {
    const std::u16string selector = ExtensionSelector(FileName);
    TScriptDecoderHost* host = DecoderHost().get();
    if (IsNativeSelector(selector) || host == nullptr) {
        return 0;
    }
    return host->ShowAdvanced(parent, selector, advanced, advancedLength);
}

int32_t TScriptControl::FreeAdvanced(char** advanced) const {
    TScriptDecoderHost* host = DecoderHost().get();
    return host != nullptr ? host->FreeAdvanced(advanced) : 0;
}

bool TScriptControl::Parse(std::string_view data, int32_t codePage, bool requireEvents) {
    LoadError.clear();
    if (data.empty()) {
        LoadError = "The script is empty.";
        return false;
    }
    if (data.size() > kMaxScriptBytes) {
        LoadError = "The script is too large.";
        return false;
    }
    TScriptControl parsed;
    parsed.Path = Path;
    parsed.FileName = FileName;
    parsed.FromArchive = FromArchive;
    parsed.FromPlainFile = FromPlainFile;
    parsed.Modified = Modified;
    parsed.Type = Type;
    parsed.Advanced = Advanced;
    parsed.AdvancedLength = AdvancedLength;
    std::u16string text;
    if (!parsed.DecodeText(data, codePage, text)) {
        LoadError = parsed.LoadError;
        return false;
    }
    parsed.ParseLines(text);
    if (!parsed.LoadError.empty()) {
        LoadError = parsed.LoadError;
        return false;
    }
    if (!parsed.SawSection) {
        LoadError = "The text has no [Script Info], [V4 Styles], [V4+ Styles] or [Events] section: it is not "
                    "a SubStation Alpha script.";
        return false;
    }
    if (requireEvents && parsed.Events.Count == 0) {
        LoadError = "The decoded script holds no events: the file is not a subtitle file of its type.";
        return false;
    }
    parsed.AddDefaultStyle();
    parsed.ApplyResolutionDefaults();
    TakeContent(parsed);
    return true;
}

bool TScriptControl::DecodeText(std::string_view data, int32_t codePage, std::u16string& text) {
    const bool littleEndian = data.starts_with("\xFF\xFE");
    if (littleEndian || data.starts_with("\xFE\xFF")) {
        Unicode = 1;
        CodePage = codePage < 0 ? static_cast<int32_t>(plat::text::kCpUtf16Le) : codePage;
        return plat::text::MultiByteToWide(littleEndian ? plat::text::kCpUtf16Le : plat::text::kCpUtf16Be,
                                           data.substr(2), text);
    }
    Unicode = 0;
    Utf8Mark = data.starts_with(kUtf8Mark) ? 1 : 0;
    if (Utf8Mark) {
        CodePage = static_cast<int32_t>(plat::text::kCpUtf8);
        text = plat::text::AnsiToWide(data.substr(3));
        return true;
    }
    // 0 to 3 name the system's own code pages (ANSI, OEM, Macintosh, the thread's): all UTF-8 here.
    // Text that is valid UTF-8 is taken as UTF-8 (legacy 8-bit text almost never is), also when
    // detection is asked for; other bytes come from a legacy editor and their code page is detected.
    const bool systemPage = codePage >= 0 && codePage <= 3;
    if (systemPage || codePage == kDetectCodePage) {
        if (DecodeValidUtf8(data, text)) {
            CodePage = systemPage ? 0 : static_cast<int32_t>(plat::text::kCpUtf8);
            return true;
        }
        codePage = static_cast<int32_t>(plat::text::DetectCodePage(data).value_or(kFallbackCodePage));
        if (codePage == static_cast<int32_t>(plat::text::kCpUtf8)) {
            CodePage = codePage;
            text = plat::text::AnsiToWide(data);
            return true;
        }
    }
    const auto page = static_cast<uint32_t>(codePage);
    if (!plat::text::IsCodePageSupported(page) || !plat::text::MultiByteToWide(page, data, text)) {
        LoadError = "The code page " + std::to_string(codePage) + " is not known.";
        return false;
    }
    CodePage = codePage;
    return true;
}

void TScriptControl::ParseLines(std::u16string_view text) {
    Section = kNoSection;
    std::size_t index = 0;
    std::u16string_view line;
    while (LoadError.empty() && ReadLine(text, index, line)) {
        if (SwitchSection(line) || line[0] == u';') {
            continue;
        }
        switch (Section) {
        case kInfoSection:
            ReadInfoLine(line);
            break;
        case kStylesSection:
            ReadStyleLine(line);
            break;
        case kEventsSection:
            ReadEventLine(line);
            break;
        default:
            break;
        }
    }
}

bool TScriptControl::SwitchSection(std::u16string_view line) {
    if (line[0] != u'[') {
        return false;
    }
    const std::u16string_view header = TrimBlanks(line);
    if (IsName(header, u"[Script Info]")) {
        Section = kInfoSection;
    } else if (IsName(header, u"[V4 Styles]")) {
        Section = kStylesSection;
    } else if (IsName(header, u"[V4+ Styles]")) {
        Section = kStylesSection;
        V4Plus = 1;
    } else if (IsName(header, u"[Events]")) {
        Section = kEventsSection;
    } else {
        return false;
    }
    SawSection = true;
    return true;
}

void TScriptControl::ReadInfoLine(std::u16string_view line) {
    std::size_t pos = 0;
    std::u16string_view key;
    ReadKeyToken(line, pos, key);
    // Trailing blanks are no part of the key, so "Timer : 100" (as older writers put it) is read too.
    key = key.substr(0, key.find_last_not_of(u" \t") + 1);
    const std::u16string_view value = line.substr(pos);
    for (const InfoText& info : kInfoTexts) {
        if (IsName(key, info.key)) {
            this->*info.field = std::u16string(Cut(value, info.maxLength));
            return;
        }
    }
    for (const InfoNumber& info : kInfoNumbers) {
        if (IsName(key, info.key)) {
            this->*info.field = ParseDecimal(value);
            return;
        }
    }
    if (IsName(key, u"Filename")) {
        if (FileName.empty()) {
            FileName = std::u16string(Cut(value, kMaxPath));
        }
    } else if (IsName(key, u"WrapStyle")) {
        const int32_t wrap = ParseDecimal(value);
        WrapStyle = (wrap < 0 || wrap > 3) ? 0 : wrap;
    } else if (IsName(key, u"Timer")) {
        Timer = ParseFloating(value);
    }
}

void TScriptControl::ReadStyleLine(std::u16string_view line) {
    std::size_t pos = 0;
    std::u16string_view key;
    ReadKeyToken(line, pos, key);
    if (IsName(key, u"Format")) {
        ReadFormat(StyleFormat, line, pos, StyleColumnOf);
    } else if (IsName(key, u"Style")) {
        if (Styles.Count >= kMaxStyles) {
            LoadError = "The script has more than " + std::to_string(kMaxStyles) + " styles.";
            return;
        }
        TStyles* style = Styles.Insert(nullptr, std::make_unique<TStyles>());
        ReadStyleValues(style->Record, line, pos);
    }
}

void TScriptControl::ReadStyleValues(TSubtitleStyleRecord& style, std::u16string_view line,
                                     std::size_t pos) const {
    const auto fields = StyleFields();
    std::u16string_view token;
    for (const TNewFormat* column = StyleFormat.Head; column && ReadFieldToken(line, pos, token, true);
         column = column->Next) {
        if (column->Column == 0 || column->Column > fields.size()) {
            continue;
        }
        const TStyleField& field = fields[column->Column - 1];
        switch (field.type) {
        case TStyleFieldType::Text:
            // Blanks around names are layout, not part of them ("Style:  Default, Arial ,...").
            SetStyleFieldText(style, field, TrimBlanks(token));
            break;
        case TStyleFieldType::Colour:
            SetStyleFieldValue(style, field, static_cast<int32_t>(ParseColour(token)));
            break;
        case TStyleFieldType::Alignment: {
            const int32_t alignment = ParseDecimal(token);
            SetStyleFieldValue(style, field, V4Plus ? AssToSsaAlignment(alignment) : alignment);
            break;
        }
        case TStyleFieldType::Integer:
            SetStyleFieldValue(style, field, ParseDecimal(token));
            break;
        }
    }
}

void TScriptControl::ReadEventLine(std::u16string_view line) {
    std::size_t pos = 0;
    std::u16string_view key;
    ReadKeyToken(line, pos, key);
    if (IsName(key, u"Format")) {
        ReadFormat(EventFormat, line, pos, EventColumnOf);
        return;
    }
    const bool comment = IsName(key, u"Comment");
    if (!comment && !IsName(key, u"Dialogue")) {
        return;
    }
    if (Events.Count >= kMaxEvents) {
        LoadError = "The script has more than " + std::to_string(kMaxEvents) + " events.";
        return;
    }
    auto owned = std::make_unique<TScriptTextEvent>();
    TScriptTextEvent* event = owned.get();
    Events.Insert(nullptr, std::move(owned));
    TTextEventRecord* record = event->AttachRecord(nullptr);
    record->head.comment = comment ? 1 : 0;
    ReadEventValues(*event, line, pos);
}

void TScriptControl::ReadEventValues(TScriptTextEvent& event, std::u16string_view line,
                                     std::size_t pos) const {
    TTextEventRecord& record = *event.GetTextRecord();
    std::u16string_view token;
    for (const TNewFormat* column = EventFormat.Head; column; column = column->Next) {
        if (column->Column == kTextColumn) {
            event.SetText(line.substr(pos), false);
            return;
        }
        if (!ReadFieldToken(line, pos, token, false)) {
            return;
        }
        const std::u16string_view value = TrimBlanks(token);
        switch (column->Column) {
        case kMarkedColumn:
            if (value.size() >= 8) {
                record.marked = static_cast<uint8_t>(value[7] - u'0');
            }
            break;
        case kStartColumn:
            record.head.start = ParseTime(value, true);
            break;
        case kEndColumn:
            record.head.end = ParseTime(value, true);
            break;
        case kStyleColumn:
            SetFixedText(record.styleName, kStyleNameUnits,
                         IsName(value, u"*Default") ? std::u16string_view(u"Default") : value);
            break;
        case kLayerColumn:
            record.head.layer = ParseDecimal(value);
            break;
        case kActorColumn:
            event.Actor = value;
            break;
        case kMarginLColumn:
            record.marginL = ParseDecimal(value);
            break;
        case kMarginRColumn:
            record.marginR = ParseDecimal(value);
            break;
        case kMarginVColumn:
            record.marginV = ParseDecimal(value);
            break;
        case kEffectColumn:
            record.effect = ParseDecimal(value);
            event.Effect = value;
            break;
        default:
            break;
        }
    }
}

void TScriptControl::AddDefaultStyle() {
    for (const TStyles* style = Styles.Head; style; style = style->Next) {
        if (IsName(GetStyleName(style->Record), u"Default")) {
            return;
        }
    }
    if (GlobalDefaultStyle().name[0] != 0) {
        Styles.Insert(nullptr, std::make_unique<TStyles>())->Record = GlobalDefaultStyle();
    }
}

// A script that gives neither PlayResX nor PlayResY gets the SubStation default 384 x 288, so the
// layout never depends on the machine's screen. One that gives only one of them gets the other as
// common players derive it: 4:3 (rounded up for PlayResX), except that 1280 and 1024 pair up (5:4).
// The events take the script's final resolution and wrap style.
void TScriptControl::ApplyResolutionDefaults() {
    if (PlayResX <= 0 && PlayResY <= 0) {
        PlayResX = kDefaultPlayResX;
        PlayResY = kDefaultPlayResY;
    } else if (PlayResY <= 0) {
        PlayResY = PlayResX == 1280 ? 1024 : static_cast<int32_t>(int64_t{PlayResX} * 3 / 4);
    } else if (PlayResX <= 0) {
        PlayResX = PlayResY == 1024 ? 1280 : static_cast<int32_t>((int64_t{PlayResY} * 4 + 2) / 3);
    }
    for (TSubEvents* event = Events.Head; event; event = event->Next) {
        auto* text = static_cast<TTextEvent*>(event);
        text->GetTextRecord()->head.resX = PlayResX;
        text->GetTextRecord()->head.resY = PlayResY;
        text->GetTextRecord()->wrapStyle = WrapStyle;
    }
}

void TScriptControl::TakeContent(TScriptControl& other) {
    std::swap(static_cast<TScriptFields&>(*this), static_cast<TScriptFields&>(other));
    std::swap(Section, other.Section);
    SwapList(EventFormat, other.EventFormat);
    SwapList(StyleFormat, other.StyleFormat);
    SwapList(Styles, other.Styles);
    SwapList(Events, other.Events);
    std::swap(Advanced, other.Advanced);
    std::swap(AdvancedLength, other.AdvancedLength);
    std::swap(SawSection, other.SawSection);
}

TSubtitleStyleRecord* TScriptControl::FindStyle(std::u16string_view name) {
    for (TStyles* style = Styles.Head; style; style = style->Next) {
        if (EqualsNoCase(GetStyleName(style->Record), name)) {
            return &style->Record;
        }
    }
    return nullptr;
}

bool TScriptControl::ReadKeyToken(std::u16string_view line, std::size_t& pos, std::u16string_view& key) {
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != u':' && pos - start < kMaxKey) {
        ++pos;
    }
    key = line.substr(start, pos - start);
    // The ':' and the blank are skipped at the end of the line too, so that an empty value
    // ("Title: ", as the writers put it) reads back empty.
    for (const char16_t skipped : {u':', u' '}) {
        if (pos < line.size() && line[pos] == skipped) {
            ++pos;
        }
    }
    return true;
}

bool TScriptControl::ReadFieldToken(std::u16string_view line, std::size_t& pos, std::u16string_view& field,
                                    bool skipBlank) {
    if (pos >= line.size()) {
        return false;
    }
    const std::size_t comma = std::min(line.find(u',', pos), line.size());
    field = line.substr(pos, comma - pos);
    pos = comma;
    if (pos < line.size()) {
        ++pos;
        if (skipBlank && pos + 1 < line.size() && line[pos] == u' ') {
            ++pos;
        }
    }
    return true;
}

void TScriptControl::SkipBlanks(std::u16string_view line, std::size_t& pos) {
    while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t')) {
        ++pos;
    }
}

int32_t TScriptControl::ParseTime(std::u16string_view text, bool positive) {
    return scrutils::ParseTimeTextW(text, positive);
}

bool TScriptControl::FormatTime(int32_t ms, std::string& out) {
    return scrutils::FormatTimeMs(ms, out);
}

int32_t TScriptControl::ParseDecimal(std::u16string_view text) {
    std::size_t pos = 0;
    TScriptControl::SkipBlanks(text, pos);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos++] == '-';
    }
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = std::min<int64_t>(value * 10 + (text[pos] - '0'), int64_t{INT32_MAX} + 1);
    }
    value = negative ? -value : std::min<int64_t>(value, INT32_MAX);
    return static_cast<int32_t>(value);
}

// Any number of 1 to 8 hexadecimal digits after "&H" is read as it stands, so colours written with
// fewer digits than a full byte pair ("&H1FF", "&HFF&") keep their value. More digits give 0.
uint32_t TScriptControl::ParseColour(std::u16string_view token) {
    token = TrimBlanks(token);
    if (token.size() <= 2 || token[0] != u'&' || (token[1] != u'H' && token[1] != u'h')) {
        return static_cast<uint32_t>(ParseDecimal(token));
    }
    std::u16string_view digits = token.substr(2);
    if (digits.ends_with(u'&')) {
        digits.remove_suffix(1);
    }
    if (digits.empty() || digits.size() > 8) {
        return 0;
    }
    uint32_t value = 0;
    for (const char16_t c : digits) {
        const int digit = plat::text::unicode::HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

int32_t TScriptControl::AssToSsaAlignment(int32_t alignment) {
    return scrutils::AssToSsaAlignment(alignment);
}

int32_t TScriptControl::SsaToAssAlignment(int32_t alignment) {
    return scrutils::SsaToAssAlignment(alignment);
}

int TScriptControl::ReplaceAllText(std::string& text, std::size_t capacity, std::string_view searched,
                                   std::string_view replacement) {
    return scrutils::ReplaceAllText(text, capacity, searched, replacement, true);
}

int TScriptControl::ReplaceAllTextW(std::u16string& text, std::size_t capacity, std::u16string_view searched,
                                    std::u16string_view replacement) {
    return scrutils::ReplaceAllTextW(text, capacity, searched, replacement, true);
}

bool TScriptControl::ReadLine(std::u16string_view text, std::size_t& index, std::u16string_view& line,
                              bool* threeLineEnds) {
    int lineEnds = 0;
    while (index < text.size() && (text[index] == u'\r' || text[index] == u'\n')) {
        ++index;
        ++lineEnds;
    }
    const std::size_t start = index;
    while (index < text.size() && text[index] != u'\r' && text[index] != u'\n') {
        ++index;
    }
    line = text.substr(start, index - start);
    if (index < text.size()) {
        ++index;
        ++lineEnds;
    }
    if (threeLineEnds) {
        *threeLineEnds = lineEnds >= 3;
    }
    return !line.empty();
}

bool TScriptControl::ReadLine(std::FILE* file, std::u16string& line, bool* threeLineEnds) {
    line.clear();
    int lineEnds = 0;
    unsigned char pair[2];
    while (file && std::fread(pair, 1, 2, file) == 2) {
        const auto c = static_cast<char16_t>(pair[0] | pair[1] << 8);
        if (c == u'\r' || c == u'\n') {
            ++lineEnds;
            if (!line.empty()) {
                break;
            }
            continue;
        }
        line += c;
    }
    if (threeLineEnds) {
        *threeLineEnds = lineEnds >= 3;
    }
    return !line.empty();
}

int TScriptControl::Write(const TPointer<TStyles>& styles, TMemoryObject& out,
                          const TPointer<TSubEvents>* events, const TEventSource& sourceOf) const {
    if (Unicode) {
        return WriteUnicode(styles, out, events, sourceOf);
    }
    const std::u16string text = TScriptWriter(*this, sourceOf).Build(styles, events ? *events : Events);
    const uint32_t page = WriterCodePage(CodePage);
    out.SetUsed(0);
    if (page == plat::text::kCpUtf8 && Utf8Mark) {
        out.AppendData(kUtf8Mark.data(), static_cast<int32_t>(kUtf8Mark.size()));
    }
    if (page != plat::text::kCpUtf8 || !EncodeUtf8(text, out)) {
        std::string bytes;
        plat::text::WideToMultiByte(page, text, bytes);
        out.AppendData(bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    return 1;
}

int TScriptControl::WriteUnicode(const TPointer<TStyles>& styles, TMemoryObject& out,
                                 const TPointer<TSubEvents>* events, const TEventSource& sourceOf) const {
    const std::u16string text = TScriptWriter(*this, sourceOf).Build(styles, events ? *events : Events);
    out.SetUsed(0);
    out.AppendData("\xFF\xFE", 2);
    out.AppendData(text.data(), static_cast<int32_t>(text.size() * sizeof(char16_t)));
    return 1;
}

bool TScriptControl::SaveToFile(const TScriptControl& script, std::u16string_view path,
                                const TPointer<TStyles>& styles, const TPointer<TSubEvents>* events,
                                const TEventSource& sourceOf) {
    TMemoryObject buffer(2048);
    if (script.Write(styles, buffer, events, sourceOf) != 1) {
        return false;
    }
    return buffer.SaveToFile(std::u16string(path).c_str());
}
