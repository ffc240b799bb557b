#include "subtitles/profiles/TLanguage.h"
#include "foundation/ErrorReport.h"
#include "foundation/FileIo.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "platform/text/Path.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/profiles/TLanguageReader.h"
#include "subtitles/profiles/TLanguageWriter.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

// Error texts and traces of the error control.
constexpr int8_t kErrorLevel = 5;
constexpr int8_t kTraceLevel = 6;
// Problems of one load reported one by one; the rest are counted.
constexpr std::size_t kReportedProblems = 10;

// The script file a plain language profile names: a relative name is looked for in the profile's
// folder, without regard to case as on Windows.
std::u16string PlainScriptPath(std::u16string_view entry, std::u16string_view name) {
    const std::string relative = plat::text::path::Normalize(plat::text::WideToAnsi(name));
    if (plat::text::path::IsAbsolute(relative)) {
        return plat::text::AnsiToWide(relative);
    }
    const std::string folder = plat::text::path::Folder(plat::text::WideToAnsi(entry));
    const std::optional<std::string> found =
        plat::text::path::FindNoCase(folder.empty() ? "." : folder, relative);
    return plat::text::AnsiToWide(found ? *found : plat::text::path::Join(folder, relative));
}

// The language profile's bytes from the file or the archive member; false with the reason.
bool ReadPlainProfile(std::u16string_view path, std::string& text, std::string& error) {
    const std::string file = plat::text::path::Normalize(plat::text::WideToAnsi(path));
    std::error_code failed;
    if (std::filesystem::file_size(file, failed) > TLanguage::kMaxFileBytes && !failed) {
        error = "Unable to open file : " + file + " (larger than 16 MB, not a language profile)";
        return false;
    }
    if (!fileio::ReadWholeFile(file.c_str(), text)) {
        error = "Unable to open file : " + file;
        return false;
    }
    return true;
}

bool ReadMember(TZipControl& zip, std::u16string_view name, std::string& bytes) {
    char* buffer = nullptr;
    uint32_t size = 0;
    if (!zip.ReadEntryW(std::u16string(name).c_str(), buffer, size)) {
        return false;
    }
    bytes.assign(buffer, size);
    TZipControl::FreeBuffer(buffer);
    return true;
}

TStyles* FindStyleIn(const TPointer<TStyles>& styles, std::u16string_view name) {
    for (TStyles* style = styles.Head; style; style = style->Next) {
        if (plat::text::EqualsNoCase(GetStyleName(style->Record), name)) {
            return style;
        }
    }
    return nullptr;
}

void ReportProblems(const std::vector<std::string>& problems) {
    for (std::size_t i = 0; i < problems.size() && i < kReportedProblems; ++i) {
        ReportError(kErrorLevel, u"%hs\n", problems[i]);
    }
    if (problems.size() > kReportedProblems) {
        ReportError(kErrorLevel, u"%d more lines of the language profile cannot be read.\n",
                    static_cast<int32_t>(problems.size() - kReportedProblems));
    }
}

} // namespace

TLanguage::TLanguage(TScriptsPool* pool) : Pool(pool) {}

TLanguage::~TLanguage() {
    Clear();
}

void TLanguage::SetFile(std::u16string_view name, std::u16string_view entry,
                        std::u16string_view archivePath) {
    Name = std::u16string(name.substr(0, kMaxName));
    Entry = std::u16string(entry.substr(0, kMaxPath));
    ArchivePath = std::u16string(archivePath.substr(0, kMaxPath));
    FromArchive = ArchivePath.empty() ? 0 : 1;
}

bool TLanguage::Load(TZipControl* archive, bool force) {
    if (Loaded && !force) {
        return true;
    }
    const std::string entry = plat::text::WideToAnsi(Entry);
    if (Entry.empty()) {
        ReportError(kErrorLevel, u"The language \"%s\" names no language profile.\n", Name);
        return false;
    }
    std::string text;
    std::unique_ptr<TMemoryObject> readme;
    TZipControl opened;
    TZipControl* zip = nullptr;
    if (ArchivePath.empty()) {
        std::string error;
        if (!ReadPlainProfile(Entry, text, error)) {
            ReportError(kErrorLevel, u"%hs\n", error);
            return false;
        }
    } else {
        zip = (archive && archive->IsOpen()) ? archive
                                             : (opened.OpenW(ArchivePath.c_str()) ? &opened : nullptr);
        if (!zip) {
            ReportError(kErrorLevel, u"Unable to open file : %s\n", ArchivePath);
            return false;
        }
        ReportError(kTraceLevel, u"%s\n", Entry);
        if (!ReadMember(*zip, Entry, text)) {
            ReportError(kErrorLevel,
                        u"The language profile \"%s\" is missing from the archive \"%s\" or damaged.\n",
                        Entry, ArchivePath);
            return false;
        }
        std::u16string readmeName = Entry;
        scrutils::ChangeFileExtension(readmeName, u"txt");
        std::string readmeText;
        if (ReadMember(*zip, readmeName, readmeText)) {
            ReportError(kTraceLevel, u"%s\n", readmeName);
            readme = std::make_unique<TMemoryObject>(static_cast<int32_t>(readmeText.size()) + 2);
            readme->AppendData(readmeText.data(), static_cast<int32_t>(readmeText.size()));
            readme->AppendData(nullptr, 1);
            readme->SetUsed(static_cast<int32_t>(readmeText.size()));
        }
    }
    if (text.size() > kMaxFileBytes) {
        ReportError(kErrorLevel, u"The language profile \"%s\" is larger than 16 MB: it is not read.\n",
                    Entry);
        return false;
    }
    Titles.Clear();
    Styles.Clear();
    if (Pool) {
        Pool->ReleaseScript(this, nullptr);
    }
    Scripts.Clear();
    Readme = std::move(readme);
    FromArchive = zip ? 1 : 0;
    TLanguageReader reader(*this, zip, "\"" + entry + "\"");
    reader.Read(text);
    ReportProblems(reader.Problems());
    LoadProblems = reader.Problems().size();
    Loaded = 1;
    return true;
}

void TLanguage::Clear() {
    Titles.Clear();
    Styles.Clear();
    if (Pool) {
        Pool->ReleaseScript(this, nullptr);
    }
    Scripts.Clear();
    Readme.reset();
    Loaded = 0;
}

TScriptControl* TLanguage::LoadScript(TZipControl* archive, std::u16string_view name,
                                      std::u16string_view archivePath, std::string_view type,
                                      std::string_view advanced, int32_t codePage) {
    ReportError(kTraceLevel, u"%s\n", std::u16string(name));
    LastScriptError.clear();
    if (!Pool) {
        LastScriptError = "the language has no script pool";
        return nullptr;
    }
    // No file name holds one; the path would end at it and name another script.
    if (name.find(u'\0') != std::u16string_view::npos) {
        LastScriptError = "the script name holds a NUL character";
        return nullptr;
    }
    TZipControl opened;
    TZipControl* zip = (archive && archive->IsOpen()) ? archive : nullptr;
    if (!zip && !archivePath.empty()) {
        if (!opened.OpenW(std::u16string(archivePath).c_str())) {
            LastScriptError = "the archive " + plat::text::WideToAnsi(archivePath) + " cannot be opened";
            return nullptr;
        }
        zip = &opened;
    }
    const bool plain = !zip && !TScriptsPool::NormalName(name).empty();
    const std::u16string path = plain ? PlainScriptPath(Entry, name) : std::u16string(name);
    const std::string file = plat::text::WideToAnsi(path);
    std::error_code failed;
    // A device or a pipe could be read without end.
    if (plain && std::filesystem::exists(file, failed) && !std::filesystem::is_regular_file(file, failed)) {
        LastScriptError = file + " is not a regular file";
        return nullptr;
    }
    bool alreadyUsed = false;
    TScriptControl* script = Pool->LoadScript(this, zip, path, codePage, advanced, alreadyUsed);
    if (!script) {
        LastScriptError = Pool->LastLoadError;
    }
    return script;
}

TScriptControl* TLanguage::AddScript(TScriptControl* script) {
    return Pool ? Pool->AttachLanguage(this, script) : nullptr;
}

TScriptControl* TLanguage::AddScript(std::unique_ptr<TScriptControl> script) {
    return Pool ? Pool->AttachLanguage(this, std::move(script)) : nullptr;
}

void TLanguage::RemoveScript(TScriptControl* script) {
    if (!Pool || !script) {
        return;
    }
    DropSelections(script);
    Pool->ReleaseScript(this, script);
}

bool TLanguage::ReloadScript(TScriptControl* script) {
    if (!script) {
        return false;
    }
    const bool fromArchive = script->FromArchive && !ArchivePath.empty();
    return LoadScript(nullptr, script->Path,
                      fromArchive ? std::u16string_view(ArchivePath) : std::u16string_view(), script->Type,
                      script->Advanced, script->CodePage) != nullptr;
}

bool TLanguage::ShowScriptAdvanced(plat::win::HWND parent, TScriptControl* script) {
    if (!script) {
        return false;
    }
    std::string given = script->Advanced;
    char* advanced = given.data();
    int32_t length = static_cast<int32_t>(given.size());
    const int32_t shown = script->ShowAdvanced(parent, &advanced, &length);
    // The plug-in's length is not trusted past its text's end; a character that would cross the
    // limit is read whole so that the cut below can drop it.
    constexpr std::size_t kReadLimit = TScriptControl::kMaxAdvanced + 4;
    const std::size_t readable =
        advanced != nullptr && length > 0
            ? ::strnlen(advanced, std::min(static_cast<std::size_t>(length), kReadLimit))
            : 0;
    const std::string setting(advanced != nullptr ? advanced : "", readable);
    script->FreeAdvanced(&advanced);
    if (shown == 0) {
        return false;
    }
    script->Advanced = setting.substr(0, plat::text::Utf8CutLength(setting, TScriptControl::kMaxAdvanced));
    script->AdvancedLength = static_cast<int32_t>(script->Advanced.size());
    return true;
}

void TLanguage::AddStylesOfScript(const TScriptControl& script, bool keep) {
    for (const TStyles* style = script.Styles.Head; style; style = style->Next) {
        PutStyle(&style->Record, false, keep);
    }
    if (Styles.Count == 0) {
        StoreStyle(&GlobalDefaultStyle(), false);
    }
}

void TLanguage::ScriptReplaced(TScriptControl* old, TScriptControl* replacement) {
    for (TTitle* title = Titles.Head; title; title = title->Next) {
        for (TSelect* select = title->Selects.Head; select; select = select->Next) {
            if (select->Script == old) {
                select->Script = replacement;
                title->Events.Clear();
            }
        }
    }
}

void TLanguage::DropSelections(const TScriptControl* script) {
    for (TTitle* title = Titles.Head; title; title = title->Next) {
        for (TSelect* select = title->Selects.Head; select;) {
            TSelect* next = select->Next;
            if (select->Script == script) {
                title->Events.Clear();
                title->Selects.Delete(select);
            }
            select = next;
        }
        title->Selects.Renumber();
    }
}

void TLanguage::AddStyles(const TPointer<TStyles>& styles) {
    for (const TStyles* style = styles.Head; style; style = style->Next) {
        PutStyle(&style->Record, false, false);
    }
}

bool TLanguage::PutStyle(const TSubtitleStyleRecord* record, bool noAdd, bool keep) {
    if (!record) {
        Styles.Clear();
        return false;
    }
    if (TSubtitleStyleRecord* existing = FindStyle(GetStyleName(*record))) {
        if (!keep) {
            *existing = *record;
        }
        return false;
    }
    if (noAdd) {
        return false;
    }
    Styles.Insert(Styles.Tail, std::make_unique<TStyles>())->Record = *record;
    return true;
}

bool TLanguage::StoreStyle(const TSubtitleStyleRecord* record, bool noAdd) {
    return PutStyle(record, noAdd, false);
}

TSubtitleStyleRecord* TLanguage::FindStyle(std::u16string_view name) {
    TStyles* style = FindStyleIn(Styles, name);
    return style ? &style->Record : nullptr;
}

bool TLanguage::MakeStyleName(std::u16string_view base, std::u16string& name) const {
    for (int32_t number = 1; number <= kMaxStyleNumber; ++number) {
        std::u16string candidate(base);
        candidate += plat::text::Format(u"%02d", number);
        if (!FindStyleIn(Styles, candidate)) {
            name = std::move(candidate);
            return true;
        }
    }
    return false;
}

bool TLanguage::FindTitle(int32_t number, bool create) {
    if (Titles.Current && Titles.Current->Number == number) {
        return true;
    }
    for (TTitle* title = Titles.Head; title; title = title->Next) {
        if (title->Number == number) {
            Titles.Current = title;
            return true;
        }
    }
    if (!create) {
        return false;
    }
    Titles.Insert(Titles.Tail, std::make_unique<TTitle>())->Number = number;
    return true;
}

bool TLanguage::ScriptNameExists(std::u16string_view name, bool onlyMine) const {
    return Pool && Pool->IsNameUsed(name, onlyMine ? this : nullptr);
}

bool TLanguage::MakeScriptName(std::u16string_view base, std::u16string& name) const {
    return Pool && Pool->MakeScriptName(base, name);
}

void TLanguage::Write(TMemoryObject& out, bool fileNamesOnly, std::u16string_view folder) {
    const std::string text = TLanguageWriter(*this, fileNamesOnly, folder).Build();
    out.SetUsed(0);
    out.AppendData(text.data(), static_cast<int32_t>(text.size()));
}
